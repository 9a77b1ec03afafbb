#include "objects/widgets/JxCGroupCollage.h"

#include <algorithm>

#include "foundation/JxCInStrStream.h"
#include "objects/widgets/JxCCollage.h"
#include "objects/widgets/JxCEditBox.h"
#include "objects/widgets/JxCScrollBar.h"
#include "platform/window/messages.h"
#include "runtime/JxCCollArrangementManager.h"
#include "runtime/JxCCollDataManager.h"
#include "runtime/JxCKeyParams.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxCPanelObject.h"

namespace {

constexpr std::uint16_t kEnterCharacter = 13;

template <class T>
T* member(JxCPanelObject* panel, std::int32_t id)
{
    return panel && id >= 0 ? dynamic_cast<T*>(panel->FindObjectById(id)) : nullptr;
}

// A 16-bit flag and, when it is set, a 16-bit id; -1 without one.
bool readOptionalId(JxCInStrStream& in, std::int32_t& id)
{
    std::int16_t present = 0;
    id = -1;
    if (!in.ReadBigEndian16(present))
        return false;
    return !present || in.ReadBigEndian16To32(id);
}

}  // namespace

JxCGroupCollage::~JxCGroupCollage()
{
    unlinkAll();
}

JxCPanelObject* JxCGroupCollage::panel() const
{
    JxCRunTimeObject* container = GetContainer();
    return container && container->GetKind() == kPanelKind ? static_cast<JxCPanelObject*>(container) : nullptr;
}

void JxCGroupCollage::unlinkAll()
{
    if (collage_)
        collage_->SetLinkedObject(nullptr);
    if (editBox_)
        editBox_->SetLinkedObject(nullptr);
    if (scrollBar_)
        scrollBar_->SetListener(nullptr);
    for (JxCCollButton* button : buttons_)
        button->SetGroup(nullptr);
    collage_ = nullptr;
    editBox_ = nullptr;
    scrollBar_ = nullptr;
    buttons_.clear();
}

// --- The record and the links --------------------------------------------------------------

std::int16_t JxCGroupCollage::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    if (!JxCDisplayObject::Read(in, container, type))
        return 0;
    if (!readOptionalId(in, collageId_) || !readOptionalId(in, editBoxId_) || !readOptionalId(in, scrollBarId_))
        return 0;
    std::int16_t count = 0;
    if (!in.ReadBigEndian16(count))
        return 0;
    buttonIds_.clear();
    // Each id must be there before the next is asked for.
    for (std::int16_t i = 0; i < count; ++i) {
        std::int32_t id = 0;
        if (!in.ReadBigEndian16To32(id))
            return 0;
        buttonIds_.push_back(id);
    }
    return readOptionalId(in, controlId_) ? 1 : 0;
}

std::int16_t JxCGroupCollage::CreateResources()
{
    unlinkAll();
    JxCPanelObject* owner = panel();
    collage_ = member<JxCCollage>(owner, collageId_);
    editBox_ = member<JxCEditBox>(owner, editBoxId_);
    scrollBar_ = member<JxCScrollBar>(owner, scrollBarId_);
    for (std::int32_t id : buttonIds_)
        if (auto* button = member<JxCCollButton>(owner, id))
            buttons_.push_back(button);
    if (collage_) {
        // The bar's range needs the collage's view, whichever was made first.
        if (collage_->GetVisibleCount() < 0)
            collage_->CreateResources();
        takenFrom(collage_->SetLinkedObject(this), collage_);
    }
    if (editBox_)
        takenFrom(editBox_->SetLinkedObject(this), editBox_);
    if (scrollBar_) {
        takenFrom(scrollBar_->SetListener(this), scrollBar_);
        if (collage_)
            configureBar();
    }
    for (JxCCollButton* button : buttons_)
        takenFrom(button->SetGroup(this), button);
    return 1;
}

// Two groups naming one member would otherwise both keep it, and only the
// one it is linked to would hear that it has gone.
void JxCGroupCollage::takenFrom(JxCDisplayObject* previous, const JxCDisplayObject* member)
{
    if (auto* other = dynamic_cast<JxCGroupCollage*>(previous); other && other != this)
        other->Forget(member);
}

void JxCGroupCollage::Forget(const JxCDisplayObject* member)
{
    if (collage_ == member)
        collage_ = nullptr;
    if (editBox_ == member)
        editBox_ = nullptr;
    if (scrollBar_ == member)
        scrollBar_ = nullptr;
    std::erase(buttons_, member);
}

void JxCGroupCollage::configureBar()
{
    const JxCCollArrangementManager* arrangement = collage_->GetArrangementManager();
    const std::int32_t visible = collage_->GetVisibleCount();
    const std::int32_t range = (arrangement ? arrangement->GetTotalExtent() : 0) - visible;
    // A list that fits its view has nothing to scroll: 0 to 0, disabled.
    if (range < 1) {
        scrollBar_->SetRange(0, 0);
        scrollBar_->Disable();
    } else {
        scrollBar_->SetRange(0, range);
        scrollBar_->Enable();
    }
    const std::int32_t page = std::int32_t(visible * 9 / 10);
    scrollBar_->SetPageSize(page > 0 ? page : 1);
}

void JxCGroupCollage::buttonsTakeSelection()
{
    for (JxCCollButton* button : buttons_)
        button->TakeSelection();
}

// --- Commands from the members ---------------------------------------------------------

std::int32_t JxCGroupCollage::HandleCommand(std::int32_t code, std::int32_t, std::int32_t b, std::int32_t c)
{
    switch (code) {
    case kCollTextChanged: {
        if (!editBox_)
            break;
        if (c == 0)
            editBox_->SetSelection(-1, -1, 1);
        RedrawInContainer(editBox_->GetRect());
        if (!collage_)
            break;
        JxCCollDataManager* data = collage_->GetDataManager();
        const std::int32_t index = data ? data->FindItemByText(editBox_->GetText()) : -1;
        collage_->Select(index, kCauseTyped, JxCCollage::Scroll::IntoView, 1);
        if (scrollBar_)
            scrollBar_->SetPosition(collage_->GetFirstVisible());
        if (!buttons_.empty())
            buttonsTakeSelection();
        break;
    }
    case kCollSelectionChanged:
        if (b != kCauseTyped && editBox_ && collage_) {
            JxCString text;
            if (JxCCollDataManager* data = collage_->GetDataManager()) {
                JxCCollItemRef item(*data, collage_->GetSelectedIndex(), collage_);
                text = data->GetItemText(item);
            }
            editBox_->SetText(text.GetText() ? text.GetText() : "", 0, 1);
            editBox_->TakeFocus();
            editBox_->SetSelection(editBox_->GetEditString().GetLength(), 0, 1);
        }
        if (!buttons_.empty())
            buttonsTakeSelection();
        break;
    case kCollScrolled:
        if (scrollBar_ && collage_)
            scrollBar_->SetPosition(collage_->GetFirstVisible());
        break;
    case kCollRefreshed:
        if (scrollBar_ && collage_) {
            const JxCCollArrangementManager* arrangement = collage_->GetArrangementManager();
            const std::int32_t range =
                (arrangement ? arrangement->GetTotalExtent() : 0) - collage_->GetVisibleCount();
            if (range < 1)
                scrollBar_->Disable();
            else
                scrollBar_->Enable();
            const std::int32_t top = std::max(range, 0);
            scrollBar_->SetRange(0, top);
            if (top < collage_->GetFirstVisible())
                collage_->ScrollTo(top, 0);
            scrollBar_->SetPosition(collage_->GetFirstVisible());
            scrollBar_->SetPageSize(collage_->GetVisibleCount());
        }
        break;
    case kCollBarMoved:
        if (scrollBar_ && collage_)
            collage_->ScrollTo(scrollBar_->GetPosition(), 1);
        if (editBox_)
            editBox_->TakeFocus();
        break;
    case kCollRetakeSelection:
        if (collage_ && !buttons_.empty())
            buttonsTakeSelection();
        break;
    case kCollEditBoxGone: editBox_ = nullptr; break;
    case kCollCollageGone: collage_ = nullptr; break;
    case kCollBarGone: scrollBar_ = nullptr; break;
    case kCollButtonGone:
        for (JxCCollButton* button : buttons_)
            button->SetGroup(nullptr);
        buttons_.clear();
        break;
    default: break;
    }
    return 0;
}

// --- Keys and focus ----------------------------------------------------------------------

void JxCGroupCollage::selectByKey(std::int32_t index, std::int32_t cause)
{
    if (collage_ && index != -1)
        collage_->Select(index, cause, JxCCollage::Scroll::IntoView, 1);
}

std::int32_t JxCGroupCollage::pageUpTarget() const
{
    JxCCollArrangementManager* m = collage_->GetArrangementManager();
    const std::int32_t selected = collage_->GetSelectedIndex();
    const std::int32_t end = m->ItemEnd(selected);
    const std::int32_t candidate = m->FirstItemAt(std::max(end - collage_->GetVisibleCount(), 0));
    if (candidate == -1 || !(m->ItemEnd(candidate) < end))
        return m->PrevItem(selected);
    return candidate;
}

std::int32_t JxCGroupCollage::pageDownTarget() const
{
    JxCCollArrangementManager* m = collage_->GetArrangementManager();
    const std::int32_t selected = collage_->GetSelectedIndex();
    const std::int32_t start = m->ItemStart(selected);
    const std::int32_t candidate =
        m->LastItemAt(std::min(start + collage_->GetVisibleCount(), m->GetTotalExtent()));
    if (candidate == -1 || !(m->ItemStart(candidate) > start))
        return m->NextItem(selected);
    return candidate;
}

std::int16_t JxCGroupCollage::HandleKey(JxCKeyParams& key)
{
    JxCCollArrangementManager* m = collage_ ? collage_->GetArrangementManager() : nullptr;
    const std::int32_t selected = collage_ ? collage_->GetSelectedIndex() : -1;
    if (key.GetMessage() == plat::WM_CHAR && key.GetKeyCode() == kEnterCharacter) {
        JxCCollDataManager* data = collage_ ? collage_->GetDataManager() : nullptr;
        if (!buttons_.empty() && data && selected != -1) {
            JxCCollItemRef item(*data, selected, collage_);
            data->ActivateItem(item, 0);
        }
        return 1;
    }
    if (key.GetMessage() != plat::WM_KEYDOWN)
        return 0;
    switch (key.GetKeyCode()) {
    case plat::VK_UP:
    case plat::VK_DOWN:
        if (m && selected != -1)
            selectByKey(key.GetKeyCode() == plat::VK_UP ? m->PrevItem(selected) : m->NextItem(selected), kCauseArrow);
        return 1;
    case plat::VK_HOME:
    case plat::VK_END:
        if (m)
            selectByKey(key.GetKeyCode() == plat::VK_HOME ? m->NextItem(-1) : m->PrevItem(-1), kCauseHomeEnd);
        return 1;
    case plat::VK_PRIOR:
    case plat::VK_NEXT:
        if (m && selected != -1)
            selectByKey(key.GetKeyCode() == plat::VK_PRIOR ? pageUpTarget() : pageDownTarget(), kCausePage);
        return 1;
    default: return 0;
    }
}

std::int32_t JxCGroupCollage::SetFocus()
{
    JxCPanelObject* owner = panel();
    JxCPageObject* page = owner ? owner->GetParent() : nullptr;
    if (!page)
        return 0;
    if (page->GetFocusObject() != this) {
        page->SetFocusObject(this);
        RedrawInContainer(GetRect());
    }
    return 1;
}

std::int32_t JxCGroupCollage::KillFocus()
{
    JxCPanelObject* owner = panel();
    JxCPageObject* page = owner ? owner->GetParent() : nullptr;
    if (!page || page->GetFocusObject() != this)
        return 0;
    page->ClearFocus();
    RedrawInContainer(GetRect());
    return 1;
}

void JxCGroupCollage::Disable(std::int16_t redraw)
{
    SetStateFlags(kStateDisabled);
    if (collage_)
        collage_->Disable(redraw);
    if (editBox_)
        editBox_->Disable(redraw);
    if (redraw)
        RedrawInContainer(GetRect());
}

void JxCGroupCollage::Enable(std::int16_t redraw)
{
    ClearStateFlags(kStateDisabled);
    if (collage_)
        collage_->Enable(redraw);
    if (editBox_)
        editBox_->Enable(redraw);
    if (redraw)
        RedrawInContainer(GetRect());
}

// --- The mouse, passed to the objects below -------------------------------------------------

std::vector<JxCDisplayObject*> JxCGroupCollage::objectsAt(const JxCPoint& point) const
{
    std::vector<JxCDisplayObject*> found;
    JxCPanelObject* owner = panel();
    if (!owner)
        return found;
    JxCDisplayObjectList& objects = owner->GetDisplayObjects();
    // Another group over the point would pass the mouse straight back.
    for (JxCDisplayObject* object = objects.GetLast(); object; object = objects.GetPrev(object))
        if (object != this && !dynamic_cast<const JxCGroupCollage*>(object) &&
            object->GetTypeKey().GetTypeValue() == 0 && object->HitTest(point))
            found.push_back(object);
    return found;
}

std::int16_t JxCGroupCollage::MouseDown(const JxCPoint& point)
{
    for (JxCDisplayObject* object : objectsAt(point))
        object->MouseDown(point);
    return 1;
}

std::int16_t JxCGroupCollage::MouseDoubleClick(const JxCPoint& point)
{
    for (JxCDisplayObject* object : objectsAt(point))
        object->MouseDoubleClick(point);
    return 1;
}

std::int16_t JxCGroupCollage::MouseMove(const JxCPoint& point)
{
    const std::vector<JxCDisplayObject*> found = objectsAt(point);
    if (!found.empty())
        found.front()->MouseMove(point);
    return 1;
}

std::int16_t JxCGroupCollage::MouseUp(const JxCPoint& point, std::int16_t flag)
{
    const std::vector<JxCDisplayObject*> found = objectsAt(point);
    auto hit = [&](const JxCDisplayObject* object) {
        return object && std::find(found.begin(), found.end(), object) != found.end();
    };
    if (hit(editBox_)) {
        editBox_->MouseUp(point, flag);
    } else if (hit(scrollBar_)) {
        scrollBar_->MouseUp(point, flag);
    } else if (buttons_.empty()) {
        if (hit(collage_)) {
            collage_->MouseUp(point, flag);
        } else {
            for (JxCDisplayObject* object : found)
                object->MouseUp(point, flag);
        }
    } else {
        for (JxCDisplayObject* object : found) {
            auto* button = dynamic_cast<JxCCollButton*>(object);
            if (button && std::find(buttons_.begin(), buttons_.end(), button) != buttons_.end()) {
                button->MouseUp(point, flag);
                break;
            }
        }
    }
    return 1;
}
