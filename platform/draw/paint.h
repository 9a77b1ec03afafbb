#pragma once
// Filling and outlining: rectangles with the GDI pen rules, lines with the end
// point left out, pixels, and the pattern fills of PatBlt.

#include "platform/core/types.h"

namespace plat {

// Fills [left, right) by [top, bottom) with the brush, ignoring the pen and
// the ROP2. 0 for a stale DC or brush.
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
// A one-pixel frame inside the rectangle in the brush.
int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush);
// Inverts the pixels of the rectangle.
BOOL InvertRect(HDC hdc, const RECT* rect);
// The pen outlines [left, right) by [top, bottom) and the brush fills the
// inside. With the null pen the brush fills [left, right - 1) by
// [top, bottom - 1). Pen and brush are drawn with the ROP2.
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
// From the current position to (x, y), (x, y) itself not drawn; the current
// position moves there.
BOOL LineTo(HDC hdc, int x, int y);
BOOL Polyline(HDC hdc, const POINT* points, int count);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF colour);
COLORREF GetPixel(HDC hdc, int x, int y);

// Raster operations of the brush, source and destination.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD SRCERASE = 0x00440328;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD NOTSRCERASE = 0x001100A6;
constexpr DWORD MERGECOPY = 0x00C000CA;
constexpr DWORD MERGEPAINT = 0x00BB0226;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATPAINT = 0x00FB0A09;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Brush and destination only (ROPs that use no source).
BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop);

}  // namespace plat
