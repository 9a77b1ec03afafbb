#include "runtime/JxMainWindowProc.h"

#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCBaseWindowObject.h"

namespace {

using namespace plat;

constexpr LONG kMaxTrackWidth = 640;
constexpr LONG kMaxTrackHeight = 480;

// Set by the first Alt+F4; from then on system keys are swallowed, so that
// a held Alt+F4 closes only once.
std::int16_t& closeKeyFlag()
{
    static std::int16_t flag = 0;
    return flag;
}

std::int16_t& appActiveWord()
{
    static std::int16_t active = 0;
    return active;
}

bool isMainWindow(HWND window)
{
    JxCBaseProduct* product = GetProduct();
    return product && window && product->GetProductWindow() == window;
}

LRESULT onCreate(HWND window, LPARAM lParam)
{
    auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    auto* object = static_cast<JxCBaseWindowObject*>(create ? create->lpCreateParams : nullptr);
    AttachWindowObject(window, object);
    if (object)
        object->OnCreate();
    return 0;
}

// Until pages exist, no window has a page: the close of the main window
// destroys it directly (later, closing its base page does), and a page
// window has nothing to close.
LRESULT onClose(HWND window)
{
    if (isMainWindow(window))
        DestroyWindow(window);
    return 1;
}

LRESULT onPaint(HWND window)
{
    // A window without page is validated with an empty paint.
    PAINTSTRUCT ps;
    BeginPaint(window, &ps);
    EndPaint(window, &ps);
    return 1;
}

LRESULT onSysKeyDown(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (closeKeyFlag())
        return 1;
    if (wParam == WPARAM(VK_F4) && (lParam & KF_ALTDOWN_BIT)) {
        closeKeyFlag() = 1;
        JxCBaseProduct* product = GetProduct();
        HWND main = product ? product->GetProductWindow() : nullptr;
        if (main && window != main) {
            SendMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        }
    }
    // For the main window the default processing turns Alt+F4 into its own
    // close command.
    return DefWindowProcA(window, WM_SYSKEYDOWN, wParam, lParam);
}

// Timers, sound completions and the program's own two messages go to the
// product. The action processor stepped is always the product's own, never
// one named by the message.
LRESULT toProduct(UINT message, WPARAM wParam, LPARAM lParam)
{
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return 1;
    JxCTimerParams params{std::int16_t(wParam & 0xFFFF), std::intptr_t(lParam)};
    switch (message) {
    case WM_TIMER:
        product->DispatchTimer(params);
        break;
    case MM_WOM_DONE:
        product->DispatchWaveDone(params);
        break;
    case WM_USER:
        product->StepActionProcessor();
        break;
    default:
        product->OnFirstPaint(reinterpret_cast<JxCPageObject*>(lParam));
        break;
    }
    return 1;
}

std::int16_t windowEvent(HWND window, std::int16_t code, std::int16_t value, std::int32_t value32, LRESULT* fallback,
                         UINT message, WPARAM wParam, LPARAM lParam)
{
    JxCBaseWindowObject* object = GetWindowObject(window);
    if (!object) {
        *fallback = DefWindowProcA(window, message, wParam, lParam);
        return 0;
    }
    return object->HandleEvent(code, value, value32);
}

}  // namespace

LRESULT MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT fallback = 0;
    switch (message) {
    case WM_CREATE:
        return onCreate(window, lParam);
    case WM_DESTROY:
        DestroyWindowObject(window);
        return 0;
    case WM_ACTIVATE: {
        // A window being minimised is left alone.
        if ((wParam >> 16) & 0xFFFF)
            return 1;
        windowEvent(window, JxCBaseWindowObject::kWindowActivation, std::int16_t((wParam & 0xFFFF) != 0),
                    std::int32_t(lParam), &fallback, message, wParam, lParam);
        return 0;
    }
    case WM_SETFOCUS:
        windowEvent(window, JxCBaseWindowObject::kFocus, 1, std::int32_t(wParam), &fallback, message, wParam, lParam);
        return 0;
    case WM_KILLFOCUS:
        windowEvent(window, JxCBaseWindowObject::kFocus, 0, std::int32_t(wParam), &fallback, message, wParam, lParam);
        return 0;
    case WM_PAINT:
        return onPaint(window);
    case WM_CLOSE:
        return onClose(window);
    case WM_ERASEBKGND:
        // Pages paint every pixel of their windows; a window without page
        // shows its class background.
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_ACTIVATEAPP:
        windowEvent(window, JxCBaseWindowObject::kAppActivation, std::int16_t(wParam != 0),
                    std::int32_t(lParam & 0xFFFF), &fallback, message, wParam, lParam);
        return 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        if (info)
            info->ptMaxTrackSize = POINT{kMaxTrackWidth, kMaxTrackHeight};
        return 1;
    }
    case WM_NCACTIVATE: {
        std::int16_t r = windowEvent(window, JxCBaseWindowObject::kCaptionActivation, std::int16_t(wParam != 0), 0,
                                     &fallback, message, wParam, lParam);
        return GetWindowObject(window) ? LRESULT(r) : fallback;
    }
    case WM_SYSKEYDOWN:
        return onSysKeyDown(window, wParam, lParam);
    case WM_TIMER:
    case MM_WOM_DONE:
    case WM_USER:
    case JxCBaseProduct::kFirstPaintMessage:
        return toProduct(message, wParam, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

std::int16_t GetAppActive()
{
    return appActiveWord();
}

void SetAppActive(std::int16_t active)
{
    appActiveWord() = active;
}

void ResetMainWindowState()
{
    closeKeyFlag() = 0;
    appActiveWord() = 0;
}
