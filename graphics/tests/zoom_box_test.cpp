#include <gtest/gtest.h>

#include <vector>

#include "graphics/JxCDisplaySlate.h"
#include "graphics/JxZoomBox.h"
#include "graphics/tests/transition_fixture.h"
#include "platform/screen/screen.h"

namespace {

TEST(ZoomFrames, EaseInStartsSlowlyAndEaseOutFast)
{
    const JxCRect point(100, 100, 100, 100);
    const JxCRect page(0, 0, 640, 480);
    EXPECT_EQ(ZoomFrame(point, page, 0, true), point);
    EXPECT_EQ(ZoomFrame(point, page, 1, true), JxCRect(99, 99, 105, 103));
    EXPECT_EQ(ZoomFrame(point, page, 9, true), page);
    EXPECT_EQ(ZoomFrame(page, point, 0, false), page);
    EXPECT_EQ(ZoomFrame(page, point, 1, false), JxCRect(30, 30, 478, 366)) << "30 per cent of the way at once";
    EXPECT_EQ(ZoomFrame(page, point, 9, false), point);
}

TEST(ZoomFrames, TheWindowTransitionTable)
{
    EXPECT_EQ(GetWindowTransition(1).kind, kWindowZoom);
    EXPECT_EQ(GetWindowTransition(1).sound, "zm");
    EXPECT_EQ(GetWindowTransition(3).kind, kWindowAnimation);
    EXPECT_EQ(GetWindowTransition(3).sound, "");
    EXPECT_EQ(GetWindowTransition(11).keyword, "unslide_right");
    EXPECT_EQ(GetWindowTransition(12).kind, kWindowNone);
    EXPECT_EQ(GetWindowTransition(-1).kind, kWindowNone);
    EXPECT_EQ(GetWindowTransition(-1).sound, "");
    EXPECT_EQ(FindWindowTransition("anim"), 3);
    EXPECT_EQ(FindWindowTransition("ZOOM"), -1);
}

class ZoomBoxTest : public TransitionTest {
protected:
    void SetUp() override
    {
        TransitionTest::SetUp();
        // A patterned page under the zoom, so that every outline shows.
        page = Window(0, 0, 640, 480);
        JxCDisplaySlate screen(page, 0, 0);
        JxCMemorySlate picture(640, 480);
        Fill(picture, [](int x, int y) { return (x / 64 + y / 48) % 2 ? 40 : 90; });
        JxCSlate::Blit(&screen, &picture, nullptr, nullptr, 0);
        dataPath = programFolder();
    }
    void TearDown() override
    {
        plat::DestroyWindow(page);
        TransitionTest::TearDown();
    }

    static std::vector<std::uint32_t> Screen()
    {
        const plat::Screen& s = plat::TheScreen();
        return std::vector<std::uint32_t>(s.pixels(), s.pixels() + s.stride() * s.height());
    }

    plat::HWND page = nullptr;
};

TEST_F(ZoomBoxTest, AZoomDrawsATrailOfThreeAndLeavesTheScreenAsItWas)
{
    const std::vector<std::uint32_t> before = Screen();
    std::vector<std::string> goldens;
    const auto at = [](const std::vector<std::uint32_t>& pixels, int x, int y) {
        return pixels[std::size_t(y * plat::TheScreen().stride() + x)];
    };
    onWait = [&] {
        if (waits == 2) {
            // Frame 1 is on the screen, inverted: its corners, not inside.
            const std::vector<std::uint32_t> now = Screen();
            EXPECT_NE(at(now, 99, 99), at(before, 99, 99));
            EXPECT_NE(at(now, 105, 103), at(before, 105, 103));
            EXPECT_NE(at(now, 102, 103), at(before, 102, 103));
            EXPECT_EQ(at(now, 102, 101), at(before, 102, 101));
        }
        if (waits == 4 || waits == 9)
            goldens.push_back(Golden("zoom_tick" + std::to_string(waits)));
    };
    const std::uint64_t start = harness.now();
    ZoomBox(JxCRect(100, 100, 100, 100), JxCRect(0, 0, 640, 480), 1);
    EXPECT_EQ(waits, 11) << "twelve ticks, the first at once";
    EXPECT_EQ(harness.now() - start, 550u);
    EXPECT_TRUE(Screen() == before);
    for (const std::string& g : goldens)
        EXPECT_EQ(g, "");

    // Between equal rectangles the same outline is drawn and erased.
    ZoomBox(JxCRect(10, 10, 200, 100), JxCRect(10, 10, 200, 100), 0);
    EXPECT_TRUE(Screen() == before);
}

TEST_F(ZoomBoxTest, MouseInputIsDroppedWhileQuitAndThePrivateMessagesSurvive)
{
    plat::HWND recorder = Recorder();
    plat::PostMessageA(recorder, plat::WM_USER, 0, 0);
    plat::PostMessageA(recorder, plat::WM_USER + 1, 0, 0);
    harness.click({705, 505});
    ZoomBox(JxCRect(100, 100, 100, 100), JxCRect(0, 0, 640, 480), 1);
    EXPECT_EQ(CountDispatched(plat::WM_USER), 1);
    EXPECT_EQ(CountDispatched(plat::WM_USER + 1), 1);
    EXPECT_EQ(CountDispatched(plat::WM_LBUTTONDOWN), 0);
    plat::MSG msg{};
    EXPECT_FALSE(plat::PeekMessageA(&msg, nullptr, plat::WM_MOUSEFIRST, plat::WM_MOUSELAST, plat::PM_NOREMOVE));

    // A quit ends the zoom at once, puts the screen back and stays queued.
    const std::vector<std::uint32_t> before = Screen();
    onWait = [&] {
        if (waits == 3)
            plat::PostQuitMessage(7);
    };
    waits = 0;
    ZoomBox(JxCRect(100, 100, 100, 100), JxCRect(0, 0, 640, 480), 1);
    EXPECT_EQ(waits, 3);
    EXPECT_TRUE(Screen() == before);
    ASSERT_TRUE(plat::PeekMessageA(&msg, nullptr, 0, 0, plat::PM_REMOVE));
    EXPECT_EQ(msg.message, plat::WM_QUIT);
    EXPECT_EQ(msg.wParam, 7u);
    plat::DestroyWindow(recorder);
}

TEST_F(ZoomBoxTest, OpeningAndClosingPlayTheNavigationSoundsThatExist)
{
    plat::testing::TempConfig::writeFile(config.program() + "/nav/zm.wav", "RIFF");
    plat::testing::TempConfig::writeFile(config.program() + "/nav/rzm.wav", "RIFF");
    JxZoomTarget target;
    target.x = 100;
    target.y = 50;
    target.width = 200;
    target.height = 150;
    target.transition = 1;
    target.point = JxCPoint(10, 10);
    target.parent = page;
    plat::HWND window = ZoomToPage(target);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(sounds, std::vector<std::string>{programFolder() + "nav\\zm.wav"});
    EXPECT_EQ(waits, 11) << "the zoom ran";
    EXPECT_EQ(marksBusy, 1);
    EXPECT_EQ(marksIdle, 1);

    pageWindows = {page};
    EXPECT_EQ(ZoomWindow(window, 1, std::nullopt), 1);
    EXPECT_FALSE(plat::IsWindow(window));
    EXPECT_EQ(sounds.back(), programFolder() + "nav\\rzm.wav");
    EXPECT_EQ(waits, 22);
    EXPECT_EQ(marksIdle, 2);

    // A window that no longer exists: nothing at all.
    EXPECT_EQ(ZoomWindow(window, 1, std::nullopt), 0);
    EXPECT_EQ(waits, 22);
    EXPECT_EQ(sounds.size(), 2u);
    EXPECT_EQ(marksBusy, marksIdle);
}

TEST_F(ZoomBoxTest, MissingSoundsSuppressionAndABusyProduct)
{
    JxZoomTarget target;
    target.width = 50;
    target.height = 50;
    target.transition = 1;
    busyCount = 1;
    plat::HWND window = ZoomToPage(target);
    EXPECT_TRUE(sounds.empty()) << "no file, no sound";
    EXPECT_EQ(waits, 11) << "the zoom still runs";
    EXPECT_EQ(marksBusy, 0) << "a busy product is not marked again";
    plat::testing::TempConfig::writeFile(config.program() + "/nav/rzm.wav", "RIFF");
    soundSuppressed = true;
    ZoomWindow(window, 1, JxCPoint(0, 0));
    EXPECT_TRUE(sounds.empty());

    // No transition, or popups being closed: no zoom, only the window.
    busyCount = 0;
    soundSuppressed = false;
    plat::testing::TempConfig::writeFile(config.program() + "/nav/zm.wav", "RIFF");
    waits = 0;
    target.transition = 0;
    plat::DestroyWindow(ZoomToPage(target));
    closingPopup = true;
    target.transition = 1;
    plat::DestroyWindow(ZoomToPage(target));
    EXPECT_EQ(waits, 0);
    EXPECT_TRUE(sounds.empty());
    EXPECT_EQ(created, (std::vector<std::int32_t>{1, 0, 1}));
}

TEST_F(ZoomBoxTest, AnAnimationWithoutACurrentPageOpensNoWindow)
{
    JxZoomTarget target;
    target.transition = 3;
    EXPECT_EQ(ZoomToPage(target), nullptr);
    EXPECT_TRUE(created.empty());
    EXPECT_EQ(marksBusy, 1);
    EXPECT_EQ(marksIdle, 1) << "the busy mark is taken back";
    // With a page but no animation file the window still opens.
    firstPanel = nullptr;
    plat::HWND window = ZoomToPage(target);
    EXPECT_NE(window, nullptr);
    plat::DestroyWindow(window);
}

}  // namespace
