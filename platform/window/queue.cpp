#include "platform/window/queue.h"

#include <algorithm>

#include "platform/window/messages.h"

namespace plat {

bool MessageQueue::post(const MSG& msg)
{
    std::lock_guard lock(mutex_);
    if (msg.hwnd && !live_.count(msg.hwnd))
        return false;
    if (refused_ > 0) {
        --refused_;
        return false;
    }
    posted_.push_back(msg);
    return true;
}

void MessageQueue::refusePosts(int count)
{
    std::lock_guard lock(mutex_);
    refused_ = count > 0 ? count : 0;
}

void MessageQueue::postQuit(int exitCode)
{
    std::lock_guard lock(mutex_);
    quit_ = true;
    exitCode_ = exitCode;
}

bool MessageQueue::takeQuit(MSG* out, bool remove)
{
    std::lock_guard lock(mutex_);
    if (!quit_)
        return false;
    *out = MSG{};
    out->message = WM_QUIT;
    out->wParam = WPARAM(exitCode_);
    if (remove)
        quit_ = false;
    return true;
}

void MessageQueue::addWindow(HWND hwnd)
{
    std::lock_guard lock(mutex_);
    live_.insert(hwnd);
}

void MessageQueue::removeWindow(HWND hwnd)
{
    std::lock_guard lock(mutex_);
    live_.erase(hwnd);
    std::erase_if(posted_, [hwnd](const MSG& m) { return m.hwnd == hwnd; });
}

bool MessageQueue::isLive(HWND hwnd) const
{
    std::lock_guard lock(mutex_);
    return live_.count(hwnd) != 0;
}

bool MessageQueue::empty() const
{
    std::lock_guard lock(mutex_);
    return posted_.empty() && !quit_;
}

void MessageQueue::clear()
{
    std::lock_guard lock(mutex_);
    posted_.clear();
    live_.clear();
    quit_ = false;
    exitCode_ = 0;
    refused_ = 0;
}

}  // namespace plat
