#pragma once
// The one millisecond clock behind tick counts, multimedia time and the time
// stamps of messages. Internally it counts in 64 bits so that deadlines never
// wrap; what the engine sees is the low 32 bits, wrapping at 2^32 as on
// Windows.
//
// Two kinds: the real clock (monotonic host time) and the virtual clock of
// the headless backend, which moves only when told to.

#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/core/types.h"

namespace plat {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on this clock's own 64-bit time line.
    virtual std::uint64_t now() const = 0;
    virtual bool isVirtual() const = 0;
};

class RealClock final : public Clock {
public:
    RealClock();
    std::uint64_t now() const override;
    bool isVirtual() const override { return false; }

private:
    std::uint64_t originNs_;
    std::uint64_t startMs_;
};

class VirtualClock final : public Clock {
public:
    explicit VirtualClock(std::uint64_t startMs = kDefaultStart) : now_(startMs) {}
    std::uint64_t now() const override { return now_.load(std::memory_order_acquire); }
    bool isVirtual() const override { return true; }

    // Time only moves forwards: setting an earlier time changes nothing.
    void advanceTo(std::uint64_t t);
    void advanceBy(std::uint64_t ms) { advanceTo(now() + ms); }

    // An arbitrary but non-zero start, so that "0 = never" stamps stay
    // distinguishable from real ones.
    static constexpr std::uint64_t kDefaultStart = 100000;

private:
    std::atomic<std::uint64_t> now_;
};

// The process's clock. Until one is installed it is a real clock. The
// reference stays valid for the life of the process, also after the clock
// is replaced.
Clock& TheClock();
// Installs a clock (null: a new real clock); the previous one is returned
// (tests put it back) and kept alive for those who still hold it.
std::shared_ptr<Clock> InstallClock(std::shared_ptr<Clock> clock);

// The engine's views of the clock.
DWORD GetTickCount();
DWORD timeGetTime();

}  // namespace plat
