#include "runtime/JxMainWindowProc.h"

#include "foundation/JxErrorReport.h"
#include "foundation/JxMemoryGuard.h"
#include "platform/clock/clock.h"
#include "platform/draw/dc.h"
#include "platform/draw/palette.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCBaseWindowObject.h"
#include "runtime/JxCKeyParams.h"
#include "runtime/JxCTovelApp.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxMainWindowState.h"
#include "runtime/JxPageWindows.h"
#include "runtime/JxPrinting.h"

namespace {

using namespace plat;

constexpr DWORD kLowMemoryReportGapMs = 30000;
// Key codes from the digits to 96 reach the page as they are; other keys
// reach it with the key code 0 (function keys by their number).
constexpr WPARAM kFirstPlainKey = 48;
constexpr WPARAM kLastPlainKey = 96;
constexpr WPARAM kFunctionKeyF1 = 112;
constexpr WPARAM kFunctionKeyF24 = 135;

LRESULT onCreate(HWND window, LPARAM lParam)
{
    auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    auto* object = static_cast<JxCBaseWindowObject*>(create ? create->lpCreateParams : nullptr);
    AttachWindowObject(window, object);
    if (object)
        object->OnCreate();
    JxMainWindowInput& in = MainWindowInput();
    if (!in.displayKnown) {
        in.displayKnown = true;
        HDC screen = GetDC(nullptr);
        in.displayBits = screen ? GetDeviceCaps(screen, BITSPIXEL) : 0;
        if (screen)
            ReleaseDC(nullptr, screen);
        in.displayWidth = GetSystemMetrics(SM_CXSCREEN);
        in.displayHeight = GetSystemMetrics(SM_CYSCREEN);
    }
    return 0;
}

LRESULT onMove(HWND window)
{
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return 1;
    if (IsProductWindow(window)) {
        JxCPageObjectList& pages = product->GetPageList();
        for (JxCPageObject* page = pages.GetFirst(); page; page = pages.GetNext(page))
            page->MoveResize(window);
    } else if (JxCPageObject* page = FindPageByWindow(window)) {
        page->MoveResize(window);
    }
    return 1;
}

// Page windows are enabled and disabled with the main window.
LRESULT onEnable(HWND window, WPARAM wParam, LPARAM lParam)
{
    JxCBaseProduct* product = GetProduct();
    if (product && IsProductWindow(window)) {
        JxCPageObjectList& pages = product->GetPageList();
        for (JxCPageObject* page = pages.GetFirst(); page; page = pages.GetNext(page)) {
            HWND pageWindow = page->GetWindow();
            if (pageWindow && pageWindow != window)
                EnableWindow(pageWindow, BOOL(wParam != 0));
        }
        if (JxCPageObject* focus = product->GetFocusPage(); product->IsPageOpen(focus))
            focus->DrawFrame();
    }
    return DefWindowProcA(window, WM_ENABLE, wParam, lParam);
}

LRESULT onPaint(HWND window)
{
    if (JxCPageObject* page = FindPageByWindow(window)) {
        page->Refresh();
        // A page that painted without taking the update region would be
        // asked to paint again and again.
        ValidateRect(window, nullptr);
        return 1;
    }
    PAINTSTRUCT ps;
    BeginPaint(window, &ps);
    EndPaint(window, &ps);
    return 1;
}

LRESULT onClose(HWND window)
{
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* page = FindPageByWindow(window);
    if (!product || !page) {
        // A main window without its base page (before the first page opened)
        // has nothing that could close it later: it goes at once.
        if (IsProductWindow(window))
            DestroyWindow(window);
        return 1;
    }
    page->ClearKeepOpen();
    if (JxCPanelObjectList* panels = page->GetPanelList())
        for (JxCPanelObject* panel = panels->GetFirst(); panel; panel = panels->GetNext(panel)) {
            std::int16_t unused = 0;
            panel->TestPageIndex(unused, 1);
        }
    if (IsProductWindow(window)) {
        page->DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_close)), 0);
        if (!product->IsPageOpen(page))
            return 1;
        if (page->IsCloseRefused()) {
            page->SetCloseRefused(0);
            // The window stays: Alt+F4 may ask again.
            MainWindowInput().closeKey = 0;
            return 1;
        }
    }
    // The main window closes with every page it shows (a base page opened
    // over another shares it); the last one ends the program.
    const bool main = IsProductWindow(window);
    while (page) {
        if (JxCPanelObjectList* panels = page->GetPanelList())
            panels->CloseAll();
        product->GetPageList().ClosePage(page);
        page = main ? FindPageByWindow(window) : nullptr;
    }
    return 1;
}

LRESULT onCompacting()
{
    JxMainWindowInput& in = MainWindowInput();
    const DWORD now = GetTickCount();
    if (in.lowMemoryReported && now - in.lowMemoryReportTime <= kLowMemoryReportGapMs)
        return 0;
    ReportOutOfMemory();
    in.lowMemoryReported = true;
    in.lowMemoryReportTime = now;
    return 0;
}

// A change of the display's depth or size: everything that plays stops,
// the user is told, and the program closes. Every top-level window hears
// the change; the new mode is kept, so it is reported once.
LRESULT onDisplayChange(HWND window, WPARAM wParam, LPARAM lParam)
{
    JxMainWindowInput& in = MainWindowInput();
    const std::int32_t bits = std::int32_t(wParam);
    const std::int32_t width = std::int32_t(lParam & 0xFFFF);
    const std::int32_t height = std::int32_t((lParam >> 16) & 0xFFFF);
    if (bits == in.displayBits && width == in.displayWidth && height == in.displayHeight)
        return 1;
    in.displayBits = bits;
    in.displayWidth = width;
    in.displayHeight = height;
    StopActiveObjects(1);
    ReportErrorOk(kDisplayChangedId);
    HWND main = GetProductWindow();
    SendMessageA(main ? main : window, WM_CLOSE, 0, 0);
    return 1;
}

LRESULT onHitTest(HWND window, LPARAM lParam)
{
    if (!IsProductWindow(window))
        if (JxCPageObject* page = FindPageByWindow(window)) {
            const POINT at{std::int16_t(lParam & 0xFFFF), std::int16_t((lParam >> 16) & 0xFFFF)};
            if (std::int16_t hit = page->GetWindowRect(at))
                return hit;
        }
    return DefWindowProcA(window, WM_NCHITTEST, 0, lParam);
}

LRESULT onKeyDown(HWND window, WPARAM wParam, LPARAM lParam)
{
    JxCBaseProduct* product = GetProduct();
    JxCKeyParams key(WM_KEYDOWN, std::uint16_t(wParam), std::int32_t(lParam));
    if (wParam < kFirstPlainKey || wParam > kLastPlainKey) {
        key.SetKeyCode(0);
        if (wParam >= kFunctionKeyF1 && wParam <= kFunctionKeyF24)
            key.SetFunctionKey(std::int32_t(wParam - kFunctionKeyF1 + 1));
        if (JxCPageObject* capture = product ? product->GetCapturePage() : nullptr) {
            capture->HandleKey(key);
            return 1;
        }
    }
    key.SetKeyCode(std::uint16_t(wParam));
    if (JxCPageObject* page = FindPageByWindow(window))
        page->HandleKey(key);
    return 1;
}

LRESULT onChar(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    JxCBaseProduct* product = GetProduct();
    JxCKeyParams key(message, std::uint16_t(wParam), std::int32_t(lParam));
    JxCPageObject* page = product ? product->GetCapturePage() : nullptr;
    if (!page)
        page = FindPageByWindow(window);
    if (page)
        page->HandleKey(key);
    return 1;
}

LRESULT onSysKeyDown(HWND window, WPARAM wParam, LPARAM lParam)
{
    JxMainWindowInput& in = MainWindowInput();
    if (in.closeKey)
        return 1;
    ReleasePageCapture(GetProduct());
    if (wParam == WPARAM(VK_F4) && (lParam & KF_ALTDOWN_BIT)) {
        in.closeKey = 1;
        HWND main = GetProductWindow();
        if (main && window != main) {
            SendMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        }
    }
    // For the main window the default processing turns Alt+F4 into its own
    // close command.
    return DefWindowProcA(window, WM_SYSKEYDOWN, wParam, lParam);
}

// Printing and copying act on the focus page; without one there is
// nothing to print or copy.
LRESULT onCommand(WPARAM wParam)
{
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* focus = product ? product->GetFocusPage() : nullptr;
    if (focus && !product->IsPageOpen(focus))
        focus = nullptr;
    switch (wParam & 0xFFFF) {
    case kPrintCommandId:
        if (focus)
            PrintPage(focus, "");
        break;
    case kPrinterSetupCommandId:
        PrinterSetupDialog();
        break;
    case kCopyCommandId:
        if (focus)
            CopyPageToClipboard(focus);
        break;
    default:
        break;
    }
    return 1;
}

LRESULT onSysCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    ReleasePageCapture(GetProduct());
    if (wParam == kAboutCommandId) {
        ShowAboutBox(window);
        return 1;
    }
    const WPARAM command = wParam & 0xFFF0;
    if (command == SC_MAXIMIZE || command == SC_RESTORE)
        MainWindowInput().doubleClickSeen = true;
    return DefWindowProcA(window, WM_SYSCOMMAND, wParam, lParam);
}

// Selects the base palette into the window's device context (in the
// background or the foreground), realises it and repaints the window.
void realisePalette(HWND window, bool background)
{
    HPALETTE palette = GetBasePalette();
    if (!palette)
        return;
    HDC dc = GetDC(window);
    if (!dc)
        return;
    if (HPALETTE previous = SelectPalette(dc, palette, BOOL(background))) {
        RealizePalette(dc);
        InvalidateRect(window, nullptr, 1);
        UpdateWindow(window);
        SelectPalette(dc, previous, 1);
    }
    ReleaseDC(window, dc);
}

LRESULT onPaletteChanged(HWND window, WPARAM wParam)
{
    HWND changer = reinterpret_cast<HWND>(wParam);
    if (changer == window)
        return 0;
    if (changer && GetWindow(changer, GW_OWNER) == window) {
        InvalidateRect(window, nullptr, 1);
        UpdateWindow(window);
        return 0;
    }
    realisePalette(window, true);
    return 1;
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
        product->OnFirstPaint(reinterpret_cast<JxCPageObject*>(lParam), wParam);
        break;
    }
    return 1;
}

// An event for the window's object; without one, the default processing.
LRESULT windowEvent(HWND window, std::int16_t code, std::int16_t value, std::intptr_t value32, UINT message,
                    WPARAM wParam, LPARAM lParam)
{
    JxCBaseWindowObject* object = GetWindowObject(window);
    if (!object)
        return DefWindowProcA(window, message, wParam, lParam);
    return object->HandleEvent(code, value, value32);
}

}  // namespace

JxMainWindowInput& MainWindowInput()
{
    static JxMainWindowInput input;
    return input;
}

bool IsProductWindow(HWND window)
{
    return window && window == GetProductWindow();
}

void ReleasePageCapture(JxCBaseProduct* product)
{
    if (product && product->GetCapturePage())
        product->ReleaseMouseCapture();
}

LRESULT MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return onCreate(window, lParam);
    case WM_DESTROY:
        DestroyWindowObject(window);
        return 0;
    case WM_MOVE:
        return onMove(window);
    case WM_ACTIVATE: {
        // A window being minimised is left alone.
        if ((wParam >> 16) & 0xFFFF)
            return 1;
        MainWindowInput().activationState = std::int32_t(wParam & 0xFFFF);
        windowEvent(window, JxCBaseWindowObject::kWindowActivation, std::int16_t((wParam & 0xFFFF) != 0),
                    std::intptr_t(lParam), message, wParam, lParam);
        return 0;
    }
    case WM_SETFOCUS:
        windowEvent(window, JxCBaseWindowObject::kFocus, 1, std::intptr_t(wParam), message, wParam, lParam);
        return 0;
    case WM_KILLFOCUS:
        windowEvent(window, JxCBaseWindowObject::kFocus, 0, std::intptr_t(wParam), message, wParam, lParam);
        return 0;
    case WM_ENABLE:
        return onEnable(window, wParam, lParam);
    case WM_PAINT:
        return onPaint(window);
    case WM_CLOSE:
        return onClose(window);
    case WM_ERASEBKGND:
        // Pages paint every pixel of their windows; a window without page
        // shows its class background.
        return FindPageByWindow(window) ? 0 : DefWindowProcA(window, message, wParam, lParam);
    case WM_ACTIVATEAPP:
        windowEvent(window, JxCBaseWindowObject::kAppActivation, std::int16_t(wParam != 0),
                    std::intptr_t(lParam & 0xFFFF), message, wParam, lParam);
        return 0;
    case WM_GETMINMAXINFO:
        if (auto* info = reinterpret_cast<MINMAXINFO*>(lParam))
            info->ptMaxTrackSize = POINT{kMaxTrackWidth, kMaxTrackHeight};
        return 1;
    case WM_COMPACTING:
        return onCompacting();
    case WM_DISPLAYCHANGE:
        return onDisplayChange(window, wParam, lParam);
    case WM_NCHITTEST:
        return onHitTest(window, lParam);
    case WM_NCACTIVATE:
        return windowEvent(window, JxCBaseWindowObject::kCaptionActivation, std::int16_t(wParam != 0), 0, message,
                           wParam, lParam);
    case WM_NCLBUTTONDOWN:
        return OnCaptionButtonDown(window, wParam, lParam);
    case WM_NCLBUTTONUP:
        return OnCaptionButtonUp(window, wParam, lParam);
    case WM_NCLBUTTONDBLCLK:
        MainWindowInput().doubleClickSeen = true;
        return 1;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_RBUTTONUP:
        MainWindowInput().doubleClickSeen = false;
        return 1;
    case WM_NCRBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_KEYUP:
        return 1;
    case WM_KEYDOWN:
        return onKeyDown(window, wParam, lParam);
    case WM_CHAR:
    case JxCKeyParams::kCompositeCharMessage:
        return onChar(window, message, wParam, lParam);
    case WM_SYSKEYDOWN:
        return onSysKeyDown(window, wParam, lParam);
    case WM_COMMAND:
        return onCommand(wParam);
    case WM_SYSCOMMAND:
        return onSysCommand(window, wParam, lParam);
    case WM_MOUSEMOVE:
        return OnMouseMove(window, lParam);
    case WM_LBUTTONDOWN:
        return OnLeftButtonDown(window, lParam);
    case WM_LBUTTONUP:
        return OnLeftButtonUp(window, lParam);
    case WM_LBUTTONDBLCLK:
        return OnLeftDoubleClick(window, lParam);
    case WM_QUERYNEWPALETTE:
        realisePalette(window, false);
        return 1;
    case WM_PALETTECHANGED:
        return onPaletteChanged(window, wParam);
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
    return MainWindowInput().appActive;
}

void SetAppActive(std::int16_t active)
{
    MainWindowInput().appActive = active;
}

void ResetMainWindowState()
{
    MainWindowInput() = JxMainWindowInput{};
}
