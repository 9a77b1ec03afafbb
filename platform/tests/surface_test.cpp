#include <gtest/gtest.h>

#include <cstring>

#include "platform/tests/draw_fixture.h"

namespace plat {
namespace {

using testing::Header;
using testing::SurfaceDC;

TEST(SurfaceTest, RowsArePaddedAndBottomUpUnlessTheHeightIsNegative)
{
    BITMAPINFO up = Header(5, 3, 8);
    void* bits = nullptr;
    HBITMAP b = CreateDIBSection(nullptr, &up, DIB_RGB_COLORS, &bits);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(testing::SurfaceOf(b)->stride, 8);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, b);
    SetPixel(dc, 0, 0, RGB(255, 255, 255));  // the top row is the last one stored
    EXPECT_EQ(static_cast<BYTE*>(bits)[2 * 8], 255);
    DeleteDC(dc);
    DeleteObject(b);

    BITMAPINFO down = Header(5, -3, 8);
    b = CreateDIBSection(nullptr, &down, DIB_RGB_COLORS, &bits);
    dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, b);
    SetPixel(dc, 0, 0, RGB(255, 255, 255));
    EXPECT_EQ(static_cast<BYTE*>(bits)[0], 255);
    DeleteDC(dc);
    DeleteObject(b);

    BITMAPINFO deep = Header(3, 2, 32);
    b = CreateDIBSection(nullptr, &deep, DIB_RGB_COLORS, &bits);
    EXPECT_EQ(testing::SurfaceOf(b)->stride, 12);
    DeleteObject(b);
}

TEST(SurfaceTest, UnsupportedOrAbsurdHeadersMakeNoSurface)
{
    BITMAPINFO info = Header(10, 10, 24);
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr), nullptr);
    info = Header(10, 10, 8);
    info.bmiHeader.biCompression = BI_RLE8;
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr), nullptr);
    info = Header(0, 10, 8);
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr), nullptr);
    info = Header(100000, 100000, 32);
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr), nullptr);
}

TEST(SurfaceTest, EachEightBitSurfaceKeepsItsOwnColourTable)
{
    SurfaceDC a(4, 4, 8), b(4, 4, 8);
    RGBQUAD red{0, 0, 255, 0};
    EXPECT_EQ(SetDIBColorTable(a.dc(), 7, 1, &red), 1u);
    RGBQUAD got[8];
    EXPECT_EQ(GetDIBColorTable(a.dc(), 7, 2, got), 2u);
    EXPECT_EQ(got[0], red);
    EXPECT_EQ(GetDIBColorTable(b.dc(), 7, 1, got), 1u);
    EXPECT_EQ(got[0].rgbRed, 7);
    EXPECT_EQ(GetDIBColorTable(a.dc(), 250, 10, got), 6u);
}

TEST(SurfaceTest, PaletteIndexColourTablesTakeTheSelectedPalette)
{
    LOGPALETTE lp{};
    lp.palNumEntries = 3;
    lp.palPalEntry[0] = {10, 20, 30, 0};
    lp.palPalEntry[1] = {40, 50, 60, 0};
    lp.palPalEntry[2] = {70, 80, 90, 0};
    HPALETTE pal = CreatePalette(&lp);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectPalette(dc, pal, 0);
    BITMAPINFO info = Header(2, 2, 8);
    info.bmiHeader.biClrUsed = 3;
    auto* idx = reinterpret_cast<WORD*>(info.bmiColors);
    idx[0] = 2;
    idx[1] = 0;
    idx[2] = 1;
    HBITMAP b = CreateDIBSection(dc, &info, DIB_PAL_COLORS, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(testing::SurfaceOf(b)->colours[0], (RGBQUAD{90, 80, 70, 0}));
    EXPECT_EQ(testing::SurfaceOf(b)->colours[2], (RGBQUAD{60, 50, 40, 0}));
    DeleteObject(b);
    DeleteDC(dc);
    DeleteObject(pal);
}

TEST(SurfaceTest, GetDIBitsReadsEitherOrientationAndConvertsDepth)
{
    SurfaceDC s(3, 2, 8);
    SetPixel(s.dc(), 0, 0, RGB(255, 0, 0));
    SetPixel(s.dc(), 2, 1, RGB(0, 0, 255));
    BITMAPINFO info = Header(3, -2, 32);
    std::uint32_t out[6] = {};
    EXPECT_EQ(GetDIBits(s.dc(), s.bitmap(), 0, 2, out, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(out[0], 0xFF0000u);
    EXPECT_EQ(out[5], 0x0000FFu);
    BITMAPINFO up = Header(3, 2, 8);
    BYTE rows[8] = {};
    EXPECT_EQ(GetDIBits(s.dc(), s.bitmap(), 0, 2, rows, &up, DIB_RGB_COLORS), 2);
    EXPECT_EQ(rows[0 * 4 + 2], testing::kBlue);  // scan line 0 is the bottom row
    EXPECT_EQ(rows[1 * 4 + 0], testing::kRed);
    // Asking for more lines than the header holds reads only those.
    EXPECT_EQ(GetDIBits(s.dc(), s.bitmap(), 1, 99, rows, &up, DIB_RGB_COLORS), 1);
}

TEST(SurfaceTest, RecommendedFormatIsEightBitTopDown)
{
    BITMAPINFO info{};
    ASSERT_TRUE(RecommendDIBFormat(&info));
    EXPECT_EQ(info.bmiHeader.biBitCount, 8);
    EXPECT_EQ(info.bmiHeader.biHeight, -1);
}

TEST(SurfaceTest, AnObjectDeletedWhileSelectedGoesWhenDeselected)
{
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, brush);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(GetObjectType(brush), OBJ_BRUSH);  // still in use
    SelectObject(dc, old);
    EXPECT_EQ(GetObjectType(brush), 0u);
    EXPECT_FALSE(DeleteObject(brush));  // a stale handle is refused, not freed twice
    DeleteDC(dc);
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(GetObjectType(GetStockObject(WHITE_BRUSH)), OBJ_BRUSH);
}

}  // namespace
}  // namespace plat

namespace plat {
namespace {

TEST(SurfaceTest, SetDIBitsWritesScanLinesFromTheBottom)
{
    BITMAPINFO info = testing::Header(2, 2, 8);
    HBITMAP b = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr);
    BYTE oneLine[4] = {7, 8, 0, 0};
    // Scan line 1 of a bottom-up DIB is its top row.
    EXPECT_EQ(SetDIBits(nullptr, b, 1, 1, oneLine, &info, DIB_RGB_COLORS), 1);
    EXPECT_EQ(testing::SurfaceOf(b)->row(0)[0], 7);
    EXPECT_EQ(testing::SurfaceOf(b)->row(0)[1], 8);
    EXPECT_EQ(testing::SurfaceOf(b)->row(1)[0], 0);
    // A selected bitmap cannot be written behind its DC's back.
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, b);
    EXPECT_EQ(SetDIBits(nullptr, b, 0, 2, oneLine, &info, DIB_RGB_COLORS), 0);
    DeleteDC(dc);
    DeleteObject(b);
}

TEST(SurfaceTest, GetObjectDescribesBitmapsFontsAndPalettes)
{
    BITMAPINFO info = testing::Header(5, -3, 8);
    HBITMAP b = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr);
    BITMAP bm;
    ASSERT_EQ(GetObject(b, sizeof bm, &bm), int(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 5);
    EXPECT_EQ(bm.bmHeight, 3);
    EXPECT_EQ(bm.bmWidthBytes, 8);
    EXPECT_EQ(bm.bmBitsPixel, 8);
    EXPECT_EQ(GetObject(b, 4, &bm), 0);  // too small
    DeleteObject(b);
    LOGFONT lf;
    lf.lfHeight = -13;
    std::strcpy(lf.lfFaceName, "Arial");
    HFONT f = CreateFontIndirect(&lf);
    LOGFONT back;
    ASSERT_EQ(GetObject(f, sizeof back, &back), int(sizeof back));
    EXPECT_EQ(back.lfHeight, -13);
    EXPECT_STREQ(back.lfFaceName, "Arial");
    DeleteObject(f);
    WORD n = 0;
    EXPECT_EQ(GetObject(GetStockObject(DEFAULT_PALETTE), sizeof n, &n), 2);
    EXPECT_EQ(n, 20);
}

}  // namespace
}  // namespace plat
