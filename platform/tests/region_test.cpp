#include "platform/core/region.h"

#include <gtest/gtest.h>

namespace plat {
namespace {

long long area(const Region& r)
{
    long long sum = 0;
    for (const RECT& x : r.rects())
        sum += static_cast<long long>(x.right - x.left) * (x.bottom - x.top);
    return sum;
}

bool disjoint(const Region& r)
{
    const auto& v = r.rects();
    for (size_t i = 0; i < v.size(); ++i)
        for (size_t j = i + 1; j < v.size(); ++j)
            if (!IsRectEmpty(IntersectRects(v[i], v[j])))
                return false;
    return true;
}

TEST(RegionTest, RectangleEdgesFollowTheHalfOpenRule)
{
    Region r(RECT{10, 10, 20, 20});
    EXPECT_TRUE(r.contains({10, 10}));
    EXPECT_TRUE(r.contains({19, 19}));
    EXPECT_FALSE(r.contains({20, 19}));
    EXPECT_FALSE(r.contains({19, 20}));
    EXPECT_TRUE(Region(RECT{5, 5, 5, 9}).empty());
}

TEST(RegionTest, UnionOfOverlappingRectanglesCountsEachPixelOnce)
{
    Region r(RECT{0, 0, 10, 10});
    r.unite(RECT{5, 5, 15, 15});
    EXPECT_EQ(area(r), 100 + 100 - 25);
    EXPECT_TRUE(disjoint(r));
    EXPECT_EQ(r.box(), (RECT{0, 0, 15, 15}));
    EXPECT_FALSE(r.contains({12, 2}));
}

TEST(RegionTest, SubtractLeavesAFrameAroundAHole)
{
    Region r(RECT{0, 0, 10, 10});
    r.subtract(RECT{3, 3, 7, 7});
    EXPECT_EQ(area(r), 100 - 16);
    EXPECT_TRUE(disjoint(r));
    EXPECT_FALSE(r.contains({5, 5}));
    EXPECT_TRUE(r.contains({0, 5}));
    EXPECT_EQ(r.box(), (RECT{0, 0, 10, 10}));
}

TEST(RegionTest, IntersectAndExclusiveOr)
{
    Region a(RECT{0, 0, 10, 10});
    Region b(RECT{5, 0, 15, 10});
    Region both = a;
    both.intersect(b);
    EXPECT_TRUE(both.sameArea(Region(RECT{5, 0, 10, 10})));
    Region x = a;
    x.exclusiveOr(b);
    EXPECT_EQ(area(x), 100);
    EXPECT_FALSE(x.contains({7, 5}));
    EXPECT_TRUE(x.contains({2, 5}));
    EXPECT_TRUE(x.contains({12, 5}));
}

TEST(RegionTest, OffsetMovesEveryRectangle)
{
    Region r(RECT{0, 0, 2, 2});
    r.unite(RECT{4, 4, 6, 6});
    r.offset(-1, 3);
    EXPECT_TRUE(r.contains({-1, 3}));
    EXPECT_TRUE(r.contains({4, 8}));
    EXPECT_FALSE(r.contains({0, 0}));
}

TEST(RegionTest, SameAreaIgnoresHowTheRectanglesAreCut)
{
    Region a(RECT{0, 0, 10, 10});
    Region b(RECT{0, 0, 10, 5});
    b.unite(RECT{0, 5, 10, 10});
    EXPECT_TRUE(a.sameArea(b));
    b.subtract(RECT{9, 9, 10, 10});
    EXPECT_FALSE(a.sameArea(b));
}

}  // namespace
}  // namespace plat
