#pragma once
// Logical palettes. The screen is true colour, so selecting and realising a
// palette only records it; what palettes really do here is name colours
// (PALETTEINDEX), give DIB_PAL_COLORS tables their colours and answer the
// nearest-colour query the engine builds its colour effects with.

#include <array>
#include <vector>

#include "platform/core/types.h"
#include "platform/draw/gdiobject.h"

namespace plat {

struct DeviceContext;

constexpr BYTE PC_RESERVED = 0x01;
constexpr BYTE PC_EXPLICIT = 0x02;
constexpr BYTE PC_NOCOLLAPSE = 0x04;

struct PALETTEENTRY {
    BYTE peRed = 0;
    BYTE peGreen = 0;
    BYTE peBlue = 0;
    BYTE peFlags = 0;
    friend bool operator==(const PALETTEENTRY&, const PALETTEENTRY&) = default;
};

// The stored form: version, count, then count entries (at most 256 here).
struct LOGPALETTE {
    WORD palVersion = 0x300;
    WORD palNumEntries = 0;
    PALETTEENTRY palPalEntry[256];
};

struct PaletteObject : GdiObject {
    using Handle = HPALETTE;
    PaletteObject() : GdiObject(GdiKind::Palette) {}
    std::vector<PALETTEENTRY> entries;
};

constexpr UINT GDI_ERROR = 0xFFFFFFFFu;
constexpr UINT CLR_INVALID = 0xFFFFFFFFu;

// The 20 colours Windows keeps at both ends of an 8-bit system palette: the
// first ten are entries 0 to 9, the last ten 246 to 255.
const std::array<PALETTEENTRY, 20>& StaticSystemColours();

HPALETTE CreatePalette(const LOGPALETTE* palette);
UINT GetPaletteEntries(HPALETTE palette, UINT first, UINT count, PALETTEENTRY* out);
UINT SetPaletteEntries(HPALETTE palette, UINT first, UINT count, const PALETTEENTRY* entries);
BOOL ResizePalette(HPALETTE palette, UINT count);
// The entry of least squared distance to the colour; the lowest index on
// ties. CLR_INVALID for a stale palette.
UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF colour);

// Selects the palette into the DC and returns the one it replaced.
HPALETTE SelectPalette(HDC hdc, HPALETTE palette, BOOL forceBackground);
// Records the DC's palette as realised; a foreground palette becomes the
// middle of the system palette. Returns the number of entries mapped.
UINT RealizePalette(HDC hdc);
// The system palette: static colours at both ends, the last foreground
// palette realised in between.
UINT GetSystemPaletteEntries(HDC hdc, UINT first, UINT count, PALETTEENTRY* out);

// The colour a COLORREF means in a DC: RGB values as they are, palette
// indices and palette-relative colours through the selected palette.
COLORREF ResolveColour(const DeviceContext* dc, COLORREF colour);

// Nearest entry of a colour table of n entries, least squared distance,
// lowest index on ties.
int NearestColourIndex(const PALETTEENTRY* table, int n, BYTE r, BYTE g, BYTE b);

}  // namespace plat
