#pragma once
// The state behind the window services: class table, window tree, input
// state and timers. Internal to the window module; the engine sees window.h.

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <optional>
#include <thread>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/region.h"
#include "platform/window/queue.h"
#include "platform/window/window.h"

namespace plat {

struct MenuItem {
    UINT flags = 0;
    std::uintptr_t id = 0;
    std::string text;
};

struct MenuObject {
    std::vector<MenuItem> items;
};

struct WindowClass {
    std::string name;
    WNDCLASSA info;  // lpszClassName and lpszMenuName are not kept
    std::string menuName;
    int windows = 0;  // live windows of this class
};

struct Window {
    bool alive = true;
    bool destroying = false;
    std::shared_ptr<WindowClass> cls;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HINSTANCE instance = nullptr;
    std::uintptr_t id = 0;  // child id, or the menu handle of a top-level window
    LONG_PTR userData = 0;
    std::string text;
    std::vector<LONG_PTR> words;  // one slot per 4 bytes of cbWndExtra

    Window* parent = nullptr;  // the desktop for top-level windows
    Window* owner = nullptr;
    std::vector<Window*> children;  // z-order, topmost first

    RECT rect;  // window rectangle in the parent's client coordinates
    RECT normalRect;  // placement before minimising or maximising

    Region update;  // client coordinates
    bool erase = false;
    bool ncDirty = false;
    bool internalPaint = false;
    bool inPaint = false;
    bool captionActive = false;

    std::unique_ptr<MenuObject> systemMenu;
};

struct Timer {
    HWND hwnd = nullptr;
    std::uintptr_t id = 0;
    UINT interval = 0;
    TIMERPROC proc = nullptr;
    std::uint64_t due = 0;
};

// A host input event, turned into a window message only when the queue
// reaches it, so that capture and focus changes made by earlier messages
// route it.
struct RawInput {
    enum class Kind { MouseMove, Button, Key, Char };
    Kind kind = Kind::MouseMove;
    POINT pt;  // screen
    int button = 0;  // 0 left, 1 right, 2 middle
    bool down = false;
    int vk = 0;
    int scan = 0;
    bool extended = false;
    BYTE byte = 0;  // Char: one byte in the current code page
    DWORD time = 0;
};

class Desktop {
public:
    Desktop();
    ~Desktop();

    // Windows.
    Window* desktop() { return desktop_.get(); }
    Window* fromHandle(HWND hwnd) const;  // null unless a live window
    Window* newWindow();
    void bury(Window* w);  // after destruction: kept as a dead handle

    // Classes.
    std::vector<std::shared_ptr<WindowClass>> classes;
    std::shared_ptr<WindowClass> findClass(const char* name) const;

    // Input and activation state.
    HWND capture = nullptr;
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND lastActive = nullptr;  // restored when the application comes back
    HWND lastFocus = nullptr;   // the focus within it then, given back with it
    bool appActive = false;
    bool clickWillActivate = false;  // the host came to the front under a click
    bool hostMinimized = false;  // as the program last asked for, or the host said
    // The cursor, readable from any thread (posted messages carry it).
    std::atomic<LONG> cursorX{0};
    std::atomic<LONG> cursorY{0};
    POINT cursor() const { return {cursorX.load(), cursorY.load()}; }
    std::thread::id uiThread = std::this_thread::get_id();
    DWORD uiThreadId = GetCurrentThreadId();
    std::array<BYTE, 256> keyState{};   // as the messages taken so far say
    std::array<BYTE, 256> asyncKeys{};  // as the host says now
    UINT doubleClickTime = 500;
    struct LastClick {
        HWND hwnd = nullptr;
        int button = -1;
        bool client = false;
        DWORD time = 0;
        POINT pt;
    } lastClick;
    std::deque<RawInput> rawInput;
    std::deque<MSG> cookedInput;

    // The boxes and dialogs waiting in their modal loops, innermost last.
    std::vector<HWND> modalLoops;

    // Timers.
    std::vector<Timer> timers;
    std::uintptr_t nextThreadTimerId = 1;

    // The last message taken.
    DWORD messageTime = 0;
    POINT messagePos;
    int sendDepth = 0;

    MessageQueue queue;

private:
    std::unique_ptr<Window> desktop_;
    std::vector<std::unique_ptr<Window>> windows_;
};

Desktop& TheDesktop();
// Throws the whole window state away (every window, class, timer and queued
// message) without sending a message: a fresh desktop for tests.
void ResetDesktop();

// Helpers shared by the window module's sources.
inline HWND H(Window* w) { return reinterpret_cast<HWND>(w); }
Window* TopLevelOf(Window* w);
bool IsDescendant(const Window* ancestor, const Window* w);
RECT ScreenRectOf(const Window* w);        // window rectangle, screen coordinates
RECT ClientScreenRectOf(const Window* w);  // client rectangle, screen coordinates
RECT FrameInsets(DWORD style, DWORD exStyle);  // left, top, right, bottom thickness
bool IsShown(const Window* w);  // visible itself and every ancestor, not minimised
// Marks the part of `screenRegion` each window shows as needing paint; the
// desktop's own part is repainted at once.
void InvalidateScreen(const Region& screenRegion);
void PaintDesktop(const Region& screenRegion);
LRESULT Send(Window* w, UINT msg, WPARAM wParam, LPARAM lParam);
// Focus (and, when `capture`, the mouse capture) leave a window that goes away.
void ForgetWindowInput(Window* w, bool capture);
void KillWindowTimers(HWND hwnd);
std::optional<std::uint64_t> NextTimerDue(HWND filter);
bool TakeTimerMessage(MSG* out, HWND filter, bool remove);
bool TakePaintMessage(MSG* out, HWND filter);
bool TakeInputMessage(MSG* out, HWND filter, UINT first, UINT last, bool remove);
void Activate(Window* w, WORD state);
// Names the host window after the active window (see input.cpp), in UTF-8.
void NameHostAfterActiveWindow();
// After one of our top-level windows was minimised: the host window is
// minimised once none of ours shows any more. After one was restored (or
// maximised from its icon): the host window comes back with it. Each only
// ever moves the host one way, so that the host minimised by the person
// stays so while its windows follow it (HostMinimized).
void FollowMinimizedWithHost();
void FollowRestoredWithHost(const Window* w);
// While the application comes back to `top`: the window in it that had the
// focus when the application left, if it can take the focus again.
Window* RememberedFocus(Window* top);
void DeactivateApp();
// Sends WM_NCPAINT when the frame is due; the default draws it.
void SendNcPaint(Window* w);
void DrawFrame(Window* w);
// Device contexts over the screen for window painting (null until the
// drawing module provides them).
HDC MakeScreenDC(POINT origin, const Region& visible);
void FreeScreenDC(HDC hdc);
// WM_ERASEBKGND's default: fills a client rectangle with the class brush;
// false when it could not.
bool FillWithClassBrush(HDC hdc, const RECT& clientRect, HBRUSH brush);
// WM_SETCURSOR's default: the class cursor in the client area, the arrow
// elsewhere (null class cursor: leave the cursor as it is).
void ShowCursorFor(HCURSOR classCursor, LRESULT hit);
bool SystemCommandEnabled(HWND hwnd, std::uintptr_t id);
// Greys and enables the standard system menu items as the window's state
// allows (restore only when minimised or maximised, and so on).
void RefreshSystemMenu(Window* w);
// Opens the window's system menu as a popup at `at` (screen) and tracks it
// until an item is chosen or the menu is dismissed; a chosen item is posted
// to the window as WM_SYSCOMMAND. `byKeyboard` highlights the first item.
void TrackSystemMenu(Window* w, POINT at, bool byKeyboard);
LRESULT HitTestFrame(Window* w, POINT screen);

}  // namespace plat
