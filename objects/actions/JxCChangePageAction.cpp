#include "objects/actions/JxCChangePageAction.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "events/JxProperties.h"
#include "foundation/JxCInStrStream.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxWinHelpers.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxKeywordTables.h"

namespace {

void pump()
{
    PumpPrivateMessages();
}

bool isWipe(std::int32_t type)
{
    return type >= 6 && type <= 9;
}

bool sameRect(const JxCRect& a, const JxCRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool containsRect(const plat::RECT& outer, const plat::RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool sameRect(const plat::RECT& a, const plat::RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Panel lists that hold panels without owning them, for the length of a
// change.
class HeldPanels : public JxCPanelObjectList {
public:
    explicit HeldPanels(std::int16_t owns) { SetOwnsItems(owns); }
};

std::vector<JxCPanelObject*> snapshot(JxCPanelObjectList& list)
{
    std::vector<JxCPanelObject*> panels;
    for (JxCPanelObject* panel = list.GetFirst(); panel; panel = list.GetNext(panel))
        panels.push_back(panel);
    return panels;
}

// Takes the panel out of one list into another, deleting nothing.
void movePanel(JxCPanelObjectList& from, JxCPanelObjectList& to, JxCPanelObject* panel)
{
    if (JxCListNode* node = from.FindNode(panel)) {
        from.UnlinkNode(node);
        to.AppendNode(node);
    }
}

// Empties the list without deleting its panels.
void letGo(JxCPanelObjectList& list)
{
    const std::int16_t owns = list.GetOwnsItems();
    list.SetOwnsItems(0);
    list.RemoveAll();
    list.SetOwnsItems(owns);
}

// Closes the pages the panel's page holds as members (mode 1: all; 0: the
// unlinked ones).
void closeMembers(JxCPanelObject& panel, std::int16_t mode)
{
    std::int16_t closed = 0;
    panel.TestPageIndex(closed, mode);
}

// One run of the change: the target page, the old and new definitions and
// templates, the panels the new page adds and the old panels kept for a
// wipe.
//
// The new panels are built and make their resources while the old page is
// still whole: a panel that cannot (a missing picture) leaves the page as it
// was, on the screen, and only what was new goes. Only then do the old
// panels and the old definition go.
class PageChange {
public:
    PageChange(JxCBaseProduct& product, JxCPageObject& target, JxCTemplateDef& oldTemplate,
               JxCTemplateDef& newTemplate, std::unique_ptr<JxCPageDef> newDef, std::int32_t type)
        : product_(product),
          target_(target),
          oldTemplate_(oldTemplate),
          newTemplate_(newTemplate),
          newDef_(std::move(newDef)),
          type_(type)
    {
    }

    std::int16_t Run(std::uint32_t pageKey);

private:
    bool isReplaced(const JxCPanelObject* old) const;
    JxCPanelObject* findKept(std::int32_t id) const;
    void matchDefinitionPanels();
    void matchTemplatePanels();
    std::int16_t createResources();
    void dropReplacedPanels();
    void swapDefinitions();
    void fitWindow(const JxCSize& oldSize);
    void redrawUncovered(const plat::RECT& old);
    std::int16_t drawNewPanels();
    void carryPopups();
    std::int16_t startNewPanels();

    JxCBaseProduct& product_;
    JxCPageObject& target_;
    JxCTemplateDef& oldTemplate_;
    JxCTemplateDef& newTemplate_;
    // Owns every new panel until the page takes the definition over, so
    // that a change that fails deletes them with it.
    std::unique_ptr<JxCPageDef> newDef_;
    // The definition the page shows; the page owns it.
    JxCPageDef* def_ = nullptr;
    std::int32_t type_;
    HeldPanels newList_{0};
    // Old panels the new page replaces or drops, in the order found, each
    // with the panel of the new definition that takes its place (none for
    // the template's).
    struct Replaced {
        JxCPanelObject* old;
        const JxCPanelObject* by;
    };
    std::vector<Replaced> replaced_;
    // Old panels kept only as the first picture of a wipe; what is left
    // goes with the list.
    HeldPanels keepList_{1};
};

std::int16_t PageChange::Run(std::uint32_t pageKey)
{
    const JxCSize oldSize = target_.GetPageSize();
    JxCPageDef* oldDef = target_.GetPageDef();
    newDef_->SetPageId(std::int32_t(pageKey));
    newDef_->SetOpenParameters(oldDef->GetOpenParameter1(), oldDef->GetOpenParameter2());
    matchDefinitionPanels();
    pump();
    if (oldTemplate_.GetTemplateId() != newTemplate_.GetTemplateId())
        matchTemplatePanels();
    if (!createResources())
        return 0;
    target_.CloseChildMembers(1);
    dropReplacedPanels();
    swapDefinitions();
    product_.SetCurrentPage(&target_);
    const JxCSize newSize = target_.GetPageSize();
    if (newSize.cx != oldSize.cx || newSize.cy != oldSize.cy ||
        oldTemplate_.GetTemplateId() != newTemplate_.GetTemplateId())
        fitWindow(oldSize);
    std::int16_t result = drawNewPanels();
    // A panel that could not draw leaves the page to the window's next
    // paint: it keeps its panels and stays on the screen.
    if (!result)
        if (plat::HWND window = target_.GetWindow(); window && plat::IsWindow(window))
            plat::InvalidateRect(window, nullptr, 0);
    carryPopups();
    pump();
    if (result)
        result = startNewPanels();
    letGo(newList_);
    return result;
}

bool PageChange::isReplaced(const JxCPanelObject* old) const
{
    return std::any_of(replaced_.begin(), replaced_.end(), [old](const Replaced& r) { return r.old == old; });
}

// The first old panel of the id that the new page does not replace.
JxCPanelObject* PageChange::findKept(std::int32_t id) const
{
    JxCPanelObjectList& oldList = target_.GetPageDef()->GetPanelList();
    for (JxCPanelObject* old = oldList.GetFirst(); old; old = oldList.GetNext(old))
        if (old->GetId() == id && !isReplaced(old))
            return old;
    return nullptr;
}

// Pass 1: the panels the new definition builds replace the old panels of
// their ids.
void PageChange::matchDefinitionPanels()
{
    for (JxCPanelObject* panel : snapshot(newDef_->GetPanelList())) {
        if (JxCPanelObject* old = findKept(panel->GetId()))
            replaced_.push_back({old, panel});
        newList_.Add(panel);
    }
}

// Pass 2, between templates: old panels the new template lacks go; the
// new template's panels that the definition does not build are kept when
// their definitions are equal in both templates, else built anew.
void PageChange::matchTemplatePanels()
{
    JxCPanelObjectList& oldList = target_.GetPageDef()->GetPanelList();
    for (JxCPanelObject* old : snapshot(oldList))
        if (!isReplaced(old) && !newTemplate_.FindPanelDef(std::int16_t(old->GetId())))
            replaced_.push_back({old, nullptr});
    pump();
    JxCPanelDefList& newDefs = newTemplate_.GetPanelDefs();
    for (std::int32_t i = 0; i < newDefs.GetCount(); ++i) {
        JxCPanelDef* panelDef = newDefs.GetAt(i);
        if (newDef_->GetPanelList().FindById(panelDef->GetPanelId()))
            continue;
        if (JxCPanelObject* old = findKept(panelDef->GetPanelId())) {
            JxCProductDef* productDef = product_.GetProductDef();
            const JxCPanelDef* oldDef =
                productDef
                    ? productDef->FindPanelDef(oldTemplate_.GetTemplateId(), std::int16_t(panelDef->GetPanelId()), 1)
                    : nullptr;
            // An old definition that is missing counts as different.
            if (oldDef && *oldDef == *panelDef)
                continue;
            replaced_.push_back({old, nullptr});
        }
        // Built into the new definition, which owns it until the page does.
        JxCPanelObjectList& built = newDef_->GetPanelList();
        JxCPanelObject* last = built.GetLast();
        if (product_.ReadPagePanels(*panelDef, built, newDef_.get()) && built.GetLast() != last)
            newList_.Add(built.GetLast());
    }
}

// Every new panel makes its resources, all of them even after one has
// failed (each reports what it lacks). On a failure the new panels go with
// the new definition and the page stays as it was.
std::int16_t PageChange::createResources()
{
    std::int16_t made = 1;
    for (JxCPanelObject* panel : snapshot(newList_)) {
        // The page is the panel's owner, the new definition its own.
        panel->SetOwnerPage(&target_);
        panel->SetPage(newDef_.get());
        if (!panel->CreateResources())
            made = 0;
    }
    if (made)
        return 1;
    // Panels that go without an owner leave the page's member pages alone.
    for (JxCPanelObject* panel : snapshot(newList_))
        panel->SetOwnerPage(nullptr);
    letGo(newList_);
    newDef_.reset();
    // The old page is shown again as it was (a box may have covered it).
    if (plat::HWND window = target_.GetWindow(); window && plat::IsWindow(window))
        plat::InvalidateRect(window, nullptr, 0);
    return 0;
}

// The old panels the new page replaces go: their member pages close, and
// with a wipe an old panel of the new one's rectangle stays as the wipe's
// first picture.
void PageChange::dropReplacedPanels()
{
    JxCPanelObjectList& oldList = target_.GetPageDef()->GetPanelList();
    for (const auto& [old, by] : replaced_) {
        if (!oldList.FindNode(old))
            continue;
        closeMembers(*old, 1);
        if (!oldList.FindNode(old))
            continue;
        if (by && !product_.IsClosingPopup() && isWipe(type_) && sameRect(old->GetRect(), by->GetRect())) {
            movePanel(oldList, keepList_, old);
            // The old definition goes before the wipe is drawn.
            old->SetPage(newDef_.get());
        } else {
            oldList.Remove(old);
        }
    }
    replaced_.clear();
}

// The page takes the new definition with the old panels left and the new
// ones; the old definition goes.
void PageChange::swapDefinitions()
{
    letGo(newDef_->GetPanelList());
    pump();
    JxCPanelObjectList& oldList = target_.GetPageDef()->GetPanelList();
    for (JxCPanelObject* panel : snapshot(oldList)) {
        movePanel(oldList, newDef_->GetPanelList(), panel);
        panel->SetPage(newDef_.get());
    }
    def_ = newDef_.release();
    std::unique_ptr<JxCPageDef> old(target_.SetPageDef(def_));
    letGo(old->GetPanelList());
    old.reset();
    pump();
    for (JxCPanelObject* panel : snapshot(newList_)) {
        panel->SetOwnerPage(&target_);
        def_->GetPanelList().Add(panel);
    }
    pump();
}

void PageChange::fitWindow(const JxCSize& oldSize)
{
    plat::HWND window = target_.GetWindow();
    if (!window || !plat::IsWindow(window))
        return;
    const JxCSize size = target_.GetPageSize();
    JxCRect screen;
    target_.GetScreenRect(size, screen);
    const JxCPoint point = def_->GetPosition();
    const int x = screen.left + point.x;
    const int y = screen.top + point.y;
    plat::RECT old{};
    plat::GetWindowRect(window, &old);
    const int width = size.cx + (old.right - old.left - oldSize.cx);
    const int height = size.cy + (old.bottom - old.top - oldSize.cy);
    plat::RECT main{};
    JxCPageObject* first = product_.GetFirstPage();
    if (first && first->GetWindow())
        plat::GetWindowRect(first->GetWindow(), &main);
    if (!containsRect(main, old) || target_.GetCaptionHeight() > 0) {
        plat::MoveWindow(window, x, y, width, height, 1);
    } else {
        if (!sameRect(old, main))
            plat::MoveWindow(window, x, y, width, height, 1);
        plat::RECT now{};
        plat::GetWindowRect(window, &now);
        if (!containsRect(now, old))
            redrawUncovered(old);
    }
    target_.MoveResize(window);
}

// Draws what the window left uncovered at once, page by page.
void PageChange::redrawUncovered(const plat::RECT& old)
{
    pump();
    JxCPageObjectList& pages = product_.GetPageList();
    for (JxCPageObject* page = pages.GetFirst(); page; page = pages.GetNext(page)) {
        plat::HWND window = page->GetWindow();
        if (!window || !plat::IsWindow(window))
            continue;
        plat::POINT corners[2] = {{old.left, old.top}, {old.right, old.bottom}};
        plat::ScreenToClient(window, &corners[0]);
        plat::ScreenToClient(window, &corners[1]);
        const std::int32_t caption = page->GetCaptionHeight();
        page->DrawPanels(nullptr,
                         JxCRect(std::int16_t(corners[0].x), std::int16_t(corners[0].y - caption),
                                 std::int16_t(corners[1].x), std::int16_t(corners[1].y - caption)),
                         1);
        plat::ValidateRect(window, nullptr);
    }
}

std::int16_t PageChange::drawNewPanels()
{
    for (JxCPanelObject* panel : snapshot(newList_)) {
        JxCPanelObject* previous = keepList_.FindById(panel->GetId());
        panel->SetTransitionType(type_);
        panel->SetPreviousPanel(previous);
        const std::int16_t drawn = panel->Draw(nullptr, nullptr, 1);
        panel->SetPreviousPanel(nullptr);
        if (!drawn)
            return 0;
        if (previous)
            keepList_.Remove(previous);
    }
    return 1;
}

// Pages waiting to be attached go to the first page; the pop-up pages
// shown move over the target page.
void PageChange::carryPopups()
{
    JxCPageObject* first = product_.GetFirstPage();
    JxCList& waiting = product_.GetSecondaryPageList();
    std::vector<JxCPageObject*> pages;
    for (JxCObject* item = waiting.GetFirst(); item; item = waiting.GetNext(item))
        pages.push_back(static_cast<JxCPageObject*>(item));
    for (JxCPageObject* page : pages)
        if (first) {
            first->AddMember(page);
            waiting.Remove(page);
        }
    if (target_.GetOpenMode() != 0)
        return;
    pages.clear();
    JxCTopmostPageList& topmost = product_.GetTopmostPageList();
    for (JxCPageObject* page = topmost.GetFirst(); page; page = topmost.GetNext(page))
        pages.push_back(page);
    for (JxCPageObject* popup : pages) {
        if (popup == &target_ || !product_.HasPage(popup))
            continue;
        JxCPageObject* opener = popup->GetOpenerPage();
        target_.AddMember(popup);
        waiting.Remove(popup);
        if (first && first != &target_)
            first->Detach(popup);
        if (opener && opener != &target_ && opener->HasMember(popup))
            opener->Detach(popup);
        popup->MoveToOpener(&target_);
    }
}

std::int16_t PageChange::startNewPanels()
{
    for (JxCPanelObject* panel : snapshot(newList_))
        if (!panel->Start())
            return 0;
    return 1;
}

// The one page that will show the new page: the single open page of its
// page type, else the focus page when it is of that type. The template is
// the page's.
JxCPageObject* findTarget(JxCBaseProduct& product, JxCPageTypeId type, JxCTemplateDef*& found)
{
    JxCProductDef* productDef = product.GetProductDef();
    std::int32_t count = 0;
    JxCPageObject* target = nullptr;
    JxCPageObjectList& pages = product.GetPageList();
    for (JxCPageObject* page = pages.GetFirst(); page; page = pages.GetNext(page)) {
        JxCTemplateDef* templateDef = page->GetPageDef() ? productDef->FindTemplateDef(page->GetPageDef()->GetTemplateId())
                                                         : nullptr;
        if (templateDef && templateDef->GetPageType() == type) {
            ++count;
            target = page;
            found = templateDef;
        }
    }
    if (count == 1)
        return target;
    found = nullptr;
    JxCPageObject* focus = product.GetFocusPage();
    if (!focus || !product.HasPage(focus) || !focus->GetPageDef())
        return nullptr;
    JxCTemplateDef* templateDef = productDef->FindTemplateDef(focus->GetPageDef()->GetTemplateId());
    if (templateDef && templateDef->GetPageType() == type) {
        found = templateDef;
        return focus;
    }
    OhNoItsAnError(JxCProductDef::kNoTemplateId, "");
    return nullptr;
}

}  // namespace

JxCChangePageAction::JxCChangePageAction()
{
    SetType(ActionTypeId(JxActionKeyword::CHANGEPAGE));
    SetResourceKind(ResourceTypeId(JxResourceKind::None));
}

JxCChangePageAction::JxCChangePageAction(const JxCChangePageAction& other) : JxCAction(other)
{
    CopyTarget(other);
}

std::int16_t JxCChangePageAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    // The object whose handler holds the action (a hotspot's highlight
    // lasts while the change waits).
    SetOwner(owner);
    std::uint32_t key = 0;
    std::int32_t row = 0;
    if (!in.ReadBigEndian32(key).ReadBigEndian16To32(row))
        return 0;
    pageName_ = key;
    transition_ = row;
    return 1;
}

std::int16_t JxCChangePageAction::Describe(JxCString& text)
{
    text = "m_PageName";
    text += JxCTableString(", ");
    if (const char* keyword = ChangePageRowName(transition_))
        text += JxCTableString(keyword);
    return 0;
}

std::int16_t JxCChangePageAction::SetParameterText(const JxCString&)
{
    return kPropertyReadOnly;
}

std::int16_t JxCChangePageAction::SetTarget(std::uint32_t pageKey, std::int32_t transitionType)
{
    pageName_ = pageKey;
    transition_ = ChangePageRowOfType(transitionType);
    return 1;
}

void JxCChangePageAction::CopyTarget(const JxCChangePageAction& other)
{
    if (&other == this)
        return;
    pageName_ = other.pageName_;
    transition_ = other.transition_;
}

std::int16_t JxCChangePageAction::Execute()
{
    JxCBaseProduct* product = GetProduct();
    if (!product || !product->GetProductDef())
        return 0;
    product->ReleaseMouseCapture();
    pump();
    // A row outside the table is no transition.
    const std::int32_t type = ChangePageRowType(transition_);
    product->MarkBusy();
    struct IdleAtEnd {
        JxCBaseProduct& product;
        ~IdleAtEnd()
        {
            product.MarkIdle();
            product.ClearInputBlock();
        }
    } idle{*product};

    std::unique_ptr<JxCPageDef> def(product->NewPageDef());
    if (!def || !def->Load(std::int32_t(pageName_)))
        return 0;
    JxCTemplateDef* newTemplate = product->GetProductDef()->FindTemplateDef(def->GetTemplateId());
    if (!newTemplate)
        return 0;
    pump();
    JxCTemplateDef* oldTemplate = nullptr;
    JxCPageObject* target = findTarget(*product, newTemplate->GetPageType(), oldTemplate);
    if (!target || !oldTemplate)
        return 0;
    pump();
    if (target->GetPageId() == std::int32_t(pageName_)) {
        // Shown already: only the unlinked pages opened from it close.
        if (JxCPanelObjectList* panels = target->GetPanelList())
            for (JxCPanelObject* panel : snapshot(*panels))
                closeMembers(*panel, 0);
        return 1;
    }
    PageChange change(*product, *target, *oldTemplate, *newTemplate, std::move(def), type);
    const std::int16_t result = change.Run(pageName_);
    product->GetCursorList().RestoreCursor();
    if (product->HasPage(target))
        target->EndCapture();
    product->MarkIdle();
    product->RefreshMouseOver();
    return result;
}
