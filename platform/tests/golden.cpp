#include "platform/tests/golden.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/draw/surface.h"
#include "platform/screen/screen.h"

namespace plat::testing {

std::string SurfaceRgb(HBITMAP handle, int* width, int* height)
{
    std::string rgb;
    const BitmapObject* bitmap = AsGdi<BitmapObject>(handle, GdiKind::Bitmap);
    if (!handle) {
        Screen& s = TheScreen();
        *width = s.width();
        *height = s.height();
        for (int y = 0; y < s.height(); ++y)
            for (int x = 0; x < s.width(); ++x) {
                std::uint32_t p = s.pixels()[y * s.stride() + x];
                rgb += char(p >> 16);
                rgb += char(p >> 8);
                rgb += char(p);
            }
        return rgb;
    }
    if (!bitmap) {
        *width = *height = 0;
        return rgb;
    }
    *width = bitmap->width;
    *height = bitmap->height;
    for (int y = 0; y < bitmap->height; ++y) {
        const BYTE* row = bitmap->row(y);
        for (int x = 0; x < bitmap->width; ++x) {
            if (bitmap->bitsPerPixel == 8) {
                const RGBQUAD& q = bitmap->colours[row[x]];
                rgb += char(q.rgbRed);
                rgb += char(q.rgbGreen);
                rgb += char(q.rgbBlue);
            } else {
                std::uint32_t p = reinterpret_cast<const std::uint32_t*>(row)[x];
                rgb += char(p >> 16);
                rgb += char(p >> 8);
                rgb += char(p);
            }
        }
    }
    return rgb;
}

namespace {

std::string goldenPath(const std::string& folder, const std::string& name)
{
    return std::string(KELBO_SOURCE_DIR) + "/" + folder + "/" + name + ".png";
}

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

bool writePng(const std::string& path, const std::string& rgb, int w, int h)
{
    std::unique_ptr<FILE, FileCloser> f(std::fopen(path.c_str(), "wb"));
    if (!f)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, f.get());
    png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < h; ++y)
        png_write_row(png, reinterpret_cast<png_const_bytep>(rgb.data() + std::size_t(y) * w * 3));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool readPng(const std::string& path, std::string& rgb, int& w, int& h)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return false;
    image.format = PNG_FORMAT_RGB;
    w = int(image.width);
    h = int(image.height);
    rgb.assign(PNG_IMAGE_SIZE(image), '\0');
    bool ok = png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

}  // namespace

std::string CompareWithGolden(HBITMAP bitmap, const std::string& name, const std::string& folder)
{
    int w = 0, h = 0;
    std::string rgb = SurfaceRgb(bitmap, &w, &h);
    std::string path = goldenPath(folder, name);
    const char* update = std::getenv("KELBO_UPDATE_GOLDEN");
    if (update && *update && *update != '0')
        return writePng(path, rgb, w, h) ? "" : "cannot write " + path;
    std::string want;
    int gw = 0, gh = 0;
    if (!readPng(path, want, gw, gh))
        return "no golden picture " + path + " (run with KELBO_UPDATE_GOLDEN=1 to make it)";
    if (gw != w || gh != h)
        return "size differs from " + path;
    int diffs = 0;
    std::string first;
    for (int i = 0; i < w * h; ++i) {
        if (rgb.compare(std::size_t(i) * 3, 3, want, std::size_t(i) * 3, 3) != 0) {
            if (diffs++ == 0)
                first = "first at (" + std::to_string(i % w) + ", " + std::to_string(i / w) + ")";
        }
    }
    if (diffs == 0)
        return "";
    writePng(path.substr(0, path.size() - 4) + ".actual.png", rgb, w, h);
    return std::to_string(diffs) + " pixels differ from " + path + ", " + first;
}

}  // namespace plat::testing
