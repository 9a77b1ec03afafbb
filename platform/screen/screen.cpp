#include "platform/screen/screen.h"

#include <algorithm>

namespace plat {

namespace {
constexpr std::uint32_t kDesktopColour = 0x00008080;  // the classic teal
}

Screen::Screen()
{
    reset(kDefaultWidth, kDefaultHeight, 32);
}

void Screen::reset(int width, int height, int bitsPerPixel)
{
    width_ = width > 0 ? width : kDefaultWidth;
    height_ = height > 0 ? height : kDefaultHeight;
    bitsPerPixel_ = bitsPerPixel;
    const size_t count = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    memory_ = ZeroedPages(count * sizeof(std::uint32_t));
    std::fill_n(pixels(), count, kDesktopColour);
    markDirty(bounds());
}

void Screen::markDirty(const RECT& r)
{
    std::lock_guard lock(dirtyMutex_);
    dirty_.unite(IntersectRects(r, bounds()));
}

Region Screen::takeDirty()
{
    std::lock_guard lock(dirtyMutex_);
    Region out = std::move(dirty_);
    dirty_.clear();
    return out;
}

Screen& TheScreen()
{
    static Screen screen;
    return screen;
}

}  // namespace plat
