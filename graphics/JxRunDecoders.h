#pragma once
// Run-length decoders for 8-bit pictures.
//
// PICS frame code: a control byte c below 0x80 is a run (the next byte is
// repeated c times); 0x80 and above is a literal of (c & 0x7F) bytes that
// follow as they stand. Rows are coded one after the other without markers;
// the decoded rows are E bytes wide (the frame width rounded up to even).
// When E is not a multiple of 4 each decoded row is followed by 2 padding
// bytes that the code does not cover: the stride forms skip them.
//
// Every decoder is bounded by both of its buffers: it never reads past the
// code nor writes past the output. It returns true when the output was
// filled (PICS) or the picture ended (RLE8); on damaged or truncated code it
// stops, keeps what it decoded and returns false.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/draw/surface.h"

bool DecodeRunsToBuffer(std::span<std::uint8_t> output, std::span<const std::uint8_t> code);

// output holds rows of rowWidth bytes, each followed by 2 padding bytes.
bool DecodeRunsWithStride(std::span<std::uint8_t> output, std::span<const std::uint8_t> code,
                          std::uint32_t rowWidth);

// Bytes equal to key are not written: the output keeps what it held there.
bool DecodeRunsTransparent(std::span<std::uint8_t> output, std::span<const std::uint8_t> code,
                           std::uint8_t key);
bool DecodeRunsTransparentStride(std::span<std::uint8_t> output, std::span<const std::uint8_t> code,
                                 std::uint32_t rowWidth, std::uint8_t key);

// Expands BI_RLE8 code into rows of (width + 3) & ~3 bytes, the width taken
// from the DIB's header. With upward set
// the first decoded row is the last of the buffer (a bottom-up DIB).
// Pixels beyond the width or outside the buffer's rows are dropped; code
// that points outside the picture, or a record cut short, gives false. Code
// that simply ends between records is taken as the end of the picture.
bool DecodeRle8(const plat::BITMAPINFOHEADER& header, std::span<std::uint8_t> output, std::span<const std::uint8_t> code,
                bool upward);
