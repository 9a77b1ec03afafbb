// Colour-effect tables over the product palette.

#include <algorithm>
#include <cstring>

#include "graphics/JxCDisplaySlate.h"
#include "graphics/JxColourEffects.h"
#include "graphics/tests/slate_fixture.h"
#include "platform/tests/golden.h"

namespace {

constexpr const char* kGoldenFolder = "graphics/tests/golden";

plat::COLORREF Rgb(int r, int g, int b)
{
    return plat::COLORREF(r) | plat::COLORREF(g) << 8 | plat::COLORREF(b) << 16;
}

class ColourEffectsTest : public SlateTest {
protected:
    plat::PALETTEENTRY Entry(int index) const
    {
        plat::PALETTEENTRY e;
        plat::GetPaletteEntries(palette, plat::UINT(index), 1, &e);
        return e;
    }
    // Greys that the product palette holds, for a palette where effects
    // can be read by eye.
    plat::HPALETTE GreyPalette(int entries)
    {
        plat::LOGPALETTE lp;
        lp.palNumEntries = plat::WORD(entries);
        for (int i = 0; i < entries; ++i)
            lp.palPalEntry[i] = {plat::BYTE(i * 255 / (entries - 1)), plat::BYTE(i * 255 / (entries - 1)),
                                 plat::BYTE(i * 255 / (entries - 1)), 0};
        return plat::CreatePalette(&lp);
    }
};

TEST_F(ColourEffectsTest, EffectZeroIsTheIdentityOnDistinctColours)
{
    const auto block = BuildMappedPalette(palette, nullptr, kEffectNone, 0, 0);
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(block->indices[std::size_t(i)], i);
}

TEST_F(ColourEffectsTest, EffectsOutsideTheTableBuildNothing)
{
    EXPECT_EQ(BuildMappedPalette(palette, nullptr, 11, 0, 0), nullptr);
    EXPECT_EQ(BuildMappedPalette(palette, nullptr, -1, 0, 0), nullptr);
    EXPECT_EQ(BuildMappedPalette(nullptr, nullptr, kEffectGrey, 0, 0), nullptr);
    std::uint16_t table[256];
    std::fill(std::begin(table), std::end(table), 7);
    EXPECT_EQ(GetDibPalette(palette, 11, 0, 0, table), 0);
    EXPECT_EQ(table[100], 7);
    ASSERT_EQ(GetDibPalette(palette, kEffectNone, 0, 0, table), 1);
    EXPECT_EQ(table[100], 100);
}

TEST_F(ColourEffectsTest, DimmedGreyIsNeverLighterThan170AndSparesNoWhite)
{
    plat::HPALETTE greys = GreyPalette(256);
    const auto block = BuildMappedPalette(greys, nullptr, kEffectDimmedGrey, 0, 0);
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(block->indices[std::size_t(i)], std::min(int(i * 0.75), 170)) << i;
    EXPECT_EQ(block->indices[255], 170);
    plat::DeleteObject(greys);
}

TEST_F(ColourEffectsTest, EachEffectComputesItsColour)
{
    struct Case {
        std::int16_t effect;
        plat::COLORREF colour, c, expected;
        plat::COLORREF t = 0;
    };
    const plat::COLORREF white = Rgb(255, 255, 255);
    const Case cases[] = {
        {kEffectTint, Rgb(200, 100, 50), Rgb(255, 128, 0), Rgb(200, 50, 0)},
        {kEffectTint, white, Rgb(255, 128, 0), Rgb(255, 128, 0)},
        {kEffectTintKeepWhite, white, Rgb(255, 128, 0), white},
        // L = (30 * 100 + 59 * 100 + 11 * 100) / 100 = 100.
        {kEffectColourise, Rgb(100, 100, 100), Rgb(0, 255, 55), Rgb(100, 255, 133)},
        {kEffectFlat, Rgb(1, 2, 3), Rgb(9, 8, 7), Rgb(9, 8, 7)},
        {kEffectFlat, white, Rgb(9, 8, 7), white},
        {kEffectGrey, Rgb(255, 0, 0), 0, Rgb(76, 76, 76)},
        {kEffectGreyNotDarker, Rgb(0, 0, 0), Rgb(100, 100, 100), Rgb(100, 100, 100)},
        {kEffectTintedGrey, Rgb(100, 100, 100), Rgb(255, 0, 51), Rgb(100, 0, 20)},
        {kEffectDimmedGrey, white, 0, Rgb(170, 170, 170)},
        // A white threshold counts as 254, so nothing divides by zero: a
        // level of 254 colourises with level 0, that is, c itself.
        {kEffectThresholdColourise, Rgb(254, 254, 254), Rgb(10, 20, 30), Rgb(10, 20, 30), white},
        {kEffectThresholdColourise, Rgb(100, 100, 100), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(100, 100, 100)},
        {kEffectThresholdColourise, Rgb(200, 200, 200), Rgb(0, 0, 0), Rgb(164, 164, 164), Rgb(100, 100, 100)},
    };
    for (const Case& c : cases) {
        plat::COLORREF result = 0xDEAD;
        ASSERT_TRUE(ApplyColourEffect(c.effect, c.colour, c.c, c.t, result));
        EXPECT_EQ(result, c.expected) << "effect " << c.effect;
    }
}

TEST_F(ColourEffectsTest, IndexTableEntriesPastThePaletteReadItsFirstEntry)
{
    plat::HPALETTE small = GreyPalette(4);
    std::uint16_t table[256];
    for (int i = 0; i < 256; ++i)
        table[i] = std::uint16_t(3 - i % 4);
    table[10] = 4;
    table[11] = 65535;
    const auto block = BuildMappedPalette(small, table, kEffectNone, 0, 0);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->indices[0], 3);
    EXPECT_EQ(block->indices[1], 2);
    EXPECT_EQ(block->indices[10], 0);
    EXPECT_EQ(block->indices[11], 0);
    // Without a table, indices past a small palette read its first entry too.
    const auto plain = BuildMappedPalette(small, nullptr, kEffectNone, 0, 0);
    EXPECT_EQ(plain->indices[3], 3);
    EXPECT_EQ(plain->indices[200], 0);
    plat::DeleteObject(small);
}

TEST_F(ColourEffectsTest, ScreenAreasComeBackAsPaletteIndexDibs)
{
    plat::HWND window = Window(40, 30, 40, 30);
    JxCDisplaySlate screen(window, 0, 0);
    JxCMemorySlate source(20, 20);
    Fill(source, [](int x, int y) { return 10 + x + y; });
    ASSERT_EQ(JxCSlate::Blit(&screen, &source, nullptr, nullptr, 0), 1);
    const std::vector<std::uint8_t> dib = CopyScreenAreaToDib(screen.GetHDC(), plat::RECT{2, 3, 11, 12});
    ASSERT_EQ(dib.size(), 1072u + 12u * 10u);
    plat::BITMAPINFOHEADER h;
    std::memcpy(&h, dib.data(), sizeof h);
    EXPECT_EQ(h.biWidth, 10);
    EXPECT_EQ(h.biHeight, 10);
    EXPECT_EQ(h.biBitCount, 8);
    // Bottom-up rows: the last row is the area's top.
    EXPECT_EQ(dib[kScreenDibBitsOffset + 9 * 12 + 0], 10 + 2 + 3);
    EXPECT_EQ(dib[kScreenDibBitsOffset + 0 * 12 + 9], 10 + 11 + 12);
    EXPECT_TRUE(CopyScreenAreaToDib(screen.GetHDC(), plat::RECT{5, 5, 4, 9}).empty());
    plat::DestroyWindow(window);
}

TEST_F(ColourEffectsTest, APictureDimmedWithEffectTen)
{
    plat::HPALETTE greys = GreyPalette(256);
    // Product palette of greys with a few colours, as a title's would have.
    plat::PALETTEENTRY colours[4] = {{255, 0, 0, 0}, {0, 160, 0, 0}, {0, 0, 255, 0}, {255, 255, 0, 0}};
    plat::SetPaletteEntries(greys, 1, 4, colours);
    std::swap(palette, greys);
    JxCMemorySlate slate(64, 48);
    Fill(slate, [](int x, int y) { return y < 24 ? (x < 32 ? 255 : 1 + (x / 8) % 4) : 4 * x; });
    const auto block = BuildMappedPalette(palette, nullptr, kEffectDimmedGrey, 0, 0);
    ASSERT_NE(block, nullptr);
    ASSERT_EQ(slate.MapColours(JxCRect(16, 12, 64, 48), block->indices.data()), 1);
    EXPECT_EQ(Px(slate, 0, 0), 255);
    EXPECT_EQ(Px(slate, 20, 20), 170);
    EXPECT_EQ(plat::testing::CompareWithGolden(static_cast<plat::HBITMAP>(slate.GetBitmap().handle),
                                               "dimmed_picture", kGoldenFolder),
              "");
    std::swap(palette, greys);
    plat::DeleteObject(greys);
}

}  // namespace
