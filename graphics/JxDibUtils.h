#pragma once
// Packed DIBs (a 40-byte header, the colour table, the pixel bits, in one
// block), the palettes made from their colour tables, the 8-bit sections
// they are turned into under the product palette, and the twin functions
// that hide which off-screen road is in use.
//
// Every block that comes from outside (a file, a resource, the data store)
// is checked whole by CheckPackedDib before anything reads it: a header
// inside the block, 8 bits per pixel, at most 256 colours, a sane size, and
// the bits (or the run-length code) inside the block. The header helpers
// read only what the check has already bounded.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "foundation/JxObjectRef.h"
#include "platform/core/types.h"
#include "platform/draw/surface.h"

// A packed DIB in memory (what a movable global block held).
using JxDibBlock = std::vector<std::uint8_t>;

// Limits of a picture the loaders accept.
constexpr std::int32_t kMaxDibSide = 16384;
constexpr std::uint64_t kMaxDibPixelBytes = 64u << 20;

constexpr unsigned kDibCannotLockId = 1002;
constexpr unsigned kDibBadFileId = 1003;
constexpr unsigned kBitmapResourceMissingId = 1045;
constexpr unsigned kDibNoMemoryId = 1094;

// True when the block is a packed DIB the loaders can convert.
bool CheckPackedDib(std::span<const std::uint8_t> dib);

// Header helpers (for checked blocks).
plat::BITMAPINFOHEADER GetDibHeader(const std::uint8_t* dib);
const std::uint8_t* GetDibBits(const std::uint8_t* dib);
std::uint16_t GetDibColorCount(const std::uint8_t* dib);
std::uint32_t GetDibColorTableSize(const std::uint8_t* dib);
std::int32_t GetDibWidth(const std::uint8_t* dib);
std::int32_t GetDibHeight(const std::uint8_t* dib);
// The header's colour count rule: biClrUsed, else 2, 16 or 256 for 1, 4
// and 8 bits per pixel, else 0.
std::uint32_t DibHeaderColorCount(const plat::BITMAPINFOHEADER& header);

// Palettes.
plat::HPALETTE CreateDibPalette(const std::uint8_t* dib);
plat::HPALETTE CreateIdentityPalette(const std::uint8_t* dib);
// A palette from a stored LOGPALETTE ("PALETTE" resource): version, count,
// entries; null when the block is too short for its count or the count is
// beyond 256.
plat::HPALETTE CreatePaletteFromResourceData(std::span<const std::uint8_t> data);

// The header and colour table of an 8-bit section of the size for the
// palette (its colour table taken from the palette); on the pooled road
// always top-down.
plat::BITMAPINFO DibSectionInfoForPalette(std::int32_t width, std::int32_t height, plat::HPALETTE palette);
// A section of the header and colour table; empty on failure.
JxObjectRef CreateDibSectionFromInfo(const plat::BITMAPINFO& info);
// CreateDibSectionFromInfo of DibSectionInfoForPalette.
JxObjectRef CreateDibSectionForPalette(std::int32_t width, std::int32_t height, plat::HPALETTE palette);
// A bitmap record of a checked packed DIB under the palette; empty on
// failure (what was made is deleted).
JxObjectRef CreateBitmapFromDib(std::span<const std::uint8_t> dib, plat::HPALETTE palette);
JxObjectRef CreateBitmapFromDibHandle(const JxDibBlock& dib, plat::HPALETTE palette);
void DeleteBitmapRecord(JxObjectRef& record);

std::int32_t GetBitmapWidth(const JxObjectRef& record);
std::int32_t GetBitmapHeight(const JxObjectRef& record);

// The picture of a rectangle of a device context as a packed DIB of the
// depth and compression, its colour table of 256 entries (RGB colours or
// palette indices by usage); empty when any step fails.
JxDibBlock GrabDibFromDC(plat::HDC hdc, const plat::RECT& rect, plat::HPALETTE palette, int bitsPerPixel,
                         plat::DWORD compression, plat::UINT usage);
// The header followed by n 16-bit palette indices 0 to n - 1.
JxDibBlock CreatePalIndexDibHeader(const plat::BITMAPINFOHEADER& header, std::uint16_t count);

// The twins of the two roads.
plat::BOOL SlateBitBlt(plat::HDC dest, int x, int y, int width, int height, plat::HDC src, int srcX, int srcY);
// The pixel bits of a slate's bitmap; the header (when asked for) gets the
// size and the orientation as a sign of the height.
std::uint8_t* GetSlateBits(const JxObjectRef& record, plat::BITMAPINFOHEADER* header);
plat::UINT GetSlateColorTable(plat::HDC hdc, plat::UINT first, plat::UINT count, plat::RGBQUAD* out);
