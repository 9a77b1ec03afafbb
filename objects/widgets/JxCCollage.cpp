#include "objects/widgets/JxCCollage.h"

#include <algorithm>
#include <utility>

#include "foundation/JxCInStrStream.h"
#include "graphics/JxCSlate.h"
#include "platform/draw/palette.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCCollArrangementManager.h"
#include "runtime/JxCCollDataManager.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxCollManagerRegistry.h"

namespace {

constexpr std::int32_t kAccelerationTicks = 10;
constexpr std::int32_t kMaxStep = 4095;
constexpr plat::UINT kAutoScrollIntervalMs = 100;

}  // namespace

JxCCollage::JxCCollage() = default;

JxCCollage::~JxCCollage()
{
    stopTimer();
    tellLinked(kCollCollageGone);
    // The managers go before the display object: they point at the collage.
    arrangement_.reset();
    data_.reset();
}

JxCPanelObject* JxCCollage::panel() const
{
    JxCRunTimeObject* container = GetContainer();
    return container && container->GetKind() == kPanelKind ? static_cast<JxCPanelObject*>(container) : nullptr;
}

void JxCCollage::tellLinked(std::int32_t code, std::int32_t cause)
{
    if (linked_)
        linked_->HandleCommand(code, 0, cause, 0);
}

JxCDisplayObject* JxCCollage::SetLinkedObject(JxCDisplayObject* object)
{
    return std::exchange(linked_, object);
}

// --- The record and the resources ---------------------------------------------------

std::int16_t JxCCollage::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    if (!JxCDisplayObject::Read(in, container, type))
        return 0;
    if (!in.ReadRGB(background_).ReadBigEndian32(value_).ReadCountedString(dataName_))
        return 0;
    JxDataManagerCreator makeData = FindDataManagerType(JxCTableString(dataName_.GetText()));
    if (!makeData)
        return 0;
    data_.reset(makeData());
    if (!data_ || !in.ReadCountedString(arrangementName_))
        return 0;
    JxArrangementManagerCreator makeArrangement = FindArrangementManagerType(JxCTableString(arrangementName_.GetText()));
    if (!makeArrangement)
        return 0;
    arrangement_.reset(makeArrangement());
    if (!arrangement_)
        return 0;
    return data_->Load(in, this) && arrangement_->Load(in, this) ? 1 : 0;
}

std::int16_t JxCCollage::CreateResources()
{
    SetOptionFlags(kOptionOwnCapture);
    if (!data_ || !arrangement_)
        return 0;
    data_->SetCollage(this);
    arrangement_->SetCollage(this);
    data_->SetUp(this);
    arrangement_->Arrange(this);
    // Whole items only: the rectangle shrinks to them, centred on the axis.
    const bool vertical = arrangement_->IsVertical();
    JxCRect rect = GetRect();
    const std::int32_t extent = vertical ? rect.Height() : rect.Width();
    const std::int32_t size = arrangement_->GetItemSize();
    visibleCount_ = size < 2 ? extent : extent / size;
    const std::int32_t used = visibleCount_ * size;
    if (size >= 2 && used != extent) {
        const std::int32_t start = (vertical ? rect.top : rect.left) + (extent - used) / 2;
        (vertical ? rect.top : rect.left) = std::int16_t(start);
        (vertical ? rect.bottom : rect.right) = std::int16_t(start + used);
        SetRect(rect);
    }
    return 1;
}

// --- Drawing -----------------------------------------------------------------------------

std::int16_t JxCCollage::Draw(JxCSlate* slate, const JxCRect* clip)
{
    if (!arrangement_)
        return 1;
    if (!slate)
        return 0;
    const JxCRect area = clip ? *clip : GetRect();
    // The panel's clip stays: every item lies inside the collage, which
    // fits whole items.
    JxCSlateState saved(slate);
    JxCBaseProduct* product = GetProduct();
    JxCProductDef* def = product ? product->GetProductDef() : nullptr;
    if (def) {
        plat::PALETTEENTRY entry{};
        const bool known = GetProductPalette() &&
                           plat::GetPaletteEntries(GetProductPalette(), plat::UINT(def->GetTransparentIndex() & 0xFF),
                                                   1, &entry) == 1;
        const bool seeThrough = known && entry.peRed == background_.red && entry.peGreen == background_.green &&
                                entry.peBlue == background_.blue;
        if (!seeThrough) {
            const JxCRect& r = GetRect();
            slate->DrawRectangle(JxCRect(r.left, r.top, std::int16_t(r.right - 1), std::int16_t(r.bottom - 1)),
                                 background_);
        }
    }
    return arrangement_->DrawItems(slate, area, this);
}

void JxCCollage::Redraw()
{
    RedrawInContainer(GetRect());
}

void JxCCollage::Disable(std::int16_t redraw)
{
    SetStateFlags(kStateDisabled);
    if (redraw)
        Redraw();
}

void JxCCollage::Enable(std::int16_t redraw)
{
    ClearStateFlags(kStateDisabled);
    if (redraw)
        Redraw();
}

// --- Selection and scrolling -------------------------------------------------------------

std::int32_t JxCCollage::ViewEnd() const
{
    return arrangement_ ? arrangement_->ViewEnd(*this) : 0;
}

void JxCCollage::ScrollTo(std::int32_t position, std::int16_t redraw)
{
    if (!arrangement_)
        return;
    const std::int32_t total = arrangement_->GetTotalExtent();
    if (total <= visibleCount_)
        return;
    position = std::clamp(position, 0, total - visibleCount_);
    if (position == firstVisible_)
        return;
    firstVisible_ = position;
    if (redraw)
        Redraw();
    tellLinked(kCollScrolled);
}

void JxCCollage::followUp(Scroll scroll, std::int16_t redraw)
{
    if (selected_ < 0 || !arrangement_ || scroll == Scroll::None)
        return;
    if (scroll == Scroll::ToTop) {
        ScrollTo(arrangement_->ItemStart(selected_), redraw);
        return;
    }
    std::int32_t position = firstVisible_;
    const std::int32_t end = arrangement_->ItemEnd(selected_);
    if (ViewEnd() < end)
        position = end - visibleCount_;
    const std::int32_t start = arrangement_->ItemStart(selected_);
    if (start < position)
        position = start;
    ScrollTo(position, redraw);
}

void JxCCollage::Select(std::int32_t index, std::int32_t cause, Scroll scroll, std::int16_t redraw)
{
    if (!data_)
        return;
    const std::int32_t old = selected_;
    std::int32_t chosen = old;
    {
        JxCCollItemRef item(*data_, index, this);
        chosen = data_->SelectItem(item, cause, old);
    }
    if (chosen == old) {
        // Drawn again only when the view moved.
        followUp(scroll, redraw);
        return;
    }
    selected_ = chosen;
    followUp(scroll, 0);
    if (redraw)
        Redraw();
    tellLinked(kCollSelectionChanged, cause);
}

void JxCCollage::Refresh(std::int32_t index)
{
    if (!data_ || !arrangement_)
        return;
    data_->Refresh();
    arrangement_->Arrange(this);
    tellLinked(kCollRefreshed);
    Select(index, kCauseRefresh, Scroll::ToTop, 0);
}

// --- Mouse ------------------------------------------------------------------------------

std::int32_t JxCCollage::pointedItem(const JxCPoint& point)
{
    const std::int32_t index = arrangement_->HitTestItems(point, this);
    showItemCursor(index);
    return index;
}

void JxCCollage::showItemCursor(std::int32_t index)
{
    if (index >= 0 && data_) {
        JxCCollItemRef item(*data_, index, this);
        data_->SetItemCursor(item);
    } else if (JxCBaseProduct* product = GetProduct()) {
        product->SetCursor(JxCTableString("Arrow"));
    }
}

void JxCCollage::stopTimer()
{
    if (!timer_)
        return;
    if (JxCBaseProduct* product = GetProduct())
        product->KillTimer(this, -1);
    timer_ = 0;
}

void JxCCollage::restartAcceleration(std::int32_t direction)
{
    step_ = 1;
    countdown_ = kAccelerationTicks;
    divider_ = 1;
    direction_ = direction;
}

JxCPoint JxCCollage::clampIntoRect(const JxCPoint& point) const
{
    const JxCRect& r = GetRect();
    return JxCPoint(std::int16_t(std::clamp<std::int32_t>(point.x, r.left, std::max<std::int32_t>(r.left, r.right - 1))),
                    std::int16_t(std::clamp<std::int32_t>(point.y, r.top, std::max<std::int32_t>(r.top, r.bottom - 1))));
}

std::int16_t JxCCollage::MouseDown(const JxCPoint& point)
{
    if (!GetRect().Contains(point))
        return 0;
    if (TestStateFlags(kStateDisabled) || !arrangement_)
        return 1;
    const std::int32_t index = pointedItem(point);
    if (index < 0)
        return 0;
    if (JxCPanelObject* owner = panel())
        owner->CaptureMouse(this);
    Select(index, kCausePress, Scroll::IntoView, 1);
    if (!timer_) {
        restartAcceleration(0);
        JxCBaseProduct* product = GetProduct();
        timer_ = product ? product->SetTimer(this, nullptr, kAutoScrollIntervalMs) : 0;
    }
    return 1;
}

std::int16_t JxCCollage::MouseUp(const JxCPoint& point, std::int16_t)
{
    if (JxCBaseProduct* product = GetProduct())
        product->ReleaseMouseCapture();
    stopTimer();
    if (!GetRect().Contains(point))
        return 0;
    if (TestStateFlags(kStateDisabled) || !arrangement_)
        return 1;
    const std::int32_t index = pointedItem(point);
    if (index < 0)
        return 0;
    Select(index, kCauseRelease, Scroll::None, 0);
    return 1;
}

std::int16_t JxCCollage::MouseDoubleClick(const JxCPoint& point)
{
    if (!GetRect().Contains(point))
        return 0;
    if (TestStateFlags(kStateDisabled) || !data_)
        return 1;
    JxCCollItemRef item(*data_, selected_, this);
    data_->ActivateItem(item, 0);
    return 1;
}

std::int16_t JxCCollage::MouseMove(const JxCPoint& point)
{
    if (TestStateFlags(kStateDisabled) || !arrangement_)
        return 1;
    const std::int32_t index = pointedItem(clampIntoRect(point));
    if (index < 0)
        return 0;
    JxCPanelObject* owner = panel();
    const bool held = owner && owner->GetCaptureObject() == this && owner->GetParent() &&
                      owner->GetParent()->GetCapturePanel() == owner;
    if (held && index != selected_)
        Select(index, kCauseDrag, Scroll::None, 1);
    return 1;
}

void JxCCollage::OnSystemEvent(JxCTimerParams*)
{
    if (!timer_ || !arrangement_)
        return;
    if (--divider_ == 0) {
        if (--countdown_ == 0) {
            countdown_ = kAccelerationTicks;
            step_ = std::min((step_ * 7 + 1) / 4, kMaxStep);
        }
        divider_ = 1;
    } else {
        return;
    }
    JxCPanelObject* owner = panel();
    const JxCPoint point = owner ? owner->GetCursorPos() : JxCPoint();
    const JxCRect& r = GetRect();
    if (r.Contains(point))
        return;
    const bool vertical = arrangement_->IsVertical();
    const bool before = vertical ? point.y < r.top + r.Height() / 2 : point.x < r.left + r.Width() / 2;
    const std::int32_t wanted = before ? -1 : 1;
    if (direction_ == 0)
        direction_ = wanted;
    else if (direction_ != wanted)
        restartAcceleration(wanted);
    if (direction_ < 0) {
        if (firstVisible_ == 0)
            return;
        ScrollTo(firstVisible_ - step_, 0);
    } else {
        if (ViewEnd() == arrangement_->GetTotalExtent())
            return;
        ScrollTo(firstVisible_ + step_, 0);
    }
    const std::int32_t index = arrangement_->HitTestItems(clampIntoRect(point), this);
    if (index >= 0)
        Select(index, kCauseAutoScroll, Scroll::None, 0);
    Redraw();
}
