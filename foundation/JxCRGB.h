#pragma once
// A colour of three 8-bit components.

#include <cstdint>

#include "foundation/JxCObject.h"
#include "platform/core/types.h"

class JxCRGB : public JxCObject {
public:
    JxCRGB() = default;
    JxCRGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) : red(r), green(g), blue(b) {}
    // From a packed colour in the platform's COLORREF order (0x00bbggrr).
    explicit JxCRGB(plat::COLORREF packed);
    // From one of the eight colours of the definition language, 0 to 7. Any
    // other index gives black.
    static JxCRGB FromIndex(int index);
    JxCRGB(const JxCRGB& other) : JxCObject(other), red(other.red), green(other.green), blue(other.blue) {}
    JxCRGB& operator=(const JxCRGB& other)
    {
        JxCObject::operator=(other);
        red = other.red;
        green = other.green;
        blue = other.blue;
        return *this;
    }

    // The colour as a palette-relative value: red | green << 8 | blue << 16
    // | 0x02000000, matched to the palette of the device it is used on.
    plat::COLORREF GetPaletteColorRef() const
    {
        return plat::COLORREF(red) | (plat::COLORREF(green) << 8) | (plat::COLORREF(blue) << 16) | 0x02000000u;
    }

    bool IsBlack() const { return red == 0 && green == 0 && blue == 0; }
    bool IsWhite() const { return red == 255 && green == 255 && blue == 255; }

    int operator==(const JxCRGB& o) const { return red == o.red && green == o.green && blue == o.blue; }
    int operator!=(const JxCRGB& o) const { return !(*this == o); }

    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};
