// The caret in real windows: shown through the window's DC, blinking from
// the message loop, hidden while its window paints; and the class cursor.

#include "platform/clock/clock.h"
#include "platform/draw/draw.h"
#include "platform/screen/screen.h"
#include "platform/tests/window_fixture.h"
#include "platform/window/caret.h"
#include "platform/window/cursor.h"

namespace plat::testing {
namespace {

class CaretTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        window = top(100, 100, 200, 100, WS_POPUP);
        other = top(400, 100, 200, 100, WS_POPUP);
        harness.runUntilIdle();
        paintWhite(window);
        paintWhite(other);
    }
    void TearDown() override
    {
        DestroyCaret();
        SetCaretBlinkTime(kDefaultCaretBlinkTime);
        WindowTest::TearDown();
    }
    static void paintWhite(HWND w)
    {
        HDC dc = GetDC(w);
        RECT all{0, 0, 200, 100};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ReleaseDC(w, dc);
    }
    static std::uint32_t at(int x, int y) { return TheScreen().pixels()[y * TheScreen().stride() + x]; }
    // A client pixel of the first window, inverted from white or not.
    static bool inverted(int x, int y) { return at(100 + x, 100 + y) == 0u; }
    static bool clean(int x, int y) { return at(100 + x, 100 + y) == 0xFFFFFFu; }

    HWND window = nullptr;
    HWND other = nullptr;
};

TEST_F(CaretTest, ShowsOnlyWhenEveryHideIsMatchedAndBlinksFromTheLoop)
{
    ASSERT_TRUE(CreateCaret(window, nullptr, 2, 10));
    SetCaretPos(5, 6);
    EXPECT_TRUE(clean(5, 6));  // a new caret starts hidden
    ASSERT_TRUE(ShowCaret(window));
    EXPECT_TRUE(inverted(5, 6));
    EXPECT_TRUE(inverted(6, 15));
    EXPECT_TRUE(clean(7, 6));
    EXPECT_TRUE(clean(5, 16));
    EXPECT_FALSE(ShowCaret(window));  // shows do not pile up
    harness.runFor(kDefaultCaretBlinkTime - 10);
    EXPECT_TRUE(inverted(5, 6));  // not due yet
    harness.runFor(20);
    EXPECT_TRUE(clean(5, 6));
    harness.runFor(kDefaultCaretBlinkTime);
    EXPECT_TRUE(inverted(5, 6));

    HideCaret(nullptr);
    HideCaret(window);
    EXPECT_TRUE(clean(5, 6));
    EXPECT_FALSE(NextCaretBlink());  // a hidden caret does not wake the loop
    ShowCaret(window);
    EXPECT_TRUE(clean(5, 6));  // one hide is still unmatched
    ShowCaret(window);
    EXPECT_TRUE(inverted(5, 6));
}

TEST_F(CaretTest, MovingShowsAtOnceAndStartsTheBlinkAgain)
{
    CreateCaret(window, nullptr, 2, 10);
    ShowCaret(window);
    harness.runFor(kDefaultCaretBlinkTime + 10);
    EXPECT_TRUE(clean(0, 0));  // blinked off
    SetCaretPos(20, 30);
    EXPECT_TRUE(inverted(20, 30));
    EXPECT_TRUE(clean(0, 0));
    harness.runFor(kDefaultCaretBlinkTime - 10);
    EXPECT_TRUE(inverted(20, 30));
    POINT p;
    ASSERT_TRUE(GetCaretPos(&p));
    EXPECT_EQ(p, (POINT{20, 30}));
}

TEST_F(CaretTest, HugeBlinkTimesDoNotWrapAndInfiniteMeansSteady)
{
    CreateCaret(window, nullptr, 2, 10);
    ShowCaret(window);
    for (UINT time : {0x80000000u, 0xFFFFFFFEu}) {
        ASSERT_TRUE(SetCaretBlinkTime(time));
        std::uint64_t start = TheClock().now();
        ASSERT_TRUE(NextCaretBlink());
        EXPECT_EQ(*NextCaretBlink() - start, time);
        harness.runFor(1000);
        EXPECT_TRUE(inverted(0, 0)) << time;  // not a blink in sight
    }
    ASSERT_TRUE(SetCaretBlinkTime(INFINITE));
    EXPECT_EQ(GetCaretBlinkTime(), INFINITE);
    EXPECT_FALSE(NextCaretBlink());  // nothing to wake the loop for
    harness.runFor(5000);
    EXPECT_TRUE(inverted(0, 0));
    EXPECT_FALSE(SetCaretBlinkTime(0));
}

TEST_F(CaretTest, PaintingHidesTheCaretUntilThePaintEnds)
{
    CreateCaret(window, nullptr, 2, 10);
    ShowCaret(window);
    bool cleanWhilePainting = false;
    bool showRefused = false;
    handlers[WM_PAINT] = [&](HWND h, WPARAM, LPARAM) {
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        cleanWhilePainting = clean(0, 0);
        showRefused = !ShowCaret(h);  // cannot undo the paint's hide
        EndPaint(h, &ps);
        return LRESULT(0);
    };
    InvalidateRect(other, nullptr, 0);
    UpdateWindow(other);  // another window's paint leaves it alone
    EXPECT_TRUE(inverted(0, 0));
    InvalidateRect(window, nullptr, 0);
    UpdateWindow(window);
    EXPECT_TRUE(cleanWhilePainting);
    EXPECT_TRUE(showRefused);
    EXPECT_TRUE(inverted(0, 0));
    EXPECT_FALSE(ShowCaret(other));
    EXPECT_FALSE(HideCaret(other));
    EXPECT_TRUE(inverted(0, 0));
}

TEST_F(CaretTest, DestroyingPutsTheScreenBackAndANewCaretReplacesTheOld)
{
    CreateCaret(window, nullptr, 3, 4);
    SetCaretPos(10, 10);
    ShowCaret(window);
    EXPECT_TRUE(inverted(12, 13));
    ASSERT_TRUE(CreateCaret(other, CARET_GRAY_BITMAP, 4, 4));
    EXPECT_TRUE(clean(12, 13));  // the old caret was taken away first
    EXPECT_EQ(GetCaretWindow(), other);
    ShowCaret(other);
    EXPECT_EQ(at(400, 100), 0xFFFFFFu);  // grey: every other pixel
    EXPECT_EQ(at(401, 100), 0u);
    EXPECT_EQ(at(400, 101), 0u);
    ASSERT_TRUE(DestroyCaret());
    EXPECT_EQ(at(401, 100), 0xFFFFFFu);
    EXPECT_FALSE(DestroyCaret());
    EXPECT_FALSE(SetCaretPos(1, 1));
}

TEST_F(CaretTest, ABitmapCaretInvertsThroughTheBitmap)
{
    BITMAPINFO info{};
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = -2;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP shape = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits);
    static_cast<std::uint32_t*>(bits)[0] = 0xFFFFFF;  // only the top-left pixel inverts
    ASSERT_TRUE(CreateCaret(window, shape, 0, 0));
    ShowCaret(window);
    EXPECT_TRUE(inverted(0, 0));
    EXPECT_TRUE(clean(1, 0));
    EXPECT_TRUE(clean(0, 1));
    DestroyCaret();
    DeleteObject(shape);
    EXPECT_TRUE(clean(0, 0));
}

TEST_F(CaretTest, ADestroyedWindowTakesItsCaret)
{
    CreateCaret(window, nullptr, 2, 2);
    ShowCaret(window);
    DestroyWindow(window);
    EXPECT_EQ(GetCaretWindow(), nullptr);
    EXPECT_FALSE(NextCaretBlink());
    EXPECT_FALSE(CreateCaret(window, nullptr, 2, 2));  // a dead window gets none
}

TEST_F(CaretTest, TheClassCursorShowsOverTheClientArea)
{
    WNDCLASSA wc;
    wc.lpfnWndProc = &CALLBACK_Proc;
    wc.lpszClassName = "WithIBeam";
    wc.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
    ASSERT_NE(RegisterClassA(wc), 0);
    HWND edit = top(300, 300, 100, 50, WS_POPUP, "WithIBeam");
    harness.runUntilIdle();
    harness.moveMouse({320, 320});
    harness.runUntilIdle();
    EXPECT_EQ(harness.backend().shownCursor(), LoadCursorA(nullptr, IDC_IBEAM));
    // A window that answers WM_SETCURSOR itself keeps its own choice.
    handlers[WM_SETCURSOR] = [](HWND, WPARAM, LPARAM) {
        SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        return LRESULT(1);
    };
    harness.moveMouse({321, 321});
    harness.runUntilIdle();
    EXPECT_EQ(harness.backend().shownCursor(), LoadCursorA(nullptr, IDC_WAIT));
    DestroyWindow(edit);
}

}  // namespace
}  // namespace plat::testing
