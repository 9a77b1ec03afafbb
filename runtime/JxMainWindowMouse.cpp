// The main window procedure's mouse input: the filters that keep clicks
// made while the title was busy, during a page change or to reactivate the
// application from reaching a page, and the routing of what passes to the
// page that holds the capture or the page of the window.

#include "platform/clock/clock.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxMainWindowState.h"
#include "runtime/JxPageWindows.h"

namespace {

using namespace plat;

JxCPoint pointOf(LPARAM lParam)
{
    return JxCPoint(std::int16_t(lParam & 0xFFFF), std::int16_t((lParam >> 16) & 0xFFFF));
}

// Judges a button message by its time against the product's idle tick and
// busy-start tick: one made after the title last became idle passes; the
// first one made before a busy period that is over passes too, and moves
// the idle tick to now, so that every other one queued up to this moment
// fails.
bool passesBusyTimeFilter(JxCBaseProduct& product)
{
    const DWORD made = GetMessageTime();
    const DWORD idle = product.GetIdleStamp();
    const DWORD busy = product.GetBusyStamp();
    if (made >= idle)
        return true;
    if (made < busy && busy < idle) {
        product.SetBusyStamp(0);
        product.SetIdleStamp(GetTickCount());
        return true;
    }
    if (busy > idle)
        product.SetBusyStamp(0);
    return false;
}

}  // namespace

LRESULT OnLeftButtonDown(HWND window, LPARAM lParam)
{
    JxMainWindowInput& in = MainWindowInput();
    in.doubleClickSeen = false;
    JxCBaseProduct* product = GetProduct();
    if (!product || product->IsBusy() || in.swallow)
        return 1;
    if (!passesBusyTimeFilter(*product) || product->IsChangingPage())
        return 1;
    in.doubleClickDelivered = false;
    const JxCPoint point = pointOf(lParam);
    product->SetLastMousePoint(point);
    JxCPageObject* page = FindPageByWindow(window);
    if (!page)
        return 1;
    product->SetMousePage(product->GetCurrentPage());
    if (page->CanActivate() && page->QueryPanelAt(point))
        product->SetFocusPage(page);
    product->SetCurrentPage(page);
    page->MouseDown(point);
    return 1;
}

LRESULT OnLeftButtonUp(HWND window, LPARAM lParam)
{
    JxMainWindowInput& in = MainWindowInput();
    in.buttonUpDelivered = false;
    if (in.doubleClickSeen) {
        in.doubleClickSeen = false;
        return 1;
    }
    if (in.swallow) {
        in.swallow = 0;
        return 1;
    }
    JxCBaseProduct* product = GetProduct();
    if (!product || product->IsBusy())
        return 1;
    // The page that holds the capture hears the button go up in any case.
    if (!passesBusyTimeFilter(*product) && !product->GetCapturePage())
        return 1;
    if (product->IsChangingPage())
        return 1;
    if (in.doubleClickDelivered) {
        in.doubleClickDelivered = false;
        return 1;
    }
    in.buttonUpDelivered = true;
    JxCPageObject* page = product->GetCapturePage();
    if (!page)
        page = FindPageByWindow(window);
    if (page)
        page->MouseUp(pointOf(lParam));
    return 1;
}

LRESULT OnLeftDoubleClick(HWND window, LPARAM lParam)
{
    JxMainWindowInput& in = MainWindowInput();
    in.doubleClickSeen = true;
    JxCBaseProduct* product = GetProduct();
    if (!product || product->IsBusy())
        return 1;
    if (!in.buttonUpDelivered && !passesBusyTimeFilter(*product))
        return 1;
    if (product->IsChangingPage())
        return 1;
    JxCPageObject* page = FindPageByWindow(window);
    if (!page)
        return 1;
    in.doubleClickDelivered = true;
    page->MouseDoubleClick(pointOf(lParam));
    return 1;
}

LRESULT OnMouseMove(HWND window, LPARAM lParam)
{
    JxMainWindowInput& in = MainWindowInput();
    JxCBaseProduct* product = GetProduct();
    if (!in.appActive || !product || product->IsBusy() || product->IsChangingPage())
        return 1;
    JxCPageObject* page = FindPageByWindow(window);
    JxCPageObject* last = FindPageByWindow(in.lastMoveWindow);
    if (last && last != page) {
        last->MouseLeave();
        if (page)
            page->MouseEnter();
    }
    in.lastMoveWindow = window;
    // Leaving the old page may have closed pages.
    if (!product->IsPageOpen(page))
        page = nullptr;
    JxCPageObject* target = product->GetCapturePage() ? product->GetCapturePage() : page;
    if (target)
        target->MouseMove(pointOf(lParam));
    const HWND active = GetActiveWindow();
    if (!active || GetWindowThreadProcessId(active, nullptr) != GetWindowThreadProcessId(window, nullptr))
        product->ReleaseMouseCapture();
    return 1;
}
