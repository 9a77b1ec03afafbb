#include "graphics/JxPngDib.h"

#include <png.h>

#include <cstring>
#include <new>
#include <vector>

#include "platform/fs/files.h"

namespace {

// Frees libpng's reading state on every path out.
struct PngImage {
    png_image image{};
    PngImage() { image.version = PNG_IMAGE_VERSION; }
    ~PngImage() { png_image_free(&image); }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;
};

std::uint32_t RowBytes(std::uint32_t width)
{
    return (width + 3u) & ~3u;
}

// No file the loaders accept is larger: the biggest picture's indices in
// their most wasteful encoding, with room for the headers.
constexpr std::uint64_t kMaxPngFile = 2 * kMaxDibPixelBytes + (1u << 20);

}  // namespace

JxDibBlock DibFromPngBytes(std::span<const std::uint8_t> png)
{
    if (png.empty())
        return {};
    PngImage reader;
    png_image& image = reader.image;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size()))
        return {};
    const std::uint32_t width = image.width;
    const std::uint32_t height = image.height;
    if (width == 0 || height == 0 || width > std::uint32_t(kMaxDibSide) || height > std::uint32_t(kMaxDibSide))
        return {};
    const std::uint64_t stride = RowBytes(width);
    if (stride * height > kMaxDibPixelBytes)
        return {};

    image.format = PNG_FORMAT_RGB_COLORMAP;
    std::vector<png_byte> indices;
    std::vector<png_byte> colours;
    try {
        indices.resize(std::size_t(width) * height);
        colours.resize(PNG_IMAGE_COLORMAP_SIZE(image));
    } catch (const std::bad_alloc&) {
        return {};
    }
    const png_color black{0, 0, 0};
    if (!png_image_finish_read(&image, &black, indices.data(), png_int_32(width), colours.data()))
        return {};
    const std::uint32_t count = image.colormap_entries;
    if (count == 0 || count > 256)
        return {};

    plat::BITMAPINFOHEADER header;
    header.biWidth = plat::LONG(width);
    header.biHeight = plat::LONG(height);
    header.biBitCount = 8;
    header.biSizeImage = plat::DWORD(stride * height);
    header.biClrUsed = count;
    const std::size_t tableSize = count * sizeof(plat::RGBQUAD);
    JxDibBlock dib;
    try {
        dib.assign(sizeof header + tableSize + stride * height, 0);
    } catch (const std::bad_alloc&) {
        return {};
    }
    std::memcpy(dib.data(), &header, sizeof header);
    std::uint8_t* table = dib.data() + sizeof header;
    for (std::uint32_t i = 0; i < count; ++i) {
        table[i * 4 + 0] = colours[i * 3 + 2];
        table[i * 4 + 1] = colours[i * 3 + 1];
        table[i * 4 + 2] = colours[i * 3 + 0];
    }
    // The DIB's rows run bottom-up.
    std::uint8_t* bits = table + tableSize;
    for (std::uint32_t y = 0; y < height; ++y)
        std::memcpy(bits + (height - 1 - y) * stride, indices.data() + std::size_t(y) * width, width);
    return CheckPackedDib(dib) ? dib : JxDibBlock();
}

JxDibBlock ReadPngDibFromFile(plat::HFILE file)
{
    if (file == plat::HFILE_ERROR || plat::_llseek(file, 0, 0) != 0)
        return {};
    const plat::DWORD length = plat::GetFileSize(file, nullptr);
    if (length == 0xFFFFFFFFu || length == 0 || length > kMaxPngFile)
        return {};
    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(length);
    } catch (const std::bad_alloc&) {
        return {};
    }
    if (plat::_lread(file, bytes.data(), plat::UINT(length)) != plat::UINT(length))
        return {};
    return DibFromPngBytes(bytes);
}
