#include "graphics/JxCMemorySlate.h"

#include <algorithm>
#include <cstdlib>

#include "foundation/JxProductLink.h"
#include "graphics/JxCDisplaySlate.h"
#include "graphics/JxCSlatePool.h"
#include "graphics/JxDibUtils.h"
#include "graphics/JxGraphicsLink.h"
#include "graphics/JxPixelCopy.h"
#include "platform/draw/draw.h"

namespace {

constexpr std::int16_t kUnclippedEdge = 32767;

JxCRect AreaAt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height)
{
    return JxCRect(std::int16_t(x), std::int16_t(y), std::int16_t(x + width), std::int16_t(y + height));
}

}  // namespace

JxCMemorySlate::JxCMemorySlate()
{
    Initialise(nullptr, 0, 0, 0, 0);
}

JxCMemorySlate::JxCMemorySlate(std::int32_t width, std::int32_t height)
{
    Initialise(nullptr, width, height, 0, 0);
}

JxCMemorySlate::JxCMemorySlate(std::int32_t width, std::int32_t height, std::int32_t x, std::int32_t y)
{
    Initialise(nullptr, width, height, x, y);
}

JxCMemorySlate::JxCMemorySlate(JxCSlate*, std::int32_t width, std::int32_t height)
{
    // Every off-screen surface is 8-bit under the product palette, whatever
    // the target: the copies convert on the way.
    Initialise(nullptr, width, height, 0, 0);
}

JxCMemorySlate::JxCMemorySlate(const JxObjectRef& bitmap)
{
    Initialise(&bitmap, GetBitmapWidth(bitmap), bitmap.topDown ? -GetBitmapHeight(bitmap) : GetBitmapHeight(bitmap),
               0, 0);
}

void JxCMemorySlate::Initialise(const JxObjectRef* bitmap, std::int32_t width, std::int32_t height, std::int32_t x,
                                std::int32_t y)
{
    const bool topDown = height < 0;
    height = std::abs(height);
    SetMapping(AreaAt(0, 0, width, height), AreaAt(x, y, width, height));
    hdc_ = AcquireSlateDC();
    if (!hdc_)
        return;
    if (bitmap && bitmap->handle) {
        bitmap_ = *bitmap;
        ownsBitmap_ = 0;
    } else if (width > 0 && height > 0) {
        bitmap_ = CreateDibSectionForPalette(width, topDown ? -height : height, ProductPalette());
        ownsBitmap_ = bitmap_.handle ? 1 : 0;
    }
    if (bitmap_.handle)
        previousBitmap_ = plat::SelectObject(hdc_, bitmap_.handle);
    hasBitmap_ = bitmap_.handle ? 1 : 0;
    state_.clip.SetRect(-kUnclippedEdge, -kUnclippedEdge, kUnclippedEdge, kUnclippedEdge);
    state_.clip.SelectIntoDC(hdc_);
}

JxCMemorySlate::~JxCMemorySlate()
{
    if (!hdc_)
        return;
    if (previousBitmap_)
        plat::SelectObject(hdc_, previousBitmap_);
    DropBitmap();
    ReleaseSlateDC(hdc_);
    hdc_ = nullptr;
}

void JxCMemorySlate::DropBitmap()
{
    if (ownsBitmap_)
        DeleteBitmapRecord(bitmap_);
    bitmap_ = JxObjectRef();
    ownsBitmap_ = 0;
    hasBitmap_ = 0;
}

void JxCMemorySlate::AttachBitmap(const JxObjectRef& bitmap)
{
    if (bitmap.handle && bitmap.handle == bitmap_.handle) {
        ownsBitmap_ = 0;
        return;
    }
    // The slate keeps its device context: taking another would leave the
    // first one taken for good.
    if (!hdc_)
        hdc_ = AcquireSlateDC();
    if (!hdc_)
        return;
    const JxCPoint origin = GetOrigin();
    plat::HGDIOBJ old = nullptr;
    if (bitmap.handle)
        old = plat::SelectObject(hdc_, bitmap.handle);
    else if (previousBitmap_)
        old = plat::SelectObject(hdc_, previousBitmap_);
    if (!bitmap_.handle && bitmap.handle)
        previousBitmap_ = old;
    DropBitmap();
    if (!bitmap.handle) {
        previousBitmap_ = nullptr;
        return;
    }
    bitmap_ = bitmap;
    hasBitmap_ = 1;
    const std::int32_t width = GetBitmapWidth(bitmap);
    const std::int32_t height = GetBitmapHeight(bitmap);
    SetMapping(AreaAt(0, 0, width, height), AreaAt(origin.x, origin.y, width, height));
}

int JxCMemorySlate::GetBitsPerPixel() const
{
    return hdc_ ? plat::GetDeviceCaps(hdc_, plat::BITSPIXEL) : 0;
}

std::uint8_t* JxCMemorySlate::GetBits(plat::BITMAPINFOHEADER* header) const
{
    if (!hdc_ || !hasBitmap_)
        return nullptr;
    return GetSlateBits(bitmap_, header);
}

std::int16_t JxCMemorySlate::MapColours(const JxCRect& rect, const std::uint16_t* map)
{
    plat::BITMAPINFOHEADER h;
    std::uint8_t* bits = GetBits(&h);
    if (!bits || !map || h.biBitCount != 8)
        return 0;
    const JxCRect r = ClipToArea(rect);
    if (r.IsEmpty())
        return 1;
    plat::RECT d = TransformRect(r);
    // The rows and their stride are the bitmap's own.
    const std::int32_t rows = std::abs(h.biHeight);
    d.left = std::max<plat::LONG>(d.left, 0);
    d.top = std::max<plat::LONG>(d.top, 0);
    d.right = std::min<plat::LONG>(d.right, h.biWidth);
    d.bottom = std::min<plat::LONG>(d.bottom, rows);
    const std::ptrdiff_t stride = plat::DibStride(h.biWidth, h.biBitCount);
    for (plat::LONG y = d.top; y < d.bottom; ++y) {
        const std::ptrdiff_t row = h.biHeight < 0 ? y : rows - 1 - y;
        std::uint8_t* p = bits + row * stride;
        for (plat::LONG x = d.left; x < d.right; ++x)
            p[x] = std::uint8_t(map[p[x]] & 0xFF);
    }
    return 1;
}

std::int16_t JxCMemorySlate::CopyFromBits(JxCMemorySlate* source, const plat::RECT& srcRect,
                                          const plat::RECT& dstRect, std::int16_t transparent)
{
    if (!source)
        return 0;
    plat::BITMAPINFOHEADER dh, sh;
    std::uint8_t* dst = GetBits(&dh);
    const std::uint8_t* src = source->GetBits(&sh);
    if (!dst || !src)
        return 0;
    const int mode = transparent == 1 ? kCopyTransparent : kCopyOpaque;
    return std::int16_t(CopyDibRect(dst, dh, dstRect, src, sh, srcRect, mode, GraphicsTransparentIndex()));
}

std::int16_t JxCMemorySlate::CopyFrom(JxCDisplaySlate* source, const plat::RECT& srcRect, const plat::RECT& dstRect,
                                      std::int16_t transparent)
{
    if (!source)
        return 0;
    plat::BITMAPINFOHEADER dh;
    std::uint8_t* dst = GetBits(&dh);
    if (!dst)
        return 0;
    const JxDibBlock picture =
        GrabDibFromDC(source->GetHDC(), srcRect, source->GetPalette(), 8, plat::BI_RGB, plat::DIB_RGB_COLORS);
    if (picture.empty())
        return 0;
    const plat::BITMAPINFOHEADER sh = GetDibHeader(picture.data());
    const plat::RECT whole{0, 0, sh.biWidth, sh.biHeight};
    const int mode = transparent ? kCopyTransparent : kCopyOpaque;
    return std::int16_t(
        CopyDibRect(dst, dh, dstRect, GetDibBits(picture.data()), sh, whole, mode, GraphicsTransparentIndex()));
}
