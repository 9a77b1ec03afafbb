#include <gtest/gtest.h>

#include "foundation/JxCNameRegistry.h"

TEST(JxCNameRegistry, CountsUsesOfOneNameWithoutRegardToCase)
{
    JxCNameRegistry reg;
    reg.Register("Alpha", 7);
    reg.Register("ALPHA", 9);  // same name: one more use, the value stays
    EXPECT_EQ(reg.GetEntryCount(), 1u);
    EXPECT_EQ(reg.GetUseCount("alpha"), 2u);
    ASSERT_NE(reg.Lookup("aLpHa"), nullptr);
    EXPECT_EQ(*reg.Lookup("alpha"), 7);
    EXPECT_EQ(reg.Release("Alpha"), 1);
    EXPECT_TRUE(reg.IsRegistered("alpha"));
    EXPECT_EQ(reg.Release("alpha"), 1);
    EXPECT_FALSE(reg.IsRegistered("alpha"));
    EXPECT_EQ(reg.Release("alpha"), 0);
    EXPECT_EQ(reg.GetEntryCount(), 0u);
}

TEST(JxCNameRegistry, ValuesStayPutWhileOtherNamesComeAndGo)
{
    JxCNameRegistry reg;
    reg.Register("one", 1);
    std::int32_t* one = reg.Lookup("one");
    for (int i = 0; i < 100; ++i)
        reg.Register("name" + std::to_string(i), i);
    for (int i = 0; i < 100; i += 2)
        reg.Release("name" + std::to_string(i));
    EXPECT_EQ(reg.Lookup("one"), one);
    EXPECT_EQ(*one, 1);
    EXPECT_EQ(reg.GetEntryCount(), 51u);
    EXPECT_FALSE(reg.IsRegistered("name"));  // no partial matches
    EXPECT_FALSE(reg.IsRegistered("name10"));
    EXPECT_TRUE(reg.IsRegistered("NAME11"));
}
