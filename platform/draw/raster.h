#pragma once
// What a device context draws into, seen as rows of pixels, and the helpers
// every drawing call shares: where the DC may draw, how a colour becomes a
// pixel value, and telling the screen what changed. Internal to draw.

#include <cstddef>
#include <cstdint>

#include "platform/core/region.h"
#include "platform/draw/dc.h"
#include "platform/draw/surface.h"

namespace plat {

struct Raster {
    BYTE* top = nullptr;  // row 0 (the top row)
    std::ptrdiff_t stride = 0;  // bytes from a row to the one below; negative when bottom-up
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;  // 8 or 32; 0 when there is nothing to draw into
    const BitmapObject* surface = nullptr;  // null for the screen
    const RGBQUAD* colours = nullptr;  // the colour table of 8-bit pixels

    bool valid() const { return bitsPerPixel == 8 || bitsPerPixel == 32; }
    BYTE* row(int y) const { return top + y * stride; }
    std::uint32_t* row32(int y) const { return reinterpret_cast<std::uint32_t*>(row(y)); }
    RECT bounds() const { return {0, 0, width, height}; }
};

Raster RasterOf(BitmapObject* surface);
// The DC's target; invalid for a memory DC without an 8 or 32-bit surface.
Raster RasterOf(const DeviceContext* dc);
// Device to target coordinates (the screen position of a window DC).
POINT TargetOffset(const DeviceContext* dc);
// Where the DC may draw, in target coordinates.
Region DrawableArea(const DeviceContext* dc);
// The DC's logical rectangle in target coordinates.
RECT LogicalToTarget(const DeviceContext* dc, const RECT& r);
// Records a change of the target (screen DCs mark the screen dirty).
void MarkChanged(const DeviceContext* dc, const RECT& targetRect);

// 0x00RRGGBB of a colour as the DC means it.
std::uint32_t ColourToRgb32(const DeviceContext* dc, COLORREF colour);
// The pixel value a colour has in the DC's target: a colour-table index for
// 8-bit targets, 0x00RRGGBB for 32-bit ones.
std::uint32_t ColourToPixel(const DeviceContext* dc, const Raster& raster, COLORREF colour);
// The colour of a pixel value of the target as a COLORREF.
COLORREF PixelToColour(const Raster& raster, std::uint32_t pixel);

// Applies a binary raster operation (R2_*) to a pen value and a destination.
inline std::uint32_t ApplyRop2(int rop2, std::uint32_t pen, std::uint32_t dest)
{
    unsigned table = unsigned(rop2 - 1) & 15;  // bit (P << 1 | D) is the result
    std::uint32_t r = 0;
    if (table & 1) r |= ~pen & ~dest;
    if (table & 2) r |= ~pen & dest;
    if (table & 4) r |= pen & ~dest;
    if (table & 8) r |= pen & dest;
    return r;
}

// Applies a ternary raster operation code (the high word's low byte).
inline std::uint32_t ApplyRop3(unsigned code, std::uint32_t pat, std::uint32_t src, std::uint32_t dest)
{
    std::uint32_t r = 0;
    for (unsigned k = 0; k < 8; ++k) {
        if (!(code & (1u << k)))
            continue;
        r |= ((k & 4) ? pat : ~pat) & ((k & 2) ? src : ~src) & ((k & 1) ? dest : ~dest);
    }
    return r;
}

// Nearest colour-table index of a 0x00RRGGBB colour in an 8-bit surface,
// through a cache that lives with the surface's colour table.
BYTE NearestSurfaceIndex(const BitmapObject& surface, std::uint32_t rgb);

}  // namespace plat
