#pragma once
// Copies between device contexts and from DIBs in memory. 8-bit sources reach
// 32-bit targets through their colour table; 32-bit sources reach 8-bit
// targets as the nearest entry of the target's colour table (least squared
// distance, lowest index on ties); 8 to 8 copies indices when both tables
// agree and maps them through the colours when they do not.

#include "platform/core/types.h"
#include "platform/draw/paint.h"
#include "platform/draw/surface.h"

namespace plat {

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
// Nearest-neighbour scaling; a negative width or height mirrors.
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                int srcWidth, int srcHeight, DWORD rop);
// A packed DIB's pixels (8 or 32 bits, uncompressed) drawn scaled into the
// destination rectangle. Returns the number of rows drawn, 0 on failure.
int StretchDIBits(HDC dest, int x, int y, int width, int height, int srcX, int srcY,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* info,
                  UINT usage, DWORD rop);
// A packed DIB's pixels unscaled; srcY counts from the DIB's bottom row as
// stored bottom-up DIBs are addressed. Returns the number of rows drawn.
int SetDIBitsToDevice(HDC dest, int x, int y, DWORD width, DWORD height, int srcX, int srcY,
                      UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info,
                      UINT usage);
// Moves the pixels of scroll (all of the DC when null) by (dx, dy) inside
// clip (unlimited when null). The area the move uncovered is given as a
// region (updateRgn, device coordinates) and as its box (updateRect,
// logical coordinates).
BOOL ScrollDC(HDC hdc, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN updateRgn,
              RECT* updateRect);

}  // namespace plat
