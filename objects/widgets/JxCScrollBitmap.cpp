#include "objects/widgets/JxCScrollBitmap.h"

#include "foundation/JxCInStrStream.h"
#include "graphics/JxDibUtils.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxSharedBitmaps.h"

JxCScrollBitmap::~JxCScrollBitmap()
{
    ReleaseResources();
}

std::int16_t JxCScrollBitmap::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    if (!JxCScrollingThing::Read(in, container, type))
        return 0;
    JxCTableString name;
    if (!ReadTableString(in, name))
        return 0;
    fileName_ = JxCString(name.GetText() ? name.GetText() : "");
    return 1;
}

std::int16_t JxCScrollBitmap::ReleaseResources()
{
    // Only this object's share goes; the picture stays for its other users.
    image_.reset();
    return JxCScrollingThing::ReleaseResources();
}

bool JxCScrollBitmap::LoadImage()
{
    ReleaseResources();
    image_ = LoadSharedBitmap(*this, JxCTableString(fileName_.GetText()));
    if (!HasImage()) {
        image_.reset();
        return false;
    }
    imageRect_ = JxCRect(0, 0, std::int16_t(GetBitmapWidth(*image_)), std::int16_t(GetBitmapHeight(*image_)));
    return true;
}

std::int16_t JxCScrollBitmap::CreateResources()
{
    if (!LoadImage())
        return 0;
    SetSpans(GetValueSpan(), HiddenRows());
    SetPageSizeWord(PixelsToValue(GetRect().Height()));
    return 1;
}

std::int16_t JxCScrollBitmap::Draw(JxCSlate* slate, const JxCRect* clip)
{
    if (!HasImage() && !CreateResources())
        return 0;
    const JxCRect& rect = GetRect();
    const JxCRect part = clip ? *clip : rect;
    std::int32_t minimum = 0, maximum = 0;
    GetRange(minimum, maximum);
    // Counted from the minimum, so that the minimum shows the top whatever
    // the range.
    const std::int32_t scrolled = Saturate(ValueToPixels(std::int64_t(GetPosition()) - minimum));
    const JxCPoint offset(std::int16_t(part.left - rect.left), std::int16_t(part.top - rect.top + scrolled));
    return DrawBitmapAt(*this, image_.get(), part, offset, slate, 0);
}

std::int16_t JxCScrollBitmap::Redraw()
{
    RedrawInContainer(GetRect());
    return 1;
}

// --- Properties ----------------------------------------------------------------

JxPropertyKind JxCScrollBitmap::GetPropertyInfo(std::int16_t index, std::int32_t* stringId)
{
    if (index == kPropScrollPosition || index == kPropRangeMaximum || index == kPropRangeMinimum)
        return PropertyKindIn(index, stringId, true, false, false);
    return JxCScrollingThing::GetPropertyInfo(index, stringId);
}

std::int16_t JxCScrollBitmap::GetNumberProperty(std::int16_t index, std::int32_t* value)
{
    std::int32_t minimum = 0, maximum = 0;
    GetRange(minimum, maximum);
    std::int32_t result = 0;
    switch (index) {
    case kPropScrollPosition: result = GetPosition(); break;
    case kPropRangeMaximum: result = maximum; break;
    case kPropRangeMinimum: result = minimum; break;
    default: return JxCScrollingThing::GetNumberProperty(index, value);
    }
    if (!value)
        return kPropertyNoPlace;
    *value = result;
    return kPropertyOk;
}

std::int16_t JxCScrollBitmap::SetNumberProperty(std::int16_t index, std::int32_t value)
{
    std::int32_t minimum = 0, maximum = 0;
    GetRange(minimum, maximum);
    switch (index) {
    case kPropScrollPosition: ScrollTo(value); break;
    case kPropRangeMaximum: ChangeRange(minimum, value); break;
    case kPropRangeMinimum: ChangeRange(value, maximum); break;
    default: return JxCScrollingThing::SetNumberProperty(index, value);
    }
    return kPropertyOk;
}
