// Region objects and clip regions, held to the answers Windows gives.

#include <gtest/gtest.h>

#include <climits>

#include "platform/tests/draw_fixture.h"

namespace plat {
namespace {

using testing::SurfaceDC;

// A region object that goes at the end of scope.
class Rgn {
public:
    Rgn(int l, int t, int r, int b) : h_(CreateRectRgn(l, t, r, b)) {}
    ~Rgn() { DeleteObject(h_); }
    Rgn(const Rgn&) = delete;
    Rgn& operator=(const Rgn&) = delete;
    operator HRGN() const { return h_; }
    RECT box() const
    {
        RECT b{};
        GetRgnBox(h_, &b);
        return b;
    }

private:
    HRGN h_;
};

int combine(HRGN dest, const Rgn& a, const Rgn& b, int mode)
{
    return CombineRgn(dest, a, b, mode);
}

TEST(RegionObjectTest, AResultThatIsOneRectangleIsSimple)
{
    Rgn out(0, 0, 0, 0);
    // Side by side: one rectangle.
    EXPECT_EQ(combine(out, Rgn(0, 0, 5, 5), Rgn(5, 0, 10, 5), RGN_OR), SIMPLEREGION);
    EXPECT_EQ(out.box(), (RECT{0, 0, 10, 5}));
    // One above the other.
    EXPECT_EQ(combine(out, Rgn(0, 0, 5, 5), Rgn(0, 5, 5, 9), RGN_OR), SIMPLEREGION);
    // A rectangle with one that holds it.
    EXPECT_EQ(combine(out, Rgn(2, 2, 4, 4), Rgn(0, 0, 6, 6), RGN_OR), SIMPLEREGION);
    EXPECT_EQ(out.box(), (RECT{0, 0, 6, 6}));
    // Edge to edge, exclusive or has nothing to cut.
    EXPECT_EQ(combine(out, Rgn(0, 0, 5, 5), Rgn(5, 0, 10, 5), RGN_XOR), SIMPLEREGION);
    // The difference of overlapping rectangles that leaves one strip.
    EXPECT_EQ(combine(out, Rgn(0, 0, 10, 5), Rgn(4, 0, 10, 5), RGN_DIFF), SIMPLEREGION);
    EXPECT_EQ(out.box(), (RECT{0, 0, 4, 5}));

    // An L filled up to a square.
    Rgn l(0, 0, 10, 5);
    Rgn foot(0, 5, 5, 10);
    EXPECT_EQ(CombineRgn(l, l, foot, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(combine(out, Rgn(0, 0, 0, 0), Rgn(0, 0, 0, 0), RGN_OR), NULLREGION);
    Rgn corner(5, 5, 10, 10);
    EXPECT_EQ(CombineRgn(l, l, corner, RGN_OR), SIMPLEREGION);
    Rgn square(0, 0, 10, 10);
    EXPECT_TRUE(EqualRgn(l, square));
    // An offset keeps the type.
    EXPECT_EQ(OffsetRgn(l, -3, 7), SIMPLEREGION);
    EXPECT_EQ(l.box(), (RECT{-3, 7, 7, 17}));
}

TEST(RegionObjectTest, ReversedRectanglesAreSortedFirst)
{
    Rgn r(10, 10, 20, 20);
    const RECT reversed{15, 5, 5, 15};
    EXPECT_TRUE(RectInRegion(r, &reversed));
    const RECT outside{30, 30, 25, 25};
    EXPECT_FALSE(RectInRegion(r, &outside));

    SurfaceDC s(10, 10, 8);
    const RECT visible{8, 8, 2, 2};
    EXPECT_TRUE(RectVisible(s.dc(), &visible));
    const RECT beyond{30, 30, 20, 20};
    EXPECT_FALSE(RectVisible(s.dc(), &beyond));

    EXPECT_EQ(IntersectClipRect(s.dc(), 8, 8, 2, 2), SIMPLEREGION);
    RECT box{};
    EXPECT_EQ(GetClipBox(s.dc(), &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{2, 2, 8, 8}));

    SurfaceDC one(1, 1, 8);
    EXPECT_EQ(ExcludeClipRect(one.dc(), 1, 1, -10, -20), NULLREGION);
    Rgn clip(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(one.dc(), clip), 1);
    EXPECT_EQ(GetRgnBox(clip, &box), NULLREGION);
}

TEST(RegionObjectTest, OffsetsPastTheCoordinateLimitFailAndLeaveTheRegion)
{
    constexpr int kLimit = 1 << 27;  // GDI coordinates are 27-bit
    const struct {
        int dx, dy;
        int type;
    } cases[] = {
        {kLimit - 20, 0, SIMPLEREGION},  {0, -kLimit, SIMPLEREGION}, {kLimit, 0, ERROR},
        {0, -kLimit - 1, ERROR},         {INT_MAX, 0, ERROR},        {INT_MIN, INT_MIN, ERROR},
    };
    for (const auto& c : cases) {
        Rgn r(0, 0, 10, 10);
        EXPECT_EQ(OffsetRgn(r, c.dx, c.dy), c.type) << c.dx << "," << c.dy;
        const RECT moved = c.type == ERROR ? RECT{0, 0, 10, 10} : RECT{c.dx, c.dy, c.dx + 10, c.dy + 10};
        EXPECT_EQ(r.box(), moved) << c.dx << "," << c.dy;
    }
    Rgn empty(0, 0, 0, 0);
    EXPECT_EQ(OffsetRgn(empty, INT_MAX, INT_MAX), NULLREGION);
}

TEST(RegionObjectTest, ClipRegionsAnswerWithTheirTypeAndBox)
{
    SurfaceDC s(100, 100, 8);
    EXPECT_EQ(ExtSelectClipRgn(s.dc(), nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_EQ(SelectClipRgn(s.dc(), nullptr), SIMPLEREGION);
    Rgn got(1, 2, 3, 4);
    EXPECT_EQ(GetClipRgn(s.dc(), got), 0);
    EXPECT_EQ(got.box(), (RECT{1, 2, 3, 4})) << "left as it was";

    Rgn two(10, 10, 20, 20);
    Rgn other(30, 30, 40, 40);
    CombineRgn(two, two, other, RGN_OR);
    Rgn overhanging(50, 50, 150, 150);
    Rgn outside(200, 200, 300, 300);
    const struct {
        HRGN clip;
        int type;
        RECT box;
    } cases[] = {
        {two, COMPLEXREGION, {10, 10, 40, 40}},
        {overhanging, SIMPLEREGION, {50, 50, 100, 100}},  // cut to the surface
        {outside, NULLREGION, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SelectClipRgn(s.dc(), c.clip), c.type);
        RECT box{-1, -1, -1, -1};
        EXPECT_EQ(GetClipBox(s.dc(), &box), c.type);
        EXPECT_EQ(box, c.box);
        EXPECT_EQ(GetClipRgn(s.dc(), got), 1);
    }
    EXPECT_EQ(ExtSelectClipRgn(s.dc(), nullptr, RGN_AND), ERROR);
}

TEST(RegionObjectTest, ADCWithoutAClipCombinesFromItsSurface)
{
    SurfaceDC s(100, 100, 8);
    Rgn got(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(s.dc(), got), 0);  // no clip region yet
    Rgn nothing(0, 0, 0, 0);
    EXPECT_EQ(ExtSelectClipRgn(s.dc(), nothing, RGN_DIFF), SIMPLEREGION);
    EXPECT_EQ(GetClipRgn(s.dc(), got), 1);
    EXPECT_EQ(got.box(), (RECT{0, 0, 100, 100}));

    SelectClipRgn(s.dc(), nullptr);
    EXPECT_EQ(GetClipRgn(s.dc(), got), 0);
    Rgn hole(10, 10, 20, 20);
    EXPECT_EQ(ExtSelectClipRgn(s.dc(), hole, RGN_XOR), COMPLEXREGION);
    GetClipRgn(s.dc(), got);
    Rgn want(0, 0, 100, 100);
    CombineRgn(want, want, hole, RGN_DIFF);
    EXPECT_TRUE(EqualRgn(got, want));

    SelectClipRgn(s.dc(), nullptr);
    EXPECT_EQ(ExcludeClipRect(s.dc(), 0, 0, 100, 50), SIMPLEREGION);
    GetClipRgn(s.dc(), got);
    EXPECT_EQ(got.box(), (RECT{0, 50, 100, 100}));

    // The surface counts in device coordinates, whatever the origins.
    SelectClipRgn(s.dc(), nullptr);
    SetWindowOrgEx(s.dc(), 30, 0, nullptr);
    EXPECT_EQ(ExtSelectClipRgn(s.dc(), nothing, RGN_OR), SIMPLEREGION);
    GetClipRgn(s.dc(), got);
    EXPECT_EQ(got.box(), (RECT{0, 0, 100, 100}));
}

}  // namespace
}  // namespace plat
