// Memory and display slates: copies between them, clipping, colour maps,
// the pool of device contexts, saved states and the devices.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "graphics/JxCDisplaySlate.h"
#include "graphics/JxCPooledSlate.h"
#include "graphics/JxDibUtils.h"
#include "graphics/tests/slate_fixture.h"

namespace {

int Pattern(int x, int y)
{
    return 1 + (y * 16 + x) % 250;
}

TEST_F(SlateTest, OpaqueAndKeyedBlitsKeepTheirPlaceWhenPartlyOffTheSlate)
{
    for (int srcRows : {-12, 12}) {
        for (int dstRows : {-10, 10}) {
            SCOPED_TRACE(testing::Message() << srcRows << " " << dstRows);
            JxCMemorySlate source(16, srcRows);
            JxCMemorySlate target(10, dstRows);
            Fill(source, [](int x, int y) { return (x + y) % 3 == 0 ? 255 : Pattern(x, y); });

            // Opaque, sticking out on the left and top: the skipped source
            // columns and rows are the ones that would land outside.
            Fill(target, [](int, int) { return 7; });
            JxCRect from(0, 0, 16, 12), to(-3, -2, 13, 10);
            ASSERT_EQ(target.Blit(&source, &from, &to, 0), 1);
            for (int y = 0; y < 10; ++y)
                for (int x = 0; x < 10; ++x)
                    ASSERT_EQ(Px(target, x, y), (x + 3 + y + 2) % 3 == 0 ? 255 : Pattern(x + 3, y + 2))
                        << x << "," << y;

            // Keyed, sticking out on the right and bottom: the key leaves
            // the target alone, nothing is written past the slate.
            Fill(target, [](int, int) { return 7; });
            to = JxCRect(6, 5, 22, 17);
            ASSERT_EQ(target.Blit(&source, &from, &to, 1), 1);
            for (int y = 0; y < 10; ++y)
                for (int x = 0; x < 10; ++x) {
                    const bool inside = x >= 6 && y >= 5;
                    const int sx = x - 6, sy = y - 5;
                    const int want = !inside ? 7 : (sx + sy) % 3 == 0 ? 7 : Pattern(sx, sy);
                    ASSERT_EQ(Px(target, x, y), want) << x << "," << y;
                }
        }
    }
}

TEST_F(SlateTest, SourceRectanglesOutsideTheSourceMoveTheDestinationWithThem)
{
    JxCMemorySlate source(8, 8);
    JxCMemorySlate target(8, 8);
    Fill(source, Pattern);
    Fill(target, [](int, int) { return 7; });
    JxCRect from(-2, -3, 6, 5), to(0, 0, 8, 8);
    ASSERT_EQ(target.Blit(&source, &from, &to, 0), 1);
    EXPECT_EQ(Px(target, 0, 0), 7);
    EXPECT_EQ(Px(target, 2, 3), Pattern(0, 0));
    EXPECT_EQ(Px(target, 7, 7), Pattern(5, 4));
}

TEST_F(SlateTest, BlitsHonourTheSlatesOrigins)
{
    JxCMemorySlate source(8, 8, 100, 200);
    JxCMemorySlate target(8, 8, -4, -4);
    Fill(source, Pattern);
    Fill(target, [](int, int) { return 7; });
    // The source's logical (100, 200) is its first pixel; the target's
    // logical (0, 0) is its pixel (4, 4).
    JxCRect from(100, 200, 104, 204), to(0, 0, 4, 4);
    ASSERT_EQ(target.Blit(&source, &from, &to, 0), 1);
    EXPECT_EQ(Px(target, 3, 3), 7);
    EXPECT_EQ(Px(target, 4, 4), Pattern(0, 0));
    EXPECT_EQ(Px(target, 7, 7), Pattern(3, 3));
}

TEST_F(SlateTest, MapColoursRewritesOnlyTheRectangleInBothOrientations)
{
    std::array<std::uint16_t, 256> map{};
    for (int i = 0; i < 256; ++i)
        map[std::size_t(i)] = std::uint16_t(0x4400 | (255 - i));  // the high byte is not a colour
    // A width of 5 gives rows of 8 bytes: the stride is the bitmap's own.
    for (int rows : {-6, 6}) {
        SCOPED_TRACE(rows);
        JxCMemorySlate slate(5, rows, 10, 20);
        Fill(slate, Pattern);
        ASSERT_EQ(slate.MapColours(JxCRect(12, 18, 40, 23), map.data()), 1);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 5; ++x) {
                const bool inside = x >= 2 && y < 3;
                ASSERT_EQ(Px(slate, x, y), inside ? 255 - Pattern(x, y) : Pattern(x, y)) << x << "," << y;
            }
        // Nothing of the rectangle on the slate: success, nothing changed.
        EXPECT_EQ(slate.MapColours(JxCRect(0, 0, 5, 5), map.data()), 1);
        EXPECT_EQ(Px(slate, 0, 0), Pattern(0, 0));
    }
}

TEST_F(SlateTest, ThePooledRoadHasTopDownSectionsAndALimit)
{
    std::vector<std::unique_ptr<JxCMemorySlate>> slates;
    for (int i = 0; i < kDefaultSlatePoolSize; ++i) {
        slates.push_back(std::make_unique<JxCMemorySlate>(4, 4));
        ASSERT_NE(slates.back()->GetHDC(), nullptr);
        EXPECT_EQ(slates.back()->GetBitmap().topDown, 1);
        EXPECT_EQ(slates.back()->GetBitsPerPixel(), 8);
    }
    EXPECT_EQ(log(), "");

    // The seventh: reported with the pool size; every operation answers 0.
    JxCMemorySlate seventh(4, 4);
    EXPECT_EQ(log(), "No slate left of 6\r\n");
    EXPECT_EQ(seventh.GetHDC(), nullptr);
    EXPECT_EQ(seventh.HasBitmap(), 0);
    std::array<std::uint16_t, 256> map{};
    EXPECT_EQ(seventh.MapColours(JxCRect(0, 0, 4, 4), map.data()), 0);
    EXPECT_EQ(seventh.Blit(slates[0].get(), nullptr, nullptr, 0), 0);
    EXPECT_EQ(slates[0]->Blit(&seventh, nullptr, nullptr, 0), 0);
    EXPECT_EQ(seventh.GetBitsPerPixel(), 0);
    EXPECT_EQ(seventh.SelectClipRect(JxCRect(0, 0, 2, 2)), 0);

    // A context given back serves the next slate.
    slates.pop_back();
    JxCMemorySlate again(4, 4);
    EXPECT_NE(again.GetHDC(), nullptr);
}

TEST_F(SlateTest, ThePlainRoadIsUnlimitedAndKeepsTheRequestedOrientation)
{
    useWinG = false;
    std::vector<std::unique_ptr<JxCMemorySlate>> slates;
    for (int i = 0; i < 3 * kDefaultSlatePoolSize; ++i) {
        slates.push_back(std::make_unique<JxCMemorySlate>(4, i % 2 ? 4 : -4));
        ASSERT_NE(slates.back()->GetHDC(), nullptr);
        EXPECT_EQ(slates.back()->GetBitmap().topDown, i % 2 ? 0 : 1);
    }
    EXPECT_EQ(log(), "");
}

// A transition slate's bitmap goes back to the pool: the next slate of its
// size and colours takes it again, cleared as a fresh one is; another size,
// or other colours of the product palette, make a bitmap of their own.
TEST_F(SlateTest, TransitionSlatesTakeTheirBitmapAgainCleared)
{
    plat::HGDIOBJ first = nullptr;
    {
        JxCPooledSlate slate(40, 20, 5, 6);
        ASSERT_TRUE(slate.HasBitmap());
        EXPECT_EQ(slate.GetRect().left, 5);
        EXPECT_EQ(slate.GetRect().bottom, 26);
        first = slate.GetBitmap().handle;
        Fill(slate, [](int x, int y) { return 1 + x + y; });
    }
    const plat::HPALETTE product = palette;
    {
        JxCPooledSlate again(40, 20, 0, 0);
        EXPECT_EQ(again.GetBitmap().handle, first);
        int written = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x)
                written += Px(again, x, y) != 0;
        EXPECT_EQ(written, 0);
        JxCPooledSlate wider(41, 20, 0, 0);
        EXPECT_NE(wider.GetBitmap().handle, first);
        std::vector<testkit::Rgb> reversed = testkit::DistinctColours();
        std::reverse(reversed.begin(), reversed.end());
        const std::vector<std::uint8_t> stored = testkit::EncodeLogPalette(reversed);
        palette = plat::CreatePalette(reinterpret_cast<const plat::LOGPALETTE*>(stored.data()));
    }
    {
        JxCPooledSlate otherColours(40, 20, 0, 0);
        EXPECT_NE(otherColours.GetBitmap().handle, first);
    }
    plat::DeleteObject(palette);
    palette = product;
}

TEST_F(SlateTest, EveryPanelOfAPageTakesItsTransitionBitmapAgain)
{
    // One panel after the other, as a page change draws them; then again.
    constexpr std::array<std::array<std::int16_t, 2>, 6> kPanels{
        {{64, 6}, {64, 36}, {30, 30}, {2, 27}, {128, 36}, {32, 20}}};
    std::vector<plat::HGDIOBJ> first;
    for (const auto& [w, h] : kPanels)
        first.push_back(JxCPooledSlate(w, h, 0, 0).GetBitmap().handle);
    for (std::size_t i = 0; i < kPanels.size(); ++i)
        EXPECT_EQ(JxCPooledSlate(kPanels[i][0], kPanels[i][1], 0, 0).GetBitmap().handle, first[i]) << "panel " << i;
}

TEST_F(SlateTest, AttachBitmapKeepsTheContextAndDeletesTheBitmapItMade)
{
    SetSlatePoolSize(1);
    auto slate = std::make_unique<JxCMemorySlate>(4, 4, 3, 5);
    const plat::HGDIOBJ made = slate->GetBitmap().handle;
    ASSERT_EQ(slate->OwnsBitmap(), 1);
    const plat::HDC hdc = slate->GetHDC();

    JxObjectRef other = CreateDibSectionForPalette(6, 2, palette);
    slate->AttachBitmap(other);
    EXPECT_EQ(slate->GetHDC(), hdc);
    EXPECT_FALSE(plat::IsLiveGdiObject(made));
    EXPECT_EQ(slate->OwnsBitmap(), 0);
    EXPECT_EQ(slate->HasBitmap(), 1);
    // The mapping follows the bitmap at the same origin.
    EXPECT_TRUE(slate->GetArea() == JxCRect(3, 5, 9, 7));
    EXPECT_EQ(log(), "");  // no second context was taken

    // The same bitmap again changes nothing; the slate never deletes it.
    slate->AttachBitmap(other);
    slate.reset();
    EXPECT_TRUE(plat::IsLiveGdiObject(other.handle));
    DeleteBitmapRecord(other);

    JxCMemorySlate next(2, 2);  // the one context is free again
    EXPECT_NE(next.GetHDC(), nullptr);
}

TEST_F(SlateTest, OriginOffsetsMoveTheMappingAndResetUndoesThem)
{
    JxCMemorySlate slate(20, 10);
    ASSERT_EQ(slate.OffsetOrigin(8, 0), 1);
    slate.OffsetOrigin(0, -3);
    EXPECT_EQ(slate.GetOrigin().x, 8);
    EXPECT_EQ(slate.GetOrigin().y, -3);
    const plat::POINT p = slate.TransformPoint(JxCPoint(10, 0));
    EXPECT_EQ(p.x, 2);
    EXPECT_EQ(p.y, 3);
    // Left of the device's origin the pixel is still the right one.
    const plat::RECT r = slate.TransformRect(JxCRect(5, -5, 9, -4));
    EXPECT_EQ(r.left, -3);
    EXPECT_EQ(r.top, -2);
    slate.ResetOriginOffset();
    EXPECT_EQ(slate.GetOrigin().x, 0);
    EXPECT_TRUE(slate.GetState().forward.IsIdentity());
}

TEST_F(SlateTest, SavedStatesComeBackAndOutliveTheirSlate)
{
    auto slate = std::make_unique<JxCMemorySlate>(4, 4);
    {
        JxCSlateState saved(slate.get());
        slate->OffsetOrigin(5, 5);
        slate->GetState().penWidth = 3;
    }
    EXPECT_EQ(slate->GetOrigin().x, 0);
    EXPECT_EQ(slate->GetState().penWidth, 1);

    auto outer = std::make_unique<JxCSlateState>(slate.get());
    auto inner = std::make_unique<JxCSlateState>(slate.get());
    slate.reset();
    EXPECT_EQ(outer->GetSlate(), nullptr);
    inner.reset();  // restores nothing into the deleted slate
    outer.reset();
}

TEST_F(SlateTest, ClipRegionsBeyondThePageAreNeverSelected)
{
    JxCMemorySlate slate(700, 20);
    plat::HRGN probe = plat::CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(slate.SelectClipRect(JxCRect(2, 2, 600, 10)), 1);
    ASSERT_EQ(plat::GetClipRgn(slate.GetHDC(), probe), 1);
    plat::RECT box;
    plat::GetRgnBox(probe, &box);
    EXPECT_EQ(box.right, 600);
    slate.SelectClipRect(JxCRect(2, 2, 641, 10));
    EXPECT_EQ(plat::GetClipRgn(slate.GetHDC(), probe), 0);
    plat::DeleteObject(probe);
}

TEST_F(SlateTest, AMemorySlateNeverRemembersAPalette)
{
    JxCMemorySlate slate(2, 2);
    EXPECT_EQ(slate.ExchangePalette(palette, 0), nullptr);
    EXPECT_EQ(slate.ExchangePalette(nullptr, 0), nullptr);
}

TEST_F(SlateTest, DisplaySlatesCopyToAndFromTheirWindow)
{
    plat::HWND window = Window(100, 50, 32, 24);
    JxCDisplaySlate screen(window, 0, 0);
    EXPECT_EQ(screen.GetPalette(), palette);
    JxCMemorySlate source(8, 8);
    Fill(source, [](int x, int y) { return x == y ? 255 : Pattern(x, y); });

    JxCRect to(4, 4, 12, 12);
    ASSERT_EQ(screen.Blit(&source, nullptr, &to, 0), 1);
    EXPECT_EQ(ScreenRgb(screen.GetHDC(), 5, 4), PaletteRgb(Pattern(1, 0)));
    EXPECT_EQ(ScreenRgb(screen.GetHDC(), 4, 4), PaletteRgb(255));

    // Keyed: the key leaves what the window showed.
    Fill(source, [](int, int) { return 40; });
    to = JxCRect(20, 0, 28, 8);
    ASSERT_EQ(screen.Blit(&source, nullptr, &to, 0), 1);
    Fill(source, [](int x, int y) { return x == y ? 255 : 90; });
    ASSERT_EQ(screen.Blit(&source, nullptr, &to, 1), 1);
    EXPECT_EQ(ScreenRgb(screen.GetHDC(), 21, 0), PaletteRgb(90));
    EXPECT_EQ(ScreenRgb(screen.GetHDC(), 21, 1), PaletteRgb(40));

    // And back into a memory slate, as palette indices.
    JxCMemorySlate back(8, 8);
    JxCRect from(4, 4, 12, 12);
    JxCRect here(0, 0, 8, 8);
    ASSERT_EQ(back.Blit(&screen, &from, &here, 0), 1);
    EXPECT_EQ(Px(back, 1, 0), Pattern(1, 0));
    EXPECT_EQ(Px(back, 3, 3), 255);

    EXPECT_EQ(screen.InvalidateArea(nullptr, 0), 1);
    const JxCRect away(40, 40, 50, 50);
    EXPECT_EQ(screen.InvalidateArea(&away, 0), 0);
    plat::DestroyWindow(window);
}

TEST_F(SlateTest, MapColoursOnTheScreenGoesThroughAnOffScreenCopy)
{
    plat::HWND window = Window(10, 10, 16, 16);
    JxCDisplaySlate screen(window, 0, 0);
    JxCMemorySlate source(16, 16);
    Fill(source, [](int, int) { return 30; });
    ASSERT_EQ(screen.Blit(&source, nullptr, nullptr, 0), 1);
    std::array<std::uint16_t, 256> map{};
    for (int i = 0; i < 256; ++i)
        map[std::size_t(i)] = std::uint16_t(i);
    map[30] = 31;
    ASSERT_EQ(screen.MapColours(JxCRect(0, 0, 8, 16), map.data()), 1);
    EXPECT_EQ(ScreenRgb(screen.GetHDC(), 7, 3), PaletteRgb(31));
    EXPECT_EQ(ScreenRgb(screen.GetHDC(), 8, 3), PaletteRgb(30));
    plat::DestroyWindow(window);
}

TEST_F(SlateTest, DevicesAreMeasuredOnceInPointsPerPixel)
{
    JxCScreenDevice& screen = GetScreenDevice();
    EXPECT_EQ(screen.IsMeasured(), 0);
    EXPECT_EQ(screen.GetPointsPerPixelX(), 49336);  // 96 pixels to the inch
    EXPECT_EQ(screen.GetPointsPerPixelY(), 49336);
    EXPECT_EQ(screen.IsMonochrome(), 0);  // a true-colour screen has colours
    EXPECT_EQ(screen.IsMeasured(), 1);
    JxCSlate* scratch = GetScreenScratchSlate();
    ASSERT_NE(scratch, nullptr);
    EXPECT_EQ(scratch->GetArea().right, 8);
    EXPECT_EQ(GetScreenScratchSlate(), scratch);

    // The printer measures the slate it is given, once.
    JxCPrinterDevice& printer = GetPrinterDevice();
    JxCMemorySlate page(8, 8);
    printer.SetScratchSlate(&page);
    EXPECT_EQ(printer.GetPointsPerPixelX(), 49336);
    printer.SetScratchSlate(nullptr);
    EXPECT_EQ(printer.GetPointsPerPixelY(), 49336);
}

}  // namespace
