#pragma once
// Writer of cursor files (.cur): one 16 by 16 one-bit image, solid black
// with the hotspot given.

#include <cstdint>
#include <string>

namespace testkit {

std::string EncodeCursor(std::uint16_t hotspotX = 0, std::uint16_t hotspotY = 0);

}  // namespace testkit
