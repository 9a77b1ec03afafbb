#include "objects/pages/JxCBasePage.h"

#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCProductDef.h"
#include "runtime/JxCWindowClass.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxPageWindows.h"

JxCBasePage::~JxCBasePage()
{
    JxCBaseProduct* product = GetProduct();
    plat::HWND window = GetWindow();
    // A base page opened over another in the main window goes alone: the
    // page beneath shows again and the program goes on. Only the last page
    // of the window ends the program.
    // The page is out of the page list by now; its member pages go first,
    // as they may be what else the window shows.
    const bool shown = product && window && plat::IsWindow(window);
    if (shown && FindPageByWindow(window))
        CloseMemberPages(1);
    JxCPageObject* beneath = shown ? FindPageByWindow(window) : nullptr;
    if (beneath && beneath != this) {
        if (product->GetCurrentPage() == this)
            product->SetCurrentPage(beneath);
        if (product->GetFocusPage() == this && beneath->CanActivate())
            product->SetFocusPage(beneath);
        plat::InvalidateRect(window, nullptr, 1);
        return;
    }
    if (product) {
        product->StopAllTimers();
        // Pages kept open for later go with the base page, as its members.
        JxCList& waiting = product->GetSecondaryPageList();
        while (JxCObject* item = waiting.GetFirst()) {
            waiting.Remove(item);
            AddMember(static_cast<JxCPageObject*>(item));
        }
        for (JxCPageObject* member : GetMembers())
            member->ClearKeepOpen();
        CloseMemberPages(1);
        JxCPageObjectList& pages = product->GetPageList();
        for (JxCPageObject* page = pages.GetFirst(); page; page = pages.GetNext(page))
            page->SetLink(0);
    }
    if (window && plat::IsWindow(window))
        plat::DestroyWindow(window);
    if (product)
        StopPlayingResources();
}

std::int16_t JxCBasePage::Init(JxCPageDef* def)
{
    if (!JxCPageObject::Init(def))
        return 0;
    if (JxCBaseProduct* product = GetProduct())
        SetWindow(product->GetProductWindow());
    if (const JxCTemplateDef* templateDef = FindTemplate())
        SetTemplateParams(templateDef->GetParameter1(), templateDef->GetParameter2());
    return 1;
}

std::int16_t JxCBasePage::CreateResources()
{
    return makePanelResources();
}
