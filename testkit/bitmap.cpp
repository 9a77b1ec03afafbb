#include "testkit/bitmap.h"

#include <algorithm>

namespace testkit {

namespace {

void le16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

void le32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    le16(out, v & 0xFFFF);
    le16(out, v >> 16);
}

}  // namespace

std::vector<Rgb> GreyPalette()
{
    std::vector<Rgb> palette(256);
    for (int i = 0; i < 256; ++i)
        palette[std::size_t(i)] = {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)};
    return palette;
}

std::vector<std::uint8_t> PaletteResource(const std::vector<Rgb>& palette)
{
    std::vector<std::uint8_t> out;
    le16(out, 0x300);
    le16(out, std::uint32_t(palette.size()));
    for (const Rgb& c : palette)
        out.insert(out.end(), {c[0], c[1], c[2], 0});
    return out;
}

Bitmap8::Bitmap8(int width, int height, std::vector<Rgb> palette)
    : width_(width), height_(height), palette_(std::move(palette)), pixels_(std::size_t(width) * std::size_t(height))
{
}

Bitmap8& Bitmap8::fill(std::uint8_t index)
{
    std::fill(pixels_.begin(), pixels_.end(), index);
    return *this;
}

Bitmap8& Bitmap8::rect(int x, int y, int w, int h, std::uint8_t index)
{
    for (int row = std::max(y, 0); row < std::min(y + h, height_); ++row)
        for (int col = std::max(x, 0); col < std::min(x + w, width_); ++col)
            pixels_[std::size_t(row) * std::size_t(width_) + std::size_t(col)] = index;
    return *this;
}

std::vector<std::uint8_t> Bitmap8::Bytes() const
{
    const std::uint32_t stride = (std::uint32_t(width_) + 3) & ~3u;
    const std::uint32_t colours = std::uint32_t(palette_.size());
    const std::uint32_t bitsAt = 14 + 40 + 4 * colours;
    const std::uint32_t imageSize = stride * std::uint32_t(height_);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    le32(out, bitsAt + imageSize);
    le32(out, 0);
    le32(out, bitsAt);
    le32(out, 40);
    le32(out, std::uint32_t(width_));
    le32(out, std::uint32_t(height_));
    le16(out, 1);
    le16(out, 8);
    le32(out, 0);
    le32(out, imageSize);
    le32(out, 2835);
    le32(out, 2835);
    le32(out, colours);
    le32(out, 0);
    for (const Rgb& c : palette_)
        out.insert(out.end(), {c[2], c[1], c[0], 0});
    for (int row = height_ - 1; row >= 0; --row) {
        const auto first = pixels_.begin() + std::ptrdiff_t(row) * width_;
        out.insert(out.end(), first, first + width_);
        out.insert(out.end(), stride - std::uint32_t(width_), 0);
    }
    return out;
}

}  // namespace testkit
