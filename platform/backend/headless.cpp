#include "platform/backend/headless.h"

#include <chrono>

#include "platform/backend/script.h"

namespace plat {

namespace {
std::shared_ptr<Clock> makeClock(bool virtualClock)
{
    if (virtualClock)
        return std::make_shared<VirtualClock>();
    return std::make_shared<RealClock>();
}
}  // namespace

HeadlessBackend::HeadlessBackend(bool virtualClock) : Backend(makeClock(virtualClock)) {}

HeadlessBackend::~HeadlessBackend() = default;

void HeadlessBackend::adoptScript(std::unique_ptr<Script> script)
{
    script_ = std::move(script);
    if (script_)
        script_->attach(*this);
    else
        idleHook_ = nullptr;
}

VirtualClock* HeadlessBackend::virtualClock()
{
    return dynamic_cast<VirtualClock*>(&clock());
}

void HeadlessBackend::wait(std::optional<std::uint64_t> deadline)
{
    ++waits_;
    {
        std::lock_guard lock(mutex_);
        if (woken_) {
            woken_ = false;
            return;
        }
    }
    if (idleHook_ && idleHook_(deadline))
        return;
    std::unique_lock lock(mutex_);
    if (VirtualClock* vc = virtualClock()) {
        if (deadline) {
            woken_ = false;
            lock.unlock();
            vc->advanceTo(*deadline);
            return;
        }
        cv_.wait(lock, [this] { return woken_; });
    } else if (deadline) {
        std::uint64_t now = clock().now();
        if (*deadline > now)
            cv_.wait_for(lock, std::chrono::milliseconds(*deadline - now), [this] { return woken_; });
    } else {
        cv_.wait(lock, [this] { return woken_; });
    }
    woken_ = false;
}

void HeadlessBackend::wake()
{
    {
        std::lock_guard lock(mutex_);
        woken_ = true;
    }
    cv_.notify_all();
}

}  // namespace plat
