#include "platform/core/region.h"

#include <gtest/gtest.h>

#include <array>
#include <bitset>
#include <climits>
#include <random>

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

TEST(RegionTest, PixelByPixelAdditionsMergeIntoTheShapeTheyMake)
{
    // A wipe drawn one pixel at a time: the region stays a handful of
    // rectangles all the way, and is one at the end.
    Region r;
    std::size_t most = 0;
    for (LONG y = 10; y < 60; ++y)
        for (LONG x = 20; x < 120; ++x) {
            r.unite(RECT{x, y, x + 1, y + 1});
            most = std::max(most, r.rectCount());
        }
    EXPECT_LE(most, 3u);
    EXPECT_EQ(r.rectCount(), 1u);
    EXPECT_EQ(r.box(), (RECT{20, 10, 120, 60}));
}

TEST(RegionTest, RectanglesComeTopToBottomAndLeftToRight)
{
    Region r(RECT{50, 50, 60, 60});
    r.unite(RECT{0, 0, 10, 10});
    r.unite(RECT{30, 0, 40, 10});
    const auto v = r.rects();
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0], (RECT{0, 0, 10, 10}));
    EXPECT_EQ(v[1], (RECT{30, 0, 40, 10}));
    EXPECT_EQ(v[2], (RECT{50, 50, 60, 60}));
}

// Random operations on a small grid, checked pixel by pixel against a plain
// set of pixels.
TEST(RegionTest, OperationsAgreeWithTheirPixels)
{
    constexpr int kSide = 24;
    using Pixels = std::bitset<kSide * kSide>;
    auto pixelsOf = [](const Region& r) {
        Pixels p;
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x)
                p[std::size_t(y * kSide + x)] = r.contains({x, y});
        return p;
    };
    auto pixelsOfRect = [](const RECT& r) {
        Pixels p;
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x)
                p[std::size_t(y * kSide + x)] = PtInRect(r, {x, y});
        return p;
    };
    std::mt19937 rng(7);
    auto randomRect = [&rng] {
        LONG a = LONG(rng() % kSide), b = LONG(rng() % kSide), c = LONG(rng() % kSide), d = LONG(rng() % kSide);
        return SortedRect(RECT{a, b, c, d});
    };
    for (int round = 0; round < 200; ++round) {
        Region r;
        Pixels want;
        for (int step = 0; step < 12; ++step) {
            RECT x = randomRect();
            Region other(randomRect());
            other.unite(randomRect());
            const Pixels px = pixelsOfRect(x), po = pixelsOf(other);
            switch (rng() % 5) {
            case 0: r.unite(x); want |= px; break;
            case 1: r.subtract(x); want &= ~px; break;
            case 2: r.intersect(other); want &= po; break;
            case 3: r.exclusiveOr(other); want ^= po; break;
            default: r.unite(other); want |= po; break;
            }
            ASSERT_EQ(pixelsOf(r), want) << "round " << round << " step " << step;
            ASSERT_EQ(area(r), static_cast<long long>(want.count()));
            ASSERT_TRUE(disjoint(r));
        }
    }
}

TEST(RegionTest, OffsetsPastTheCoordinateRangeCutRatherThanWrap)
{
    Region r(RECT{0, 0, 10, 10});
    r.offset(INT_MAX - 5, 0);
    EXPECT_EQ(r.box(), (RECT{INT_MAX - 5, 0, INT_MAX, 10}));
    EXPECT_FALSE(r.contains({INT_MIN, 5}));
    Region s(RECT{-10, -10, 10, 10});
    s.offset(0, INT_MIN + 5);
    EXPECT_EQ(s.box(), (RECT{-10, INT_MIN, 10, INT_MIN + 15}));
}

}  // namespace
}  // namespace plat
