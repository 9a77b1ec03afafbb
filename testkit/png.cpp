#include "testkit/png.h"

#include <png.h>

namespace testkit {

std::vector<std::uint8_t> EncodePalettePng(const BmpPicture& picture)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(picture.width);
    image.height = png_uint_32(picture.height);
    image.format = PNG_FORMAT_RGB_COLORMAP;
    image.colormap_entries = png_uint_32(picture.colours.size());
    std::vector<png_byte> colours;
    for (const Rgb& c : picture.colours)
        colours.insert(colours.end(), c.begin(), c.end());
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, picture.pixels.data(), 0, colours.data()))
        return {};
    std::vector<std::uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, picture.pixels.data(), 0, colours.data()))
        return {};
    out.resize(size);
    return out;
}

}  // namespace testkit
