// The program started whole on a title whose first page holds a marker
// object and an object whose click plays a movie at the marker and then
// opens page 2: the movie shows at the marker's place, frame by frame, and
// page 2 opens only once the movie has ended.

#include <gtest/gtest.h>

#include "platform/screen/screen.h"
#include "platform/tests/colour_movies.h"
#include "platform/window/window.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxCProduct.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxTypeRegistry.h"
#include "testkit/display_objects.h"
#include "testkit/title_panels.h"
#include "testkit/media_actions.h"
#include "testkit/title_folder.h"
#include "tests/program_fixture.h"
#include "title/JxClassRegistrations.h"

namespace {

using plat::testing::kMovieFrameColours;
using plat::testing::kMovieFrames;

// Page 1: panel 2 at (0, 60) holds the marker (id 5) at (100, 50) and the
// player (id 1), whose click plays "CLIP" at the marker, then opens page 2.
void writeTitle(const std::string& program)
{
    RegisterClasses();
    RegisterTypeIds();
    testkit::TitleFolder title;
    testkit::ProductData& data = title.data;
    data.product().name("Movie Title").size(646, 506).startPages({1});
    auto& t = data.templateDef(1, "BASE_PAGE");
    t.panel(1, "Display").at(0, 0).size(640, 60).colour(24, 40, 96);
    t.panel(2, "Display").at(0, 60).size(640, 360).colour(232, 216, 176);
    testkit::PlayVideo video;
    video.movie = "CLIP";
    video.marker = 5;
    testkit::PanelRecord panel(2);
    panel.add(testkit::HotspotRecord(0).id(5).rect(100, 50, 164, 98), data);
    panel.add(testkit::HotspotRecord(0)
                  .id(1)
                  .rect(300, 200, 340, 240)
                  .on("on_click", {testkit::PlayVideoAction(video, data.Intern("CLIP")), testkit::OpenPageAction(2)}),
              data);
    data.page(1, 1).name("Player").storedPanel("Display", testkit::TitlePanelBytes(panel));
    data.page(2, 1).name("After");
    title.Write(program);
    ReleaseTypeRegistries();
    UnregisterClasses();
}

class MoviePageTest : public ProgramTest {
protected:
    void SetUp() override
    {
        if (!plat::testing::HaveFfmpegProgram())
            GTEST_SKIP() << "the ffmpeg program is not installed (scripts/dev installs it)";
        ProgramTest::SetUp();
        writeTitle(config.program());
        testkit::MoveDataToDisc(config.program(), discFolder());
        ASSERT_TRUE(plat::testing::MakeColourMovie(discFolder() + "/CLIP.mov", plat::testing::kCinepakIma4));
    }
    void TearDown() override
    {
        if (!IsSkipped())
            ProgramTest::TearDown();
    }
};

TEST_F(MoviePageTest, TheMoviePlaysAtTheMarkerAndThePageOpensOnlyAfterItsEnd)
{
    std::uint64_t clicked = 0;
    std::uint64_t opened = 0;
    std::vector<std::pair<std::uint64_t, std::uint32_t>> seen;  // time after the click, colour at the marker
    run([&](plat::HWND main) {
        JxCBaseProduct* product = GetProduct();
        const std::uint64_t now = harness->now();
        if (!clicked) {
            JxCPageObject* page = product->GetFirstPage();
            if (!page || page->GetPageId() != 1)
                return false;
            JxCPanelObject* panel = page->GetPageDef()->GetPanelList().FindById(2);
            JxCDisplayObject* player = panel ? panel->FindObjectById(1) : nullptr;
            if (!player) {
                ADD_FAILURE() << "the player object is missing";
                plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
                return true;
            }
            clicked = now;
            player->DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_click)), 0);
            return true;
        }
        if (product->FindPageById(2)) {
            if (!opened) {
                opened = now;
                plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
                return true;
            }
            return false;
        }
        plat::POINT at{100 + 32, 60 + 50 + 24};
        plat::ClientToScreen(main, &at);
        seen.emplace_back(now - clicked,
                          plat::TheScreen().pixels()[at.y * plat::TheScreen().stride() + at.x] & 0xFFFFFF);
        if (now - clicked > 5000) {
            ADD_FAILURE() << "page 2 never opened";
            plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
            return true;
        }
        return false;
    });
    ASSERT_NE(clicked, 0u);
    ASSERT_NE(opened, 0u);
    EXPECT_GE(opened - clicked, 1200u) << "page 2 waited for the movie's end";
    EXPECT_LT(opened - clicked, 1600u);
    int frames = 0;
    for (const auto& [after, colour] : seen) {
        if (after >= 1200)
            continue;
        ++frames;
        EXPECT_TRUE(plat::testing::CloseColour(colour, kMovieFrameColours[after / 100]))
            << "at " << after << " ms: " << plat::testing::HexColour(colour);
    }
    EXPECT_GE(frames, kMovieFrames) << "a look at each frame";
}

}  // namespace
