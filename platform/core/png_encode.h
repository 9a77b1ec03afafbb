#pragma once
// PNG encoding of 8-bit RGB pictures into memory, row by row.

#include <cstdint>
#include <functional>
#include <string>

namespace plat {

// Fills the row `y` (top first) with width * 3 bytes of red, green, blue.
using PngRowSource = std::function<void(int y, std::uint8_t* rgb)>;

// The picture as PNG bytes; empty when the encoder fails or the size is
// not a picture's.
std::string EncodeRgbPng(int width, int height, const PngRowSource& row);

}  // namespace plat
