#include "platform/core/codepage.h"

#include <gtest/gtest.h>

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
    for (int cp : {1252, 1253}) {
        for (int b = 128; b < 256; ++b) {
            std::string byte(1, static_cast<char>(b));
            std::u32string u = DecodeText(byte, cp);
            ASSERT_EQ(u.size(), 1u);
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

}  // namespace
}  // namespace plat
