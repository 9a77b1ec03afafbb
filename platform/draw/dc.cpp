#include "platform/draw/dc.h"

#include <cstdint>

#include "platform/draw/brush.h"
#include "platform/draw/font.h"
#include "platform/draw/handle_table.h"
#include "platform/draw/palette.h"
#include "platform/draw/raster.h"
#include "platform/draw/rgnobject.h"
#include "platform/draw/surface.h"
#include "platform/screen/screen.h"

namespace plat {

namespace {

// Never destroyed, like the table of GDI objects.
HandleTable<DeviceContext>& dcs()
{
    static auto* table = new HandleTable<DeviceContext>;
    return *table;
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

void releaseSelections(DeviceContext* dc)
{
    NoteDeselected(dc->bitmap);
    NoteDeselected(dc->brush);
    NoteDeselected(dc->pen);
    NoteDeselected(dc->font);
    NoteDeselected(dc->palette);
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
    const std::uintptr_t handle = dcs().add(dc);
    if (!handle) {
        releaseSelections(dc);
        delete dc;
        return nullptr;
    }
    dc->handle = reinterpret_cast<HDC>(handle);
    return dc->handle;
}

}  // namespace

DeviceContext* LiveDC(HDC hdc)
{
    return hdc ? dcs().find(reinterpret_cast<std::uintptr_t>(hdc)) : nullptr;
}

bool IsLiveDC(HDC hdc)
{
    return LiveDC(hdc) != nullptr;
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
    DeviceContext* dc = LiveDC(hdc);
    if (!dc || dc->target != DeviceContext::Target::Screen)
        return;
    dc->deviceOrigin = deviceOrigin;
    dc->visible = visibleScreenRegion;
}

BOOL DeleteDC(HDC hdc)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc)
        return 0;
    dcs().remove(reinterpret_cast<std::uintptr_t>(hdc));
    releaseSelections(dc);
    delete dc;
    return 1;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ handle)
{
    DeviceContext* dc = LiveDC(hdc);
    GdiObject* object = LiveGdiObject(handle);
    if (!dc || !object)
        return nullptr;
    switch (object->kind) {
    case GdiKind::Bitmap: {
        auto* b = static_cast<BitmapObject*>(object);
        // Only memory DCs hold bitmaps, and a bitmap is in one DC at a time.
        if (dc->target != DeviceContext::Target::Memory || (b->selections > 0 && b != dc->bitmap && !b->stock))
            return nullptr;
        BitmapObject* old = dc->bitmap;
        HGDIOBJ oldHandle = HandleOf(old);
        NoteSelected(b);
        dc->bitmap = b;
        if (old && old->selections == 1 && old->deletePending) {
            NoteDeselected(old);
            return nullptr;  // it is gone now; nothing valid to hand back
        }
        NoteDeselected(old);
        return oldHandle;
    }
    case GdiKind::Brush: {
        HGDIOBJ old = HandleOf(dc->brush);
        selectInto(dc->brush, static_cast<BrushObject*>(object));
        return old;
    }
    case GdiKind::Pen: {
        HGDIOBJ old = HandleOf(dc->pen);
        selectInto(dc->pen, static_cast<PenObject*>(object));
        return old;
    }
    case GdiKind::Font: {
        HGDIOBJ old = HandleOf(dc->font);
        selectInto(dc->font, static_cast<FontObject*>(object));
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
    DeviceContext* dc = LiveDC(hdc);
    if (!dc)
        return nullptr;
    switch (objectType) {
    case OBJ_BITMAP: return HandleOf(dc->bitmap);
    case OBJ_BRUSH: return HandleOf(dc->brush);
    case OBJ_PEN: return HandleOf(dc->pen);
    case OBJ_FONT: return HandleOf(dc->font);
    case OBJ_PAL: return HandleOf(dc->palette);
    default: return nullptr;
    }
}

namespace {

template <class T>
T exchange(DeviceContext* dc, T DeviceContext::*field, T value, T failure)
{
    if (!dc)
        return failure;
    T old = dc->*field;
    dc->*field = value;
    return old;
}

template <class T>
T read(DeviceContext* dc, T DeviceContext::*field, T failure)
{
    return dc ? dc->*field : failure;
}

BOOL exchangePoint(DeviceContext* dc, POINT DeviceContext::*field, int x, int y, POINT* previous)
{
    if (!dc)
        return 0;
    if (previous)
        *previous = dc->*field;
    dc->*field = POINT{x, y};
    return 1;
}

BOOL readPoint(DeviceContext* dc, POINT DeviceContext::*field, POINT* out)
{
    if (!dc || !out)
        return 0;
    *out = dc->*field;
    return 1;
}

}  // namespace

COLORREF SetTextColor(HDC hdc, COLORREF c) { return exchange(LiveDC(hdc), &DeviceContext::textColour, c, CLR_INVALID); }
COLORREF GetTextColor(HDC hdc) { return read(LiveDC(hdc), &DeviceContext::textColour, CLR_INVALID); }
COLORREF SetBkColor(HDC hdc, COLORREF c) { return exchange(LiveDC(hdc), &DeviceContext::bkColour, c, CLR_INVALID); }
COLORREF GetBkColor(HDC hdc) { return read(LiveDC(hdc), &DeviceContext::bkColour, CLR_INVALID); }

int SetBkMode(HDC hdc, int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    return exchange(LiveDC(hdc), &DeviceContext::bkMode, mode, 0);
}
int GetBkMode(HDC hdc) { return read(LiveDC(hdc), &DeviceContext::bkMode, 0); }
UINT SetTextAlign(HDC hdc, UINT align) { return exchange(LiveDC(hdc), &DeviceContext::textAlign, align, GDI_ERROR); }
UINT GetTextAlign(HDC hdc) { return read(LiveDC(hdc), &DeviceContext::textAlign, GDI_ERROR); }

int SetROP2(HDC hdc, int rop2)
{
    if (rop2 < R2_BLACK || rop2 > R2_WHITE)
        return 0;
    return exchange(LiveDC(hdc), &DeviceContext::rop2, rop2, 0);
}
int GetROP2(HDC hdc) { return read(LiveDC(hdc), &DeviceContext::rop2, 0); }

BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous)
{
    return exchangePoint(LiveDC(hdc), &DeviceContext::currentPosition, x, y, previous);
}
BOOL GetCurrentPositionEx(HDC hdc, POINT* out) { return readPoint(LiveDC(hdc), &DeviceContext::currentPosition, out); }
BOOL SetWindowOrgEx(HDC hdc, int x, int y, POINT* previous)
{
    return exchangePoint(LiveDC(hdc), &DeviceContext::windowOrigin, x, y, previous);
}
BOOL GetWindowOrgEx(HDC hdc, POINT* out) { return readPoint(LiveDC(hdc), &DeviceContext::windowOrigin, out); }
BOOL OffsetWindowOrgEx(HDC hdc, int dx, int dy, POINT* previous)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc)
        return 0;
    const POINT was = dc->windowOrigin;
    return exchangePoint(dc, &DeviceContext::windowOrigin, was.x + dx, was.y + dy, previous);
}
BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* previous)
{
    return exchangePoint(LiveDC(hdc), &DeviceContext::viewportOrigin, x, y, previous);
}
BOOL GetViewportOrgEx(HDC hdc, POINT* out) { return readPoint(LiveDC(hdc), &DeviceContext::viewportOrigin, out); }
BOOL SetBrushOrgEx(HDC hdc, int x, int y, POINT* previous)
{
    return exchangePoint(LiveDC(hdc), &DeviceContext::brushOrigin, x, y, previous);
}

BOOL LPtoDP(HDC hdc, POINT* points, int count)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc || (!points && count > 0))
        return 0;
    for (int i = 0; i < count; ++i)
        points[i] = dc->toDevice(points[i]);
    return 1;
}

BOOL DPtoLP(HDC hdc, POINT* points, int count)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc || (!points && count > 0))
        return 0;
    for (int i = 0; i < count; ++i)
        points[i] = dc->toLogical(points[i]);
    return 1;
}

namespace {

// A printer: a true-colour raster of the page at its resolution.
int printerCaps(const BitmapObject& page, int index)
{
    constexpr int kPrinterPixelsPerInch = 300;
    switch (index) {
    case TECHNOLOGY: return DT_RASPRINTER;
    case HORZRES: return page.width;
    case VERTRES: return page.height;
    case HORZSIZE: return page.width * 254 / (kPrinterPixelsPerInch * 10);
    case VERTSIZE: return page.height * 254 / (kPrinterPixelsPerInch * 10);
    case BITSPIXEL: return page.bitsPerPixel;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS: return -1;
    case RASTERCAPS: return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case LOGPIXELSX:
    case LOGPIXELSY: return kPrinterPixelsPerInch;
    case COLORRES: return 24;
    default: return 0;
    }
}

}  // namespace

int GetDeviceCaps(HDC hdc, int index)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc)
        return 0;
    const Screen& screen = TheScreen();
    int bpp = screen.bitsPerPixel();
    if (dc->target == DeviceContext::Target::Memory && dc->bitmap && !dc->bitmap->stock)
        bpp = dc->bitmap->bitsPerPixel;
    else if (dc->target == DeviceContext::Target::Memory)
        bpp = 1;
    bool palette = bpp <= 8;
    if (dc->printJob && dc->bitmap)
        return printerCaps(*dc->bitmap, index);
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
