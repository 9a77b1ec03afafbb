// Drawing primitives, the scoped selectors and the font table.

#include <cstring>
#include <limits>

#include "graphics/JxCFontDesc.h"
#include "graphics/JxDrawSelectors.h"
#include "graphics/tests/slate_fixture.h"
#include "platform/tests/golden.h"

namespace {

constexpr const char* kGoldenFolder = "graphics/tests/golden";

class DrawingTest : public SlateTest {
protected:
    // The index of the palette colour a palette-relative colour draws in.
    int Index(const JxCRGB& c) const
    {
        return int(plat::GetNearestPaletteIndex(palette, c.GetPaletteColorRef()));
    }
    static const JxCFontRecord* BuiltinFont()
    {
        JxCFontDesc desc;
        desc.SetFaceName(plat::kBuiltinFaceName);
        return FindOrAddFont(desc);
    }
};

TEST_F(DrawingTest, FontDescriptionsFollowTheirSetters)
{
    JxCFontDesc desc(JxCFontDesc::kByFaceName, 0, 0, false);
    EXPECT_EQ(desc.GetFamily(), JxCFontDesc::kSerif);
    EXPECT_EQ(desc.GetPointSize(), 12);
    EXPECT_EQ(desc.GetWeight(), 400);

    desc.SetFaceName("sYmBoL");
    EXPECT_TRUE(desc.IsSymbol());
    EXPECT_EQ(desc.GetFamily(), JxCFontDesc::kByFaceName);
    desc.SetFamily(JxCFontDesc::kSansSerif);
    EXPECT_FALSE(desc.IsSymbol());
    EXPECT_STREQ(desc.GetFaceName(), "");

    const std::string longName(40, 'x');
    desc.SetFaceName(longName.c_str());
    EXPECT_EQ(std::strlen(desc.GetFaceName()), 31u);

    // Family 0 compares face names, case and all; symbol fonts compare
    // neither family nor face.
    JxCFontDesc a, b;
    a.SetFaceName("Arial");
    b.SetFaceName("Courier New");
    EXPECT_FALSE(a == b);
    b.SetFaceName("arial");
    EXPECT_FALSE(a == b);
    b.SetFaceName("Arial");
    EXPECT_TRUE(a == b);
    JxCFontDesc symbol(JxCFontDesc::kSymbol, 12, 400, false);
    a.SetFaceName("Symbol");
    EXPECT_TRUE(a == symbol);
}

TEST_F(DrawingTest, TheFontTableKeepsOneRecordPerDescription)
{
    JxCFontTable& table = GetFontTable();
    EXPECT_TRUE(table.GetDefault()->desc == JxCFontDesc());
    EXPECT_EQ(ResolveFont(nullptr), table.GetDefault());

    JxCFontDesc desc(JxCFontDesc::kSansSerif, 77, 700, true);
    const std::int16_t before = table.GetCount();
    const JxCFontRecord* first = FindOrAddFont(desc);
    EXPECT_EQ(first->number, before);
    EXPECT_EQ(FindOrAddFont(desc), first);
    EXPECT_EQ(table.GetCount(), before + 1);
    ASSERT_NE(first->GetHandle(), nullptr);
    EXPECT_EQ(first->GetHandle(), first->GetHandle());
}

TEST_F(DrawingTest, AScaledFontNeverShrinksToNothing)
{
    const JxCFontRecord* base = FindOrAddFont(JxCFontDesc(JxCFontDesc::kSerif, 12, 400, false));
    EXPECT_EQ(ScaledFont(base, 1.0f), base);
    EXPECT_EQ(ScaledFont(base, 2.5f)->desc.GetPointSize(), 30);
    // 12 * 0.05 truncates to 0: the smallest font, not the default size.
    EXPECT_EQ(ScaledFont(base, 0.05f)->desc.GetPointSize(), 1);
    EXPECT_EQ(ScaledFont(base, -2.0f)->desc.GetPointSize(), 1);
    EXPECT_EQ(ScaledFont(base, std::numeric_limits<float>::quiet_NaN())->desc.GetPointSize(), 1);
    EXPECT_EQ(ScaledFont(base, std::numeric_limits<float>::infinity())->desc.GetPointSize(), 32767);
}

TEST_F(DrawingTest, ASlateDrawnAtTwiceItsSizeScalesPensAndFonts)
{
    JxCMemorySlate slate(40, 40);
    Fill(slate, [](int, int) { return 255; });
    slate.SetMapping(JxCRect(0, 0, 40, 40), JxCRect(0, 0, 20, 20));
    {
        JxCSlateState saver(&slate);
        saver.SetFont(FindOrAddFont(JxCFontDesc(JxCFontDesc::kSystem, 9, 400, false)));
        JxCTextSelector selector(&slate, slate.GetHDC(), false);
        EXPECT_EQ(selector.GetFont()->desc.GetPointSize(), 18);
    }
    // A one-unit pen is two pixels wide; the frame ends at the mapped edges.
    ASSERT_EQ(slate.DrawRectangleEx(JxCRect(2, 2, 10, 10), JxCRGB(0, 0, 0)), 1);
    EXPECT_EQ(Px(slate, 4, 10), 0);
    EXPECT_EQ(Px(slate, 5, 10), 0);
    EXPECT_EQ(Px(slate, 6, 10), 255);
    EXPECT_EQ(Px(slate, 19, 10), 0);
    EXPECT_EQ(Px(slate, 20, 10), 255);
}

TEST_F(DrawingTest, SelectorsPutBackWhatTheyReplaced)
{
    JxCMemorySlate slate(16, 16);
    plat::HDC hdc = slate.GetHDC();
    ASSERT_NE(hdc, nullptr);
    const plat::HGDIOBJ brush = plat::GetCurrentObject(hdc, plat::OBJ_BRUSH);
    const plat::HGDIOBJ pen = plat::GetCurrentObject(hdc, plat::OBJ_PEN);
    const plat::HGDIOBJ font = plat::GetCurrentObject(hdc, plat::OBJ_FONT);
    plat::SetBkMode(hdc, plat::OPAQUE);
    plat::SetBkColor(hdc, 0x123456);
    plat::SetTextColor(hdc, 0x654321);
    plat::SetTextAlign(hdc, plat::TA_UPDATECP);

    JxCBrushSpec spec;
    for (const JxCRGB& colour : {JxCRGB(0, 0, 0), JxCRGB(255, 255, 255), JxCRGB(10, 20, 30)}) {
        spec.colour = colour;
        JxCBrushSelector selector(hdc, spec, JxCRGB(1, 2, 3), 1);
        // Black and white come from the stock; only the others are made.
        EXPECT_EQ(selector.MadeBrush(), colour.red == 10);
        EXPECT_EQ(plat::GetCurrentObject(hdc, plat::OBJ_PEN), plat::GetStockObject(plat::NULL_PEN));
        EXPECT_EQ(plat::GetBkMode(hdc), plat::TRANSPARENT);
    }
    spec.pattern = 1;
    { JxCBrushSelector selector(hdc, spec, JxCRGB(1, 2, 3), 0); EXPECT_TRUE(selector.MadeBrush()); }
    {
        slate.GetState().textColour = JxCRGB(200, 0, 0);
        JxCTextSelector selector(&slate, hdc, true);
        EXPECT_EQ(plat::GetTextAlign(hdc), plat::TA_BASELINE);
        EXPECT_NE(plat::GetCurrentObject(hdc, plat::OBJ_FONT), font);
    }
    EXPECT_EQ(plat::GetCurrentObject(hdc, plat::OBJ_BRUSH), brush);
    EXPECT_EQ(plat::GetCurrentObject(hdc, plat::OBJ_PEN), pen);
    EXPECT_EQ(plat::GetCurrentObject(hdc, plat::OBJ_FONT), font);
    EXPECT_EQ(plat::GetBkMode(hdc), plat::OPAQUE);
    EXPECT_EQ(plat::GetBkColor(hdc), 0x123456u);
    EXPECT_EQ(plat::GetTextColor(hdc), 0x654321u);
    EXPECT_EQ(plat::GetTextAlign(hdc), plat::TA_UPDATECP);
}

TEST_F(DrawingTest, FramesAndFillsCoverTheirRectangleExactly)
{
    JxCMemorySlate slate(20, 20, 100, 100);
    Fill(slate, [](int, int) { return 255; });
    const JxCRGB red(255, 0, 0);
    const int ink = Index(red);
    ASSERT_NE(ink, 255);
    ASSERT_EQ(slate.DrawRectangleEx(JxCRect(102, 103, 110, 112), red), 1);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 2 && x <= 9 && y >= 3 && y <= 11;
            const bool border = inside && (x == 2 || x == 9 || y == 3 || y == 11);
            EXPECT_EQ(Px(slate, x, y), border ? ink : 255) << x << "," << y;
        }
    Fill(slate, [](int, int) { return 255; });
    ASSERT_EQ(slate.DrawRectangle(JxCRect(102, 103, 110, 112), red), 1);
    int filled = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            filled += Px(slate, x, y) == ink;
    EXPECT_EQ(filled, 8 * 9);
    EXPECT_EQ(Px(slate, 2, 3), ink);
    EXPECT_EQ(Px(slate, 9, 11), ink);
}

TEST_F(DrawingTest, RectanglesFramesPatternsAndAlignedText)
{
    JxCMemorySlate slate(240, 160);
    Fill(slate, [](int, int) { return 255; });
    JxCDrawState& state = slate.GetState();
    slate.DrawRectangleEx(JxCRect(4, 4, 60, 40), JxCRGB(0, 0, 0));
    state.penWidth = 3;
    slate.DrawRectangleEx(JxCRect(70, 4, 130, 40), JxCRGB(0, 0, 255));
    slate.DrawRectangle(JxCRect(140, 4, 170, 40), JxCRGB(0, 128, 0));
    // The pattern's 0 bits take the DC's text colour (black), its 1 bits
    // the background colour.
    state.brushPattern = 1;
    state.backColour = JxCRGB(255, 255, 255);
    slate.DrawRectangle(JxCRect(180, 4, 236, 40), JxCRGB(0, 0, 0));
    EXPECT_EQ(Px(slate, 180, 4), 0);
    EXPECT_EQ(Px(slate, 181, 4), 255);
    EXPECT_EQ(Px(slate, 180, 5), 255);
    state.brushPattern = 0;
    state.penWidth = 1;

    JxCSlateState saver(&slate);
    saver.SetFont(BuiltinFont());
    state.textColour = JxCRGB(128, 0, 0);
    const JxCRect box(6, 50, 234, 154);
    slate.DrawRectangleEx(JxCRect(4, 48, 236, 156), JxCRGB(0, 0, 0));
    const char* names[3][3] = {{"TL", "TC", "TR"}, {"CL", "CC", "CR"}, {"BL", "BC", "BR"}};
    for (std::int16_t v = 0; v < 3; ++v)
        for (std::int16_t h = 0; h < 3; ++h)
            EXPECT_EQ(slate.DrawText(box, names[v][h], -1, h, v), 1);
    EXPECT_EQ(plat::testing::CompareWithGolden(static_cast<plat::HBITMAP>(slate.GetBitmap().handle),
                                               "drawing_primitives", kGoldenFolder),
              "");
}

TEST_F(DrawingTest, TextIsAlignedByItsMeasuredBox)
{
    JxCMemorySlate slate(100, 60);
    Fill(slate, [](int, int) { return 255; });
    JxCSlateState saver(&slate);
    saver.SetFont(BuiltinFont());
    // "MM" in the 7 by 13 built-in cells: 14 wide, ascent 10 less its
    // internal leading.
    slate.DrawText(JxCRect(10, 10, 90, 50), "MM", -1, 2, 2);
    int minX = 100, maxX = -1, maxY = -1;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x)
            if (Px(slate, x, y) != 255) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                maxY = std::max(maxY, y);
            }
    EXPECT_GE(minX, 90 - 14);
    EXPECT_LT(maxX, 90);
    EXPECT_LT(maxY, 50);
    EXPECT_GE(maxY, 50 - 13);
}

TEST_F(DrawingTest, OutlinesCloseOnTheirCorner)
{
    JxCMemorySlate slate(12, 12);
    Fill(slate, [](int, int) { return 255; });
    DrawRectOutline(slate.GetHDC(), 1, 1, 8, 6);
    for (const auto& [x, y] : {std::pair{1, 1}, {8, 1}, {8, 6}, {1, 6}, {4, 1}, {1, 4}})
        EXPECT_EQ(Px(slate, x, y), 0) << x << "," << y;
    EXPECT_EQ(Px(slate, 4, 4), 255);
}

}  // namespace
