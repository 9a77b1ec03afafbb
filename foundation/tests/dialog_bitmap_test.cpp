#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

#include "foundation/JxDialogBitmap.h"
#include "platform/draw/dc.h"
#include "platform/draw/paint.h"
#include "platform/draw/surface.h"

namespace {

// A packed DIB: header, `colours` table entries (0 means the full table),
// then rows of the given byte.
std::vector<std::uint8_t> PackedDib(int width, int height, int bitCount, std::uint32_t colours, std::uint8_t fill)
{
    plat::BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<std::uint16_t>(bitCount);
    h.biClrUsed = colours;
    std::vector<std::uint8_t> bytes(sizeof h);
    std::memcpy(bytes.data(), &h, sizeof h);
    const std::uint32_t entries = colours ? colours : 1u << bitCount;
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::uint8_t quad[4] = {std::uint8_t(i), 0x40, 0x80, 0};
        bytes.insert(bytes.end(), quad, quad + 4);
    }
    const std::size_t stride = ((std::size_t(width) * bitCount + 31) / 32) * 4;
    bytes.insert(bytes.end(), stride * std::size_t(height < 0 ? -height : height), fill);
    return bytes;
}

TEST(DialogBitmapTest, TakesSmallPalettedPicturesAndDrawsTheirColours)
{
    const auto bytes = PackedDib(5, -3, 8, 4, 2);
    JxDialogBitmap picture;
    ASSERT_TRUE(picture.Load(bytes));
    EXPECT_EQ(picture.Width(), 5);
    EXPECT_EQ(picture.Height(), 3);

    plat::HDC dc = plat::CreateCompatibleDC(nullptr);
    plat::HBITMAP target = plat::CreateBitmap(8, 8, 1, 32, nullptr);
    plat::HGDIOBJ old = plat::SelectObject(dc, target);
    picture.Draw(dc, 1, 1);
    EXPECT_EQ(plat::GetPixel(dc, 1, 1), plat::RGB(0x80, 0x40, 2));
    EXPECT_EQ(plat::GetPixel(dc, 5, 3), plat::RGB(0x80, 0x40, 2));
    EXPECT_NE(plat::GetPixel(dc, 6, 1), plat::RGB(0x80, 0x40, 2));
    plat::SelectObject(dc, old);
    plat::DeleteObject(target);
    plat::DeleteDC(dc);
}

TEST(DialogBitmapTest, RefusesPicturesThatDoNotFitTheirBytesOrTheDialog)
{
    JxDialogBitmap picture;
    auto cut = PackedDib(16, 16, 4, 0, 1);
    cut.pop_back();
    EXPECT_FALSE(picture.Load(cut)) << "last row one byte short";
    EXPECT_FALSE(picture.IsLoaded());

    EXPECT_FALSE(picture.Load(PackedDib(4, 4, 1, 3, 0))) << "more colours than one bit can index";
    EXPECT_FALSE(picture.Load(PackedDib(4, 4, 16, 0, 0))) << "too deep";
    EXPECT_FALSE(picture.Load(PackedDib(257, 1, 8, 1, 0))) << "too wide";

    auto tallest = PackedDib(1, 1, 8, 1, 0);
    const std::int32_t minHeight = INT_MIN;
    std::memcpy(tallest.data() + 8, &minHeight, sizeof minHeight);
    EXPECT_FALSE(picture.Load(tallest)) << "a height with no positive counterpart";

    ASSERT_TRUE(picture.Load(PackedDib(2, 2, 8, 1, 0)));
    EXPECT_FALSE(picture.Load(std::span<const std::uint8_t>{}));
    EXPECT_FALSE(picture.IsLoaded()) << "a failed load leaves no picture behind";
}

}  // namespace
