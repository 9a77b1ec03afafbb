#include <gtest/gtest.h>

#include "foundation/JxCArray.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCRect.h"

TEST(JxCArray, SetAtGrowZeroFillsTheGap)
{
    JxCArray<std::int32_t> a;
    a.SetAtGrow(5, 42);
    ASSERT_EQ(a.GetSize(), 6);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(a.GetAt(i), 0);
    EXPECT_EQ(a.GetAt(5), 42);
}

TEST(JxCArray, GrowthStepAppliesOnlyPastTheCapacity)
{
    JxCArray<std::int16_t> a;
    a.SetSize(4);
    a.SetSize(3, 10);
    EXPECT_EQ(a.GetCapacity(), 4);
    a.SetSize(5);
    EXPECT_EQ(a.GetCapacity(), 14);
    a.SetSize(30);  // beyond capacity + step: exactly the size
    EXPECT_EQ(a.GetCapacity(), 30);
    a.FreeExtra();
    EXPECT_EQ(a.GetCapacity(), 30);
    a.SetSize(2);
    a.FreeExtra();
    EXPECT_EQ(a.GetCapacity(), 2);
}

TEST(JxCArray, ShrinkingThenGrowingZeroesTheReusedSlots)
{
    JxCArray<std::int32_t> a;
    for (int i = 0; i < 4; ++i)
        a.SetAtGrow(i, i + 1);
    a.SetSize(1);
    a.SetSize(4);
    EXPECT_EQ(a.GetAt(0), 1);
    EXPECT_EQ(a.GetAt(1), 0);
    EXPECT_EQ(a.GetAt(3), 0);
}

TEST(JxCArray, InsertInsideAndPastTheEnd)
{
    JxCArray<std::int32_t> a;
    a.SetAtGrow(0, 1);
    a.SetAtGrow(1, 2);
    a.InsertAt(1, 9, 2);
    ASSERT_EQ(a.GetSize(), 4);
    EXPECT_EQ(a.GetAt(0), 1);
    EXPECT_EQ(a.GetAt(1), 9);
    EXPECT_EQ(a.GetAt(2), 9);
    EXPECT_EQ(a.GetAt(3), 2);
    a.InsertAt(6, 7);
    ASSERT_EQ(a.GetSize(), 7);
    EXPECT_EQ(a.GetAt(4), 0);
    EXPECT_EQ(a.GetAt(6), 7);
}

TEST(JxCArray, RemoveAtChecksItsRange)
{
    JxCArray<std::int32_t> a;
    for (int i = 0; i < 5; ++i)
        a.SetAtGrow(i, i);
    a.RemoveAt(4, 2);
    a.RemoveAt(-1, 1);
    a.RemoveAt(6, 0);
    EXPECT_EQ(a.GetSize(), 5);
    a.RemoveAt(1, 3);
    ASSERT_EQ(a.GetSize(), 2);
    EXPECT_EQ(a.GetAt(0), 0);
    EXPECT_EQ(a.GetAt(1), 4);
    a.RemoveAt(1);
    EXPECT_EQ(a.GetSize(), 1);
}

TEST(JxCArray, AssignmentCopiesToAnExactBlockAndCompares)
{
    JxCArray<JxCRect> a;
    a.SetSize(3, 8);
    a.SetAtGrow(2, JxCRect(1, 2, 3, 4));
    JxCArray<JxCRect> b;
    b.SetAtGrow(0, JxCRect(9, 9, 9, 9));
    EXPECT_FALSE(a == b);
    b = a;
    EXPECT_EQ(b.GetCapacity(), 3);
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(b.GetAt(2).Contains(JxCPoint(3, 4)));  // a working rectangle, not raw bytes
    b.GetAt(0).left = 1;
    EXPECT_FALSE(a == b);
    JxCArray<JxCRect>& self = b;
    b = self;
    EXPECT_EQ(b.GetSize(), 3);
    JxCArray<JxCRect> c(a);
    EXPECT_TRUE(c == a);
}

TEST(JxCArray, ValuesOfEveryElementKind)
{
    JxCArray<double> reals;
    reals.InsertAt(0, 1.5, 3);
    EXPECT_EQ(reals.GetAt(2), 1.5);
    JxCArray<JxCPoint> points;
    points.SetAtGrow(1, JxCPoint(4, 5));
    EXPECT_TRUE(points.GetAt(0) == JxCPoint(0, 0));
    EXPECT_TRUE(points.GetAt(1) == JxCPoint(4, 5));
    JxCArray<void*> handles;
    handles.SetAtGrow(0, &reals);
    EXPECT_EQ(handles.GetAt(0), &reals);
    handles.SetSize(0);
    EXPECT_EQ(handles.GetCapacity(), 0);
}
