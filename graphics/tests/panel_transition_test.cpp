#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "graphics/JxCDisplaySlate.h"
#include "graphics/JxPanelTransition.h"
#include "graphics/tests/transition_fixture.h"

namespace {

constexpr std::uint8_t kOld = 30;
constexpr std::uint8_t kNew = 200;

TEST(TransitionTables, KeywordsGiveTheirTypesAndEverythingElseNone)
{
    EXPECT_EQ(GetTransitionType("none"), 0);
    EXPECT_EQ(GetTransitionType("zoom"), 0);
    EXPECT_EQ(GetTransitionType("boxy_dissolve"), 10);
    EXPECT_EQ(GetTransitionType("wipe_up"), 6);
    EXPECT_EQ(GetTransitionType("wipe_down"), 7);
    EXPECT_EQ(GetTransitionType("wipe_left"), 8);
    EXPECT_EQ(GetTransitionType("wipe_right"), 9);
    EXPECT_EQ(GetTransitionType("slide_up"), 0);
    EXPECT_EQ(GetTransitionType(""), 0);
    EXPECT_EQ(FindTransitionKeyword("wipe_up"), 3);
    EXPECT_EQ(GetTransitionTypeAt(-1), 0);
    EXPECT_EQ(GetTransitionTypeAt(7), 0) << "past the table";
}

TEST(DissolveRegister, BitLengthsAndMasks)
{
    EXPECT_EQ(BitLength(1), 1u);
    EXPECT_EQ(BitLength(641), 10u);
    EXPECT_EQ(BitLength(461), 9u);
    EXPECT_EQ(BitLength(0xFFFFFFFFu), 32u);
    EXPECT_EQ(GetDissolveTapMask(0), 0u);
    EXPECT_EQ(GetDissolveTapMask(1), 0u);
    EXPECT_EQ(GetDissolveTapMask(8), 0xB8u);
    EXPECT_EQ(GetDissolveTapMask(19), 0x72000u);
    EXPECT_EQ(GetDissolveTapMask(32), 0xA3000000u);
    EXPECT_EQ(GetDissolveTapMask(33), 0u) << "no register is wider than 32 bits";
}

TEST(DissolveRegister, EveryMaskUpToTwentyBitsVisitsEveryValueOnce)
{
    for (std::uint32_t width = 2; width <= 20; ++width) {
        const std::uint32_t mask = GetDissolveTapMask(width);
        std::uint32_t v = 1;
        std::uint64_t steps = 0;
        do {
            const bool out = v & 1;
            v >>= 1;
            if (out)
                v ^= mask;
            ++steps;
        } while (v != 1 && steps <= (1u << width));
        EXPECT_EQ(steps, (1u << width) - 1) << "width " << width;
    }
}

TEST(DissolveRegister, StepsCopyEveryPixelButTheFirstAndStayInsideBothBuffers)
{
    // A 640 by 460 panel: 29,440 pixels a pass, ten passes.
    const std::uint32_t pixels = 640 * 460;
    std::vector<std::uint8_t> source(pixels, 7);
    std::vector<std::uint8_t> target(pixels, 0);
    const std::uint32_t mask = GetDissolveTapMask(BitLength(641) + BitLength(461));
    ASSERT_EQ(mask, 0x72000u);
    std::uint32_t v = 1;
    int passes = 0;
    std::uint32_t before = 0;
    do {
        v = DissolveStep(source, target, pixels, v, mask, pixels / 10, 641);
        ++passes;
        const auto now = std::uint32_t(std::count(target.begin(), target.end(), 7));
        if (v != 1) {
            EXPECT_EQ(now - before, 29440u) << "pass " << passes;
        }
        before = now;
    } while (v != 1 && passes < 20);
    EXPECT_EQ(passes, 10);
    EXPECT_EQ(target[0], 0) << "offset 0 is left to the final copy";
    EXPECT_EQ(std::count(target.begin(), target.end(), 7), pixels - 1);

    // A limit past a buffer's end touches nothing beyond it (the sanitizer
    // watches), and a count of 0 runs the whole sequence in one call.
    std::vector<std::uint8_t> small(100, 0);
    EXPECT_EQ(DissolveStep(source, small, pixels, 1, mask, 0, 641), 1u);
    EXPECT_EQ(std::count(small.begin(), small.end(), 7), 99);
    std::vector<std::uint8_t> shortSource(50, 7);
    std::vector<std::uint8_t> wide(200, 0);
    DissolveStep(shortSource, wide, 200, 1, GetDissolveTapMask(8), 0, 17);
    EXPECT_EQ(std::count(wide.begin(), wide.end(), 7), 49);

    // A register that never comes back to 1 (mask 1 sticks at 0) still ends.
    EXPECT_NE(DissolveStep(source, target, pixels, 6, 1, 0, 641), 1u);
    EXPECT_EQ(DissolveStep(source, target, pixels, 0, mask, 0, 641), 0u);
}

TEST(WipeStep, TheStatisticChoosesThePasses)
{
    EXPECT_EQ(GetTransitionStepForImage(640, 460, 0, 256, 1), 46);
    EXPECT_EQ(GetTransitionStepForImage(640, 460, 0, 256, 0), 64);
    // Passes of about a millisecond: 750 passes, so a small panel gets no
    // step at all.
    EXPECT_EQ(GetTransitionStepForImage(100, 100, 0, 105, 1), 0);
    // A slow machine (over 200 ms a pass) does it in one pass.
    EXPECT_EQ(GetTransitionStepForImage(640, 460, 0, 1000, 1), 460);
    // Products past 32 bits are not wrapped into a fast machine.
    EXPECT_EQ(GetTransitionStepForImage(640, 460, 0, 0xFFFFFFFFu, 0), 640);
    // A given duration replaces the 750 ms; a negative one counts as 1.
    EXPECT_EQ(GetTransitionStepForImage(640, 460, 1420, 256, 1), 23);
    EXPECT_EQ(GetTransitionStepForImage(640, 460, -5, 256, 1), 460);
    EXPECT_EQ(GetTransitionStepForImage(0, 0, 0, 256, 1), 0);
}

class PanelTransitionTest : public TransitionTest {
protected:
    void SetUp() override
    {
        TransitionTest::SetUp();
        SetWipeSpeedStatistic(256);
        window = Window(0, 0, 640, 460);
        screen = std::make_unique<JxCDisplaySlate>(window, 0, 0);
        JxCMemorySlate old(640, 460);
        Fill(old, [](int, int) { return kOld; });
        JxCSlate::Blit(screen.get(), &old, nullptr, nullptr, 0);
        onWait = [this] {
            passSlates.push_back(panel.slate != nullptr);
            inTransition.push_back(panel.inTransition);
            rows.push_back(newRows());
        };
    }
    void TearDown() override
    {
        screen.reset();
        plat::DestroyWindow(window);
        TransitionTest::TearDown();
    }

    // Rows from the top of column 5 that show the new picture.
    int newRows() const
    {
        plat::HDC dc = plat::GetDC(window);
        int n = 0;
        while (n < 460 && ScreenRgb(dc, 5, n) == PaletteRgb(kNew))
            ++n;
        plat::ReleaseDC(window, dc);
        return n;
    }
    bool screenShows(JxCMemorySlate& picture, int top)
    {
        plat::HDC dc = plat::GetDC(window);
        bool same = true;
        for (int y = 0; y < 460 && same; y += 7)
            for (int x = 0; x < 640 && same; x += 5)
                same = ScreenRgb(dc, x, y) == PaletteRgb(Px(picture, x, y + top));
        plat::ReleaseDC(window, dc);
        return same;
    }

    plat::HWND window = nullptr;
    std::unique_ptr<JxCDisplaySlate> screen;
    JxCTransitionState panel;
    std::vector<bool> passSlates;
    std::vector<int> inTransition;
    std::vector<int> rows;
};

TEST_F(PanelTransitionTest, AWipeDownOverADoubleSourceRunsTenPassesOf46Rows)
{
    // The new picture above the old one; the source window moves up.
    JxCMemorySlate source(640, 920);
    Fill(source, [](int x, int y) { return y < 460 ? (x < 320 ? kNew : kNew + 1) : kOld; });
    std::vector<std::string> goldens;
    onWait = [&] {
        rows.push_back(newRows());
        inTransition.push_back(panel.inTransition);
        if (rows.size() == 1 || rows.size() == 5)
            goldens.push_back(Golden("wipe_down_pass" + std::to_string(rows.size())));
    };
    const std::uint64_t start = harness.now();
    RunPanelTransition(panel, screen.get(), JxCRect(0, 0, 640, 460), &source, kTransitionWipeDown, 0);
    EXPECT_EQ(rows, (std::vector<int>{46, 92, 138, 184, 230, 276, 322, 368, 414, 460}));
    EXPECT_EQ(inTransition, std::vector<int>(10, 1));
    EXPECT_EQ(panel.inTransition, 0);
    EXPECT_EQ(harness.now() - start, 750u) << "ten passes of 75 ms";
    EXPECT_TRUE(screenShows(source, 0));
    EXPECT_EQ(Golden("wipe_down_end"), "");
    for (const std::string& g : goldens)
        EXPECT_EQ(g, "");
}

TEST_F(PanelTransitionTest, AWipeUpEndsOnTheSourceWindowMovedByTheFullExtent)
{
    // Old picture above the new one; the source window moves down.
    JxCMemorySlate source(640, 920);
    Fill(source, [](int, int y) { return y < 460 ? kOld : kNew; });
    RunPanelTransition(panel, screen.get(), JxCRect(0, 0, 640, 460), &source, kTransitionWipeUp, 0);
    EXPECT_EQ(waits, 10);
    EXPECT_TRUE(screenShows(source, 460));
}

TEST_F(PanelTransitionTest, AFastMachineStillSeesAWipeOfAtMostTenPasses)
{
    JxCMemorySlate source(1280, 460);
    Fill(source, [](int x, int) { return x < 640 ? kNew : kOld; });
    SetWipeSpeedStatistic(0);  // passes that take no time at all
    RunPanelTransition(panel, screen.get(), JxCRect(0, 0, 640, 460), &source, kTransitionWipeRight, 0);
    EXPECT_EQ(waits, 10);
    EXPECT_TRUE(screenShows(source, 0));
}

TEST_F(PanelTransitionTest, WaveCompletionsAreServedAndInputWaitsForTheEnd)
{
    plat::HWND recorder = Recorder();
    plat::PostMessageA(recorder, plat::MM_WOM_DONE, 0, 0);
    harness.click({100, 100});
    onWait = [&] {
        if (waits == 3)
            plat::PostMessageA(recorder, plat::MM_WOM_DONE, 0, 0);
    };
    JxCMemorySlate source(640, 920);
    RunPanelTransition(panel, screen.get(), JxCRect(0, 0, 640, 460), &source, kTransitionWipeDown, 0);
    EXPECT_EQ(CountDispatched(plat::MM_WOM_DONE), 2);
    plat::MSG msg{};
    EXPECT_TRUE(plat::PeekMessageA(&msg, nullptr, plat::WM_LBUTTONDOWN, plat::WM_LBUTTONDOWN, plat::PM_REMOVE))
        << "the click is still queued";
    plat::DestroyWindow(recorder);
}

TEST_F(PanelTransitionTest, TheDissolveRunsTenPassesAndEndsExact)
{
    JxCMemorySlate source(640, 460);
    Fill(source, [](int x, int y) { return (x / 40 + y / 40) % 2 ? kNew : kNew + 2; });
    std::vector<std::string> goldens;
    onWait = [&] {
        passSlates.push_back(panel.slate != nullptr);
        EXPECT_TRUE(busyBit);
        if (passSlates.size() == 3)
            goldens.push_back(Golden("dissolve_pass3"));
    };
    RunPanelTransition(panel, screen.get(), JxCRect(0, 0, 640, 460), &source, kTransitionBoxyDissolve, 0);
    EXPECT_EQ(passSlates, std::vector<bool>(10, true));
    EXPECT_EQ(panel.slate, nullptr);
    EXPECT_EQ(marksBusy, 1);
    EXPECT_EQ(marksIdle, 1);
    EXPECT_FALSE(busyBit);
    EXPECT_TRUE(screenShows(source, 0));
    for (const std::string& g : goldens)
        EXPECT_EQ(g, "");
}

TEST_F(PanelTransitionTest, ADissolveOfAPanelAwayFromTheOriginStaysInThePanel)
{
    JxCMemorySlate source(200, 100, 300, 200);
    Fill(source, [](int, int) { return kNew; });
    std::set<int> outside;
    onWait = [&] {
        plat::HDC dc = plat::GetDC(window);
        outside.insert(int(ScreenRgb(dc, 10, 10) == PaletteRgb(kNew)));
        plat::ReleaseDC(window, dc);
    };
    RunPanelTransition(panel, screen.get(), JxCRect(300, 200, 500, 300), &source, kTransitionBoxyDissolve, 0);
    EXPECT_EQ(outside, std::set<int>{0}) << "nothing lands at the page's corner";
    plat::HDC dc = plat::GetDC(window);
    EXPECT_EQ(ScreenRgb(dc, 300, 200), PaletteRgb(kNew));
    EXPECT_EQ(ScreenRgb(dc, 499, 299), PaletteRgb(kNew));
    EXPECT_EQ(ScreenRgb(dc, 299, 199), PaletteRgb(kOld));
    plat::ReleaseDC(window, dc);
}

TEST_F(PanelTransitionTest, ClosingPopupsAndEmptyPanelsMakeOnlyTheFinalCopy)
{
    JxCMemorySlate source(640, 920);
    Fill(source, [](int, int y) { return y < 460 ? kNew : kOld; });
    closingPopup = true;
    for (std::int32_t type : {6, 7, 8, 9, 10}) {
        RunPanelTransition(panel, screen.get(), JxCRect(0, 0, 640, 460), &source, type, 0);
        EXPECT_EQ(waits, 0) << type;
        EXPECT_EQ(newRows(), 460) << type;
    }
    EXPECT_EQ(marksBusy, 0);
    closingPopup = false;
    for (std::int32_t type : {7, 10}) {
        RunPanelTransition(panel, screen.get(), JxCRect(10, 10, 10, 400), &source, type, 0);
        EXPECT_EQ(waits, 0) << "a zero area does nothing, type " << type;
    }
    EXPECT_EQ(marksBusy, 0);
    // Types without an effect show the picture at once.
    for (std::int32_t type : {0, 17, 18}) {
        Fill(source, [type](int, int) { return std::uint8_t(type + 1); });
        RunPanelTransition(panel, screen.get(), JxCRect(0, 0, 640, 460), &source, type, 0);
        EXPECT_EQ(waits, 0);
        EXPECT_TRUE(screenShows(source, 0)) << type;
    }
}

}  // namespace
