#include "runtime/JxCDisplayObject.h"

#include <utility>

#include "foundation/JxCInStrStream.h"
#include "graphics/JxCPolyRegion.h"
#include "platform/draw/draw.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPanelObject.h"

namespace {

JxMediaPlayingQuery& mediaPlayingQuery()
{
    static JxMediaPlayingQuery query = nullptr;
    return query;
}

JxCPanelObject* panelOf(const JxCRunTimeObject* container)
{
    return container && container->GetKind() == kPanelKind
               ? static_cast<JxCPanelObject*>(const_cast<JxCRunTimeObject*>(container))
               : nullptr;
}

}  // namespace

JxMediaPlayingQuery SetMediaPlayingQuery(JxMediaPlayingQuery query)
{
    return std::exchange(mediaPlayingQuery(), query);
}

bool AnyMediaPlaying()
{
    return mediaPlayingQuery() && mediaPlayingQuery()();
}

JxCTableString DefaultCursorName()
{
    return JxCTableString("Arrow");
}

// --- Construction and the record --------------------------------------------

JxCDisplayObject::JxCDisplayObject() = default;

JxCDisplayObject::~JxCDisplayObject()
{
    if (JxCPanelObject* panel = panelOf(GetContainer()))
        panel->ForgetObject(this);
}

std::int16_t JxCDisplayObject::Attach(JxCRunTimeObject* container, const JxCTypeKey& type)
{
    SetContainer(container);
    typeKey_ = type;
    return 1;
}

std::int16_t JxCDisplayObject::ResetFlags()
{
    optionFlags_ = 0;
    stateFlags_ = 0;
    return 1;
}

std::int16_t JxCDisplayObject::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    Attach(container, type);
    if (!ResetFlags())
        return 0;
    return readRecord(in);
}

std::int16_t JxCDisplayObject::readRecord(JxCInStrStream& in)
{
    if (!in.ReadBigEndian16To32(id_).ReadBigEndian16To32(tag_).ReadBigEndian16To32(optionFlags_))
        return 0;
    if (!(optionFlags_ & kOptionNoRectScrunge) && !in.ReadBigEndianRect(rect_))
        return 0;
    if (!ReadTableString(in, cursorName_))
        return 0;
    if (!in.ReadBigEndian16(visible_).ReadBigEndian16To32(zOrder_))
        return 0;
    if (optionFlags_ & kOptionFixedPosition)
        baseRect_ = rect_;
    if (optionFlags_ & kOptionPolyRegion) {
        auto region = std::make_unique<JxCPolyRegion>();
        if (!ReadPolyRegion(in, *region))
            return 0;
        // A region that gave no usable polygon is no region.
        if (region->GetEntryCount() > 0 && region->GetTable())
            region_ = std::move(region);
    }
    if (!in.ReadBigEndian16(transparent_))
        return 0;
    return ReadHandlersAndScope(in);
}

// --- Geometry, hit testing, default input -------------------------------------

const JxCRect& JxCDisplayObject::GetDrawRect() const
{
    return (optionFlags_ & kOptionFixedPosition) ? baseRect_ : rect_;
}

std::int16_t JxCDisplayObject::HitTest(const JxCPoint& point)
{
    if (!GetRect().Contains(point) || (stateFlags_ & kStateDisabled))
        return 0;
    return region_ ? region_->HitTest(point) : 1;
}

std::int16_t JxCDisplayObject::Draw(JxCSlate*, const JxCRect*)
{
    return 1;
}

std::int16_t JxCDisplayObject::MouseDown(const JxCPoint&)
{
    return 1;
}

std::int16_t JxCDisplayObject::MouseUp(const JxCPoint&, std::int16_t)
{
    StopActiveObjects(0);
    return 1;
}

std::int16_t JxCDisplayObject::MouseDoubleClick(const JxCPoint&)
{
    return 1;
}

JxCTableString ChooseCursor(const JxCDisplayObject& object)
{
    const JxCPanelObject* panel = panelOf(object.GetContainer());
    if (panel && panel->IsActive())
        return DefaultCursorName();
    if (AnyMediaPlaying() && !object.TestOptionFlags(JxCDisplayObject::kOptionAlwaysActive))
        return DefaultCursorName();
    return object.GetCursorName();
}

std::int16_t JxCDisplayObject::MouseMove(const JxCPoint&)
{
    if (JxCBaseProduct* product = GetProduct())
        product->SetCursor(ChooseCursor(*this));
    return 1;
}

void JxCDisplayObject::ApplyScrollOffset(const JxCSize& offset)
{
    if (!(optionFlags_ & kOptionFixedPosition))
        return;
    rect_ = baseRect_;
    rect_.Offset(offset.cx, offset.cy);
}

std::int16_t JxCDisplayObject::HandleKey(JxCKeyParams&)
{
    return 1;
}

std::int32_t JxCDisplayObject::HandleCommand(std::int32_t, std::int32_t, std::int32_t, std::int32_t)
{
    return 0;
}

std::int16_t JxCDisplayObject::SetImage(const JxCTableString&, std::int16_t)
{
    return 0;
}

const JxCString& JxCDisplayObject::GetText() const
{
    static const JxCString empty;
    return empty;
}

// --- Through the container -------------------------------------------------------

void* JxCDisplayObject::GetDC()
{
    JxCRunTimeObject* container = GetContainer();
    const JxCPanelObject* panel = panelOf(container);
    if (!container || (panel && panel->IsClosing()))
        return nullptr;
    return container->GetDC();
}

std::int16_t JxCDisplayObject::ReleaseDC(void* dc)
{
    return GetContainer() ? GetContainer()->ReleaseDC(dc) : 0;
}

JxCSlate* JxCDisplayObject::GetSlate()
{
    JxCRunTimeObject* container = GetContainer();
    const JxCPanelObject* panel = panelOf(container);
    if (!container || (panel && panel->IsClosing()))
        return nullptr;
    return container->GetSlate();
}

std::int16_t JxCDisplayObject::ReleaseSlate(JxCSlate* slate)
{
    return GetContainer() ? GetContainer()->ReleaseSlate(slate) : 0;
}

void JxCDisplayObject::RedrawInContainer(const JxCRect& area)
{
    if (JxCPanelObject* panel = panelOf(GetContainer()))
        panel->Draw(nullptr, &area, 1);
}

// --- Properties ----------------------------------------------------------------

std::int32_t JxCDisplayObject::optionBitOf(std::int32_t index)
{
    if (index >= kPropAlwaysActive && index <= kPropNoRefresh)
        return 1 << (index - kPropAlwaysActive);
    return index == kPropPolyRegion ? kOptionPolyRegion : 0;
}

std::int32_t JxCDisplayObject::stateBitOf(std::int32_t index)
{
    return (index >= kPropDisabled && index <= kPropSelected) ? 1 << (index - kPropDisabled) : 0;
}

JxPropertyKind JxCDisplayObject::GetPropertyInfo(std::int16_t index, std::int32_t* stringId)
{
    JxPropertyKind kind = JxPropertyKind::None;
    if ((index >= kPropLeft && index <= kPropHeight) || index == kPropZOrder)
        kind = JxPropertyKind::Number;
    else if ((index >= kPropDisabled && index <= kPropNoRefresh) || index == kPropVisible)
        kind = JxPropertyKind::Flag;
    else if (index == kPropName || index == kPropCursor)
        kind = JxPropertyKind::String;
    if (kind != JxPropertyKind::None && stringId)
        *stringId = PropertyNameId(index);
    return kind;
}

std::int16_t JxCDisplayObject::GetNumberProperty(std::int16_t index, std::int32_t* value)
{
    std::int32_t result = 0;
    switch (index) {
    case kPropLeft: result = rect_.left; break;
    case kPropTop: result = rect_.top; break;
    case kPropWidth: result = rect_.Width(); break;
    case kPropHeight: result = rect_.Height(); break;
    case kPropZOrder: result = zOrder_; break;
    default: return JxCRunTimeObject::GetNumberProperty(index, value);
    }
    if (!value)
        return kPropertyNoPlace;
    *value = result;
    return kPropertyOk;
}

std::int16_t JxCDisplayObject::SetNumberProperty(std::int16_t index, std::int32_t value)
{
    if (index >= kPropLeft && index <= kPropHeight)
        return setPosition(index, value);
    if (index == kPropZOrder)
        return setZOrder(value);
    return JxCRunTimeObject::SetNumberProperty(index, value);
}

std::int16_t JxCDisplayObject::setPosition(std::int32_t index, std::int32_t value)
{
    std::int32_t current = 0;
    GetNumberProperty(index, &current);
    if (value == current)
        return kPropertyOk;
    // The container's own rectangle bounds the object.
    const JxCPanelObject* panel = panelOf(GetContainer());
    const std::int32_t limitX = panel ? panel->GetRect().Width() : 0x7FFF;
    const std::int32_t limitY = panel ? panel->GetRect().Height() : 0x7FFF;
    JxCRect moved = rect_;
    const std::int32_t width = rect_.Width();
    const std::int32_t height = rect_.Height();
    switch (index) {
    case kPropLeft:
        if (value < 0 || value + width > limitX)
            return kPropertyDoesNotFit;
        moved.left = std::int16_t(value);
        moved.right = std::int16_t(value + width);
        break;
    case kPropTop:
        if (value < 0 || value + height > limitY)
            return kPropertyDoesNotFit;
        moved.top = std::int16_t(value);
        moved.bottom = std::int16_t(value + height);
        break;
    case kPropWidth:
        if (value < 0 || rect_.left + value > limitX)
            return kPropertyDoesNotFit;
        moved.right = std::int16_t(rect_.left + value);
        break;
    default:
        if (value < 0 || rect_.top + value > limitY)
            return kPropertyDoesNotFit;
        moved.bottom = std::int16_t(rect_.top + value);
        break;
    }
    JxCRect area(std::min(rect_.left, moved.left), std::min(rect_.top, moved.top),
                 std::max(rect_.right, moved.right), std::max(rect_.bottom, moved.bottom));
    rect_ = moved;
    RedrawInContainer(area);
    return kPropertyOk;
}

std::int16_t JxCDisplayObject::setZOrder(std::int32_t value)
{
    if (value == zOrder_)
        return kPropertyOk;
    if (value < kMinZOrder || value > kMaxZOrder)
        return kPropertyNoPlace;
    zOrder_ = value;
    if (JxCPanelObject* panel = panelOf(GetContainer()))
        panel->GetDisplayObjects().ReorderByZ(this);
    return kPropertyOk;
}

std::int16_t JxCDisplayObject::GetFlagProperty(std::int16_t index, std::int16_t* flag)
{
    std::int16_t result = 0;
    if (const std::int32_t bit = optionBitOf(index))
        result = (optionFlags_ & bit) ? 1 : 0;
    else if (const std::int32_t state = stateBitOf(index))
        result = (stateFlags_ & state) ? 1 : 0;
    else if (index == kPropTransparent)
        result = transparent_ ? 1 : 0;
    else if (index == kPropVisible)
        result = visible_ ? 1 : 0;
    else
        return JxCRunTimeObject::GetFlagProperty(index, flag);
    if (!flag)
        return kPropertyNoPlace;
    *flag = result;
    return kPropertyOk;
}

std::int16_t JxCDisplayObject::SetFlagProperty(std::int16_t index, std::int16_t flag)
{
    if (const std::int32_t bit = optionBitOf(index)) {
        optionFlags_ = flag == 1 ? (optionFlags_ | bit) : (optionFlags_ & ~bit);
        return kPropertyOk;
    }
    if (const std::int32_t state = stateBitOf(index)) {
        stateFlags_ = flag == 1 ? (stateFlags_ | state) : (stateFlags_ & ~state);
        return kPropertyOk;
    }
    if (index == kPropTransparent || index == kPropVisible) {
        (index == kPropVisible ? visible_ : transparent_) = flag;
        RedrawInContainer(rect_);
        return kPropertyOk;
    }
    return JxCRunTimeObject::SetFlagProperty(index, flag);
}

std::int16_t JxCDisplayObject::GetStringProperty(std::int16_t index, JxCString* text)
{
    if (const std::int16_t check = CheckPropertyKind(index, JxPropertyKind::String))
        return check;
    if (!text)
        return kPropertyNoPlace;
    if (index == kPropName)
        *text = "m_Name";
    else
        *text = JxCString(cursorName_.GetText() ? cursorName_.GetText() : "");
    return kPropertyOk;
}

std::int16_t JxCDisplayObject::SetStringProperty(std::int16_t index, const JxCString&)
{
    if (const std::int16_t check = CheckPropertyKind(index, JxPropertyKind::String))
        return check;
    if (index == kPropName)
        return kPropertyReadOnly;
    // A cursor is named from the product's list of cursors; a name that is
    // not there changes nothing. The product keeps no such list yet.
    return kPropertyOk;
}

// --- The list and the picture test --------------------------------------------

std::int16_t JxCDisplayObjectList::InsertByZOrder(JxCDisplayObject* object)
{
    std::int32_t order = 0;
    if (object->GetNumberProperty(kPropZOrder, &order) != kPropertyOk)
        order = 0;
    for (JxCDisplayObject* other = GetFirst(); other; other = GetNext(other)) {
        std::int32_t otherOrder = 0;
        if (other->GetNumberProperty(kPropZOrder, &otherOrder) != kPropertyOk)
            otherOrder = 0;
        if (otherOrder > order)
            return InsertBefore(other, object);
    }
    return Add(object);
}

void JxCDisplayObjectList::ReorderByZ(JxCDisplayObject* object)
{
    JxCListNode* node = FindNode(object);
    if (!node)
        return;
    // Out of the list without deleting the object, then in at its place.
    UnlinkNode(node);
    delete node;
    InsertByZOrder(object);
}

std::int16_t IsTransparentPixelAt(const JxCDisplayObject&, const JxObjectRef& bitmap, const JxCPoint& point)
{
    plat::BITMAP info;
    if (!bitmap.handle || !bitmap.bits || !plat::GetObject(bitmap.handle, sizeof info, &info))
        return 0;
    if (info.bmBitsPixel != 8 || point.x < 0 || point.y < 0 || point.x >= info.bmWidth || point.y >= info.bmHeight)
        return 0;
    const std::int64_t stride = (std::int64_t(info.bmWidth) * info.bmBitsPixel + 31) / 32 * 4;
    const std::int64_t row = bitmap.topDown ? point.y : info.bmHeight - 1 - point.y;
    const auto* bits = static_cast<const std::uint8_t*>(bitmap.bits);
    JxCBaseProduct* product = GetProduct();
    JxCProductDef* def = product ? product->GetProductDef() : nullptr;
    const std::uint8_t transparent = std::uint8_t(def ? def->GetTransparentIndex() : 255);
    return bits[row * stride + point.x] == transparent ? 1 : 0;
}
