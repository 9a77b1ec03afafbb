#include <gtest/gtest.h>

#include "platform/draw/draw.h"
#include "platform/screen/screen.h"
#include "platform/window/caret.h"

namespace plat {
namespace {

// Two made-up windows on the screen; the caret reaches them through screen
// DCs at their client origins, and time is what the test says.
HWND const kWindow = reinterpret_cast<HWND>(std::uintptr_t(0x1000));
HWND const kOther = reinterpret_cast<HWND>(std::uintptr_t(0x2000));

class CaretTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TheScreen().reset(800, 600, 32);
        CaretHost host;
        host.getDC = [](HWND w) {
            POINT origin = w == kWindow ? POINT{100, 100} : POINT{400, 100};
            return CreateScreenSurfaceDC(origin, Region(RECT{origin.x, origin.y, origin.x + 200, origin.y + 100}));
        };
        host.releaseDC = [](HWND, HDC dc) { DeleteDC(dc); };
        host.isWindow = [](HWND w) { return w == kWindow || w == kOther; };
        host.now = [this] { return clock; };
        SetCaretHost(std::move(host));
    }
    void TearDown() override
    {
        DestroyCaret();
        SetCaretHost({});
    }

    static std::uint32_t at(int x, int y) { return TheScreen().pixels()[y * TheScreen().stride() + x]; }
    // Client pixel of kWindow is inverted from the desktop colour.
    static bool inverted(int x, int y) { return at(100 + x, 100 + y) == (~0x008080u & 0xFFFFFFu); }
    static bool clean(int x, int y) { return at(100 + x, 100 + y) == 0x008080u; }

    DWORD clock = 1000;
};

TEST_F(CaretTest, ShowsOnlyWhenEveryHideIsMatchedAndBlinks)
{
    ASSERT_TRUE(CreateCaret(kWindow, nullptr, 2, 10));
    SetCaretPos(5, 6);
    EXPECT_TRUE(clean(5, 6));  // a new caret starts hidden
    EXPECT_FALSE(NextCaretBlink());
    ASSERT_TRUE(ShowCaret(kWindow));
    EXPECT_TRUE(inverted(5, 6));
    EXPECT_TRUE(inverted(6, 15));
    EXPECT_TRUE(clean(7, 6));
    EXPECT_TRUE(clean(5, 16));
    EXPECT_FALSE(ShowCaret(kWindow));  // shows do not pile up
    ASSERT_EQ(NextCaretBlink(), 1000u + kDefaultCaretBlinkTime);
    clock += 100;
    BlinkCaretIfDue(clock);
    EXPECT_TRUE(inverted(5, 6));  // not due yet
    clock += kDefaultCaretBlinkTime;
    BlinkCaretIfDue(clock);
    EXPECT_TRUE(clean(5, 6));
    clock += kDefaultCaretBlinkTime;
    BlinkCaretIfDue(clock);
    EXPECT_TRUE(inverted(5, 6));

    HideCaret(nullptr);
    HideCaret(kWindow);
    EXPECT_TRUE(clean(5, 6));
    ShowCaret(kWindow);
    EXPECT_TRUE(clean(5, 6));  // one hide is still unmatched
    ShowCaret(kWindow);
    EXPECT_TRUE(inverted(5, 6));
}

TEST_F(CaretTest, MovingShowsAtOnceAndStartsTheBlinkAgain)
{
    CreateCaret(kWindow, nullptr, 2, 10);
    ShowCaret(kWindow);
    clock += kDefaultCaretBlinkTime;
    BlinkCaretIfDue(clock);
    EXPECT_TRUE(clean(0, 0));  // blinked off
    clock += 10;
    SetCaretPos(20, 30);
    EXPECT_TRUE(inverted(20, 30));
    EXPECT_TRUE(clean(0, 0));
    EXPECT_EQ(NextCaretBlink(), clock + kDefaultCaretBlinkTime);
    POINT p;
    ASSERT_TRUE(GetCaretPos(&p));
    EXPECT_EQ(p, (POINT{20, 30}));
}

TEST_F(CaretTest, PaintingHidesTheCaretUntilThePaintEnds)
{
    CreateCaret(kWindow, nullptr, 2, 10);
    ShowCaret(kWindow);
    HideCaretForPaint(kOther);  // another window's paint leaves it alone
    EXPECT_TRUE(inverted(0, 0));
    HideCaretForPaint(kWindow);
    EXPECT_TRUE(clean(0, 0));
    EXPECT_FALSE(NextCaretBlink());
    EXPECT_FALSE(ShowCaret(kWindow));  // cannot undo the paint's hide
    ShowCaretAfterPaint(kWindow);
    EXPECT_TRUE(inverted(0, 0));
    ShowCaretAfterPaint(kWindow);  // unmatched: nothing
    EXPECT_TRUE(inverted(0, 0));
    EXPECT_FALSE(ShowCaret(kOther));
    EXPECT_FALSE(HideCaret(kOther));
    EXPECT_TRUE(inverted(0, 0));
}

TEST_F(CaretTest, DestroyingPutsTheScreenBackAndANewCaretReplacesTheOld)
{
    CreateCaret(kWindow, nullptr, 3, 4);
    SetCaretPos(10, 10);
    ShowCaret(kWindow);
    EXPECT_TRUE(inverted(12, 13));
    ASSERT_TRUE(CreateCaret(kOther, CARET_GRAY_BITMAP, 4, 4));
    EXPECT_TRUE(clean(12, 13));  // the old caret was taken away first
    EXPECT_EQ(GetCaretWindow(), kOther);
    ShowCaret(kOther);
    EXPECT_EQ(at(400, 100), 0x008080u);  // grey: every other pixel
    EXPECT_NE(at(401, 100), 0x008080u);
    EXPECT_NE(at(400, 101), 0x008080u);
    ASSERT_TRUE(DestroyCaret());
    EXPECT_EQ(at(401, 100), 0x008080u);
    EXPECT_FALSE(DestroyCaret());
    EXPECT_FALSE(SetCaretPos(1, 1));
    EXPECT_FALSE(CreateCaret(reinterpret_cast<HWND>(std::uintptr_t(0x3000)), nullptr, 1, 1));
}

TEST_F(CaretTest, ADestroyedWindowTakesItsCaret)
{
    CreateCaret(kWindow, nullptr, 2, 2);
    ShowCaret(kWindow);
    CaretWindowDestroyed(kWindow);
    EXPECT_EQ(GetCaretWindow(), nullptr);
    EXPECT_FALSE(NextCaretBlink());
}

}  // namespace
}  // namespace plat
