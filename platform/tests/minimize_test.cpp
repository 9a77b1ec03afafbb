// Minimised windows and the host window: ours minimised minimises the host
// window once none of ours shows any more, and the host window restored
// brings ours back, painted; the host minimised by the person takes ours
// with it.

#include <gtest/gtest.h>

#include "platform/screen/screen.h"
#include "platform/tests/window_fixture.h"

namespace plat::testing {
namespace {

class Minimize : public WindowTest {
protected:
    static constexpr DWORD kMain = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    static std::uint32_t screenAt(LONG x, LONG y)
    {
        Screen& s = TheScreen();
        return s.pixels()[size_t(y) * size_t(s.stride()) + size_t(x)] & 0xFFFFFF;
    }
};

TEST_F(Minimize, OurLastWindowMinimisedMinimisesTheHostWhichRestoredBringsItBackPainted)
{
    HWND main = top(100, 100, 300, 200, kMain);
    SetActiveWindow(main);
    harness.runUntilIdle();
    const std::uint32_t caption = screenAt(200, 110);

    // Its minimise box, as a click on it sends.
    SendMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    harness.runUntilIdle();
    EXPECT_TRUE(IsIconic(main));
    EXPECT_TRUE(harness.backend().hostMinimized());
    EXPECT_NE(screenAt(200, 110), caption) << "nothing of it shows on the desktop";

    harness.restoreHost();
    harness.runUntilIdle();
    EXPECT_FALSE(IsIconic(main));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_FALSE(harness.backend().hostMinimized());
    EXPECT_EQ(screenAt(200, 110), caption) << "painted again where it was";
}

TEST_F(Minimize, TheHostStaysWhileAnotherOfOurWindowsShowsAndComesBackWithTheRestoredOne)
{
    HWND a = top(50, 50, 200, 100, kMain);
    HWND b = top(300, 300, 200, 100, kMain);
    harness.runUntilIdle();
    ShowWindow(a, SW_MINIMIZE);
    EXPECT_FALSE(harness.backend().hostMinimized()) << "b still shows";
    ShowWindow(b, SW_MINIMIZE);
    EXPECT_TRUE(harness.backend().hostMinimized());
    // The program restores one of them itself: the host comes back with it.
    ShowWindow(b, SW_RESTORE);
    EXPECT_FALSE(harness.backend().hostMinimized());
    EXPECT_TRUE(IsIconic(a));
}

TEST_F(Minimize, TheHostMinimisedByThePersonTakesOurWindowsWithAMinimiseBoxWithIt)
{
    HWND main = top(100, 100, 300, 200, kMain);
    HWND plain = top(450, 100, 100, 100);
    harness.runUntilIdle();
    harness.minimizeHost();
    EXPECT_TRUE(IsIconic(main));
    EXPECT_FALSE(IsIconic(plain)) << "it has no minimise box";
    harness.restoreHost();
    EXPECT_FALSE(IsIconic(main));
    EXPECT_TRUE(IsWindowVisible(main));
}

TEST_F(Minimize, WhereTheHostWindowStillShowsADoubleClickOnTheBareDesktopBringsOursBack)
{
    HWND main = top(100, 100, 300, 200, kMain);
    harness.runUntilIdle();
    ShowWindow(main, SW_MINIMIZE);
    harness.click({20, 580});
    harness.runUntilIdle();
    EXPECT_TRUE(IsIconic(main)) << "one click is not enough";
    harness.advance(1000);
    harness.doubleClick({20, 580});
    harness.runUntilIdle();
    EXPECT_FALSE(IsIconic(main));
    EXPECT_TRUE(IsWindowVisible(main));
}

}  // namespace
}  // namespace plat::testing
