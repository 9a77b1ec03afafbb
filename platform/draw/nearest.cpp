#include "platform/draw/nearest.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/draw/raster.h"

namespace plat {

NearestTable::NearestTable(const RGBQUAD* table, int count)
    : count_(std::clamp(count, 0, 256)), known_(MakeZeroedArray<std::uint64_t>((1u << 24) / 64)),
      values_(new BYTE[1u << 24])
{
    std::copy_n(table, count_, colours_.begin());
    for (int i = 0; i < count_; ++i)
        byRed_[std::size_t(i)] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, i};
    std::stable_sort(byRed_.begin(), byRed_.begin() + count_,
                     [](const Entry& a, const Entry& b) { return a.r < b.r; });
    int k = 0;
    for (int v = 0; v < 256; ++v) {
        while (k < count_ && byRed_[std::size_t(k)].r < v)
            ++k;
        startAt_[std::size_t(v)] = std::int16_t(k);
    }
}

bool NearestTable::sameColours(const RGBQUAD* table, int count) const
{
    if (count != count_)
        return false;
    for (int i = 0; i < count; ++i) {
        const RGBQUAD& a = table[i];
        const RGBQUAD& b = colours_[std::size_t(i)];
        if (a.rgbRed != b.rgbRed || a.rgbGreen != b.rgbGreen || a.rgbBlue != b.rgbBlue)
            return false;
    }
    return true;
}

BYTE NearestTable::search(std::uint32_t rgb) const
{
    if (count_ == 0)
        return 0;
    const std::int32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    std::int32_t best = INT32_MAX;
    std::int32_t bestIndex = 256;
    auto consider = [&](const Entry& e) {
        std::int32_t dg = e.g - g, db = e.b - b, dr = e.r - r;
        std::int32_t d = dr * dr + dg * dg + db * db;
        // Least distance; of equal ones, the lowest index.
        if (d < best || (d == best && e.index < bestIndex)) {
            best = d;
            bestIndex = e.index;
        }
    };
    // Walk outwards from the colour's red. An entry whose red alone is
    // farther than the best distance cannot win, nor can any beyond it; one
    // exactly as far can still tie, so the walk goes on through those.
    int start = std::min<int>(startAt_[std::size_t(r)], count_ - 1);
    for (int i = start; i < count_; ++i) {
        std::int32_t dr = byRed_[std::size_t(i)].r - r;
        if (dr * dr > best)
            break;
        consider(byRed_[std::size_t(i)]);
    }
    for (int i = start - 1; i >= 0; --i) {
        std::int32_t dr = byRed_[std::size_t(i)].r - r;
        if (dr * dr > best)
            break;
        consider(byRed_[std::size_t(i)]);
    }
    return BYTE(bestIndex);
}

std::shared_ptr<NearestTable> NearestTableFor(const RGBQUAD* table, int count)
{
    // A few tables are kept, the most recently used first; each is 18 MB
    // at most and only the parts that colours were met in are touched.
    constexpr std::size_t kKept = 4;
    static std::mutex mutex;
    static std::vector<std::shared_ptr<NearestTable>> kept;
    std::lock_guard lock(mutex);
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (kept[i]->sameColours(table, count)) {
            std::rotate(kept.begin(), kept.begin() + std::ptrdiff_t(i), kept.begin() + std::ptrdiff_t(i) + 1);
            return kept.front();
        }
    }
    kept.insert(kept.begin(), std::make_shared<NearestTable>(table, count));
    if (kept.size() > kKept)
        kept.pop_back();
    return kept.front();
}

NearestTable& SurfaceNearestTable(const BitmapObject& surface)
{
    if (!surface.nearest) {
        surface.nearest = std::make_unique<BitmapObject::NearestCache>();
        surface.nearest->table = NearestTableFor(surface.colours.data(), 256);
    }
    return *surface.nearest->table;
}

BYTE NearestSurfaceIndex(const BitmapObject& surface, std::uint32_t rgb)
{
    return SurfaceNearestTable(surface).lookup(rgb);
}

}  // namespace plat
