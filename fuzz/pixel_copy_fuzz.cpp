// The pixel copiers on any bitmaps and rectangles: CopyDibRect touches
// nothing outside either bitmap (each one allocated to its exact size) and
// gives, pixel for pixel, what the plain rule says: source pixel
// (srcRect.left + i, srcRect.top + j) goes to destination pixel
// (dstRect.left + i, dstRect.top + j) for i and j below the smaller width
// and height, where both pixels lie inside their bitmaps, both upright.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "graphics/JxPixelCopy.h"

namespace {

struct Input {
    const std::uint8_t* data;
    std::size_t size;
    std::uint8_t byte()
    {
        if (size == 0)
            return 0;
        --size;
        return *data++;
    }
    std::int32_t word()
    {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v = v << 8 | byte();
        return static_cast<std::int32_t>(v);
    }
    // Mostly small coordinates, sometimes any 32-bit value.
    std::int32_t coordinate()
    {
        const std::uint8_t kind = byte();
        return kind & 0x80 ? word() : static_cast<std::int32_t>(kind % 80) - 8;
    }
};

struct Dib {
    plat::BITMAPINFOHEADER header{};
    std::vector<std::uint8_t> bits;
    std::int64_t stride = 0;

    Dib(Input& in, std::uint8_t fill)
    {
        header.biSize = sizeof header;
        header.biWidth = in.byte() % 40;
        const std::int32_t height = in.byte() % 40;
        header.biHeight = in.byte() & 1 ? -height : height;
        header.biPlanes = 1;
        header.biBitCount = in.byte() % 16 == 0 ? 4 : 8;
        stride = (std::int64_t(header.biWidth) * 8 + 31) / 32 * 4;
        bits.resize(static_cast<std::size_t>(stride * height));
        for (std::size_t i = 0; i < bits.size(); ++i)
            bits[i] = static_cast<std::uint8_t>(fill + i * 7);
    }
    std::int32_t height() const { return std::abs(header.biHeight); }
    bool holds(std::int64_t x, std::int64_t y) const
    {
        return x >= 0 && y >= 0 && x < header.biWidth && y < height();
    }
    // Pixel (x, y) counted from the top.
    std::size_t at(std::int64_t x, std::int64_t y) const
    {
        const std::int64_t row = header.biHeight < 0 ? y : height() - 1 - y;
        return static_cast<std::size_t>(row * stride + x);
    }
};

plat::RECT rect(Input& in)
{
    plat::RECT r;
    r.left = in.coordinate();
    r.top = in.coordinate();
    r.right = in.coordinate();
    r.bottom = in.coordinate();
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in{data, size};
    Dib dst(in, 0);
    const Dib src(in, 128);
    const plat::RECT dstRect = rect(in);
    const plat::RECT srcRect = rect(in);
    const int mode = in.byte() % 3;
    const std::uint8_t key = in.byte();

    // Exact-size copies of the pixels, so that any access past them is seen.
    std::unique_ptr<std::uint8_t[]> dstBits(new std::uint8_t[dst.bits.size()]);
    std::unique_ptr<std::uint8_t[]> srcBits(new std::uint8_t[src.bits.size()]);
    std::copy(dst.bits.begin(), dst.bits.end(), dstBits.get());
    std::copy(src.bits.begin(), src.bits.end(), srcBits.get());
    const int result = CopyDibRect(dstBits.get(), dst.header, dstRect, srcBits.get(), src.header, srcRect,
                                   mode, key);

    const bool eightBit = dst.header.biBitCount == 8 && src.header.biBitCount == 8;
    if (result != (eightBit ? 1 : 0))
        std::abort();
    const std::int64_t w = std::min(std::int64_t(dstRect.right) - dstRect.left,
                                    std::int64_t(srcRect.right) - srcRect.left);
    const std::int64_t h = std::min(std::int64_t(dstRect.bottom) - dstRect.top,
                                    std::int64_t(srcRect.bottom) - srcRect.top);
    for (std::int64_t y = 0; y < dst.height(); ++y) {
        for (std::int64_t x = 0; x < dst.header.biWidth; ++x) {
            std::uint8_t expected = dst.bits[dst.at(x, y)];
            const std::int64_t i = x - dstRect.left, j = y - dstRect.top;
            const std::int64_t sx = srcRect.left + i, sy = srcRect.top + j;
            if (eightBit && mode != 2 && i >= 0 && j >= 0 && i < w && j < h && src.holds(sx, sy)) {
                const std::uint8_t s = src.bits[src.at(sx, sy)];
                if (mode == kCopyOpaque || s != key)
                    expected = s;
            }
            if (dstBits[dst.at(x, y)] != expected)
                std::abort();
        }
    }
    return 0;
}
