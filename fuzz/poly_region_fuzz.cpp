// Polygon-region records on arbitrary bytes, then hit tests and edge
// searches on what was read. The first byte chooses how the region is made:
// read as a record, or (to reach the largest tables from a short input) a
// record's header whose few run entries are repeated up to the count it
// claims. The bytes after the record are probe points. Every answer must come
// from inside the table, and quickly, however the runs chain.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "foundation/JxCInStrStream.h"
#include "graphics/JxCPolyRegion.h"

namespace {

std::int16_t BigEndian16(const std::uint8_t* b)
{
    return static_cast<std::int16_t>(b[0] << 8 | b[1]);
}

// Header fields as a record holds them, entries repeated to fill the table.
bool MakeTiled(const std::uint8_t* data, std::size_t size, JxCPolyRegion& region, std::size_t& used)
{
    constexpr std::size_t kHeader = 16;
    if (size < kHeader + 4)
        return false;
    const std::size_t given = std::min<std::size_t>((size - kHeader) / 4, 16);
    region.SetGeometry(JxCPoint(BigEndian16(data), BigEndian16(data + 2)),
                       JxCSize(BigEndian16(data + 4), BigEndian16(data + 6)), BigEndian16(data + 8),
                       BigEndian16(data + 10), BigEndian16(data + 14));
    region.SetEntryCount(static_cast<std::uint16_t>(BigEndian16(data + 12)));
    if (!region.AllocEdgeTable() || region.GetEntryCount() == 0)
        return false;
    std::uint32_t* table = region.GetTable();
    for (std::int32_t i = 0; i < region.GetEntryCount(); ++i) {
        const std::uint8_t* e = data + kHeader + 4 * (std::size_t(i) % given);
        table[i] = std::uint32_t(e[0]) | std::uint32_t(e[1]) << 8 | std::uint32_t(e[2]) << 16 |
                   std::uint32_t(e[3]) << 24;
    }
    used = kHeader + 4 * given;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const bool tiled = data[0] & 1;
    ++data;
    --size;
    JxCPolyRegion region;
    std::size_t used = 0;
    if (tiled) {
        if (!MakeTiled(data, size, region, used))
            return 0;
    } else {
        JxCInStrStream in(JxMemoryBlock{data, static_cast<std::uint32_t>(size)});
        ReadPolyRegion(in, region);
        used = std::min<std::size_t>(in.Tell(), size);
    }
    // Up to 64 probes of two points each: a hit test at both, and the edge
    // on the line between them.
    const std::uint8_t* probe = data + used;
    const std::size_t probes = std::min<std::size_t>((size - used) / 8, 64);
    for (std::size_t i = 0; i < probes; ++i, probe += 8) {
        const JxCPoint a(BigEndian16(probe), BigEndian16(probe + 2));
        const JxCPoint b(BigEndian16(probe + 4), BigEndian16(probe + 6));
        region.HitTest(a);
        region.HitTest(b);
        region.FindEdge(a, b);
    }
    return 0;
}
