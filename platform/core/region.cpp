#include "platform/core/region.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <utility>

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

RECT SortedRect(const RECT& r)
{
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

namespace {

pixman_box32_t boxOf(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

// pixman reports running out of memory by leaving a region "broken"; like
// any other allocation failure here, that is fatal rather than a silently
// wrong shape.
void check(pixman_bool_t ok)
{
    if (!ok)
        throw std::bad_alloc();
}

// A region holding one rectangle, for the operations that take regions.
class RectRegion {
public:
    explicit RectRegion(const RECT& r)
    {
        pixman_box32_t b = boxOf(r);
        if (IsRectEmpty(r))
            pixman_region32_init(&region_);
        else
            pixman_region32_init_with_extents(&region_, &b);
    }
    ~RectRegion() { pixman_region32_fini(&region_); }
    RectRegion(const RectRegion&) = delete;
    RectRegion& operator=(const RectRegion&) = delete;
    pixman_region32_t* get() { return &region_; }

private:
    pixman_region32_t region_;
};

}  // namespace

Region::Region()
{
    pixman_region32_init(&region_);
}

Region::Region(const RECT& r)
{
    pixman_box32_t b = boxOf(r);
    if (IsRectEmpty(r))
        pixman_region32_init(&region_);
    else
        pixman_region32_init_with_extents(&region_, &b);
}

Region::Region(const Region& other)
{
    pixman_region32_init(&region_);
    check(pixman_region32_copy(&region_, &other.region_));
}

Region::Region(Region&& other) noexcept
{
    // A pixman region holds no pointer into itself: moving is taking the
    // bytes and leaving the source empty.
    region_ = other.region_;
    pixman_region32_init(&other.region_);
}

Region& Region::operator=(const Region& other)
{
    if (this != &other)
        check(pixman_region32_copy(&region_, &other.region_));
    return *this;
}

Region& Region::operator=(Region&& other) noexcept
{
    if (this != &other) {
        pixman_region32_fini(&region_);
        region_ = other.region_;
        pixman_region32_init(&other.region_);
    }
    return *this;
}

Region::~Region()
{
    pixman_region32_fini(&region_);
}

bool Region::empty() const
{
    return !pixman_region32_not_empty(&region_);
}

std::vector<RECT> Region::rects() const
{
    int n = 0;
    const pixman_box32_t* boxes = pixman_region32_rectangles(&region_, &n);
    std::vector<RECT> out;
    out.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i)
        out.push_back({boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2});
    return out;
}

std::size_t Region::rectCount() const
{
    return std::size_t(pixman_region32_n_rects(&region_));
}

RECT Region::box() const
{
    if (empty())
        return RECT{};
    const pixman_box32_t* e = pixman_region32_extents(&region_);
    return {e->x1, e->y1, e->x2, e->y2};
}

bool Region::contains(POINT p) const
{
    return pixman_region32_contains_point(&region_, p.x, p.y, nullptr);
}

bool Region::intersects(const RECT& r) const
{
    if (IsRectEmpty(r))
        return false;
    pixman_box32_t b = boxOf(r);
    return pixman_region32_contains_rectangle(&region_, &b) != PIXMAN_REGION_OUT;
}

bool Region::sameArea(const Region& other) const
{
    return pixman_region32_equal(&region_, &other.region_);
}

void Region::clear()
{
    pixman_region32_clear(&region_);
}

void Region::unite(const RECT& r)
{
    if (IsRectEmpty(r))
        return;
    RectRegion add(r);
    check(pixman_region32_union(&region_, &region_, add.get()));
}

void Region::unite(const Region& other)
{
    check(pixman_region32_union(&region_, &region_, &other.region_));
}

void Region::intersect(const RECT& r)
{
    RectRegion with(r);
    check(pixman_region32_intersect(&region_, &region_, with.get()));
}

void Region::intersect(const Region& other)
{
    check(pixman_region32_intersect(&region_, &region_, &other.region_));
}

void Region::subtract(const RECT& r)
{
    if (IsRectEmpty(r))
        return;
    RectRegion cut(r);
    check(pixman_region32_subtract(&region_, &region_, cut.get()));
}

void Region::subtract(const Region& other)
{
    check(pixman_region32_subtract(&region_, &region_, &other.region_));
}

void Region::exclusiveOr(const Region& other)
{
    Region onlyOther = other;
    check(pixman_region32_subtract(&onlyOther.region_, &onlyOther.region_, &region_));
    subtract(other);
    unite(onlyOther);
}

void Region::offset(LONG dx, LONG dy)
{
    // Coordinates stay 32-bit: parts moved past the edge of that plane are
    // cut away rather than wrapped.
    if (empty() || (dx == 0 && dy == 0))
        return;
    static constexpr std::int64_t kMin = std::numeric_limits<LONG>::min();
    static constexpr std::int64_t kMax = std::numeric_limits<LONG>::max();
    auto clamp = [](std::int64_t v) { return LONG(std::clamp(v, kMin, kMax)); };
    const RECT b = box();
    RECT keep{clamp(kMin - std::int64_t(dx)), clamp(kMin - std::int64_t(dy)), clamp(kMax - std::int64_t(dx)),
              clamp(kMax - std::int64_t(dy))};
    if (!(keep.left <= b.left && keep.top <= b.top && keep.right >= b.right && keep.bottom >= b.bottom))
        intersect(keep);
    pixman_region32_translate(&region_, dx, dy);
}

}  // namespace plat
