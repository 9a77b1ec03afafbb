// Text styles read from the product data, and text output in them:
// measuring, line breaking, runs and paragraphs.

#include <cstring>

#include "foundation/JxCInStrStream.h"
#include "graphics/JxBitmapLoaders.h"
#include "graphics/JxCStyleDef.h"
#include "graphics/JxCTextOut.h"
#include "graphics/tests/slate_fixture.h"
#include "platform/tests/golden.h"
#include "testkit/text_styles.h"

namespace {

constexpr const char* kGoldenFolder = "graphics/tests/golden";
// The built-in face draws every character in a 7 by 13 cell.
constexpr int kCell = 7;

testkit::CharStyleRecord Builtin(std::int16_t id)
{
    testkit::CharStyleRecord c;
    c.id = id;
    c.faceName = plat::kBuiltinFaceName;
    return c;
}

class TextOutTest : public SlateTest {
protected:
    void SetUp() override
    {
        SlateTest::SetUp();
        previousSource_ = SetStyleDefSource([this] { return styles.get(); });
    }
    void TearDown() override
    {
        SetStyleDefSource(previousSource_);
        styles.reset();
        SlateTest::TearDown();
    }
    std::int16_t Read(const testkit::StyleDefs& defs)
    {
        bytes_ = defs.Bytes();
        styles = std::make_unique<JxCStyleDef>();
        JxCInStrStream in(JxMemoryBlock{bytes_.data(), std::uint32_t(bytes_.size())});
        return styles->Read(in);
    }
    // Columns and rows of a slate that hold anything but white.
    static JxCRect Inked(JxCMemorySlate& slate)
    {
        const JxCRect area = slate.GetState().deviceArea;
        int l = area.right, t = area.bottom, r = -1, b = -1;
        for (int y = 0; y < area.bottom; ++y)
            for (int x = 0; x < area.right; ++x)
                if (Px(slate, x, y) != 255) {
                    l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), b = std::max(b, y);
                }
        return JxCRect(std::int16_t(l), std::int16_t(t), std::int16_t(r), std::int16_t(b));
    }

    std::unique_ptr<JxCStyleDef> styles;

private:
    std::vector<std::uint8_t> bytes_;
    std::optional<JxStyleDefSource> previousSource_;
};

// --- Styles ------------------------------------------------------------------

TEST_F(TextOutTest, StylesAreReadInOrderAndTheFirstOfAnIdIsFound)
{
    testkit::StyleDefs defs;
    testkit::CharStyleRecord first = Builtin(5), second = Builtin(5);
    first.faceName = "First";
    first.text = {1, 2, 3};
    first.highlightText = {4, 5, 6};
    first.size = -300;
    first.transparentBackground = 0;
    second.faceName = "Second";
    defs.characters = {first, second};
    testkit::ParaStyleRecord para;
    para.id = 9;
    para.charStyleId = 5;
    para.alignment = 'R';
    para.spaceBefore = -2;
    para.laterIndent = 12;
    defs.paragraphs = {para};
    ASSERT_EQ(Read(defs), 1);

    JxCCharStyleObject* found = styles->FindCharacterStyle(5);
    ASSERT_NE(found, nullptr);
    EXPECT_STREQ(found->faceName.GetText(), "First");
    EXPECT_EQ(found->text, JxCRGB(1, 2, 3));
    EXPECT_EQ(found->highlightText, JxCRGB(4, 5, 6));
    EXPECT_EQ(found->background, JxCRGB(255, 255, 255));
    EXPECT_EQ(found->size, -300);  // sign-extended
    EXPECT_EQ(found->transparentBackground, 0);
    EXPECT_EQ(styles->GetCharacterStyles().GetCount(), 2);
    EXPECT_EQ(styles->FindCharacterStyle(6), nullptr);

    JxCParaStyleObject* p = styles->FindParagraphStyle(9);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->alignment, 'R');
    EXPECT_EQ(p->spaceBefore, -2);
    EXPECT_EQ(p->laterIndent, 12);
    EXPECT_EQ(p->GetCharStyle(), found);
}

TEST_F(TextOutTest, DamagedStyleDataFailsTheRead)
{
    testkit::StyleDefs good;
    good.characters = {Builtin(1)};

    testkit::StyleDefs negativeCount = good;
    negativeCount.claimedParagraphCount = -1;
    EXPECT_EQ(Read(negativeCount), 0);
    EXPECT_NE(styles->FindCharacterStyle(1), nullptr);  // what was read stays

    testkit::StyleDefs negativeName = good;
    negativeName.characters.push_back(Builtin(2));
    negativeName.characters.back().claimedNameLength = -4;
    EXPECT_EQ(Read(negativeName), 0);
    EXPECT_NE(styles->FindCharacterStyle(1), nullptr);
    EXPECT_EQ(styles->FindCharacterStyle(2), nullptr);

    testkit::StyleDefs longName = good;
    longName.characters.back().claimedNameLength = 30000;
    EXPECT_EQ(Read(longName), 0);
    EXPECT_EQ(styles->GetCharacterStyles().GetCount(), 0);

    testkit::StyleDefs tooMany = good;
    tooMany.claimedCharacterCount = 32000;
    EXPECT_EQ(Read(tooMany), 0);
    EXPECT_EQ(styles->GetCharacterStyles().GetCount(), 1);
}

TEST_F(TextOutTest, StyleFontsTakeWeightAndHeightFromTheRecord)
{
    JxCCharStyleObject style;
    EXPECT_EQ(style.MakeLogFont(96).lfWeight, 400);
    style.bold = 1;
    EXPECT_EQ(style.MakeLogFont(96).lfWeight, 700);
    style.weight = 600;
    EXPECT_EQ(style.MakeLogFont(96).lfWeight, 600);
    style.bold = 0;
    EXPECT_EQ(style.MakeLogFont(96).lfWeight, 600);
    // 200 twips: 10 pixels on the usual screens, both counted as 72 dpi.
    EXPECT_EQ(style.MakeLogFont(96).lfHeight, -10);
    EXPECT_EQ(style.MakeLogFont(120).lfHeight, -10);
    EXPECT_EQ(style.MakeLogFont(300).lfHeight, -42);
    style.italic = 1;
    style.underline = 1;
    const plat::LOGFONT lf = style.MakeLogFont(96);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(lf.lfUnderline, 1);
    EXPECT_EQ(lf.lfQuality, plat::PROOF_QUALITY);
    EXPECT_STREQ(lf.lfFaceName, "Arial");

    JxCMemorySlate slate(8, 8);
    const plat::HFONT font = style.GetFont(slate.GetHDC());
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(style.GetFont(slate.GetHDC()), font);
    auto* object = plat::AsGdi<plat::FontObject>(font, plat::GdiKind::Font);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->logFont.lfHeight, -10);
}

TEST_F(TextOutTest, AParagraphStyleWithoutItsCharacterStyleDrawsInTheDCsOwn)
{
    testkit::StyleDefs defs;
    testkit::ParaStyleRecord para;
    para.id = 1;
    para.charStyleId = 42;
    defs.paragraphs = {para};
    ASSERT_EQ(Read(defs), 1);
    JxCParaStyleObject* p = styles->FindParagraphStyle(1);
    EXPECT_EQ(p->GetCharStyle(), nullptr);

    JxCMemorySlate slate(60, 20);
    Fill(slate, [](int, int) { return 255; });
    plat::HDC hdc = slate.GetHDC();
    const plat::HGDIOBJ font = plat::GetCurrentObject(hdc, plat::OBJ_FONT);
    plat::SetTextColor(hdc, JxCRGB(0, 0, 0).GetPaletteColorRef());
    {
        JxCTextOut out(hdc, p, plat::POINT{0, 0}, nullptr);
        EXPECT_EQ(plat::GetCurrentObject(hdc, plat::OBJ_FONT), font);
        EXPECT_EQ(out.DrawParagraph("Hi", 0), 1);
    }
    const JxCRect inked = Inked(slate);
    EXPECT_GE(inked.right, inked.left);
    EXPECT_LT(inked.right, 2 * kCell);

    // Without product data (no source) nothing is found either.
    SetStyleDefSource(std::nullopt);
    JxCParaStyleObject orphan;
    EXPECT_EQ(orphan.GetCharStyle(), nullptr);
}

// --- Measuring and breaking lines ----------------------------------------------

class LineBreakTest : public TextOutTest {
protected:
    void SetUp() override
    {
        TextOutTest::SetUp();
        testkit::StyleDefs defs;
        testkit::CharStyleRecord wide = Builtin(2);
        wide.bold = 1;
        defs.characters = {Builtin(1), wide};
        ASSERT_EQ(Read(defs), 1);
        slate = std::make_unique<JxCMemorySlate>(200, 100);
        style = styles->FindCharacterStyle(1);
    }
    void TearDown() override
    {
        slate.reset();
        TextOutTest::TearDown();
    }
    // A text output whose lines are chars cells wide.
    std::unique_ptr<JxCTextOut> Out(int chars)
    {
        const plat::RECT clip{0, 0, chars * kCell + 1, 100};
        return std::make_unique<JxCTextOut>(slate->GetHDC(), style, plat::POINT{0, 0}, &clip);
    }

    std::unique_ptr<JxCMemorySlate> slate;
    JxCCharStyleObject* style = nullptr;
};

TEST_F(LineBreakTest, LinesBreakAfterTheLastSpaceTabOrHyphenThatFits)
{
    auto out = Out(10);
    EXPECT_EQ(out->GetLineWidth(), 70);
    const char* text = "one two three";
    EXPECT_EQ(out->FindLineBreak(text, 0), text + 8);  // "one two " is 8 cells
    const char* hyphen = "well-known words";
    EXPECT_EQ(out->FindLineBreak(hyphen, 0), hyphen + 5);
    const char* tab = "a\tbcdefghijk";
    EXPECT_EQ(out->FindLineBreak(tab, 0), tab + 2);
    // A text that fits needs no break; a first word wider than the line
    // has none.
    EXPECT_EQ(out->FindLineBreak("fits", 0), nullptr);
    EXPECT_EQ(out->FindLineBreak("exactly10!", 0), nullptr);
    EXPECT_EQ(out->FindLineBreak("unbreakable words", 0), nullptr);
    EXPECT_EQ(out->FindLineBreak(nullptr, 0), nullptr);
    // An explicit width overrides the line width.
    EXPECT_EQ(out->FindLineBreak(text, 4 * kCell), text + 4);
}

TEST_F(LineBreakTest, CountingLines)
{
    auto out = Out(10);
    EXPECT_EQ(out->CountLines(nullptr), 0);
    EXPECT_EQ(out->CountLines(""), 1);
    EXPECT_EQ(out->CountLines("short"), 1);
    EXPECT_EQ(out->CountLines("one two three four five"), 3);
    EXPECT_EQ(out->CountLines("unbreakable words"), 1);

    // Without a clip rectangle lines are 1000 pixels wide.
    JxCTextOut wide(slate->GetHDC(), style, plat::POINT{0, 0}, nullptr);
    EXPECT_EQ(wide.GetLineWidth(), 1000);
    EXPECT_EQ(wide.CountLines("one two three four five"), 1);

    // Indents narrow the lines they apply to.
    testkit::StyleDefs defs;
    defs.characters = {Builtin(1)};
    testkit::ParaStyleRecord para;
    para.id = 1;
    para.charStyleId = 1;
    para.firstIndent = 4 * kCell;
    para.laterIndent = 70;  // the whole line: nothing fits, so no more breaks
    para.spaceBefore = 3;
    para.spaceAfter = 5;
    defs.paragraphs = {para};
    ASSERT_EQ(Read(defs), 1);
    const plat::RECT clip{0, 0, 10 * kCell + 1, 100};
    JxCTextOut indented(slate->GetHDC(), styles->FindParagraphStyle(1), plat::POINT{0, 0}, &clip);
    EXPECT_EQ(indented.CountLines("one two three"), 2);
    EXPECT_EQ(indented.CountLines("one"), 1);
    EXPECT_EQ(indented.GetLineHeight(), 13);
    EXPECT_EQ(indented.GetLinesHeight(3), 3 * 13 + 3 + 5);
}

TEST_F(LineBreakTest, MeasuringClampsOffsetsToTheText)
{
    auto out = Out(10);
    EXPECT_EQ(out->MeasureText("abcdef", -1, 0), 6 * kCell);
    EXPECT_EQ(out->GetLastWidth(), 6 * kCell);
    EXPECT_EQ(out->MeasureText("abcdef", 2, 3), 2 * kCell);
    EXPECT_EQ(out->MeasureText("abcdef", 50, 4), 2 * kCell);
    EXPECT_EQ(out->MeasureText("abcdef", -1, 500), 0);
    EXPECT_EQ(out->MeasureText("abcdef", 0, 0), 0);
    EXPECT_EQ(out->FitCharacters("abcdef", 3 * kCell), 3);
    EXPECT_EQ(out->FitCharacters("abcdef", 3 * kCell + 1), 4);
    EXPECT_EQ(out->FitCharacters("ab", 100), 2);
    EXPECT_EQ(out->FitCharacters("ab", 0), 0);

    // Runs in their own styles; starts past the text end at the text's end.
    const JxCTextRun runs[] = {{1, 0}, {2, 3}, {1, 9999}};
    const std::int32_t mixed = out->MeasureText("abcdef", -1, runs, 3, 0);
    EXPECT_GE(mixed, 6 * kCell);
    EXPECT_EQ(out->MeasureText("def", -1, runs, 3, 3), mixed - 3 * kCell);
    const JxCTextRun backwards[] = {{1, 4}, {2, 1}};
    EXPECT_GE(out->MeasureText("abcdef", -1, backwards, 2, 0), 6 * kCell);
}

// --- Drawing -------------------------------------------------------------------

TEST_F(LineBreakTest, AWordWiderThanTheLineIsDrawnWholeAndClipped)
{
    Fill(*slate, [](int, int) { return 255; });
    {
        const plat::RECT clip{10, 10, 10 + 5 * kCell + 1, 40};
        JxCTextOut out(slate->GetHDC(), style, plat::POINT{10, 10}, &clip);
        EXPECT_EQ(out.DrawParagraph("unbreakable", 0), 1);
    }
    const JxCRect inked = Inked(*slate);
    EXPECT_LT(inked.bottom, 10 + 13);  // one line
    EXPECT_LE(inked.right, 10 + 5 * kCell);
    EXPECT_GE(inked.right, 10 + 4 * kCell);
}

TEST_F(LineBreakTest, HighlightedTextIsAlwaysOpaque)
{
    style->highlightBackground = JxCRGB(0, 0, 255);
    style->highlightText = JxCRGB(255, 255, 255);
    const int blue = int(plat::GetNearestPaletteIndex(palette, style->highlightBackground.GetPaletteColorRef()));
    for (std::int16_t highlight : {0, 1}) {
        Fill(*slate, [](int, int) { return 255; });
        JxCTextOut out(slate->GetHDC(), style, plat::POINT{0, 0}, nullptr);
        EXPECT_EQ(out.DrawRun(-1, "a b", highlight), 1);
        // The blank between the letters shows the background only when lit.
        EXPECT_EQ(Px(*slate, kCell + 3, 5), highlight ? blue : 255);
    }
    JxCTextOut out(slate->GetHDC(), style, plat::POINT{0, 0}, nullptr);
    EXPECT_EQ(out.DrawRun(0, "a", 0), 0);
    EXPECT_EQ(out.DrawRun(-1, nullptr, 0), 0);
}

TEST_F(TextOutTest, ParagraphsWithAlignmentsIndentsHighlightAndClip)
{
    testkit::StyleDefs defs;
    testkit::CharStyleRecord plain = Builtin(1), lit = Builtin(2), opaque = Builtin(3);
    plain.text = {0, 0, 128};
    lit.highlightBackground = {0, 0, 0};
    lit.highlightText = {255, 255, 0};
    opaque.transparentBackground = 0;
    opaque.background = {255, 255, 0};
    opaque.text = {128, 0, 0};
    defs.characters = {plain, lit, opaque};
    auto para = [](std::int16_t id, std::int16_t cs, char align, std::int16_t first, std::int16_t later) {
        testkit::ParaStyleRecord p;
        p.id = id;
        p.charStyleId = cs;
        p.alignment = align;
        p.firstIndent = first;
        p.laterIndent = later;
        p.spaceBefore = 2;
        p.spaceAfter = 4;
        return p;
    };
    defs.paragraphs = {para(1, 1, 'L', 14, 0), para(2, 1, 'C', 0, 0), para(3, 1, 'R', 0, 7),
                       para(4, 2, 'L', 0, 14), para(5, 3, 'L', 0, 0)};
    ASSERT_EQ(Read(defs), 1);

    JxCMemorySlate page(200, 240);
    Fill(page, [](int, int) { return 255; });
    plat::HDC hdc = page.GetHDC();
    const char* text = "The quick brown fox jumps over the lazy dog.";
    std::int32_t y = 4;
    for (std::int32_t id = 1; id <= 5; ++id) {
        const plat::RECT clip{4, y, id == 5 ? 100 : 196, id == 5 ? y + 20 : 236};
        JxCTextOut out(hdc, styles->FindParagraphStyle(id), plat::POINT{clip.left, y}, &clip);
        const std::int32_t lines = out.CountLines(text);
        EXPECT_EQ(out.DrawParagraph(id == 5 ? "Clipped-at-the-rectangle's-edge and below" : text, id == 4), 1);
        y += out.GetLinesHeight(lines) + 4;
        page.DrawRectangleEx(JxCRect(std::int16_t(clip.left - 1), std::int16_t(clip.top - 1),
                                     std::int16_t(clip.right), std::int16_t(clip.bottom)),
                             JxCRGB(0, 0, 255));
    }
    // One line of a list, lit.
    JxCRect row(4, std::int16_t(y), 196, std::int16_t(y + 14));
    EXPECT_EQ(DrawStyledText(&page, row, "A lit line of a list", styles->FindCharacterStyle(2), 1), 1);
    EXPECT_EQ(plat::testing::CompareWithGolden(static_cast<plat::HBITMAP>(page.GetBitmap().handle),
                                               "paragraphs", kGoldenFolder),
              "");
}

TEST_F(TextOutTest, StampedBandsCarryTheirText)
{
    const testkit::BmpPicture picture = testkit::PatternPicture(30, 10);
    const std::vector<std::uint8_t> dib = testkit::EncodePackedDib(picture);
    JxCMemorySlate source(30, 10);
    JxObjectRef stamped = StampTextOnBitmap(source.GetBitmap(), "Printed", nullptr);
    ASSERT_NE(stamped.handle, nullptr);
    EXPECT_GT(GetBitmapWidth(stamped), 30);  // the text is wider than the picture
    JxCMemorySlate view(stamped);
    int ink = 0;
    for (int y = 10; y < 10 + kStampBandHeight; ++y)
        for (int x = 0; x < GetBitmapWidth(stamped); ++x)
            ink += Px(view, x, y) != 255;
    EXPECT_GT(ink, 20);
    DeleteBitmapRecord(stamped);
}

}  // namespace
