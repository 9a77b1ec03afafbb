#pragma once
// A region: the shape behind update regions, visible regions of windows and
// the clip regions of device contexts. It is kept banded and coalesced (rows
// of equal height that cannot merge with their neighbours, each row a sorted
// run of disjoint rectangles), so a pile of small additions costs no more
// than the shape it makes.

#include <pixman.h>

#include <cstddef>
#include <vector>

#include "platform/core/types.h"

namespace plat {

bool IsRectEmpty(const RECT& r);
// The common part of a and b; an empty rectangle when they do not overlap.
RECT IntersectRects(const RECT& a, const RECT& b);
// The smallest rectangle holding both; an empty one counts for nothing.
RECT UnionRects(const RECT& a, const RECT& b);
bool PtInRect(const RECT& r, POINT p);
// The same rectangle with left <= right and top <= bottom.
RECT SortedRect(const RECT& r);

class Region {
public:
    Region();
    explicit Region(const RECT& r);
    Region(const Region& other);
    Region(Region&& other) noexcept;
    Region& operator=(const Region& other);
    Region& operator=(Region&& other) noexcept;
    ~Region();

    bool empty() const;
    // The rectangles, disjoint, top to bottom and left to right within a
    // band.
    std::vector<RECT> rects() const;
    std::size_t rectCount() const;
    RECT box() const;
    bool contains(POINT p) const;
    bool intersects(const RECT& r) const;
    // Same set of pixels.
    bool sameArea(const Region& other) const;

    void clear();
    void unite(const RECT& r);
    void unite(const Region& other);
    void intersect(const RECT& r);
    void intersect(const Region& other);
    void subtract(const RECT& r);
    void subtract(const Region& other);
    void exclusiveOr(const Region& other);
    void offset(LONG dx, LONG dy);

private:
    pixman_region32_t region_;
};

}  // namespace plat
