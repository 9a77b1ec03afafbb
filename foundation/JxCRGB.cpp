#include "foundation/JxCRGB.h"

#include <array>

namespace {

struct Components {
    std::uint8_t r, g, b;
};

constexpr std::array<Components, 8> kIndexColours = {{
    {0, 0, 0},
    {252, 243, 5},
    {242, 8, 133},
    {221, 9, 7},
    {2, 171, 235},
    {0, 101, 18},
    {0, 0, 212},
    {255, 255, 255},
}};

}  // namespace

JxCRGB::JxCRGB(plat::COLORREF packed)
    : red(plat::GetRValue(packed)), green(plat::GetGValue(packed)), blue(plat::GetBValue(packed))
{
}

JxCRGB JxCRGB::FromIndex(int index)
{
    if (index < 0 || index >= int(kIndexColours.size()))
        return JxCRGB();
    const Components& c = kIndexColours[std::size_t(index)];
    return JxCRGB(c.r, c.g, c.b);
}
