#pragma once
// A small picture for a dialog, from the resource libraries: copied out of
// its packed DIB (header, colour table, rows) once every part was checked
// against the resource's size. Pictures that are damaged, compressed, wider
// or taller than 256 pixels or deeper than 8 bits are not loaded, and the
// dialog draws without them.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/core/types.h"
#include "platform/draw/surface.h"

class JxDialogBitmap {
public:
    JxDialogBitmap() = default;
    // Looks the bitmap up by name in the resource libraries.
    explicit JxDialogBitmap(const char* name);

    // Replaces the picture with the packed DIB in bytes; false (and no
    // picture) when it is not one this class can show.
    bool Load(std::span<const std::uint8_t> bytes);

    bool IsLoaded() const { return !bits_.empty(); }
    int Width() const { return info_.bmiHeader.biWidth; }
    int Height() const;
    void Draw(plat::HDC hdc, int x, int y) const;

private:
    plat::BITMAPINFO info_{};
    std::vector<std::uint8_t> bits_;
};
