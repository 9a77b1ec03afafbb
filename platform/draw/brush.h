#pragma once
// Brushes and pens. A pattern brush keeps its 8 by 8 one-bit pattern: a 0 bit
// is drawn in the DC's text colour and a 1 bit in its background colour.

#include <array>

#include "platform/core/types.h"
#include "platform/draw/gdiobject.h"

namespace plat {

constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = BS_NULL;
constexpr UINT BS_PATTERN = 3;

constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;

struct LOGBRUSH {
    UINT lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    std::uintptr_t lbHatch = 0;
};

struct BrushObject : GdiObject {
    using Handle = HBRUSH;
    BrushObject() : GdiObject(GdiKind::Brush) {}
    UINT style = BS_SOLID;
    COLORREF colour = 0;
    // Row y of the pattern, most significant bit leftmost.
    std::array<BYTE, 8> pattern{};
};

struct PenObject : GdiObject {
    using Handle = HPEN;
    PenObject() : GdiObject(GdiKind::Pen) {}
    int style = PS_SOLID;
    int width = 1;
    COLORREF colour = 0;
};

HBRUSH CreateSolidBrush(COLORREF colour);
// From the top-left 8 by 8 pixels of a bitmap: a 1-bit one as it is, a
// deeper one by comparing each pixel with white (white pixels are 1 bits).
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);
HPEN CreatePen(int style, int width, COLORREF colour);

}  // namespace plat
