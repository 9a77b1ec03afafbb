#include "graphics/JxCPolyRegion.h"

#include <cstdlib>
#include <new>

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
