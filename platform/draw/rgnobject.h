#pragma once
// Region objects (HRGN) over the rectangle-list region, and the clip region
// of a device context.

#include "platform/core/region.h"
#include "platform/core/types.h"
#include "platform/draw/gdiobject.h"

namespace plat {

constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

struct RegionObject : GdiObject {
    using Handle = HRGN;
    RegionObject() : GdiObject(GdiKind::Region) {}
    Region region;
};

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);
// dest := src1 op src2 (src2 unused for RGN_COPY); dest may be either
// source. Returns the type of the result, ERROR for a stale handle.
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
// ERROR, and the region left in place, when the move would take it past
// the 27-bit coordinates GDI keeps.
int OffsetRgn(HRGN rgn, int dx, int dy);
int GetRgnBox(HRGN rgn, RECT* box);
BOOL PtInRegion(HRGN rgn, int x, int y);
BOOL RectInRegion(HRGN rgn, const RECT* rect);
BOOL EqualRgn(HRGN a, HRGN b);
// The type of a region: NULLREGION, SIMPLEREGION or COMPLEXREGION.
int RegionType(const Region& region);
const Region* RegionOf(HRGN rgn);

// The clip region of a DC, in device coordinates: a copy of rgn, or none
// when rgn is null. Returns the type of the new clipping; none is the
// whole surface, SIMPLEREGION.
int SelectClipRgn(HDC hdc, HRGN rgn);
int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode);
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
// Copies the DC's own clip region into rgn: 1 when it has one, 0 when not
// (rgn untouched, even a null or stale one), -1 for a stale DC, or a stale
// region when there is a clip to copy.
int GetClipRgn(HDC hdc, HRGN rgn);
// The bounding box of where the DC can draw, in logical coordinates.
int GetClipBox(HDC hdc, RECT* box);
BOOL PtVisible(HDC hdc, int x, int y);
BOOL RectVisible(HDC hdc, const RECT* rect);

}  // namespace plat
