#include "platform/ui/syscolor.h"

#include <array>
#include <cstddef>

#include "platform/draw/brush.h"

namespace plat {

namespace {

constexpr std::array<COLORREF, 25> kColours = {
    RGB(192, 192, 192),  // scroll bar
    RGB(0, 128, 128),    // desktop
    RGB(0, 0, 128),      // active caption
    RGB(128, 128, 128),  // inactive caption
    RGB(192, 192, 192),  // menu
    RGB(255, 255, 255),  // window
    RGB(0, 0, 0),        // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(255, 255, 255),  // caption text
    RGB(192, 192, 192),  // active border
    RGB(192, 192, 192),  // inactive border
    RGB(128, 128, 128),  // application workspace
    RGB(0, 0, 128),      // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(192, 192, 192),  // button face
    RGB(128, 128, 128),  // button shadow
    RGB(128, 128, 128),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(192, 192, 192),  // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(0, 0, 0),        // 3D dark shadow
    RGB(223, 223, 223),  // 3D light
    RGB(0, 0, 0),        // tooltip text
    RGB(255, 255, 225),  // tooltip background
};

bool valid(int index)
{
    return index >= 0 && index < int(kColours.size());
}

}  // namespace

COLORREF GetSysColor(int index)
{
    return valid(index) ? kColours[std::size_t(index)] : 0;
}

HBRUSH GetSysColorBrush(int index)
{
    if (!valid(index))
        return nullptr;
    static std::array<HBRUSH, kColours.size()> brushes = [] {
        std::array<HBRUSH, kColours.size()> b{};
        for (std::size_t i = 0; i < b.size(); ++i) {
            b[i] = CreateSolidBrush(kColours[i]);
            MakeStockObject(b[i]);
        }
        return b;
    }();
    return brushes[std::size_t(index)];
}

}  // namespace plat
