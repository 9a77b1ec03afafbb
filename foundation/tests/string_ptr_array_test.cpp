#include <gtest/gtest.h>

#include "foundation/JxCNamedValue.h"
#include "foundation/JxCStringPtrArray.h"

TEST(JxCStringPtrArray, FindIgnoresCase)
{
    JxCStringPtrArray a;
    EXPECT_EQ(a.Find("abc"), -1);  // no slots yet
    a.SetOwnsElements();
    a.Add(new JxCString("first"));
    a.Add(new JxCString("abc"));
    a.Add(new JxCString("ABC"));
    EXPECT_EQ(a.Find("ABC"), 1);
    EXPECT_EQ(a.Find("First"), 0);
    EXPECT_EQ(a.Find("ab"), -1);
    EXPECT_EQ(a.Find(""), -1);
    a.RemoveAll();
    EXPECT_EQ(a.Find("abc"), -1);
}

TEST(JxCNamedValue, HoldsAUseOfItsNameWhileItLives)
{
    const JxCString name("NamedValueTestName");
    EXPECT_FALSE(TheNameRegistry().IsRegistered(name.View()));
    {
        JxCNameRefList list;
        list.Add(new JxCNamedValue(name, 5));
        JxCNamedValue copy(*list.GetFirst());
        EXPECT_EQ(TheNameRegistry().GetUseCount("namedvaluetestname"), 2u);
        EXPECT_EQ(*TheNameRegistry().Lookup(name.View()), 5);
        JxCNamedValue other(JxCString("OtherNamedValue"), 6);
        other = copy;
        EXPECT_FALSE(TheNameRegistry().IsRegistered("OtherNamedValue"));
        EXPECT_EQ(TheNameRegistry().GetUseCount(name.View()), 3u);
        other = other;
        EXPECT_EQ(TheNameRegistry().GetUseCount(name.View()), 3u);
    }
    EXPECT_FALSE(TheNameRegistry().IsRegistered(name.View()));
}
