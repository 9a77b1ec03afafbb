#include <gtest/gtest.h>

#include <vector>

#include "foundation/JxProcessExit.h"
#include "foundation/JxProductLink.h"
#include "foundation/JxWinHelpers.h"
#include "platform/backend/harness.h"
#include "platform/clock/clock.h"
#include "platform/core/codepage.h"
#include "platform/draw/gdiobject.h"
#include "platform/draw/paint.h"
#include "platform/draw/palette.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"

namespace {

struct Ended {
    int code;
};

std::vector<plat::UINT>& received()
{
    static std::vector<plat::UINT> r;
    return r;
}

// Records what reaches it and refuses to close.
plat::LRESULT recordingProc(plat::HWND h, plat::UINT m, plat::WPARAM w, plat::LPARAM l)
{
    received().push_back(m);
    if (m == plat::WM_CLOSE)
        return 0;
    return plat::DefWindowProcA(h, m, w, l);
}

class WinHelpersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        received().clear();
        plat::WNDCLASSA wc;
        wc.lpfnWndProc = &recordingProc;
        wc.lpszClassName = "HelperRec";
        ASSERT_NE(plat::RegisterClassA(wc), 0);
        window = plat::CreateWindowExA(0, "HelperRec", "main", plat::WS_POPUP | plat::WS_VISIBLE, 10, 20, 100,
                                       50, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        harness.runUntilIdle();
        received().clear();
        JxProductLink link;
        link.mainWindow = [this] { return window; };
        link.firstPageWindow = [this] { return window; };
        link.palette = [this] { return palette; };
        SetProductLink(link);
    }
    void TearDown() override
    {
        SetProductLink(std::nullopt);
        if (palette)
            plat::DeleteObject(palette);
    }
    void post(plat::UINT msg, plat::WPARAM w = 0) { plat::PostMessageA(window, msg, w, 0); }
    std::vector<plat::UINT> dispatched() const
    {
        std::vector<plat::UINT> out;
        for (plat::UINT m : received())
            if (m == plat::WM_CLOSE || m == plat::WM_SYSCOMMAND || m == plat::WM_NCLBUTTONDOWN ||
                m >= plat::WM_USER || m == plat::MM_WOM_DONE)
                out.push_back(m);
        return out;
    }

    plat::Harness harness;
    plat::HWND window = nullptr;
    plat::HPALETTE palette = nullptr;
};

TEST_F(WinHelpersTest, TheNestedPumpNeverLetsACloseRequestThrough)
{
    post(plat::WM_CLOSE);
    post(plat::WM_SYSCOMMAND, plat::SC_CLOSE);
    post(plat::WM_NCLBUTTONDOWN, static_cast<plat::WPARAM>(plat::HTSYSMENU));
    post(plat::WM_USER + 5);
    int passes = 0;
    while (PumpOneMessage())
        ++passes;
    EXPECT_GE(passes, 4);
    EXPECT_EQ(dispatched(), std::vector<plat::UINT>{plat::WM_USER + 5});
}

TEST_F(WinHelpersTest, TheNestedPumpLeavesTheQuitForTheMainLoop)
{
    plat::PostQuitMessage(3);
    EXPECT_FALSE(PumpOneMessage());
    plat::MSG msg{};
    ASSERT_TRUE(plat::PeekMessageA(&msg, nullptr, 0, 0, plat::PM_REMOVE));
    EXPECT_EQ(msg.message, plat::WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(WinHelpersTest, PrivateMessagesAreOnlyTheWaveCompletions)
{
    post(plat::WM_USER + 1);
    post(plat::MM_WOM_DONE);
    post(plat::MM_WOM_DONE);
    PumpPrivateMessages();
    EXPECT_EQ(dispatched(), (std::vector<plat::UINT>{plat::MM_WOM_DONE, plat::MM_WOM_DONE}));
}

TEST_F(WinHelpersTest, QuitEndsTheProcessEvenWhenTheWindowRefusesToClose)
{
    JxExitHandler previous = SetExitHandler([](int code) { throw Ended{code}; });
    try {
        QuitApplication();
        ADD_FAILURE() << "QuitApplication returned";
    } catch (const Ended& e) {
        EXPECT_EQ(e.code, 0);
    }
    SetExitHandler(previous);
    EXPECT_EQ(dispatched(), std::vector<plat::UINT>{plat::WM_CLOSE});
    EXPECT_TRUE(plat::IsWindow(window));
}

TEST_F(WinHelpersTest, ThePagesClientAreaInScreenCoordinates)
{
    plat::RECT r = GetMainWindowScreenRect();
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 110);
    EXPECT_EQ(r.bottom, 70);
    SetProductLink(std::nullopt);
    r = GetMainWindowScreenRect();
    EXPECT_EQ(r.right - r.left, 0);
}

TEST_F(WinHelpersTest, WaitsMoveTheClockWithoutSpinning)
{
    std::uint32_t before = GetTickTime();
    WaitMilliseconds(40);
    EXPECT_EQ(GetTickTime() - before, 40u);
}

TEST_F(WinHelpersTest, TwipsOnTheScreenCountSeventyTwoDotsPerInch)
{
    EXPECT_EQ(TwipsToPixels(1440, nullptr), 72);
    EXPECT_EQ(TwipsToPixels(720, nullptr), 36);
    EXPECT_EQ(TwipsToPixels(-1440, nullptr), -72);
}

TEST_F(WinHelpersTest, ColoursAreMatchedToTheProductPalette)
{
    plat::LOGPALETTE lp;
    lp.palNumEntries = 2;
    lp.palPalEntry[0] = {10, 20, 30, 0};
    lp.palPalEntry[1] = {200, 100, 50, 0};
    palette = plat::CreatePalette(&lp);
    plat::HDC dc = plat::GetDC(window);
    JxCRGB near = GetNearestPaletteRGB(dc, JxCRGB(190, 110, 40));
    EXPECT_EQ(near, JxCRGB(200, 100, 50));
    EXPECT_EQ(GetNearestPaletteRGB(nullptr, JxCRGB(190, 110, 40)), JxCRGB(190, 110, 40));
    FillRectangle(dc, {0, 0, 10, 10}, JxCRGB(12, 18, 33));
    EXPECT_EQ(plat::GetPixel(dc, 5, 5) & 0xFFFFFF, plat::RGB(10, 20, 30));
    plat::ReleaseDC(window, dc);
    EXPECT_EQ(JxCRGB(1, 2, 3).GetPaletteColorRef(), 0x02030201u);
}

TEST(DoubleByteChars, LeadBytesOfTheCurrentCodePage)
{
    EXPECT_FALSE(IsDoubleByteChar("\x82\xa0"));
    plat::SetACP(932);
    EXPECT_TRUE(IsDoubleByteChar("\x82\xa0"));
    EXPECT_FALSE(IsDoubleByteChar("a"));
    EXPECT_FALSE(IsDoubleByteChar("\x82"));  // a lead byte without its trail
    plat::SetACP(1252);
}

}  // namespace
