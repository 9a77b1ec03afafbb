// The caption's title text and small icon: colours by activation, clipping
// before the caption buttons, redrawing when the text changes.

#include <gtest/gtest.h>

#include "platform/screen/screen.h"
#include "platform/tests/window_fixture.h"
#include "platform/window/cursor.h"

namespace plat::testing {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kLightGrey = 0xC0C0C0;
constexpr std::uint32_t kIconInk = 0x00FF00;

class Caption : public WindowTest {
protected:
    CursorObject icon;  // 32 by 32: green with a transparent left half
    void SetUp() override
    {
        WindowTest::SetUp();
        icon.width = icon.height = 32;
        icon.pixels.assign(32 * 32, 0);
        for (int y = 0; y < 32; ++y)
            for (int x = 16; x < 32; ++x)
                icon.pixels[size_t(y * 32 + x)] = 0xFF000000u | kIconInk;
        WNDCLASSA wc;
        wc.lpfnWndProc = &CALLBACK_Proc;
        wc.hIcon = &icon;
        wc.lpszClassName = "Iconic";
        ASSERT_NE(RegisterClassA(wc), 0);
    }
    // How many pixels of a colour a screen rectangle holds.
    static int count(const RECT& r, std::uint32_t colour)
    {
        Screen& s = TheScreen();
        int n = 0;
        for (LONG y = r.top; y < r.bottom; ++y)
            for (LONG x = r.left; x < r.right; ++x)
                n += (s.pixels()[size_t(y) * size_t(s.stride()) + size_t(x)] & 0xFFFFFF) == colour;
        return n;
    }
    static RECT captionOf(HWND h)
    {
        RECT r;
        GetWindowRect(h, &r);
        return {r.left + 3, r.top + 3, r.right - 3, r.top + 21};
    }
    // The caption after its system-menu box: where the text goes.
    static RECT textOf(HWND h)
    {
        RECT cap = captionOf(h);
        cap.left += 18;
        return cap;
    }
};

TEST_F(Caption, TheTextIsWhiteWhenActiveAndGreyWhenNot)
{
    HWND a = top(50, 50, 200, 100);
    SetActiveWindow(a);
    harness.runUntilIdle();
    RECT cap = textOf(a);
    EXPECT_GT(count(cap, kWhite), 20);
    EXPECT_EQ(count(cap, kLightGrey) - count({cap.right - 18, cap.top, cap.right, cap.bottom}, kLightGrey), 0);

    HWND b = top(300, 300, 200, 100);
    SetActiveWindow(b);
    harness.runUntilIdle();
    EXPECT_EQ(count({cap.left, cap.top, cap.right - 20, cap.bottom}, kWhite), 0);
    EXPECT_GT(count({cap.left, cap.top, cap.right - 20, cap.bottom}, kLightGrey), 20);
}

TEST_F(Caption, SetWindowTextRedrawsAndAnEmptyTextLeavesThePlainBar)
{
    HWND a = top(50, 50, 200, 100);
    SetActiveWindow(a);
    harness.runUntilIdle();
    RECT textArea = textOf(a);
    textArea.right -= 20;
    int before = count(textArea, kWhite);
    SetWindowTextA(a, "");
    EXPECT_EQ(count(textArea, kWhite), 0);
    SetWindowTextA(a, "A much longer title");
    EXPECT_GT(count(textArea, kWhite), before);
}

TEST_F(Caption, ALongTextStopsBeforeTheCaptionButtons)
{
    HWND a = CreateWindowExA(0, "Rec", "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW",
                             WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 150, 100, nullptr, nullptr,
                             nullptr, nullptr);
    SetActiveWindow(a);
    harness.runUntilIdle();
    RECT cap = captionOf(a);
    cap.right -= 1;  // a sizing frame is one wider
    // The minimise box begins 52 from the right; the text stops 2 before it.
    LONG stop = cap.right - 54;
    EXPECT_GT(count({stop - 10, cap.top, stop, cap.bottom}, kWhite), 5);
    EXPECT_EQ(count({stop, cap.top, stop + 2, cap.bottom}, kWhite), 0);
}

TEST_F(Caption, TheClassIconShowsSmallAtTheLeftAndTheTextAfterIt)
{
    HWND a = CreateWindowExA(0, "Iconic", "Icon", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                             50, 50, 200, 100, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(a);
    harness.runUntilIdle();
    RECT cap = captionOf(a);
    RECT box = {cap.left + 1, cap.top + 1, cap.left + 17, cap.top + 17};
    // The opaque right half of the icon, shrunk to 8 by 16.
    EXPECT_EQ(count(box, kIconInk), 8 * 16);
    EXPECT_EQ(count(box, kWhite), 0);
    EXPECT_GT(count({box.right, cap.top, cap.right - 20, cap.bottom}, kWhite), 10);

    // Without a class icon the box shows the default application icon (a
    // small window: navy title, white body), and the text follows it.
    HWND plain = CreateWindowExA(0, "Rec", "Plain", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 300,
                                 300, 200, 100, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(plain);
    harness.runUntilIdle();
    RECT pcap = captionOf(plain);
    RECT pbox = {pcap.left + 1, pcap.top + 1, pcap.left + 17, pcap.top + 17};
    EXPECT_GT(count(pbox, kWhite), 40);
    EXPECT_GT(count({pbox.right, pcap.top, pcap.right - 20, pcap.bottom}, kWhite), 10);
    // A click on it opens the system menu.
    EXPECT_EQ(SendMessageA(plain, WM_NCHITTEST, 0, MAKELPARAM(pcap.left + 8, pcap.top + 8)), LRESULT(HTSYSMENU));
}

TEST_F(Caption, ADialogFrameShowsNoIconInItsBox)
{
    HWND box = CreateWindowExA(WS_EX_DLGMODALFRAME, "Rec", "Box", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                               300, 300, 200, 100, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(box);
    harness.runUntilIdle();
    RECT r;
    GetWindowRect(box, &r);
    // The text begins at the left of the bar.
    EXPECT_GT(count({r.left + 3, r.top + 3, r.left + 13, r.top + 21}, kWhite), 5);
}

}  // namespace
}  // namespace plat::testing
