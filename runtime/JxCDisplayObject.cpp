#include "runtime/JxCDisplayObject.h"

#include <algorithm>
#include <utility>

#include "foundation/JxCInStrStream.h"
#include "graphics/JxCPolyRegion.h"
#include "platform/draw/draw.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPanelObject.h"

namespace {

JxCPanelObject* panelOf(const JxCRunTimeObject* container)
{
    return container && container->GetKind() == kPanelKind
               ? static_cast<JxCPanelObject*>(const_cast<JxCRunTimeObject*>(container))
               : nullptr;
}

}  // namespace

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
    if (IsAnyResourcePlaying() && !object.TestOptionFlags(JxCDisplayObject::kOptionAlwaysActive))
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
    const bool number = (index >= kPropLeft && index <= kPropHeight) || index == kPropZOrder;
    const bool flag = (index >= kPropDisabled && index <= kPropNoRefresh) || index == kPropVisible;
    const bool string = index == kPropName || index == kPropCursor;
    return PropertyKindIn(index, stringId, number, flag, string);
}

std::int16_t JxCDisplayObject::GetNumberProperty(std::int16_t index, std::int32_t* value)
{
    std::int32_t result = zOrder_;
    if (index != kPropZOrder && !GetRectangleProperty(rect_, index, result))
        return JxCRunTimeObject::GetNumberProperty(index, value);
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

std::int16_t JxCDisplayObject::setPosition(std::int16_t index, std::int32_t value)
{
    std::int32_t current = 0;
    GetRectangleProperty(rect_, index, current);
    if (value == current)
        return kPropertyOk;
    // The container's own rectangle bounds the object.
    const JxCPanelObject* panel = panelOf(GetContainer());
    const JxCSize bound = panel ? panel->GetRect().GetSize() : JxCSize(0x7FFF, 0x7FFF);
    const JxCRect before = rect_;
    if (!SetRectangleProperty(rect_, index, value, bound))
        return kPropertyDoesNotFit;
    RedrawInContainer(UnionOf(before, rect_));
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

std::int16_t JxCDisplayObject::SetStringProperty(std::int16_t index, const JxCString& text)
{
    if (const std::int16_t check = CheckPropertyKind(index, JxPropertyKind::String))
        return check;
    if (index == kPropName)
        return kPropertyReadOnly;
    // A cursor is named from the product's list of cursors; a name that is
    // not there changes nothing. The object takes the entry's own text,
    // which lives as long as the product, longer than any page.
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return kPropertyOk;
    JxCCursorList& cursors = product->GetCursorList();
    for (JxCObject* item = cursors.GetFirst(); item; item = cursors.GetNext(item)) {
        const JxCString& name = static_cast<JxCCursorEntry*>(item)->GetName();
        if (name.EqualsNoCase(text)) {
            cursorName_ = JxCTableString(name.GetText());
            break;
        }
    }
    return kPropertyOk;
}

// --- Shared by display objects and panels ------------------------------------

bool GetRectangleProperty(const JxCRect& rect, std::int16_t index, std::int32_t& value)
{
    switch (index) {
    case kPropLeft: value = rect.left; return true;
    case kPropTop: value = rect.top; return true;
    case kPropWidth: value = rect.Width(); return true;
    case kPropHeight: value = rect.Height(); return true;
    default: return false;
    }
}

bool SetRectangleProperty(JxCRect& rect, std::int16_t index, std::int32_t value, const JxCSize& bound)
{
    const bool horizontal = index == kPropLeft || index == kPropWidth;
    // Wide: a value near the end of the 32-bit range must not wrap below
    // the bound.
    std::int64_t farEdge = 0;
    switch (index) {
    case kPropLeft: farEdge = std::int64_t(value) + rect.Width(); break;
    case kPropTop: farEdge = std::int64_t(value) + rect.Height(); break;
    case kPropWidth: farEdge = std::int64_t(rect.left) + value; break;
    case kPropHeight: farEdge = std::int64_t(rect.top) + value; break;
    default: return false;
    }
    if (value < 0 || farEdge > (horizontal ? bound.cx : bound.cy))
        return false;
    if (index == kPropLeft)
        rect.left = std::int16_t(value);
    else if (index == kPropTop)
        rect.top = std::int16_t(value);
    (horizontal ? rect.right : rect.bottom) = std::int16_t(farEdge);
    return true;
}

JxCRect UnionOf(const JxCRect& a, const JxCRect& b)
{
    return JxCRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                   std::max(a.bottom, b.bottom));
}

JxPropertyKind PropertyKindIn(std::int16_t index, std::int32_t* nameId, bool number, bool flag, bool string)
{
    const JxPropertyKind kind = number ? JxPropertyKind::Number
                                : flag ? JxPropertyKind::Flag
                                : string ? JxPropertyKind::String
                                         : JxPropertyKind::None;
    if (kind != JxPropertyKind::None && nameId)
        *nameId = PropertyNameId(index);
    return kind;
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
