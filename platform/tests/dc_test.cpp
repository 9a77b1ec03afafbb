#include <gtest/gtest.h>

#include <set>

#include "platform/screen/screen.h"
#include "platform/tests/draw_fixture.h"

namespace plat {
namespace {

using testing::SurfaceDC;

std::uint32_t screenAt(int x, int y)
{
    Screen& s = TheScreen();
    return s.pixels()[y * s.stride() + x];
}

class ScreenDCTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TheScreen().reset(Screen::kDefaultWidth, Screen::kDefaultHeight, 32);
        TheScreen().takeDirty();
    }
};

TEST_F(ScreenDCTest, DrawsAtItsOriginAndNeverOutsideItsVisibleRegion)
{
    // A window at (100, 50) whose right part is covered by another.
    Region visible(RECT{100, 50, 200, 150});
    visible.subtract(RECT{150, 50, 200, 150});
    HDC dc = CreateScreenSurfaceDC({100, 50}, visible);
    RECT all{-50, -50, 500, 500};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(screenAt(100, 50), 0u);
    EXPECT_EQ(screenAt(149, 149), 0u);
    EXPECT_EQ(screenAt(150, 60), 0x008080u);  // covered: desktop colour stays
    EXPECT_EQ(screenAt(99, 60), 0x008080u);
    EXPECT_EQ(screenAt(120, 150), 0x008080u);
    Region dirty = TheScreen().takeDirty();
    EXPECT_TRUE(dirty.sameArea(visible));
    DeleteDC(dc);
}

TEST_F(ScreenDCTest, NoClipRegionIsTheWholeSurfaceEvenForACoveredWindow)
{
    // An L of a window whose corner another window covers.
    Region visible(RECT{100, 100, 200, 150});
    visible.unite(RECT{100, 150, 150, 200});
    HDC dc = CreateScreenSurfaceDC({100, 100}, visible);
    EXPECT_EQ(SelectClipRgn(dc, nullptr), SIMPLEREGION);
    EXPECT_EQ(ExtSelectClipRgn(dc, nullptr, RGN_COPY), SIMPLEREGION);
    RECT box;
    EXPECT_EQ(GetClipBox(dc, &box), COMPLEXREGION) << "where it can draw is the L";
    EXPECT_EQ(box, (RECT{0, 0, 100, 100}));
    DeleteDC(dc);
}

TEST_F(ScreenDCTest, ASelectedClipRegionNarrowsTheVisibleRegion)
{
    HDC dc = CreateScreenSurfaceDC({100, 100}, Region(RECT{100, 100, 200, 200}));
    HRGN clip = CreateRectRgn(-10, -10, 20, 20);  // device coordinates of the DC
    EXPECT_EQ(SelectClipRgn(dc, clip), SIMPLEREGION);
    DeleteObject(clip);  // the DC keeps its own copy
    RECT box;
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{0, 0, 20, 20}));
    RECT all{0, 0, 100, 100};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(screenAt(119, 119), 0xFFFFFFu);
    EXPECT_EQ(screenAt(120, 120), 0x008080u);
    EXPECT_EQ(screenAt(99, 105), 0x008080u);
    // The window origin moves the logical coordinates, not the clip.
    SetWindowOrgEx(dc, 10, 10, nullptr);
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{10, 10, 30, 30}));
    SelectClipRgn(dc, nullptr);
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{10, 10, 110, 110}));
    // An offset moves the origin from where it stands.
    POINT was{};
    EXPECT_EQ(OffsetWindowOrgEx(dc, 0, -4, &was), 1);
    EXPECT_EQ(was.x, 10);
    EXPECT_EQ(was.y, 10);
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{10, 6, 110, 106}));
    DeleteDC(dc);
    EXPECT_EQ(OffsetWindowOrgEx(dc, 1, 1, nullptr), 0);
}

TEST_F(ScreenDCTest, MovingTheDCKeepsItsOwnClip)
{
    HDC dc = CreateScreenSurfaceDC({0, 0}, Region(RECT{0, 0, 50, 50}));
    IntersectClipRect(dc, 0, 0, 10, 10);
    SetScreenSurfaceArea(dc, {300, 300}, Region(RECT{300, 300, 350, 350}));
    EXPECT_EQ(SetPixel(dc, 5, 5, RGB(255, 0, 0)), RGB(255, 0, 0));
    EXPECT_EQ(screenAt(305, 305), 0xFF0000u);
    EXPECT_EQ(SetPixel(dc, 15, 5, RGB(255, 0, 0)), CLR_INVALID);
    DeleteDC(dc);
}

TEST_F(ScreenDCTest, PixelByPixelDrawingLeavesOneChangedRectangle)
{
    HDC dc = CreateScreenSurfaceDC({100, 50}, Region(RECT{100, 50, 500, 300}));
    for (int y = 0; y < 250; ++y)
        for (int x = 0; x < 400; ++x)
            SetPixel(dc, x, y, RGB(BYTE(x), BYTE(y), 0));
    Region dirty = TheScreen().takeDirty();
    EXPECT_EQ(dirty.rectCount(), 1u);
    EXPECT_EQ(dirty.box(), (RECT{100, 50, 500, 300}));
    DeleteDC(dc);
}

TEST(DCTest, SelectorsReturnWhatTheyReplaced)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    EXPECT_EQ(oldBrush, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(dc, oldBrush), brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    EXPECT_EQ(oldPen, GetStockObject(BLACK_PEN));
    EXPECT_EQ(SetTextColor(dc, RGB(9, 9, 9)), RGB(0, 0, 0));
    EXPECT_EQ(SetBkColor(dc, RGB(1, 1, 1)), RGB(255, 255, 255));
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetTextAlign(dc, TA_BASELINE | TA_UPDATECP), TA_LEFT | TA_TOP);
    EXPECT_EQ(SetROP2(dc, R2_NOT), R2_COPYPEN);
    EXPECT_EQ(SetROP2(dc, 99), 0);  // refused
    EXPECT_EQ(GetROP2(dc), R2_NOT);
    POINT previous;
    MoveToEx(dc, 3, 4, nullptr);
    MoveToEx(dc, 5, 6, &previous);
    EXPECT_EQ(previous, (POINT{3, 4}));
    EXPECT_EQ(SelectPalette(dc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0),
              GetStockObject(DEFAULT_PALETTE));
    DeleteDC(dc);
    DeleteObject(brush);
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_EQ(SelectObject(dc, brush), nullptr);
}

TEST(DCTest, AHandleOutlivingItsObjectIsRefusedWhateverTookItsPlace)
{
    SurfaceDC s(4, 4, 32);
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    std::set<HGDIOBJ> seen;
    for (int round = 0; round < 200; ++round) {
        HBRUSH old = CreateSolidBrush(RGB(255, 0, 0));
        ASSERT_TRUE(DeleteObject(old));
        // New objects of the same and of other kinds, likely in the old
        // one's memory.
        HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
        HRGN rgn = CreateRectRgn(0, 0, 2, 2);
        EXPECT_TRUE(seen.insert(old).second) << "round " << round;
        EXPECT_NE(old, HGDIOBJ(brush));
        EXPECT_NE(HGDIOBJ(old), HGDIOBJ(rgn));
        EXPECT_EQ(GetObjectType(old), 0u);
        EXPECT_FALSE(DeleteObject(old));
        EXPECT_EQ(SelectObject(s.dc(), old), nullptr);
        RECT all{0, 0, 4, 4};
        EXPECT_FALSE(FillRect(s.dc(), &all, old));
        EXPECT_FALSE(PtInRegion(reinterpret_cast<HRGN>(old), 1, 1));
        // The new ones work.
        EXPECT_EQ(GetObjectType(brush), OBJ_BRUSH);
        EXPECT_TRUE(FillRect(s.dc(), &all, brush));
        EXPECT_TRUE(PtInRegion(rgn, 1, 1));
        DeleteObject(brush);
        DeleteObject(rgn);
    }
    EXPECT_EQ(s.at32(0, 0), 0x0000FFu);
    const RECT corner{0, 0, 1, 1};
    EXPECT_TRUE(FillRect(s.dc(), &corner, black));
    EXPECT_EQ(s.at32(0, 0), 0u);

    // A bitmap deleted while selected goes when it is deselected; its
    // handle is dead from then on, though another DC may get a new bitmap
    // where it was.
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = testing::Header(2, 2, 8);
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr);
    HGDIOBJ first = SelectObject(dc, bitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(GetObjectType(bitmap), OBJ_BITMAP);  // still selected
    EXPECT_EQ(SelectObject(dc, first), nullptr);  // gone now: nothing to hand back
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    HBITMAP again = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr);
    EXPECT_EQ(SelectObject(dc, bitmap), nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), first);
    DeleteObject(again);
    DeleteDC(dc);

    // Device contexts likewise.
    for (int round = 0; round < 50; ++round) {
        HDC old = CreateCompatibleDC(nullptr);
        ASSERT_TRUE(DeleteDC(old));
        HDC fresh = CreateCompatibleDC(nullptr);
        EXPECT_NE(old, fresh);
        EXPECT_FALSE(DeleteDC(old));
        EXPECT_EQ(SetTextColor(old, RGB(1, 2, 3)), CLR_INVALID);
        EXPECT_EQ(SelectObject(old, black), nullptr);
        EXPECT_FALSE(BitBlt(old, 0, 0, 1, 1, nullptr, 0, 0, BLACKNESS));
        EXPECT_EQ(GetTextColor(fresh), RGB(0, 0, 0));
        EXPECT_TRUE(DeleteDC(fresh));
    }
}

TEST(DCTest, ABitmapIsSelectedIntoOneDCAtATime)
{
    SurfaceDC a(4, 4, 8);
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, a.bitmap()), nullptr);
    DeleteDC(other);
}

TEST(DCTest, CapabilitiesOfScreenAndMemoryDCs)
{
    TheScreen().reset(800, 600, 32);
    HDC screen = CreateScreenSurfaceDC({0, 0}, Region(RECT{0, 0, 800, 600}));
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(screen, PLANES), 1);
    EXPECT_EQ(GetDeviceCaps(screen, NUMCOLORS), -1);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 800);
    EXPECT_EQ(GetDeviceCaps(screen, VERTRES), 600);
    EXPECT_EQ(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE, 0);
    EXPECT_NE(GetDeviceCaps(screen, RASTERCAPS) & RC_STRETCHDIB, 0);
    TheScreen().reset(800, 600, 8);  // the display reports 256 colours
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 8);
    EXPECT_EQ(GetDeviceCaps(screen, NUMCOLORS), 20);
    EXPECT_NE(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE, 0);
    TheScreen().reset(800, 600, 32);
    DeleteDC(screen);

    SurfaceDC eight(2, 2, 8), deep(2, 2, 32);
    EXPECT_EQ(GetDeviceCaps(eight.dc(), BITSPIXEL), 8);
    EXPECT_EQ(GetDeviceCaps(deep.dc(), BITSPIXEL), 32);
}

}  // namespace
}  // namespace plat
