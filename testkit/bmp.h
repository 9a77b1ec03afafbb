#pragma once
// Writers of 8-bit BMP pictures (plain or BI_RLE8 coded, rows stored
// bottom-up or top-down) and of the stored palette of a "PALETTE" resource.

#include <array>
#include <cstdint>
#include <vector>

namespace testkit {

using Rgb = std::array<std::uint8_t, 3>;  // red, green, blue

// An 8-bit picture: width * height palette indices, rows top first.
struct BmpPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> pixels;
    // The colour table: 1 to 256 entries (a full table is announced as 0).
    std::vector<Rgb> colours;

    std::uint8_t at(std::int32_t x, std::int32_t y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

enum class BmpCoding { Plain, Rle8 };
enum class BmpRows { BottomUp, TopDown };

// The packed DIB: the 40-byte header, the colour table, the bits.
std::vector<std::uint8_t> EncodePackedDib(const BmpPicture& picture, BmpCoding coding = BmpCoding::Plain,
                                          BmpRows rows = BmpRows::BottomUp);
// The BMP file: the 14-byte file header, then the packed DIB.
std::vector<std::uint8_t> EncodeBmp(const BmpPicture& picture, BmpCoding coding = BmpCoding::Plain,
                                    BmpRows rows = BmpRows::BottomUp);

// A LOGPALETTE as stored: version 0x300, the count, then red, green, blue
// and flags (0) of each colour.
std::vector<std::uint8_t> EncodeLogPalette(const std::vector<Rgb>& colours);

// A test picture of the size whose pixels tell their position apart, in a
// palette of 256 distinct colours.
BmpPicture PatternPicture(std::int32_t width, std::int32_t height);
std::vector<Rgb> DistinctColours();

}  // namespace testkit
