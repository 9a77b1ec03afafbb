#include <gtest/gtest.h>

#include <cstring>

#include "platform/tests/draw_fixture.h"
#include "platform/tests/golden.h"

namespace plat {
namespace {

using testing::CompareWithGolden;
using testing::SurfaceDC;

HGDIOBJ stock(int which)
{
    return GetStockObject(which);
}

TEST(PaintTest, RectangleFollowsThePenRules)
{
    SurfaceDC s(10, 10, 8);
    s.fill(RGB(255, 255, 255));
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    SelectObject(s.dc(), red);
    // The black pen outlines [2, 7) by [2, 6); red fills what is inside.
    Rectangle(s.dc(), 2, 2, 7, 6);
    EXPECT_EQ(s.at8(2, 2), testing::kBlack);
    EXPECT_EQ(s.at8(6, 5), testing::kBlack);
    EXPECT_EQ(s.at8(7, 5), testing::kWhite);
    EXPECT_EQ(s.at8(6, 6), testing::kWhite);
    EXPECT_EQ(s.at8(3, 3), testing::kRed);
    EXPECT_EQ(s.at8(5, 4), testing::kRed);
    // With the null pen the brush fills [2, 6) by [2, 5): one short.
    s.fill(RGB(255, 255, 255));
    SelectObject(s.dc(), stock(NULL_PEN));
    Rectangle(s.dc(), 2, 2, 7, 6);
    EXPECT_EQ(s.at8(2, 2), testing::kRed);
    EXPECT_EQ(s.at8(5, 4), testing::kRed);
    EXPECT_EQ(s.at8(6, 4), testing::kWhite);
    EXPECT_EQ(s.at8(5, 5), testing::kWhite);
    SelectObject(s.dc(), stock(WHITE_BRUSH));
    DeleteObject(red);
}

TEST(PaintTest, RectanglesAndFramesPicture)
{
    SurfaceDC s(64, 48, 8);
    s.fill(RGB(255, 255, 255));
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    HPEN green = CreatePen(PS_SOLID, 1, RGB(0, 255, 0));
    HPEN wide = CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
    SelectObject(s.dc(), red);
    Rectangle(s.dc(), 2, 2, 20, 14);  // black pen, red inside
    SelectObject(s.dc(), green);
    Rectangle(s.dc(), 24, 2, 40, 14);
    SelectObject(s.dc(), stock(NULL_PEN));
    Rectangle(s.dc(), 44, 2, 60, 14);  // brush only, one short
    SelectObject(s.dc(), stock(NULL_BRUSH));
    SelectObject(s.dc(), wide);
    Rectangle(s.dc(), 2, 18, 20, 34);  // frame only, wide pen
    RECT frame{24, 18, 40, 34};
    FrameRect(s.dc(), &frame, blue);
    SelectObject(s.dc(), stock(BLACK_PEN));
    Rectangle(s.dc(), 44, 18, 45, 34);  // one pixel wide: all border
    Rectangle(s.dc(), 48, 18, 50, 20);
    SelectObject(s.dc(), stock(WHITE_BRUSH));
    EXPECT_EQ(CompareWithGolden(s.bitmap(), "rectangles"), "");
    DeleteObject(red);
    DeleteObject(blue);
    DeleteObject(green);
    DeleteObject(wide);
}

TEST(PaintTest, LinesLeaveOutTheirEndPoint)
{
    SurfaceDC s(8, 8, 8);
    s.fill(RGB(255, 255, 255));
    MoveToEx(s.dc(), 1, 1, nullptr);
    LineTo(s.dc(), 5, 1);
    EXPECT_EQ(s.at8(1, 1), testing::kBlack);
    EXPECT_EQ(s.at8(4, 1), testing::kBlack);
    EXPECT_EQ(s.at8(5, 1), testing::kWhite);
    POINT cp;
    GetCurrentPositionEx(s.dc(), &cp);
    EXPECT_EQ(cp, (POINT{5, 1}));
    LineTo(s.dc(), 5, 1);  // a line of no length draws nothing
    EXPECT_EQ(s.at8(5, 1), testing::kWhite);
}

TEST(PaintTest, NotLineDrawnTwiceLeavesThePictureUnchanged)
{
    SurfaceDC s(48, 32, 8), before(48, 32, 8);
    // Something to draw over: bands of grey.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 48; ++x)
            s.surface()->row(y)[x] = before.surface()->row(y)[x] = BYTE((x / 6) * 30 + 10);
    SetROP2(s.dc(), R2_NOT);
    POINT star[] = {{2, 2}, {45, 29}, {45, 2}, {2, 29}, {24, 0}, {24, 31}, {2, 16}};
    Polyline(s.dc(), star, 7);
    EXPECT_EQ(CompareWithGolden(s.bitmap(), "not_line_once"), "");
    EXPECT_NE(std::memcmp(s.bits(), before.bits(), s.surface()->sizeBytes()), 0);
    Polyline(s.dc(), star, 7);
    EXPECT_EQ(std::memcmp(s.bits(), before.bits(), s.surface()->sizeBytes()), 0);
}

TEST(PaintTest, FillsStayInsideTheClipRegion)
{
    SurfaceDC s(48, 32, 32);
    s.fill(RGB(255, 255, 255));
    HRGN a = CreateRectRgn(4, 4, 20, 28);
    HRGN b = CreateRectRgn(12, 10, 44, 20);
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(clip, a, b, RGN_XOR), COMPLEXREGION);
    SelectClipRgn(s.dc(), clip);
    RECT all{0, 0, 48, 32};
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(s.dc(), &all, blue);
    EXPECT_EQ(s.at32(5, 5), 0x0000FFu);
    EXPECT_EQ(s.at32(14, 12), 0xFFFFFFu);  // in both: cut out by XOR
    EXPECT_EQ(s.at32(2, 2), 0xFFFFFFu);
    // The window origin shifts the fill, not the clip.
    SetWindowOrgEx(s.dc(), -2, 0, nullptr);
    RECT bar{40, 0, 41, 32};
    FillRect(s.dc(), &bar, static_cast<HBRUSH>(stock(BLACK_BRUSH)));
    EXPECT_EQ(s.at32(42, 15), 0u);
    EXPECT_EQ(CompareWithGolden(s.bitmap(), "clipped_fill"), "");
    DeleteObject(a);
    DeleteObject(b);
    DeleteObject(clip);
    DeleteObject(blue);
}

TEST(PaintTest, PatternBrushUsesTextColourForZeroBitsAndBackgroundForOnes)
{
    SurfaceDC s(32, 24, 8);
    s.fill(RGB(255, 255, 255));
    // A checkerboard of 2 by 2 squares, rows padded to 16 bits.
    WORD rows[8] = {0xCC00, 0xCC00, 0x3300, 0x3300, 0xCC00, 0xCC00, 0x3300, 0x3300};
    for (WORD& r : rows)
        r = WORD((r >> 8) | (r << 8));  // bytes as stored: high byte first
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH brush = CreatePatternBrush(pattern);
    DeleteObject(pattern);  // the brush keeps its own copy
    SetTextColor(s.dc(), RGB(255, 0, 0));
    SetBkColor(s.dc(), RGB(0, 0, 255));
    RECT r{3, 2, 29, 22};
    FillRect(s.dc(), &r, brush);
    // Cell (0, 0) of the pattern sits at the origin, not at the rectangle.
    EXPECT_EQ(s.at8(3, 2), testing::kBlue);  // row 2: 0x33, bit 3 = 1
    EXPECT_EQ(s.at8(4, 2), testing::kRed);
    EXPECT_EQ(s.at8(7, 7), testing::kBlue);  // row 7: 0x33, bit 7 = 1
    EXPECT_EQ(CompareWithGolden(s.bitmap(), "pattern_brush"), "");
    DeleteObject(brush);
}

TEST(PaintTest, PatBltAndInvertRect)
{
    SurfaceDC s(4, 1, 32);
    s.fill(RGB(0x10, 0x20, 0x30));
    RECT r{0, 0, 2, 1};
    InvertRect(s.dc(), &r);
    EXPECT_EQ(s.at32(0, 0), 0xEFDFCFu);
    EXPECT_EQ(s.at32(2, 0), 0x102030u);
    EXPECT_TRUE(PatBlt(s.dc(), 0, 0, 4, 1, BLACKNESS));
    EXPECT_EQ(s.at32(3, 0), 0u);
    EXPECT_FALSE(PatBlt(s.dc(), 0, 0, 4, 1, SRCCOPY));  // needs a source
}

TEST(PaintTest, PaletteColoursResolveThroughTheSelectedPalette)
{
    LOGPALETTE lp{};
    lp.palNumEntries = 4;
    lp.palPalEntry[0] = {0, 0, 0, 0};
    lp.palPalEntry[1] = {200, 0, 0, 0};
    lp.palPalEntry[2] = {200, 0, 0, 0};
    lp.palPalEntry[3] = {0, 0, 200, 0};
    HPALETTE pal = CreatePalette(&lp);
    EXPECT_EQ(GetNearestPaletteIndex(pal, RGB(190, 10, 10)), 1u);  // 1 and 2 tie
    EXPECT_EQ(GetNearestPaletteIndex(pal, RGB(0, 0, 100)), 0u);  // 0 and 3 tie at 100
    EXPECT_EQ(GetNearestPaletteIndex(pal, RGB(0, 0, 101)), 3u);
    SurfaceDC s(1, 1, 32);
    SelectPalette(s.dc(), pal, 0);
    EXPECT_EQ(SetPixel(s.dc(), 0, 0, PALETTEINDEX(3)), RGB(0, 0, 200));
    EXPECT_EQ(SetPixel(s.dc(), 0, 0, PALETTERGB(1, 2, 3)), RGB(1, 2, 3));
    SelectPalette(s.dc(), static_cast<HPALETTE>(stock(DEFAULT_PALETTE)), 0);
    DeleteObject(pal);
    EXPECT_EQ(GetNearestPaletteIndex(pal, 0), CLR_INVALID);
    const auto& statics = StaticSystemColours();
    EXPECT_EQ(statics[7], (PALETTEENTRY{0xC0, 0xC0, 0xC0, 0}));
    PALETTEENTRY sys[256];
    EXPECT_EQ(GetSystemPaletteEntries(nullptr, 0, 256, sys), 256u);
    EXPECT_EQ(sys[255], (PALETTEENTRY{255, 255, 255, 0}));
    EXPECT_EQ(sys[246], statics[10]);
}

}  // namespace
}  // namespace plat

namespace plat {
namespace {

TEST(PaintTest, WildCoordinatesAreClippedNotWalkedOrOverflowed)
{
    testing::SurfaceDC s(16, 16, 8);
    s.fill(RGB(255, 255, 255));
    // A line from far outside to far outside through the surface: drawn
    // where it crosses, at once.
    MoveToEx(s.dc(), -2000000000, 8, nullptr);
    LineTo(s.dc(), 2000000000, 8);
    EXPECT_EQ(s.at8(0, 8), testing::kBlack);
    EXPECT_EQ(s.at8(15, 8), testing::kBlack);
    EXPECT_EQ(s.at8(8, 7), testing::kWhite);
    MoveToEx(s.dc(), -2000000000, -2000000000, nullptr);
    LineTo(s.dc(), -1999999000, 2000000000);  // never near the surface
    SetWindowOrgEx(s.dc(), 2147483000, 0, nullptr);
    RECT r{2147483000, 0, 2147483647, 4};
    FillRect(s.dc(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(s.at8(15, 0), testing::kBlack);
    EXPECT_EQ(s.at8(15, 4), testing::kWhite);
}

}  // namespace
}  // namespace plat
