// Mouse and keyboard input: capture, focus, activation, key state, and the
// turning of host input into window messages when the queue reaches it.

#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "platform/backend/backend.h"
#include "platform/clock/clock.h"
#include "platform/core/codepage.h"
#include "platform/fs/paths.h"
#include "platform/screen/screen.h"
#include "platform/window/desktop.h"
#include "platform/window/input.h"
#include "platform/window/modal_loop.h"

namespace plat {

namespace {

DWORD stamp(DWORD time)
{
    return time ? time : GetTickCount();
}

bool isDown(const std::array<BYTE, 256>& keys, int vk)
{
    return (keys[size_t(vk) & 0xff] & 0x80) != 0;
}

void setDown(std::array<BYTE, 256>& keys, int vk, bool down)
{
    BYTE& k = keys[size_t(vk) & 0xff];
    if (down) {
        if (!(k & 0x80))
            k ^= 0x01;  // toggles on each press
        k |= 0x80;
    } else {
        k &= BYTE(~0x80);
    }
}

int buttonVk(int button)
{
    return button == 0 ? VK_LBUTTON : button == 1 ? VK_RBUTTON : VK_MBUTTON;
}

WPARAM mouseKeys()
{
    const auto& k = TheDesktop().keyState;
    WPARAM mk = 0;
    if (isDown(k, VK_LBUTTON))
        mk |= MK_LBUTTON;
    if (isDown(k, VK_RBUTTON))
        mk |= MK_RBUTTON;
    if (isDown(k, VK_MBUTTON))
        mk |= MK_MBUTTON;
    if (isDown(k, VK_SHIFT))
        mk |= MK_SHIFT;
    if (isDown(k, VK_CONTROL))
        mk |= MK_CONTROL;
    return mk;
}

void pushCooked(const MSG& m)
{
    auto& q = TheDesktop().cookedInput;
    if (m.message == WM_MOUSEMOVE && !q.empty() && q.back().message == WM_MOUSEMOVE &&
        q.back().hwnd == m.hwnd && q.back().wParam == m.wParam) {
        q.back() = m;  // moves coalesce
        return;
    }
    q.push_back(m);
}

// The window that comes back active keeps the focus window it had when the
// application left, unless its WM_ACTIVATE handler gave the focus elsewhere.
// Either way the memory is used once.
void giveBackFocus(Window* w)
{
    Desktop& d = TheDesktop();
    Window* f = RememberedFocus(w);
    d.lastFocus = nullptr;
    if (f && !d.focus && d.active == H(w) && w->alive)
        SetFocus(H(f));
}

// The application comes back without a click to say where: the window that
// was active when it left, else the topmost one that can be.
void restoreActivation()
{
    Desktop& d = TheDesktop();
    d.clickWillActivate = false;
    Window* w = d.fromHandle(d.lastActive);
    if (!w || !IsShown(w) || (w->style & WS_DISABLED)) {
        w = nullptr;
        for (Window* t : d.desktop()->children)
            if (IsShown(t) && !(t->style & WS_DISABLED)) {
                w = t;
                break;
            }
    }
    if (w)
        Activate(w, WA_ACTIVE);
    else
        d.appActive = true;
}

// The window that owns a click for activation: the top-level window, or
// the window itself while it has no parent window.
LRESULT mouseActivate(Window* target, LRESULT hit, UINT msg)
{
    Desktop& d = TheDesktop();
    Window* top = TopLevelOf(target);
    if (!top || (d.appActive && d.active == H(top)))
        return MA_ACTIVATE;
    LRESULT r = Send(target, WM_MOUSEACTIVATE, WPARAM(H(top)), MAKELPARAM(WORD(hit), WORD(msg)));
    if ((r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT) && top->alive && !(top->style & WS_DISABLED))
        Activate(top, WA_CLICKACTIVE);
    // A click that activated nothing leaves the choice to the next input.
    if (d.appActive)
        d.clickWillActivate = false;
    return r;
}

// Our windows minimised while the host window still shows (a display
// without a window manager to minimise it to): a double click on the bare
// desktop brings them back.
void desktopPressed(const RawInput& in)
{
    Desktop& d = TheDesktop();
    auto& lc = d.lastClick;
    const bool isDouble = lc.hwnd == H(d.desktop()) && lc.button == 0 && DWORD(in.time - lc.time) <= d.doubleClickTime;
    lc = isDouble ? Desktop::LastClick{} : Desktop::LastClick{H(d.desktop()), 0, false, in.time, in.pt};
    if (isDouble && d.hostMinimized)
        HostRestored();
}

void cookMouse(const RawInput& in)
{
    Desktop& d = TheDesktop();
    bool isButton = in.kind == RawInput::Kind::Button;
    if (isButton)
        setDown(d.keyState, buttonVk(in.button), in.down);

    Window* target = d.fromHandle(d.capture);
    LRESULT hit = HTCLIENT;
    if (!target) {
        target = d.fromHandle(WindowFromPoint(in.pt));
        if (!target) {
            // The bare desktop takes no input, but a click on it that
            // brought the host to the front still brings the program back.
            if (isButton && in.down && d.clickWillActivate)
                restoreActivation();
            if (isButton && in.down && in.button == 0)
                desktopPressed(in);
            return;
        }
        hit = Send(target, WM_NCHITTEST, 0, MAKELPARAM(WORD(in.pt.x), WORD(in.pt.y)));
        if (!target->alive)
            return;
        Window* top = TopLevelOf(target);
        if (top && (top->style & WS_DISABLED)) {
            Send(target, WM_SETCURSOR, WPARAM(H(target)),
                 MAKELPARAM(WORD(HTERROR), WORD(isButton ? WM_LBUTTONDOWN : WM_MOUSEMOVE)));
            return;
        }
    }

    bool client = hit == HTCLIENT || d.capture;
    UINT msg = WM_MOUSEMOVE;
    if (isButton) {
        static constexpr UINT downMsg[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
        static constexpr UINT upMsg[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
        msg = in.down ? downMsg[in.button] : upMsg[in.button];
    }

    if (!d.capture) {
        Send(target, WM_SETCURSOR, WPARAM(H(target)), MAKELPARAM(WORD(hit), WORD(msg)));
        if (!target->alive)
            return;
    }

    if (isButton && in.down) {
        if (!d.capture) {
            LRESULT r = mouseActivate(target, hit, msg);
            if (!target->alive || r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT)
                return;
        }
        // A second press of the same button on the same window, soon and
        // close enough, is a double click; the press after it starts anew.
        auto& lc = d.lastClick;
        bool wantsDouble = !client || (target->cls && (target->cls->info.style & CS_DBLCLKS));
        int half = GetSystemMetrics(SM_CXDOUBLECLK) / 2;
        bool isDouble = wantsDouble && lc.hwnd == H(target) && lc.button == in.button &&
                        lc.client == client && DWORD(in.time - lc.time) <= d.doubleClickTime &&
                        std::abs(in.pt.x - lc.pt.x) <= half &&
                        std::abs(in.pt.y - lc.pt.y) <= half;
        if (isDouble) {
            msg += 2;  // WM_xBUTTONDOWN + 2 = WM_xBUTTONDBLCLK
            lc = {};
        } else {
            lc = {H(target), in.button, client, in.time, in.pt};
        }
    }

    MSG m;
    m.hwnd = H(target);
    m.time = in.time;
    m.pt = in.pt;
    if (client) {
        POINT p = in.pt;
        ScreenToClient(H(target), &p);
        m.message = msg;
        m.wParam = mouseKeys();
        m.lParam = MAKELPARAM(WORD(p.x), WORD(p.y));
    } else {
        m.message = msg - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
        m.wParam = WPARAM(hit);
        m.lParam = MAKELPARAM(WORD(in.pt.x), WORD(in.pt.y));
    }
    pushCooked(m);
}

// Keys typed after the host came to the front under a click that never
// reached one of our windows (it fell on the host's frame) bring the program
// back as if the keyboard had.
void activateForKeyboard()
{
    Desktop& d = TheDesktop();
    if (d.clickWillActivate && !d.appActive)
        restoreActivation();
}

void cookKey(const RawInput& in)
{
    Desktop& d = TheDesktop();
    activateForKeyboard();
    bool wasDown = isDown(d.keyState, in.vk);
    setDown(d.keyState, in.vk, in.down);
    Window* target = d.fromHandle(d.focus);
    bool noFocus = !target;
    if (!target)
        target = d.fromHandle(d.active);
    if (!target)
        return;
    bool alt = isDown(d.keyState, VK_MENU);
    bool ctrl = isDown(d.keyState, VK_CONTROL);
    bool sys = noFocus || (alt && !ctrl) || in.vk == VK_F10 || (in.vk == VK_MENU && !ctrl);
    LPARAM lp = 1 | (LPARAM(in.scan & 0xff) << 16);
    if (in.extended)
        lp |= KF_EXTENDED_BIT;
    if (alt && !ctrl)
        lp |= KF_ALTDOWN_BIT;
    if (wasDown || !in.down)
        lp |= KF_REPEAT_BIT;
    if (!in.down)
        lp |= KF_UP_BIT;
    UINT msg = in.down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    pushCooked(MSG{H(target), msg, WPARAM(in.vk), lp, in.time, d.cursor()});
}

void cookChar(const RawInput& in)
{
    Desktop& d = TheDesktop();
    activateForKeyboard();
    Window* target = d.fromHandle(d.focus);
    bool noFocus = !target;
    if (!target)
        target = d.fromHandle(d.active);
    if (!target)
        return;
    bool alt = isDown(d.keyState, VK_MENU) && !isDown(d.keyState, VK_CONTROL);
    LPARAM lp = 1 | (LPARAM(in.scan & 0xff) << 16);
    if (alt)
        lp |= KF_ALTDOWN_BIT;
    UINT msg = (noFocus || alt) ? WM_SYSCHAR : WM_CHAR;
    pushCooked(MSG{H(target), msg, WPARAM(in.byte), lp, in.time, d.cursor()});
}

void cook(const RawInput& in)
{
    switch (in.kind) {
    case RawInput::Kind::MouseMove:
    case RawInput::Kind::Button: cookMouse(in); break;
    case RawInput::Kind::Key: cookKey(in); break;
    case RawInput::Kind::Char: cookChar(in); break;
    }
}

bool admits(HWND filter, UINT first, UINT last, const MSG& m)
{
    if (filter == reinterpret_cast<HWND>(-1))
        return false;
    if (filter && m.hwnd != filter && !IsChild(filter, m.hwnd))
        return false;
    if ((first || last) && last >= first && (m.message < first || m.message > last))
        return false;
    return true;
}

void pushRaw(const RawInput& in)
{
    auto& q = TheDesktop().rawInput;
    if (in.kind == RawInput::Kind::MouseMove && !q.empty() &&
        q.back().kind == RawInput::Kind::MouseMove) {
        q.back() = in;
        return;
    }
    q.push_back(in);
}

void broadcastTopLevel(UINT msg, WPARAM wParam, LPARAM lParam)
{
    std::vector<HWND> tops;
    for (Window* t : TheDesktop().desktop()->children)
        tops.push_back(H(t));
    for (HWND h : tops)
        SendMessageA(h, msg, wParam, lParam);
}

}  // namespace

bool TakeInputMessage(MSG* out, HWND filter, UINT first, UINT last, bool remove)
{
    Desktop& d = TheDesktop();
    for (;;) {
        for (auto it = d.cookedInput.begin(); it != d.cookedInput.end(); ++it) {
            if (!admits(filter, first, last, *it))
                continue;
            *out = *it;
            if (remove)
                d.cookedInput.erase(it);
            return true;
        }
        if (d.rawInput.empty())
            return false;
        RawInput in = d.rawInput.front();
        d.rawInput.pop_front();
        cook(in);
    }
}

bool HasPendingInput()
{
    const Desktop& d = TheDesktop();
    return !d.rawInput.empty() || !d.cookedInput.empty();
}

void InjectMouseMove(POINT screen, DWORD time)
{
    Desktop& d = TheDesktop();
    d.cursorX = screen.x;
    d.cursorY = screen.y;
    RawInput in;
    in.kind = RawInput::Kind::MouseMove;
    in.pt = screen;
    in.time = stamp(time);
    pushRaw(in);
}

void InjectMouseButton(MouseButton button, bool down, POINT screen, DWORD time)
{
    Desktop& d = TheDesktop();
    if (screen.x != d.cursorX.load() || screen.y != d.cursorY.load())
        InjectMouseMove(screen, time);
    setDown(d.asyncKeys, buttonVk(int(button)), down);
    RawInput in;
    in.kind = RawInput::Kind::Button;
    in.pt = screen;
    in.button = int(button);
    in.down = down;
    in.time = stamp(time);
    pushRaw(in);
}

void InjectKey(int vk, bool down, int scan, bool extended, DWORD time)
{
    Desktop& d = TheDesktop();
    setDown(d.asyncKeys, vk, down);
    RawInput in;
    in.kind = RawInput::Kind::Key;
    in.vk = vk & 0xff;
    in.down = down;
    in.scan = scan;
    in.extended = extended;
    in.time = stamp(time);
    pushRaw(in);
}

void InjectChar(char32_t ch, DWORD time)
{
    std::string bytes = EncodeChar(ch, GetACP());
    for (char b : bytes) {
        RawInput in;
        in.kind = RawInput::Kind::Char;
        in.byte = BYTE(b);
        in.time = stamp(time);
        pushRaw(in);
    }
}

void HostActivated(bool byClick)
{
    Desktop& d = TheDesktop();
    if (d.appActive)
        return;
    if (byClick) {
        d.clickWillActivate = true;
        return;
    }
    restoreActivation();
}

void HostDeactivated()
{
    DeactivateApp();
}

namespace {
// While boxes wait for answers: the program's own window, closed as its
// close box would close it, is the front one of its top-level windows
// that shows a caption and is not itself a box or dialog waiting for its
// answer (a splash, or a window not yet shown, has no close to offer).
HWND ownWindowBehindBoxes()
{
    for (Window* t : TheDesktop().desktop()->children)
        if (t->alive && !t->owner && (t->style & WS_VISIBLE) && (t->style & WS_CAPTION) == WS_CAPTION &&
            !RunsModalLoop(H(t)))
            return H(t);
    return nullptr;
}
}  // namespace

void HostCloseRequested()
{
    if (AnyModalLoopRuns()) {
        // Every box gives way to the close (see modal_loop.h); without a
        // window to close, the quit ends them and the program.
        if (HWND own = ownWindowBehindBoxes())
            PostMessageA(own, WM_SYSCOMMAND, SC_CLOSE, kHostCloseParam);
        else
            PostQuitMessage(0);
        return;
    }
    HWND w = GetActiveWindow() ? GetActiveWindow() : GetTopWindow(nullptr);
    while (w && GetWindow(w, GW_OWNER))
        w = GetWindow(w, GW_OWNER);
    if (!w)
        return;
    if (IsWindowEnabled(w))
        PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, kHostCloseParam);
    else
        PostQuitMessage(0);
}

namespace {
// The program's own top-level windows (not owned by another), front first.
std::vector<HWND> unownedTopLevel()
{
    std::vector<HWND> tops;
    for (Window* t : TheDesktop().desktop()->children)
        if (t->alive && !t->owner)
            tops.push_back(H(t));
    return tops;
}
}  // namespace

void FollowMinimizedWithHost()
{
    Desktop& d = TheDesktop();
    if (d.hostMinimized)
        return;
    bool anyShown = false, anyMinimized = false;
    for (Window* t : d.desktop()->children) {
        if (!t->alive || t->owner || !(t->style & WS_VISIBLE))
            continue;
        (t->style & WS_MINIMIZE ? anyMinimized : anyShown) = true;
    }
    if (!anyMinimized || anyShown)
        return;
    d.hostMinimized = true;
    TheBackend().setHostMinimized(true);
}

void FollowRestoredWithHost(const Window* w)
{
    Desktop& d = TheDesktop();
    if (!d.hostMinimized || w->parent != d.desktop() || w->owner)
        return;
    d.hostMinimized = false;
    TheBackend().setHostMinimized(false);
}

void HostMinimized()
{
    Desktop& d = TheDesktop();
    if (d.hostMinimized)
        return;
    d.hostMinimized = true;
    for (HWND h : unownedTopLevel()) {
        Window* w = d.fromHandle(h);
        if (w && (w->style & WS_VISIBLE) && (w->style & WS_MINIMIZEBOX) && !(w->style & WS_MINIMIZE))
            ShowWindow(h, SW_SHOWMINNOACTIVE);
    }
}

void HostRestored()
{
    Desktop& d = TheDesktop();
    if (!d.hostMinimized)
        return;
    d.hostMinimized = false;
    HWND first = nullptr;
    for (HWND h : unownedTopLevel()) {
        Window* w = d.fromHandle(h);
        if (w && (w->style & WS_VISIBLE) && (w->style & WS_MINIMIZE)) {
            ShowWindow(h, SW_SHOWNOACTIVATE);
            first = first ? first : h;
        }
    }
    // The front one of them comes back active, as the host window is.
    if (first && IsWindow(first) && d.appActive)
        SetActiveWindow(first);
}

void DisplayChanged(int width, int height, int bitsPerPixel)
{
    Desktop& d = TheDesktop();
    TheScreen().reset(width, height, bitsPerPixel);
    d.desktop()->rect = TheScreen().bounds();
    broadcastTopLevel(WM_DISPLAYCHANGE, WPARAM(bitsPerPixel),
                      MAKELPARAM(WORD(TheScreen().width()), WORD(TheScreen().height())));
    InvalidateScreen(Region(d.desktop()->rect));
}

Window* RememberedFocus(Window* top)
{
    Desktop& d = TheDesktop();
    Window* f = d.fromHandle(d.lastFocus);
    if (!f || !top || TopLevelOf(f) != top || !IsShown(f) || (f->style & WS_DISABLED))
        return nullptr;
    return f;
}

void NameHostAfterActiveWindow()
{
    // A nameless pop-up takes the name of the nearest owner that has one,
    // else of the topmost named window: never a blank in the desktop's task
    // list, nor the name of a box that has gone.
    Desktop& d = TheDesktop();
    const Window* named = d.fromHandle(d.active);
    while (named && named->text.empty())
        named = named->owner;
    if (!named) {
        const std::vector<Window*>& tops = d.desktop()->children;
        auto it = std::find_if(tops.begin(), tops.end(),
                               [](const Window* top) { return top->alive && IsShown(top) && !top->text.empty(); });
        named = it == tops.end() ? nullptr : *it;
    }
    if (named)
        TheBackend().setTitle(CodePageToUtf8(named->text, GetACP()));
}

void Activate(Window* w, WORD state)
{
    Desktop& d = TheDesktop();
    Window* old = d.fromHandle(d.active);
    if (w == old && (d.appActive || !w))
        return;
    bool returning = w && !d.appActive;
    if (returning) {
        d.appActive = true;
        broadcastTopLevel(WM_ACTIVATEAPP, 1, LPARAM(GetCurrentThreadId()));
    }
    if (old) {
        Send(old, WM_NCACTIVATE, 0, 0);
        if (old->alive)
            Send(old, WM_ACTIVATE, WPARAM(MAKELPARAM(WA_INACTIVE, (old->style & WS_MINIMIZE) ? 1 : 0)),
                 LPARAM(H(w)));
    }
    if (w && !w->alive)
        w = nullptr;
    d.active = H(w);
    if (!w) {
        if (d.focus)
            SetFocus(nullptr);
        return;
    }
    d.lastActive = H(w);
    NameHostAfterActiveWindow();
    SetWindowPos(H(w), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Send(w, WM_NCACTIVATE, 1, 0);
    if (w->alive)
        Send(w, WM_ACTIVATE, WPARAM(MAKELPARAM(state, (w->style & WS_MINIMIZE) ? 1 : 0)),
             LPARAM(H(old)));
    if (returning)
        giveBackFocus(w);
}

void DeactivateApp()
{
    Desktop& d = TheDesktop();
    if (!d.appActive)
        return;
    Window* old = d.fromHandle(d.active);
    Window* focus = d.fromHandle(d.focus);
    d.lastFocus = focus && TopLevelOf(focus) == old ? H(focus) : nullptr;
    if (old) {
        Send(old, WM_NCACTIVATE, 0, 0);
        if (old->alive)
            Send(old, WM_ACTIVATE, WPARAM(MAKELPARAM(WA_INACTIVE, (old->style & WS_MINIMIZE) ? 1 : 0)), 0);
        d.lastActive = H(old);
    }
    d.active = nullptr;
    d.appActive = false;
    d.clickWillActivate = false;
    broadcastTopLevel(WM_ACTIVATEAPP, 0, LPARAM(GetCurrentThreadId()));
    if (d.focus)
        SetFocus(nullptr);
    if (d.capture)
        ReleaseCapture();
}

void ForgetWindowInput(Window* w, bool capture)
{
    Desktop& d = TheDesktop();
    auto within = [w, &d](HWND h) {
        Window* x = d.fromHandle(h);
        return x && (x == w || IsDescendant(w, x));
    };
    if (within(d.focus))
        SetFocus(nullptr);
    if (capture && within(d.capture))
        ReleaseCapture();
}

HWND SetCapture(HWND hwnd)
{
    Desktop& d = TheDesktop();
    Window* w = d.fromHandle(hwnd);
    HWND old = d.capture;
    if (!w)
        return old;
    d.capture = hwnd;
    if (old && old != hwnd)
        SendMessageA(old, WM_CAPTURECHANGED, 0, LPARAM(hwnd));
    TheBackend().setHostCapture(true);
    return old;
}

BOOL ReleaseCapture()
{
    Desktop& d = TheDesktop();
    HWND old = d.capture;
    d.capture = nullptr;
    if (old) {
        SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
        TheBackend().setHostCapture(false);
    }
    return 1;
}

HWND GetCapture()
{
    return TheDesktop().capture;
}

HWND SetFocus(HWND hwnd)
{
    Desktop& d = TheDesktop();
    HWND old = d.focus;
    Window* w = nullptr;
    if (hwnd) {
        w = d.fromHandle(hwnd);
        if (!w || (w->style & WS_DISABLED) || w == d.desktop()) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        Window* top = TopLevelOf(w);
        if (top && (d.active != H(top) || !d.appActive)) {
            Activate(top, WA_ACTIVE);
            if (!w->alive)
                return nullptr;
            old = d.focus;
        }
    }
    if (old == hwnd)
        return old;
    d.focus = hwnd;
    if (old && d.fromHandle(old))
        SendMessageA(old, WM_KILLFOCUS, WPARAM(hwnd), 0);
    if (w && w->alive && d.focus == hwnd)
        Send(w, WM_SETFOCUS, WPARAM(old), 0);
    return old;
}

HWND GetFocus()
{
    return TheDesktop().focus;
}

HWND SetActiveWindow(HWND hwnd)
{
    Desktop& d = TheDesktop();
    HWND old = d.active;
    Window* w = TopLevelOf(d.fromHandle(hwnd));
    if (!w || (w->style & WS_DISABLED))
        return nullptr;
    Activate(w, WA_ACTIVE);
    return old;
}

HWND GetActiveWindow()
{
    return TheDesktop().active;
}

BOOL SetForegroundWindow(HWND hwnd)
{
    return SetActiveWindow(hwnd) || GetActiveWindow() == hwnd ? 1 : 0;
}

HWND GetForegroundWindow()
{
    Desktop& d = TheDesktop();
    return d.appActive ? d.active : nullptr;
}

BOOL GetCursorPos(POINT* point)
{
    if (!point)
        return 0;
    *point = TheDesktop().cursor();
    return 1;
}

BOOL SetCursorPos(int x, int y)
{
    RECT b = TheDesktop().desktop()->rect;
    x = std::clamp(x, int(b.left), int(b.right) - 1);
    y = std::clamp(y, int(b.top), int(b.bottom) - 1);
    InjectMouseMove({x, y});
    return 1;
}

std::int16_t GetKeyState(int vk)
{
    BYTE k = TheDesktop().keyState[size_t(vk) & 0xff];
    return std::int16_t(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

std::int16_t GetAsyncKeyState(int vk)
{
    BYTE k = TheDesktop().asyncKeys[size_t(vk) & 0xff];
    return std::int16_t((k & 0x80) ? 0x8000 : 0);
}

UINT GetDoubleClickTime()
{
    return TheDesktop().doubleClickTime;
}

UINT SetDoubleClickTime(UINT ms)
{
    UINT old = TheDesktop().doubleClickTime;
    TheDesktop().doubleClickTime = ms ? ms : 500;
    return old;
}

DWORD GetCurrentThreadId()
{
    return DWORD(syscall(SYS_gettid));
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId)
{
    if (!IsWindow(hwnd))
        return 0;
    if (processId)
        *processId = DWORD(getpid());
    // Every window belongs to the UI thread: the one that made the desktop.
    return TheDesktop().uiThreadId;
}

}  // namespace plat
