#include "objects/pages/JxCBasePage.h"

#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCProductDef.h"
#include "runtime/JxCWindowClass.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxPageWindows.h"

void JxCFirstPaintPage::Refresh()
{
    if (firstPaint_) {
        JxCBaseProduct* product = GetProduct();
        if (!product || !product->GetProductWindow())
            return;
        // A refused post leaves the word set: the next refresh tries again.
        if (product->PostFirstPaint(this))
            firstPaint_ = 0;
    }
    JxCPageObject::Refresh();
}

std::int16_t JxCFirstPaintPage::Start()
{
    const JxCPageDef* def = GetPageDef();
    const std::int16_t key = def ? std::int16_t(def->GetPageType()) : 0;
    DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_open)), key);
    return JxCPageObject::Start();
}

JxCTemplateDef* JxCFirstPaintPage::FindTemplate() const
{
    JxCBaseProduct* product = GetProduct();
    JxCProductDef* productDef = product ? product->GetProductDef() : nullptr;
    const JxCPageDef* def = GetPageDef();
    return productDef && def ? productDef->FindTemplateDef(def->GetTemplateId()) : nullptr;
}

std::int16_t JxCFirstPaintPage::makePanelResources()
{
    makingResources_ = 1;
    const std::int16_t made = CreatePanelResources();
    makingResources_ = 0;
    return made;
}

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

JxCChildPage::~JxCChildPage()
{
    if (plat::HWND window = GetWindow(); window && plat::IsWindow(window))
        plat::DestroyWindow(window);
    JxCBaseProduct* product = GetProduct();
    if (product && parent_ && product->HasPage(parent_) && !parent_->IsClosing())
        product->SetCurrentPage(parent_);
}

std::int16_t JxCChildPage::Init(JxCPageDef* def)
{
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* current = product ? product->GetCurrentPage() : nullptr;
    if (!current || !JxCPageObject::Init(def))
        return 0;
    parent_ = current;
    if (const JxCTemplateDef* templateDef = FindTemplate())
        SetTemplateParams(templateDef->GetParameter1(), 0);
    return 1;
}

JxCPoint JxCChildPage::GetWindowPosition() const
{
    JxCPoint at;
    JxCPoint offset = GetPageDef() ? GetPageDef()->GetPosition() : JxCPoint();
    JxCTemplateDef* templateDef = FindTemplate();
    if (!templateDef)
        return offset;
    if (templateDef->HasAnchor()) {
        JxCBaseProduct* product = GetProduct();
        JxCTemplateDef* anchor = product && product->GetProductDef()
                                     ? product->GetProductDef()->FindTemplateDef(
                                           std::int16_t(templateDef->GetAnchorTemplateId()))
                                     : nullptr;
        if (const JxCPanelDef* panel =
                anchor ? anchor->FindPanelDef(std::int16_t(templateDef->GetAnchorPanelId())) : nullptr)
            at = panel->position;
    }
    if (templateDef->HasOffset()) {
        const std::int32_t caption = parent_ ? parent_->GetCaptionHeight() : 0;
        offset = JxCPoint(templateDef->GetOffset().x, std::int16_t(templateDef->GetOffset().y + caption));
    }
    return JxCPoint(std::int16_t(at.x + offset.x), std::int16_t(at.y + offset.y));
}

std::int16_t JxCChildPage::CreateResources()
{
    if (!makePanelResources())
        return 0;
    makingResources_ = 1;
    const JxCSize size = GetPageSize();
    const JxCPoint at = GetWindowPosition();
    JxCWindowCreateParams params;
    params.x = at.x;
    params.y = at.y;
    params.width = size.cx;
    params.height = size.cy;
    params.style = plat::WS_CHILD | plat::WS_VISIBLE;
    params.parent = parent_ ? parent_->GetWindow() : nullptr;
    SetWindow(CreateAppWindow(kMainWindowClassName, params));
    makingResources_ = 0;
    return GetWindow() ? 1 : 0;
}
