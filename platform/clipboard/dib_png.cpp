#include "platform/clipboard/dib_png.h"

#include <cstring>

#include "platform/core/png_encode.h"
#include "platform/draw/draw.h"

namespace plat {

namespace {

// A larger picture than any page is refused rather than allocated.
constexpr LONG kLargestSide = 16384;

}  // namespace

std::string PackedDibToPng(const std::vector<std::uint8_t>& dib)
{
    BITMAPINFO info{};
    if (dib.size() < sizeof(BITMAPINFOHEADER))
        return {};
    std::memcpy(&info.bmiHeader, dib.data(), sizeof(BITMAPINFOHEADER));
    const BITMAPINFOHEADER& h = info.bmiHeader;
    const LONG height = h.biHeight < 0 ? -std::int64_t(h.biHeight) : h.biHeight;
    if (h.biSize != sizeof(BITMAPINFOHEADER) || h.biCompression != BI_RGB ||
        (h.biBitCount != 8 && h.biBitCount != 32) || h.biWidth <= 0 || h.biWidth > kLargestSide || height <= 0 ||
        height > kLargestSide)
        return {};
    const std::size_t colours = DibColourCount(h);
    const std::size_t table = colours * sizeof(RGBQUAD);
    const std::size_t pixels = std::size_t(DibStride(h.biWidth, h.biBitCount)) * std::size_t(height);
    if (dib.size() - sizeof(BITMAPINFOHEADER) < table || dib.size() - sizeof(BITMAPINFOHEADER) - table < pixels)
        return {};
    std::memcpy(info.bmiColors, dib.data() + sizeof(BITMAPINFOHEADER), table);
    const std::uint8_t* bits = dib.data() + sizeof(BITMAPINFOHEADER) + table;

    // Drawn once into a 32-bit top-down picture, through the colour table.
    BITMAPINFO rgb{};
    rgb.bmiHeader.biWidth = h.biWidth;
    rgb.bmiHeader.biHeight = -height;
    rgb.bmiHeader.biBitCount = 32;
    void* out = nullptr;
    HBITMAP target = CreateDIBSection(nullptr, &rgb, DIB_RGB_COLORS, &out);
    HDC dc = target ? CreateCompatibleDC(nullptr) : nullptr;
    std::string png;
    if (dc) {
        HGDIOBJ old = SelectObject(dc, target);
        if (SetDIBitsToDevice(dc, 0, 0, DWORD(h.biWidth), DWORD(height), 0, 0, 0, UINT(height), bits, &info,
                              DIB_RGB_COLORS) > 0) {
            const auto* argb = static_cast<const std::uint32_t*>(out);
            png = EncodeRgbPng(int(h.biWidth), int(height), [&](int y, std::uint8_t* line) {
                const std::uint32_t* src = argb + std::size_t(y) * std::size_t(h.biWidth);
                for (LONG x = 0; x < h.biWidth; ++x) {
                    line[std::size_t(x) * 3 + 0] = std::uint8_t(src[x] >> 16);
                    line[std::size_t(x) * 3 + 1] = std::uint8_t(src[x] >> 8);
                    line[std::size_t(x) * 3 + 2] = std::uint8_t(src[x]);
                }
            });
        }
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    if (target)
        DeleteObject(target);
    return png;
}

}  // namespace plat
