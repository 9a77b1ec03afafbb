#include "platform/draw/paint.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/draw/brushpaint.h"
#include "platform/draw/dc.h"
#include "platform/draw/palette.h"

namespace plat {

namespace {

RECT normalised(int left, int top, int right, int bottom)
{
    return SortedRect(RECT{left, top, right, bottom});
}

// Plots single pixels of a pen under the ROP2, clipped to the area.
class PixelPlotter {
public:
    PixelPlotter(DeviceContext* dc, const Raster& raster, int rop2)
        : dc_(dc), raster_(raster), area_(DrawableArea(dc)), rop2_(rop2)
    {
        box_ = area_.box();
    }
    ~PixelPlotter() { MarkChanged(dc_, changed_); }

    void plot(int x, int y, std::uint32_t value)
    {
        if (!PtInRect(box_, {x, y}) || !area_.contains({x, y}))
            return;
        if (raster_.bitsPerPixel == 8) {
            BYTE* p = raster_.row(y) + x;
            *p = BYTE(ApplyRop2(rop2_, value, *p));
        } else {
            std::uint32_t* p = raster_.row32(y) + x;
            *p = ApplyRop2(rop2_, value, *p) & 0xFFFFFF;
        }
        changed_ = UnionRects(changed_, RECT{x, y, x + 1, y + 1});
    }

private:
    DeviceContext* dc_;
    const Raster& raster_;
    Region area_;
    RECT box_;
    int rop2_;
    RECT changed_{};
};

// On and off lengths of the cosmetic pen styles, in pixels.
const std::vector<int>& dashPattern(int style)
{
    static const std::vector<int> none;
    static const std::vector<int> dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case PS_DASH: return dash;
    case PS_DOT: return dot;
    case PS_DASHDOT: return dashDot;
    case PS_DASHDOTDOT: return dashDotDot;
    default: return none;
    }
}

// Cuts a very long line down to the part that can reach the box (grown by
// a margin, so that the cut ends fall outside what is drawn). False when
// nothing of it can. Lines of ordinary length are walked whole, pixel for
// pixel as drawn; only these are cut, so that a wild coordinate cannot make
// a line take millions of steps.
bool cutToBox(POINT& a, POINT& b, RECT box, int margin)
{
    constexpr long long kLong = 1 << 16;
    if (std::llabs((long long)b.x - a.x) <= kLong && std::llabs((long long)b.y - a.y) <= kLong)
        return true;
    double x0 = a.x, y0 = a.y, dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    double lo = 0, hi = 1;
    const double left = box.left - margin, right = box.right + margin;
    const double top = box.top - margin, bottom = box.bottom + margin;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - left, right - x0, y0 - top, bottom - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0)
            lo = std::max(lo, t);
        else
            hi = std::min(hi, t);
    }
    if (lo > hi)
        return false;
    POINT na{LONG(std::lround(x0 + lo * dx)), LONG(std::lround(y0 + lo * dy))};
    POINT nb{LONG(std::lround(x0 + hi * dx)), LONG(std::lround(y0 + hi * dy))};
    a = na;
    b = nb;
    return true;
}

// Draws the pen from a to b in target coordinates, b left out.
void drawLine(DeviceContext* dc, const Raster& raster, POINT a, POINT b)
{
    const PenObject* pen = dc->pen;
    if (!pen || pen->style == PS_NULL || !raster.valid())
        return;
    const std::uint32_t ink = ColourToPixel(dc, raster, pen->colour);
    const std::uint32_t gap = ColourToPixel(dc, raster, dc->bkColour);
    const auto& dashes = pen->width > 1 ? dashPattern(PS_SOLID) : dashPattern(pen->style);
    const int w = pen->width > 1 ? pen->width : 1;
    if (!cutToBox(a, b, DrawableArea(dc).box(), w + 2))
        return;
    PixelPlotter plotter(dc, raster, dc->rop2);

    int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
    int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    int err = dx + dy;
    int x = a.x, y = a.y;
    std::size_t dashIndex = 0;
    int dashLeft = dashes.empty() ? 0 : dashes[0];
    while (x != b.x || y != b.y) {
        bool on = dashes.empty() || dashIndex % 2 == 0;
        if (on || dc->bkMode == OPAQUE) {
            std::uint32_t v = on ? ink : gap;
            for (int oy = 0; oy < w; ++oy)
                for (int ox = 0; ox < w; ++ox)
                    plotter.plot(x - w / 2 + ox, y - w / 2 + oy, v);
        }
        if (!dashes.empty() && --dashLeft == 0) {
            dashIndex = (dashIndex + 1) % dashes.size();
            dashLeft = dashes[dashIndex];
        }
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

POINT toTarget(DeviceContext* dc, POINT logical)
{
    POINT d = dc->toDevice(logical);
    POINT off = TargetOffset(dc);
    return {d.x + off.x, d.y + off.y};
}

}  // namespace

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc || !rect || !IsLiveGdiObject(brush, GdiKind::Brush))
        return 0;
    Raster raster = RasterOf(dc);
    if (!raster.valid())
        return 1;
    RECT t = LogicalToTarget(dc, normalised(rect->left, rect->top, rect->right, rect->bottom));
    PaintRect(dc, raster, DrawableArea(dc), t, MakeBrushPaint(dc, raster, AsGdi<BrushObject>(brush, GdiKind::Brush)),
              PaintOp::rop2(R2_COPYPEN));
    return 1;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc || !rect || !IsLiveGdiObject(brush, GdiKind::Brush))
        return 0;
    const RECT& r = *rect;
    if (IsRectEmpty(r))
        return 1;
    RECT bars[4] = {{r.left, r.top, r.right, r.top + 1},
                    {r.left, r.bottom - 1, r.right, r.bottom},
                    {r.left, r.top + 1, r.left + 1, r.bottom - 1},
                    {r.right - 1, r.top + 1, r.right, r.bottom - 1}};
    for (const RECT& bar : bars)
        FillRect(hdc, &bar, brush);
    return 1;
}

BOOL InvertRect(HDC hdc, const RECT* rect)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc || !rect)
        return 0;
    auto c = DeviceContext::clampCoordinate;
    return PatBlt(hdc, rect->left, rect->top, c((long long)rect->right - rect->left),
                  c((long long)rect->bottom - rect->top), DSTINVERT);
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc)
        return 0;
    Raster raster = RasterOf(dc);
    if (!raster.valid())
        return 1;
    RECT r = normalised(left, top, right, bottom);
    const PenObject* pen = dc->pen;
    bool nullPen = !pen || pen->style == PS_NULL;
    // The pen draws the border of [left, right) by [top, bottom) and the
    // brush the inside; without a pen the brush stops one short at the right
    // and the bottom, as the pen's share there is not given to it.
    int inset = nullPen ? 0 : std::max(1, pen->width);
    RECT inside = nullPen ? RECT{r.left, r.top, r.right - 1, r.bottom - 1}
                          : RECT{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset};
    PaintRect(dc, raster, DrawableArea(dc), LogicalToTarget(dc, inside),
              MakeBrushPaint(dc, raster, dc->brush), PaintOp::rop2(dc->rop2));
    if (nullPen || IsRectEmpty(r))
        return 1;
    if (pen->width <= 1) {
        POINT corners[5] = {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1},
                            {r.left, r.bottom - 1}, {r.left, r.top}};
        if (r.right - r.left == 1 || r.bottom - r.top == 1) {
            // A one pixel wide or high rectangle is all border.
            PaintRect(dc, raster, DrawableArea(dc), LogicalToTarget(dc, r),
                      SolidPaint(ColourToPixel(dc, raster, pen->colour)), PaintOp::rop2(dc->rop2));
            return 1;
        }
        for (int i = 0; i < 4; ++i)
            drawLine(dc, raster, toTarget(dc, corners[i]), toTarget(dc, corners[i + 1]));
        return 1;
    }
    // A wide pen is drawn inside the rectangle, as bars of its width.
    int w = pen->width;
    BrushPaint ink = SolidPaint(ColourToPixel(dc, raster, pen->colour));
    RECT bars[4] = {{r.left, r.top, r.right, std::min(r.bottom, r.top + w)},
                    {r.left, std::max(r.top + w, r.bottom - w), r.right, r.bottom},
                    {r.left, r.top + w, std::min(r.right, r.left + w), r.bottom - w},
                    {std::max(r.left + w, r.right - w), r.top + w, r.right, r.bottom - w}};
    for (const RECT& bar : bars)
        PaintRect(dc, raster, DrawableArea(dc), LogicalToTarget(dc, bar), ink, PaintOp::rop2(dc->rop2));
    return 1;
}

BOOL LineTo(HDC hdc, int x, int y)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc)
        return 0;
    Raster raster = RasterOf(dc);
    POINT from = dc->currentPosition;
    drawLine(dc, raster, toTarget(dc, from), toTarget(dc, {x, y}));
    dc->currentPosition = {x, y};
    return 1;
}

BOOL Polyline(HDC hdc, const POINT* points, int count)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc || !points || count < 2)
        return 0;
    Raster raster = RasterOf(dc);
    for (int i = 0; i + 1 < count; ++i)
        drawLine(dc, raster, toTarget(dc, points[i]), toTarget(dc, points[i + 1]));
    return 1;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF colour)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc)
        return CLR_INVALID;
    Raster raster = RasterOf(dc);
    POINT t = toTarget(dc, {x, y});
    if (!raster.valid() || !DrawableArea(dc).contains(t))
        return CLR_INVALID;
    std::uint32_t v = ColourToPixel(dc, raster, colour);
    if (raster.bitsPerPixel == 8)
        raster.row(t.y)[t.x] = BYTE(v);
    else
        raster.row32(t.y)[t.x] = v;
    MarkChanged(dc, {t.x, t.y, t.x + 1, t.y + 1});
    return PixelToColour(raster, v);
}

COLORREF GetPixel(HDC hdc, int x, int y)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc)
        return CLR_INVALID;
    Raster raster = RasterOf(dc);
    POINT t = toTarget(dc, {x, y});
    if (!raster.valid() || !DrawableArea(dc).contains(t))
        return CLR_INVALID;
    std::uint32_t v = raster.bitsPerPixel == 8 ? raster.row(t.y)[t.x] : raster.row32(t.y)[t.x];
    return PixelToColour(raster, v);
}

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc)
        return 0;
    unsigned code = (rop >> 16) & 0xFF;
    // Only operations of the brush and the destination.
    if (((code >> 2) & 0x33) != (code & 0x33))
        return 0;
    Raster raster = RasterOf(dc);
    if (!raster.valid())
        return 1;
    RECT t = LogicalToTarget(dc, normalised(x, y, DeviceContext::clampCoordinate((long long)x + width),
                                              DeviceContext::clampCoordinate((long long)y + height)));
    BrushPaint paint = MakeBrushPaint(dc, raster, dc->brush);
    if (paint.null)
        paint = SolidPaint(0);  // a ROP that uses the brush reads it as black
    PaintRect(dc, raster, DrawableArea(dc), t, paint, PaintOp::rop3(rop));
    return 1;
}

}  // namespace plat
