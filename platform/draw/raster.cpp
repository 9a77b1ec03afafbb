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

Raster RasterOf(HDC hdc)
{
    if (!IsLiveDC(hdc))
        return {};
    if (hdc->target == DeviceContext::Target::Memory)
        return RasterOf(hdc->bitmap);
    Screen& s = TheScreen();
    Raster r;
    r.top = reinterpret_cast<BYTE*>(s.pixels());
    r.stride = std::ptrdiff_t(s.stride()) * 4;
    r.width = s.width();
    r.height = s.height();
    r.bitsPerPixel = 32;
    return r;
}

POINT TargetOffset(HDC hdc)
{
    return hdc->target == DeviceContext::Target::Screen ? hdc->deviceOrigin : POINT{};
}

Region DrawableArea(HDC hdc)
{
    Raster r = RasterOf(hdc);
    if (!r.valid())
        return {};
    POINT off = TargetOffset(hdc);
    Region area = hdc->target == DeviceContext::Target::Screen ? hdc->visible : Region(r.bounds());
    area.intersect(r.bounds());
    if (hdc->clip) {
        Region clip = *hdc->clip;
        clip.offset(off.x, off.y);
        area.intersect(clip);
    }
    return area;
}

RECT LogicalToTarget(HDC hdc, const RECT& rect)
{
    RECT d = hdc->toDevice(rect);
    POINT off = TargetOffset(hdc);
    auto c = DeviceContext::clampCoordinate;
    return {c((long long)d.left + off.x), c((long long)d.top + off.y), c((long long)d.right + off.x),
            c((long long)d.bottom + off.y)};
}

void MarkChanged(HDC hdc, const RECT& targetRect)
{
    if (hdc->target == DeviceContext::Target::Screen && !IsRectEmpty(targetRect))
        TheScreen().markDirty(targetRect);
}

std::uint32_t ColourToRgb32(HDC hdc, COLORREF colour)
{
    COLORREF c = ResolveColour(hdc, colour);
    return (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

std::uint32_t ColourToPixel(HDC hdc, const Raster& raster, COLORREF colour)
{
    std::uint32_t rgb = ColourToRgb32(hdc, colour);
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
