#include <gtest/gtest.h>

#include "foundation/JxCMungeFile.h"
#include "media/JxPicsNames.h"
#include "media/tests/pics_test_support.h"
#include "platform/fs/paths.h"
#include "testkit/data_store.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using testkit::PicsFile;
using testkit::PicsFrame;

class PicsSourceTest : public PicsTest {
protected:
    void SetUp() override
    {
        PicsTest::SetUp();
        plat::testing::TempConfig::writeFile(config.program() + "/DATA/.keep", "");
        Settings("");
    }
    void Settings(const std::string& extra)
    {
        iniFile("[Directory]\nData=" + programFolder() + "DATA\n" + extra);
        ResetStartupSettings();
        ReadSettings();
    }
    // An animation of that many frames: the count tells the files apart.
    static Bytes Animation(std::uint32_t frames)
    {
        PicsFile ani;
        for (std::uint32_t i = 0; i < frames; ++i)
            ani.frame(PicsFrame::Of(0, 0, 3, 2, Bytes(6, std::uint8_t(i))));
        return ani.Bytes();
    }
    // Opens by media name and answers the frame count, or -status.
    long Opened(const std::string& name)
    {
        status = -1;
        auto player = OpenPICSByName(name, 1, &status);
        return player ? long(GetPICSFrameCount(player.get())) : -long(status);
    }
};

TEST_F(PicsSourceTest, EachNamePrefixOpensItsOwnSource)
{
    WriteProgramFile("kelbo32.resources/WINPICS/INTRO.ani", Animation(2));
    WriteProgramFile("LOGO.ani", Animation(3));
    WriteProgramFile("ANIMS/ABS.ANI", Animation(4));
    WriteProgramFile("DATA/PLAIN.ani", Animation(5));
    ResetResourceLibraries();

    EXPECT_EQ(Opened("@INTRO"), 2);
    EXPECT_EQ(Opened("&LOGO"), 3);
    // A backslash name starts at the root of the current drive.
    ASSERT_EQ(plat::_chdrive(programFolder()[0] - 'A' + 1), 0);
    EXPECT_EQ(Opened("\\ANIMS\\ABS.ANI"), 4);
    EXPECT_EQ(Opened("PLAIN.ani"), 5);

    // A plain name gets no extension, so it must end in ".ani" itself.
    EXPECT_EQ(Opened("PLAIN"), -kPicsNotAnimation);
    // A missing file of its own is named.
    answers = {kAnswerOk, kAnswerOk};
    EXPECT_EQ(Opened("@MISSING"), -kPicsCannotOpen);
    EXPECT_EQ(Opened("&MISSING"), -kPicsCannotOpen);
    EXPECT_EQ(Opened("MISSING.ani"), -kPicsCannotOpen);
    ASSERT_EQ(boxes.size(), 2u);
    for (const plat::UiRequest& box : boxes)
        EXPECT_NE(box.text.find("(id = 1182)"), std::string::npos) << box.text;
    EXPECT_EQ(ResolvePicsName("&LOGO").path, programFolder() + "LOGO.ani");
    EXPECT_EQ(ResolvePicsName("SUB\\X.ani").path, programFolder() + "DATA\\SUB\\X.ani");
    EXPECT_TRUE(ResolvePicsName("@X").byResource);
}

TEST_F(PicsSourceTest, UnderMungeTheStoreResolvesTheSameName)
{
    testkit::DataStore items;
    items.item("PICS\\WALK.ANI", Animation(6));
    WriteProgramFile("DATA/DATA.MNG", items.Bytes());
    // The loose file would give another count: the store must be the one read.
    WriteProgramFile("DATA/PICS/WALK.ANI", Animation(1));
    Settings("Munge=1\n");
    store = std::make_unique<JxCMungeFile>((programFolder() + "DATA\\DATA.MNG").c_str());
    ASSERT_TRUE(store->IsOpen());

    EXPECT_EQ(Opened("PICS\\walk.ani"), 6);
    EXPECT_EQ(Opened("PICS\\RUN.ANI"), -kPicsCannotOpen);
    // Resources are not in the store.
    WriteProgramFile("kelbo32.resources/WINPICS/INTRO.ani", Animation(2));
    ResetResourceLibraries();
    EXPECT_EQ(Opened("@INTRO"), 2);
}

TEST_F(PicsSourceTest, EverySourceFailsAReadPastItsEnd)
{
    // A frame whose last picture byte is missing, in each kind of source.
    const Bytes whole = Animation(1);
    const Bytes cut(whole.begin(), whole.end() - 1);
    testkit::DataStore items;
    items.item("CUT.ANI", cut).item("NEXT.ANI", Bytes(64, 1));
    WriteProgramFile("DATA/DATA.MNG", items.Bytes());
    WriteProgramFile("DATA/CUT.ani", cut);
    WriteProgramFile("kelbo32.resources/WINPICS/CUT.ani", cut);
    ResetResourceLibraries();

    EXPECT_EQ(Opened("CUT.ani"), -kPicsReadFailed);
    EXPECT_EQ(Opened("@CUT"), -kPicsReadFailed);
    Settings("Munge=1\n");
    store = std::make_unique<JxCMungeFile>((programFolder() + "DATA\\DATA.MNG").c_str());
    EXPECT_EQ(Opened("CUT.ani"), -kPicsReadFailed);
}

TEST_F(PicsSourceTest, AStoreItemReadAfterItsStoreWentReadsNothing)
{
    testkit::DataStore items;
    items.item("A.ANI", Animation(3));
    WriteProgramFile("DATA/DATA.MNG", items.Bytes());
    Settings("Munge=1\n");
    store = std::make_unique<JxCMungeFile>((programFolder() + "DATA\\DATA.MNG").c_str());
    auto player = OpenPICSByName("A.ANI", 1, &status);
    ASSERT_TRUE(player);
    store.reset();
    EXPECT_EQ(ReadFrame(player.get(), nullptr, 0, 0, 0), kPicsReadFailed);
}

}  // namespace
