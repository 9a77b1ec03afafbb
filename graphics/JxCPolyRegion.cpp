#include "graphics/JxCPolyRegion.h"

#include <algorithm>
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
    indexed_ = false;
}

std::int16_t JxCPolyRegion::AllocEdgeTable()
{
    table_.reset();
    indexed_ = false;
    if (entryCount_ <= 0)
        return 1;
    table_.reset(new (std::nothrow) std::uint32_t[std::size_t(entryCount_)]());
    return table_ ? 1 : 0;
}

void JxCPolyRegion::BuildIndex() const
{
    spans_.clear();
    rowSpans_.clear();
    indexed_ = true;
    if (!table_ || entryCount_ <= 0 || rowCount_ <= 0)
        return;
    const auto entries = std::uint32_t(entryCount_);
    const auto rows = std::min(std::uint32_t(rowCount_), entries);
    // The first entries are the rows' own; a chain that runs into one of
    // them, or into an entry an earlier row reached, has left its row.
    std::vector<bool> claimed(entries, false);
    std::fill_n(claimed.begin(), rows, true);
    rowSpans_.reserve(rows + 1);
    for (std::uint32_t row = 0; row < rows; ++row) {
        rowSpans_.push_back(std::uint32_t(spans_.size()));
        const std::size_t rowBegin = spans_.size();
        // A cell past a run's start is in the run only if it is past every
        // earlier run's start too: the walk stops at the first run that
        // starts beyond it.
        std::uint32_t reached = 0;
        for (std::uint32_t e = row;;) {
            const std::uint32_t run = table_[e];
            reached = std::max(reached, RunFirst(run));
            const std::uint32_t end = RunFirst(run) + RunLength(run);
            if (reached < end) {
                if (spans_.size() > rowBegin && reached <= spans_.back().end)
                    spans_.back().end = std::max(spans_.back().end, end);
                else
                    spans_.push_back({reached, end});
            }
            const std::uint32_t distance = RunDistance(run);
            if (distance == 0 || distance >= entries - e || claimed[e + distance])
                break;
            e += distance;
            claimed[e] = true;
        }
    }
    rowSpans_.push_back(std::uint32_t(spans_.size()));
}

bool JxCPolyRegion::RowHolds(int row, std::uint32_t column) const
{
    if (!indexed_)
        BuildIndex();
    if (std::size_t(row) + 1 >= rowSpans_.size())
        return false;
    const Span* begin = spans_.data() + rowSpans_[std::size_t(row)];
    const Span* end = spans_.data() + rowSpans_[std::size_t(row) + 1];
    // The last span starting at or before the column.
    const Span* after = std::upper_bound(begin, end, column, [](std::uint32_t c, const Span& s) { return c < s.first; });
    return after != begin && column < (after - 1)->end;
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
    return RowHolds(row, column) ? 1 : 0;
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
