#include "graphics/JxCDisplaySlate.h"

#include <algorithm>

#include "foundation/JxProductLink.h"
#include "graphics/JxCMemorySlate.h"
#include "graphics/JxDibUtils.h"
#include "platform/draw/draw.h"
#include "platform/window/window.h"

namespace {

constexpr plat::DWORD kSrcCopy = 0x00CC0020;

plat::LONG Width(const plat::RECT& r)
{
    return r.right - r.left;
}

plat::LONG Height(const plat::RECT& r)
{
    return r.bottom - r.top;
}

}  // namespace

JxCDisplaySlate::JxCDisplaySlate(plat::HWND window, std::int32_t x, std::int32_t y) : window_(window)
{
    hdc_ = plat::GetDC(window);
    plat::RECT client{};
    plat::GetClientRect(window, &client);
    const JxCRect device(std::int16_t(client.left), std::int16_t(client.top), std::int16_t(client.right),
                         std::int16_t(client.bottom));
    JxCRect logical = device;
    logical.Offset(x, y);
    SetMapping(device, logical);
    SelectPalette(ProductPalette(), 1);
}

JxCDisplaySlate::~JxCDisplaySlate()
{
    if (!hdc_)
        return;
    plat::SelectClipRgn(hdc_, nullptr);
    plat::ReleaseDC(window_, hdc_);
    hdc_ = nullptr;
}

int JxCDisplaySlate::GetBitsPerPixel() const
{
    return hdc_ ? plat::GetDeviceCaps(hdc_, plat::BITSPIXEL) : 0;
}

void JxCDisplaySlate::SelectPalette(plat::HPALETTE palette, std::int16_t forceBackground)
{
    if (!hdc_ || !palette)
        return;
    palette_ = palette;
    plat::SelectPalette(hdc_, palette, forceBackground);
}

std::int16_t JxCDisplaySlate::CopyFrom(JxCDisplaySlate* source, const plat::RECT& srcRect, const plat::RECT& dstRect,
                                       std::int16_t)
{
    if (!source || !hdc_)
        return 0;
    return std::int16_t(plat::BitBlt(hdc_, dstRect.left, dstRect.top, Width(dstRect), Height(dstRect),
                                     source->GetHDC(), srcRect.left, srcRect.top, kSrcCopy));
}

std::int16_t JxCDisplaySlate::CopyFromBits(JxCMemorySlate* source, const plat::RECT& srcRect,
                                           const plat::RECT& dstRect, std::int16_t transparent)
{
    if (!source || !hdc_ || !source->GetHDC())
        return 0;
    const plat::LONG width = std::min(Width(dstRect), Width(srcRect));
    const plat::LONG height = std::min(Height(dstRect), Height(srcRect));
    if (!transparent)
        return std::int16_t(
            SlateBitBlt(hdc_, dstRect.left, dstRect.top, width, height, source->GetHDC(), srcRect.left, srcRect.top));

    // The keyed copy happens off screen: the screen's picture under the
    // area, the source over it, and the result back.
    JxCMemorySlate under(width, height);
    const plat::RECT local{0, 0, width, height};
    const plat::RECT screenArea{dstRect.left, dstRect.top, dstRect.left + width, dstRect.top + height};
    if (!under.CopyFrom(this, screenArea, local, 0))
        return 0;
    if (!under.CopyFromBits(source, srcRect, local, 1))
        return 0;
    return CopyFromBits(&under, local, screenArea, 0);
}

std::int16_t JxCDisplaySlate::MapColours(const JxCRect& rect, const std::uint16_t* map)
{
    if (!hdc_ || !map)
        return 0;
    const JxCRect r = ClipToArea(rect);
    if (r.IsEmpty())
        return 1;
    const plat::RECT d = TransformRect(r);
    JxCMemorySlate copy(Width(d), Height(d));
    const plat::RECT local{0, 0, Width(d), Height(d)};
    if (!copy.CopyFrom(this, d, local, 0) || !copy.MapColours(copy.GetArea(), map))
        return 0;
    return CopyFromBits(&copy, local, d, 0);
}

std::int16_t JxCDisplaySlate::InvalidateArea(const JxCRect* rect, std::int16_t erase)
{
    const JxCRect r = rect ? ClipToArea(*rect) : GetArea();
    if (r.IsEmpty())
        return 0;
    const plat::RECT d = TransformRect(r);
    plat::InvalidateRect(window_, &d, erase);
    plat::UpdateWindow(window_);
    return 1;
}
