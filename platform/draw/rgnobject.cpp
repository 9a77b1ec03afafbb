#include "platform/draw/rgnobject.h"

#include <algorithm>

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

int clipType(HDC hdc)
{
    return RegionType(DrawableArea(hdc));
}

// The DC's clip region to combine with; a DC without one starts from its
// whole surface (the bitmap, or the screen for a window DC), in device
// coordinates.
Region& currentClip(HDC hdc)
{
    if (!hdc->clip) {
        Raster target = RasterOf(hdc);
        POINT off = TargetOffset(hdc);
        Region surface(target.bounds());
        surface.offset(-off.x, -off.y);
        hdc->clip = std::move(surface);
    }
    return *hdc->clip;
}

}  // namespace

int SelectClipRgn(HDC hdc, HRGN rgn)
{
    return ExtSelectClipRgn(hdc, rgn, RGN_COPY);
}

int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode)
{
    if (!IsLiveDC(hdc))
        return ERROR;
    if (!rgn) {
        if (mode != RGN_COPY)
            return ERROR;
        hdc->clip.reset();
        return clipType(hdc);
    }
    RegionObject* r = live(rgn);
    if (!r)
        return ERROR;
    if (mode == RGN_COPY) {
        hdc->clip = r->region;
        return clipType(hdc);
    }
    Region& clip = currentClip(hdc);
    switch (mode) {
    case RGN_AND: clip.intersect(r->region); break;
    case RGN_OR: clip.unite(r->region); break;
    case RGN_XOR: clip.exclusiveOr(r->region); break;
    case RGN_DIFF: clip.subtract(r->region); break;
    default: return ERROR;
    }
    return clipType(hdc);
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    if (!IsLiveDC(hdc))
        return ERROR;
    RECT d = hdc->toDevice(SortedRect(RECT{left, top, right, bottom}));
    if (hdc->clip)
        hdc->clip->intersect(d);
    else
        hdc->clip = Region(d);
    return clipType(hdc);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    if (!IsLiveDC(hdc))
        return ERROR;
    currentClip(hdc).subtract(hdc->toDevice(SortedRect(RECT{left, top, right, bottom})));
    return clipType(hdc);
}

int GetClipRgn(HDC hdc, HRGN rgn)
{
    RegionObject* r = live(rgn);
    if (!IsLiveDC(hdc) || !r)
        return -1;
    if (!hdc->clip)
        return 0;
    r->region = *hdc->clip;
    return 1;
}

int GetClipBox(HDC hdc, RECT* box)
{
    if (!IsLiveDC(hdc) || !box)
        return ERROR;
    Region area = DrawableArea(hdc);
    RECT b = area.box();
    POINT off = TargetOffset(hdc);
    POINT a = hdc->toLogical({b.left - off.x, b.top - off.y});
    POINT c = hdc->toLogical({b.right - off.x, b.bottom - off.y});
    *box = IsRectEmpty(b) ? RECT{} : RECT{a.x, a.y, c.x, c.y};
    return RegionType(area);
}

BOOL PtVisible(HDC hdc, int x, int y)
{
    if (!IsLiveDC(hdc))
        return 0;
    RECT t = LogicalToTarget(hdc, RECT{x, y, x + 1, y + 1});
    return DrawableArea(hdc).contains({t.left, t.top});
}

BOOL RectVisible(HDC hdc, const RECT* rect)
{
    if (!IsLiveDC(hdc) || !rect)
        return 0;
    return DrawableArea(hdc).intersects(LogicalToTarget(hdc, SortedRect(*rect)));
}

}  // namespace plat
