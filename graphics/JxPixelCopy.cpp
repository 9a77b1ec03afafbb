#include "graphics/JxPixelCopy.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// The first destination row and the step between destination rows.
void Orient(std::uint8_t*& dst, std::ptrdiff_t& dstStep, std::int32_t height, bool flip)
{
    if (flip) {
        dst += dstStep * (height - 1);
        dstStep = -dstStep;
    }
}

void CopyKeyedRow(std::uint8_t* dst, const std::uint8_t* src, std::int32_t width, std::uint8_t key)
{
    for (std::int32_t x = 0; x < width; ++x)
        if (src[x] != key)
            dst[x] = src[x];
}

std::int64_t RowStride(const plat::BITMAPINFOHEADER& h)
{
    return ((std::int64_t(h.biWidth) * h.biBitCount + 31) / 32) * 4;
}

// The address of pixel (x, y) in top-down coordinates, for a block of rows
// starting there.
template <class Byte>
Byte* PixelAt(Byte* bits, const plat::BITMAPINFOHEADER& g, std::int32_t x, std::int32_t y,
                            std::int32_t rows)
{
    const std::int64_t stride = RowStride(g);
    const bool topDown = g.biHeight < 0;
    const std::int64_t absHeight = std::llabs(g.biHeight);
    // A bottom-up bitmap's block starts at its lowest row in memory: the
    // last of the rows copied.
    const std::int64_t row = topDown ? y : absHeight - y - rows;
    return bits + stride * row + x;
}

}  // namespace

void CopyPixelRows(std::uint8_t* dst, std::ptrdiff_t dstStep, const std::uint8_t* src, std::ptrdiff_t srcStep,
                   std::int32_t width, std::int32_t height, bool flip)
{
    if (width <= 0 || height <= 0)
        return;
    Orient(dst, dstStep, height, flip);
    for (std::int32_t y = 0; y < height; ++y, dst += dstStep, src += srcStep)
        std::memcpy(dst, src, std::size_t(width));
}

void CopyPixelRowsKeyed(std::uint8_t* dst, std::ptrdiff_t dstStep, const std::uint8_t* src,
                        std::ptrdiff_t srcStep, std::int32_t width, std::int32_t height, bool flip,
                        std::uint8_t key)
{
    if (width <= 0 || height <= 0)
        return;
    Orient(dst, dstStep, height, flip);
    for (std::int32_t y = 0; y < height; ++y, dst += dstStep, src += srcStep)
        CopyKeyedRow(dst, src, width, key);
}

int CopyDibRect(std::uint8_t* dstBits, const plat::BITMAPINFOHEADER& dstDib, const plat::RECT& dstRect,
                const std::uint8_t* srcBits, const plat::BITMAPINFOHEADER& srcDib, const plat::RECT& srcRect, int mode,
                std::uint8_t key)
{
    if (!dstBits || !srcBits)
        return 0;
    if (dstDib.biBitCount != 8 || srcDib.biBitCount != 8)
        return 0;
    if (dstRect.right <= dstRect.left || dstRect.bottom <= dstRect.top || srcRect.right <= srcRect.left ||
        srcRect.bottom <= srcRect.top)
        return 1;

    // Work in 64 bits: the rectangles may come from anywhere.
    std::int64_t w = std::min<std::int64_t>(std::int64_t(dstRect.right) - dstRect.left,
                                            std::int64_t(srcRect.right) - srcRect.left);
    std::int64_t h = std::min<std::int64_t>(std::int64_t(dstRect.bottom) - dstRect.top,
                                            std::int64_t(srcRect.bottom) - srcRect.top);
    std::int64_t sx = srcRect.left, sy = srcRect.top, dx = dstRect.left, dy = dstRect.top;

    // Clip both corners at 0, moving the other rectangle with them, then
    // trim to what both bitmaps hold.
    const auto clipLow = [](std::int64_t& a, std::int64_t& b, std::int64_t& extent) {
        const std::int64_t cut = std::max<std::int64_t>({0, -a, -b});
        a += cut;
        b += cut;
        extent -= cut;
    };
    clipLow(sx, dx, w);
    clipLow(sy, dy, h);
    w = std::min({w, std::int64_t(srcDib.biWidth) - sx, std::int64_t(dstDib.biWidth) - dx});
    h = std::min({h, std::int64_t(std::llabs(srcDib.biHeight)) - sy, std::int64_t(std::llabs(dstDib.biHeight)) - dy});
    if (w <= 0 || h <= 0)
        return 1;

    const auto rows = std::int32_t(h);
    const std::uint8_t* src = PixelAt(srcBits, srcDib, std::int32_t(sx), std::int32_t(sy), rows);
    std::uint8_t* dst = PixelAt(dstBits, dstDib, std::int32_t(dx), std::int32_t(dy), rows);
    const bool flip = (srcDib.biHeight < 0) != (dstDib.biHeight < 0);
    const auto srcStep = std::ptrdiff_t(RowStride(srcDib));
    const auto dstStep = std::ptrdiff_t(RowStride(dstDib));
    if (mode == kCopyOpaque)
        CopyPixelRows(dst, dstStep, src, srcStep, std::int32_t(w), rows, flip);
    else if (mode == kCopyTransparent)
        CopyPixelRowsKeyed(dst, dstStep, src, srcStep, std::int32_t(w), rows, flip, key);
    return 1;
}
