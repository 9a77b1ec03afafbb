#include "platform/draw/text.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/draw/brushpaint.h"
#include "platform/draw/dc.h"
#include "platform/draw/font.h"

namespace plat {

namespace {

// Sets the glyph's 1 bits, clipped to the area.
void drawGlyph(const Raster& raster, const Region& area, const Glyph& g, int x, int y, std::uint32_t ink,
               RECT& changed)
{
    RECT box{x, y, x + g.width, y + g.height};
    for (const RECT& clip : area.rects()) {
        RECT r = IntersectRects(box, clip);
        if (IsRectEmpty(r))
            continue;
        for (int py = r.top; py < r.bottom; ++py) {
            BYTE* row = raster.row(py);
            for (int px = r.left; px < r.right; ++px) {
                if (!g.bit(px - x, py - y))
                    continue;
                if (raster.bitsPerPixel == 8)
                    row[px] = BYTE(ink);
                else
                    reinterpret_cast<std::uint32_t*>(row)[px] = ink;
            }
        }
        changed = UnionRects(changed, r);
    }
}

}  // namespace

BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, const char* text, UINT count,
                const int* dx)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc || (!text && count > 0))
        return 0;
    FontInstance* font = FontInstanceOf(dc->font);
    if (!font)
        return 0;
    const TEXTMETRIC& tm = font->metrics();
    std::u32string chars = DecodeForFont(dc, text, int(count));

    std::vector<int> advances;
    advances.reserve(chars.size());
    long long width = 0;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        // Explicit advances count per byte; they hold when every byte is one
        // character.
        int a = dx && chars.size() == count ? dx[i] : font->glyph(chars[i]).advance;
        advances.push_back(a);
        width += a;
    }

    const bool useCP = (dc->textAlign & TA_UPDATECP) != 0;
    POINT ref = useCP ? dc->currentPosition : POINT{x, y};
    UINT horizontal = dc->textAlign & TA_CENTER;
    UINT vertical = dc->textAlign & TA_BASELINE;
    LONG left = ref.x;
    if (horizontal == TA_RIGHT)
        left = LONG(ref.x - width);
    else if (horizontal == TA_CENTER)
        left = LONG(ref.x - width / 2);
    LONG baseline = ref.y;
    if (vertical == TA_TOP)
        baseline = ref.y + tm.tmAscent;
    else if (vertical == TA_BOTTOM)
        baseline = ref.y - tm.tmDescent;
    if (useCP) {
        if (horizontal == TA_LEFT)
            dc->currentPosition.x = LONG(ref.x + width);
        else if (horizontal == TA_RIGHT)
            dc->currentPosition.x = LONG(ref.x - width);
    }

    Raster raster = RasterOf(dc);
    if (!raster.valid())
        return 1;
    Region area = DrawableArea(dc);
    RECT rectT{};
    if (rect) {
        rectT = LogicalToTarget(dc, *rect);
        if (options & ETO_OPAQUE)
            PaintRect(dc, raster, area, rectT, SolidPaint(ColourToPixel(dc, raster, dc->bkColour)),
                      PaintOp::rop2(R2_COPYPEN));
        if (options & ETO_CLIPPED)
            area.intersect(rectT);
    }
    RECT cell = LogicalToTarget(dc, RECT{left, baseline - tm.tmAscent, LONG(left + width), baseline + tm.tmDescent});
    if (dc->bkMode == OPAQUE)
        PaintRect(dc, raster, area, cell, SolidPaint(ColourToPixel(dc, raster, dc->bkColour)),
                  PaintOp::rop2(R2_COPYPEN));

    const std::uint32_t ink = ColourToPixel(dc, raster, dc->textColour);
    RECT changed{};
    POINT pen{cell.left, cell.top + tm.tmAscent};
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const Glyph& g = font->glyph(chars[i]);
        if (g.width > 0 && g.height > 0)
            drawGlyph(raster, area, g, pen.x + g.left, pen.y - g.top, ink, changed);
        pen.x += advances[i];
    }
    // Underline and strike-out run under and through the whole text.
    auto line = [&](int rowY, int thickness) {
        PaintRect(dc, raster, area, RECT{cell.left, rowY, cell.right, rowY + thickness}, SolidPaint(ink),
                  PaintOp::rop2(R2_COPYPEN));
    };
    int thickness = std::max<LONG>(1, (tm.tmHeight - tm.tmInternalLeading) / 14);
    const FontObject* fo = dc->font;
    if (fo && fo->logFont.lfUnderline)
        line(cell.top + tm.tmAscent + std::max<LONG>(1, tm.tmDescent / 2), thickness);
    if (fo && fo->logFont.lfStrikeOut)
        line(cell.top + tm.tmAscent - (tm.tmAscent - tm.tmInternalLeading) / 3, thickness);
    MarkChanged(dc, changed);
    return 1;
}

BOOL TextOut(HDC hdc, int x, int y, const char* text, int count)
{
    if (count < 0)
        return 0;
    return ExtTextOut(hdc, x, y, 0, nullptr, text, UINT(count), nullptr);
}

}  // namespace plat
