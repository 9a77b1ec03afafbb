#include "objects/widgets/JxCHotspot.h"

#include <memory>

#include "events/JxCActionProcessor.h"
#include "events/JxProperties.h"
#include "foundation/JxCInStrStream.h"
#include "graphics/JxCMemorySlate.h"
#include "graphics/JxCSlate.h"
#include "objects/widgets/JxCBitmap.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxKeywordTables.h"

namespace {

JxCPanelObject* panelOf(const JxCDisplayObject& object)
{
    JxCRunTimeObject* container = object.GetContainer();
    return container && container->GetKind() == kPanelKind ? static_cast<JxCPanelObject*>(container) : nullptr;
}

// The first object of the panel made as a "Bitmap".
JxCBitmap* firstBitmapOf(JxCPanelObject& panel)
{
    const JxCTypeKey bitmapType(JxCTableString("Bitmap"));
    JxCDisplayObjectList& objects = panel.GetDisplayObjects();
    for (JxCDisplayObject* object = objects.GetFirst(); object; object = objects.GetNext(object))
        if (object->GetTypeKey() == bitmapType)
            return dynamic_cast<JxCBitmap*>(object);
    return nullptr;
}

// The part of the bitmap's picture under the area (panel coordinates), in
// a slate of the area's size; null when there is no picture or no slate.
std::unique_ptr<JxCMemorySlate> copyUnder(JxCBitmap& bitmap, const JxCRect& area)
{
    if (bitmap.GetImageSize().cx == 0 || !bitmap.GetRecord() || !bitmap.GetRecord()->GetImage())
        return nullptr;
    JxCMemorySlate picture(*bitmap.GetRecord()->GetImage());
    auto copy = std::make_unique<JxCMemorySlate>(area.Width(), area.Height());
    if (!picture.HasBitmap() || !picture.GetHDC() || !copy->HasBitmap() || !copy->GetHDC())
        return nullptr;
    // The picture stands at the bitmap's place in the panel.
    JxCRect source = area;
    source.Offset(-bitmap.GetRect().left, -bitmap.GetRect().top);
    const JxCRect target(0, 0, area.Width(), area.Height());
    copy->Blit(&picture, &source, &target, 0);
    return copy;
}

}  // namespace

JxCHotspot::JxCHotspot()
{
    JxCHotspot::ResetFlags();
}

JxCHotspot::~JxCHotspot()
{
    stopTimer();
}

void JxCHotspot::stopTimer()
{
    if (JxCBaseProduct* product = GetProduct())
        product->KillTimer(this, -1);
}

std::int16_t JxCHotspot::IsHighlightTimerRunning() const
{
    JxCBaseProduct* product = GetProduct();
    return product && product->HasTimer(this) ? 1 : 0;
}

std::int16_t JxCHotspot::ResetFlags()
{
    if (!JxCDisplayObject::ResetFlags())
        return 0;
    SetCursorName(JxCTableString("hand"));
    SetOptionFlags(kOptionResetResources);
    mode_ = 0;
    return 1;
}

std::int16_t JxCHotspot::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    if (!JxCDisplayObject::Read(in, container, type))
        return 0;
    std::int16_t mode = 0;
    std::int16_t kept = 0;
    if (!in.ReadBigEndian16(mode).ReadBigEndian16(kept))
        return 0;
    mode_ = mode;
    keptValue_ = kept;
    return 1;
}

std::int16_t JxCHotspot::Draw(JxCSlate*, const JxCRect*)
{
    return 1;
}

std::int16_t JxCHotspot::MouseDown(const JxCPoint&)
{
    return 1;
}

std::int16_t JxCHotspot::MouseUp(const JxCPoint& point, std::int16_t flag)
{
    bool stopped = false;
    if (TestOptionFlags(kOptionResetResources))
        stopped = StopActiveObjects(0) != 0;
    if ((flag || stopped) && !TestOptionFlags(kOptionAlwaysActive))
        return 1;
    if (!GetRect().Contains(point))
        return 1;
    Click();
    return 1;
}

std::int16_t JxCHotspot::HandleMessage(JxCMessageRecord*)
{
    Click();
    return 1;
}

void JxCHotspot::Click()
{
    Highlight(1);
    // The click's handlers may close the hotspot's page (a refused post
    // serves the queue at once): nothing of the hotspot is used after them
    // unless it is still there.
    JxCLifeWatch self(this);
    DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_click)), std::int16_t(GetTypeKey().GetId()));
    if (self.IsDead())
        return;
    // A click while the highlight lasts keeps the one timer: a second
    // would outlive the hotspot.
    if (mode_ == 0 || IsHighlightTimerRunning())
        return;
    if (JxCBaseProduct* product = GetProduct())
        product->SetTimer(this, nullptr, 0);
}

bool JxCHotspot::ClickActionsFinished()
{
    if (!IsEventIdle(std::int16_t(EventId(JxEventKeyword::on_click))))
        return false;
    JxCBaseProduct* product = GetProduct();
    JxCActionProcessor* processor = product ? product->GetActionProcessor() : nullptr;
    if (!processor)
        return true;
    JxCActionListList& queue = processor->GetQueue();
    for (JxCProcessActionList* list = queue.GetFirst(); list; list = queue.GetNext(list))
        for (JxCAction* action = list->GetFirst(); action; action = list->GetNext(action))
            if (action->GetOwner() == this && !action->IsStopped())
                return false;
    return true;
}

void JxCHotspot::OnSystemEvent(JxCTimerParams*)
{
    if (!ClickActionsFinished())
        return;
    stopTimer();
    Highlight(0);
}

const JxCMappedPalette* JxCHotspot::GetHighlightMap(std::int32_t mode) const
{
    return ::GetHighlightMap(mode);
}

void JxCHotspot::Highlight(std::int16_t on)
{
    JxCPanelObject* panel = panelOf(*this);
    JxCBitmap* bitmap = mode_ != 0 && panel ? firstBitmapOf(*panel) : nullptr;
    if (!bitmap)
        return;
    const JxCRect area = GetRect();
    if (area.IsEmpty())
        return;
    std::unique_ptr<JxCMemorySlate> copy = copyUnder(*bitmap, area);
    if (!copy)
        return;
    JxCSlate* slate = GetSlate();
    const JxCMappedPalette* map = GetHighlightMap(on ? mode_ : 0);
    if (slate && map) {
        if (on) {
            copy->MapColours(JxCRect(0, 0, area.Width(), area.Height()), map->indices.data());
            slate->SelectClipRect(area);
        }
        const JxCRect whole(0, 0, area.Width(), area.Height());
        slate->Blit(copy.get(), &whole, &area, 0);
    }
    if (slate)
        ReleaseSlate(slate);
}

// --- Properties ----------------------------------------------------------------

JxPropertyKind JxCHotspot::GetPropertyInfo(std::int16_t index, std::int32_t* stringId)
{
    if (index == kPropHighlight)
        return PropertyKindIn(index, stringId, true, false, false);
    if (index == kPropOnClick) {
        if (stringId)
            *stringId = PropertyNameId(index);
        return JxPropertyKind::Event;
    }
    return JxCDisplayObject::GetPropertyInfo(index, stringId);
}

std::int16_t JxCHotspot::GetNumberProperty(std::int16_t index, std::int32_t* value)
{
    if (index != kPropHighlight)
        return JxCDisplayObject::GetNumberProperty(index, value);
    if (!value)
        return kPropertyNoPlace;
    *value = mode_;
    return kPropertyOk;
}

std::int16_t JxCHotspot::SetNumberProperty(std::int16_t index, std::int32_t value)
{
    if (const std::int16_t check = CheckPropertyKind(index, JxPropertyKind::Number))
        return check;
    if (index == kPropHighlight) {
        if (value < 0 || value >= kHighlightModeCount)
            return kPropertyNoPlace;
        mode_ = value;
        return kPropertyOk;
    }
    if (index < kPropLeft || index > kPropHeight)
        return JxCDisplayObject::SetNumberProperty(index, value);
    // The hotspot draws nothing, so a move needs no redraw.
    JxCRect rect = GetRect();
    std::int32_t current = 0;
    GetRectangleProperty(rect, index, current);
    if (value == current)
        return kPropertyOk;
    const JxCPanelObject* panel = panelOf(*this);
    const JxCSize bound = panel ? panel->GetRect().GetSize() : JxCSize(0x7FFF, 0x7FFF);
    if (!SetRectangleProperty(rect, index, value, bound))
        return kPropertyDoesNotFit;
    SetRect(rect);
    return kPropertyOk;
}
