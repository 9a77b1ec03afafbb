#include "platform/draw/brushpaint.h"

#include <algorithm>

namespace plat {

BrushPaint SolidPaint(std::uint32_t pixel)
{
    BrushPaint p;
    p.null = false;
    p.solid = pixel;
    return p;
}

BrushPaint MakeBrushPaint(const DeviceContext* dc, const Raster& raster, const BrushObject* b)
{
    BrushPaint p;
    if (!b || b->style == BS_NULL || !raster.valid())
        return p;
    p.null = false;
    if (b->style == BS_PATTERN) {
        p.pattern = true;
        p.rows = b->pattern;
        p.zero = ColourToPixel(dc, raster, dc->textColour);
        p.one = ColourToPixel(dc, raster, dc->bkColour);
        POINT off = TargetOffset(dc);
        p.phase = {off.x + dc->brushOrigin.x, off.y + dc->brushOrigin.y};
    } else {
        p.solid = ColourToPixel(dc, raster, b->colour);
    }
    return p;
}

namespace {

template <class Pixel>
void paintRows(const Raster& raster, const RECT& r, const BrushPaint& paint, PaintOp op)
{
    const std::uint32_t mask = sizeof(Pixel) == 1 ? 0xFFu : 0xFFFFFFu;
    for (int y = r.top; y < r.bottom; ++y) {
        auto* row = reinterpret_cast<Pixel*>(raster.row(y));
        if (!paint.pattern && op.plainCopy()) {
            std::fill(row + r.left, row + r.right, Pixel(paint.solid));
            continue;
        }
        for (int x = r.left; x < r.right; ++x)
            row[x] = Pixel(op.apply(paint.at(x, y), row[x]) & mask);
    }
}

}  // namespace

void PaintRect(const DeviceContext* dc, const Raster& raster, const Region& area, const RECT& target,
               const BrushPaint& paint, PaintOp op)
{
    if (paint.null || !raster.valid() || IsRectEmpty(target))
        return;
    RECT changed{};
    for (const RECT& clip : area.rects()) {
        RECT r = IntersectRects(clip, target);
        if (IsRectEmpty(r))
            continue;
        if (raster.bitsPerPixel == 8)
            paintRows<BYTE>(raster, r, paint, op);
        else
            paintRows<std::uint32_t>(raster, r, paint, op);
        changed = UnionRects(changed, r);
    }
    MarkChanged(dc, changed);
}

}  // namespace plat
