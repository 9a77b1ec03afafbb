#pragma once
// The basic types the engine exchanges with the platform layer. They keep the
// shapes the engine was written against (32-bit coordinates in POINT and RECT,
// pointer-sized message parameters, COLORREF as 0x00bbggrr) so that the
// engine's own code reads as it always did; everything else about the platform
// is ours.

#include <cstdint>

namespace plat {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using BOOL = int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = std::uint32_t;
using ATOM = std::uint16_t;

struct POINT {
    LONG x = 0;
    LONG y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};

// left and top are inside, right and bottom one past the last pixel.
struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    friend bool operator==(const RECT&, const RECT&) = default;
};

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b)
{
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
// A colour that names the nearest entry of the selected palette.
constexpr COLORREF PALETTERGB(BYTE r, BYTE g, BYTE b) { return 0x02000000u | RGB(r, g, b); }
// A colour that names a palette index directly.
constexpr COLORREF PALETTEINDEX(WORD i) { return 0x01000000u | i; }
constexpr BYTE GetRValue(COLORREF c) { return BYTE(c & 0xff); }
constexpr BYTE GetGValue(COLORREF c) { return BYTE((c >> 8) & 0xff); }
constexpr BYTE GetBValue(COLORREF c) { return BYTE((c >> 16) & 0xff); }

constexpr WORD LOWORD(std::uintptr_t v) { return WORD(v & 0xffff); }
constexpr WORD HIWORD(std::uintptr_t v) { return WORD((v >> 16) & 0xffff); }
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) { return LPARAM(DWORD(lo) | (DWORD(hi) << 16)); }
// Signed coordinates packed in a message's lParam.
constexpr int GET_X_LPARAM(LPARAM lp) { return std::int16_t(LOWORD(std::uintptr_t(lp))); }
constexpr int GET_Y_LPARAM(LPARAM lp) { return std::int16_t(HIWORD(std::uintptr_t(lp))); }

// Handles are typed pointers to objects that the modules define. A null
// handle is "none", as the engine expects.
struct Window;
struct Module;
struct CursorObject;
struct MenuObject;
using HWND = Window*;
using HINSTANCE = Module*;
using HMODULE = Module*;
using HCURSOR = CursorObject*;
using HICON = CursorObject*;
using HMENU = MenuObject*;

// Device contexts and GDI objects (bitmaps, palettes, brushes, pens, fonts,
// regions) are named by handles from the GDI handle tables, never by their
// addresses: a handle that outlived its object is refused even when a new
// object took its place.
// The handle types point to nothing; they share a base so that the calls
// that take any object (SelectObject, DeleteObject) take them all, and can
// be cast to one another as the engine's code always did.
struct GdiHandle {
    GdiHandle() = delete;
};
struct BitmapHandle : GdiHandle {};
struct PaletteHandle : GdiHandle {};
struct BrushHandle : GdiHandle {};
struct PenHandle : GdiHandle {};
struct FontHandle : GdiHandle {};
struct RegionHandle : GdiHandle {};
struct DcHandle {
    DcHandle() = delete;
};
using HDC = DcHandle*;
using HGDIOBJ = GdiHandle*;
using HBITMAP = BitmapHandle*;
using HPALETTE = PaletteHandle*;
using HBRUSH = BrushHandle*;
using HPEN = PenHandle*;
using HFONT = FontHandle*;
using HRGN = RegionHandle*;

// A file handle as the engine's file calls give it; HFILE_ERROR when none.
using HFILE = int;
constexpr HFILE HFILE_ERROR = -1;

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt;
};

}  // namespace plat
