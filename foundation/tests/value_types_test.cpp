#include <gtest/gtest.h>

#include <type_traits>

#include "foundation/JxCPoint.h"
#include "foundation/JxCRGB.h"
#include "foundation/JxCRect.h"
#include "foundation/JxCTypeIds.h"
#include "foundation/JxObjectRef.h"

TEST(JxCRect, ContainsIsInclusiveOnEveryEdge)
{
    const JxCRect r(10, 20, 30, 40);
    EXPECT_TRUE(r.Contains(JxCPoint(10, 20)));
    EXPECT_TRUE(r.Contains(JxCPoint(30, 40)));
    EXPECT_TRUE(r.Contains(JxCPoint(30, 20)));
    EXPECT_FALSE(r.Contains(JxCPoint(31, 30)));
    EXPECT_FALSE(r.Contains(JxCPoint(20, 41)));
    EXPECT_FALSE(r.Contains(JxCPoint(9, 30)));
    EXPECT_FALSE(r.Contains(JxCPoint(20, 19)));
    // Negative coordinates compare as signed numbers.
    EXPECT_TRUE(JxCRect(-5, -5, 5, 5).Contains(JxCPoint(-5, 0)));
    EXPECT_FALSE(JxCRect(-5, -5, 5, 5).Contains(JxCPoint(-6, 0)));
}

TEST(JxCRect, ContainsIsVirtual)
{
    struct Nowhere : JxCRect {
        bool Contains(const JxCPoint&) const override { return false; }
    } nowhere;
    const JxCRect& r = nowhere;
    EXPECT_FALSE(r.Contains(JxCPoint(0, 0)));
}

TEST(JxCRect, RectanglesSharingAnEdgeIntersect)
{
    const JxCRect a(0, 0, 10, 10);
    EXPECT_TRUE(a.Intersects(JxCRect(10, 0, 20, 10)));
    EXPECT_TRUE(a.Intersects(JxCRect(0, 10, 10, 20)));
    EXPECT_TRUE(a.Intersects(JxCRect(10, 10, 11, 11)));
    EXPECT_FALSE(a.Intersects(JxCRect(11, 0, 20, 10)));
    EXPECT_FALSE(a.Intersects(JxCRect(0, -10, 10, -1)));
}

TEST(JxCRect, IntersectShrinksToOverlapOnly)
{
    JxCRect a(0, 0, 10, 10);
    a.Intersect(JxCRect(5, -5, 20, 8));
    EXPECT_TRUE(a == JxCRect(5, 0, 10, 8));
    a.Intersect(JxCRect(50, 50, 60, 60));
    EXPECT_TRUE(a == JxCRect(5, 0, 10, 8));
    EXPECT_FALSE(a.IsEmpty());
    EXPECT_TRUE(JxCRect(5, 5, 5, 9).IsEmpty());
}

TEST(JxCRect, GeometryIsNotNormalised)
{
    JxCRect r(30, 40, 10, 20);
    EXPECT_EQ(r.Width(), -20);
    EXPECT_EQ(r.Height(), -20);
    EXPECT_EQ(r.GetSize().cx, -20);
    r.Set(-32768, 0, 32767, 1);
    EXPECT_EQ(r.Width(), 65535);  // 32-bit result of 16-bit fields
}

TEST(JxCRect, OffsetInflateAndWrapAround)
{
    JxCRect r(1, 2, 3, 4);
    r.Offset(10, 20);
    EXPECT_TRUE(r == JxCRect(11, 22, 13, 24));
    r.OffsetByPoint(JxCPoint(-11, -22));
    EXPECT_TRUE(r == JxCRect(0, 0, 2, 2));
    r.Inflate(2, 1);
    EXPECT_TRUE(r == JxCRect(-2, -1, 4, 3));
    JxCRect big(32760, 0, 32767, 0);
    big.Offset(10, 0);
    EXPECT_EQ(big.left, -32766);
    EXPECT_EQ(big.right, -32759);
}

TEST(JxCRect, ConversionsToPlatformShapes)
{
    const JxCRect r(-1, 2, 300, 400);
    plat::RECT out;
    r.ToRECT(&out);
    EXPECT_EQ(out, (plat::RECT{-1, 2, 300, 400}));
    plat::POINT p;
    r.GetOrigin().ToPOINT(&p);
    EXPECT_EQ(p, (plat::POINT{-1, 2}));
    JxCRect s;
    s.SetFromPoints(JxCPoint(1, 2), JxCPoint(3, 4));
    EXPECT_TRUE(s == JxCRect(1, 2, 3, 4));
    EXPECT_TRUE(s.TopLeft() == JxCPoint(1, 2));
}

TEST(JxCPoint, EqualityAndAssignment)
{
    JxCPoint a(3, -4);
    JxCPoint b;
    EXPECT_TRUE(a != b);
    b = a;
    EXPECT_EQ(a == b, 1);
    EXPECT_EQ(a != b, 0);
    EXPECT_TRUE(JxCPoint(3, 5) != a);
}

TEST(JxCRGB, PackedAndIndexedColours)
{
    const JxCRGB packed(plat::RGB(1, 2, 3));
    EXPECT_EQ(packed.red, 1);
    EXPECT_EQ(packed.green, 2);
    EXPECT_EQ(packed.blue, 3);
    EXPECT_TRUE(JxCRGB::FromIndex(4) == JxCRGB(2, 171, 235));
    EXPECT_TRUE(JxCRGB::FromIndex(7) == JxCRGB(255, 255, 255));
    EXPECT_TRUE(JxCRGB::FromIndex(0) == JxCRGB(0, 0, 0));
    // Outside the table: black, never unset components.
    EXPECT_TRUE(JxCRGB::FromIndex(8) == JxCRGB(0, 0, 0));
    EXPECT_TRUE(JxCRGB::FromIndex(-1) == JxCRGB(0, 0, 0));
    EXPECT_TRUE(JxCRGB(1, 2, 3) != JxCRGB(1, 2, 4));
}

TEST(TypedIds, KeepTheirFamilyAndSignExtend)
{
    const JxCEventId e(std::int16_t(-2));
    EXPECT_EQ(short(e), -2);
    static_assert(!std::is_convertible_v<JxCEventId, JxCActionTypeId>);
    JxObjectRef ref;
    EXPECT_EQ(ref.Get(), nullptr);
    EXPECT_EQ(ref.topDown, 0);
    JxHolderRecord h;
    int target = 0;
    h.word = 7;
    h.Init(&target, 5);
    EXPECT_EQ(h.pointer, &target);
    EXPECT_EQ(h.value, 5);
    EXPECT_EQ(h.word, 0u);
}
