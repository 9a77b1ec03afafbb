// The installer's check of its bitmap resources: any bytes are accepted or
// refused, and for an accepted DIB every pixel row and the colour table the
// platform reads lie inside them.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/draw/surface.h"
#include "setup/PageKit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    PackedDib dib;
    if (!ReadPackedDib(bytes, &dib))
        return 0;
    plat::BITMAPINFOHEADER h;
    __builtin_memcpy(&h, data, sizeof h);
    const auto* bits = static_cast<const std::uint8_t*>(dib.bits);
    std::size_t pixels = std::size_t(plat::DibStride(dib.width, h.biBitCount)) * std::size_t(dib.height);
    unsigned sum = 0;
    for (std::size_t i = 0; i < pixels; ++i)
        sum += bits[i];
    if (h.biBitCount == 8)
        sum += data[h.biSize + 256 * sizeof(plat::RGBQUAD) - 1];
    volatile unsigned sink = sum;
    (void)sink;
    return 0;
}
