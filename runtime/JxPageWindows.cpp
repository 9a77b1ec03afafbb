#include "runtime/JxPageWindows.h"

#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"

JxCPageObject* FindPageByWindow(plat::HWND window)
{
    JxCBaseProduct* product = GetProduct();
    if (!product || !window)
        return nullptr;
    JxCPageObjectList& pages = product->GetPageList();
    for (JxCPageObject* page = pages.GetLast(); page; page = pages.GetPrev(page))
        if (page->GetWindow() == window)
            return page;
    return nullptr;
}

void CentreOverFirstPage(plat::HWND window)
{
    using namespace plat;
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* first = product ? product->GetFirstPage() : nullptr;
    HWND over = first ? first->GetWindow() : nullptr;
    if (!window || !over)
        return;
    RECT target;
    RECT own;
    if (!::plat::GetWindowRect(over, &target) || !::plat::GetWindowRect(window, &own))
        return;
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int left = target.left + ((target.right - target.left) - width) / 2;
    const int top = target.top + ((target.bottom - target.top) - height) / 2;
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

plat::BOOL ClosePagesOfWindow(plat::HWND window, plat::LPARAM)
{
    JxCBaseProduct* product = GetProduct();
    if (!product || !window)
        return 1;
    // Closing a page changes the list: the walk starts again after each.
    JxCPageObjectList& pages = product->GetPageList();
    for (JxCPageObject* page = pages.GetFirst(); page;) {
        if (page->GetWindow() == window) {
            pages.ClosePage(page);
            page = pages.GetFirst();
        } else {
            page = pages.GetNext(page);
        }
    }
    return 1;
}
