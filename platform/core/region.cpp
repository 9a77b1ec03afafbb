#include "platform/core/region.h"

#include <algorithm>

namespace plat {

bool IsRectEmpty(const RECT& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

RECT IntersectRects(const RECT& a, const RECT& b)
{
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top),
           std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return IsRectEmpty(r) ? RECT{} : r;
}

RECT UnionRects(const RECT& a, const RECT& b)
{
    if (IsRectEmpty(a))
        return IsRectEmpty(b) ? RECT{} : b;
    if (IsRectEmpty(b))
        return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top),
            std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

bool PtInRect(const RECT& r, POINT p)
{
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

namespace {

// Appends the parts of r that lie outside cut: at most four rectangles.
void appendDifference(const RECT& r, const RECT& cut, std::vector<RECT>& out)
{
    RECT common = IntersectRects(r, cut);
    if (IsRectEmpty(common)) {
        out.push_back(r);
        return;
    }
    if (r.top < common.top)
        out.push_back({r.left, r.top, r.right, common.top});
    if (common.bottom < r.bottom)
        out.push_back({r.left, common.bottom, r.right, r.bottom});
    if (r.left < common.left)
        out.push_back({r.left, common.top, common.left, common.bottom});
    if (common.right < r.right)
        out.push_back({common.right, common.top, r.right, common.bottom});
}

std::vector<RECT> minus(const std::vector<RECT>& from, const RECT& cut)
{
    std::vector<RECT> out;
    out.reserve(from.size() + 3);
    for (const RECT& r : from)
        appendDifference(r, cut, out);
    return out;
}

}  // namespace

Region::Region(const RECT& r)
{
    if (!IsRectEmpty(r))
        rects_.push_back(r);
}

RECT Region::box() const
{
    RECT b{};
    for (const RECT& r : rects_)
        b = UnionRects(b, r);
    return b;
}

bool Region::contains(POINT p) const
{
    return std::any_of(rects_.begin(), rects_.end(), [p](const RECT& r) { return PtInRect(r, p); });
}

bool Region::intersects(const RECT& rect) const
{
    return std::any_of(rects_.begin(), rects_.end(),
                       [&rect](const RECT& r) { return !IsRectEmpty(IntersectRects(r, rect)); });
}

bool Region::sameArea(const Region& other) const
{
    Region a = *this;
    a.exclusiveOr(other);
    return a.empty();
}

void Region::unite(const RECT& r)
{
    if (IsRectEmpty(r))
        return;
    // Keep the rectangles disjoint: add only what is not yet covered.
    std::vector<RECT> added{r};
    for (const RECT& have : rects_)
        added = minus(added, have);
    rects_.insert(rects_.end(), added.begin(), added.end());
}

void Region::unite(const Region& other)
{
    for (const RECT& r : other.rects_)
        unite(r);
}

void Region::intersect(const RECT& r)
{
    std::vector<RECT> out;
    for (const RECT& have : rects_) {
        RECT common = IntersectRects(have, r);
        if (!IsRectEmpty(common))
            out.push_back(common);
    }
    rects_ = std::move(out);
}

void Region::intersect(const Region& other)
{
    std::vector<RECT> out;
    for (const RECT& a : rects_)
        for (const RECT& b : other.rects_) {
            RECT common = IntersectRects(a, b);
            if (!IsRectEmpty(common))
                out.push_back(common);
        }
    rects_ = std::move(out);
}

void Region::subtract(const RECT& r)
{
    if (!IsRectEmpty(r))
        rects_ = minus(rects_, r);
}

void Region::subtract(const Region& other)
{
    for (const RECT& r : other.rects_)
        subtract(r);
}

void Region::exclusiveOr(const Region& other)
{
    Region onlyOther = other;
    onlyOther.subtract(*this);
    subtract(other);
    rects_.insert(rects_.end(), onlyOther.rects_.begin(), onlyOther.rects_.end());
}

void Region::offset(LONG dx, LONG dy)
{
    for (RECT& r : rects_) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
}

}  // namespace plat
