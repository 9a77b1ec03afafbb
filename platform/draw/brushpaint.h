#pragma once
// Painting rectangles of a target with a brush or a pen colour under a raster
// operation, clipped to where the DC may draw. Internal to draw.

#include <array>
#include <cstdint>

#include "platform/draw/brush.h"
#include "platform/draw/raster.h"

namespace plat {

// A brush resolved for one target: a solid pixel value or an 8 by 8
// pattern of two values, aligned to the brush origin.
struct BrushPaint {
    bool null = true;
    bool pattern = false;
    std::uint32_t solid = 0;
    std::uint32_t zero = 0;  // pattern 0 bits: the text colour
    std::uint32_t one = 0;  // pattern 1 bits: the background colour
    std::array<BYTE, 8> rows{};
    POINT phase;  // target position of pattern cell (0, 0)

    std::uint32_t at(int x, int y) const
    {
        if (!pattern)
            return solid;
        BYTE bits = rows[std::size_t((y - phase.y) & 7)];
        return (bits & (0x80 >> ((x - phase.x) & 7))) ? one : zero;
    }
};

BrushPaint MakeBrushPaint(const DeviceContext* dc, const Raster& raster, const BrushObject* brush);
BrushPaint SolidPaint(std::uint32_t pixel);

// How the paint meets the destination.
struct PaintOp {
    enum class Kind { Rop2, Rop3 } kind = Kind::Rop2;
    unsigned code = 13;  // R2_COPYPEN, or the ROP3 byte

    static PaintOp rop2(int r) { return {Kind::Rop2, unsigned(r)}; }
    static PaintOp rop3(DWORD rop) { return {Kind::Rop3, (rop >> 16) & 0xFF}; }
    bool plainCopy() const { return kind == Kind::Rop2 ? code == 13 : code == 0xF0; }
    std::uint32_t apply(std::uint32_t paint, std::uint32_t dest) const
    {
        return kind == Kind::Rop2 ? ApplyRop2(int(code), paint, dest) : ApplyRop3(code, paint, 0, dest);
    }
};

// Paints the target rectangle, clipped to area; marks what changed.
void PaintRect(const DeviceContext* dc, const Raster& raster, const Region& area, const RECT& target,
               const BrushPaint& paint, PaintOp op);

}  // namespace plat
