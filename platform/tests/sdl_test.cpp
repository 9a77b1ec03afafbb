// The SDL backend on a real (virtual) X display: it opens its window, host
// mouse events become button messages at the right client point, and the
// host window's focus becomes the program's activation.

#include <gtest/gtest.h>
#include <SDL.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/backend/sdl.h"
#include "platform/clipboard/clipboard.h"
#include "platform/clipboard/dib_png.h"
#include "platform/core/codepage.h"
#include "platform/draw/draw.h"
#include "platform/screen/screen.h"
#include "platform/tests/host_display_keeper.h"
#include "platform/window/desktop.h"
#include "platform/window/window.h"
// Last: the X library's names are macros.
#include "platform/tests/x_clients.h"

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

// What xclip reads from the display's clipboard as `target`.
std::string pasted(const std::string& target)
{
    std::string out;
    FILE* p = ::popen(("xclip -selection clipboard -o -t " + target + " 2>/dev/null").c_str(), "r");
    if (!p)
        return out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, p)) > 0;)
        out.append(buffer, n);
    ::pclose(p);
    return out;
}

// A real SDL backend installed over a fresh screen and desktop; skipped
// without an X display.
class SdlBackend : public ::testing::Test {
protected:
    Backend* backend = nullptr;
    std::unique_ptr<Backend> previous;

    void SetUp() override
    {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display)
            GTEST_SKIP() << "no X display (the test suite runs under Xvfb)";
        plat::testing::KeepHostDisplay();
        std::string error;
        auto sdl = CreateSdlBackend(&error);
        ASSERT_TRUE(sdl) << error;
        backend = sdl.get();
        previous = InstallBackend(std::move(sdl));
        TheScreen().reset(800, 600, 32);
        ResetDesktop();
        WNDCLASSA wc;
        wc.lpfnWndProc = &DefWindowProcA;
        wc.lpszClassName = "SdlPlain";
        RegisterClassA(wc);
    }
    void TearDown() override
    {
        if (!backend)
            return;
        ResetDesktop();
        InstallBackend(std::move(previous));
    }

    // Runs the message loop until `done` holds, for three seconds at most
    // (a timer of `w` is the watchdog: the loop blocks, never spins).
    static void runUntil(HWND w, const std::function<bool()>& done)
    {
        SetTimer(w, 1, 3000, nullptr);
        MSG m;
        while (!done() && GetMessageA(&m, nullptr, 0, 0) > 0) {
            if (m.message == WM_TIMER)
                break;
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    // Read while the program waits for messages, as when a person pastes:
    // the program answers from its loop. `first` runs on the reading
    // thread before.
    static std::string pastedWhileWaiting(HWND window, const std::string& target,
                                          const std::function<void()>& first = {})
    {
        std::atomic<bool> done{false};
        std::string out;
        std::thread reader([&] {
            if (first)
                first();
            out = pasted(target);
            done = true;
            PostMessageA(window, WM_NULL, 0, 0);
        });
        while (!done)
            runUntil(window, [&] { return done.load(); });
        reader.join();
        return out;
    }
};

TEST_F(SdlBackend, AHostClickArrivesAsButtonMessagesAtClientCoordinates)
{
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

    runUntil(w, [] { return clicks.size() >= 2; });
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].msg, WM_LBUTTONDOWN);
    EXPECT_EQ(clicks[1].msg, WM_LBUTTONUP);
    EXPECT_EQ(clicks[0].lParam, MAKELPARAM(WORD(target.x), WORD(target.y)));
    EXPECT_EQ(clicks[1].lParam, MAKELPARAM(WORD(target.x), WORD(target.y)));
}

struct Heard {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
};
std::vector<Heard> heard;

LRESULT focusRecordingProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_ACTIVATEAPP || m == WM_ACTIVATE || m == WM_SETFOCUS || m == WM_KILLFOCUS)
        heard.push_back({h, m, w});
    return DefWindowProcA(h, m, w, l);
}

void pushFocus(Uint8 event)
{
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = event;
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
}

TEST_F(SdlBackend, TheHostLosingAndRegainingTheFocusGivesItBackToThePopupsFocusedChild)
{
    WNDCLASSA wc;
    wc.lpfnWndProc = &focusRecordingProc;
    wc.lpszClassName = "SdlFocus";
    ASSERT_NE(RegisterClassA(wc), 0);
    HWND main = CreateWindowExA(0, "SdlFocus", "main", WS_CAPTION | WS_VISIBLE, 0, 0, 600, 400, nullptr,
                                nullptr, nullptr, nullptr);
    HWND popup = CreateWindowExA(0, "SdlFocus", "popup", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, main,
                                 nullptr, nullptr, nullptr);
    HWND field = CreateWindowExA(0, "SdlFocus", "", WS_CHILD | WS_VISIBLE, 20, 150, 120, 20, popup,
                                 nullptr, nullptr, nullptr);
    ASSERT_TRUE(main && popup && field);
    // The display's own focus events for the new host window come first;
    // where they leave the program in the background, the test cannot say
    // what a focus coming back does.
    runUntil(main, [] { return false; });
    if (GetActiveWindow() != popup)
        GTEST_SKIP() << "the display keeps the host window in the background";
    SetFocus(field);
    ASSERT_EQ(GetFocus(), field);
    heard.clear();

    pushFocus(SDL_WINDOWEVENT_FOCUS_LOST);
    pushFocus(SDL_WINDOWEVENT_FOCUS_GAINED);
    runUntil(main, [] { return !heard.empty() && heard.back().msg == WM_SETFOCUS; });
    EXPECT_EQ(GetActiveWindow(), popup);
    EXPECT_EQ(GetFocus(), field);
    std::vector<UINT> order;
    for (const Heard& h : heard)
        if (h.hwnd == popup || h.hwnd == field)
            order.push_back(h.msg);
    EXPECT_EQ(order, (std::vector<UINT>{WM_ACTIVATE, WM_ACTIVATEAPP, WM_KILLFOCUS, WM_ACTIVATEAPP,
                                        WM_ACTIVATE, WM_SETFOCUS}));
    for (const Heard& h : heard)
        EXPECT_FALSE(h.hwnd == main && h.msg == WM_SETFOCUS) << "the main window took the keyboard";
}

TEST_F(SdlBackend, TheHostWindowMinimisedTakesOurWindowWithItAndRestoredBringsItBack)
{
    HWND main = CreateWindowExA(0, "SdlPlain", "main", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, 0, 0,
                                600, 400, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(main, nullptr);
    pushFocus(SDL_WINDOWEVENT_MINIMIZED);
    runUntil(main, [main] { return IsIconic(main) != 0; });
    EXPECT_TRUE(IsIconic(main));
    pushFocus(SDL_WINDOWEVENT_RESTORED);
    runUntil(main, [main] { return !IsIconic(main); });
    EXPECT_FALSE(IsIconic(main));
    EXPECT_TRUE(IsWindowVisible(main));
}

TEST_F(SdlBackend, TheDesktopReadsAGreekWindowNameInUtf8)
{
    const unsigned long x = SdlHostX11Window(*backend);
    if (!x || std::system("command -v xprop >/dev/null") != 0)
        GTEST_SKIP() << "no X window, or xprop is not installed (scripts/dev installs it)";
    const int acp = GetACP();
    SetACP(1253);
    CreateWindowExA(0, "SdlPlain", "\xD0\xF1\xEF\xF3\xEF\xF7\xDE", WS_CAPTION | WS_VISIBLE, 0, 0, 300, 200,
                    nullptr, nullptr, nullptr, nullptr);
    SetACP(acp);
    FILE* p = ::popen(("xprop -id " + std::to_string(x) + " _NET_WM_NAME").c_str(), "r");
    ASSERT_NE(p, nullptr);
    char line[256] = {};
    const bool read = std::fgets(line, sizeof line, p) != nullptr;
    ::pclose(p);
    ASSERT_TRUE(read);
    EXPECT_STREQ(line, "_NET_WM_NAME(UTF8_STRING) = \"Προσοχή\"\n");
}

// Programs that ask for what was copied and are gone before the answer
// (clipboard managers and quick pastes are) end nothing, neither through
// SDL's connection, which offers the text, nor through the clipboard's own
// thread, which offers the picture: the next paste is answered as usual.
TEST_F(SdlBackend, WhatIsCopiedReachesTheDisplaysClipboardTextAsTextAndAPictureAsPng)
{
    if (std::system("command -v xclip >/dev/null") != 0)
        GTEST_SKIP() << "xclip is not installed (scripts/dev installs it)";
    HWND main = CreateWindowExA(0, "SdlPlain", "main", WS_CAPTION | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                                nullptr, nullptr);
    const std::string display = std::getenv("DISPLAY");
    auto askAndLeave = [&display] {
        for (int i = 0; i < 20; ++i)
            AskForTheClipboardAndLeave(display);
    };
    // Each copy has the display's clipboard when it returns, whichever
    // connection it goes through.
    auto copy = [main](auto put) {
        const unsigned long before = plat::testing::HostClipboardOwner();
        EXPECT_TRUE(OpenClipboard(main));
        EmptyClipboard();
        put();
        CloseClipboard();
        const unsigned long owner = plat::testing::HostClipboardOwner();
        EXPECT_NE(owner, 0u);
        EXPECT_NE(owner, before) << "the clipboard is taken only later";
    };
    SetACP(1252);
    copy([] { SetClipboardText("Caf\xE9 au lait"); });
    EXPECT_EQ(pastedWhileWaiting(main, "UTF8_STRING", askAndLeave), "Caf\u00e9 au lait");

    // A 2 by 2 picture of four colours, 8 bits through its colour table.
    std::vector<std::uint8_t> dib(40 + 4 * 4 + 2 * 4, 0);
    BITMAPINFOHEADER h;
    h.biWidth = 2;
    h.biHeight = 2;
    h.biBitCount = 8;
    h.biClrUsed = 4;
    std::memcpy(dib.data(), &h, sizeof h);
    const RGBQUAD colours[4] = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {255, 255, 255, 0}};
    std::memcpy(dib.data() + 40, colours, sizeof colours);
    const std::uint8_t rows[8] = {0, 1, 0, 0, 2, 3, 0, 0};  // bottom row first
    std::memcpy(dib.data() + 56, rows, sizeof rows);
    copy([&] { SetClipboardDib(dib); });
    const std::string png = pastedWhileWaiting(main, "image/png", askAndLeave);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(png, PackedDibToPng(dib));
    EXPECT_NE(pastedWhileWaiting(main, "TARGETS").find("image/png"), std::string::npos);

    // A picture copied right after a text, before the loop runs, is what
    // stays: the text's claim does not come back over it.
    copy([] { SetClipboardText("tea"); });
    copy([&] { SetClipboardDib(dib); });
    EXPECT_EQ(pastedWhileWaiting(main, "image/png"), png);
}

TEST_F(SdlBackend, WithoutAHardwareRendererOnlyTheChangedRectangleIsPresented)
{
    // Xvfb has no GPU: the window surface shows the desktop.
    EXPECT_TRUE(SdlPresentsThroughWindowSurface(*backend));
}

}  // namespace
}  // namespace plat
