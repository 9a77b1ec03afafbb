// Classes, windows, the window tree, window words, geometry and destruction.

#include "platform/tests/window_fixture.h"
#include "platform/window/desktop.h"

namespace plat::testing {
namespace {

using WindowClassesAndWindows = WindowTest;

TEST_F(WindowClassesAndWindows, ClassNamesIgnoreCaseAndCannotBeRegisteredTwice)
{
    WNDCLASSA wc;
    wc.lpfnWndProc = &DefWindowProcA;
    wc.lpszClassName = "REC";
    EXPECT_EQ(RegisterClassA(wc), 0);
    EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
    WNDCLASSA info;
    ASSERT_TRUE(GetClassInfoA(nullptr, "rec", &info));
    EXPECT_EQ(info.style, CS_DBLCLKS);
    EXPECT_STREQ(info.lpszClassName, "Rec");
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                              nullptr),
              nullptr);
}

TEST_F(WindowClassesAndWindows, AClassWithWindowsCannotBeUnregistered)
{
    HWND w = top(0, 0, 100, 100);
    EXPECT_FALSE(UnregisterClassA("Rec", nullptr));
    DestroyWindow(w);
    EXPECT_TRUE(UnregisterClassA("Rec", nullptr));
    EXPECT_FALSE(GetClassInfoA(nullptr, "Rec", nullptr));
}

TEST_F(WindowClassesAndWindows, CreationSendsNcCreateCreateSizeMoveAndCarriesTheParameter)
{
    int object = 0;
    void* got = nullptr;
    handlers[WM_CREATE] = [&](HWND, WPARAM, LPARAM l) {
        got = reinterpret_cast<CREATESTRUCTA*>(l)->lpCreateParams;
        return 0;
    };
    HWND w = CreateWindowExA(0, "Rec", "t", WS_POPUP, 10, 20, 100, 50, nullptr, nullptr, nullptr,
                             &object);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(got, &object);
    EXPECT_EQ(messagesOf(w), (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_MOVE, WM_SIZE}));
    EXPECT_EQ(of(WM_SIZE)[0].lParam, MAKELPARAM(100, 50));
    EXPECT_FALSE(IsWindowVisible(w));
}

TEST_F(WindowClassesAndWindows, CreateReturningMinusOneFailsAndDestroysTheWindow)
{
    handlers[WM_CREATE] = [](HWND, WPARAM, LPARAM) { return LRESULT(-1); };
    HWND w = CreateWindowExA(0, "Rec", "t", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                             nullptr);
    EXPECT_EQ(w, nullptr);
    EXPECT_EQ(of(WM_DESTROY).size(), 1u);
    EXPECT_EQ(of(WM_NCDESTROY).size(), 1u);
}

TEST_F(WindowClassesAndWindows, WindowWordZeroHoldsAPointerAndBadIndexesFail)
{
    HWND w = top(0, 0, 100, 100);
    int object = 0;
    EXPECT_EQ(SetWindowLongPtrA(w, 0, reinterpret_cast<LONG_PTR>(&object)), 0);
    EXPECT_EQ(GetWindowLongPtrA(w, 0), reinterpret_cast<LONG_PTR>(&object));
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrA(w, 4), 0);  // only 4 bytes of words
    EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
    EXPECT_EQ(GetWindowLongPtrA(w, 2), 0);
    EXPECT_EQ(GetWindowLongA(w, GWL_STYLE) & LONG(WS_VISIBLE), LONG(WS_VISIBLE));
}

TEST_F(WindowClassesAndWindows, DestroyGoesParentFirstForWmDestroyAndChildrenFirstForNcDestroy)
{
    HWND p = top(0, 0, 200, 200);
    HWND c = child(p, 0, 0, 50, 50);
    HWND g = child(c, 0, 0, 10, 10);
    HWND owned = top(50, 50, 50, 50, WS_POPUP, "Rec", p);
    seen.clear();
    std::vector<std::pair<HWND, UINT>> order;
    for (UINT m : {WM_DESTROY, WM_NCDESTROY})
        handlers[m] = [&order, m](HWND h, WPARAM, LPARAM) {
            order.push_back({h, m});
            EXPECT_TRUE(IsWindow(h));  // still a window while it hears of it
            return LRESULT(0);
        };
    EXPECT_TRUE(DestroyWindow(p));
    std::vector<std::pair<HWND, UINT>> expected{
        {owned, WM_DESTROY}, {owned, WM_NCDESTROY}, {p, WM_DESTROY},    {c, WM_DESTROY},
        {g, WM_DESTROY},     {g, WM_NCDESTROY},     {c, WM_NCDESTROY}, {p, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
    for (HWND h : {p, c, g, owned})
        EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(DestroyWindow(p));
}

TEST_F(WindowClassesAndWindows, DestroyingFromInsideWmDestroyDoesNotDestroyTwice)
{
    HWND p = top(0, 0, 200, 200);
    HWND c = child(p, 0, 0, 50, 50);
    handlers[WM_DESTROY] = [&](HWND h, WPARAM, LPARAM) {
        if (h == c)
            DestroyWindow(p);
        return LRESULT(0);
    };
    DestroyWindow(c);
    EXPECT_FALSE(IsWindow(c));
    EXPECT_FALSE(IsWindow(p));
    size_t destroys = of(WM_DESTROY).size();
    EXPECT_EQ(destroys, 2u);
}

TEST_F(WindowClassesAndWindows, DeadHandlesStayDeadAfterNewWindowsAreMade)
{
    HWND a = top(0, 0, 10, 10);
    DestroyWindow(a);
    for (int i = 0; i < 20; ++i)
        EXPECT_NE(top(0, 0, 10, 10), a);
    EXPECT_FALSE(IsWindow(a));
    EXPECT_FALSE(PostMessageA(a, WM_USER, 0, 0));
    EXPECT_EQ(SendMessageA(a, WM_USER, 0, 0), 0);
}

TEST_F(WindowClassesAndWindows, FramesAndCaptionsSetTheClientArea)
{
    HWND w = top(100, 50, 300, 200, WS_CAPTION | WS_SYSMENU);
    RECT wr, cr;
    GetWindowRect(w, &wr);
    GetClientRect(w, &cr);
    EXPECT_EQ(wr, (RECT{100, 50, 400, 250}));
    int frame = GetSystemMetrics(SM_CXDLGFRAME);
    int caption = GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(cr, (RECT{0, 0, 300 - 2 * frame, 200 - 2 * frame - caption}));
    POINT p{0, 0};
    ClientToScreen(w, &p);
    EXPECT_EQ(p, (POINT{100 + frame, 50 + frame + caption}));
    RECT adj{0, 0, cr.right, cr.bottom};
    AdjustWindowRect(&adj, WS_CAPTION | WS_SYSMENU, 0);
    EXPECT_EQ(adj.right - adj.left, 300);
    EXPECT_EQ(adj.bottom - adj.top, 200);

    HWND c = child(w, 10, 20, 30, 40);
    POINT q{1, 2};
    ClientToScreen(c, &q);
    EXPECT_EQ(q, (POINT{100 + frame + 11, 50 + frame + caption + 22}));
    ScreenToClient(w, &q);
    EXPECT_EQ(q, (POINT{11, 22}));
}

TEST_F(WindowClassesAndWindows, WindowFromPointFindsTheTopmostShownEnabledWindow)
{
    HWND a = top(0, 0, 300, 300, WS_POPUP);
    HWND b = top(100, 100, 300, 300, WS_POPUP);
    HWND c = child(a, 10, 10, 50, 50);
    EXPECT_EQ(WindowFromPoint({150, 150}), b);  // b was made later: above a
    EXPECT_EQ(WindowFromPoint({20, 20}), c);
    EnableWindow(c, 0);
    EXPECT_EQ(WindowFromPoint({20, 20}), a);
    BringWindowToTop(a);
    EXPECT_EQ(WindowFromPoint({150, 150}), a);
    ShowWindow(a, SW_HIDE);
    EXPECT_EQ(WindowFromPoint({150, 150}), b);
    EXPECT_EQ(WindowFromPoint({700, 500}), nullptr);
}

TEST_F(WindowClassesAndWindows, OwnedPopupsStayAboveTheirOwner)
{
    HWND owner = top(0, 0, 300, 300, WS_POPUP);
    HWND popup = top(50, 50, 100, 100, WS_POPUP, "Rec", owner);
    HWND other = top(0, 0, 300, 300, WS_POPUP);
    EXPECT_EQ(GetTopWindow(nullptr), other);
    BringWindowToTop(owner);
    EXPECT_EQ(GetTopWindow(nullptr), popup);
    EXPECT_EQ(GetWindow(popup, GW_HWNDNEXT), owner);
    EXPECT_EQ(GetParent(popup), owner);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), owner);
}

TEST_F(WindowClassesAndWindows, MoveAndSizeReportClientPositionAndSize)
{
    HWND w = top(0, 0, 100, 100, WS_POPUP);
    HWND c = child(w, 0, 0, 20, 20);
    seen.clear();
    MoveWindow(c, 5, 6, 30, 40, 1);
    auto moves = of(WM_MOVE);
    auto sizes = of(WM_SIZE);
    ASSERT_EQ(moves.size(), 1u);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(moves[0].lParam, MAKELPARAM(5, 6));
    EXPECT_EQ(sizes[0].lParam, MAKELPARAM(30, 40));
    seen.clear();
    SetWindowPos(c, nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_TRUE(of(WM_MOVE).empty());
}

TEST_F(WindowClassesAndWindows, EnumChildWindowsVisitsEveryDescendantAndCanStop)
{
    HWND w = top(0, 0, 100, 100, WS_POPUP);
    HWND a = child(w, 0, 0, 10, 10);
    child(a, 0, 0, 5, 5);
    child(w, 20, 0, 10, 10);
    static int count;
    count = 0;
    EnumChildWindows(w, [](HWND, LPARAM) -> BOOL { return ++count < 100; }, 0);
    EXPECT_EQ(count, 3);
    count = 0;
    EnumChildWindows(w, [](HWND, LPARAM) -> BOOL { return ++count < 2; }, 0);
    EXPECT_EQ(count, 2);
}

TEST_F(WindowClassesAndWindows, SystemMenuTakesTheProgramsExtraItems)
{
    HWND w = top(0, 0, 100, 100);
    HMENU m = GetSystemMenu(w, 0);
    ASSERT_NE(m, nullptr);
    int before = GetMenuItemCount(m);
    AppendMenuA(m, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(m, MF_STRING, 1904, "&About ...");
    EXPECT_EQ(GetMenuItemCount(m), before + 2);
    EXPECT_EQ(GetMenuItemID(m, before + 1), 1904u);
    char text[64];
    EXPECT_EQ(GetMenuStringA(m, 1904, text, sizeof text, MF_BYCOMMAND), 10);
    EXPECT_STREQ(text, "&About ...");
    EXPECT_EQ(GetSystemMenu(w, 0), m);
}

}  // namespace
}  // namespace plat::testing
