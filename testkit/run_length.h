#pragma once
// Writers of the run-length codes of 8-bit pictures: the PICS frame code and
// the BI_RLE8 code of DIBs.

#include <cstdint>
#include <span>
#include <vector>

namespace testkit {

// PICS frame code for the given bytes (the picture's rows of even width,
// one after the other): runs of 2 to 127 equal bytes and literals of 1 to
// 127 bytes, continuing across rows as the format does.
std::vector<std::uint8_t> EncodePicsCode(std::span<const std::uint8_t> pixels);

// BI_RLE8 code of rows of width pixels each (rows in the order they are
// coded), with an end of line after every row and an end of bitmap.
std::vector<std::uint8_t> EncodeRle8(std::span<const std::uint8_t> pixels, std::size_t width);

}  // namespace testkit
