#include <gtest/gtest.h>

#include <climits>

#include "foundation/JxRandom.h"
#include "foundation/JxTextHelpers.h"

TEST(IntToText, WritesBackwardsFromTheEnd)
{
    char buf[16];
    char* end = buf + 15;
    EXPECT_STREQ(IntToText(0, end), "0");
    EXPECT_STREQ(IntToText(-1234, end), "-1234");
    EXPECT_STREQ(IntToText(INT_MIN, end), "-2147483648");
    char* first = IntToText(INT_MAX, end);
    EXPECT_STREQ(first, "2147483647");
    EXPECT_EQ(end - first, 10);
    EXPECT_EQ(*end, '\0');
}

TEST(TextToInt, SignsDigitsAndStops)
{
    EXPECT_EQ(TextToInt("42abc"), 42);
    EXPECT_EQ(TextToInt("-17"), -17);
    EXPECT_EQ(TextToInt("+8"), 8);
    EXPECT_EQ(TextToInt("x1"), 0);
    EXPECT_EQ(TextToInt(""), 0);
    EXPECT_EQ(TextToInt("4294967297"), 1);  // accumulated in 32 bits
}

TEST(NumberTests, IntegerTexts)
{
    EXPECT_TRUE(IsIntegerText("-1234567890"));
    EXPECT_TRUE(IsIntegerText("+0"));
    EXPECT_FALSE(IsIntegerText("12345678901"));
    EXPECT_FALSE(IsIntegerText(""));
    EXPECT_FALSE(IsIntegerText("-"));
    EXPECT_FALSE(IsIntegerText("12a"));
}

TEST(NumberTests, RealTexts)
{
    EXPECT_TRUE(IsRealText("1.5e-3"));
    EXPECT_TRUE(IsRealText("-0.25"));
    EXPECT_TRUE(IsRealText("2E10"));
    EXPECT_TRUE(IsRealText("12345678901"));  // too long for an integer text
    EXPECT_FALSE(IsRealText("1.5e"));
    EXPECT_FALSE(IsRealText("1.2.3"));
    EXPECT_FALSE(IsRealText("15"));
    EXPECT_FALSE(IsRealText(""));
    EXPECT_FALSE(IsRealText("."));
    EXPECT_FALSE(IsRealText("-e5"));
    EXPECT_DOUBLE_EQ(TextToReal("1.5e-3"), 0.0015);
    EXPECT_DOUBLE_EQ(TextToReal("+2.5"), 2.5);
    EXPECT_EQ(TextToReal("abc"), 0.0);
}

TEST(RandomInRange, KnownSequenceForASeed)
{
    SeedRandom(12345);
    EXPECT_EQ(GetRandomSeed(), 12345u * 16807u);
    EXPECT_EQ(RandomInRange(6), 5);
    EXPECT_EQ(RandomInRange(6), 5);
    EXPECT_EQ(RandomInRange(6), 3);
    EXPECT_EQ(RandomInRange(100), 16);
    const std::uint32_t before = GetRandomSeed();
    EXPECT_EQ(RandomInRange(1), 1);
    EXPECT_NE(GetRandomSeed(), before);  // the seed still advances
    EXPECT_EQ(RandomInRange(100000), 9963);
    EXPECT_EQ(RandomInRange(100000), 48638);
    EXPECT_EQ(RandomInRange(100000), 73560);  // would wrap in 32 bits
    EXPECT_EQ(RandomInRange(0), 1);
    EXPECT_EQ(RandomInRange(-5), 1);
}

TEST(RandomInRange, StaysInsideTheRange)
{
    SetRandomSeed(1);
    for (int i = 0; i < 2000; ++i) {
        const int n = 1 + i * 1000003 % 2000000000;
        const int r = RandomInRange(n);
        ASSERT_GE(r, 1);
        ASSERT_LE(r, n);
    }
}

TEST(TrimText, BothEndsAndTheExtraCharacters)
{
    JxCString s(" \t a b \r\n");
    TrimText(s);
    EXPECT_STREQ(s.GetText(), "a b");
    JxCString c(",, x ,");
    TrimText(c, ",");
    EXPECT_STREQ(c.GetText(), "x");
    JxCString only(" ,\t,");
    TrimText(only, ",");
    EXPECT_TRUE(only.IsEmpty());
    JxCString keep("a,");
    TrimText(keep);
    EXPECT_STREQ(keep.GetText(), "a,");
}

TEST(SplitToken, TakesOneTokenAndKeepsTheDelimiter)
{
    JxCString text(",10, 20");
    JxCString token;
    ASSERT_TRUE(SplitToken(token, text));
    EXPECT_STREQ(token.GetText(), "10");
    EXPECT_STREQ(text.GetText(), ", 20");
    ASSERT_TRUE(SplitToken(token, text));
    EXPECT_STREQ(token.GetText(), "20");  // no delimiter: the whole rest
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_FALSE(SplitToken(token, text));
    EXPECT_TRUE(token.IsEmpty());
}

TEST(TextForms, PointsRectanglesAndRealsRoundTrip)
{
    const JxCRect r = TextToRect(JxCString("1, -2,3 ,40"));
    EXPECT_TRUE(r == JxCRect(1, -2, 3, 40));
    EXPECT_STREQ(RectToText(r).GetText(), "1, -2, 3, 40");
    EXPECT_TRUE(TextToRect(RectToText(r)) == r);
    EXPECT_TRUE(TextToRect(JxCString("7, 8")) == JxCRect(7, 8, 0, 0));
    const JxCPoint p = TextToPoint(JxCString(" 5,\t-6 "));
    EXPECT_TRUE(p == JxCPoint(5, -6));
    EXPECT_STREQ(PointToText(p).GetText(), "5, -6");
    JxCPointList list;
    list.Add(new JxCPoint(1, 2));
    list.Add(new JxCPoint(3, 4));
    EXPECT_STREQ(PointListToText(list).GetText(), "1, 2; 3, 4; ");
    EXPECT_DOUBLE_EQ(TextToReal(RealToText(0.1).GetText()), 0.1);
    EXPECT_STREQ(RealToText(-2.5).GetText(), "-2.5");
}

TEST(RandomInRange, AZeroSeedWouldStickSoItIsNeverUsed)
{
    SeedRandom(0);  // a clock that starts at 0
    EXPECT_NE(GetRandomSeed(), 0u);
    bool sawOtherThanOne = false;
    for (int i = 0; i < 20; ++i)
        sawOtherThanOne |= RandomInRange(10) != 1;
    EXPECT_TRUE(sawOtherThanOne);
}
