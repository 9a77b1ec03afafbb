#pragma once
// The five colour maps a hotspot flashes its area with while the actions
// of its click play, built over the product palette when first asked for
// (and again when the product palette changes):
//   0  every colour as it is (what puts the area back)
//   1  every component scaled by (233, 214, 235) / 255
//   2  a tint by luminance between (0, 0, 119) and white
//   3  every colour but pure white turned into its grey
//   4  every colour but pure white turned into (0, 0, 200)

#include <cstdint>

#include "graphics/JxColourEffects.h"

constexpr std::int32_t kHighlightMapCount = 5;

// The map of the number, or null for a number outside 0 to 4 or when no
// product palette exists.
const JxCMappedPalette* GetHighlightMap(std::int32_t number);

// Drops the maps (the program's end; tests).
void ReleaseHighlightMaps();
