// The sample title's animation page, run whole and headless: its animated
// hotspot plays its animation as the page starts, to its last frame, and a
// click plays it again from its start.

#include <gtest/gtest.h>

#include "platform/screen/screen.h"
#include "platform/window/window.h"
#include "testkit/sample_animation_hotspot.h"
#include "testkit/sample_title.h"
#include "tests/program_fixture.h"

namespace {

constexpr int kSamplePage = 30;
// The content panel's top on the page.
constexpr int kContentTop = 60;

std::uint32_t colourOf(std::uint8_t index)
{
    const testkit::Rgb c = testkit::SamplePalette()[index];
    return std::uint32_t(c[0]) << 16 | std::uint32_t(c[1]) << 8 | c[2];
}

// The colour of a point of the animation's frames (their own coordinates).
std::uint32_t animationAt(plat::HWND main, int x, int y)
{
    plat::POINT p{testkit::kSampleAnimX + x, kContentTop + testkit::kSampleAnimY + y};
    plat::ClientToScreen(main, &p);
    return plat::TheScreen().pixels()[p.y * plat::TheScreen().stride() + p.x] & 0xFFFFFFu;
}

TEST_F(ProgramTest, TheSampleAnimationPlaysAsItsPageStartsAndAgainWhenClicked)
{
    const std::uint32_t rust = colourOf(testkit::kSampleRust);
    const std::uint32_t moss = colourOf(testkit::kSampleMoss);
    const std::uint32_t sand = colourOf(testkit::kSampleSand);
    // The block of frame n lies from x = 10 + 10 n, 24 wide, rows 30 to 70.
    const int lastBlock = 10 + 10 * (testkit::kSampleAnimFrames - 1) + 12;
    int step = 0;
    int firstFramesSeen = 0;
    bool finished = false;
    run([&](plat::HWND main) {
        JxCBaseProduct* product = GetProduct();
        JxCPageObject* page = product->GetCurrentPage();
        const bool onPage = page && page->GetPageDef() && page->GetPageDef()->GetPageId() == kSamplePage;
        switch (step) {
        case 0:
            product->GoToPage(kSamplePage, 0);
            ++step;
            return true;
        case 1:
            // Playing: the first frames show the block on the left, then the
            // last frame's moss block stays.
            if (onPage && animationAt(main, 20, 50) == rust)
                ++firstFramesSeen;
            if (!onPage || animationAt(main, lastBlock, 50) != moss)
                return false;
            EXPECT_GT(firstFramesSeen, 0);
            EXPECT_EQ(animationAt(main, 20, 50), sand);
            ++step;
            harness->advance(500);
            {
                plat::POINT at{testkit::kSampleAnimX + 80, kContentTop + testkit::kSampleAnimY + 50};
                plat::ClientToScreen(main, &at);
                harness->click(at);
            }
            return true;
        case 2:
            // Clicked: from its start again.
            if (animationAt(main, 20, 50) != rust)
                return false;
            EXPECT_NE(animationAt(main, lastBlock, 50), moss);
            finished = true;
            ++step;
            plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
            return true;
        default:
            return false;
        }
    });
    EXPECT_TRUE(finished) << "stopped at step " << step;
}

}  // namespace
