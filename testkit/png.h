#pragma once
// A writer of palette PNG pictures, the other picture files the engine's
// bitmap loader reads.

#include <cstdint>
#include <vector>

#include "testkit/bmp.h"

namespace testkit {

// The picture as a PNG with its colour table as the palette; empty when the
// picture cannot be encoded.
std::vector<std::uint8_t> EncodePalettePng(const BmpPicture& picture);

}  // namespace testkit
