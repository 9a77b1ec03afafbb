#pragma once
// Text output: bytes of the current code page drawn in the DC's font, text
// colour, background mode and colour, from the reference point the text
// alignment names (or from the current position with TA_UPDATECP).

#include "platform/core/types.h"

namespace plat {

constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;

BOOL TextOut(HDC hdc, int x, int y, const char* text, int count);
// rect (logical) is filled with the background colour with ETO_OPAQUE and
// limits the text with ETO_CLIPPED; dx, when given, holds each character's
// advance.
BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, const char* text, UINT count,
                const int* dx);

}  // namespace plat
