#pragma once
// The posted-message queue of the UI thread: FIFO, safe to post to from any
// thread. Input, paint and timer messages are not queued here: the desktop
// makes them when the queue is reached (see PeekMessageA).

#include <deque>
#include <mutex>
#include <optional>
#include <unordered_set>

#include "platform/core/types.h"

namespace plat {

class MessageQueue {
public:
    // False when `hwnd` is set and is not a live window, or while posts are
    // refused.
    bool post(const MSG& msg);
    // The first message for `hwnd` (and its descendants, through `matches`)
    // within [first, last]; removed when `remove`.
    template <typename Match>
    bool take(MSG* out, Match&& matches, bool remove);

    void postQuit(int exitCode);
    // The quit message once it is the next thing to deliver.
    bool takeQuit(MSG* out, bool remove);

    // Windows are registered live so that posts from any thread can check them.
    void addWindow(HWND hwnd);
    void removeWindow(HWND hwnd);  // also drops its queued messages
    bool isLive(HWND hwnd) const;

    bool empty() const;
    void clear();

    // Tests: the next `count` posts fail as a full queue would.
    void refusePosts(int count);

private:
    mutable std::mutex mutex_;
    std::deque<MSG> posted_;
    std::unordered_set<HWND> live_;
    bool quit_ = false;
    int exitCode_ = 0;
    int refused_ = 0;
};

template <typename Match>
bool MessageQueue::take(MSG* out, Match&& matches, bool remove)
{
    std::lock_guard lock(mutex_);
    for (auto it = posted_.begin(); it != posted_.end(); ++it) {
        if (!matches(*it))
            continue;
        *out = *it;
        if (remove && it == posted_.begin())
            posted_.pop_front();  // the usual case, without erase's general move
        else if (remove)
            posted_.erase(it);
        return true;
    }
    return false;
}

}  // namespace plat
