// What the README promises of the sample title, run whole and headless as
// the sample-title tool writes it: the navigation bar marks its first page
// and its back button goes back, its options pop-up prints the page into the documents folder and
// copies it to the desktop's clipboard, the index opens the entry typed
// with Enter and is reached from the welcome page after a login (so the
// visits list ticks it), the greeting names nobody before a login, and
// an edit box's first letter has no frame under it.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/print/printer.h"
#include "runtime/JxCPanelObject.h"
#include "testkit/sample_index.h"
#include "testkit/sample_links.h"
#include "testkit/sample_navigation.h"
#include "tests/sample_run_fixture.h"
#include "title/JxCProductData.h"
#include "title/users/JxCUserRecord.h"
#include "title/users/JxLoginWidgets.h"

namespace {

using namespace testkit;

// The README's numbers of the start pages.
constexpr const char* kGreetingStart = "/start=1";
constexpr const char* kGalleryStart = "/start=4";
constexpr const char* kIndexStart = "/start=9";
constexpr const char* kNavigationStart = "/start=11";

// The navigation bar (at (0, 420) of the client area): its buttons are 40
// square, 6 below its top.
constexpr int kBarTop = 420;
constexpr int kHomeButton = 20, kSecondButton = 80, kBackButton = 140, kOptionsButton = 580;

class SamplePromisesTest : public SampleRunTest {
protected:
    void SetUp() override
    {
        SampleRunTest::SetUp();
        missingFiles = {kSampleMovie};  // the gallery's
    }
    // The script's run from a start page (see SampleRunTest::runScript).
    void runScriptFrom(const char* start)
    {
        runScript(start);
        ASSERT_FALSE(script.failed()) << script.failure() << " (after " << script.taken() << " steps; " << pagesAtTheEnd
                                      << ")";
    }
    void clickBar(int left) { harness->click(onScreen(main, left + 20, kBarTop + 26)); }
    static bool firstPageIs(std::uint32_t id)
    {
        JxCPageObject* first = GetProduct() ? GetProduct()->GetFirstPage() : nullptr;
        return first && first->GetPageId() == std::int32_t(id) && GetProduct()->CountPendingActions() == 0 &&
               !GetProduct()->GetBusyBits();
    }
    // A click on a button of the options pop-up.
    void clickOption(int left)
    {
        harness->click(onScreen(main, kSampleOptionsLeft + left + 20, kSampleOptionsTop + 30));
    }
};

TEST_F(SamplePromisesTest, TheBarsBackButtonGoesBackToThePageBefore)
{
    // The bar marks the first page from the start: home underlined, back
    // greyed, as there is nowhere to go back to yet.
    script.then("the bar's first page marked",
                [this] {
                    return firstPageIs(kSampleNavigationHome) &&
                           colourAt(main, kHomeButton + 20, kBarTop + 51) == paletteColour(kSampleWhite) &&
                           colourAt(main, kBackButton + 2, kBarTop + 8) == paletteColour(248);
                },
                [this] { clickBar(kSecondButton); });
    // The pages the bar's buttons opened make the history back goes through.
    script.then("its second page", [] { return firstPageIs(kSampleNavigationSecond); }, [this] { clickBar(kHomeButton); });
    script.then("home again", [] { return firstPageIs(kSampleNavigationHome); }, [this] { clickBar(kBackButton); });
    script.waitFor("back on the second page", [] { return firstPageIs(kSampleNavigationSecond); });
    runScriptFrom(kNavigationStart);
}

TEST_F(SamplePromisesTest, TheOptionsPrintThePageIntoTheDocumentsFolderAndCopyItToTheDesktopsClipboard)
{
    const std::string documents = config.root() + "/Documents";
    std::filesystem::create_directories(documents);
    plat::SetDocumentsFolderHost(documents);
    // A box that says where the pages went is answered; any other is not.
    plat::SetResponder([this, documents](const plat::UiRequest& r) -> std::optional<int> {
        if (r.text.find("Documents") == std::string::npos)
            unexpected.push_back(r.text);
        return kAnswerOk;
    });
    auto printed = [documents] {
        for (const auto& entry : std::filesystem::directory_iterator(documents))
            if (entry.path().extension() == ".png")
                return true;
        return false;
    };
    script.then("the bar's first page", [] { return firstPageIs(kSampleNavigationHome); },
                [this] { clickBar(kOptionsButton); });
    script.then("the options", [] { return page(kSampleOptionsPage) != nullptr; },
                [this] { clickOption(kSampleOptionsPrintX); });
    script.then("a printed page", printed, [this] { clickOption(kSampleOptionsCopyX); });
    script.waitFor("the page on the desktop's clipboard",
                   [this] { return harness->backend().hostClipboard().rfind("\x89PNG", 0) == 0; });
    runScriptFrom(kNavigationStart);
    plat::SetDocumentsFolderHost("");
}

TEST_F(SamplePromisesTest, TheIndexOpensTheEntryTypedWithEnter)
{
    script.then("the index", [] { return firstPageIs(kSampleIndexPage); },
                [this] {
                    clickContent(100, 235);  // its edit box
                    harness->typeText("Gallery");
                    harness->tap(plat::VK_RETURN);
                });
    script.waitFor("the gallery", [] { return firstPageIs(3); });
    runScriptFrom(kIndexStart);
}

TEST_F(SamplePromisesTest, AfterALoginTheIndexIsReachedAndTheVisitsTickIt)
{
    logInAsNewUser("Vera");
    script.then("the welcome page", [] { return firstPageIs(kSampleWelcomePage); },
                [this] { clickContent(kSampleIndexLink); });
    script.then("the index", [] { return firstPageIs(kSampleIndexPage); }, [this] { clickContent(460, 240); });
    script.waitFor("the visits, the index ticked", [] {
        JxCUserRecord* user = GetTitleData() ? GetTitleData()->GetUserRecord() : nullptr;
        return firstPageIs(kSampleVisitsPage) && user && user->IsVisited(4) && user->IsVisited(5);
    });
    runScriptFrom(kGreetingStart);
}

TEST_F(SamplePromisesTest, TheGreetingBehindTheLoginNamesNobody)
{
    // A name display reads "Hello, ." while nobody has logged in.
    int nameDisplays = -1;
    script.waitFor("the login over the greeting", [&nameDisplays] {
        JxCPageObject* greeting = page(kSampleGreetingPage);
        JxCPanelObject* panel = greeting ? greeting->FindPanelById(1) : nullptr;
        if (!panel || !page(kSampleLoginPage))
            return false;
        nameDisplays = 0;
        JxCDisplayObjectList& objects = panel->GetDisplayObjects();
        for (JxCDisplayObject* o = objects.GetFirst(); o; o = objects.GetNext(o))
            nameDisplays += dynamic_cast<JxCNameDisplay*>(o) != nullptr;
        return true;
    });
    runScriptFrom(kGreetingStart);
    EXPECT_EQ(nameDisplays, 0);
}

TEST_F(SamplePromisesTest, AnEditBoxsFirstLetterHasNoFrameUnderIt)
{
    std::vector<std::uint32_t> leftEdge;
    script.then("the gallery's name box", [] { return firstPageIs(3); },
                [this] {
                    clickContent(120, 125);
                    harness->typeText("M");
                });
    script.then("the letter typed", [] { return true; },
                [this, &leftEdge] {
                    // The box's two left columns, between its lines.
                    for (int x = 40; x < 42; ++x)
                        for (int y = 60 + 111; y < 60 + 138; ++y)
                            leftEdge.push_back(colourAt(main, x, y));
                });
    runScriptFrom(kGalleryStart);
    ASSERT_FALSE(leftEdge.empty());
    for (std::uint32_t colour : leftEdge) {
        EXPECT_NE(colour, paletteColour(kSampleNavy));
        EXPECT_NE(colour, paletteColour(kSampleTeal));
    }
}

}  // namespace
