#pragma once
// A packed DIB (the clipboard's CF_DIB: header, colour table, pixels) as a
// PNG picture, for the desktop's clipboard.

#include <cstdint>
#include <string>
#include <vector>

namespace plat {

// Empty when the DIB is damaged (a header, table or pixel rows that do
// not fit in its bytes) or not an uncompressed 8- or 32-bit picture.
std::string PackedDibToPng(const std::vector<std::uint8_t>& dib);

}  // namespace plat
