#include "platform/backend/screen_png.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace plat {

namespace {

struct PngWrite {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngWrite() { png_destroy_write_struct(&png, &info); }
};

void fail(std::string* error, const std::string& what)
{
    if (error)
        *error = what;
}

bool encode(const Screen& screen, FILE* f, std::string* error)
{
    PngWrite w;
    w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!w.png)
        return fail(error, "cannot start the PNG encoder"), false;
    w.info = png_create_info_struct(w.png);
    if (!w.info)
        return fail(error, "cannot start the PNG encoder"), false;
    std::vector<png_byte> row(size_t(screen.width()) * 3);
    if (setjmp(png_jmpbuf(w.png)))
        return fail(error, "the PNG encoder failed"), false;
    png_init_io(w.png, f);
    png_set_IHDR(w.png, w.info, png_uint_32(screen.width()), png_uint_32(screen.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(w.png, w.info);
    for (int y = 0; y < screen.height(); ++y) {
        const std::uint32_t* src = screen.pixels() + size_t(y) * size_t(screen.stride());
        for (int x = 0; x < screen.width(); ++x) {
            row[size_t(x) * 3 + 0] = png_byte(src[x] >> 16);
            row[size_t(x) * 3 + 1] = png_byte(src[x] >> 8);
            row[size_t(x) * 3 + 2] = png_byte(src[x]);
        }
        png_write_row(w.png, row.data());
    }
    png_write_end(w.png, w.info);
    return true;
}

}  // namespace

bool WriteScreenPng(const Screen& screen, const std::string& path, std::string* error)
{
    std::string temp = path + ".tmp";
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f)
        return fail(error, "cannot create " + temp + ": " + std::strerror(errno)), false;
    bool ok = encode(screen, f, error);
    if (std::fflush(f) != 0 || std::ferror(f)) {
        if (ok)
            fail(error, "cannot write " + temp + ": " + std::strerror(errno));
        ok = false;
    }
    if (std::fclose(f) != 0 && ok) {
        fail(error, "cannot write " + temp + ": " + std::strerror(errno));
        ok = false;
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        fail(error, "cannot rename " + temp + " to " + path + ": " + std::strerror(errno));
        ok = false;
    }
    if (!ok)
        std::remove(temp.c_str());
    return ok;
}

}  // namespace plat
