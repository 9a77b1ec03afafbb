#pragma once
// Reading back a PNG file the program wrote (a printed page), as RGB.

#include <png.h>

#include <cstddef>
#include <string>
#include <vector>

#include "platform/core/types.h"

namespace plat::testing {

struct PngFile {
    int width = 0, height = 0;  // 0 when the file could not be read
    std::vector<png_byte> rgb;
    COLORREF at(int x, int y) const
    {
        const png_byte* p = &rgb[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3];
        return RGB(p[0], p[1], p[2]);
    }
};

inline PngFile ReadPngFile(const std::string& path)
{
    PngFile out;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return out;
    image.format = PNG_FORMAT_RGB;
    out.rgb.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr)) {
        out.width = int(image.width);
        out.height = int(image.height);
    }
    return out;
}

}  // namespace plat::testing
