#include "foundation/JxWinHelpers.h"

#include <chrono>
#include <thread>

#include "foundation/JxCharTables.h"
#include "foundation/JxProcessExit.h"
#include "foundation/JxProductLink.h"
#include "platform/draw/brush.h"
#include "platform/draw/dc.h"
#include "platform/draw/gdiobject.h"
#include "platform/draw/paint.h"
#include "platform/draw/palette.h"
#include "platform/clock/clock.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"

void QuitApplication()
{
    if (plat::HWND main = ProductMainWindow(); main && plat::IsWindow(main))
        plat::SendMessageA(main, plat::WM_CLOSE, 0, 0);
    EndProcess(0);
}

plat::RECT GetMainWindowScreenRect()
{
    plat::RECT rect{};
    plat::HWND page = ProductFirstPageWindow();
    if (!page || !plat::GetClientRect(page, &rect))
        return {};
    plat::POINT origin{rect.left, rect.top};
    plat::ClientToScreen(page, &origin);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    return {origin.x, origin.y, origin.x + width, origin.y + height};
}

void WaitMilliseconds(std::uint32_t ms)
{
    plat::Clock& clock = plat::TheClock();
    if (clock.isVirtual()) {
        static_cast<plat::VirtualClock&>(clock).advanceBy(ms);
        return;
    }
    const plat::DWORD start = plat::timeGetTime();
    for (;;) {
        const plat::DWORD passed = plat::timeGetTime() - start;
        if (passed >= ms)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(ms - passed));
    }
}

namespace {

bool isCloseRequest(const plat::MSG& msg)
{
    switch (msg.message) {
    case plat::WM_CLOSE:
    case plat::WM_DESTROY:
        return true;
    case plat::WM_NCLBUTTONDOWN:
        return msg.wParam == static_cast<plat::WPARAM>(plat::HTSYSMENU) || msg.wParam == plat::SC_CLOSE;
    case plat::WM_SYSCOMMAND:
        return (msg.wParam & 0xFFF0) == plat::SC_CLOSE;
    default:
        return false;
    }
}

}  // namespace

bool PumpOneMessage()
{
    plat::MSG msg{};
    if (!plat::PeekMessageA(&msg, nullptr, 0, 0, plat::PM_REMOVE))
        return false;
    if (msg.message == plat::WM_QUIT) {
        // The quit is for the main loop: it goes back into the queue, and
        // the nested loop hears that nothing is waiting, so it stops.
        plat::PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (!isCloseRequest(msg)) {
        plat::TranslateMessage(&msg);
        plat::DispatchMessageA(&msg);
    }
    return true;
}

void PumpPrivateMessages()
{
    plat::MSG msg{};
    while (plat::PeekMessageA(&msg, nullptr, plat::MM_WOM_DONE, plat::MM_WOM_DONE, plat::PM_REMOVE))
        plat::DispatchMessageA(&msg);
}

plat::HDC GetScreenDC()
{
    return plat::GetDC(nullptr);
}

void ReleaseScreenDC(plat::HDC dc)
{
    plat::ReleaseDC(nullptr, dc);
}

std::uint32_t GetTickTime()
{
    return plat::GetTickCount();
}

int TwipsToPixels(int twips, plat::HDC dc)
{
    int dpi = 0;
    if (dc) {
        dpi = plat::GetDeviceCaps(dc, plat::LOGPIXELSY);
    } else {
        plat::HDC screen = GetScreenDC();
        dpi = plat::GetDeviceCaps(screen, plat::LOGPIXELSY);
        ReleaseScreenDC(screen);
    }
    return TwipsToPixelsAt(twips, dpi);
}

int TwipsToPixelsAt(int twips, int dpi)
{
    if (dpi == 96 || dpi == 120)
        dpi = 72;
    // MulDiv: the product in 64 bits, rounded half away from zero.
    long long product = static_cast<long long>(twips) * dpi;
    long long half = product >= 0 ? 720 : -720;
    return static_cast<int>((product + half) / 1440);
}

JxCRGB GetNearestPaletteRGB(plat::HDC dc, const JxCRGB& colour)
{
    plat::HPALETTE palette = ProductPalette();
    if (!dc || !ProductExists() || !palette)
        return colour;
    // The palette's own entry, as a palette device gives it: pages are drawn
    // in the one product palette whatever the depth of the screen.
    plat::UINT index = plat::GetNearestPaletteIndex(palette, colour.GetPaletteColorRef() & 0x00FFFFFFu);
    plat::PALETTEENTRY entry{};
    if (index == plat::CLR_INVALID || plat::GetPaletteEntries(palette, index, 1, &entry) != 1)
        return colour;
    return JxCRGB(entry.peRed, entry.peGreen, entry.peBlue);
}

void FillRectangle(plat::HDC dc, const plat::RECT& rect, const JxCRGB& colour)
{
    JxCRGB nearest = GetNearestPaletteRGB(dc, colour);
    plat::COLORREF c = nearest.GetPaletteColorRef();
    plat::HBRUSH brush = plat::CreateSolidBrush(c);
    plat::HPEN pen = plat::CreatePen(plat::PS_SOLID, 1, c);
    plat::HGDIOBJ oldBrush = plat::SelectObject(dc, brush);
    plat::HGDIOBJ oldPen = plat::SelectObject(dc, pen);
    plat::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    plat::SelectObject(dc, oldPen);
    plat::SelectObject(dc, oldBrush);
    plat::DeleteObject(pen);
    plat::DeleteObject(brush);
}

bool IsDoubleByteChar(const char* text)
{
    return text && text[0] && IsLeadByte(static_cast<unsigned char>(text[0])) && text[1];
}

void NoOp() {}
