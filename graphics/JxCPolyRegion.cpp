#include "graphics/JxCPolyRegion.h"

#include <cstdlib>
#include <new>

#include "foundation/JxCInStrStream.h"

namespace {

std::uint32_t RunFirst(std::uint32_t e) { return e >> 22; }
std::uint32_t RunLength(std::uint32_t e) { return (e >> 12) & 0x3FF; }
std::uint32_t RunDistance(std::uint32_t e) { return e & 0xFFF; }

}  // namespace

void JxCPolyRegion::SetGeometry(const JxCPoint& origin, const JxCSize& size, std::int16_t rowCount,
                                std::int16_t cellSize, std::int16_t orientation)
{
    origin_ = origin;
    size_ = size;
    rowCount_ = rowCount;
    cellSize_ = cellSize;
    orientation_ = orientation;
}

std::int16_t JxCPolyRegion::AllocEdgeTable()
{
    table_.reset();
    if (entryCount_ <= 0)
        return 1;
    table_.reset(new (std::nothrow) std::uint32_t[std::size_t(entryCount_)]());
    return table_ ? 1 : 0;
}

std::int16_t JxCPolyRegion::HitTest(const JxCPoint& p) const
{
    if (cellSize_ <= 0 || !table_)
        return 0;
    const int dx = p.x - origin_.x;
    const int dy = p.y - origin_.y;
    if (dx < 0 || dy < 0)
        return 0;
    const int row = (orientation_ ? dy : dx) / cellSize_;
    const auto column = std::uint32_t((orientation_ ? dx : dy) / cellSize_);
    if (row >= rowCount_ || row >= entryCount_)
        return 0;
    // Distances are positive, so the chain moves forward and ends.
    for (std::int32_t e = row; e < entryCount_;) {
        const std::uint32_t run = table_[std::size_t(e)];
        if (column < RunFirst(run))
            return 0;
        if (column < RunFirst(run) + RunLength(run))
            return 1;
        if (RunDistance(run) == 0)
            return 0;
        e += std::int32_t(RunDistance(run));
    }
    return 0;
}

JxCPoint JxCPolyRegion::FindEdge(const JxCPoint& start, const JxCPoint& end) const
{
    if (start == end || !HitTest(end) || HitTest(start))
        return start;
    const int ddx = end.x - start.x;
    const int ddy = end.y - start.y;
    const int sx = ddx > 0 ? 1 : (ddx < 0 ? -1 : 0);
    const int sy = ddy > 0 ? 1 : (ddy < 0 ? -1 : 0);
    const int ax = std::abs(ddx);
    const int ay = std::abs(ddy);
    const bool xMajor = ax >= ay;
    const int longer = xMajor ? ax : ay;
    const int shorter = xMajor ? ay : ax;
    int x = start.x;
    int y = start.y;
    int error = 0;
    for (int step = 0; step < longer; ++step) {
        if (xMajor)
            x += sx;
        else
            y += sy;
        error += shorter;
        if (2 * error >= longer) {
            if (xMajor)
                y += sy;
            else
                x += sx;
            error -= longer;
        }
        const JxCPoint at{std::int16_t(x), std::int16_t(y)};
        if (HitTest(at))
            return at;
    }
    return JxCPoint(std::int16_t(x), std::int16_t(y));
}

namespace {

std::uint32_t LittleEndian32(const std::uint8_t* b)
{
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
}

}  // namespace

JxCInStrStream& ReadPolyRegion(JxCInStrStream& stream, JxCPolyRegion& region)
{
    JxCPoint origin;
    JxCSize size;
    std::int16_t rowCount = 0, cellSize = 0, orientation = 0;
    std::uint16_t entries = 0;
    stream.ReadBigEndianPoint(origin).ReadBigEndian16Pair(size);
    stream.ReadBigEndian16(rowCount).ReadBigEndian16(cellSize);
    stream.ReadBigEndian16(entries).ReadBigEndian16(orientation);
    region.SetEntryCount(0);
    region.AllocEdgeTable();
    if (!stream)
        return stream;
    region.SetGeometry(origin, size, rowCount, cellSize, orientation);

    const std::uint32_t bytes = std::uint32_t(entries) * 4;
    region.SetEntryCount(entries);
    if (!region.AllocEdgeTable()) {
        // No room for the table: skip it, so that the stream stays in step
        // with the record, and leave the region empty.
        region.SetEntryCount(0);
        return stream.Seek(stream.Tell() + bytes);
    }
    std::uint32_t* table = region.GetTable();
    if (!stream.ReadBlock(table, bytes)) {
        region.SetEntryCount(0);
        region.AllocEdgeTable();
        return stream;
    }
    // The entries are stored little-endian whatever the host's order.
    auto* raw = reinterpret_cast<const std::uint8_t*>(table);
    for (std::uint32_t i = 0; i < entries; ++i)
        table[i] = LittleEndian32(raw + 4 * i);
    return stream;
}
