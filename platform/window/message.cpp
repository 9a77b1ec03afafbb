// Sending, posting and taking messages.

#include "platform/audio/wave_out.h"
#include "platform/backend/backend.h"
#include "platform/clock/clock.h"
#include "platform/window/caret.h"
#include "platform/window/desktop.h"
#include "platform/window/loop_service.h"

namespace plat {

namespace {

struct Filter {
    HWND hwnd;
    UINT first;
    UINT last;

    bool admits(UINT msg) const
    {
        if (first == 0 && last == 0)
            return true;
        if (last < first)  // an inverted range admits everything, as a bad range did
            return true;
        return msg >= first && msg <= last;
    }
    bool admitsWindow(HWND target) const
    {
        if (!hwnd)
            return true;
        if (hwnd == reinterpret_cast<HWND>(-1))
            return target == nullptr;
        if (target == hwnd)
            return true;
        // Queued messages name live windows only (a window's messages go
        // with it), so the tree can be walked without asking the queue,
        // whose lock is held here.
        for (const Window* w = reinterpret_cast<const Window*>(target); w && (w->style & WS_CHILD);
             w = w->parent)
            if (w->parent == reinterpret_cast<const Window*>(hwnd))
                return true;
        return false;
    }
};

void noteTaken(Desktop& d, const MSG& m)
{
    d.messageTime = m.time;
    d.messagePos = m.pt;
}

// When the loop must look again though nothing is posted: the next timer
// (when timers may be taken), the next wave buffer to finish, the caret's
// next blink or a loop service's time.
std::optional<std::uint64_t> nextDeadline(bool timers, HWND filter)
{
    std::optional<std::uint64_t> due;
    if (timers)
        due = NextTimerDue(filter);
    if (auto wave = NextWaveOutDue())
        if (!due || *wave < *due)
            due = wave;
    if (auto blink = NextCaretBlink())
        if (!due || *blink < *due)
            due = blink;
    if (auto service = NextLoopServiceDue())
        if (!due || *service < *due)
            due = service;
    return due;
}

bool peek(MSG* out, const Filter& f, bool remove)
{
    Desktop& d = TheDesktop();
    TheBackend().poll();
    const std::uint64_t now = TheClock().now();
    BlinkCaretIfDue(now);
    ServiceWaveOut();
    RunLoopServices(now);
    if (f.hwnd && f.hwnd != reinterpret_cast<HWND>(-1) && !d.fromHandle(f.hwnd))
        return false;
    auto matches = [&f](const MSG& m) { return f.admits(m.message) && f.admitsWindow(m.hwnd); };
    if (d.queue.take(out, matches, remove)) {
        noteTaken(d, *out);
        return true;
    }
    if (TakeInputMessage(out, f.hwnd, f.first, f.last, remove)) {
        noteTaken(d, *out);
        return true;
    }
    bool anyWindow = !f.hwnd || f.hwnd == reinterpret_cast<HWND>(-1);
    if (anyWindow && f.admits(WM_QUIT) && d.queue.takeQuit(out, remove)) {
        out->time = GetTickCount();
        out->pt = d.cursor();
        noteTaken(d, *out);
        return true;
    }
    if (f.admits(WM_PAINT) && TakePaintMessage(out, f.hwnd)) {
        noteTaken(d, *out);
        return true;
    }
    if (f.admits(WM_TIMER) && TakeTimerMessage(out, f.hwnd, remove)) {
        noteTaken(d, *out);
        return true;
    }
    return false;
}

}  // namespace

LRESULT Send(Window* w, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!w || !w->alive || !w->proc)
        return 0;
    Desktop& d = TheDesktop();
    ++d.sendDepth;
    LRESULT r = w->proc(H(w), msg, wParam, lParam);
    --d.sendDepth;
    return r;
}

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window* w = TheDesktop().fromHandle(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return Send(w, msg, wParam, lParam);
}

BOOL InSendMessage()
{
    return TheDesktop().sendDepth > 0 ? 1 : 0;
}

BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Desktop& d = TheDesktop();
    if (!hwnd)
        return PostAppMessage(msg, wParam, lParam);
    MSG m{hwnd, msg, wParam, lParam, GetTickCount(), d.cursor()};
    if (!d.queue.post(m)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (std::this_thread::get_id() != d.uiThread)
        TheBackend().wake();
    return 1;
}

BOOL PostAppMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    Desktop& d = TheDesktop();
    MSG m{nullptr, msg, wParam, lParam, GetTickCount(), d.cursor()};
    d.queue.post(m);
    if (std::this_thread::get_id() != d.uiThread)
        TheBackend().wake();
    return 1;
}

void PostQuitMessage(int exitCode)
{
    TheDesktop().queue.postQuit(exitCode);
    if (std::this_thread::get_id() != TheDesktop().uiThread)
        TheBackend().wake();
}

BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    MSG local;
    if (!msg)
        msg = &local;
    return peek(msg, {hwnd, filterMin, filterMax}, (removeFlags & PM_REMOVE) != 0) ? 1 : 0;
}

BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    if (hwnd && hwnd != reinterpret_cast<HWND>(-1) && !IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return -1;
    }
    MSG local;
    if (!msg)
        msg = &local;
    Filter f{hwnd, filterMin, filterMax};
    for (;;) {
        if (peek(msg, f, true))
            return msg->message == WM_QUIT ? 0 : 1;
        auto due = nextDeadline(f.admits(WM_TIMER), hwnd);
        TheBackend().present();
        TheBackend().wait(due);
    }
}

BOOL WaitMessage()
{
    MSG m;
    if (peek(&m, {nullptr, 0, 0}, false))
        return 1;
    TheBackend().present();
    TheBackend().wait(nextDeadline(true, nullptr));
    return 1;
}

BOOL WaitMessageTimeout(UINT filterMin, UINT filterMax, DWORD timeoutMs)
{
    const Filter f{nullptr, filterMin, filterMax};
    const std::uint64_t until = TheClock().now() + timeoutMs;
    TheBackend().present();
    for (;;) {
        MSG m;
        if (peek(&m, f, false))
            return 1;
        if (TheClock().now() >= until)
            return 0;
        // Timers of the range end the wait when they fall due first.
        std::optional<std::uint64_t> due = nextDeadline(f.admits(WM_TIMER), nullptr);
        if (!due || *due > until)
            due = until;
        TheBackend().wait(due);
    }
}

BOOL TranslateMessage(const MSG* msg)
{
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return 0;
    // Printable characters come from the host's text input as their own
    // events; what is left to make here are the control characters.
    int vk = int(msg->wParam);
    int ch = -1;
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    bool alt = GetKeyState(VK_MENU) < 0;
    switch (vk) {
    case VK_RETURN: ch = ctrl ? 10 : 13; break;
    case VK_BACK: ch = ctrl ? 127 : 8; break;
    case VK_TAB: ch = 9; break;
    case VK_ESCAPE: ch = 27; break;
    default:
        if (ctrl && !alt && vk >= 'A' && vk <= 'Z')
            ch = vk - 'A' + 1;
        break;
    }
    if (ch < 0)
        return 1;
    UINT charMsg = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    MSG m{msg->hwnd, charMsg, WPARAM(ch), msg->lParam, msg->time, msg->pt};
    TheDesktop().queue.post(m);
    return 1;
}

LRESULT DispatchMessageA(const MSG* msg)
{
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        proc(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
        return 0;
    }
    Window* w = TheDesktop().fromHandle(msg->hwnd);
    if (!w)
        return 0;
    return Send(w, msg->message, msg->wParam, msg->lParam);
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

DWORD GetMessageTime()
{
    return TheDesktop().messageTime;
}

DWORD GetMessagePos()
{
    POINT p = TheDesktop().messagePos;
    return DWORD(MAKELPARAM(WORD(p.x), WORD(p.y)));
}

}  // namespace plat
