#include "platform/draw/rgnobject.h"

#include <algorithm>
#include <cstdint>

#include "platform/draw/dc.h"
#include "platform/draw/raster.h"

namespace plat {

namespace {

RegionObject* live(HRGN rgn)
{
    return AsGdi<RegionObject>(rgn, GdiKind::Region);
}

}  // namespace

int RegionType(const Region& region)
{
    if (region.empty())
        return NULLREGION;
    return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

const Region* RegionOf(HRGN rgn)
{
    RegionObject* r = live(rgn);
    return r ? &r->region : nullptr;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    auto* r = new RegionObject;
    // A rectangle given the wrong way round is the same rectangle.
    r->region = Region(SortedRect(RECT{left, top, right, bottom}));
    return RegisterGdiObject(r);
}

HRGN CreateRectRgnIndirect(const RECT* rect)
{
    return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom)
{
    RegionObject* r = live(rgn);
    if (!r)
        return 0;
    r->region = Region(SortedRect(RECT{left, top, right, bottom}));
    return 1;
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode)
{
    RegionObject* d = live(dest);
    RegionObject* a = live(src1);
    RegionObject* b = mode == RGN_COPY ? nullptr : live(src2);
    if (!d || !a || (mode != RGN_COPY && !b))
        return ERROR;
    Region result = a->region;
    switch (mode) {
    case RGN_AND: result.intersect(b->region); break;
    case RGN_OR: result.unite(b->region); break;
    case RGN_XOR: result.exclusiveOr(b->region); break;
    case RGN_DIFF: result.subtract(b->region); break;
    case RGN_COPY: break;
    default: return ERROR;
    }
    d->region = std::move(result);
    return RegionType(d->region);
}

int OffsetRgn(HRGN rgn, int dx, int dy)
{
    RegionObject* r = live(rgn);
    if (!r)
        return ERROR;
    // GDI keeps coordinates within 27 bits: a move that would take the
    // region past them fails and leaves it where it was.
    constexpr std::int64_t kLimit = std::int64_t(1) << 27;
    auto within = [&](std::int64_t v) { return v >= -kLimit && v < kLimit; };
    const RECT b = r->region.box();
    if (!r->region.empty() && !(within(std::int64_t(b.left) + dx) && within(std::int64_t(b.right) + dx) &&
                                within(std::int64_t(b.top) + dy) && within(std::int64_t(b.bottom) + dy)))
        return ERROR;
    r->region.offset(dx, dy);
    return RegionType(r->region);
}

int GetRgnBox(HRGN rgn, RECT* box)
{
    RegionObject* r = live(rgn);
    if (!r || !box)
        return ERROR;
    *box = r->region.box();
    return RegionType(r->region);
}

BOOL PtInRegion(HRGN rgn, int x, int y)
{
    RegionObject* r = live(rgn);
    return r && r->region.contains({x, y});
}

BOOL RectInRegion(HRGN rgn, const RECT* rect)
{
    RegionObject* r = live(rgn);
    return r && rect && r->region.intersects(SortedRect(*rect));
}

BOOL EqualRgn(HRGN a, HRGN b)
{
    RegionObject* x = live(a);
    RegionObject* y = live(b);
    return x && y && x->region.sameArea(y->region);
}

namespace {

int clipType(DeviceContext* dc)
{
    return RegionType(DrawableArea(dc));
}

// The DC's clip region to combine with; a DC without one starts from its
// whole surface (the bitmap, or the screen for a window DC), in device
// coordinates.
Region& currentClip(DeviceContext* dc)
{
    if (!dc->clip) {
        Raster target = RasterOf(dc);
        POINT off = TargetOffset(dc);
        Region surface(target.bounds());
        surface.offset(-off.x, -off.y);
        dc->clip = std::move(surface);
    }
    return *dc->clip;
}

}  // namespace

int SelectClipRgn(HDC hdc, HRGN rgn)
{
    return ExtSelectClipRgn(hdc, rgn, RGN_COPY);
}

int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc)
        return ERROR;
    if (!rgn) {
        if (mode != RGN_COPY)
            return ERROR;
        // No clip region: the whole surface, one rectangle, whatever covers
        // parts of a window.
        dc->clip.reset();
        return SIMPLEREGION;
    }
    RegionObject* r = live(rgn);
    if (!r)
        return ERROR;
    if (mode == RGN_COPY) {
        dc->clip = r->region;
        return clipType(dc);
    }
    Region& clip = currentClip(dc);
    switch (mode) {
    case RGN_AND: clip.intersect(r->region); break;
    case RGN_OR: clip.unite(r->region); break;
    case RGN_XOR: clip.exclusiveOr(r->region); break;
    case RGN_DIFF: clip.subtract(r->region); break;
    default: return ERROR;
    }
    return clipType(dc);
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc)
        return ERROR;
    RECT d = dc->toDevice(SortedRect(RECT{left, top, right, bottom}));
    if (dc->clip)
        dc->clip->intersect(d);
    else
        dc->clip = Region(d);
    return clipType(dc);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc)
        return ERROR;
    currentClip(dc).subtract(dc->toDevice(SortedRect(RECT{left, top, right, bottom})));
    return clipType(dc);
}

int GetClipRgn(HDC hdc, HRGN rgn)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc)
        return -1;
    // Without a clip there is nothing to copy: the region handle is not
    // looked at, whatever it is.
    if (!dc->clip)
        return 0;
    RegionObject* r = live(rgn);
    if (!r)
        return -1;
    r->region = *dc->clip;
    return 1;
}

int GetClipBox(HDC hdc, RECT* box)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc || !box)
        return ERROR;
    Region area = DrawableArea(dc);
    RECT b = area.box();
    POINT off = TargetOffset(dc);
    POINT a = dc->toLogical({b.left - off.x, b.top - off.y});
    POINT c = dc->toLogical({b.right - off.x, b.bottom - off.y});
    *box = IsRectEmpty(b) ? RECT{} : RECT{a.x, a.y, c.x, c.y};
    return RegionType(area);
}

BOOL PtVisible(HDC hdc, int x, int y)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc)
        return 0;
    RECT t = LogicalToTarget(dc, RECT{x, y, x + 1, y + 1});
    return DrawableArea(dc).contains({t.left, t.top});
}

BOOL RectVisible(HDC hdc, const RECT* rect)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc || !rect)
        return 0;
    return DrawableArea(dc).intersects(LogicalToTarget(dc, SortedRect(*rect)));
}

}  // namespace plat
