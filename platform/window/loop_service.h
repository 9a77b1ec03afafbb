#pragma once
// Work the message loop does on the UI thread besides messages: something
// that must act at times of its own (the frames of a playing movie) or draw
// again over a window once the window has painted itself. Every look at the
// queue runs what is due, and a loop that waits for messages waits no longer
// than the earliest time a service names, so nothing has to poll.

#include <cstdint>
#include <optional>

#include "platform/core/types.h"

namespace plat {

class LoopService {
public:
    virtual ~LoopService() = default;
    // When the service next wants to run, on the clock's 64-bit time line;
    // none while it has nothing to do.
    virtual std::optional<std::uint64_t> nextDue() const = 0;
    // Does what is due at `now` (it may be called early or often).
    virtual void serviceDue(std::uint64_t now) = 0;
    // `hwnd` has just finished a paint (EndPaint).
    virtual void windowPainted(HWND hwnd) { (void)hwnd; }
};

// Services are not owned; each removes itself before it goes.
void AddLoopService(LoopService* service);
void RemoveLoopService(LoopService* service);

// For the window module and the test harness.
std::optional<std::uint64_t> NextLoopServiceDue();
void RunLoopServices(std::uint64_t now);
void NotifyWindowPainted(HWND hwnd);

}  // namespace plat
