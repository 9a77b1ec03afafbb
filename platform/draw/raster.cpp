#include "platform/draw/raster.h"

#include "platform/draw/palette.h"
#include "platform/screen/screen.h"

namespace plat {

Raster RasterOf(BitmapObject* b)
{
    Raster r;
    if (!b || (b->bitsPerPixel != 1 && b->bitsPerPixel != 8 && b->bitsPerPixel != 32))
        return r;
    r.width = b->width;
    r.height = b->height;
    r.bitsPerPixel = b->bitsPerPixel;
    r.surface = b;
    r.colours = b->colours.data();
    if (b->topDown) {
        r.top = b->bits.get();
        r.stride = b->stride;
    } else {
        r.top = b->bits.get() + std::ptrdiff_t(b->height - 1) * b->stride;
        r.stride = -std::ptrdiff_t(b->stride);
    }
    return r;
}

Raster RasterOf(const DeviceContext* dc)
{
    if (!dc)
        return {};
    if (dc->target == DeviceContext::Target::Memory)
        return RasterOf(dc->bitmap);
    Screen& s = TheScreen();
    Raster r;
    r.top = reinterpret_cast<BYTE*>(s.pixels());
    r.stride = std::ptrdiff_t(s.stride()) * 4;
    r.width = s.width();
    r.height = s.height();
    r.bitsPerPixel = 32;
    return r;
}

POINT TargetOffset(const DeviceContext* dc)
{
    return dc->target == DeviceContext::Target::Screen ? dc->deviceOrigin : POINT{};
}

Region DrawableArea(const DeviceContext* dc)
{
    Raster r = RasterOf(dc);
    if (!r.valid())
        return {};
    POINT off = TargetOffset(dc);
    Region area = dc->target == DeviceContext::Target::Screen ? dc->visible : Region(r.bounds());
    area.intersect(r.bounds());
    if (dc->clip) {
        Region clip = *dc->clip;
        clip.offset(off.x, off.y);
        area.intersect(clip);
    }
    return area;
}

RECT LogicalToTarget(const DeviceContext* dc, const RECT& rect)
{
    RECT d = dc->toDevice(rect);
    POINT off = TargetOffset(dc);
    auto c = DeviceContext::clampCoordinate;
    return {c((long long)d.left + off.x), c((long long)d.top + off.y), c((long long)d.right + off.x),
            c((long long)d.bottom + off.y)};
}

void MarkChanged(const DeviceContext* dc, const RECT& targetRect)
{
    if (dc->target == DeviceContext::Target::Screen && !IsRectEmpty(targetRect))
        TheScreen().markDirty(targetRect);
}

std::uint32_t ColourToRgb32(const DeviceContext* dc, COLORREF colour)
{
    COLORREF c = ResolveColour(dc, colour);
    return (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

std::uint32_t ColourToPixel(const DeviceContext* dc, const Raster& raster, COLORREF colour)
{
    std::uint32_t rgb = ColourToRgb32(dc, colour);
    if (raster.bitsPerPixel == 8 && raster.surface)
        return NearestSurfaceIndex(*raster.surface, rgb);
    return rgb;
}

COLORREF PixelToColour(const Raster& raster, std::uint32_t pixel)
{
    if (raster.bitsPerPixel == 8 && raster.surface) {
        const RGBQUAD& q = raster.surface->colours[pixel & 0xFF];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    return RGB(BYTE(pixel >> 16), BYTE(pixel >> 8), BYTE(pixel));
}

}  // namespace plat
