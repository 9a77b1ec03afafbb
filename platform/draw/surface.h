#pragma once
// Surfaces: bitmaps in the DIB memory layout. Rows are padded to 4 bytes and
// stored bottom-up unless the bitmap was made with a negative height; an 8-bit
// surface carries its own colour table of 256 entries. The engine addresses
// the pixel bits directly, so the layout is exactly the one it computes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/core/types.h"
#include "platform/core/zeroed_memory.h"
#include "platform/draw/gdiobject.h"

namespace plat {

struct RGBQUAD {
    BYTE rgbBlue = 0;
    BYTE rgbGreen = 0;
    BYTE rgbRed = 0;
    BYTE rgbReserved = 0;
    friend bool operator==(const RGBQUAD&, const RGBQUAD&) = default;
};

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_RLE8 = 1;
constexpr DWORD BI_RLE4 = 2;
constexpr DWORD BI_BITFIELDS = 3;

struct BITMAPINFOHEADER {
    DWORD biSize = 40;
    LONG biWidth = 0;
    LONG biHeight = 0;
    WORD biPlanes = 1;
    WORD biBitCount = 0;
    DWORD biCompression = BI_RGB;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

// A header and room for a full colour table. Packed DIBs carry fewer entries
// (biClrUsed); only as many as the header counts are ever read.
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[256];
};

// What GetObject tells of a bitmap.
struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 0;
    void* bmBits = nullptr;
};

// How a DIB's colour table is meant: RGB colours or indices into the
// palette selected in the device context.
constexpr UINT DIB_RGB_COLORS = 0;
constexpr UINT DIB_PAL_COLORS = 1;

// Bytes per row of the DIB layout.
constexpr LONG DibStride(LONG width, int bitsPerPixel)
{
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

// The number of colour table entries a header announces.
UINT DibColourCount(const BITMAPINFOHEADER& h);

struct BitmapObject : GdiObject {
    using Handle = HBITMAP;
    BitmapObject(int width, int height, int bitsPerPixel, bool topDown, LONG strideBytes);

    int width;
    int height;  // always positive
    int bitsPerPixel;  // 1, 8 or 32
    bool topDown;
    LONG stride;  // bytes per row
    // Zeroed when made, as a fresh DIB section is.
    ZeroedArray<BYTE> bits;

    // The 8-bit colour table; version grows with every change so that
    // caches of nearest colours know when to start again.
    std::array<RGBQUAD, 256> colours{};
    std::uint32_t coloursVersion = 1;
    // Nearest colours already looked up for this colour table.
    struct NearestCache;
    mutable std::unique_ptr<NearestCache> nearest;
    ~BitmapObject() override;

    BYTE* row(int y) { return bits.get() + std::ptrdiff_t(topDown ? y : height - 1 - y) * stride; }
    const BYTE* row(int y) const
    {
        return bits.get() + std::ptrdiff_t(topDown ? y : height - 1 - y) * stride;
    }
    std::size_t sizeBytes() const { return std::size_t(stride) * height; }
    void setColours(UINT first, UINT count, const RGBQUAD* entries);
};

// An 8 or 32-bit surface with the given header; its colour table comes from
// the header (DIB_RGB_COLORS) or from the palette selected in hdc
// (DIB_PAL_COLORS). bits receives the pixel pointer. Null for a depth other
// than 8 or 32, a compressed header, an empty or huge size.
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits);
// A device-dependent bitmap: 1-bit bitmaps take rows padded to 2 bytes, as
// the pattern brushes are made from; 8 and 32-bit ones are kept as top-down
// surfaces. bits may be null (cleared to zero).
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
// A bitmap of the depth of what the DC draws into (the screen: 32 bits; a
// memory DC: its surface's depth and colour table).
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
// What an object is: a BITMAP for bitmaps, a LOGFONT for fonts, a WORD
// entry count for palettes. Returns the bytes written (or needed, with out
// null); 0 for a stale handle or a buffer too small.
int GetObject(HGDIOBJ object, int size, void* out);

// The surface's colour table (8-bit surfaces only), as selected in hdc.
UINT GetDIBColorTable(HDC hdc, UINT first, UINT count, RGBQUAD* out);
UINT SetDIBColorTable(HDC hdc, UINT first, UINT count, const RGBQUAD* entries);

// Reads rows of a bitmap into a DIB of the header's depth (8 or 32); with
// bits null only the header is completed (size, colour table of 8-bit
// bitmaps). Returns the number of rows copied.
int GetDIBits(HDC hdc, HBITMAP bitmap, UINT startScan, UINT scanLines, void* bits,
              BITMAPINFO* info, UINT usage);

// Writes scan lines of a DIB (8 or 32 bits) into a bitmap; scan lines count
// from the bottom of a bottom-up DIB. Returns the number of lines written.
int SetDIBits(HDC hdc, HBITMAP bitmap, UINT startScan, UINT scanLines, const void* bits,
              const BITMAPINFO* info, UINT usage);

// The surface format that blits fastest to the screen: 8 bits, top-down.
BOOL RecommendDIBFormat(BITMAPINFO* info);

// Direct access to a surface's pixels, as CreateDIBSection gave them.
void* GetSurfaceBits(HBITMAP bitmap);

}  // namespace plat
