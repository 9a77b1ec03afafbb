#pragma once
// A region as a set of disjoint rectangles: the shape behind update regions,
// visible regions of windows and the clip regions of device contexts.

#include <vector>

#include "platform/core/types.h"

namespace plat {

bool IsRectEmpty(const RECT& r);
// The common part of a and b; an empty rectangle when they do not overlap.
RECT IntersectRects(const RECT& a, const RECT& b);
// The smallest rectangle holding both; an empty one counts for nothing.
RECT UnionRects(const RECT& a, const RECT& b);
bool PtInRect(const RECT& r, POINT p);

class Region {
public:
    Region() = default;
    explicit Region(const RECT& r);

    bool empty() const { return rects_.empty(); }
    // The rectangles, disjoint, in no promised order.
    const std::vector<RECT>& rects() const { return rects_; }
    RECT box() const;
    bool contains(POINT p) const;
    bool intersects(const RECT& r) const;
    // Same set of pixels, however the rectangles are cut.
    bool sameArea(const Region& other) const;

    void clear() { rects_.clear(); }
    void unite(const RECT& r);
    void unite(const Region& other);
    void intersect(const RECT& r);
    void intersect(const Region& other);
    void subtract(const RECT& r);
    void subtract(const Region& other);
    void exclusiveOr(const Region& other);
    void offset(LONG dx, LONG dy);

private:
    std::vector<RECT> rects_;
};

}  // namespace plat
