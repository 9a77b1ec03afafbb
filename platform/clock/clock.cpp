#include "platform/clock/clock.h"

#include <ctime>
#include <mutex>
#include <vector>

namespace plat {

namespace {

std::uint64_t monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::uint64_t(ts.tv_sec) * 1000000000u + std::uint64_t(ts.tv_nsec);
}

struct ClockSlot {
    std::mutex mutex;
    std::shared_ptr<Clock> clock = std::make_shared<RealClock>();
    // The clock the accessor hands out, read without the lock.
    std::atomic<Clock*> current{clock.get()};
    // Every clock ever replaced: a reference from TheClock() may still be in
    // use on any thread, so none is destroyed before the process ends. A
    // program replaces its clock once or twice; tests a clock per harness.
    std::vector<std::shared_ptr<Clock>> retired;
};

ClockSlot& slot()
{
    static ClockSlot s;
    return s;
}

}  // namespace

RealClock::RealClock()
    : originNs_(monotonicNs())
    // Like a machine's tick count, the real clock does not start at zero: it
    // carries on from the host's monotonic time.
    , startMs_(originNs_ / 1000000u)
{
}

std::uint64_t RealClock::now() const
{
    return startMs_ + (monotonicNs() - originNs_) / 1000000u;
}

void VirtualClock::advanceTo(std::uint64_t t)
{
    std::uint64_t cur = now_.load(std::memory_order_acquire);
    while (t > cur && !now_.compare_exchange_weak(cur, t, std::memory_order_acq_rel)) {
    }
}

Clock& TheClock()
{
    return *slot().current.load(std::memory_order_acquire);
}

std::shared_ptr<Clock> InstallClock(std::shared_ptr<Clock> clock)
{
    auto& s = slot();
    std::lock_guard lock(s.mutex);
    if (!clock)
        clock = std::make_shared<RealClock>();
    auto previous = std::move(s.clock);
    s.clock = std::move(clock);
    s.current.store(s.clock.get(), std::memory_order_release);
    if (previous != s.clock)
        s.retired.push_back(previous);
    return previous;
}

DWORD GetTickCount()
{
    return DWORD(TheClock().now());
}

DWORD timeGetTime()
{
    return DWORD(TheClock().now());
}

}  // namespace plat
