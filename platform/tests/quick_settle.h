#pragma once
// Disc folders and files that count as settled (platform/fs/folder_listing.h)
// after a short wait instead of two seconds, for tests of what is kept
// from a disc. A change made a moment ago must still count as unsettled,
// so the wait cannot be shorter than a test's few steps may take.

#include <chrono>
#include <thread>

#include "platform/fs/folder_listing.h"

namespace plat::testing {

class QuickSettle {
public:
    static constexpr std::chrono::milliseconds kPeriod{400};

    QuickSettle() : before_(SetSettlePeriod(kPeriod)) {}
    ~QuickSettle() { SetSettlePeriod(before_); }
    QuickSettle(const QuickSettle&) = delete;
    QuickSettle& operator=(const QuickSettle&) = delete;

    // Waits until whatever changed before the call has settled.
    static void wait() { std::this_thread::sleep_for(kPeriod + std::chrono::milliseconds(20)); }

private:
    std::chrono::nanoseconds before_;
};

}  // namespace plat::testing
