#include "foundation/JxMemoryGuard.h"

#include <memory>
#include <new>

#include "foundation/JxErrorReport.h"
#include "foundation/JxStartupSettings.h"
#include "platform/fs/system_info.h"

namespace {

struct GuardState {
    std::unique_ptr<char[]> reserve;
    bool reserved = false;       // allocated once; never again after it was freed
    bool reportRunning = false;  // ReportOutOfMemory's re-entry flag
    bool handlerRunning = false;
};

GuardState& state()
{
    static GuardState s;
    return s;
}

void newHandler()
{
    GuardState& s = state();
    // A shortage while the question itself is being put (its box needs
    // memory too) cannot be answered: that allocation fails.
    if (s.handlerRunning)
        throw std::bad_alloc();
    s.handlerRunning = true;
    bool retry = false;
    try {
        retry = OutOfMemoryHandler();
    } catch (...) {
        s.handlerRunning = false;
        throw;
    }
    s.handlerRunning = false;
    if (!retry)
        throw std::bad_alloc();
}

}  // namespace

void ReserveEmergencyMemory()
{
    GuardState& s = state();
    if (!s.reserved) {
        s.reserved = true;
        s.reserve.reset(new (std::nothrow) char[kEmergencyReserveBytes]);
    }
    std::set_new_handler(&newHandler);
}

void ReleaseEmergencyMemory()
{
    state().reserve.reset();
}

void ResetMemoryGuard()
{
    state() = GuardState();
    std::set_new_handler(nullptr);
}

bool HoldsEmergencyMemory()
{
    return state().reserve != nullptr;
}

std::int32_t GetRequiredPhysicalMemory()
{
    return GetMinimumKRamSetting();
}

std::int32_t CheckPhysicalMemory()
{
    for (;;) {
        plat::MEMORYSTATUS status;
        plat::GlobalMemoryStatus(&status);
        const auto kilobytes = static_cast<std::int32_t>(status.dwTotalPhys >> 10);
        const std::int32_t required = GetRequiredPhysicalMemory();
        if (kilobytes >= required)
            return 0;
        std::int32_t answer = ReportErrorAbortRetryIgnore(kTooLittleMemoryId, kilobytes, required);
        if (answer != kAnswerRetry)
            return answer;
    }
}

std::int32_t ReportOutOfMemory()
{
    GuardState& s = state();
    ReleaseEmergencyMemory();
    if (s.reportRunning)
        return 0;
    s.reportRunning = true;
    std::int32_t answer = 0;
    try {
        answer = ReportErrorOk(kOutOfMemoryMessageId);
    } catch (...) {
        s.reportRunning = false;
        throw;
    }
    s.reportRunning = false;
    return answer;
}

bool OutOfMemoryHandler()
{
    ReleaseEmergencyMemory();
    return ReportErrorRetryCancel(kOutOfMemoryMessageId, 1024, -1) == kAnswerRetry;
}
