#include "objects/widgets/JxCBitmap.h"

#include "foundation/JxCInStrStream.h"
#include "graphics/JxDibUtils.h"
#include "platform/draw/draw.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxSharedBitmaps.h"

JxCBitmap::JxCBitmap()
{
    SetCursorName(DefaultCursorName());
}

JxCBitmap::~JxCBitmap()
{
    releaseRecord();
}

std::int16_t JxCBitmap::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    const std::int16_t result = JxCDisplayObject::Read(in, container, type);
    if (!result)
        return 0;
    JxCTableString name;
    if (!ReadTableString(in, name))
        return 0;
    SetFileName(name);
    return result;
}

std::int16_t JxCBitmap::CreateResources()
{
    return LoadImage(nullptr);
}

void JxCBitmap::releaseRecord()
{
    GetBitmapCache().Release(record_);
    record_ = nullptr;
}

std::int16_t JxCBitmap::ReleaseResources()
{
    releaseRecord();
    return JxCDisplayObject::ReleaseResources();
}

std::int16_t JxCBitmap::LoadImage(plat::HPALETTE* palette)
{
    ReleaseResources();
    return acquire(palette);
}

std::int16_t JxCBitmap::acquire(plat::HPALETTE* palette)
{
    JxCBitmapRecordList& cache = GetBitmapCache();
    JxCBitmapRecord* found = cache.Acquire(fileName_);
    if (found && (!palette || found->GetPalette())) {
        if (palette) {
            // The record hands its palette over to the caller.
            *palette = found->TakePalette();
        }
        record_ = found;
        sizeToImage();
        return 1;
    }
    if (palette && *palette) {
        plat::DeleteObject(*palette);
        *palette = nullptr;
    }
    JxSharedImage image = LoadSharedBitmap(*this, fileName_, palette);
    if (!image) {
        // A record acquired for its palette is not kept by a failed load.
        cache.Release(found);
        return 0;
    }
    if (!found) {
        found = new JxCBitmapRecord(fileName_, std::move(image));
        if (!cache.Add(found)) {
            delete found;
            return 0;
        }
    }
    record_ = found;
    sizeToImage();
    return 1;
}

void JxCBitmap::sizeToImage()
{
    const JxCSize size = GetImageSize();
    JxCRect rect = GetRect();
    rect.right = std::int16_t(rect.left + size.cx);
    rect.bottom = std::int16_t(rect.top + size.cy);
    SetRect(rect);
}

JxCSize JxCBitmap::GetImageSize()
{
    if (!record_ && !acquire(nullptr))
        return JxCSize();
    const JxObjectRef& image = *record_->GetImage();
    return JxCSize(std::int16_t(GetBitmapWidth(image)), std::int16_t(GetBitmapHeight(image)));
}

std::int16_t JxCBitmap::Draw(JxCSlate* slate, const JxCRect* clip)
{
    if (!IsVisible() || !record_)
        return 0;
    const JxCRect& rect = GetRect();
    const JxCRect part = clip ? *clip : rect;
    const JxCPoint offset(std::int16_t(part.left - rect.left), std::int16_t(part.top - rect.top));
    return DrawBitmapAt(*this, record_->GetImage().get(), part, offset, slate, IsActive());
}

std::int16_t JxCBitmap::SetImage(const JxCTableString& name, std::int16_t redraw)
{
    ReleaseResources();
    SetFileName(name);
    const std::int16_t loaded = CreateResources();
    if (loaded && redraw)
        RedrawInContainer(GetRect());
    return loaded;
}

// --- Properties ----------------------------------------------------------------

JxPropertyKind JxCBitmap::GetPropertyInfo(std::int16_t index, std::int32_t* stringId)
{
    if ((index >= kPropDisabled && index <= kPropOwnCapture) || (index >= kPropAutoPlay && index <= kPropPlayInChild))
        return JxPropertyKind::None;
    if (index == kPropFile || index == kPropTransparent)
        return PropertyKindIn(index, stringId, false, index == kPropTransparent, index == kPropFile);
    return JxCDisplayObject::GetPropertyInfo(index, stringId);
}

std::int16_t JxCBitmap::GetFlagProperty(std::int16_t index, std::int16_t* flag)
{
    if (const std::int16_t check = CheckPropertyKind(index, JxPropertyKind::Flag))
        return check;
    return JxCDisplayObject::GetFlagProperty(index, flag);
}

std::int16_t JxCBitmap::SetFlagProperty(std::int16_t index, std::int16_t flag)
{
    if (const std::int16_t check = CheckPropertyKind(index, JxPropertyKind::Flag))
        return check;
    return JxCDisplayObject::SetFlagProperty(index, flag);
}

std::int16_t JxCBitmap::GetStringProperty(std::int16_t index, JxCString* text)
{
    if (index != kPropFile)
        return JxCDisplayObject::GetStringProperty(index, text);
    if (!text)
        return kPropertyNoPlace;
    *text = fileName_;
    return kPropertyOk;
}

std::int16_t JxCBitmap::SetStringProperty(std::int16_t index, const JxCString& text)
{
    if (index != kPropFile)
        return JxCDisplayObject::SetStringProperty(index, text);
    // The new picture is loaded before the old record goes, so that the
    // same name keeps its record.
    JxCBitmapRecord* previous = record_;
    record_ = nullptr;
    SetFileName(text);
    acquire(nullptr);
    GetBitmapCache().Release(previous);
    RedrawInContainer(GetRect());
    return kPropertyOk;
}
