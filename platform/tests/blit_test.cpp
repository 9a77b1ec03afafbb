#include <gtest/gtest.h>

#include <vector>

#include "platform/draw/index_expander.h"
#include "platform/screen/screen.h"
#include "platform/tests/draw_fixture.h"
#include "platform/tests/golden.h"

namespace plat {
namespace {

using testing::Header;
using testing::SurfaceDC;

TEST(BlitTest, EightBitReachesThirtyTwoBitThroughItsColourTable)
{
    SurfaceDC src(4, 4, 8), dst(4, 4, 32);
    src.bits()[0] = testing::kRed;  // bottom-up: the first stored row is the bottom one
    src.bits()[1] = 77;
    ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, 4, 4, src.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(dst.at32(0, 3), 0xFF0000u);
    EXPECT_EQ(dst.at32(1, 3), 0x4D4D4Du);
    EXPECT_EQ(dst.at32(0, 0), 0u);
}

// Rows of every length around the 64 pixels the wide road takes at a time,
// from any start, each index through the table as it is: every entry, both
// halves of the table and every byte of an entry.
TEST(BlitTest, RowsOfIndicesExpandThroughTheWholeTable)
{
    std::uint32_t table[256];
    for (std::uint32_t i = 0; i < 256; ++i)
        table[i] = (i * 0x9E3779B1u) ^ (i << 24);
    std::vector<std::uint8_t> indices(300);
    for (std::size_t i = 0; i < indices.size(); ++i)
        indices[i] = std::uint8_t(i * 167 + i / 256);
    IndexExpander expander(table);
    for (int start : {0, 1, 37}) {
        for (int n : {0, 1, 3, 4, 63, 64, 65, 127, 128, 200, 256}) {
            std::vector<std::uint32_t> out(std::size_t(n) + 1, 0xDEADBEEF);
            expander.expand(indices.data() + start, out.data(), n);
            for (int i = 0; i < n; ++i)
                ASSERT_EQ(out[std::size_t(i)], table[indices[std::size_t(start + i)]])
                    << n << " from " << start << ": " << i;
            EXPECT_EQ(out[std::size_t(n)], 0xDEADBEEFu) << "nothing past the row";
        }
    }
}

TEST(BlitTest, ThirtyTwoBitTakesTheNearestEntryAndTheLowestIndexOnTies)
{
    SurfaceDC src(4, 1, 32), dst(4, 1, 8);
    RGBQUAD table[4] = {{0, 0, 0, 0}, {0, 0, 100, 0}, {0, 0, 100, 0}, {0, 0, 200, 0}};
    SetDIBColorTable(dst.dc(), 0, 4, table);
    RGBQUAD rest{10, 200, 10, 0};
    for (UINT i = 4; i < 256; ++i)
        SetDIBColorTable(dst.dc(), i, 1, &rest);
    auto* px = reinterpret_cast<std::uint32_t*>(src.bits());
    px[0] = 0x640000;  // red 100: entries 1 and 2 tie, 1 wins
    px[1] = 0x960000;  // red 150: 100 and 200 are equally far, 1 wins again
    px[2] = 0xB40000;  // red 180: nearer 200
    px[3] = 0x000000;
    ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(dst.at8(0, 0), 1);
    EXPECT_EQ(dst.at8(1, 0), 1);
    EXPECT_EQ(dst.at8(2, 0), 3);
    EXPECT_EQ(dst.at8(3, 0), 0);
    // A change of the table is seen by the next blit, not answered from
    // the old table's cache.
    RGBQUAD nearer{0, 0, 150, 0};
    SetDIBColorTable(dst.dc(), 2, 1, &nearer);
    BitBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(dst.at8(1, 0), 2);
}

TEST(BlitTest, EightToEightCopiesIndicesOrMapsThroughColours)
{
    SurfaceDC a(2, 1, 8), b(2, 1, 8);
    a.bits()[0] = 200;
    a.bits()[1] = testing::kGreen;
    BitBlt(b.dc(), 0, 0, 2, 1, a.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(b.at8(0, 0), 200);
    EXPECT_EQ(b.at8(1, 0), testing::kGreen);
    // Swap two entries of the destination table: the colours stay right.
    RGBQUAD green{0, 255, 0, 0}, grey{2, 2, 2, 0};
    SetDIBColorTable(b.dc(), 9, 1, &green);
    SetDIBColorTable(b.dc(), testing::kGreen, 1, &grey);
    BitBlt(b.dc(), 0, 0, 2, 1, a.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(b.at8(1, 0), 9);
}

TEST(BlitTest, OverlappingCopyWithinOneSurfaceMovesThePictureWhole)
{
    SurfaceDC s(8, 1, 8);
    for (int x = 0; x < 8; ++x)
        s.surface()->row(0)[x] = BYTE(10 + x);
    BitBlt(s.dc(), 2, 0, 6, 1, s.dc(), 0, 0, SRCCOPY);
    std::vector<int> got;
    for (int x = 0; x < 8; ++x)
        got.push_back(s.at8(x, 0));
    EXPECT_EQ(got, (std::vector<int>{10, 11, 10, 11, 12, 13, 14, 15}));
}

TEST(BlitTest, SourceOutsideItsSurfaceLeavesTheDestinationAlone)
{
    SurfaceDC src(4, 4, 8), dst(4, 4, 8);
    src.fill(RGB(255, 255, 255));
    dst.fill(RGB(0, 0, 0));
    BitBlt(dst.dc(), 0, 0, 4, 4, src.dc(), 2, -2, SRCCOPY);
    EXPECT_EQ(dst.at8(0, 2), 255);
    EXPECT_EQ(dst.at8(1, 3), 255);
    EXPECT_EQ(dst.at8(0, 1), 0);
    EXPECT_EQ(dst.at8(2, 2), 0);
}

TEST(BlitTest, RasterOperationsActOnThePixelValues)
{
    SurfaceDC src(1, 1, 32), dst(1, 1, 32);
    *reinterpret_cast<std::uint32_t*>(src.bits()) = 0x0F0F0F;
    *reinterpret_cast<std::uint32_t*>(dst.bits()) = 0xFF00FF;
    BitBlt(dst.dc(), 0, 0, 1, 1, src.dc(), 0, 0, SRCINVERT);
    EXPECT_EQ(dst.at32(0, 0), 0xF00FF0u);
    BitBlt(dst.dc(), 0, 0, 1, 1, nullptr, 0, 0, DSTINVERT);
    EXPECT_EQ(dst.at32(0, 0), 0x0FF00Fu);
    EXPECT_FALSE(BitBlt(dst.dc(), 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
}

// Under a raster operation each source depth is converted a row at a time,
// scaled and mirrored rows included.
TEST(BlitTest, RasterOperationsTakeEverySourceDepth)
{
    SurfaceDC grey(4, 1, 8), dst(4, 1, 32);
    for (int x = 0; x < 4; ++x)
        grey.bits()[x] = BYTE(0x10 * (x + 1));
    dst.fill(RGB(1, 1, 1));
    BitBlt(dst.dc(), 0, 0, 4, 1, grey.dc(), 0, 0, SRCINVERT);
    EXPECT_EQ(dst.at32(0, 0), 0x111111u);
    EXPECT_EQ(dst.at32(3, 0), 0x414141u);
    dst.fill(RGB(0, 0, 0));
    StretchBlt(dst.dc(), 0, 0, 4, 1, grey.dc(), 4, 0, -4, 1, SRCINVERT);  // mirrored
    EXPECT_EQ(dst.at32(0, 0), 0x404040u);
    EXPECT_EQ(dst.at32(3, 0), 0x101010u);

    // Monochrome: 1 bits take the background colour, 0 bits the text colour.
    const BYTE pattern[2] = {0xA0, 0};
    HBITMAP mono = CreateBitmap(4, 1, 1, 1, pattern);
    HDC monoDC = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(monoDC, mono);
    dst.fill(RGB(0, 255, 0));
    BitBlt(dst.dc(), 0, 0, 4, 1, monoDC, 0, 0, SRCAND);
    EXPECT_EQ(dst.at32(0, 0), 0x00FF00u);
    EXPECT_EQ(dst.at32(1, 0), 0u);
    EXPECT_EQ(dst.at32(2, 0), 0x00FF00u);
    EXPECT_EQ(dst.at32(3, 0), 0u);
    SelectObject(monoDC, old);
    DeleteDC(monoDC);
    DeleteObject(mono);
}

TEST(BlitTest, DibsDrawTheSameWhicheverWayTheyAreStored)
{
    // Rows 0 (top) = 1, 1 = 2, 2 = 3 of a 1-pixel-wide picture.
    BITMAPINFO up = Header(1, 3, 8), down = Header(1, -3, 8);
    BYTE upBits[12] = {3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0};
    BYTE downBits[12] = {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0};
    SurfaceDC a(1, 3, 8), b(1, 3, 8);
    EXPECT_EQ(StretchDIBits(a.dc(), 0, 0, 1, 3, 0, 0, 1, 3, upBits, &up, DIB_RGB_COLORS, SRCCOPY), 3);
    EXPECT_EQ(SetDIBitsToDevice(b.dc(), 0, 0, 1, 3, 0, 0, 0, 3, downBits, &down, DIB_RGB_COLORS), 3);
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(a.at8(0, y), y + 1);
        EXPECT_EQ(b.at8(0, y), y + 1);
    }
    // Doubled in height, and mirrored by a negative source height.
    SurfaceDC c(1, 6, 8);
    StretchDIBits(c.dc(), 0, 0, 1, 6, 0, 0, 1, 3, downBits, &down, DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(c.at8(0, 0), 1);
    EXPECT_EQ(c.at8(0, 1), 1);
    EXPECT_EQ(c.at8(0, 5), 3);
    StretchDIBits(a.dc(), 0, 0, 1, 3, 0, 0, 1, -3, downBits, &down, DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(a.at8(0, 0), 3);
    EXPECT_EQ(a.at8(0, 2), 1);
    // A bottom-up DIB's srcY counts from its bottom row.
    EXPECT_EQ(SetDIBitsToDevice(b.dc(), 0, 0, 1, 1, 0, 0, 0, 3, upBits, &up, DIB_RGB_COLORS), 3);
    EXPECT_EQ(b.at8(0, 0), 3);
}

TEST(BlitTest, RectanglesAtTheEdgeOfTheCoordinateRangeNeverWrapRound)
{
    SurfaceDC dst(4, 4, 32);
    const auto untouched = [&dst] {
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                if (dst.at32(x, y) != 0xFFFFFFu)
                    return false;
        return true;
    };
    dst.fill(RGB(255, 255, 255));
    // Each of these lies wholly past +-2^31: nothing to draw.
    BitBlt(dst.dc(), 0x7FFFFFF0, 0, 0x20, 4, nullptr, 0, 0, BLACKNESS);
    BitBlt(dst.dc(), -0x7FFFFFF0, 0, -0x20, 4, nullptr, 0, 0, BLACKNESS);
    BitBlt(dst.dc(), 0, 0x7FFFFFF0, 4, 0x20, nullptr, 0, 0, BLACKNESS);
    StretchBlt(dst.dc(), 0x7FFFFFF0, 0x7FFFFFF0, 0x20, 0x20, nullptr, 0, 0, 1, 1, BLACKNESS);
    EXPECT_TRUE(untouched());

    // Sources just as far away give nothing either.
    SurfaceDC src(4, 4, 32);
    src.fill(RGB(0, 0, 0));
    BitBlt(dst.dc(), 0, 0, -4, 4, src.dc(), -0x7FFFFFFF, 0, SRCCOPY);
    StretchBlt(dst.dc(), 0, 0, 4, 4, src.dc(), -0x7FFFFFF0, 0, -0x20, 4, SRCCOPY);
    BITMAPINFO up = Header(1, 3, 8);
    BYTE bits[12] = {};
    StretchDIBits(dst.dc(), 0, 0, 4, 4, 0, 0x7FFFFFF0, 1, 0x20, bits, &up, DIB_RGB_COLORS, SRCCOPY);
    SetDIBitsToDevice(dst.dc(), 0, 0, 0xFFFFFFFF, 4, 0, 0x7FFFFFF0, 0, 3, bits, &up, DIB_RGB_COLORS);
    EXPECT_TRUE(untouched());

    // From far right back to column 2: the right half.
    BitBlt(dst.dc(), 0x7FFFFFF0, 0, -0x7FFFFFEE, 4, nullptr, 0, 0, BLACKNESS);
    EXPECT_EQ(dst.at32(1, 1), 0xFFFFFFu);
    EXPECT_EQ(dst.at32(2, 1), 0u);
    EXPECT_EQ(dst.at32(3, 3), 0u);
}

TEST(BlitTest, ScrollReportsTheUncoveredArea)
{
    SurfaceDC s(10, 10, 8);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            s.surface()->row(y)[x] = BYTE(y * 10 + x);
    RECT area{0, 0, 10, 10}, update;
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_TRUE(ScrollDC(s.dc(), 0, -3, &area, &area, rgn, &update));
    EXPECT_EQ(s.at8(4, 0), 34);
    EXPECT_EQ(s.at8(4, 6), 94);
    EXPECT_EQ(update, (RECT{0, 7, 10, 10}));
    RECT box;
    EXPECT_EQ(GetRgnBox(rgn, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{0, 7, 10, 10}));
    DeleteObject(rgn);
}

TEST(BlitTest, ScrollOnTheScreenUncoversWhatCameFromHiddenParts)
{
    TheScreen().reset(800, 600, 32);
    Region visible(RECT{0, 0, 100, 100});
    visible.subtract(RECT{0, 50, 100, 60});  // a band covered by another window
    HDC dc = CreateScreenSurfaceDC({0, 0}, visible);
    RECT area{0, 0, 100, 100}, update;
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ScrollDC(dc, 0, -20, &area, &area, rgn, &update);
    Region want(RECT{0, 80, 100, 100});
    want.unite(RECT{0, 30, 100, 40});  // under the band's old pixels
    want.subtract(RECT{0, 50, 100, 60});
    EXPECT_TRUE(RegionOf(rgn)->sameArea(want));
    DeleteObject(rgn);
    DeleteDC(dc);
}

}  // namespace
}  // namespace plat

namespace plat {
namespace {

// A 6 by 6 by 6 colour cube in entries 0 to 215, greys after it.
void setCubeTable(HDC dc)
{
    RGBQUAD table[256];
    for (int i = 0; i < 216; ++i)
        table[i] = {BYTE((i % 6) * 51), BYTE((i / 6 % 6) * 51), BYTE((i / 36) * 51), 0};
    for (int i = 216; i < 256; ++i)
        table[i] = {BYTE((i - 216) * 6), BYTE((i - 216) * 6), BYTE((i - 216) * 6), 0};
    SetDIBColorTable(dc, 0, 256, table);
}

TEST(BlitPictureTest, EightToThirtyTwoAndBack)
{
    SurfaceDC eight(64, 48, 8);
    setCubeTable(eight.dc());
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            eight.surface()->row(y)[x] = BYTE((x / 4) + (y / 4) * 16);
    SurfaceDC deep(64, 48, 32);
    deep.fill(RGB(255, 255, 255));
    // Partly off the destination: the right and bottom are cut.
    BitBlt(deep.dc(), 4, 4, 64, 48, eight.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(testing::CompareWithGolden(deep.bitmap(), "blit_8_to_32"), "");

    // A smooth 32-bit picture to the cube: every pixel gets its nearest entry.
    SurfaceDC smooth(64, 48, 32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            reinterpret_cast<std::uint32_t*>(smooth.surface()->row(y))[x] =
                (std::uint32_t(x * 4) << 16) | (std::uint32_t(y * 5) << 8) | std::uint32_t(255 - x * 2);
    SurfaceDC back(64, 48, 8);
    setCubeTable(back.dc());
    BitBlt(back.dc(), 0, 0, 64, 48, smooth.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(testing::CompareWithGolden(back.bitmap(), "blit_32_to_8"), "");
    // Spot check against the rule itself.
    std::uint32_t c = reinterpret_cast<std::uint32_t*>(smooth.surface()->row(30))[40];
    BYTE r = BYTE(c >> 16), g = BYTE(c >> 8), b = BYTE(c);
    int best = 0;
    long bestD = -1;
    for (int i = 0; i < 256; ++i) {
        const RGBQUAD& q = back.surface()->colours[i];
        long d = long(q.rgbRed - r) * (q.rgbRed - r) + long(q.rgbGreen - g) * (q.rgbGreen - g) +
                 long(q.rgbBlue - b) * (q.rgbBlue - b);
        if (bestD < 0 || d < bestD) {
            bestD = d;
            best = i;
        }
    }
    EXPECT_EQ(back.at8(40, 30), best);
}

}  // namespace
}  // namespace plat
