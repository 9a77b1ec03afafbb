#pragma once
// Device contexts: where drawing goes (a surface, or the screen framebuffer
// through a window's visible region) and the drawing state it goes with.

#include <memory>
#include <optional>

#include "platform/core/region.h"
#include "platform/core/types.h"
#include "platform/draw/gdiobject.h"

namespace plat {

struct BitmapObject;
struct PaletteObject;
struct BrushObject;
struct PenObject;
struct FontObject;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Text alignment flags.
constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;

// Binary raster operations of pens and brushes.
constexpr int R2_BLACK = 1;
constexpr int R2_NOTMERGEPEN = 2;
constexpr int R2_MASKNOTPEN = 3;
constexpr int R2_NOTCOPYPEN = 4;
constexpr int R2_MASKPENNOT = 5;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTMASKPEN = 8;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_MERGENOTPEN = 12;
constexpr int R2_COPYPEN = 13;
constexpr int R2_MERGEPENNOT = 14;
constexpr int R2_MERGEPEN = 15;
constexpr int R2_WHITE = 16;

// Device capabilities.
constexpr int TECHNOLOGY = 2;
constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMBRUSHES = 16;
constexpr int NUMPENS = 18;
constexpr int NUMFONTS = 22;
constexpr int NUMCOLORS = 24;
constexpr int RASTERCAPS = 38;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int SIZEPALETTE = 104;
constexpr int NUMRESERVED = 106;
constexpr int COLORRES = 108;

constexpr int DT_RASDISPLAY = 1;
constexpr int DT_RASPRINTER = 2;
constexpr int RC_BITBLT = 0x0001;
constexpr int RC_BITMAP64 = 0x0008;
constexpr int RC_DI_BITMAP = 0x0080;
constexpr int RC_PALETTE = 0x0100;
constexpr int RC_DIBTODEV = 0x0200;
constexpr int RC_STRETCHBLT = 0x0800;
constexpr int RC_STRETCHDIB = 0x2000;

// Results of the region and clip calls.
constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// The screen's logical resolution.
constexpr int kLogPixelsPerInch = 96;

struct DeviceContext {
    enum class Target { Memory, Screen };

    // Its name in the handle table.
    HDC handle = nullptr;
    Target target = Target::Memory;
    // Screen DCs: the screen pixel of device (0, 0), and where on the screen
    // the DC may draw at all (the window's visible region).
    POINT deviceOrigin;
    Region visible;

    // What is selected: held, not owned (an object deleted while selected
    // stays until it is deselected).
    BitmapObject* bitmap = nullptr;
    PaletteObject* palette = nullptr;
    bool paletteBackground = false;
    BrushObject* brush = nullptr;
    PenObject* pen = nullptr;
    FontObject* font = nullptr;

    COLORREF textColour = 0x000000;
    COLORREF bkColour = 0xFFFFFF;
    int bkMode = OPAQUE;
    UINT textAlign = TA_LEFT | TA_TOP;
    int rop2 = R2_COPYPEN;
    POINT currentPosition;
    POINT windowOrigin;
    POINT viewportOrigin;
    POINT brushOrigin;
    // In device coordinates; none means unclipped (but for the visible
    // region and the surface's edges).
    std::optional<Region> clip;
    // Set on a printer's DC: the print job it runs (platform/print). Its
    // surface is the page; its capabilities are the printer's.
    std::shared_ptr<void> printJob;

    // Coordinates are kept within +-2^28 on the way: far beyond any
    // surface, and never overflowing when origins are added.
    static LONG clampCoordinate(long long v)
    {
        constexpr long long kLimit = 1ll << 28;
        return LONG(v < -kLimit ? -kLimit : v > kLimit ? kLimit : v);
    }
    // Logical to device coordinates.
    POINT toDevice(POINT p) const
    {
        return {clampCoordinate((long long)p.x - windowOrigin.x + viewportOrigin.x),
                clampCoordinate((long long)p.y - windowOrigin.y + viewportOrigin.y)};
    }
    RECT toDevice(const RECT& r) const
    {
        POINT a = toDevice(POINT{r.left, r.top});
        POINT b = toDevice(POINT{r.right, r.bottom});
        return {a.x, a.y, b.x, b.y};
    }
    POINT toLogical(POINT p) const
    {
        return {clampCoordinate((long long)p.x + windowOrigin.x - viewportOrigin.x),
                clampCoordinate((long long)p.y + windowOrigin.y - viewportOrigin.y)};
    }
};

// A memory DC. Until a bitmap is selected it holds a 1 by 1 monochrome one
// and drawing into it changes nothing visible.
HDC CreateCompatibleDC(HDC hdc);
// A DC that draws into the screen framebuffer with device (0, 0) at the
// screen point deviceOrigin, never outside visibleScreenRegion (screen
// coordinates); a clip region selected into it narrows that further. What
// it changes is marked dirty on the screen.
HDC CreateScreenSurfaceDC(POINT deviceOrigin, const Region& visibleScreenRegion);
// Moves a screen DC to another origin or visible region (the window moved
// or was uncovered); its own clip region stays relative to its origin.
void SetScreenSurfaceArea(HDC hdc, POINT deviceOrigin, const Region& visibleScreenRegion);
// Deselects what it holds (objects deleted meanwhile go now) and frees it.
BOOL DeleteDC(HDC hdc);
bool IsLiveDC(HDC hdc);
// The live device context a handle names; null for a stale or null handle.
DeviceContext* LiveDC(HDC hdc);

// Selects a bitmap, brush, pen or font and returns the one it replaced
// (null on failure). A region becomes the clip region (a copy); the result
// is then the region type.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC hdc, UINT objectType);

COLORREF SetTextColor(HDC hdc, COLORREF colour);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF colour);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
UINT SetTextAlign(HDC hdc, UINT align);
UINT GetTextAlign(HDC hdc);
int SetROP2(HDC hdc, int rop2);
int GetROP2(HDC hdc);
BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous);
BOOL GetCurrentPositionEx(HDC hdc, POINT* out);
BOOL SetWindowOrgEx(HDC hdc, int x, int y, POINT* previous);
BOOL GetWindowOrgEx(HDC hdc, POINT* out);
// Moves the window origin by (dx, dy); the origin before goes to previous.
BOOL OffsetWindowOrgEx(HDC hdc, int dx, int dy, POINT* previous);
BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* previous);
BOOL GetViewportOrgEx(HDC hdc, POINT* out);
BOOL SetBrushOrgEx(HDC hdc, int x, int y, POINT* previous);
BOOL LPtoDP(HDC hdc, POINT* points, int count);
BOOL DPtoLP(HDC hdc, POINT* points, int count);

int GetDeviceCaps(HDC hdc, int index);
// Drawing is never batched here; nothing waits to be flushed.
inline BOOL GdiFlush() { return 1; }

}  // namespace plat
