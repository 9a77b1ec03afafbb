// The run-length decoders on arbitrary code: the first bytes choose the
// output size, row width, key and direction, the rest is the code. Each
// decoder must stay inside both buffers whatever the code says.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "graphics/JxRunDecoders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6) return 0;
    const std::uint32_t width = 1 + data[0] % 64;
    const std::uint32_t height = 1 + data[1] % 64;
    const std::uint8_t key = data[2];
    const bool upward = data[3] & 1;
    const std::span<const std::uint8_t> code(data + 6, size - 6);

    const std::uint32_t stride = (width + 3) & ~3u;
    std::vector<std::uint8_t> output(static_cast<std::size_t>(stride + 2) * height);
    DecodeRunsToBuffer(output, code);
    DecodeRunsWithStride(output, code, width);
    DecodeRunsTransparent(output, code, key);
    DecodeRunsTransparentStride(output, code, width, key);

    plat::BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = static_cast<std::int32_t>(width);
    header.biHeight = static_cast<std::int32_t>(height);
    header.biBitCount = 8;
    std::vector<std::uint8_t> picture(static_cast<std::size_t>(stride) * height);
    DecodeRle8(header, picture, code, upward);
    return 0;
}
