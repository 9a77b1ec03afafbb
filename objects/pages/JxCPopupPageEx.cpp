#include "objects/pages/JxCPopupPageEx.h"

#include <algorithm>
#include <vector>

#include "events/JxCTitleHooks.h"
#include "graphics/JxZoomBox.h"
#include "platform/draw/dc.h"
#include "platform/ui/syscolor.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxCProductDef.h"
#include "runtime/JxKeywordTables.h"

namespace {

JxCRect toRect(const plat::RECT& r)
{
    return JxCRect(std::int16_t(r.left), std::int16_t(r.top), std::int16_t(r.right), std::int16_t(r.bottom));
}

bool isOpen(JxCBaseProduct* product, const JxCPageObject* page)
{
    return product && page && product->HasPage(page);
}

}  // namespace

JxCRect JxCPopupPageEx::ClientOnScreen(plat::HWND window)
{
    plat::RECT r{};
    plat::GetClientRect(window, &r);
    plat::POINT origin{0, 0};
    plat::ClientToScreen(window, &origin);
    return JxCRect(std::int16_t(origin.x), std::int16_t(origin.y), std::int16_t(origin.x + r.right),
                   std::int16_t(origin.y + r.bottom));
}

JxCPopupPageEx::JxCPopupPageEx() : windowTransition_(std::make_unique<JxCWindowTransition>()), style_(plat::WS_POPUP)
{
}

JxCPopupPageEx::~JxCPopupPageEx()
{
    JxCBaseProduct* product = GetProduct();
    plat::HWND window = GetWindow();
    const bool hadKeyboard = window && plat::GetFocus() == window;
    if (window && plat::IsWindow(window) && closingTransition() != 0) {
        plat::RECT r{};
        plat::GetClientRect(window, &r);
        runSlide(closingTransition(), toRect(r));
    }
    if (JxCPanelObjectList* panels = GetPanelList())
        panels->CloseAll();
    CloseChildMembers(1);
    JxCPageObject* opener = GetOpenerPage();
    // An opener that has gone is neither counted down nor made current.
    const bool openerOpen = isOpen(product, opener);
    if (openerOpen) {
        if (IsUnlinked() && !GetKeepOpen())
            opener->LowerDependants();
        if (CanActivate())
            product->SetFocusPage(opener);
    }
    if (window && plat::IsWindow(window)) {
        JxCProductDef* productDef = product ? product->GetProductDef() : nullptr;
        const bool atOnce = product && product->IsClosingPanels() && productDef && productDef->GetPopupCloseFlag();
        if (atOnce || !windowTransition_)
            plat::DestroyWindow(window);
        else
            windowTransition_->Run(window, openingTransition(), positionPoint());
    }
    SetWindow(nullptr);
    if (openerOpen)
        product->SetCurrentPage(opener);
    // Closed while another page was active (a click there closed it), the
    // window took the keyboard with it to nowhere.
    if (hadKeyboard && product)
        product->ReturnKeyboard();
    windowTransition_.reset();
    // The quiz's research button depends on the pages open beneath it.
    if (product)
        if (JxCPageObject* quiz = product->FindQuizPage(); quiz && quiz != this)
            GetTitleHooks().UpdateResearchButton(quiz);
}

std::int16_t JxCPopupPageEx::Init(JxCPageDef* def)
{
    if (!JxCPageObject::Init(def))
        return 0;
    if (const JxCTemplateDef* templateDef = findTemplate()) {
        modal_ = templateDef->GetModal();
        SetLink(templateDef->GetLink());
        SetKeepOpen(templateDef->GetKeepOpen());
        SetOpenMode(templateDef->GetOpenMode());
        SetTemplateParams(templateDef->GetParameter1(), templateDef->GetParameter2());
        if (templateDef->GetOpenMode())
            SetKeepOpen(1);
    }
    return 1;
}

JxCTemplateDef* JxCPopupPageEx::findTemplate() const
{
    JxCBaseProduct* product = GetProduct();
    JxCProductDef* productDef = product ? product->GetProductDef() : nullptr;
    const JxCPageDef* def = GetPageDef();
    return productDef && def ? productDef->FindTemplateDef(def->GetTemplateId()) : nullptr;
}

std::int32_t JxCPopupPageEx::frameInset() const
{
    const JxCTemplateDef* templateDef = findTemplate();
    return templateDef ? templateDef->GetFrameInset() : 0;
}

std::int32_t JxCPopupPageEx::openingTransition() const
{
    return GetPageDef() ? GetPageDef()->GetOpenParameter1() : 0;
}

std::int32_t JxCPopupPageEx::closingTransition() const
{
    return GetPageDef() ? GetPageDef()->GetOpenParameter2() : 0;
}

// A position point of (0, 0) stands for none: the zoom takes the last
// mouse point, or the window's corner.
std::optional<JxCPoint> JxCPopupPageEx::positionPoint() const
{
    if (position_.x == 0 && position_.y == 0)
        return std::nullopt;
    return position_;
}

std::int32_t JxCPopupPageEx::GetCaptionHeight() const
{
    return std::max<std::int32_t>(captionHeight_ - 1, 0);
}

void* JxCPopupPageEx::GetDC()
{
    auto dc = static_cast<plat::HDC>(JxCPageObject::GetDC());
    if (dc)
        plat::OffsetWindowOrgEx(dc, 0, -GetCaptionHeight(), nullptr);
    return dc;
}

JxCPoint JxCPopupPageEx::GetPopupOrigin() const
{
    JxCBaseProduct* product = GetProduct();
    return product ? product->GetPopupOrigin() : JxCPoint();
}

plat::COLORREF JxCPopupPageEx::GetActiveCaptionColor() const
{
    return plat::GetSysColor(plat::COLOR_ACTIVECAPTION);
}

plat::COLORREF JxCPopupPageEx::GetInactiveCaptionColor() const
{
    return plat::GetSysColor(plat::COLOR_INACTIVECAPTION);
}

void JxCPopupPageEx::anchorPlacement(const JxCTemplateDef& templateDef, JxCRect& rect)
{
    JxCBaseProduct* product = GetProduct();
    const std::int16_t flags = templateDef.GetPlacement();
    JxCPageObject* opener = GetOpenerPage();
    JxCPageObject* anchorPage = nullptr;
    plat::HWND anchorWindow = isOpen(product, opener) ? opener->GetWindow() : nullptr;
    if (flags & kAnchorToTemplate) {
        // The most recent page of the anchor template, before this one.
        JxCPageObjectList& pages = product->GetPageList();
        JxCPageObject* last = pages.GetLast();
        for (JxCPageObject* page = last ? pages.GetPrev(last) : nullptr; page; page = pages.GetPrev(page)) {
            if (page != this && page->GetPageDef() &&
                page->GetPageDef()->GetTemplateId() == std::int16_t(templateDef.GetAnchorTemplateId())) {
                anchorPage = page;
                anchorWindow = page->GetWindow();
                break;
            }
        }
    }
    if ((flags & kAnchorToOpener) || ((flags & kAnchorToTemplate) && !anchorWindow))
        anchorPage = opener;
    if (!anchorPage)
        anchorPage = product->GetFirstPage();
    if (anchorWindow && plat::IsWindow(anchorWindow)) {
        rect = ClientOnScreen(anchorWindow);
        rect.top = std::int16_t(rect.top + (anchorPage ? anchorPage->GetCaptionHeight() : 0));
    }
    if (!(flags & kAnchorToPanel))
        return;
    JxCProductDef* productDef = product->GetProductDef();
    JxCTemplateDef* anchorTemplate =
        productDef ? productDef->FindTemplateDef(std::int16_t(templateDef.GetAnchorTemplateId())) : nullptr;
    const JxCPanelDef* panelDef =
        anchorTemplate ? anchorTemplate->FindPanelDef(std::int16_t(templateDef.GetAnchorPanelId())) : nullptr;
    if (!panelDef)
        return;
    const std::int16_t left = std::int16_t(rect.left + panelDef->position.x);
    const std::int16_t top = std::int16_t(rect.top + panelDef->position.y);
    std::int16_t width = panelDef->size.cx;
    std::int16_t height = panelDef->size.cy;
    if (width == 0 || height == 0) {
        const JxCPanelObject* panel = anchorPage ? anchorPage->FindPanelById(templateDef.GetAnchorPanelId()) : nullptr;
        width = panel ? panel->GetRect().Width() : 0;
        height = panel ? panel->GetRect().Height() : 0;
    }
    rect = JxCRect(left, top, std::int16_t(left + width), std::int16_t(top + height));
}

void JxCPopupPageEx::GetScreenRect(const JxCSize& size, JxCRect& rect)
{
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* first = product ? product->GetFirstPage() : nullptr;
    rect = first && first->GetWindow() ? ClientOnScreen(first->GetWindow()) : JxCRect();
    const JxCTemplateDef* templateDef = findTemplate();
    JxCPageDef* def = GetPageDef();
    if (!templateDef || !def || !product)
        return;
    if (templateDef->HasOffset()) {
        def->SetPosition(templateDef->GetOffset());
        return;
    }
    if (templateDef->GetPlacement() & kAnchorBits)
        anchorPlacement(*templateDef, rect);
    if (templateDef->GetCentring() || templateDef->HasArea()) {
        if (templateDef->HasArea()) {
            // The area's right and bottom edges count from the first corner.
            const JxCRect& area = templateDef->GetArea();
            rect.right = std::int16_t(rect.left + area.right);
            rect.bottom = std::int16_t(rect.top + area.bottom);
            rect.left = std::int16_t(rect.left + area.left);
            rect.top = std::int16_t(rect.top + area.top);
        }
        const std::int32_t x = (rect.Width() - size.cx) >> 1;
        const std::int32_t y = (rect.Height() - (size.cy + GetCaptionHeight())) >> 1;
        def->SetPosition(JxCPoint(std::int16_t(x), std::int16_t(y)));
        return;
    }
    const JxCPoint origin = GetPopupOrigin();
    if (origin.x != 0 || origin.y != 0)
        def->SetPosition(origin);
}

plat::HWND JxCPopupPageEx::CreateWindowFor(JxCPageObject* page)
{
    if (!page || !GetPageDef())
        return nullptr;
    const JxCSize size = GetPageSize();
    JxCRect at;
    GetScreenRect(size, at);
    const JxCPoint point = GetPageDef()->GetPosition();
    const std::int32_t inset = frameInset();
    JxZoomTarget target;
    target.x = at.left + point.x;
    target.y = at.top + point.y;
    target.width = size.cx + inset;
    target.height = size.cy + inset + captionHeight_;
    target.parent = page->GetWindow();
    target.transition = openingTransition();
    target.point = positionPoint();
    target.style = style_;
    target.captionHeight = captionHeight_;
    return ZoomToPage(target);
}

std::int16_t JxCPopupPageEx::CreateResources()
{
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return 0;
    opening_ = 1;
    if (const JxCTemplateDef* templateDef = findTemplate()) {
        if (templateDef->GetCaptionHeight() > 0) {
            captioned_ = 1;
            captionHeight_ = templateDef->GetCaptionHeight();
            captionStart_ = std::max(captionHeight_, kMinCaptionBarStart);
        }
        if (templateDef->GetFrameStyle() == 1)
            captioned_ = 1;
    }
    JxCPageObject* opener = GetOpenerPage();
    if (isOpen(product, opener) && opener->GetWindow())
        SetStoredRect(ClientOnScreen(opener->GetWindow()));

    makingResources_ = 1;
    const std::int16_t made = CreatePanelResources();
    makingResources_ = 0;
    if (!made) {
        opening_ = 0;
        return 0;
    }
    if (IsUnlinked() && !GetKeepOpen() && opener)
        opener->RaiseDependants();

    plat::HWND window = CreateWindowFor(product->GetCurrentPage());
    if (!window)
        return 0;
    SetWindow(window);
    product->SetCurrentPage(this);
    if (GetOpenMode() == 0)
        takeOverShownPopups();
    if (CanActivate()) {
        product->SetFocusPage(this);
        if (isOpen(product, opener) && opener->GetWindow() && opener->GetCaptionHeight() > 0) {
            // The opener's caption repaints as inactive.
            const plat::RECT caption{0, 0, 32000, opener->GetCaptionHeight() - 1};
            plat::InvalidateRect(opener->GetWindow(), &caption, 0);
        }
        plat::SetFocus(window);
    }
    plat::ShowWindow(window, plat::SW_SHOW);
    opening_ = 0;
    return 1;
}

void JxCPopupPageEx::takeOverShownPopups()
{
    JxCBaseProduct* product = GetProduct();
    // Moving a popup changes the lists; walk a copy.
    std::vector<JxCPageObject*> shown;
    JxCTopmostPageList& topmost = product->GetTopmostPageList();
    for (JxCPageObject* page = topmost.GetFirst(); page; page = topmost.GetNext(page))
        shown.push_back(page);
    for (JxCPageObject* popup : shown) {
        if (popup == this || !product->HasPage(popup))
            continue;
        AddMember(popup);
        product->GetSecondaryPageList().Remove(popup);
        JxCPageObject* opener = popup->GetOpenerPage();
        if (opener && opener != this && opener->HasMember(popup))
            opener->Detach(popup);
        popup->MoveToOpener(this);
    }
}

std::int16_t JxCPopupPageEx::Start()
{
    const auto key = std::int16_t(PageTypeId(JxPageKeyword::POPUP_PAGE));
    DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_preopen)), key);
    const std::int16_t result = JxCPageObject::Start();
    DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_open)), key);
    return result;
}

std::int16_t JxCPopupPageEx::GetWindowRect(const plat::POINT& screen) const
{
    const JxCTemplateDef* templateDef = findTemplate();
    plat::HWND window = GetWindow();
    if (!templateDef || !window)
        return 0;
    plat::RECT r{};
    plat::GetWindowRect(window, &r);
    const std::int32_t inset = templateDef->GetFrameInset();
    if (inset > 0 && IsUnlinked() && (screen.x >= r.right - inset || screen.y >= r.bottom - inset))
        return kHitCloseBox;
    if (captionHeight_ > 0 && screen.y < r.top + captionHeight_)
        return screen.x < r.left + captionStart_ ? kHitCloseBox : kHitCaption;
    return kHitClient;
}

std::int16_t JxCPopupPageEx::MoveToOpener(JxCPageObject* opener)
{
    JxCBaseProduct* product = GetProduct();
    if (!product || !opener)
        return 0;
    JxCPageObject* previous = GetOpenerPage();
    SetOpenerPage(opener);
    product->SetClosingPopup();
    plat::HWND window = CreateWindowFor(opener);
    product->ClearClosingPopup();
    if (!window) {
        // The page stays where it was, with its old window and opener.
        SetOpenerPage(previous);
        return 0;
    }
    plat::HWND old = GetWindow();
    SetWindow(window);
    if (old && plat::IsWindow(old)) {
        plat::RECT r{};
        plat::GetWindowRect(old, &r);
        plat::MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, 1);
    }
    plat::ShowWindow(window, plat::SW_SHOW);
    // The focused edit box keeps its caret in the new window.
    if (JxCCaret* caret = product->GetCaret())
        caret->MoveToWindow(old, window);
    if (old && plat::IsWindow(old))
        plat::DestroyWindow(old);
    return 1;
}

void JxCPopupPageEx::MoveResize(plat::HWND window)
{
    JxCBaseProduct* product = GetProduct();
    if (!product || !window)
        return;
    if (window == product->GetProductWindow())
        followMainWindow(window);
    else
        followFromPageWindow(window);
}

// This page's window moved: the members that follow move with it.
void JxCPopupPageEx::followFromPageWindow(plat::HWND moved)
{
    JxCBaseProduct* product = GetProduct();
    const JxCRect now = ClientOnScreen(moved);
    JxCPoint offset;
    const std::vector<JxCPageObject*> members = GetMembers();
    if (!members.empty() && product->HasPage(members.front())) {
        const JxCRect& stored = members.front()->GetStoredRect();
        offset = JxCPoint(std::int16_t(now.left - stored.left), std::int16_t(now.top - stored.top));
    }
    JxCProductDef* productDef = product->GetProductDef();
    for (JxCPageObject* member : members) {
        if (!product->HasPage(member) || !member->GetPageDef() || !productDef)
            continue;
        JxCTemplateDef* templateDef = productDef->FindTemplateDef(member->GetPageDef()->GetTemplateId());
        plat::HWND window = member->GetWindow();
        if (templateDef && (templateDef->GetPlacement() & kFollowOpener) && window && plat::IsWindow(window)) {
            plat::RECT r{};
            plat::GetWindowRect(window, &r);
            plat::MoveWindow(window, r.left + offset.x, r.top + offset.y, r.right - r.left, r.bottom - r.top, 1);
        }
        // The next move counts from here.
        member->SetStoredRect(now);
    }
    JxCPageObject* opener = GetOpenerPage();
    if (isOpen(product, opener) && opener->GetWindow() && opener->GetWindow() != product->GetProductWindow())
        SetStoredRect(ClientOnScreen(opener->GetWindow()));
    if (frameInset() > 0)
        DrawShadow(kRightStrip | kBottomStrip);
    if (JxCPageObject* focus = product->GetFocusPage(); isOpen(product, focus) && focus->GetWindow())
        plat::SetFocus(focus->GetWindow());
}

void JxCPopupPageEx::followMainWindow(plat::HWND main)
{
    JxCBaseProduct* product = GetProduct();
    const JxCTemplateDef* templateDef = findTemplate();
    plat::HWND window = GetWindow();
    if (!templateDef || !window || !plat::IsWindow(window))
        return;
    plat::RECT r{};
    plat::GetWindowRect(window, &r);
    if (templateDef->GetPlacement() & kFollowMainWindow) {
        plat::RECT mainRect{};
        plat::GetWindowRect(main, &mainRect);
        const JxCPoint point = GetPageDef() ? GetPageDef()->GetPosition() : JxCPoint();
        plat::MoveWindow(window, mainRect.left + point.x, mainRect.top + point.y + GetPageCaptionHeight(),
                         r.right - r.left, r.bottom - r.top, 1);
        return;
    }
    JxCPageObject* opener = GetOpenerPage();
    if ((templateDef->GetPlacement() & kFollowOpener) && isOpen(product, opener) && opener->GetWindow() == main) {
        const JxCRect client = ClientOnScreen(main);
        const JxCRect& stored = GetStoredRect();
        const int dx = client.left - stored.left;
        const int dy = client.top - stored.top;
        SetStoredRect(client);
        plat::MoveWindow(window, r.left + dx, r.top + dy, r.right - r.left, r.bottom - r.top, 1);
    }
}
