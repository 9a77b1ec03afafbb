#include "platform/draw/dc.h"

#include <mutex>
#include <unordered_set>

#include "platform/draw/brush.h"
#include "platform/draw/font.h"
#include "platform/draw/palette.h"
#include "platform/draw/raster.h"
#include "platform/draw/rgnobject.h"
#include "platform/draw/surface.h"
#include "platform/screen/screen.h"

namespace plat {

namespace {

struct DcTable {
    std::mutex mutex;
    std::unordered_set<const DeviceContext*> live;
};

DcTable& dcs()
{
    static DcTable t;
    return t;
}

// The 1 by 1 monochrome bitmap a new memory DC holds.
BitmapObject* defaultBitmap()
{
    static BitmapObject* b = [] {
        HBITMAP bm = CreateBitmap(1, 1, 1, 1, nullptr);
        MakeStockObject(bm);
        return AsGdi<BitmapObject>(bm, GdiKind::Bitmap);
    }();
    return b;
}

template <class T>
T* stockObject(int which, GdiKind kind)
{
    return AsGdi<T>(GetStockObject(which), kind);
}

template <class T>
void selectInto(T*& slot, T* object)
{
    NoteSelected(object);
    T* old = slot;
    slot = object;
    NoteDeselected(old);
}

HDC newDC(DeviceContext::Target target)
{
    auto* dc = new DeviceContext;
    dc->target = target;
    selectInto(dc->brush, stockObject<BrushObject>(WHITE_BRUSH, GdiKind::Brush));
    selectInto(dc->pen, stockObject<PenObject>(BLACK_PEN, GdiKind::Pen));
    selectInto(dc->font, stockObject<FontObject>(SYSTEM_FONT, GdiKind::Font));
    selectInto(dc->palette, stockObject<PaletteObject>(DEFAULT_PALETTE, GdiKind::Palette));
    if (target == DeviceContext::Target::Memory)
        selectInto(dc->bitmap, defaultBitmap());
    auto& t = dcs();
    std::lock_guard lock(t.mutex);
    t.live.insert(dc);
    return dc;
}

}  // namespace

bool IsLiveDC(HDC hdc)
{
    if (!hdc)
        return false;
    auto& t = dcs();
    std::lock_guard lock(t.mutex);
    return t.live.count(hdc) != 0;
}

HDC CreateCompatibleDC(HDC)
{
    return newDC(DeviceContext::Target::Memory);
}

HDC CreateScreenSurfaceDC(POINT deviceOrigin, const Region& visibleScreenRegion)
{
    HDC dc = newDC(DeviceContext::Target::Screen);
    SetScreenSurfaceArea(dc, deviceOrigin, visibleScreenRegion);
    return dc;
}

void SetScreenSurfaceArea(HDC hdc, POINT deviceOrigin, const Region& visibleScreenRegion)
{
    if (!IsLiveDC(hdc) || hdc->target != DeviceContext::Target::Screen)
        return;
    hdc->deviceOrigin = deviceOrigin;
    hdc->visible = visibleScreenRegion;
}

BOOL DeleteDC(HDC hdc)
{
    if (!IsLiveDC(hdc))
        return 0;
    {
        auto& t = dcs();
        std::lock_guard lock(t.mutex);
        t.live.erase(hdc);
    }
    NoteDeselected(hdc->bitmap);
    NoteDeselected(hdc->brush);
    NoteDeselected(hdc->pen);
    NoteDeselected(hdc->font);
    NoteDeselected(hdc->palette);
    delete hdc;
    return 1;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ handle)
{
    GdiObject* object = LiveGdiObject(handle);
    if (!IsLiveDC(hdc) || !object)
        return nullptr;
    switch (object->kind) {
    case GdiKind::Bitmap: {
        auto* b = static_cast<BitmapObject*>(object);
        // Only memory DCs hold bitmaps, and a bitmap is in one DC at a time.
        if (hdc->target != DeviceContext::Target::Memory || (b->selections > 0 && b != hdc->bitmap && !b->stock))
            return nullptr;
        BitmapObject* old = hdc->bitmap;
        HGDIOBJ oldHandle = HandleOf(old);
        NoteSelected(b);
        hdc->bitmap = b;
        if (old && old->selections == 1 && old->deletePending) {
            NoteDeselected(old);
            return nullptr;  // it is gone now; nothing valid to hand back
        }
        NoteDeselected(old);
        return oldHandle;
    }
    case GdiKind::Brush: {
        HGDIOBJ old = HandleOf(hdc->brush);
        selectInto(hdc->brush, static_cast<BrushObject*>(object));
        return old;
    }
    case GdiKind::Pen: {
        HGDIOBJ old = HandleOf(hdc->pen);
        selectInto(hdc->pen, static_cast<PenObject*>(object));
        return old;
    }
    case GdiKind::Font: {
        HGDIOBJ old = HandleOf(hdc->font);
        selectInto(hdc->font, static_cast<FontObject*>(object));
        return old;
    }
    case GdiKind::Region:
        return reinterpret_cast<HGDIOBJ>(std::intptr_t(SelectClipRgn(hdc, static_cast<HRGN>(handle))));
    case GdiKind::Palette:
        return nullptr;  // palettes go through SelectPalette
    }
    return nullptr;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT objectType)
{
    if (!IsLiveDC(hdc))
        return nullptr;
    switch (objectType) {
    case OBJ_BITMAP: return HandleOf(hdc->bitmap);
    case OBJ_BRUSH: return HandleOf(hdc->brush);
    case OBJ_PEN: return HandleOf(hdc->pen);
    case OBJ_FONT: return HandleOf(hdc->font);
    case OBJ_PAL: return HandleOf(hdc->palette);
    default: return nullptr;
    }
}

namespace {

template <class T>
T exchange(HDC hdc, T DeviceContext::*field, T value, T failure)
{
    if (!IsLiveDC(hdc))
        return failure;
    T old = hdc->*field;
    hdc->*field = value;
    return old;
}

template <class T>
T read(HDC hdc, T DeviceContext::*field, T failure)
{
    return IsLiveDC(hdc) ? hdc->*field : failure;
}

BOOL exchangePoint(HDC hdc, POINT DeviceContext::*field, int x, int y, POINT* previous)
{
    if (!IsLiveDC(hdc))
        return 0;
    if (previous)
        *previous = hdc->*field;
    hdc->*field = POINT{x, y};
    return 1;
}

BOOL readPoint(HDC hdc, POINT DeviceContext::*field, POINT* out)
{
    if (!IsLiveDC(hdc) || !out)
        return 0;
    *out = hdc->*field;
    return 1;
}

}  // namespace

COLORREF SetTextColor(HDC hdc, COLORREF c) { return exchange(hdc, &DeviceContext::textColour, c, CLR_INVALID); }
COLORREF GetTextColor(HDC hdc) { return read(hdc, &DeviceContext::textColour, CLR_INVALID); }
COLORREF SetBkColor(HDC hdc, COLORREF c) { return exchange(hdc, &DeviceContext::bkColour, c, CLR_INVALID); }
COLORREF GetBkColor(HDC hdc) { return read(hdc, &DeviceContext::bkColour, CLR_INVALID); }

int SetBkMode(HDC hdc, int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    return exchange(hdc, &DeviceContext::bkMode, mode, 0);
}
int GetBkMode(HDC hdc) { return read(hdc, &DeviceContext::bkMode, 0); }
UINT SetTextAlign(HDC hdc, UINT align) { return exchange(hdc, &DeviceContext::textAlign, align, GDI_ERROR); }
UINT GetTextAlign(HDC hdc) { return read(hdc, &DeviceContext::textAlign, GDI_ERROR); }

int SetROP2(HDC hdc, int rop2)
{
    if (rop2 < R2_BLACK || rop2 > R2_WHITE)
        return 0;
    return exchange(hdc, &DeviceContext::rop2, rop2, 0);
}
int GetROP2(HDC hdc) { return read(hdc, &DeviceContext::rop2, 0); }

BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous)
{
    return exchangePoint(hdc, &DeviceContext::currentPosition, x, y, previous);
}
BOOL GetCurrentPositionEx(HDC hdc, POINT* out) { return readPoint(hdc, &DeviceContext::currentPosition, out); }
BOOL SetWindowOrgEx(HDC hdc, int x, int y, POINT* previous)
{
    return exchangePoint(hdc, &DeviceContext::windowOrigin, x, y, previous);
}
BOOL GetWindowOrgEx(HDC hdc, POINT* out) { return readPoint(hdc, &DeviceContext::windowOrigin, out); }
BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* previous)
{
    return exchangePoint(hdc, &DeviceContext::viewportOrigin, x, y, previous);
}
BOOL GetViewportOrgEx(HDC hdc, POINT* out) { return readPoint(hdc, &DeviceContext::viewportOrigin, out); }
BOOL SetBrushOrgEx(HDC hdc, int x, int y, POINT* previous)
{
    return exchangePoint(hdc, &DeviceContext::brushOrigin, x, y, previous);
}

BOOL LPtoDP(HDC hdc, POINT* points, int count)
{
    if (!IsLiveDC(hdc) || (!points && count > 0))
        return 0;
    for (int i = 0; i < count; ++i)
        points[i] = hdc->toDevice(points[i]);
    return 1;
}

BOOL DPtoLP(HDC hdc, POINT* points, int count)
{
    if (!IsLiveDC(hdc) || (!points && count > 0))
        return 0;
    for (int i = 0; i < count; ++i)
        points[i] = hdc->toLogical(points[i]);
    return 1;
}

int GetDeviceCaps(HDC hdc, int index)
{
    if (!IsLiveDC(hdc))
        return 0;
    const Screen& screen = TheScreen();
    int bpp = screen.bitsPerPixel();
    if (hdc->target == DeviceContext::Target::Memory && hdc->bitmap && !hdc->bitmap->stock)
        bpp = hdc->bitmap->bitsPerPixel;
    else if (hdc->target == DeviceContext::Target::Memory)
        bpp = 1;
    bool palette = bpp <= 8;
    switch (index) {
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZRES: return screen.width();
    case VERTRES: return screen.height();
    case HORZSIZE: return screen.width() * 254 / (kLogPixelsPerInch * 10);
    case VERTSIZE: return screen.height() * 254 / (kLogPixelsPerInch * 10);
    case BITSPIXEL: return bpp;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS: return -1;
    case NUMFONTS: return 0;
    // A palette device reports its static colours; a true-colour one -1.
    case NUMCOLORS: return bpp == 1 ? 2 : palette ? 20 : -1;
    case RASTERCAPS:
        return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB |
               (palette && bpp == 8 ? RC_PALETTE : 0);
    case LOGPIXELSX:
    case LOGPIXELSY: return kLogPixelsPerInch;
    case SIZEPALETTE: return palette && bpp == 8 ? 256 : 0;
    case NUMRESERVED: return palette && bpp == 8 ? 20 : 0;
    case COLORRES: return 24;
    default: return 0;
    }
}

}  // namespace plat
