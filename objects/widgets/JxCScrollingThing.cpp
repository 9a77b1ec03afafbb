#include "objects/widgets/JxCScrollingThing.h"

#include <algorithm>
#include <limits>

#include "foundation/JxCInStrStream.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPanelObject.h"

namespace {

// (span × value × 2 / over + 1) >> 1: the nearest whole number. A span of 2^32
// times a value of as much passes 64 bits, so the product is taken wider.
std::int64_t scale(std::int64_t value, std::int64_t span, std::int64_t over)
{
    __extension__ using Wide = __int128;
    const Wide doubled = Wide(span) * value * 2 / (over ? over : 1);
    const Wide rounded = (doubled + 1) >> 1;
    return std::int64_t(std::clamp<Wide>(rounded, std::numeric_limits<std::int64_t>::min(),
                                         std::numeric_limits<std::int64_t>::max()));
}

}  // namespace

std::int32_t JxCScrollingThing::Saturate(std::int64_t v)
{
    return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                              std::numeric_limits<std::int32_t>::max()));
}

JxCScrollingThing::~JxCScrollingThing()
{
    if (JxCBaseProduct* product = GetProduct())
        product->KillTimer(this, -1);
    if (partner_)
        std::erase(partner_->linkers_, this);
    // Whoever was linked to this object no longer is.
    for (JxCScrollingThing* linker : linkers_)
        linker->partner_ = nullptr;
}

std::int16_t JxCScrollingThing::ResetFlags()
{
    JxCDisplayObject::ResetFlags();
    SetOptionFlags(kOptionResetResources);
    return 1;
}

std::int16_t JxCScrollingThing::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    Attach(container, type);
    ResetFlags();
    std::int32_t id = 0;
    JxCRect rect;
    JxCTableString cursor;
    if (!in.ReadBigEndian16To32(id).ReadBigEndianRect(rect) || !ReadTableString(in, cursor))
        return 0;
    std::int32_t minimum = 0, maximum = 0;
    if (!in.ReadBigEndian16(linked_).ReadBigEndian16To32(partnerId_))
        return 0;
    if (!in.ReadBigEndian32(minimum).ReadBigEndian32(maximum).ReadBigEndian32(startPosition_))
        return 0;
    SetId(id);
    SetRect(rect);
    SetCursorName(cursor);
    // A maximum stored below the minimum is no range at all.
    maximum = std::max(maximum, minimum);
    position_ = std::clamp(startPosition_, minimum, maximum);
    SetRange(minimum, maximum);
    return 1;
}

std::int16_t JxCScrollingThing::MouseUp(const JxCPoint&, std::int16_t)
{
    if (TestOptionFlags(kOptionResetResources))
        StopActiveObjects(0);
    return 1;
}

std::int16_t JxCScrollingThing::Start()
{
    // A page shown again keeps the place it had.
    if (position_ != 0)
        startPosition_ = position_;
    if (linked_) {
        JxCRunTimeObject* container = GetContainer();
        if (container && container->GetKind() == kPanelKind) {
            JxCDisplayObject* found = static_cast<JxCPanelObject*>(container)->FindObjectById(partnerId_);
            if (auto* partner = dynamic_cast<JxCScrollingThing*>(found); partner && partner != this)
                Link(partner);
        }
    }
    SetPosition(startPosition_);
    return 1;
}

void JxCScrollingThing::SetRangeWords(std::int32_t minimum, std::int32_t maximum)
{
    minimum_ = minimum;
    maximum_ = std::max(maximum, minimum);
}

void JxCScrollingThing::SetRange(std::int32_t minimum, std::int32_t maximum)
{
    SetRangeWords(minimum, maximum);
    const std::int64_t span = std::int64_t(maximum_) - minimum_;
    valueSpan_ = span > 0 ? span : 1;
}

void JxCScrollingThing::SetSpans(std::int64_t valueSpan, std::int32_t pixelSpan)
{
    valueSpan_ = valueSpan;
    pixelSpan_ = pixelSpan;
    if (valueSpan_ <= 0 || pixelSpan_ <= 0)
        valueSpan_ = pixelSpan_ = 1;
}

std::int32_t JxCScrollingThing::Clamp(std::int32_t value) const
{
    return std::clamp(value, minimum_, maximum_);
}

void JxCScrollingThing::SetPosition(std::int32_t value)
{
    position_ = Clamp(value);
    Redraw();
}

std::int64_t JxCScrollingThing::ValueToPixels(std::int64_t value) const
{
    return scale(value, pixelSpan_, valueSpan_);
}

std::int64_t JxCScrollingThing::PixelsToValue(std::int64_t pixels) const
{
    return scale(pixels, valueSpan_, pixelSpan_);
}

void JxCScrollingThing::Link(JxCScrollingThing* partner)
{
    if (partner_)
        std::erase(partner_->linkers_, this);
    partner_ = partner;
    if (!partner)
        return;
    partner->linkers_.push_back(this);
    SetRange(partner->minimum_, partner->maximum_);
    pageSize_ = partner->pageSize_;
    position_ = 0;
    startPosition_ = partner->position_;
}
