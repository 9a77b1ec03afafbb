#include "testkit/bmp.h"

#include <span>

#include "testkit/run_length.h"

namespace testkit {

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(std::uint8_t(v & 0xFF));
    out.push_back(std::uint8_t((v >> 8) & 0xFF));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// The rows in the order they are stored.
std::vector<std::uint8_t> StoredRows(const BmpPicture& p, BmpRows rows, std::size_t stride)
{
    std::vector<std::uint8_t> out;
    out.reserve(stride * std::size_t(p.height));
    for (std::int32_t i = 0; i < p.height; ++i) {
        const std::int32_t y = rows == BmpRows::TopDown ? i : p.height - 1 - i;
        const auto* row = p.pixels.data() + std::size_t(y) * std::size_t(p.width);
        out.insert(out.end(), row, row + p.width);
        out.resize(out.size() + (stride - std::size_t(p.width)), 0);
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePackedDib(const BmpPicture& p, BmpCoding coding, BmpRows rows)
{
    const std::size_t stride = (std::size_t(p.width) + 3) & ~std::size_t(3);
    std::vector<std::uint8_t> bits;
    if (coding == BmpCoding::Rle8)
        bits = EncodeRle8(StoredRows(p, rows, std::size_t(p.width)), std::size_t(p.width));
    else
        bits = StoredRows(p, rows, stride);

    std::vector<std::uint8_t> out;
    Put32(out, 40);
    Put32(out, std::uint32_t(p.width));
    Put32(out, std::uint32_t(rows == BmpRows::TopDown ? -p.height : p.height));
    Put16(out, 1);
    Put16(out, 8);
    Put32(out, coding == BmpCoding::Rle8 ? 1 : 0);
    Put32(out, std::uint32_t(bits.size()));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, p.colours.size() == 256 ? 0 : std::uint32_t(p.colours.size()));
    Put32(out, 0);
    for (const Rgb& c : p.colours) {
        out.push_back(c[2]);
        out.push_back(c[1]);
        out.push_back(c[0]);
        out.push_back(0);
    }
    out.insert(out.end(), bits.begin(), bits.end());
    return out;
}

std::vector<std::uint8_t> EncodeBmp(const BmpPicture& p, BmpCoding coding, BmpRows rows)
{
    const std::vector<std::uint8_t> dib = EncodePackedDib(p, coding, rows);
    std::vector<std::uint8_t> out{'B', 'M'};
    Put32(out, std::uint32_t(14 + dib.size()));
    Put32(out, 0);
    Put32(out, std::uint32_t(14 + 40 + 4 * p.colours.size()));
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

std::vector<std::uint8_t> EncodeLogPalette(const std::vector<Rgb>& colours)
{
    std::vector<std::uint8_t> out;
    Put16(out, 0x300);
    Put16(out, std::uint32_t(colours.size()));
    for (const Rgb& c : colours) {
        out.insert(out.end(), c.begin(), c.end());
        out.push_back(0);
    }
    return out;
}

std::vector<Rgb> DistinctColours()
{
    std::vector<Rgb> colours(256);
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t((i * 37) & 0xFF)};
    colours[0] = {0, 0, 0};
    colours[255] = {255, 255, 255};
    return colours;
}

BmpPicture PatternPicture(std::int32_t width, std::int32_t height)
{
    BmpPicture p;
    p.width = width;
    p.height = height;
    p.colours = DistinctColours();
    p.pixels.resize(std::size_t(width) * std::size_t(height));
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            // Runs of equal pixels (for the run-length code) and distinct
            // rows; never 0 or 255, which the sections keep black and white.
            p.pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] = std::uint8_t(1 + (y * 7 + x / 3) % 250);
    return p;
}

}  // namespace testkit
