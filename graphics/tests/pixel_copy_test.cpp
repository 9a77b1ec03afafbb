#include <gtest/gtest.h>

#include <vector>

#include "graphics/JxPixelCopy.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// An 8-bit DIB in memory with canary rows around its bits.
struct Dib {
    Dib(std::int32_t w, std::int32_t h, std::uint8_t fill)
        : geometry(Header(w, h)), stride((w + 3) & ~3), rows(h < 0 ? -h : h),
          store(std::size_t(stride * (rows + 2)), kCanary)
    {
        std::fill(bits(), bits() + stride * rows, fill);
    }
    std::uint8_t* bits() { return store.data() + stride; }
    // Pixel (x, y) with y counted from the top of the picture.
    std::uint8_t& at(int x, int y) { return bits()[(geometry.biHeight < 0 ? y : rows - 1 - y) * stride + x]; }
    bool CanariesIntact() const
    {
        for (int i = 0; i < stride; ++i)
            if (store[std::size_t(i)] != kCanary || store[store.size() - 1 - std::size_t(i)] != kCanary)
                return false;
        return true;
    }

    static constexpr std::uint8_t kCanary = 0xA5;
    static plat::BITMAPINFOHEADER Header(std::int32_t w, std::int32_t h)
    {
        plat::BITMAPINFOHEADER hd;
        hd.biWidth = w;
        hd.biHeight = h;
        hd.biBitCount = 8;
        return hd;
    }

    plat::BITMAPINFOHEADER geometry;
    int stride;
    int rows;
    Bytes store;
};

// Fills a DIB with a picture whose every pixel names its position.
void Paint(Dib& d)
{
    for (int y = 0; y < d.rows; ++y)
        for (int x = 0; x < d.geometry.biWidth; ++x)
            d.at(x, y) = std::uint8_t(y * 16 + x);
}

}  // namespace

TEST(CopyDibRect, KeepsThePictureUprightBetweenOrientations)
{
    for (bool srcTopDown : {false, true}) {
        for (bool dstTopDown : {false, true}) {
            SCOPED_TRACE(testing::Message() << srcTopDown << dstTopDown);
            Dib src(7, srcTopDown ? -5 : 5, 0);
            Paint(src);
            Dib dst(10, dstTopDown ? -6 : 6, 0xEE);
            ASSERT_EQ(CopyDibRect(dst.bits(), dst.geometry, plat::RECT{2, 1, 8, 5}, src.bits(), src.geometry,
                                  plat::RECT{1, 1, 7, 5}, kCopyOpaque, 0),
                      1);
            for (int y = 0; y < 6; ++y) {
                for (int x = 0; x < 10; ++x) {
                    const bool copied = x >= 2 && x < 8 && y >= 1 && y < 5;
                    const std::uint8_t want = copied ? src.at(x - 1, y) : 0xEE;
                    ASSERT_EQ(dst.at(x, y), want) << "at " << x << "," << y;
                }
            }
            EXPECT_TRUE(dst.CanariesIntact());
        }
    }
}

TEST(CopyDibRect, ClipsBothRectanglesToTheirBitmaps)
{
    Dib src(6, 4, 0);
    Paint(src);
    Dib dst(6, -4, 0xEE);
    // Source starts left of and above its bitmap: the destination moves.
    ASSERT_EQ(CopyDibRect(dst.bits(), dst.geometry, plat::RECT{0, 0, 6, 4}, src.bits(), src.geometry,
                          plat::RECT{-2, -1, 4, 3}, kCopyOpaque, 0),
              1);
    EXPECT_EQ(dst.at(0, 0), 0xEE);
    EXPECT_EQ(dst.at(2, 1), src.at(0, 0));
    EXPECT_EQ(dst.at(5, 3), src.at(3, 2));
    EXPECT_EQ(dst.at(1, 1), 0xEE);
    // Destination hanging over the right and bottom edges, and far away.
    ASSERT_EQ(CopyDibRect(dst.bits(), dst.geometry, plat::RECT{4, 2, 40, 40}, src.bits(), src.geometry,
                          plat::RECT{0, 0, 36, 38}, kCopyOpaque, 0),
              1);
    EXPECT_EQ(dst.at(5, 3), src.at(1, 1));
    EXPECT_EQ(CopyDibRect(dst.bits(), dst.geometry, plat::RECT{-100, 500, 100, 600}, src.bits(), src.geometry,
                          plat::RECT{0, 0, 6, 4}, kCopyOpaque, 0),
              1);
    EXPECT_TRUE(dst.CanariesIntact());
}

TEST(CopyDibRect, TransparentModeAndRefusals)
{
    Dib src(4, 1, 9);
    src.at(1, 0) = 0xFF;
    Dib dst(4, 1, 3);
    ASSERT_EQ(CopyDibRect(dst.bits(), dst.geometry, plat::RECT{0, 0, 4, 1}, src.bits(), src.geometry,
                          plat::RECT{0, 0, 4, 1}, kCopyTransparent, 0xFF),
              1);
    EXPECT_EQ(Bytes(dst.bits(), dst.bits() + 4), (Bytes{9, 3, 9, 9}));
    Dib other(4, 1, 3);
    EXPECT_EQ(CopyDibRect(other.bits(), other.geometry, plat::RECT{0, 0, 4, 1}, src.bits(), src.geometry,
                          plat::RECT{0, 0, 4, 1}, 2, 0),
              1);
    EXPECT_EQ(other.at(0, 0), 3);  // unknown mode copies nothing
    EXPECT_EQ(CopyDibRect(nullptr, dst.geometry, plat::RECT{0, 0, 4, 1}, src.bits(), src.geometry,
                          plat::RECT{0, 0, 4, 1}, 0, 0),
              0);
    EXPECT_EQ(CopyDibRect(dst.bits(), dst.geometry, plat::RECT{0, 0, 0, 1}, src.bits(), src.geometry,
                          plat::RECT{0, 0, 4, 1}, 0, 0),
              1);
    plat::BITMAPINFOHEADER deep = dst.geometry;
    deep.biBitCount = 32;
    EXPECT_EQ(CopyDibRect(dst.bits(), deep, plat::RECT{0, 0, 1, 1}, src.bits(), src.geometry,
                          plat::RECT{0, 0, 1, 1}, 0, 0),
              0);
}

TEST(CopyPixelRows, FlipTurnsTheRowsOver)
{
    const Bytes src = {1, 2, 3, 4, 5, 6};
    Bytes dst(6, 0);
    CopyPixelRows(dst.data(), 2, src.data(), 2, 2, 3, true);
    EXPECT_EQ(dst, (Bytes{5, 6, 3, 4, 1, 2}));
    Bytes keyed(6, 0);
    CopyPixelRowsKeyed(keyed.data(), 2, src.data(), 2, 2, 3, false, 4);
    EXPECT_EQ(keyed, (Bytes{1, 2, 3, 0, 5, 6}));
    Bytes untouched(6, 0);
    CopyPixelRows(untouched.data(), 2, src.data(), 2, 0, 3, false);
    EXPECT_EQ(untouched, Bytes(6, 0));
}
