#include "platform/draw/gdiobject.h"

#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/draw/brush.h"
#include "platform/draw/font.h"
#include "platform/draw/palette.h"

namespace plat {

namespace {

// A handle is a slot of the table and the slot's generation at the time the
// object was entered: (generation << kIndexBits) | (slot + 1). Deleting an
// object moves its slot to the next generation, so an old handle to the slot
// never names the object that reuses it. Generations start at 1, so no
// handle is a small number.
constexpr unsigned kIndexBits = 24;
constexpr std::uintptr_t kIndexMask = (std::uintptr_t(1) << kIndexBits) - 1;
constexpr std::uintptr_t kLastGeneration = ~std::uintptr_t(0) >> kIndexBits;

struct Slot {
    GdiObject* object = nullptr;
    std::uintptr_t generation = 1;
};

struct HandleTable {
    std::mutex mutex;
    std::vector<Slot> slots;
    std::vector<std::size_t> free;  // slots to reuse, the latest freed last

    GdiObject* find(HGDIOBJ handle) const
    {
        const auto value = reinterpret_cast<std::uintptr_t>(handle);
        const std::uintptr_t index = value & kIndexMask;
        if (index == 0 || index > slots.size())
            return nullptr;
        const Slot& slot = slots[index - 1];
        return slot.generation == value >> kIndexBits ? slot.object : nullptr;
    }
};

// Never destroyed: objects may be deleted by other static objects' ends,
// and the process-long ones (stock objects, system brushes) stay in it.
HandleTable& handles()
{
    static HandleTable* table = new HandleTable;
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
    auto& t = handles();
    std::unique_lock lock(t.mutex);
    std::size_t index;
    if (!t.free.empty()) {
        index = t.free.back();
        t.free.pop_back();
    } else if (t.slots.size() < kIndexMask) {
        index = t.slots.size();
        t.slots.emplace_back();
    } else {
        lock.unlock();
        delete object;
        return nullptr;
    }
    Slot& slot = t.slots[index];
    slot.object = object;
    object->handle = reinterpret_cast<HGDIOBJ>(slot.generation << kIndexBits | (index + 1));
    return object->handle;
}

GdiObject* LiveGdiObject(HGDIOBJ handle)
{
    if (!handle)
        return nullptr;
    auto& t = handles();
    std::lock_guard lock(t.mutex);
    return t.find(handle);
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
    {
        auto& t = handles();
        std::lock_guard lock(t.mutex);
        const std::size_t index = (reinterpret_cast<std::uintptr_t>(object->handle) & kIndexMask) - 1;
        Slot& slot = t.slots[index];
        slot.object = nullptr;
        // A slot whose generations are used up is never handed out again.
        if (slot.generation < kLastGeneration) {
            ++slot.generation;
            t.free.push_back(index);
        }
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
