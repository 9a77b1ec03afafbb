#include "foundation/JxCharTables.h"

#include <gtest/gtest.h>

namespace {

TEST(CharTables, DefaultsAreTheCodePage1252Pairs)
{
    EXPECT_EQ(CharToLower('A'), 'a');
    EXPECT_EQ(CharToUpper('z'), 'Z');
    EXPECT_EQ(CharToLower('['), '[');
    EXPECT_EQ(CharToLower(0xC0), 0xE0);
    EXPECT_EQ(CharToUpper(0xFE), 0xDE);
    EXPECT_EQ(CharToLower(0xD7), 0xD7);  // multiplication sign
    EXPECT_EQ(CharToUpper(0xF7), 0xF7);  // division sign
    EXPECT_EQ(CharToUpper(0xDF), 0xDF);  // sharp s has no capital
    EXPECT_EQ(CharToLower(0x8E), 0x8E);  // Z with caron is left alone
    EXPECT_EQ(CharToUpper(0x9E), 0x9E);
    EXPECT_EQ(CharToUpper(0xFF), 0x9F);
    EXPECT_EQ(CharToLower(0x8C), 0x9C);
    // Every pair goes both ways.
    for (int c = 128; c < 256; ++c) {
        const unsigned char lower = CharToLower(static_cast<unsigned char>(c));
        if (lower != c) {
            EXPECT_EQ(CharToUpper(lower), c) << c;
        }
    }
}

TEST(CharTables, ReplacedTablesAreUsedUntilReset)
{
    JxCaseTables t = DefaultCaseTables();
    t.lower[0x8E - 128] = 0x9E;
    SetCaseTables(t);
    EXPECT_EQ(CharToLower(0x8E), 0x9E);
    ResetCaseTables();
    EXPECT_EQ(CharToLower(0x8E), 0x8E);
}

TEST(CharTables, LeadBytesOfTheDoubleBytePages)
{
    EXPECT_TRUE(IsLeadByteInCodePage(0x81, 932));
    EXPECT_TRUE(IsLeadByteInCodePage(0x9F, 932));
    EXPECT_FALSE(IsLeadByteInCodePage(0xA0, 932));
    EXPECT_FALSE(IsLeadByteInCodePage(0xDF, 932));  // half-width katakana
    EXPECT_TRUE(IsLeadByteInCodePage(0xE0, 932));
    EXPECT_TRUE(IsLeadByteInCodePage(0xFC, 932));
    EXPECT_FALSE(IsLeadByteInCodePage(0xFD, 932));
    for (int cp : {936, 949, 950}) {
        EXPECT_FALSE(IsLeadByteInCodePage(0x80, cp));
        EXPECT_TRUE(IsLeadByteInCodePage(0x81, cp));
        EXPECT_TRUE(IsLeadByteInCodePage(0xFE, cp));
        EXPECT_FALSE(IsLeadByteInCodePage(0xFF, cp));
    }
    EXPECT_FALSE(IsLeadByteInCodePage(0x81, 1252));
    EXPECT_FALSE(IsLeadByteInCodePage('A', 932));
}

}  // namespace
