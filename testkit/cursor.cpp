#include "testkit/cursor.h"

namespace testkit {

namespace {

void put16(std::string& s, unsigned v)
{
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}

void put32(std::string& s, unsigned v)
{
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

}  // namespace

std::string EncodeCursor(std::uint16_t hotspotX, std::uint16_t hotspotY)
{
    constexpr unsigned kSize = 16;
    std::string image;
    put32(image, 40);
    put32(image, kSize);
    put32(image, kSize * 2);  // colour picture and mask
    put16(image, 1);
    put16(image, 1);
    for (int i = 0; i < 6; ++i)
        put32(image, 0);
    put32(image, 0x000000);
    put32(image, 0xFFFFFF);
    image += std::string(kSize * 4, '\0');  // colour bits: black
    image += std::string(kSize * 4, '\0');  // mask bits: all opaque
    std::string file;
    put16(file, 0);
    put16(file, 2);
    put16(file, 1);
    file += char(kSize);
    file += char(kSize);
    file += char(2);
    file += char(0);
    put16(file, hotspotX);
    put16(file, hotspotY);
    put32(file, unsigned(image.size()));
    put32(file, 22);
    return file + image;
}

}  // namespace testkit
