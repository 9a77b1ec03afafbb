#include "events/JxCNotifyRoot.h"

#include <utility>

namespace {

JxNotifyRootDeathHook& deathHook()
{
    static JxNotifyRootDeathHook hook = nullptr;
    return hook;
}

}  // namespace

JxCNotifyRoot::~JxCNotifyRoot()
{
    if (JxNotifyRootDeathHook hook = deathHook())
        hook(this);
}

void JxCNotifyRoot::OnSystemEvent(JxCTimerParams*) {}

std::int16_t JxCNotifyRoot::OnIdle(std::int32_t)
{
    return 0;
}

JxNotifyRootDeathHook SetNotifyRootDeathHook(JxNotifyRootDeathHook hook)
{
    return std::exchange(deathHook(), hook);
}
