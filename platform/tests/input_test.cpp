// Mouse and keyboard routing: capture, focus, double clicks, activation, the
// key messages, and the caption drag loop.

#include "platform/core/codepage.h"
#include "platform/tests/window_fixture.h"

namespace plat::testing {
namespace {

using Input = WindowTest;

TEST_F(Input, AClickArrivesAtClientCoordinatesOfTheWindowUnderIt)
{
    HWND w = top(100, 100, 300, 200);
    HWND c = child(w, 50, 40, 100, 100);
    harness.runUntilIdle();
    seen.clear();
    harness.click(clientToScreen(c, {7, 9}));
    harness.runUntilIdle();
    auto downs = of(WM_LBUTTONDOWN);
    auto ups = of(WM_LBUTTONUP);
    ASSERT_EQ(downs.size(), 1u);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(downs[0].hwnd, c);
    EXPECT_EQ(downs[0].lParam, MAKELPARAM(7, 9));
    EXPECT_EQ(downs[0].wParam, MK_LBUTTON);
    EXPECT_EQ(ups[0].wParam, 0u);
    // The cursor shape is asked for first.
    auto order = messagesOf(c, {WM_SETCURSOR, WM_LBUTTONDOWN});
    EXPECT_EQ(order.front(), WM_SETCURSOR);
}

TEST_F(Input, ClicksOnTheCaptionAreNonClientMessagesInScreenCoordinates)
{
    HWND w = top(100, 100, 300, 200, WS_CAPTION);
    harness.runUntilIdle();
    seen.clear();
    POINT p{200, 110};
    handlers[WM_NCLBUTTONDOWN] = [](HWND, WPARAM, LPARAM) { return LRESULT(0); };  // no drag
    harness.click(p);
    harness.runUntilIdle();
    auto downs = of(WM_NCLBUTTONDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].hwnd, w);
    EXPECT_EQ(LRESULT(downs[0].wParam), HTCAPTION);
    EXPECT_EQ(downs[0].lParam, MAKELPARAM(200, 110));
}

TEST_F(Input, CaptureTakesEveryMouseMessageAndTheOldOwnerIsReturned)
{
    HWND a = top(0, 0, 200, 200, WS_POPUP);
    HWND b = top(300, 0, 200, 200, WS_POPUP);
    harness.runUntilIdle();
    EXPECT_EQ(SetCapture(a), nullptr);
    EXPECT_EQ(SetCapture(b), a);
    auto changed = of(WM_CAPTURECHANGED);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].hwnd, a);
    EXPECT_EQ(changed[0].lParam, LPARAM(b));
    seen.clear();
    harness.click({50, 60});  // over a, outside b
    harness.runUntilIdle();
    auto downs = of(WM_LBUTTONDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].hwnd, b);
    EXPECT_EQ(GET_X_LPARAM(downs[0].lParam), 50 - 300);
    EXPECT_TRUE(of(WM_SETCURSOR).empty());
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
    seen.clear();
    harness.click({50, 60});
    harness.runUntilIdle();
    EXPECT_EQ(of(WM_LBUTTONDOWN).at(0).hwnd, a);
}

TEST_F(Input, CaptureSetByTheDownRoutesTheRestOfTheClick)
{
    HWND a = top(0, 0, 200, 200, WS_POPUP);
    HWND b = top(300, 0, 200, 200, WS_POPUP);
    harness.runUntilIdle();
    handlers[WM_LBUTTONDOWN] = [](HWND h, WPARAM, LPARAM) {
        SetCapture(h);
        return LRESULT(0);
    };
    seen.clear();
    harness.press({50, 50});
    harness.moveMouse({350, 50});
    harness.release({350, 50});
    harness.runUntilIdle();
    EXPECT_EQ(of(WM_MOUSEMOVE).back().hwnd, a);
    EXPECT_EQ(of(WM_LBUTTONUP).at(0).hwnd, a);
    EXPECT_TRUE(messagesOf(b, {WM_MOUSEMOVE, WM_LBUTTONUP}).empty());
}

TEST_F(Input, MovesCoalesceIntoTheLatest)
{
    HWND w = top(0, 0, 300, 300, WS_POPUP);
    harness.runUntilIdle();
    seen.clear();
    for (int i = 0; i < 10; ++i)
        harness.moveMouse({10 + i, 10});
    harness.runUntilIdle();
    auto moves = of(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].hwnd, w);
    EXPECT_EQ(GET_X_LPARAM(moves[0].lParam), 19);
}

TEST_F(Input, DoubleClicksNeedTheClassStyleTimeAndNearness)
{
    HWND dbl = top(0, 0, 200, 200, WS_POPUP);
    HWND plain = top(300, 0, 200, 200, WS_POPUP, "RecNoDbl");
    harness.runUntilIdle();
    seen.clear();
    harness.doubleClick({50, 50});
    harness.runUntilIdle();
    EXPECT_EQ(messagesOf(dbl, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
    seen.clear();
    harness.doubleClick({350, 50});
    harness.runUntilIdle();
    EXPECT_EQ(messagesOf(plain, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));
    // Too slow, too far, or a third click: plain presses.
    seen.clear();
    harness.click({50, 50});
    harness.advance(GetDoubleClickTime() + 1);
    harness.click({50, 50});
    harness.click({53, 50});
    harness.click({53, 50});
    harness.click({53, 50});
    harness.runUntilIdle();
    EXPECT_EQ(messagesOf(dbl, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDOWN, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK,
                                 WM_LBUTTONDOWN}));
}

TEST_F(Input, FocusMovesWithKillAndSetFocusAndKeysGoToIt)
{
    HWND w = top(0, 0, 200, 200, WS_POPUP);
    HWND a = child(w, 0, 0, 50, 50);
    HWND b = child(w, 60, 0, 50, 50);
    harness.runUntilIdle();
    EXPECT_EQ(GetFocus(), w);  // activation gave it the focus
    SetFocus(a);
    seen.clear();
    EXPECT_EQ(SetFocus(b), a);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].hwnd, a);
    EXPECT_EQ(seen[0].msg, WM_KILLFOCUS);
    EXPECT_EQ(seen[0].wParam, WPARAM(b));
    EXPECT_EQ(seen[1].hwnd, b);
    EXPECT_EQ(seen[1].msg, WM_SETFOCUS);
    EXPECT_EQ(seen[1].wParam, WPARAM(a));
    seen.clear();
    harness.tap('K');
    harness.runUntilIdle();
    EXPECT_EQ(messagesOf(b, {WM_KEYDOWN, WM_KEYUP}), (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP}));
    DestroyWindow(b);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(Input, KeyMessagesCarryTheWindowsBits)
{
    HWND w = top(0, 0, 200, 200, WS_POPUP);
    harness.runUntilIdle();
    seen.clear();
    InjectKey(VK_LEFT, true, 0x4B, true);
    InjectKey(VK_LEFT, true, 0x4B, true);  // auto-repeat
    InjectKey(VK_LEFT, false, 0x4B, true);
    harness.runUntilIdle();
    auto downs = of(WM_KEYDOWN);
    auto ups = of(WM_KEYUP);
    ASSERT_EQ(downs.size(), 2u);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(downs[0].lParam, LPARAM(1 | (0x4B << 16) | (1 << 24)));
    EXPECT_EQ(downs[1].lParam & KF_REPEAT_BIT, KF_REPEAT_BIT);
    EXPECT_EQ(DWORD(ups[0].lParam), DWORD(1 | (0x4B << 16) | (1 << 24) | (1 << 30) | (1u << 31)));
    EXPECT_GE(GetKeyState(VK_LEFT), 0);
    (void)w;
}

TEST_F(Input, AltMakesSystemKeysAndAltF4ClosesTheTopLevelWindow)
{
    HWND w = top(0, 0, 200, 200);
    HWND c = child(w, 0, 0, 50, 50);
    harness.runUntilIdle();
    SetFocus(c);
    seen.clear();
    harness.keyDown(VK_MENU);
    harness.tap(VK_F4);
    harness.keyUp(VK_MENU);
    harness.runUntilIdle();
    auto sys = of(WM_SYSKEYDOWN);
    ASSERT_EQ(sys.size(), 2u);
    EXPECT_EQ(sys[1].wParam, WPARAM(VK_F4));
    EXPECT_EQ(sys[1].lParam & KF_ALTDOWN_BIT, KF_ALTDOWN_BIT);
    auto cmds = of(WM_SYSCOMMAND);
    ASSERT_EQ(cmds.size(), 1u);
    EXPECT_EQ(cmds[0].hwnd, w);
    EXPECT_EQ(cmds[0].wParam, SC_CLOSE);
    EXPECT_FALSE(IsWindow(w));  // WM_CLOSE's default destroyed it
}

TEST_F(Input, TextArrivesAsCodePageBytes)
{
    HWND w = top(0, 0, 200, 200, WS_POPUP);
    harness.runUntilIdle();
    seen.clear();
    harness.typeText("a\xC3\xA9");  // a, e acute
    harness.tap(VK_RETURN);
    harness.runUntilIdle();
    std::vector<WPARAM> chars;
    for (const Seen& s : of(WM_CHAR))
        chars.push_back(s.wParam);
    EXPECT_EQ(chars, (std::vector<WPARAM>{'a', 0xE9, '\r'}));
    (void)w;
}

TEST_F(Input, ActivationTellsClickFromKeyboardAndTheApplicationHearsOfIt)
{
    HWND a = top(0, 0, 200, 200, WS_POPUP);
    HWND b = top(300, 0, 200, 200, WS_POPUP);
    harness.runUntilIdle();
    EXPECT_EQ(GetActiveWindow(), b);
    seen.clear();
    harness.click({50, 50});
    harness.runUntilIdle();
    EXPECT_EQ(GetActiveWindow(), a);
    auto act = of(WM_ACTIVATE);
    ASSERT_EQ(act.size(), 2u);
    EXPECT_EQ(act[0].hwnd, b);
    EXPECT_EQ(LOWORD(act[0].wParam), WA_INACTIVE);
    EXPECT_EQ(act[1].hwnd, a);
    EXPECT_EQ(LOWORD(act[1].wParam), WA_CLICKACTIVE);
    EXPECT_EQ(act[1].lParam, LPARAM(b));
    EXPECT_EQ(of(WM_LBUTTONDOWN).size(), 1u);  // the activating click is delivered
    EXPECT_TRUE(of(WM_ACTIVATEAPP).empty());

    seen.clear();
    harness.deactivateApp();
    EXPECT_EQ(messagesOf(a, {WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP, WM_KILLFOCUS}),
              (std::vector<UINT>{WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP, WM_KILLFOCUS}));
    EXPECT_EQ(of(WM_ACTIVATEAPP).size(), 2u);  // every top-level window
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);

    seen.clear();
    harness.activateApp();
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(messagesOf(a, {WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS}),
              (std::vector<UINT>{WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS}));
    EXPECT_EQ(LOWORD(of(WM_ACTIVATE).at(0).wParam), WA_ACTIVE);

    harness.deactivateApp();
    harness.activateApp(true);  // came back under a click
    EXPECT_EQ(GetActiveWindow(), nullptr);
    seen.clear();
    harness.click({350, 50});
    harness.runUntilIdle();
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_EQ(LOWORD(of(WM_ACTIVATE).at(0).wParam), WA_CLICKACTIVE);
    EXPECT_EQ(of(WM_ACTIVATEAPP).size(), 2u);
}

TEST_F(Input, TheHostWindowIsNamedAfterTheActiveWindowInUtf8)
{
    const int acp = GetACP();
    SetACP(1253);
    HWND w = top(0, 0, 200, 200);
    SetWindowTextA(w, "Kelbo");
    EXPECT_EQ(harness.backend().title(), "Kelbo");
    // A nameless pop-up made active leaves the host its name.
    HWND popup = CreateWindowExA(0, "Rec", "", WS_POPUP | WS_VISIBLE, 50, 50, 100, 100, w, nullptr, nullptr, nullptr);
    SetActiveWindow(popup);
    ASSERT_EQ(GetActiveWindow(), popup);
    EXPECT_EQ(harness.backend().title(), "Kelbo");
    // A box with a Greek caption names the host as the desktop spells it.
    HWND box = top(60, 60, 80, 80, WS_POPUP | WS_CAPTION);
    SetWindowTextA(box, "\xD0\xF1\xEF\xF3\xEF\xF7\xDE");
    ASSERT_EQ(GetActiveWindow(), box);
    EXPECT_EQ(harness.backend().title(), "Προσοχή");
    // Once it has gone, the nameless pop-up that is active again names the
    // host after its owner, not after the box.
    DestroyWindow(box);
    ASSERT_EQ(GetActiveWindow(), popup);
    EXPECT_EQ(harness.backend().title(), "Kelbo");
    SetWindowTextA(w, "Kelbo 2");
    EXPECT_EQ(harness.backend().title(), "Kelbo 2") << "the owner renamed";
    // A nameless window of no owner: the topmost window that has a name.
    HWND loose = CreateWindowExA(0, "Rec", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(loose);
    SetWindowTextA(w, "Kelbo 3");
    EXPECT_EQ(harness.backend().title(), "Kelbo 3");
    SetACP(acp);
}

TEST_F(Input, DestroyingTheActiveWindowActivatesItsOwner)
{
    HWND owner = top(0, 0, 300, 300, WS_POPUP);
    HWND popup = top(50, 50, 100, 100, WS_POPUP, "Rec", owner);
    harness.runUntilIdle();
    EXPECT_EQ(GetActiveWindow(), popup);
    DestroyWindow(popup);
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(GetFocus(), owner);
}

TEST_F(Input, DisplayChangesReachTopLevelWindowsAndResizeTheScreen)
{
    HWND w = top(0, 0, 200, 200, WS_POPUP);
    harness.runUntilIdle();
    seen.clear();
    harness.changeDisplay(1024, 768, 16);
    auto dc = of(WM_DISPLAYCHANGE);
    ASSERT_EQ(dc.size(), 1u);
    EXPECT_EQ(dc[0].hwnd, w);
    EXPECT_EQ(dc[0].wParam, 16u);
    EXPECT_EQ(dc[0].lParam, MAKELPARAM(1024, 768));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
}

class CaptionDrag : public WindowTest {
protected:
    HWND w = nullptr;
    void SetUp() override
    {
        WindowTest::SetUp();
        w = top(100, 100, 300, 200);
        harness.runUntilIdle();
    }
    RECT rect() const
    {
        RECT r;
        GetWindowRect(w, &r);
        return r;
    }
};

TEST_F(CaptionDrag, TheWindowFollowsTheCursorUntilTheButtonIsReleased)
{
    harness.press({150, 110});
    harness.moveMouse({170, 140});
    harness.moveMouse({180, 150});
    harness.release({180, 150});
    harness.moveMouse({400, 400});  // after the drag: nothing moves
    harness.runUntilIdle();
    EXPECT_EQ(rect(), (RECT{130, 140, 430, 340}));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(of(WM_ENTERSIZEMOVE).size(), 1u);
    EXPECT_EQ(of(WM_EXITSIZEMOVE).size(), 1u);
}

TEST_F(CaptionDrag, EscapePutsTheWindowBack)
{
    harness.press({150, 110});
    harness.moveMouse({170, 140});
    harness.tap(VK_ESCAPE);
    harness.runUntilIdle();
    EXPECT_EQ(rect(), (RECT{100, 100, 400, 300}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CaptionDrag, LosingTheCaptureEndsTheLoopAndOtherMessagesKeepFlowing)
{
    SetTimer(w, 9, 100, nullptr);
    int ticks = 0;
    handlers[WM_TIMER] = [&](HWND, WPARAM, LPARAM) {
        if (++ticks == 2)
            ReleaseCapture();
        return LRESULT(0);
    };
    harness.press({150, 110});
    harness.moveMouse({160, 120});
    // The loop blocks for messages; the virtual clock moves to each timer.
    harness.runUntilIdle();
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(rect(), (RECT{110, 110, 410, 310}));
    EXPECT_EQ(of(WM_EXITSIZEMOVE).size(), 1u);
    KillTimer(w, 9);
}

TEST_F(CaptionDrag, QuitDuringTheDragEndsItAndIsPostedAgain)
{
    handlers[WM_ENTERSIZEMOVE] = [](HWND, WPARAM, LPARAM) {
        PostQuitMessage(5);
        return LRESULT(0);
    };
    harness.press({150, 110});
    harness.runUntilIdle();
    EXPECT_TRUE(harness.quitSeen());
    EXPECT_EQ(harness.exitCode(), 5);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CaptionDrag, TheSystemCommandsOfTheCaption)
{
    handlers[WM_CLOSE] = [](HWND, WPARAM, LPARAM) { return LRESULT(0); };  // keep it
    seen.clear();
    harness.doubleClick({105, 108});  // the system-menu box
    harness.runUntilIdle();
    EXPECT_EQ(of(WM_SYSCOMMAND).at(0).wParam & 0xFFF0, SC_MOUSEMENU);
    EXPECT_EQ(of(WM_SYSCOMMAND).back().wParam, SC_CLOSE);
    EXPECT_EQ(of(WM_CLOSE).size(), 1u);
    seen.clear();
    RECT r = rect();
    harness.click({r.right - 8, 110});  // the close box
    harness.runUntilIdle();
    EXPECT_EQ(of(WM_SYSCOMMAND).at(0).wParam, SC_CLOSE);
    seen.clear();
    harness.press({r.right - 8, 110});
    harness.release({r.right - 60, 110});  // released away from it: nothing
    harness.runUntilIdle();
    EXPECT_TRUE(of(WM_SYSCOMMAND).empty());
}

}  // namespace
}  // namespace plat::testing
