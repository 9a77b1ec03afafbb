#include "platform/draw/brush.h"

#include "platform/draw/surface.h"

namespace plat {

HBRUSH CreateSolidBrush(COLORREF colour)
{
    auto* b = new BrushObject;
    b->style = BS_SOLID;
    b->colour = colour;
    return RegisterGdiObject(b);
}

HBRUSH CreatePatternBrush(HBITMAP bitmap)
{
    auto* bm = AsGdi<BitmapObject>(bitmap, GdiKind::Bitmap);
    if (!bm)
        return nullptr;
    auto* b = new BrushObject;
    b->style = BS_PATTERN;
    for (int y = 0; y < 8; ++y) {
        BYTE bits = 0;
        for (int x = 0; x < 8; ++x) {
            // A bitmap smaller than the pattern repeats.
            int sx = x % bm->width, sy = y % bm->height;
            const BYTE* row = bm->row(sy);
            bool one = false;
            if (bm->bitsPerPixel == 1) {
                one = row[sx / 8] & (0x80 >> (sx & 7));
            } else if (bm->bitsPerPixel == 8) {
                const RGBQUAD& q = bm->colours[row[sx]];
                one = q.rgbRed == 255 && q.rgbGreen == 255 && q.rgbBlue == 255;
            } else {
                one = (reinterpret_cast<const std::uint32_t*>(row)[sx] & 0xFFFFFF) == 0xFFFFFF;
            }
            if (one)
                bits |= BYTE(0x80 >> x);
        }
        b->pattern[std::size_t(y)] = bits;
    }
    return RegisterGdiObject(b);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush)
{
    if (!brush)
        return nullptr;
    if (brush->lbStyle == BS_NULL) {
        auto* b = new BrushObject;
        b->style = BS_NULL;
        return RegisterGdiObject(b);
    }
    if (brush->lbStyle == BS_SOLID)
        return CreateSolidBrush(brush->lbColor);
    if (brush->lbStyle == BS_PATTERN)
        return CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch));
    return nullptr;
}

HPEN CreatePen(int style, int width, COLORREF colour)
{
    if (style < PS_SOLID || style > PS_INSIDEFRAME)
        return nullptr;
    auto* p = new PenObject;
    p->style = style;
    p->width = width < 1 ? 1 : width;
    p->colour = colour;
    return RegisterGdiObject(p);
}

}  // namespace plat
