#include "platform/draw/gdiobject.h"

#include <mutex>
#include <unordered_set>

#include "platform/draw/brush.h"
#include "platform/draw/font.h"
#include "platform/draw/palette.h"

namespace plat {

namespace {

struct HandleTable {
    std::mutex mutex;
    std::unordered_set<const GdiObject*> live;
};

HandleTable& handles()
{
    static HandleTable table;
    return table;
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

void RegisterGdiObjectBase(GdiObject* object)
{
    auto& t = handles();
    std::lock_guard lock(t.mutex);
    t.live.insert(object);
}

bool IsLiveGdiObject(const GdiObject* object)
{
    if (!object)
        return false;
    auto& t = handles();
    std::lock_guard lock(t.mutex);
    return t.live.count(object) != 0;
}

bool IsLiveGdiObject(const GdiObject* object, GdiKind kind)
{
    return IsLiveGdiObject(object) && object->kind == kind;
}

namespace {

void destroy(GdiObject* object)
{
    {
        auto& t = handles();
        std::lock_guard lock(t.mutex);
        t.live.erase(object);
    }
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
    static GdiObject* stock[kStockCount] = {};
    static std::once_flag once;
    std::call_once(once, [] {
        for (int i = 0; i < kStockCount; ++i) {
            stock[i] = makeStock(i);
            if (stock[i]) {
                stock[i]->stock = true;
                RegisterGdiObjectBase(stock[i]);
            }
        }
    });
    return which >= 0 && which < kStockCount ? stock[which] : nullptr;
}

BOOL DeleteObject(HGDIOBJ object)
{
    if (!IsLiveGdiObject(object))
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

DWORD GetObjectType(HGDIOBJ object)
{
    if (!IsLiveGdiObject(object))
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
