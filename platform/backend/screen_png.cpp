#include "platform/backend/screen_png.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/core/png_encode.h"

namespace plat {

namespace {

void fail(std::string* error, const std::string& what)
{
    if (error)
        *error = what;
}

bool encode(const Screen& screen, FILE* f, std::string* error)
{
    const std::string png = EncodeRgbPng(screen.width(), screen.height(), [&screen](int y, std::uint8_t* rgb) {
        const std::uint32_t* src = screen.pixels() + size_t(y) * size_t(screen.stride());
        for (int x = 0; x < screen.width(); ++x) {
            rgb[size_t(x) * 3 + 0] = std::uint8_t(src[x] >> 16);
            rgb[size_t(x) * 3 + 1] = std::uint8_t(src[x] >> 8);
            rgb[size_t(x) * 3 + 2] = std::uint8_t(src[x]);
        }
    });
    if (png.empty())
        return fail(error, "the PNG encoder failed"), false;
    return std::fwrite(png.data(), 1, png.size(), f) == png.size();
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
