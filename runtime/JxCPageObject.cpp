#include "runtime/JxCPageObject.h"

#include <algorithm>

#include "graphics/JxCDisplaySlate.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCDisplayObject.h"
#include "runtime/JxCKeyParams.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxCProductDef.h"
#include "runtime/JxKeywordTables.h"

JxCPageObject::JxCPageObject() = default;

JxCPageObject::~JxCPageObject()
{
    // The panels go first: a panel that goes may still close this page's
    // members.
    def_.reset();
}

std::int16_t JxCPageObject::Init(JxCPageDef* def)
{
    if (!def)
        return 0;
    def_.reset(def);
    return 1;
}

JxCPageDef* JxCPageObject::SetPageDef(JxCPageDef* def)
{
    JxCPageDef* previous = def_.release();
    def_.reset(def);
    return previous;
}

std::int32_t JxCPageObject::GetPageId() const
{
    return def_ ? def_->GetPageId() : 0;
}

std::int16_t JxCPageObject::Start()
{
    if (JxCPanelObjectList* panels = GetPanelList())
        for (JxCPanelObject* panel = panels->GetFirst(); panel; panel = panels->GetNext(panel))
            if (!panel->Start())
                return 0;
    // The cursor follows the object under the mouse now that the page is
    // there.
    if (JxCBaseProduct* product = GetProduct())
        product->RefreshMouseOver();
    return 1;
}

void* JxCPageObject::GetDC()
{
    plat::HWND window = GetWindow();
    return window && plat::IsWindow(window) ? plat::GetDC(window) : nullptr;
}

std::int16_t JxCPageObject::ReleaseDC(void* dc)
{
    return plat::ReleaseDC(GetWindow(), static_cast<plat::HDC>(dc)) == 1 ? 1 : 0;
}

JxCSlate* JxCPageObject::GetSlate()
{
    plat::HWND window = GetWindow();
    if (!window)
        return nullptr;
    return new JxCDisplaySlate(window, 0, -GetCaptionHeight());
}

std::int16_t JxCPageObject::ReleaseSlate(JxCSlate* slate)
{
    delete slate;
    return 1;
}

std::int16_t JxCPageObject::Paint(JxCSlate* slate, std::int16_t transition)
{
    JxCRect area;
    if (slate) {
        area = slate->GetRect();
    } else {
        plat::HWND window = GetWindow();
        if (!window)
            return 1;
        plat::PAINTSTRUCT ps{};
        plat::BeginPaint(window, &ps);
        plat::EndPaint(window, &ps);
        area = JxCRect(std::int16_t(ps.rcPaint.left), std::int16_t(ps.rcPaint.top), std::int16_t(ps.rcPaint.right),
                      std::int16_t(ps.rcPaint.bottom));
    }
    if (area.IsEmpty())
        return 1;
    area.Offset(0, -GetCaptionHeight());
    return DrawPanels(slate, area, transition);
}

std::int16_t JxCPageObject::DrawPanels(JxCSlate* slate, JxCRect clip, std::int16_t transition)
{
    JxCPanelObjectList* panels = GetPanelList();
    if (!panels)
        return 1;
    for (JxCPanelObject* panel = panels->GetFirst(); panel; panel = panels->GetNext(panel)) {
        const JxCRect rect = panel->GetRect();
        if (!rect.Intersects(clip))
            continue;
        JxCRect part = clip;
        part.Intersect(rect);
        const JxCPoint scroll = panel->GetScrollOffset();
        const int dx = scroll.x - rect.left;
        const int dy = scroll.y - rect.top;
        part.Offset(dx, dy);
        if (slate)
            slate->OffsetOrigin(dx, dy);
        const std::int16_t drawn = panel->Draw(slate, &part, transition);
        if (slate)
            slate->OffsetOrigin(-dx, -dy);
        if (!drawn)
            return 0;
    }
    return 1;
}

JxCSize JxCPageObject::GetPageSize() const
{
    JxCBaseProduct* product = GetProduct();
    JxCProductDef* productDef = product ? product->GetProductDef() : nullptr;
    const JxCTemplateDef* templateDef = productDef && def_ ? productDef->FindTemplateDef(def_->GetTemplateId()) : nullptr;
    if (templateDef && (templateDef->GetSize().cx || templateDef->GetSize().cy))
        return templateDef->GetSize();
    JxCPanelObjectList* panels = GetPanelList();
    if (!panels || !panels->GetFirst())
        return {};
    if (panels->GetCount() == 1) {
        JxCPanelObject* panel = panels->GetFirst();
        const JxCSize extent = panel->GetContentExtent();
        const JxCRect rect = panel->GetRect();
        panel->SetRect(JxCRect(rect.left, rect.top, std::int16_t(rect.left + extent.cx),
                               std::int16_t(rect.top + extent.cy)));
        return extent;
    }
    JxCSize size;
    for (JxCPanelObject* panel = panels->GetFirst(); panel; panel = panels->GetNext(panel)) {
        const JxCRect rect = panel->GetRect();
        size.cx = std::max(size.cx, rect.right);
        size.cy = std::max(size.cy, rect.bottom);
    }
    return size;
}

std::int16_t JxCPageObject::CreatePanelResources()
{
    JxCPanelObjectList* panels = GetPanelList();
    if (!panels)
        return 1;
    for (JxCPanelObject* panel = panels->GetFirst(); panel; panel = panels->GetNext(panel)) {
        panel->SetOwnerPage(this);
        if (!panel->CreateResources())
            return 0;
    }
    return 1;
}

JxCPanelObject* JxCPageObject::FindPanelAtPoint(const JxCPoint& point) const
{
    JxCPanelObjectList* panels = GetPanelList();
    if (!panels)
        return nullptr;
    const JxCPoint at(point.x, std::int16_t(point.y - GetCaptionHeight()));
    for (JxCPanelObject* panel = panels->GetFirst(); panel; panel = panels->GetNext(panel))
        if (panel->GetRect().Contains(at))
            return panel;
    return nullptr;
}

JxCPanelObject* JxCPageObject::FindPanelById(std::int32_t id) const
{
    JxCPanelObjectList* panels = GetPanelList();
    return panels ? panels->FindById(id) : nullptr;
}

bool JxCPageObject::holdsPanel(const JxCPanelObject* panel) const
{
    JxCPanelObjectList* panels = GetPanelList();
    return panel && panels && panels->FindNode(const_cast<JxCPanelObject*>(panel));
}

void JxCPageObject::paintPending()
{
    plat::HWND window = GetWindow();
    plat::RECT dirty{};
    if (window && plat::GetUpdateRect(window, &dirty, 0))
        plat::UpdateWindow(window);
}

// A press or release goes to the capture panel; otherwise what waits to be
// painted is painted first, so the panel under the point is hit as drawn.
JxCPanelObject* JxCPageObject::buttonTarget(const JxCPoint& point)
{
    if (capturePanel_)
        return capturePanel_;
    paintPending();
    return FindPanelAtPoint(point);
}

void JxCPageObject::MouseDown(const JxCPoint& point)
{
    if (JxCPanelObject* panel = buttonTarget(point))
        panel->MouseDown(point);
}

void JxCPageObject::MouseUp(const JxCPoint& point)
{
    if (JxCPanelObject* panel = buttonTarget(point))
        panel->MouseUp(point);
}

void JxCPageObject::MouseDoubleClick(const JxCPoint& point)
{
    if (JxCPanelObject* panel = FindPanelAtPoint(point))
        panel->MouseDoubleClick(point);
}

void JxCPageObject::MouseMove(const JxCPoint& point)
{
    if (capturePanel_) {
        capturePanel_->MouseMove(point);
        return;
    }
    JxCPanelObjectList* panels = GetPanelList();
    if (!panels)
        return;
    const JxCPoint at(point.x, std::int16_t(point.y - GetCaptionHeight()));
    for (JxCPanelObject* panel = panels->GetFirst(); panel; panel = panels->GetNext(panel)) {
        // A closing panel ends the walk: nothing is sent and the cursor stays.
        if (panel->IsClosing())
            return;
        if (!panel->GetRect().Contains(at))
            continue;
        if (panel != hoverPanel_) {
            if (holdsPanel(hoverPanel_))
                hoverPanel_->MouseLeave();
            hoverPanel_ = panel;
            panel->ReservedPanelAccept();
        }
        panel->MouseMove(point);
        return;
    }
    // Over no panel the cursor is the default one, not the last object's.
    if (JxCBaseProduct* product = GetProduct())
        product->SetCursor(DefaultCursorName());
}

void JxCPageObject::MouseLeave()
{
    if (holdsPanel(hoverPanel_))
        hoverPanel_->MouseLeave();
    hoverPanel_ = nullptr;
}

std::int16_t JxCPageObject::QueryPanelAt(const JxCPoint& point) const
{
    JxCPanelObject* panel = FindPanelAtPoint(point);
    return panel ? panel->QueryAt() : 0;
}

void JxCPageObject::HandleKey(JxCKeyParams& key)
{
    if (JxCPanelObject* panel = focusPanel_ ? focusPanel_ : capturePanel_) {
        panel->HandleKey(key);
        return;
    }
    JxCPanelObjectList* panels = GetPanelList();
    if (!panels)
        return;
    for (JxCPanelObject* panel = panels->GetFirst(); panel && !panel->IsClosing(); panel = panels->GetNext(panel))
        panel->HandleKey(key);
}

JxCDisplayObject* JxCPageObject::SetFocusObject(JxCDisplayObject* object)
{
    JxCDisplayObject* previous = GetFocusObject();
    if (previous && previous != object)
        previous->KillFocus();
    if (focusPanel_)
        focusPanel_->ClearFocusObject();
    focusPanel_ = object ? dynamic_cast<JxCPanelObject*>(object->GetContainer()) : nullptr;
    if (focusPanel_)
        focusPanel_->SetFocusObject(object);
    plat::SetFocus(nullptr);
    plat::SetFocus(GetWindow());
    return previous;
}

JxCDisplayObject* JxCPageObject::GetFocusObject() const
{
    return focusPanel_ ? focusPanel_->GetFocusObject() : nullptr;
}

void JxCPageObject::ClearFocus()
{
    plat::SetFocus(nullptr);
    if (focusPanel_)
        focusPanel_->ClearFocusObject();
    focusPanel_ = nullptr;
}

void JxCPageObject::EndCapture()
{
    if (capturePanel_)
        capturePanel_->ReleaseCaptureObject();
    capturePanel_ = nullptr;
}

void JxCPageObject::SetCapturePanel(JxCPanelObject* panel)
{
    capturePanel_ = panel;
    if (plat::HWND window = GetWindow())
        plat::SetCapture(window);
    if (JxCBaseProduct* product = GetProduct())
        product->SetCapturePage(this);
}

void JxCPageObject::ForgetPanel(const JxCPanelObject* panel)
{
    if (capturePanel_ == panel)
        capturePanel_ = nullptr;
    if (hoverPanel_ == panel)
        hoverPanel_ = nullptr;
    if (focusPanel_ == panel)
        focusPanel_ = nullptr;
}

JxCPanelObjectList* JxCPageObject::GetPanelList() const
{
    return def_ ? &def_->GetPanelList() : nullptr;
}

void JxCPageObject::AddMember(JxCPageObject* page)
{
    if (page && !HasMember(page))
        members_.push_back(page);
}

void JxCPageObject::RemoveMember(const JxCPageObject* page)
{
    std::erase(members_, page);
}

bool JxCPageObject::HasMember(const JxCPageObject* page) const
{
    return std::find(members_.begin(), members_.end(), page) != members_.end();
}

std::int16_t JxCPageObject::Detach(JxCPageObject* page)
{
    if (!page || !HasMember(page))
        return 0;
    RemoveMember(page);
    return 1;
}

std::int16_t JxCPageObject::HasUnlinkedMember() const
{
    return std::any_of(members_.begin(), members_.end(), [](const JxCPageObject* page) { return page->IsUnlinked(); })
               ? 1
               : 0;
}

void JxCPageObject::CloseMemberPages(std::int16_t mode)
{
    JxCBaseProduct* product = GetProduct();
    // Closing a member changes the list; walk a copy and skip what went.
    const std::vector<JxCPageObject*> members = members_;
    for (JxCPageObject* member : members) {
        if (!HasMember(member))
            continue;
        if (mode == 0 && !member->IsUnlinked()) {
            member->CloseMemberPages(0);
        } else if (member->GetKeepOpen()) {
            member->CloseMemberPages(1);
            if (product && !product->GetSecondaryPageList().FindNode(member))
                product->GetSecondaryPageList().Add(member);
        } else {
            RemoveMember(member);
            ClosePageAndPanels(member);
        }
    }
}

void JxCPageObject::CloseChildMembers(std::int16_t mode)
{
    const JxCPageTypeId child = PageTypeId(JxPageKeyword::CHILD_PAGE);
    const std::vector<JxCPageObject*> members = members_;
    for (JxCPageObject* member : members) {
        if (!HasMember(member) || (mode == 0 && !member->IsUnlinked()))
            continue;
        const JxCPageDef* def = member->GetPageDef();
        if (def && def->GetPageType() == child) {
            RemoveMember(member);
            ClosePageAndPanels(member);
        }
    }
}

void JxCPageObject::ClosePageAndPanels(JxCPageObject* page)
{
    JxCBaseProduct* product = GetProduct();
    if (!page || !product)
        return;
    const std::int16_t wasClosing = product->IsClosingPanels();
    product->BeginClosingPanels();
    if (JxCPanelObjectList* panels = page->GetPanelList())
        for (JxCPanelObject* panel = panels->GetFirst(); panel; panel = panels->GetNext(panel)) {
            std::int16_t closed = 0;
            panel->TestPageIndex(closed, 1);
        }
    // A page without panels still takes its member pages with it.
    page->CloseMemberPages(1);
    if (!wasClosing)
        product->EndClosingPanels();
    product->GetPageList().ClosePage(page);
}

void JxCPageObject::ForgetPage(const JxCNotifyRoot* dying)
{
    if (opener_ && static_cast<const JxCNotifyRoot*>(opener_) == dying)
        opener_ = nullptr;
    std::erase_if(members_, [dying](const JxCPageObject* page) { return static_cast<const JxCNotifyRoot*>(page) == dying; });
}

JxCPageObjectList::~JxCPageObjectList()
{
    // The product closes its pages itself; what is left goes with the list.
    while (JxCPageObject* page = GetFirst()) {
        Remove(page);
        delete page;
    }
}

std::int16_t JxCPageObjectList::ClosePage(JxCPageObject* page)
{
    if (!page || !FindNode(page))
        return 0;
    JxCBaseProduct* product = GetProduct();
    if (product) {
        product->GetSecondaryPageList().Remove(page);
        product->GetTopmostPageList().Remove(page);
        handOverPopups(*product, *page);
        page->MarkClosing();
        if (product->GetCapturePage() == page)
            product->ReleaseMouseCapture();
    }
    Remove(page);
    // Deleting it makes the product forget every link to it.
    delete page;
    if (product)
        product->RefreshPanelStates();
    return 1;
}

void JxCPageObjectList::handOverPopups(JxCBaseProduct& product, JxCPageObject& page)
{
    JxCPageObject* opener = page.GetOpenerPage();
    if (!opener || !product.HasPage(opener))
        return;
    opener->Detach(&page);
    if (page.GetOpenMode() != 0)
        return;
    // Popups kept above the others that this page opened stay open with
    // its opener as theirs.
    JxCTopmostPageList& topmost = product.GetTopmostPageList();
    for (JxCPageObject* popup = topmost.GetFirst(); popup; popup = topmost.GetNext(popup)) {
        if (popup->GetOpenerPage() != &page)
            continue;
        opener->AddMember(popup);
        product.GetSecondaryPageList().Remove(popup);
        page.RemoveMember(popup);
        popup->SetOpenerPage(opener);
        popup->MoveToOpener(opener);
    }
}
