#include "testkit/poly_region.h"

namespace testkit {

std::vector<std::uint8_t> PolyRegionRecord::Bytes() const
{
    std::vector<std::uint8_t> out;
    const auto be16 = [&](int v) {
        out.push_back(std::uint8_t(unsigned(v) >> 8));
        out.push_back(std::uint8_t(v));
    };
    be16(x);
    be16(y);
    be16(width);
    be16(height);
    be16(rowCount);
    be16(cellSize);
    be16(claimedCount >= 0 ? claimedCount : int(entries.size()));
    be16(orientation);
    for (std::uint32_t e : entries)
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(std::uint8_t(e >> shift));
    return out;
}

}  // namespace testkit
