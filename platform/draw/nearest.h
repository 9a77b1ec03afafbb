#pragma once
// Nearest colour of a colour table: least squared distance over red, green
// and blue, the lowest index on ties. Answers are remembered in a
// direct-mapped cache so that converting a picture costs one search per
// distinct colour, not per pixel. Internal to draw.

#include <array>
#include <cstdint>
#include <memory>

#include "platform/draw/surface.h"

namespace plat {

class NearestTable {
public:
    NearestTable(const RGBQUAD* table, int count);

    // rgb is 0x00RRGGBB.
    BYTE lookup(std::uint32_t rgb)
    {
        std::uint32_t slot = (rgb * 2654435761u) >> (32 - kCacheBits);
        if (keys_[slot] == rgb)
            return values_[slot];
        BYTE v = search(rgb);
        keys_[slot] = rgb;
        values_[slot] = v;
        return v;
    }
    BYTE search(std::uint32_t rgb) const;

private:
    static constexpr int kCacheBits = 14;
    int count_;
    std::array<std::int32_t, 256> r_{}, g_{}, b_{};
    // A key with bits above the 24 colour bits never matches.
    std::unique_ptr<std::uint32_t[]> keys_;
    std::unique_ptr<BYTE[]> values_;
};

struct BitmapObject::NearestCache {
    explicit NearestCache(const BitmapObject& s) : table(s.colours.data(), 256) {}
    NearestTable table;
};

}  // namespace plat
