#include "platform/draw/nearest.h"

#include <algorithm>

#include "platform/draw/raster.h"

namespace plat {

NearestTable::NearestTable(const RGBQUAD* table, int count)
    : count_(std::clamp(count, 0, 256)), keys_(new std::uint32_t[1u << kCacheBits]),
      values_(new BYTE[1u << kCacheBits]())
{
    for (int i = 0; i < count_; ++i) {
        r_[i] = table[i].rgbRed;
        g_[i] = table[i].rgbGreen;
        b_[i] = table[i].rgbBlue;
    }
    std::fill_n(keys_.get(), 1u << kCacheBits, 0xFFFFFFFFu);
}

BYTE NearestTable::search(std::uint32_t rgb) const
{
    const std::int32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    std::int32_t best = INT32_MAX;
    int bestIndex = 0;
    for (int i = 0; i < count_; ++i) {
        std::int32_t dr = r_[i] - r, dg = g_[i] - g, db = b_[i] - b;
        std::int32_t d = dr * dr + dg * dg + db * db;
        if (d < best) {  // strictly less: the lowest index wins a tie
            best = d;
            bestIndex = i;
            if (d == 0)
                break;
        }
    }
    return BYTE(bestIndex);
}

BYTE NearestSurfaceIndex(const BitmapObject& surface, std::uint32_t rgb)
{
    if (!surface.nearest)
        surface.nearest = std::make_unique<BitmapObject::NearestCache>(surface);
    return surface.nearest->table.lookup(rgb & 0xFFFFFF);
}

}  // namespace plat
