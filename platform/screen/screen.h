#pragma once
// The one virtual desktop: a 32-bit framebuffer that every window device
// context draws into, clipped to the window's visible region. Nothing is
// composited, so reading the screen, XOR outlines and scrolling behave as on
// a single-buffered display. The backends present it.

#include <cstdint>
#include <mutex>

#include "platform/core/region.h"
#include "platform/core/types.h"
#include "platform/core/zeroed_pages.h"

namespace plat {

class Screen {
public:
    static constexpr int kDefaultWidth = 800;
    static constexpr int kDefaultHeight = 600;

    Screen();

    int width() const { return width_; }
    int height() const { return height_; }
    // The colour depth the display reports (BITSPIXEL); the framebuffer
    // itself is always 32-bit.
    int bitsPerPixel() const { return bitsPerPixel_; }
    // Pixels are 0x00RRGGBB, rows top-down, stride in pixels.
    std::uint32_t* pixels() { return static_cast<std::uint32_t*>(memory_.data()); }
    const std::uint32_t* pixels() const { return static_cast<const std::uint32_t*>(memory_.data()); }
    int stride() const { return width_; }
    RECT bounds() const { return {0, 0, width_, height_}; }

    // A display change: the framebuffer is cleared to the desktop colour.
    void reset(int width, int height, int bitsPerPixel);

    // What changed since the backend last presented.
    void markDirty(const RECT& r);
    Region takeDirty();

private:
    int width_ = kDefaultWidth;
    int height_ = kDefaultHeight;
    int bitsPerPixel_ = 32;
    ZeroedPages memory_;
    std::mutex dirtyMutex_;
    Region dirty_;
};

// The process's screen.
Screen& TheScreen();

}  // namespace plat
