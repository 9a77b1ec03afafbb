// The sample title as its users run it, its data on the title's disc rather
// than beside the program: a page change once a picture, or the whole disc,
// has gone missing, and the data on a network drive instead of a disc.

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/sample_run_fixture.h"

namespace {

// The welcome picture's rust block, and the contents picture's teal block,
// in the content panel.
constexpr plat::POINT kRustBlock{100, 110};
constexpr plat::POINT kTealBlock{150, 110};

class TitleDiscTest : public SampleRunTest {
protected:
    // From the login to the contents page through the welcome page's rust
    // block.
    void toTheContentsPage()
    {
        logInAsNewUser("Ann");
        script.waitFor("the welcome page", [this] { return showsLink(testkit::kSampleQuizLink); });
        script.pause(kLook);
        script.then("the rust block", [] { return true; }, [this] {
            if (beforeTheClick)
                beforeTheClick();
            clickContent(kRustBlock.x, kRustBlock.y);
        });
        script.waitFor("the contents page", [this] {
            return isCurrent(2) && colourAt(main, kTealBlock.x, 60 + kTealBlock.y) == paletteColour(testkit::kSampleTeal);
        });
    }
    // Every box is answered Retry after `mend` has run, once.
    void retryAfter(std::function<void()> mend)
    {
        plat::SetResponder([this, mend](const plat::UiRequest& r) -> std::optional<int> {
            boxes.push_back(r.text);
            if (boxes.size() == 1)
                mend();
            return kAnswerRetry;
        });
    }
    std::function<void()> beforeTheClick;
    std::vector<std::string> boxes;
};

TEST_F(TitleDiscTest, AMissingPictureIsNamedAndTheChangeGoesOnOnceItIsBack)
{
    const std::string picture = discFolder() + "/contents.dib";
    const std::string away = config.root() + "/contents.dib";
    beforeTheClick = [&] { std::filesystem::rename(picture, away); };
    retryAfter([&] { std::filesystem::rename(away, picture); });
    toTheContentsPage();
    runScript();
    ASSERT_FALSE(script.failed()) << script.failure() << " (" << pagesAtTheEnd << ")";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("D:\\contents.dib could not be found"), std::string::npos) << boxes[0];
}

TEST_F(TitleDiscTest, TheDiscTakenOutIsAskedForAndThePageChangeGoesOnOnceItIsBack)
{
    const std::string away = config.root() + "/disc-out";
    beforeTheClick = [&] { std::filesystem::rename(discFolder(), away); };
    retryAfter([&] { std::filesystem::rename(away, discFolder()); });
    toTheContentsPage();
    runScript();
    ASSERT_FALSE(script.failed()) << script.failure() << " (" << pagesAtTheEnd << ")";
    // The disc is asked for; once it is back nothing more is said.
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("[1075]: There is no disc in the drive of D:\\", 0), 0u) << boxes[0];
}

// The disc taken out and not brought back: the open of the next page's
// picture asks for it once, and Ignore goes on without the picture (the
// page, short of it, does not change).
TEST_F(TitleDiscTest, TheDiscTakenOutIsAskedForOnceAndIgnoreGoesOnWithoutIt)
{
    const std::string away = config.root() + "/disc-out";
    beforeTheClick = [&] { std::filesystem::rename(discFolder(), away); };
    plat::SetResponder([this](const plat::UiRequest& r) -> std::optional<int> {
        boxes.push_back(r.kind == "MessageBox" ? r.text : r.kind + " " + std::to_string(r.templateId) + ": " + r.text);
        return r.kind == "MessageBox" ? kAnswerIgnore : kAnswerCancel;
    });
    logInAsNewUser("Ann");
    script.waitFor("the welcome page", [this] { return showsLink(testkit::kSampleQuizLink); });
    script.pause(kLook);
    script.then("the rust block", [] { return true; }, [this] {
        beforeTheClick();
        clickContent(kRustBlock.x, kRustBlock.y);
    });
    script.waitFor("the welcome page again", [this] {
        return !boxes.empty() && isCurrent(testkit::kSampleWelcomePage) && !GetProduct()->GetBusyBits();
    });
    runScript();
    std::string all;
    for (const std::string& box : boxes)
        all += "\n  " + box;
    ASSERT_FALSE(script.failed()) << script.failure() << " (" << pagesAtTheEnd << ")" << all;
    ASSERT_EQ(boxes.size(), 1u) << all;
    EXPECT_EQ(boxes[0].rfind("[1075]: There is no disc in the drive of D:\\", 0), 0u) << boxes[0];
}

// A network installation: the data lies in a folder of a network drive,
// which is taken as it lists, and no disc is asked for.
TEST_F(TitleDiscTest, TheTitleRunsFromANetworkDrive)
{
    const std::string share = config.root() + "/share";
    std::filesystem::create_directories(share);
    std::filesystem::rename(discFolder(), share + "/KELBO");
    testkit::InstalledSettings settings;
    settings.dataPath = "N:\\KELBO";
    settings.volumeLabel.clear();
    settings.network = true;
    settings.extra = "User=C:\\Users\r\n";
    plat::testing::TempConfig::writeFile(config.program() + "/kelbo32.ini", testkit::InstalledIni(settings));
    plat::testing::TempConfig::writeFile(config.config() + "/platform.ini",
                                         testkit::DriveSection('C', config.root(), "fixed") +
                                             testkit::DriveSection('N', share, "remote") +
                                             "Network=\\\\server\\titles\n");
    plat::ReloadDriveTable();
    toTheContentsPage();
    runScript();
    ASSERT_FALSE(script.failed()) << script.failure() << " (" << pagesAtTheEnd << ")";
}

}  // namespace
