#pragma once
// Writer of 8-bit BMP files (uncompressed, bottom-up) and of the stored
// palettes of "PALETTE" resources.
//
//   testkit::Bitmap8 picture(64, 32, testkit::GreyPalette());
//   picture.fill(7).rect(0, 0, 8, 8, 12);
//   std::vector<std::uint8_t> file = picture.Bytes();

#include <array>
#include <cstdint>
#include <vector>

namespace testkit {

using Rgb = std::array<std::uint8_t, 3>;

// 256 entries from black to white.
std::vector<Rgb> GreyPalette();
// The "PALETTE" resource: version 0x300, entry count, then red, green,
// blue and flags per entry (little-endian, as the resource stores it).
std::vector<std::uint8_t> PaletteResource(const std::vector<Rgb>& palette);

class Bitmap8 {
public:
    Bitmap8(int width, int height, std::vector<Rgb> palette);
    Bitmap8& fill(std::uint8_t index);
    Bitmap8& rect(int x, int y, int w, int h, std::uint8_t index);
    std::uint8_t at(int x, int y) const { return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)]; }
    // The BMP file (with its file header).
    std::vector<std::uint8_t> Bytes() const;

private:
    int width_, height_;
    std::vector<Rgb> palette_;
    std::vector<std::uint8_t> pixels_;  // top row first
};

}  // namespace testkit
