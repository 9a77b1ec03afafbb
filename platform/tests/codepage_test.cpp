#include "platform/core/codepage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/tests/greek_codepages.h"

namespace plat {
namespace {

TEST(CodePageTest, SingleBytePagesDecodeTheirUpperHalf)
{
    EXPECT_EQ(DecodeText("\x80\xe9", 1252), U"\u20AC\u00E9");
    // Greek: alpha, omega with tonos.
    EXPECT_EQ(DecodeText("\xe1\xfe", 1253), U"\u03B1\u03CE");
    EXPECT_EQ(DecodeText("abc", 1253), U"abc");
}

TEST(CodePageTest, EncodeIsTheInverseOfDecode)
{
    for (int cp : {737, 1252, 1253}) {
        for (int b = 128; b < 256; ++b) {
            std::string byte(1, static_cast<char>(b));
            std::u32string u = DecodeText(byte, cp);
            ASSERT_EQ(u.size(), 1u);
            if (u[0] == U'\uFFFD') {
                EXPECT_EQ(EncodeChar(u[0], cp), "") << "an undefined byte is no character's encoding";
                continue;
            }
            EXPECT_EQ(EncodeChar(u[0], cp), byte) << "code page " << cp << " byte " << b;
        }
    }
    EXPECT_EQ(EncodeChar(U'\u03B1', 1252), "");
}

TEST(CodePageTest, DoubleBytePagesGoThroughTheirTables)
{
    // Hiragana "a" in Shift-JIS, and a cut-off lead byte at the end.
    EXPECT_EQ(DecodeText("\x82\xa0", 932), U"\u3042");
    EXPECT_EQ(DecodeText("a\x82", 932), U"a\uFFFD");
    EXPECT_EQ(EncodeChar(U'\u3042', 932), "\x82\xa0");
}

TEST(CodePageTest, CurrentCodePageAcceptsOnlyKnownPages)
{
    int before = GetACP();
    SetACP(1253);
    EXPECT_EQ(GetACP(), 1253);
    SetACP(12345);
    EXPECT_EQ(GetACP(), 1253);
    SetACP(before);
}

TEST(CodePageTest, GreekPagesDecodeEveryByteAsThePublishedMappings)
{
    std::vector<testing::GreekByte> rows = testing::ReadGreekCodePages();
    ASSERT_EQ(rows.size(), 128u);
    for (const testing::GreekByte& r : rows) {
        std::string byte(1, char(r.byte));
        EXPECT_EQ(DecodeText(byte, 737), std::u32string(1, r.cp737)) << "737 byte " << r.byte;
        EXPECT_EQ(DecodeText(byte, 1253), std::u32string(1, r.cp1253)) << "1253 byte " << r.byte;
    }
}

class OemConversion : public ::testing::Test {
protected:
    void SetUp() override { SetACP(1253); }
    void TearDown() override { SetACP(before_); }

private:
    int before_ = GetACP();
};

TEST_F(OemConversion, GreekOemTextBecomesAnsiAndBackInPlace)
{
    EXPECT_EQ(GetOEMCP(), 737);
    // "Kelbo " alpha, omega with tonos, capital alpha with tonos, a shade block.
    char text[] = "Kelbo \x98\xe9\xea\xb0";
    ASSERT_TRUE(OemToCharA(text, text));
    EXPECT_STREQ(text, "Kelbo \xe1\xfe\xa2?") << "the block has no place in 1253";
    ASSERT_TRUE(CharToOemA(text, text));
    EXPECT_STREQ(text, "Kelbo \x98\xe9\xea?");
    char empty[1] = "";
    EXPECT_TRUE(OemToCharA(empty, empty));
    EXPECT_FALSE(OemToCharA(nullptr, empty));
    // An undefined 1253 byte has no OEM character either.
    char undefined[] = "\xaa";
    CharToOemA(undefined, undefined);
    EXPECT_STREQ(undefined, "?");
}

TEST(CodePageTest, WithoutAnOemTableBytesAreCopied)
{
    int before = GetACP();
    SetACP(1252);
    char text[] = "caf\xe9";
    char out[sizeof text];
    EXPECT_TRUE(OemToCharA(text, out));
    EXPECT_STREQ(out, "caf\xe9");
    SetACP(before);
}

}  // namespace
}  // namespace plat
