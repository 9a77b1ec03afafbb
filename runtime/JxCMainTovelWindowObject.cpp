#include "runtime/JxCMainTovelWindowObject.h"

#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxMainWindowState.h"
#include "runtime/JxPageWindows.h"

namespace {

using namespace plat;

constexpr std::int32_t kActivatedByClick = 2;

std::int16_t eventId(JxEventKeyword keyword)
{
    return std::int16_t(EventId(keyword));
}

LPARAM packed(const JxCPoint& point)
{
    return LPARAM(std::uint16_t(point.x)) | (LPARAM(std::uint16_t(point.y)) << 16);
}

}  // namespace

JxCMainTovelWindowObject::~JxCMainTovelWindowObject()
{
    HWND window = GetWindow();
    JxCBaseProduct* product = GetProduct();
    if (!window || !product)
        return;
    if (JxCCaret* caret = product->GetCaret())
        caret->Detach(window);
    if (window == product->GetProductWindow()) {
        // No help system runs on this platform, so there is no help session
        // to end. The quit message ends the loop; its parameter is the exit
        // code.
        product->ForgetProductWindow();
        PostQuitMessage(0);
        return;
    }
    if (window == product->GetSplashWindow())
        return;
    HWND parent = GetParent(window);
    if (!parent)
        parent = ::plat::GetWindow(window, GW_OWNER);
    if (JxCPageObject* page = FindPageByWindow(parent))
        product->SetCurrentPage(page);
    product->DispatchEvent(eventId(JxEventKeyword::on_close), 0);
}

std::int16_t JxCMainTovelWindowObject::HandleEvent(std::int16_t code, std::int16_t value, std::intptr_t value32)
{
    switch (code) {
    case kAppActivation:
        return appActivation(value);
    case kCaptionActivation:
        return captionActivation(value);
    case kWindowActivation:
        return windowActivation(value, reinterpret_cast<HWND>(value32));
    case kFocus:
        return focus(value, reinterpret_cast<HWND>(value32));
    default:
        return 1;
    }
}

std::int16_t JxCMainTovelWindowObject::appActivation(std::int16_t active)
{
    JxMainWindowInput& in = MainWindowInput();
    const std::int16_t wasActive = in.appActive;
    in.appActive = active;
    if (active && !wasActive)
        in.swallow = active;
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return 1;
    HWND main = product->GetProductWindow();
    if (!active) {
        product->CancelWait();
        product->SetCursor(ArrowCursorKeyword());
        StopActiveObjects(0);
        JxCPageObject* focusPage = product->GetFocusPage();
        if (product->IsPageOpen(focusPage)) {
            product->SetSavedFocusPage(focusPage);
            product->SetFocusPage(nullptr);
            focusPage->DrawFrame();
            if (main) {
                InvalidateRect(main, nullptr, 1);
                DefWindowProcA(main, WM_NCACTIVATE, 0, 0);
                ValidateRect(main, nullptr);
            }
        }
        return 1;
    }
    if (JxCPageObject* remembered = product->GetSavedFocusPage()) {
        product->SetFocusPage(remembered);
        product->SetSavedFocusPage(nullptr);
        if (product->IsPageOpen(remembered))
            remembered->DrawFrame();
        if (main)
            SendMessageA(main, WM_NCACTIVATE, 1, 0);
        product->DispatchEvent(eventId(JxEventKeyword::on_activateapp), 0);
    }
    return 1;
}

std::int16_t JxCMainTovelWindowObject::captionActivation(std::int16_t active)
{
    HWND window = GetWindow();
    const bool disabled = !IsWindowEnabled(window);
    if (disabled)
        active = 0;
    if (disabled || active == 1)
        return std::int16_t(DefWindowProcA(window, WM_NCACTIVATE, WPARAM(active), 0));
    // An enabled window asked to look inactive keeps its look.
    return 1;
}

std::int16_t JxCMainTovelWindowObject::windowActivation(std::int16_t active, HWND other)
{
    HWND window = GetWindow();
    JxCBaseProduct* product = GetProduct();
    ReleasePageCapture(product);
    const std::int32_t state = MainWindowInput().activationState;
    // Activated by the keyboard or the program, not by a click: there is no
    // click to swallow, also when the window has no page yet (the main
    // window at start), so that the title's first click counts.
    if (active && state != kActivatedByClick)
        MainWindowInput().swallow = 0;
    JxCPageObject* page = FindPageByWindow(window);
    if (!product || !page)
        return 0;
    if (!active) {
        DefWindowProcA(window, WM_ACTIVATE, WPARAM(state), reinterpret_cast<LPARAM>(other));
        return 1;
    }
    product->SetMousePage(product->GetCurrentPage());
    product->SetCurrentPage(page);
    const bool isMain = window == product->GetProductWindow();
    if (state != kActivatedByClick) {
        JxCPageObject* focusPage = product->GetFocusPage();
        JxCPageObject* chosen = product->IsPageOpen(focusPage) && focusPage != page ? focusPage : page;
        if (chosen->CanActivate())
            product->SetFocusPage(chosen);
        if (isMain) {
            DefWindowProcA(window, WM_ACTIVATE, WPARAM(state), reinterpret_cast<LPARAM>(other));
        } else if (JxCPageObject* focused = product->GetFocusPage(); product->IsPageOpen(focused)) {
            if (HWND focusWindow = focused->GetWindow())
                SetFocus(focusWindow);
        }
        return 1;
    }
    if (page->CanActivate() && page->QueryPanelAt(product->GetMousePoint())) {
        product->SetFocusPage(page);
        return 1;
    }
    if (isMain) {
        DefWindowProcA(window, WM_ACTIVATE, WPARAM(state), reinterpret_cast<LPARAM>(other));
        return 1;
    }
    JxCPageObject* focused = product->GetFocusPage();
    if (!product->IsPageOpen(focused) || !focused->GetWindow() || GetFocus() == focused->GetWindow())
        return 1;
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, packed(product->GetMousePoint()));
    // The button-down may have closed pages.
    if (product->IsPageOpen(page) && page->CanActivate() && product->IsPageOpen(focused))
        SetFocus(focused->GetWindow());
    return 1;
}

std::int16_t JxCMainTovelWindowObject::focus(std::int16_t gained, HWND other)
{
    HWND window = GetWindow();
    JxCBaseProduct* product = GetProduct();
    JxCCaret* caret = product ? product->GetCaret() : nullptr;
    if (caret && window) {
        if (gained)
            caret->OnSetFocus(window);
        else
            caret->Destroy(window);
        return 1;
    }
    DefWindowProcA(window, gained ? WM_SETFOCUS : WM_KILLFOCUS, reinterpret_cast<WPARAM>(other), 0);
    return 1;
}
