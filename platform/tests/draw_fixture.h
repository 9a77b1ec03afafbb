#pragma once
// Helpers shared by the drawing tests: surfaces with a known colour table
// and DCs to draw into them.

#include <array>

#include "platform/draw/draw.h"

namespace plat::testing {

// A greyscale-and-primaries colour table: index i is grey level i except
// for a few named entries.
inline constexpr BYTE kBlack = 0, kWhite = 255, kRed = 1, kGreen = 2, kBlue = 3;

inline BITMAPINFO Header(int width, int height, int bpp)
{
    BITMAPINFO info{};
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biBitCount = WORD(bpp);
    if (bpp == 8) {
        info.bmiHeader.biClrUsed = 256;
        for (int i = 0; i < 256; ++i)
            info.bmiColors[i] = {BYTE(i), BYTE(i), BYTE(i), 0};
        info.bmiColors[kRed] = {0, 0, 255, 0};
        info.bmiColors[kGreen] = {0, 255, 0, 0};
        info.bmiColors[kBlue] = {255, 0, 0, 0};
    }
    return info;
}

// The surface a bitmap handle names (null for a stale handle).
inline BitmapObject* SurfaceOf(HBITMAP bitmap)
{
    return AsGdi<BitmapObject>(bitmap, GdiKind::Bitmap);
}

// A memory DC with a new surface selected; both go at the end of scope.
class SurfaceDC {
public:
    SurfaceDC(int width, int height, int bpp)
    {
        BITMAPINFO info = Header(width, height, bpp);
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_);
        dc_ = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~SurfaceDC()
    {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    SurfaceDC(const SurfaceDC&) = delete;
    SurfaceDC& operator=(const SurfaceDC&) = delete;

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }
    BitmapObject* surface() const { return SurfaceOf(bitmap_); }
    BYTE* bits() const { return static_cast<BYTE*>(bits_); }
    BYTE at8(int x, int y) const { return surface()->row(y)[x]; }
    std::uint32_t at32(int x, int y) const { return reinterpret_cast<const std::uint32_t*>(surface()->row(y))[x]; }
    void fill(COLORREF c)
    {
        HBRUSH b = CreateSolidBrush(c);
        RECT r{0, 0, surface()->width, surface()->height};
        FillRect(dc_, &r, b);
        DeleteObject(b);
    }

private:
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

}  // namespace plat::testing
