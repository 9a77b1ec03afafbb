// The Greek tables against the published code pages, the Greek case rules,
// the buffer helpers and the picture masks.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/tests/greek_codepages.h"
#include "platform/ui/dialog.h"
#include "platform/ui/message_box.h"
#include "platform/ui/responder.h"
#include "setup/GreekText.h"
#include "setup/PictureMask.h"
#include "setup/SetupText.h"
#include "setup_fixture.h"

namespace {

using setup_testing::SetupTest;

using plat::testing::GreekByte;

// Which letters the tables move: the capitals, small alpha to omega with
// final sigma, and the small letters with tonos.
bool isMovedLetter(char32_t c, bool fromOem)
{
    bool capital = c >= U'\u0391' && c <= U'\u03A9' && c != U'\u03A2';
    bool small = c >= U'\u03B1' && c <= U'\u03C9';
    bool tonos = c == U'\u03AC' || c == U'\u03AD' || c == U'\u03AE' || c == U'\u03AF' || c == U'\u03CC' ||
                 c == U'\u03CD' || c == U'\u03CE';
    bool iotaDialytika = c == U'\u03CA';
    return capital || small || tonos || (fromOem && iotaDialytika);
}

// Checks one direction of the tables against the published pages: a letter
// the tables move lands on the byte of the same character, any other byte
// stays. The count of moved letters.
int checkDirection(const std::vector<GreekByte>& rows, bool fromOem)
{
    int moved = 0;
    for (const GreekByte& row : rows) {
        auto b = static_cast<unsigned char>(row.byte);
        unsigned char to = fromOem ? GreekOemToAnsiChar(b) : GreekAnsiToOemChar(b);
        char32_t from = fromOem ? row.cp737 : row.cp1253;
        if (!isMovedLetter(from, fromOem)) {
            EXPECT_EQ(to, row.byte) << (fromOem ? "737" : "1253") << " byte " << row.byte << " stays";
            continue;
        }
        ++moved;
        const GreekByte& target = rows[to - 0x80];
        EXPECT_EQ(fromOem ? target.cp1253 : target.cp737, from) << (fromOem ? "737" : "1253") << " byte " << row.byte;
    }
    return moved;
}

TEST(GreekTables, MoveExactlyTheGreekLettersAsThePublishedCodePagesDo)
{
    std::vector<GreekByte> rows = plat::testing::ReadGreekCodePages();
    ASSERT_EQ(rows.size(), 128u);
    int movedFromOem = checkDirection(rows, true);
    int movedFromAnsi = checkDirection(rows, false);
    EXPECT_EQ(movedFromOem, 24 + 25 + 7 + 1);
    EXPECT_EQ(movedFromAnsi, 24 + 25 + 7);
    for (int c = 0; c < 0x80; ++c) {
        EXPECT_EQ(GreekOemToAnsiChar(static_cast<unsigned char>(c)), c);
        EXPECT_EQ(GreekAnsiToOemChar(static_cast<unsigned char>(c)), c);
    }
}

TEST(GreekCase, AccentsDropInUpperCaseAndSigmaFollowsItsRules)
{
    const unsigned char alphaTonos = 0xDC, capitalAlpha = 0xC1, alpha = 0xE1;
    const unsigned char sigma = 0xF3, finalSigma = 0xF2, capitalSigma = 0xD3;
    EXPECT_EQ(GreekToUpper(alphaTonos), capitalAlpha);
    EXPECT_EQ(GreekToLower(alphaTonos), alpha);
    EXPECT_EQ(GreekToUpper(sigma), capitalSigma);
    EXPECT_EQ(GreekToUpper(finalSigma), capitalSigma);
    EXPECT_EQ(GreekToLower(capitalSigma), sigma);
    EXPECT_EQ(GreekToUpper(0xFE), 0xD9) << "omega with tonos";
    EXPECT_EQ(GreekToLower(0xD9), 0xF9) << "capital omega";
    EXPECT_EQ(GreekToUpper('q'), 'Q');
    EXPECT_EQ(GreekToLower('Q'), 'q');
    // Capitals with tonos (1253 A2, B8-BA, BC, BE, BF) pass both case
    // functions and both tables; they are not 737's gamma or box lines.
    for (unsigned char c : {0xA2, 0xB8, 0xB9, 0xBA, 0xBC, 0xBE, 0xBF}) {
        EXPECT_EQ(GreekToUpper(c), c) << int(c);
        EXPECT_EQ(GreekToLower(c), c) << int(c);
        EXPECT_EQ(GreekAnsiToOemChar(c), c) << int(c);
    }
    // Bytes that are no Greek letter stay, whatever 737 keeps at their value.
    for (unsigned char c : {0x80, 0x98, 0xA9, 0xB0, 0xFF})
        EXPECT_EQ(GreekToLower(c), c) << int(c);
}

TEST(GreekBuffers, ConversionAndPaddingStayInsideTheirBuffers)
{
    std::string big(5000, '\x98');
    EXPECT_EQ(ConvertGreekText(big), std::string(5000, '\xE1')) << "any length converts";

    // Lower-case ASCII stays, the rest goes to 737, the rest is zeros.
    char buffer[8] = {'a', 'B', '\xE1', 'c', '\0', 'x', 'x', 'x'};
    EXPECT_EQ(ConvertPadBuffer(7, buffer), 7);
    EXPECT_EQ(std::string(buffer, 8), std::string("aB\x98" "c\0\0\0\0", 8));
    // A length as long as the buffer leaves its last byte for the zero.
    char full[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(ConvertPadBuffer(4, full), 3);
    EXPECT_EQ(std::string(full, 4), std::string("abc\0", 4));
    EXPECT_EQ(ConvertPadBuffer(5, std::span<char>()), 0);

    char word[] = "\xDC\xE2";  // alpha with tonos, beta
    UpperBuffer(99, std::span<char>(word, 2));
    EXPECT_STREQ(word, "\xC1\xC2");
    LowerBuffer(1, std::span<char>(word, 2));
    EXPECT_STREQ(word, "\xE1\xC2");
    ClearBuffer(99, std::span<char>(word, 2));
    EXPECT_EQ(word[0], '\0');
    EXPECT_EQ(word[1], '\0');
}

TEST_F(SetupTest, OemTextsGoThroughThePlatformAtAnyLength)
{
    std::string text(300, '\x80');
    EXPECT_EQ(OemToAnsiText(text), std::string(300, '\xC1')) << "longer than 250 converts too";
    EXPECT_EQ(AnsiToOemText(std::string(300, '\xC1')), text);
    char out[4] = {};
    OemToAnsiBuffer("\x98\x99", out, 0);
    EXPECT_STREQ(out, "\xE1\xE2");
}

TEST_F(SetupTest, TextsComeFromTheStringTableWithAlphaForUnderscore)
{
    EXPECT_EQ(LoadText(120), "Kelbo");
    EXPECT_EQ(ConvertGreekText(LoadText(108)), ansi("Η εγκατάσταση έγινε κανονικά"));
    EXPECT_EQ(LoadText(9999), "LS error");
    // 209 keeps its "_" as the masks need it; a text for display gets alpha.
    EXPECT_NE(LoadRawText(209).find('_'), std::string::npos);
    EXPECT_EQ(LoadText(209).find('_'), std::string::npos);
    EXPECT_NE(LoadText(209).find('\x80'), std::string::npos);
}

TEST_F(SetupTest, PicturesAcceptTheirSetsAndNothingElse)
{
    EXPECT_EQ(ValidateByPicture("12", "99"), 1);
    EXPECT_EQ(ValidateByPicture("1a", "99"), 0);
    EXPECT_EQ(CheckPictureChar(nullptr, '9', 'a'), 0);
    EXPECT_EQ(CheckPictureChar(nullptr, '0', '-'), 1);
    EXPECT_EQ(CheckPictureChar(nullptr, 'D', '/'), 1);
    EXPECT_EQ(CheckPictureChar(nullptr, 'T', ':'), 1);
    EXPECT_EQ(CheckPictureChar(nullptr, 'F', '.'), 1);
    EXPECT_EQ(CheckPictureChar(nullptr, 'E', '>'), 1);
    EXPECT_EQ(CheckPictureChar(nullptr, 'd', '_'), 1);
    EXPECT_EQ(CheckPictureChar(nullptr, 'd', ' '), 1);
    EXPECT_EQ(CheckPictureChar(nullptr, 'd', '.'), 0);
    EXPECT_EQ(CheckPictureChar(nullptr, 'X', '\x01'), 1);
    // "G": Greek letters (a 737 text, converted) and its signs.
    EXPECT_EQ(ValidateByPicture("\x80\xAA(", "GGG"), 1);
    EXPECT_EQ(ValidateByPicture("a", "G"), 0);
    // A text longer than its picture, or than 100 characters, is checked too.
    EXPECT_EQ(ValidateByPicture("123", "99"), 0);
    EXPECT_EQ(ValidateByPicture(std::string(101, '1') + "a", std::string(102, '9')), 0);
    EXPECT_EQ(ValidateByPicture(std::string(150, '1'), std::string(150, '9')), 1);
}

TEST_F(SetupTest, ARejectedKeyBeepsOnlyWithAnOwner)
{
    int before = plat::MessageBeepCount();
    EXPECT_EQ(CheckPictureChar(nullptr, '9', 'a'), 0);
    EXPECT_EQ(plat::MessageBeepCount(), before);
    EXPECT_EQ(CheckPictureChar(plat::GetDesktopWindow(), '9', 'a'), 0);
    EXPECT_EQ(plat::MessageBeepCount(), before + 1);
    EXPECT_EQ(CheckPictureChar(plat::GetDesktopWindow(), '9', '1'), 1);
    EXPECT_EQ(plat::MessageBeepCount(), before + 1);
}

TEST_F(SetupTest, AnUnknownPictureRejectsWithAnErrorBox)
{
    int boxes = 0;
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        ++boxes;
        EXPECT_EQ(r.kind, "MessageBox");
        EXPECT_EQ(r.text, "validpic() not a valid picture");
        EXPECT_EQ(r.caption, ansi("Προσοχή"));
        return plat::IDOK;
    });
    EXPECT_EQ(CheckPictureChar(nullptr, 'Q', '1'), 0);
    EXPECT_EQ(ValidateByPicture("1", "Q"), 0);
    EXPECT_EQ(boxes, 2);
}

}  // namespace
