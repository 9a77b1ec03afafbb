#pragma once
// PNG pictures as packed DIBs: any PNG (palette, grey or true colour, with
// or without alpha) becomes an 8-bit bottom-up DIB with its own colour table
// of at most 256 entries, so that the bitmap loaders treat it as they treat
// a BMP. See-through pixels are laid on black.

#include <cstdint>
#include <span>

#include "graphics/JxDibUtils.h"
#include "platform/core/types.h"

// The DIB of a PNG in memory; empty when it is not a PNG, is damaged or is
// larger than the loaders accept.
JxDibBlock DibFromPngBytes(std::span<const std::uint8_t> png);
// The same from an open file (read from its start); nothing is reported.
JxDibBlock ReadPngDibFromFile(plat::HFILE file);
