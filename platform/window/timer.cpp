// Window timers: WM_TIMER is made when the queue has nothing else and a
// timer is due; a timer never has more than one WM_TIMER outstanding, and a
// late one is not caught up with a burst.

#include <algorithm>

#include "platform/clock/clock.h"
#include "platform/window/desktop.h"

namespace plat {

namespace {
constexpr UINT kMinimumInterval = 10;
constexpr UINT kMaximumInterval = 0x7fffffff;

bool admits(HWND filter, HWND target)
{
    if (!filter)
        return true;
    if (filter == reinterpret_cast<HWND>(-1))
        return target == nullptr;
    return target == filter || IsChild(filter, target);
}
}  // namespace

std::uintptr_t SetTimer(HWND hwnd, std::uintptr_t id, UINT elapseMs, TIMERPROC proc)
{
    Desktop& d = TheDesktop();
    if (hwnd && !d.fromHandle(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    UINT interval = std::clamp(elapseMs, kMinimumInterval, kMaximumInterval);
    std::uint64_t due = TheClock().now() + interval;
    if (!hwnd) {
        auto it = std::find_if(d.timers.begin(), d.timers.end(),
                               [id](const Timer& t) { return !t.hwnd && t.id == id; });
        if (id == 0 || it == d.timers.end()) {
            id = d.nextThreadTimerId++;
            d.timers.push_back({nullptr, id, interval, proc, due});
        } else {
            *it = {nullptr, id, interval, proc, due};
        }
        return id;
    }
    for (Timer& t : d.timers) {
        if (t.hwnd == hwnd && t.id == id) {
            t = {hwnd, id, interval, proc, due};
            return id ? id : 1;
        }
    }
    d.timers.push_back({hwnd, id, interval, proc, due});
    return id ? id : 1;
}

BOOL KillTimer(HWND hwnd, std::uintptr_t id)
{
    auto& timers = TheDesktop().timers;
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == timers.end())
        return 0;
    timers.erase(it);
    return 1;
}

void KillWindowTimers(HWND hwnd)
{
    std::erase_if(TheDesktop().timers, [hwnd](const Timer& t) { return t.hwnd == hwnd; });
}

std::optional<std::uint64_t> NextTimerDue(HWND filter)
{
    std::optional<std::uint64_t> next;
    for (const Timer& t : TheDesktop().timers)
        if (admits(filter, t.hwnd) && (!next || t.due < *next))
            next = t.due;
    return next;
}

bool TakeTimerMessage(MSG* out, HWND filter, bool remove)
{
    Desktop& d = TheDesktop();
    std::uint64_t now = TheClock().now();
    Timer* best = nullptr;
    for (Timer& t : d.timers)
        if (t.due <= now && admits(filter, t.hwnd) && (!best || t.due < best->due))
            best = &t;
    if (!best)
        return false;
    *out = MSG{best->hwnd, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc), DWORD(now),
               d.cursor()};
    if (remove)
        best->due = now + best->interval;
    return true;
}

}  // namespace plat
