#pragma once
// A slate on a window's client area: logical point (x, y) is the client
// area's top-left pixel. It holds the window's device context from
// construction to destruction.

#include <cstdint>

#include "graphics/JxCSlate.h"

class JxCDisplaySlate : public JxCSlate {
public:
    JxCDisplaySlate(plat::HWND window, std::int32_t x, std::int32_t y);
    ~JxCDisplaySlate() override;

    JxCDisplaySlate* AsDisplaySlate() override { return this; }
    int GetBitsPerPixel() const override;
    std::int16_t MapColours(const JxCRect& rect, const std::uint16_t* map) override;
    std::int16_t CopyFrom(JxCDisplaySlate* source, const plat::RECT& srcRect, const plat::RECT& dstRect,
                          std::int16_t transparent) override;
    std::int16_t CopyFromBits(JxCMemorySlate* source, const plat::RECT& srcRect, const plat::RECT& dstRect,
                              std::int16_t transparent) override;
    void SelectPalette(plat::HPALETTE palette, std::int16_t forceBackground) override;

    // Invalidates the rectangle (the whole slate when null) of the window
    // and updates it; 0 when nothing of it lies on the slate.
    std::int16_t InvalidateArea(const JxCRect* rect, std::int16_t erase);
    plat::HWND GetWindow() const { return window_; }

private:
    plat::HWND window_;
};
