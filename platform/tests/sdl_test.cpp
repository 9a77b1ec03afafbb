// The SDL backend on a real (virtual) X display: it opens its window and
// host mouse events become button messages at the right client point.

#include <gtest/gtest.h>
#include <SDL.h>

#include <cstdlib>
#include <vector>

#include "platform/backend/sdl.h"
#include "platform/screen/screen.h"
#include "platform/window/desktop.h"
#include "platform/window/window.h"

namespace plat {
namespace {

struct Click {
    UINT msg;
    LPARAM lParam;
};
std::vector<Click> clicks;

LRESULT recordingProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_LBUTTONDOWN || m == WM_LBUTTONUP)
        clicks.push_back({m, l});
    return DefWindowProcA(h, m, w, l);
}

void pushButton(Uint32 type, POINT host)
{
    SDL_Event e{};
    e.type = type;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = host.x;
    e.button.y = host.y;
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
}

TEST(SdlBackend, AHostClickArrivesAsButtonMessagesAtClientCoordinates)
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        GTEST_SKIP() << "no X display (the test suite runs under Xvfb)";
    std::string error;
    auto sdl = CreateSdlBackend(&error);
    ASSERT_TRUE(sdl) << error;
    Backend* backend = sdl.get();
    auto previous = InstallBackend(std::move(sdl));
    TheScreen().reset(800, 600, 32);
    ResetDesktop();
    clicks.clear();

    WNDCLASSA wc;
    wc.lpfnWndProc = &recordingProc;
    wc.lpszClassName = "SdlRec";
    ASSERT_NE(RegisterClassA(wc), 0);
    HWND w = CreateWindowExA(0, "SdlRec", "sdl", WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 100, 100,
                             300, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    POINT target{37, 21};
    POINT screen = target;
    ClientToScreen(w, &screen);
    POINT host;
    ASSERT_TRUE(SdlDesktopToHost(*backend, screen, &host));
    POINT back;
    ASSERT_TRUE(SdlHostToDesktop(*backend, host, &back));
    EXPECT_EQ(back, screen);
    pushButton(SDL_MOUSEBUTTONDOWN, host);
    pushButton(SDL_MOUSEBUTTONUP, host);

    SetTimer(w, 1, 3000, nullptr);  // a watchdog: the loop blocks, never spins
    MSG m;
    while (clicks.size() < 2 && GetMessageA(&m, nullptr, 0, 0) > 0) {
        if (m.message == WM_TIMER)
            break;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].msg, WM_LBUTTONDOWN);
    EXPECT_EQ(clicks[1].msg, WM_LBUTTONUP);
    EXPECT_EQ(clicks[0].lParam, MAKELPARAM(WORD(target.x), WORD(target.y)));
    EXPECT_EQ(clicks[1].lParam, MAKELPARAM(WORD(target.x), WORD(target.y)));

    ResetDesktop();
    InstallBackend(std::move(previous));
}

}  // namespace
}  // namespace plat
