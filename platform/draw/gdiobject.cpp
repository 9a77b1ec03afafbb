#include "platform/draw/gdiobject.h"

#include <cstdint>
#include <mutex>

#include "platform/draw/brush.h"
#include "platform/draw/font.h"
#include "platform/draw/handle_table.h"
#include "platform/draw/palette.h"

namespace plat {

namespace {

// Never destroyed: objects may be deleted by other static objects' ends,
// and the process-long ones (stock objects, system brushes) stay in it.
HandleTable<GdiObject>& handles()
{
    static auto* table = new HandleTable<GdiObject>;
    return *table;
}

BrushObject* makeStockBrush(UINT style, COLORREF colour)
{
    auto* b = new BrushObject;
    b->style = style;
    b->colour = colour;
    return b;
}

PenObject* makeStockPen(int style, COLORREF colour)
{
    auto* p = new PenObject;
    p->style = style;
    p->colour = colour;
    return p;
}

PaletteObject* makeDefaultPalette()
{
    auto* p = new PaletteObject;
    const auto& s = StaticSystemColours();
    p->entries.assign(s.begin(), s.end());
    return p;
}

GdiObject* makeStock(int which)
{
    switch (which) {
    case WHITE_BRUSH: return makeStockBrush(BS_SOLID, 0xFFFFFF);
    case LTGRAY_BRUSH: return makeStockBrush(BS_SOLID, 0xC0C0C0);
    case GRAY_BRUSH: return makeStockBrush(BS_SOLID, 0x808080);
    case DKGRAY_BRUSH: return makeStockBrush(BS_SOLID, 0x404040);
    case BLACK_BRUSH: return makeStockBrush(BS_SOLID, 0x000000);
    case NULL_BRUSH: return makeStockBrush(BS_NULL, 0);
    case WHITE_PEN: return makeStockPen(PS_SOLID, 0xFFFFFF);
    case BLACK_PEN: return makeStockPen(PS_SOLID, 0x000000);
    case NULL_PEN: return makeStockPen(PS_NULL, 0);
    case DEFAULT_PALETTE: return makeDefaultPalette();
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
    case SYSTEM_FIXED_FONT:
    case DEFAULT_GUI_FONT: return MakeStockFont(which);
    default: return nullptr;
    }
}

}  // namespace

HGDIOBJ RegisterGdiObjectBase(GdiObject* object)
{
    if (!object)
        return nullptr;
    const std::uintptr_t handle = handles().add(object);
    if (!handle) {
        delete object;
        return nullptr;
    }
    object->handle = reinterpret_cast<HGDIOBJ>(handle);
    return object->handle;
}

GdiObject* LiveGdiObject(HGDIOBJ handle)
{
    return handle ? handles().find(reinterpret_cast<std::uintptr_t>(handle)) : nullptr;
}

bool IsLiveGdiObject(HGDIOBJ handle)
{
    return LiveGdiObject(handle) != nullptr;
}

bool IsLiveGdiObject(HGDIOBJ handle, GdiKind kind)
{
    GdiObject* o = LiveGdiObject(handle);
    return o && o->kind == kind;
}

void MakeStockObject(HGDIOBJ handle)
{
    if (GdiObject* o = LiveGdiObject(handle))
        o->stock = true;
}

namespace {

void destroy(GdiObject* object)
{
    handles().remove(reinterpret_cast<std::uintptr_t>(object->handle));
    delete object;
}

}  // namespace

void NoteSelected(GdiObject* object)
{
    if (object)
        ++object->selections;
}

void NoteDeselected(GdiObject* object)
{
    if (!object)
        return;
    if (object->selections > 0)
        --object->selections;
    if (object->selections == 0 && object->deletePending)
        destroy(object);
}

HGDIOBJ GetStockObject(int which)
{
    constexpr int kStockCount = 18;
    static HGDIOBJ stock[kStockCount] = {};
    static std::once_flag once;
    std::call_once(once, [] {
        for (int i = 0; i < kStockCount; ++i) {
            GdiObject* o = makeStock(i);
            if (o && RegisterGdiObjectBase(o)) {
                o->stock = true;
                stock[i] = o->handle;
            }
        }
    });
    return which >= 0 && which < kStockCount ? stock[which] : nullptr;
}

BOOL DeleteObject(HGDIOBJ handle)
{
    GdiObject* object = LiveGdiObject(handle);
    if (!object)
        return 0;
    if (object->stock)
        return 1;  // deleting a stock object is harmless and does nothing
    if (object->selections > 0) {
        object->deletePending = true;
        return 1;
    }
    destroy(object);
    return 1;
}

DWORD GetObjectType(HGDIOBJ handle)
{
    const GdiObject* object = LiveGdiObject(handle);
    if (!object)
        return 0;
    switch (object->kind) {
    case GdiKind::Bitmap: return OBJ_BITMAP;
    case GdiKind::Palette: return OBJ_PAL;
    case GdiKind::Brush: return OBJ_BRUSH;
    case GdiKind::Pen: return OBJ_PEN;
    case GdiKind::Font: return OBJ_FONT;
    case GdiKind::Region: return OBJ_REGION;
    }
    return 0;
}

}  // namespace plat
