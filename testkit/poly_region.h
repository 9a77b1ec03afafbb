#pragma once
// Writer of the polygon-region record of a display object.

#include <cstdint>
#include <vector>

namespace testkit {

struct PolyRegionRecord {
    std::int16_t x = 0, y = 0, width = 0, height = 0;
    std::int16_t rowCount = 0;
    std::int16_t cellSize = 2;
    std::int16_t orientation = 1;
    std::vector<std::uint32_t> entries;  // first run of each row first
    // Written as the entry count instead of entries.size() when set, to make
    // damaged records.
    int claimedCount = -1;

    // One run entry: first cell, length in cells, distance to the next run.
    static std::uint32_t Run(std::uint32_t first, std::uint32_t length, std::uint32_t distance)
    {
        return (first & 0x3FF) << 22 | (length & 0x3FF) << 12 | (distance & 0xFFF);
    }

    // Header fields big-endian, run entries little-endian.
    std::vector<std::uint8_t> Bytes() const;
};

}  // namespace testkit
