// The system menu popup: opened by the system-menu box, Alt+Space and a
// right click on the caption; chosen by mouse, arrows and Enter, and
// mnemonics; dismissed by Escape, a click outside, Alt and capture loss.

#include <gtest/gtest.h>

#include "platform/draw/draw.h"
#include "platform/tests/golden.h"
#include "platform/tests/window_fixture.h"

namespace plat::testing {
namespace {

constexpr WPARAM kAbout = 1904;
constexpr int kItemHeight = 18;  // the built-in face's 13 rows and 5 of padding
constexpr int kSeparator = 9;

class SystemMenu : public WindowTest {
protected:
    HWND w = nullptr;
    // Runs once the menu is on the screen (from a timer the menu loop
    // dispatches), with the popup; the menu is dismissed after it unless
    // the action queued input that ends it.
    std::function<void(HWND popup)> whileOpen;
    HWND seenPopup = nullptr;

    void SetUp() override
    {
        WindowTest::SetUp();
        w = top(100, 100, 300, 200, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
        HMENU m = GetSystemMenu(w, 0);
        AppendMenuA(m, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(m, MF_STRING, kAbout, "&About ...");
        handlers[WM_CLOSE] = [](HWND, WPARAM, LPARAM) { return LRESULT(0); };  // keep it
        handlers[WM_INITMENUPOPUP] = [this](HWND h, WPARAM, LPARAM) {
            SetTimer(h, 77, 10, nullptr);
            return LRESULT(0);
        };
        handlers[WM_TIMER] = [this](HWND h, WPARAM id, LPARAM) {
            if (id != 77)
                return LRESULT(0);
            KillTimer(h, 77);
            seenPopup = FindWindowA("#32768", nullptr);
            if (whileOpen && seenPopup)
                whileOpen(seenPopup);
            return LRESULT(0);
        };
        SetActiveWindow(w);
        harness.runUntilIdle();
        seen.clear();
    }
    // The middle of item `index` of the open popup, in screen coordinates;
    // items 5 and 7 are separators.
    static POINT itemPoint(HWND popup, int index)
    {
        RECT r;
        GetWindowRect(popup, &r);
        int y = 3;
        for (int i = 0; i < index; ++i)
            y += (i == 5 || i == 7) ? kSeparator : kItemHeight;
        return {r.left + 30, r.top + y + kItemHeight / 2};
    }
    std::vector<WPARAM> commands() const
    {
        std::vector<WPARAM> out;
        for (const Seen& s : of(WM_SYSCOMMAND))
            if ((s.wParam & 0xFFF0) != SC_MOUSEMENU && (s.wParam & 0xFFF0) != SC_KEYMENU)
                out.push_back(s.wParam);
        return out;
    }
    // As the host gives it: the keys, and the space as text while Alt is down.
    void altSpace()
    {
        harness.keyDown(VK_MENU);
        harness.keyDown(VK_SPACE);
        harness.typeText(" ");
        harness.keyUp(VK_SPACE);
        harness.keyUp(VK_MENU);
    }
    void expectClosed()
    {
        EXPECT_NE(seenPopup, nullptr) << "the menu never opened";
        EXPECT_FALSE(IsWindow(seenPopup));
        EXPECT_EQ(GetCapture(), nullptr);
    }
};

TEST_F(SystemMenu, AClickOnTheBoxOpensItAfterInitMenuAndAClickOnAnItemChoosesIt)
{
    whileOpen = [&](HWND popup) {
        EXPECT_TRUE(IsWindowVisible(popup));
        EXPECT_EQ(GetActiveWindow(), w);  // the menu does not take the activation
        harness.click(itemPoint(popup, 8));
    };
    harness.click({108, 110});
    harness.runUntilIdle();
    expectClosed();
    EXPECT_EQ(commands(), std::vector<WPARAM>{kAbout});
    auto order = messagesOf(w, {WM_INITMENU, WM_INITMENUPOPUP, WM_SYSCOMMAND});
    ASSERT_GE(order.size(), 4u);
    EXPECT_EQ(order[0], WM_SYSCOMMAND);  // SC_MOUSEMENU
    EXPECT_EQ(order[1], WM_INITMENU);
    EXPECT_EQ(order[2], WM_INITMENUPOPUP);
    EXPECT_EQ(of(WM_INITMENU).at(0).wParam, WPARAM(GetSystemMenu(w, 0)));
    EXPECT_EQ(HIWORD(of(WM_INITMENUPOPUP).at(0).lParam), 1);  // the system menu
}

TEST_F(SystemMenu, AltSpaceOpensItAndTheArrowsAndEnterChoose)
{
    whileOpen = [&](HWND) {
        harness.tap(VK_UP);  // from the first item round to the last
        harness.tap(VK_RETURN);
    };
    altSpace();
    harness.runUntilIdle();
    expectClosed();
    EXPECT_EQ(commands(), std::vector<WPARAM>{kAbout});
}

TEST_F(SystemMenu, MnemonicsChooseAndTheKnownItemsSendTheirCommands)
{
    whileOpen = [&](HWND) { harness.typeText("a"); };
    altSpace();
    harness.runUntilIdle();
    expectClosed();
    EXPECT_EQ(commands(), std::vector<WPARAM>{kAbout});

    seen.clear();
    seenPopup = nullptr;
    harness.advance(1000);  // the next click is no double click
    whileOpen = [&](HWND) { harness.typeText("C"); };
    altSpace();
    harness.runUntilIdle();
    expectClosed();
    EXPECT_EQ(commands(), std::vector<WPARAM>{SC_CLOSE});
    EXPECT_EQ(of(WM_CLOSE).size(), 1u);
}

TEST_F(SystemMenu, EscapeAClickOutsideAndAltChooseNothing)
{
    whileOpen = [&](HWND) { harness.tap(VK_ESCAPE); };
    harness.click({108, 110});
    harness.runUntilIdle();
    expectClosed();

    seenPopup = nullptr;
    harness.advance(1000);  // the next click is no double click
    whileOpen = [&](HWND) { harness.click({600, 500}); };
    harness.click({108, 110});
    harness.runUntilIdle();
    expectClosed();

    seenPopup = nullptr;
    harness.advance(1000);  // the next click is no double click
    whileOpen = [&](HWND) { harness.tap(VK_MENU); };
    altSpace();
    harness.runUntilIdle();
    expectClosed();
    EXPECT_TRUE(commands().empty());
}

TEST_F(SystemMenu, GreyedItemsCannotBeChosen)
{
    // Restore (0) and Maximize (4) are greyed for a normal window without a
    // maximise box; the menu stays open on them.
    whileOpen = [&](HWND popup) {
        harness.click(itemPoint(popup, 0));
        harness.click(itemPoint(popup, 4));
        harness.typeText("rx");
        harness.tap(VK_DOWN);  // Restore, greyed, highlighted from the keyboard...
        harness.tap(VK_HOME);
        harness.tap(VK_RETURN);  // ...chooses nothing
        harness.tap(VK_ESCAPE);
    };
    harness.click({108, 110});
    harness.runUntilIdle();
    expectClosed();
    EXPECT_TRUE(commands().empty());
}

TEST_F(SystemMenu, ARightClickOnTheCaptionOpensItThere)
{
    POINT at{200, 110};
    whileOpen = [&](HWND popup) {
        RECT r;
        GetWindowRect(popup, &r);
        EXPECT_EQ(r.left, at.x);
        EXPECT_EQ(r.top, at.y);
        harness.click(itemPoint(popup, 1), MouseButton::Right);  // Move, chosen by the right button
    };
    harness.click(at, MouseButton::Right);
    harness.runUntilIdle();
    expectClosed();
    auto c = commands();
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0], SC_MOVE);
    EXPECT_EQ(of(WM_CONTEXTMENU).size(), 1u);
}

TEST_F(SystemMenu, LosingTheCaptureOrAQuitEndsTheLoop)
{
    whileOpen = [&](HWND) { ReleaseCapture(); };
    harness.click({108, 110});
    harness.runUntilIdle();
    expectClosed();

    seenPopup = nullptr;
    harness.advance(1000);  // the next click is no double click
    whileOpen = [&](HWND) { PostQuitMessage(3); };
    harness.click({108, 110});
    harness.runUntilIdle();
    expectClosed();
    EXPECT_TRUE(harness.quitSeen());
    EXPECT_EQ(harness.exitCode(), 3);

    seenPopup = nullptr;
    harness.advance(1000);
    whileOpen = [&](HWND) { harness.deactivateApp(); };  // the program leaves the front
    harness.click({108, 110});
    harness.runUntilIdle();
    expectClosed();
    EXPECT_TRUE(commands().empty());
}

TEST_F(SystemMenu, TheOwnerDestroyedWhileItIsOpenEndsIt)
{
    whileOpen = [&](HWND) { DestroyWindow(w); };
    harness.click({108, 110});
    harness.runUntilIdle();
    expectClosed();
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(SystemMenu, AltSpaceInAChildOpensTheTopLevelWindowsMenu)
{
    HWND c = child(w, 10, 10, 50, 50);
    SetFocus(c);
    whileOpen = [&](HWND popup) {
        EXPECT_EQ(GetWindow(popup, GW_OWNER), w);
        harness.tap(VK_ESCAPE);
    };
    altSpace();
    harness.runUntilIdle();
    expectClosed();
    EXPECT_EQ(of(WM_INITMENUPOPUP).at(0).hwnd, w);
}

TEST_F(SystemMenu, TheOpenMenuLooksRight)
{
    bool compared = false;
    handlers[WM_MENUSELECT] = [&](HWND, WPARAM wParam, LPARAM) {
        if (LOWORD(wParam) == kAbout && !compared) {
            compared = true;
            EXPECT_EQ(HIWORD(wParam) & MF_SYSMENU, MF_SYSMENU);
            EXPECT_EQ(CompareWithGolden(nullptr, "system_menu"), "");
            harness.tap(VK_ESCAPE);
        }
        return LRESULT(0);
    };
    // The window paints its client area white.
    handlers[WM_PAINT] = [](HWND h, WPARAM, LPARAM) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        RECT c;
        GetClientRect(h, &c);
        FillRect(dc, &c, HBRUSH(GetStockObject(WHITE_BRUSH)));
        EndPaint(h, &ps);
        return LRESULT(0);
    };
    InvalidateRect(w, nullptr, 1);
    harness.runUntilIdle();
    whileOpen = [&](HWND popup) { harness.moveMouse(itemPoint(popup, 8)); };  // the extra item
    int width = 0, height = 0;
    std::string before = SurfaceRgb(nullptr, &width, &height);
    harness.click({108, 110});
    harness.runUntilIdle();
    expectClosed();
    EXPECT_TRUE(compared);
    // What the menu covered is painted again.
    EXPECT_TRUE(SurfaceRgb(nullptr, &width, &height) == before);
}

}  // namespace
}  // namespace plat::testing
