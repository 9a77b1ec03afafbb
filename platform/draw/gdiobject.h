#pragma once
// The common base of every drawing object (bitmaps, palettes, brushes, pens,
// fonts, regions), the handle table that tells live handles from stale ones,
// and the stock objects.

#include <cstdint>

#include "platform/core/types.h"

namespace plat {

enum class GdiKind { Bitmap, Palette, Brush, Pen, Font, Region };

// Object types as GetObjectType answers them.
constexpr DWORD OBJ_PEN = 1;
constexpr DWORD OBJ_BRUSH = 2;
constexpr DWORD OBJ_DC = 3;
constexpr DWORD OBJ_PAL = 5;
constexpr DWORD OBJ_FONT = 6;
constexpr DWORD OBJ_BITMAP = 7;
constexpr DWORD OBJ_REGION = 8;
constexpr DWORD OBJ_MEMDC = 10;

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int OEM_FIXED_FONT = 10;
constexpr int ANSI_FIXED_FONT = 11;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEVICE_DEFAULT_FONT = 14;
constexpr int DEFAULT_PALETTE = 15;
constexpr int SYSTEM_FIXED_FONT = 16;
constexpr int DEFAULT_GUI_FONT = 17;

struct GdiObject {
    explicit GdiObject(GdiKind k) : kind(k) {}
    virtual ~GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    const GdiKind kind;
    // Its name in the handle table (null until registered).
    HGDIOBJ handle = nullptr;
    bool stock = false;
    // How many device contexts have it selected; an object deleted while
    // selected goes when the last of them lets it go.
    int selections = 0;
    bool deletePending = false;
};

// Enters a new object in the handle table, which owns it from then on, and
// returns its handle; null (and the object deleted) when the table is full.
// T names its handle type as T::Handle.
HGDIOBJ RegisterGdiObjectBase(GdiObject* object);
template <class T>
typename T::Handle RegisterGdiObject(T* object)
{
    return static_cast<typename T::Handle>(RegisterGdiObjectBase(object));
}
// The live object a handle names, null for a stale, foreign or null handle.
GdiObject* LiveGdiObject(HGDIOBJ handle);
bool IsLiveGdiObject(HGDIOBJ handle);
bool IsLiveGdiObject(HGDIOBJ handle, GdiKind kind);
// The object's handle, typed as its kind's.
template <class T>
typename T::Handle HandleOf(const T* object)
{
    return object ? static_cast<typename T::Handle>(object->handle) : nullptr;
}

// Objects the platform keeps for the life of the process (system colour
// brushes, the dialogs' fonts): DeleteObject leaves them alone, as it does
// the stock objects.
void MakeStockObject(HGDIOBJ handle);

// Selection bookkeeping for the device contexts.
void NoteSelected(GdiObject* object);
void NoteDeselected(GdiObject* object);

HGDIOBJ GetStockObject(int which);
// Stock objects are never deleted; an object still selected somewhere is
// deleted once it is deselected. False for a stale or null handle.
BOOL DeleteObject(HGDIOBJ object);
DWORD GetObjectType(HGDIOBJ object);

// Typed views of a handle: null when the handle is not a live object of that
// kind.
template <class T>
T* AsGdi(HGDIOBJ h, GdiKind kind)
{
    GdiObject* o = LiveGdiObject(h);
    return o && o->kind == kind ? static_cast<T*>(o) : nullptr;
}

}  // namespace plat
