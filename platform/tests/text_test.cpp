#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/core/codepage.h"
#include "platform/tests/draw_fixture.h"
#include "platform/tests/golden.h"

namespace plat {
namespace {

using testing::CompareWithGolden;
using testing::SurfaceDC;

HFONT builtinFont()
{
    LOGFONT lf;
    std::strcpy(lf.lfFaceName, kBuiltinFaceName);
    return CreateFontIndirect(&lf);
}

TEST(TextTest, TheNineAlignmentsAroundOnePoint)
{
    SurfaceDC s(150, 120, 8);
    s.fill(RGB(255, 255, 255));
    HFONT font = builtinFont();
    HGDIOBJ old = SelectObject(s.dc(), font);
    SetBkMode(s.dc(), TRANSPARENT);
    const UINT horizontal[] = {TA_LEFT, TA_CENTER, TA_RIGHT};
    const UINT vertical[] = {TA_TOP, TA_BASELINE, TA_BOTTOM};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            int x = 25 + col * 50, y = 20 + row * 40;
            SetPixel(s.dc(), x, y, RGB(255, 0, 0));  // the reference point
            SetTextAlign(s.dc(), horizontal[col] | vertical[row]);
            TextOut(s.dc(), x, y, "Ag", 2);
        }
    // Top-left text starts at the point; its cell is 13 rows, ascent 10.
    TEXTMETRIC tm;
    ASSERT_TRUE(GetTextMetrics(s.dc(), &tm));
    EXPECT_EQ(tm.tmHeight, 13);
    EXPECT_EQ(tm.tmAscent, 10);
    SIZE size;
    ASSERT_TRUE(GetTextExtentPoint32(s.dc(), "Ag", 2, &size));
    EXPECT_EQ(size.cx, 14);
    EXPECT_EQ(size.cy, 13);
    EXPECT_EQ(CompareWithGolden(s.bitmap(), "text_alignments"), "");
    SelectObject(s.dc(), old);
    DeleteObject(font);
}

TEST(TextTest, OpaqueBackgroundAndClipping)
{
    SurfaceDC s(80, 30, 8);
    s.fill(RGB(255, 255, 255));
    HFONT font = builtinFont();
    SelectObject(s.dc(), font);
    SetBkColor(s.dc(), RGB(0, 0, 255));
    SetTextColor(s.dc(), RGB(255, 255, 255));
    TextOut(s.dc(), 2, 2, "Opaque", 6);  // the background mode is opaque by default
    EXPECT_EQ(s.at8(2, 2), testing::kBlue);
    EXPECT_EQ(s.at8(2 + 6 * 7 - 1, 14), testing::kBlue);
    EXPECT_EQ(s.at8(2 + 6 * 7, 14), testing::kWhite);
    // Clipped to a rectangle that cuts the text in half, filled with ETO_OPAQUE.
    SetBkColor(s.dc(), RGB(255, 0, 0));
    SetTextColor(s.dc(), RGB(0, 0, 0));
    SetBkMode(s.dc(), TRANSPARENT);
    RECT clip{50, 16, 70, 22};
    ExtTextOut(s.dc(), 48, 14, ETO_CLIPPED | ETO_OPAQUE, &clip, "WWW", 3, nullptr);
    EXPECT_EQ(s.at8(50, 16), testing::kRed);
    EXPECT_EQ(s.at8(49, 16), testing::kWhite);
    EXPECT_EQ(s.at8(60, 22), testing::kWhite);
    EXPECT_EQ(CompareWithGolden(s.bitmap(), "text_opaque_clipped"), "");
    SelectObject(s.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}

TEST(TextTest, UpdateCpMovesTheCurrentPosition)
{
    SurfaceDC s(60, 20, 8);
    HFONT font = builtinFont();
    SelectObject(s.dc(), font);
    SetTextAlign(s.dc(), TA_UPDATECP | TA_BASELINE);
    MoveToEx(s.dc(), 3, 12, nullptr);
    TextOut(s.dc(), 40, 0, "abc", 3);  // the given point is ignored
    POINT cp;
    GetCurrentPositionEx(s.dc(), &cp);
    EXPECT_EQ(cp, (POINT{3 + 21, 12}));
    TextOut(s.dc(), 0, 0, "d", 1);
    GetCurrentPositionEx(s.dc(), &cp);
    EXPECT_EQ(cp.x, 31);
    SetTextAlign(s.dc(), TA_UPDATECP | TA_RIGHT);
    TextOut(s.dc(), 0, 0, "ef", 2);
    GetCurrentPositionEx(s.dc(), &cp);
    EXPECT_EQ(cp.x, 17);
    SelectObject(s.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}

TEST(TextTest, BytesAreDecodedFromTheCurrentCodePage)
{
    SurfaceDC a(20, 15, 8), b(20, 15, 8);
    HFONT font = builtinFont();
    SelectObject(a.dc(), font);
    SelectObject(b.dc(), font);
    int saved = GetACP();
    SetACP(1253);
    TextOut(a.dc(), 0, 0, "\xE1", 1);  // alpha in the Greek page
    SetACP(1252);
    TextOut(b.dc(), 0, 0, "\xE1", 1);  // a-acute in the Western page
    SetACP(saved);
    EXPECT_NE(std::memcmp(a.bits(), b.bits(), a.surface()->sizeBytes()), 0);
    SurfaceDC c(20, 15, 8);
    SelectObject(c.dc(), font);
    SetACP(1253);
    TextOut(c.dc(), 0, 0, "\xE1", 1);
    SetACP(saved);
    EXPECT_EQ(std::memcmp(a.bits(), c.bits(), a.surface()->sizeBytes()), 0);
    SelectObject(a.dc(), GetStockObject(SYSTEM_FONT));
    SelectObject(b.dc(), GetStockObject(SYSTEM_FONT));
    SelectObject(c.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}

// Windows metrics of a TrueType face at a negative height h: the em is -h
// pixels; ascent and descent are the OS/2 winAscent and winDescent scaled by
// em / unitsPerEm and rounded to the nearest pixel; the height is their sum;
// the internal leading is height - em; the external leading is the hhea line
// gap less what winAscent + winDescent hold beyond the hhea ascender and
// descender, scaled and rounded, never below 0.
struct Expected {
    const char* face;
    LONG ascent, descent, height, internal, external;
};

TEST(TextTest, WindowsMetricsOfTheLiberationFaces)
{
    const Expected cases[] = {
        // Arial is Liberation Sans: unitsPerEm 2048, winAscent 1854,
        // winDescent 434, hhea 1854 / -434 / line gap 67.
        // ascent 1854 * 16 / 2048 = 14.48 -> 14; descent 434 * 16 / 2048 =
        // 3.39 -> 3; height 17; internal 17 - 16 = 1; external: the hhea
        // extent 2288 equals winAscent + winDescent, so 67 * 16 / 2048 =
        // 0.52 -> 1.
        {"Arial", 14, 3, 17, 1, 1},
        // Times New Roman is Liberation Serif: unitsPerEm 2048, winAscent
        // 1825, winDescent 443, hhea 1825 / -443 / line gap 87.
        // ascent 1825 * 16 / 2048 = 14.26 -> 14; descent 443 * 16 / 2048 =
        // 3.46 -> 3; height 17; internal 1; external 87 * 16 / 2048 = 0.68
        // -> 1.
        {"Times New Roman", 14, 3, 17, 1, 1},
    };
    HDC dc = CreateCompatibleDC(nullptr);
    for (const Expected& e : cases) {
        SCOPED_TRACE(e.face);
        LOGFONT lf;
        lf.lfHeight = -16;
        std::strcpy(lf.lfFaceName, e.face);
        HFONT font = CreateFontIndirect(&lf);
        SelectObject(dc, font);
        FontInstance* instance = FontInstanceOf(font);
        ASSERT_NE(instance, nullptr);
        ASSERT_NE(instance->sourceFile().find("Liberation"), std::string::npos) << instance->sourceFile();
        TEXTMETRIC tm;
        ASSERT_TRUE(GetTextMetrics(dc, &tm));
        EXPECT_EQ(tm.tmAscent, e.ascent);
        EXPECT_EQ(tm.tmDescent, e.descent);
        EXPECT_EQ(tm.tmHeight, e.height);
        EXPECT_EQ(tm.tmInternalLeading, e.internal);
        EXPECT_EQ(tm.tmExternalLeading, e.external);
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        DeleteObject(font);
    }
    DeleteDC(dc);
}

TEST(TextTest, FaceSubstitutionsAndTheSymbolFace)
{
    EXPECT_NE(MatchFontFile("Liberation Mono", 400, false).find("LiberationMono"), std::string::npos);
    LOGFONT lf;
    lf.lfHeight = -20;
    std::strcpy(lf.lfFaceName, "Courier New");
    HFONT courier = CreateFontIndirect(&lf);
    EXPECT_NE(FontInstanceOf(courier)->sourceFile().find("LiberationMono"), std::string::npos);
    std::strcpy(lf.lfFaceName, "Symbol");
    lf.lfCharSet = SYMBOL_CHARSET;
    HFONT symbol = CreateFontIndirect(&lf);
    EXPECT_NE(FontInstanceOf(symbol)->sourceFile().find("DejaVuSans"), std::string::npos);
    // "a" in the symbol face is alpha: the same glyph as U+03B1.
    FontInstance* sym = FontInstanceOf(symbol);
    const Glyph& a = sym->glyph(U'a');
    const Glyph alpha = sym->glyph(U'a');
    EXPECT_GT(a.width, 0);
    std::strcpy(lf.lfFaceName, "DejaVu Sans");
    lf.lfCharSet = DEFAULT_CHARSET;
    HFONT plain = CreateFontIndirect(&lf);
    EXPECT_EQ(FontInstanceOf(plain)->glyph(U'\u03B1').rows, alpha.rows);
    EXPECT_NE(FontInstanceOf(plain)->glyph(U'a').rows, alpha.rows);
    DeleteObject(courier);
    DeleteObject(symbol);
    DeleteObject(plain);
}

TEST(TextTest, GlyphsAreOneBitSoEightBitPicturesStayExact)
{
    SurfaceDC s(60, 30, 8);
    s.fill(RGB(255, 255, 255));
    LOGFONT lf;
    lf.lfHeight = -20;
    std::strcpy(lf.lfFaceName, "Arial");
    HFONT font = CreateFontIndirect(&lf);
    SelectObject(s.dc(), font);
    SetTextColor(s.dc(), RGB(255, 0, 0));
    SetBkMode(s.dc(), TRANSPARENT);
    TextOut(s.dc(), 2, 2, "Sa", 2);
    int red = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            BYTE p = s.at8(x, y);
            EXPECT_TRUE(p == testing::kWhite || p == testing::kRed);
            red += p == testing::kRed;
        }
    EXPECT_GT(red, 20);
    SelectObject(s.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}

}  // namespace
}  // namespace plat
