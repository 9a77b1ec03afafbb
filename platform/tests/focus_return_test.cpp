// The program leaving the front and coming back: the window that was active
// and the window in it that had the focus get both back, in the order of
// messages a program expects; a window gone meanwhile leaves nothing behind.

#include "platform/tests/window_fixture.h"

namespace plat::testing {
namespace {

class FocusReturn : public WindowTest {
protected:
    HWND main = nullptr;
    HWND popup = nullptr;  // owned by main, active
    HWND field = nullptr;  // a child of the popup, focused

    void SetUp() override
    {
        WindowTest::SetUp();
        main = top(0, 0, 600, 400);
        popup = top(100, 100, 300, 200, WS_POPUP, "Rec", main);
        field = child(popup, 20, 150, 120, 20);
        harness.runUntilIdle();
        SetFocus(field);
        ASSERT_EQ(GetActiveWindow(), popup);
        ASSERT_EQ(GetFocus(), field);
    }

    // A point of the popup's client area outside the field.
    POINT popupBody() const { return clientToScreen(popup, {10, 10}); }
};

TEST_F(FocusReturn, TheKeyboardComesBackToThePopupsFocusedChildInOrder)
{
    harness.deactivateApp();
    EXPECT_EQ(GetFocus(), nullptr);
    seen.clear();
    harness.activateApp();
    EXPECT_EQ(GetActiveWindow(), popup);
    EXPECT_EQ(GetFocus(), field);
    // Every top-level window hears of the application first, then the
    // popup is activated, then its focus window gets the focus back; the
    // main window is never given the keyboard on the way.
    EXPECT_EQ(messagesOf(nullptr, {WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS}),
              (std::vector<UINT>{WM_ACTIVATEAPP, WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS}));
    auto act = of(WM_ACTIVATE);
    ASSERT_EQ(act.size(), 1u);
    EXPECT_EQ(act[0].hwnd, popup);
    EXPECT_EQ(LOWORD(act[0].wParam), WA_ACTIVE);
    auto set = of(WM_SETFOCUS);
    ASSERT_EQ(set.size(), 1u);
    EXPECT_EQ(set[0].hwnd, field);
    EXPECT_EQ(set[0].wParam, 0u);  // nothing had the focus before

    harness.typeText("ab");
    harness.runUntilIdle();
    auto chars = of(WM_CHAR);
    ASSERT_EQ(chars.size(), 2u);
    EXPECT_EQ(chars[0].hwnd, field);
    EXPECT_TRUE(of(WM_SYSCHAR).empty());
}

TEST_F(FocusReturn, TheFocusComesBackEvenWhenTheActivationHandlerLeavesItAlone)
{
    // A window procedure that answers WM_ACTIVATE itself, as the title's
    // pages do, still finds its focus window focused again afterwards.
    HWND focusDuringActivate = reinterpret_cast<HWND>(-1);
    handlers[WM_ACTIVATE] = [&](HWND, WPARAM, LPARAM) {
        focusDuringActivate = GetFocus();
        return LRESULT(0);
    };
    harness.deactivateApp();
    seen.clear();
    harness.activateApp();
    EXPECT_EQ(focusDuringActivate, nullptr);  // not before WM_ACTIVATE
    EXPECT_EQ(GetFocus(), field);
    EXPECT_EQ(messagesOf(nullptr, {WM_ACTIVATE, WM_SETFOCUS}), (std::vector<UINT>{WM_ACTIVATE, WM_SETFOCUS}));
}

TEST_F(FocusReturn, AFocusTheActivationHandlerChoosesIsKept)
{
    HWND other = child(popup, 160, 150, 120, 20);
    handlers[WM_ACTIVATE] = [&](HWND h, WPARAM w, LPARAM) {
        if (h == popup && LOWORD(w) != WA_INACTIVE)
            SetFocus(other);
        return LRESULT(0);
    };
    harness.deactivateApp();
    harness.activateApp();
    EXPECT_EQ(GetFocus(), other);
    // The memory was used once: the next return gives back the focus the
    // window has now.
    handlers.erase(WM_ACTIVATE);
    harness.deactivateApp();
    harness.activateApp();
    EXPECT_EQ(GetFocus(), other);
}

TEST_F(FocusReturn, AReturnUnderAClickOnThePopupGivesTheFocusBackToo)
{
    harness.deactivateApp();
    harness.activateApp(true);
    EXPECT_EQ(GetFocus(), nullptr);  // the click decides
    seen.clear();
    harness.click(popupBody());
    harness.runUntilIdle();
    EXPECT_EQ(GetActiveWindow(), popup);
    EXPECT_EQ(LOWORD(of(WM_ACTIVATE).at(0).wParam), WA_CLICKACTIVE);
    EXPECT_EQ(GetFocus(), field);
    // The window is focused before the click that activated it arrives.
    EXPECT_EQ(messagesOf(nullptr, {WM_SETFOCUS, WM_LBUTTONDOWN}),
              (std::vector<UINT>{WM_SETFOCUS, WM_LBUTTONDOWN}));
}

TEST_F(FocusReturn, AReturnUnderAClickOnAnotherWindowFocusesThatOne)
{
    harness.deactivateApp();
    harness.activateApp(true);
    harness.click({500, 350});  // the main window, outside the popup
    harness.runUntilIdle();
    EXPECT_EQ(GetActiveWindow(), main);
    EXPECT_EQ(GetFocus(), main);
    // The popup's old focus is forgotten, not given back on a later return.
    harness.deactivateApp();
    harness.activateApp();
    EXPECT_EQ(GetActiveWindow(), main);
    EXPECT_EQ(GetFocus(), main);
}

TEST_F(FocusReturn, AClickThatReachesNoWindowStillBringsTheProgramBack)
{
    // The host came to the front under a click on its own frame (no click
    // arrives, the first key decides) or on the bare desktop.
    const std::function<void()> afterwards[] = {
        [&] { harness.typeText("x"); },
        [&] { harness.click({700, 500}); },
    };
    std::vector<HWND> typedInto;
    for (const auto& input : afterwards) {
        harness.deactivateApp();
        harness.activateApp(true);
        EXPECT_EQ(GetActiveWindow(), nullptr);
        seen.clear();
        input();
        harness.runUntilIdle();
        EXPECT_EQ(GetActiveWindow(), popup);
        EXPECT_EQ(GetFocus(), field);
        for (const Seen& c : of(WM_CHAR))
            typedInto.push_back(c.hwnd);
    }
    // The key itself reaches the focus given back.
    EXPECT_EQ(typedInto, std::vector<HWND>{field});
}

TEST_F(FocusReturn, APopupClosedMeanwhileHandsBothToItsOwner)
{
    // Another window lies between the popup and its owner in the z-order.
    HWND other = top(650, 0, 100, 100, WS_POPUP);
    SetFocus(field);
    ASSERT_EQ(GetWindow(popup, GW_HWNDNEXT), other);
    harness.deactivateApp();
    DestroyWindow(popup);
    EXPECT_EQ(GetActiveWindow(), nullptr);  // nothing activates in the background
    EXPECT_EQ(GetFocus(), nullptr);
    seen.clear();
    harness.activateApp();
    EXPECT_EQ(GetActiveWindow(), main);
    EXPECT_EQ(GetFocus(), main);
    for (const Seen& s : seen)
        EXPECT_TRUE(s.hwnd != popup && s.hwnd != field) << "message " << s.msg << " to a dead window";
}

TEST_F(FocusReturn, AFocusWindowThatCannotTakeTheFocusAnyMoreFallsBackToItsTopLevelWindow)
{
    struct Case {
        const char* what;
        std::function<void(HWND)> spoil;
    };
    const Case cases[] = {
        {"destroyed", [](HWND f) { DestroyWindow(f); }},
        {"hidden", [](HWND f) { ShowWindow(f, SW_HIDE); }},
        {"disabled", [](HWND f) { EnableWindow(f, 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HWND f = child(popup, 20, 20, 50, 20);
        SetFocus(f);
        harness.deactivateApp();
        c.spoil(f);
        harness.activateApp();
        EXPECT_EQ(GetActiveWindow(), popup);
        EXPECT_EQ(GetFocus(), popup);
    }
}

TEST_F(FocusReturn, APlainWindowGetsTheKeyboardBack)
{
    DestroyWindow(popup);
    ASSERT_EQ(GetActiveWindow(), main);
    ASSERT_EQ(GetFocus(), main);
    harness.deactivateApp();
    seen.clear();
    harness.activateApp();
    EXPECT_EQ(GetFocus(), main);
    EXPECT_EQ(messagesOf(main, {WM_ACTIVATE, WM_SETFOCUS}), (std::vector<UINT>{WM_ACTIVATE, WM_SETFOCUS}));
    // A child of it focused when the program left gets the keyboard back,
    // not the window itself.
    HWND box = child(main, 10, 10, 100, 20);
    SetFocus(box);
    harness.deactivateApp();
    seen.clear();
    harness.activateApp();
    EXPECT_EQ(GetFocus(), box);
    EXPECT_TRUE(of(WM_SETFOCUS).size() == 1u && of(WM_SETFOCUS)[0].hwnd == box);
}

}  // namespace
}  // namespace plat::testing
