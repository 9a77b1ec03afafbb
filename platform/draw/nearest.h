#pragma once
// Nearest colour of a colour table: least squared distance over red, green
// and blue, the lowest index on ties. Every answer is remembered in a table
// over all 2^24 colours, filled as colours are met, so converting a picture
// costs one search per distinct colour and a table read per pixel. Tables
// are shared by every surface with the same colours (in practice the one
// product palette). Internal to draw.

#include <array>
#include <cstdint>
#include <memory>

#include "platform/core/zeroed_memory.h"
#include "platform/draw/surface.h"

namespace plat {

class NearestTable {
public:
    NearestTable(const RGBQUAD* table, int count);

    // rgb is 0x00RRGGBB.
    BYTE lookup(std::uint32_t rgb)
    {
        rgb &= 0xFFFFFF;
        std::uint64_t& word = known_[rgb >> 6];
        std::uint64_t bit = std::uint64_t(1) << (rgb & 63);
        if (word & bit)
            return values_[rgb];
        BYTE v = search(rgb);
        values_[rgb] = v;
        word |= bit;
        return v;
    }
    BYTE search(std::uint32_t rgb) const;
    bool sameColours(const RGBQUAD* table, int count) const;

private:
    int count_;
    std::array<RGBQUAD, 256> colours_{};
    // The entries ordered by red, so that a search can start at the red of
    // the colour and stop once red alone is farther than the best match.
    struct Entry {
        std::int32_t r, g, b, index;
    };
    std::array<Entry, 256> byRed_{};
    std::array<std::int16_t, 256> startAt_{};  // first entry whose red is not below v
    // One bit per colour whose answer values_ holds; the pages of colours
    // never met stay untouched.
    ZeroedArray<std::uint64_t> known_;
    std::unique_ptr<BYTE[]> values_;
};

// The shared table for a colour table.
std::shared_ptr<NearestTable> NearestTableFor(const RGBQUAD* table, int count);

NearestTable& SurfaceNearestTable(const BitmapObject& surface);

struct BitmapObject::NearestCache {
    std::shared_ptr<NearestTable> table;
};

}  // namespace plat
