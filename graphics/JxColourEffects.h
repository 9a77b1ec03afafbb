#pragma once
// Colour effects on 8-bit pictures: every picture is drawn in the one
// product palette, so an effect (dimming, tinting, greying, colourising)
// is a table that gives, for each palette index, the index of the palette
// colour nearest to the effect's result. JxCSlate::MapColours applies such
// a table to a rectangle.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/types.h"
#include "platform/draw/surface.h"

// The effects a table can be built for.
enum JxColourEffect : std::int16_t {
    kEffectNone = 0,
    kEffectTint = 1,
    kEffectTintKeepWhite = 2,
    kEffectColourise = 3,
    kEffectColouriseKeepWhite = 4,
    kEffectFlat = 5,
    kEffectGrey = 6,
    kEffectThresholdColourise = 7,
    kEffectGreyNotDarker = 8,
    kEffectTintedGrey = 9,
    kEffectDimmedGrey = 10,
};

// A header for whoever draws with the table (left blank here), then the
// 256 palette indices.
struct JxCMappedPalette {
    plat::BITMAPINFOHEADER header;
    std::array<std::uint16_t, 256> indices{};
};

// (30 red + 59 green + 11 blue) / 100 of a COLORREF.
int Luminance(plat::COLORREF colour);

// The colour an effect makes of one palette colour (COLORREF order), with
// the effect's colours c and t; false for an effect outside 0 to 10.
bool ApplyColourEffect(std::int16_t effect, plat::COLORREF colour, plat::COLORREF c, plat::COLORREF t,
                       plat::COLORREF& result);

// The table of an effect over the palette; entry i starts from palette
// entry i, or from entry indexTable[i] when a table is given (indices past
// the palette's end read entry 0). Null for no palette or an effect outside
// 0 to 10.
std::unique_ptr<JxCMappedPalette> BuildMappedPalette(plat::HPALETTE palette, const std::uint16_t* indexTable,
                                                     std::int16_t effect, plat::COLORREF c, plat::COLORREF t);

// Fills out with the effect's table over the palette; 0, and out as it
// was, when the screen cannot be read or no table can be built.
std::int16_t GetDibPalette(plat::HPALETTE palette, std::int16_t effect, plat::COLORREF c, plat::COLORREF t,
                           std::uint16_t* out);

// An area of a device context (right and bottom included) as a packed 8-bit
// DIB in the product palette: the 40-byte header, room for the colour part,
// and the rows from byte 1068. Empty when any step fails.
std::vector<std::uint8_t> CopyScreenAreaToDib(plat::HDC hdc, const plat::RECT& area);

constexpr std::size_t kScreenDibBitsOffset = 1068;
