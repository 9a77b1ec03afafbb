#include "setup/StatusWindow.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/draw/draw.h"
#include "platform/ui/draw_text.h"
#include "platform/window/window.h"
#include "setup/GreekText.h"
#include "setup/PageKit.h"
#include "setup/SetupBoxes.h"
#include "setup/SetupState.h"
#include "setup/SetupText.h"

namespace {

constexpr std::size_t kMaxText = 259;

struct StatusRecord {
    plat::HWND owner = nullptr;
    long range = 1;
    long position = 0;
    std::string text;
    plat::RECT bar{};
    int borderX = 1;
    int borderY = 1;
    plat::HFONT font = nullptr;
};

StatusRecord* recordOf(plat::HWND window)
{
    return reinterpret_cast<StatusRecord*>(plat::GetWindowLongPtrA(window, 0));
}

// Dispatches one waiting message so that the screen keeps up while files
// are copied. A quit request is left for the main loop.
void pumpOne()
{
    plat::MSG msg;
    if (!plat::PeekMessageA(&msg, nullptr, 0, 0, plat::PM_REMOVE))
        return;
    if (msg.message == plat::WM_QUIT) {
        plat::PostQuitMessage(int(msg.wParam));
        return;
    }
    plat::TranslateMessage(&msg);
    plat::DispatchMessageA(&msg);
}

// A position beyond the range counts again from the start.
long shownPosition(const StatusRecord& r)
{
    long p = r.position;
    while (p > r.range)
        p -= r.range;
    return p;
}

void fill(plat::HDC hdc, const plat::RECT& r, plat::COLORREF colour)
{
    OwnedBrush b(colour);
    plat::FillRect(hdc, &r, b.get());
}

void paint(plat::HWND window, StatusRecord& r)
{
    plat::PAINTSTRUCT ps;
    plat::HDC hdc = plat::BeginPaint(window, &ps);
    plat::RECT all;
    plat::GetClientRect(window, &all);
    fill(hdc, all, plat::RGB(192, 192, 192));
    plat::FrameRect(hdc, &all, static_cast<plat::HBRUSH>(plat::GetStockObject(plat::BLACK_BRUSH)));

    r.bar = {all.left + r.borderX, all.top + r.borderY, all.right - r.borderX, all.bottom - r.borderY};
    long position = shownPosition(r);
    long inner = r.bar.right - r.bar.left;
    plat::RECT done = r.bar;
    done.right = r.bar.left + int(position * inner / r.range);
    fill(hdc, done, plat::RGB(255, 0, 0));

    char line[kMaxText + 32];
    long percent = position * 100 / r.range;
    if (r.text.empty())
        std::snprintf(line, sizeof line, "%ld%%", percent);
    else
        std::snprintf(line, sizeof line, "%ld%% %s", percent, r.text.c_str());
    plat::HGDIOBJ oldFont = plat::SelectObject(hdc, r.font);
    plat::SetBkMode(hdc, plat::TRANSPARENT);
    plat::SetTextColor(hdc, plat::RGB(0, 0, 0));
    plat::DrawTextA(hdc, line, -1, &all, plat::DT_CENTER | plat::DT_VCENTER | plat::DT_SINGLELINE);
    plat::SelectObject(hdc, oldFont);

    // The raised edge, one border wide.
    fill(hdc, {all.left, all.top, all.right, all.top + r.borderY}, plat::RGB(255, 255, 255));
    fill(hdc, {all.left, all.top, all.left + r.borderX, all.bottom}, plat::RGB(255, 255, 255));
    fill(hdc, {all.left, all.bottom - r.borderY, all.right, all.bottom}, plat::RGB(128, 128, 128));
    fill(hdc, {all.right - r.borderX, all.top + r.borderY, all.right, all.bottom}, plat::RGB(128, 128, 128));
    plat::EndPaint(window, &ps);
}

void placeAlongOwner(plat::HWND window, plat::HWND owner)
{
    plat::RECT o;
    if (!owner || !plat::GetWindowRect(owner, &o))
        return;
    int height = plat::GetSystemMetrics(plat::SM_CYCAPTION);
    plat::MoveWindow(window, o.left, o.bottom - height, o.right - o.left, height, 1);
}

}  // namespace

plat::LRESULT StatusWndProc(plat::HWND window, plat::UINT msg, plat::WPARAM wParam, plat::LPARAM lParam)
{
    StatusRecord* r = recordOf(window);
    switch (msg) {
    case plat::WM_CREATE: {
        auto record = std::make_unique<StatusRecord>();
        record->borderX = plat::GetSystemMetrics(plat::SM_CXBORDER);
        record->borderY = plat::GetSystemMetrics(plat::SM_CYBORDER);
        std::string face = ConvertGreekText(LoadText(141));
        record->font = plat::CreateFont(-8, 0, 0, 0, plat::FW_NORMAL, 0, 0, 0, plat::GREEK_CHARSET, 0, 0, 0, 0,
                                        face.c_str());
        plat::SetWindowLongPtrA(window, 0, plat::LONG_PTR(record.release()));
        return 0;
    }
    case plat::WM_DESTROY:
        if (r) {
            plat::DeleteObject(r->font);
            delete r;
            plat::SetWindowLongPtrA(window, 0, 0);
        }
        return 0;
    case kStatusSetOwner:
        if (r) {
            r->owner = reinterpret_cast<plat::HWND>(wParam);
            r->range = lParam > 0 ? long(lParam) : 1;
            placeAlongOwner(window, r->owner);
        }
        return 0;
    case kStatusSetText: {
        const char* text = reinterpret_cast<const char*>(lParam);
        if (r && text && std::strlen(text) <= kMaxText) {
            r->text = text;
            plat::InvalidateRect(window, nullptr, 1);
        }
        return 0;
    }
    case kStatusSetPosition:
        pumpOne();
        if (r) {
            r->position = std::labs(long(plat::LONG_PTR(wParam)));
            plat::InvalidateRect(window, nullptr, 0);
        }
        return 0;
    case kStatusPump:
        pumpOne();
        return 0;
    case plat::WM_PAINT:
        if (r) {
            paint(window, *r);
            return 0;
        }
        break;
    case plat::WM_LBUTTONDOWN:
    case plat::WM_LBUTTONUP:
    case plat::WM_LBUTTONDBLCLK:
    case plat::WM_RBUTTONDOWN:
    case plat::WM_RBUTTONUP:
        return 0;
    case plat::WM_CLOSE:
        // The installer takes the window down when its copy is done;
        // closing it under the copy would not stop the copy.
        if (Setup().installing)
            return 0;
        break;
    case plat::WM_COMMAND:
        if (plat::LOWORD(wParam) == 2 && r && !Setup().installing) {
            plat::SendMessageA(r->owner, kStatusCancelled, 0, 0);
            plat::DestroyWindow(window);
            return 0;
        }
        break;
    default:
        break;
    }
    return plat::DefWindowProcA(window, msg, wParam, lParam);
}

plat::HWND CreateStatusWindow(plat::HWND owner, int range)
{
    plat::HWND window = plat::CreateWindowExA(0, kStatusClassName, "", plat::WS_POPUP | plat::WS_CLIPSIBLINGS, 0, 0,
                                              1, 1, owner, nullptr, nullptr, nullptr);
    if (!window) {
        ShowErrorBox(owner, "Cannot create statusperimene window");
        return nullptr;
    }
    plat::SendMessageA(window, kStatusSetOwner, plat::WPARAM(owner), plat::LPARAM(range));
    plat::SendMessageA(window, kStatusSetPosition, 0, 0);
    plat::ShowWindow(window, plat::SW_SHOW);
    plat::SetActiveWindow(window);
    plat::UpdateWindow(window);
    return window;
}
