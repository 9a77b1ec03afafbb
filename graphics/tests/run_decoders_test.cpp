#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "graphics/JxRunDecoders.h"
#include "testkit/run_length.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// An output buffer with canary bytes on both sides, to catch writes past
// either end.
class Guarded {
public:
    explicit Guarded(std::size_t size, std::uint8_t fill = 0xEE) : buf_(size + 2 * kGuard, fill)
    {
        std::fill(buf_.begin(), buf_.begin() + kGuard, kCanary);
        std::fill(buf_.end() - kGuard, buf_.end(), kCanary);
    }
    std::span<std::uint8_t> span() { return {buf_.data() + kGuard, buf_.size() - 2 * kGuard}; }
    Bytes bytes() const { return Bytes(buf_.begin() + kGuard, buf_.end() - kGuard); }
    bool CanariesIntact() const
    {
        for (std::size_t i = 0; i < kGuard; ++i)
            if (buf_[i] != kCanary || buf_[buf_.size() - 1 - i] != kCanary)
                return false;
        return true;
    }

private:
    static constexpr std::size_t kGuard = 16;
    static constexpr std::uint8_t kCanary = 0xA5;
    Bytes buf_;
};

// A picture of short runs and noise, like a frame of an animation.
Bytes Picture(std::size_t n, unsigned seed)
{
    std::mt19937 rng(seed);
    Bytes p;
    while (p.size() < n) {
        const std::uint8_t v = std::uint8_t(rng() % 6);
        const std::size_t len = rng() % 3 == 0 ? 1 : 1 + rng() % 20;
        for (std::size_t i = 0; i < len && p.size() < n; ++i)
            p.push_back(rng() % 4 == 0 ? std::uint8_t(rng()) : v);
    }
    return p;
}

plat::BITMAPINFOHEADER Header(std::int32_t width)
{
    plat::BITMAPINFOHEADER h;
    h.biWidth = width;
    h.biHeight = 1;
    h.biBitCount = 8;
    h.biCompression = plat::BI_RLE8;
    return h;
}

std::size_t EvenWidth(std::size_t width) { return (width + 1) & ~std::size_t(1); }

}  // namespace

TEST(PicsDecoder, RunsAndLiterals)
{
    Guarded out(5);
    EXPECT_TRUE(DecodeRunsToBuffer(out.span(), Bytes{0x05, 0x07}));
    EXPECT_EQ(out.bytes(), (Bytes{7, 7, 7, 7, 7}));
    Guarded lit(3);
    EXPECT_TRUE(DecodeRunsToBuffer(lit.span(), Bytes{0x83, 1, 2, 3}));
    EXPECT_EQ(lit.bytes(), (Bytes{1, 2, 3}));
}

TEST(PicsDecoder, ZeroLengthRecordsStillMakeProgress)
{
    Guarded out(3);
    EXPECT_TRUE(DecodeRunsToBuffer(out.span(), Bytes{0x00, 0x05, 0x80, 0x03, 0x09}));
    EXPECT_EQ(out.bytes(), (Bytes{9, 9, 9}));
    Guarded none(3);
    EXPECT_FALSE(DecodeRunsToBuffer(none.span(), Bytes(1000, 0x80)));  // only empty literals
    EXPECT_TRUE(none.CanariesIntact());
}

TEST(PicsDecoder, RunAcrossARowEndOfAPaddedFrame)
{
    // Width 6: rows of 6 pixels padded to 8. A run of 8 from column 4 fills
    // columns 4 and 5 and then the whole next row; padding is not written.
    Guarded out(16);
    EXPECT_TRUE(DecodeRunsWithStride(out.span(), Bytes{0x84, 1, 2, 3, 4, 0x08, 9}, 6));
    EXPECT_EQ(out.bytes(), (Bytes{1, 2, 3, 4, 9, 9, 0xEE, 0xEE, 9, 9, 9, 9, 9, 9, 0xEE, 0xEE}));
    EXPECT_TRUE(out.CanariesIntact());
}

TEST(PicsDecoder, ExactPixelsForWidthsSixSevenAndTen)
{
    for (std::size_t width : {6u, 7u, 10u}) {
        SCOPED_TRACE(width);
        const std::size_t rows = 9;
        const std::size_t even = EvenWidth(width);
        const Bytes coded = Picture(even * rows, unsigned(width));
        const Bytes code = testkit::EncodePicsCode(coded);
        const std::size_t stride = (even + 3) & ~std::size_t(3);
        Guarded out(stride * rows);
        if (stride == even)
            ASSERT_TRUE(DecodeRunsToBuffer(out.span(), code));
        else
            ASSERT_TRUE(DecodeRunsWithStride(out.span(), code, std::uint32_t(even)));
        const Bytes got = out.bytes();
        for (std::size_t y = 0; y < rows; ++y)
            for (std::size_t x = 0; x < width; ++x)
                ASSERT_EQ(got[y * stride + x], coded[y * even + x]) << "at " << x << "," << y;
        EXPECT_TRUE(out.CanariesIntact());
    }
}

TEST(PicsDecoder, TransparentFormsKeepTheBackgroundUnderTheKey)
{
    Guarded out(8, 0x33);
    // Run of the key, literal with a key byte in it, run of another colour.
    EXPECT_TRUE(DecodeRunsTransparent(out.span(), Bytes{0x03, 0xFF, 0x83, 1, 0xFF, 2, 0x02, 5}, 0xFF));
    EXPECT_EQ(out.bytes(), (Bytes{0x33, 0x33, 0x33, 1, 0x33, 2, 5, 5}));

    // Stride form: a key run that crosses a row end skips the padding too.
    Guarded strided(16, 0x33);
    EXPECT_TRUE(DecodeRunsTransparentStride(strided.span(), Bytes{0x81, 1, 0x08, 0xFF, 0x83, 7, 0xFF, 8}, 6,
                                            0xFF));
    EXPECT_EQ(strided.bytes(),
              (Bytes{1, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 7, 0x33, 8, 0x33, 0x33}));
    EXPECT_TRUE(strided.CanariesIntact());
}

TEST(PicsDecoder, DamagedCodeStopsAndKeepsWhatItDecoded)
{
    Guarded out(6);
    EXPECT_FALSE(DecodeRunsToBuffer(out.span(), Bytes{0x02, 4, 0x85, 1, 2}));  // literal cut short
    EXPECT_EQ(out.bytes(), (Bytes{4, 4, 1, 2, 0xEE, 0xEE}));
    Guarded over(4);
    EXPECT_FALSE(DecodeRunsToBuffer(over.span(), Bytes{0x7F, 1}));  // run past the output
    EXPECT_EQ(over.bytes(), (Bytes{1, 1, 1, 1}));
    EXPECT_TRUE(over.CanariesIntact());
    Guarded cut(4);
    EXPECT_FALSE(DecodeRunsToBuffer(cut.span(), Bytes{0x02}));  // run without its value
    EXPECT_FALSE(DecodeRunsWithStride(cut.span(), Bytes{0x04, 1}, 0));
    EXPECT_TRUE(cut.CanariesIntact());
}

namespace {

std::vector<std::size_t> RowOffsets(std::size_t rows, std::size_t stride, bool upward)
{
    std::vector<std::size_t> at;
    for (std::size_t r = 0; r < rows; ++r)
        at.push_back(upward ? (rows - 1 - r) * stride : r * stride);
    return at;
}

}  // namespace

TEST(Rle8Decoder, ExactPixelsForWidthsSixSevenAndTenBothWays)
{
    for (bool upward : {false, true}) {
        for (std::size_t width : {6u, 7u, 10u}) {
            SCOPED_TRACE(testing::Message() << "width " << width << (upward ? " upward" : " downward"));
            const std::size_t rows = 7;
            const Bytes pixels = Picture(width * rows, unsigned(width + 100));
            const std::size_t stride = (width + 3) & ~std::size_t(3);
            Guarded out(stride * rows);
            ASSERT_TRUE(DecodeRle8(Header(std::int32_t(width)), out.span(), testkit::EncodeRle8(pixels, width), upward));
            const Bytes got = out.bytes();
            const auto at = RowOffsets(rows, stride, upward);
            for (std::size_t y = 0; y < rows; ++y)
                for (std::size_t x = 0; x < width; ++x)
                    ASSERT_EQ(got[at[y] + x], pixels[y * width + x]) << "at " << x << "," << y;
            EXPECT_TRUE(out.CanariesIntact());
        }
    }
}

TEST(Rle8Decoder, EscapesDeltaAndAbsoluteMode)
{
    Guarded out(4 * 3, 0);
    const Bytes code = {
        0, 3, 1, 2, 3, 0,  // absolute 1 2 3, padded to even
        0, 0,              // end of line
        0, 2, 1, 1,        // delta: one right, one down
        2, 9,              // run
        0, 1,              // end of bitmap
        5, 5,              // never read
    };
    EXPECT_TRUE(DecodeRle8(Header(3), out.span(), code, false));
    EXPECT_EQ(out.bytes(), (Bytes{1, 2, 3, 0, 0, 0, 0, 0, 0, 9, 9, 0}));
}

TEST(Rle8Decoder, PixelsPastTheWidthOrTheRowsAreDropped)
{
    Guarded out(4 * 2, 0);
    // A run longer than the row writes only the row's pixels; a run two rows
    // down is outside the picture.
    EXPECT_FALSE(DecodeRle8(Header(3), out.span(), Bytes{200, 7, 0, 2, 0, 2, 1, 1}, false));
    EXPECT_EQ(out.bytes(), (Bytes{7, 7, 7, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(out.CanariesIntact());
    EXPECT_FALSE(DecodeRle8(Header(0), out.span(), Bytes{0, 1}, false));
    EXPECT_FALSE(DecodeRle8(Header(3), out.span(), Bytes{0, 5, 1, 2}, false));  // absolute cut short
    EXPECT_FALSE(DecodeRle8(Header(3), out.span(), Bytes{0, 2, 1}, false));     // delta cut short
    EXPECT_TRUE(DecodeRle8(Header(3), out.span(), Bytes{2, 1}, true));          // ends between records
}

TEST(Decoders, RandomAndTruncatedInputStayInBounds)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 3000; ++round) {
        Bytes code(rng() % 64);
        for (auto& b : code)
            b = std::uint8_t(rng());
        if (round % 3 == 0) {
            // Valid code, cut at a random point.
            code = testkit::EncodePicsCode(Picture(64, unsigned(round)));
            code.resize(rng() % (code.size() + 1));
        } else if (round % 3 == 1) {
            code = testkit::EncodeRle8(Picture(60, unsigned(round)), 6);
            code.resize(rng() % (code.size() + 1));
        }
        const std::size_t size = rng() % 80;
        const std::uint32_t even = 2 + 2 * (rng() % 4);
        const std::uint8_t key = std::uint8_t(rng());
        // A copy of exactly the code's size, so that reading past it is caught.
        const std::unique_ptr<std::uint8_t[]> tight(new std::uint8_t[code.size()]);
        std::copy(code.begin(), code.end(), tight.get());
        const std::span<const std::uint8_t> in(tight.get(), code.size());
        Guarded a(size), b(size), c(size), d(size), e(size);
        DecodeRunsToBuffer(a.span(), in);
        DecodeRunsWithStride(b.span(), in, even);
        DecodeRunsTransparent(c.span(), in, key);
        DecodeRunsTransparentStride(d.span(), in, even, key);
        DecodeRle8(Header(std::int32_t(1 + rng() % 12)), e.span(), in, rng() % 2 == 0);
        ASSERT_TRUE(a.CanariesIntact() && b.CanariesIntact() && c.CanariesIntact() && d.CanariesIntact() &&
                    e.CanariesIntact())
            << "round " << round;
    }
}
