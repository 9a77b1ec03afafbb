#pragma once
// The base of every object that takes part in notifications, and the one
// kind of object that the product's timers and its media role serve.
//
// Built so far are the two operations through which the product reaches its
// clients (OnSystemEvent for a timer tick or a wave completion, OnIdle for
// idle time) and the death notice: holders that keep plain pointers to
// notify roots (the product's timer table and media owner) install a hook
// that every notify root calls as it dies, so that they forget it. The
// notification operations proper come with the notifications.

#include <cstdint>

#include "events/JxCTimerParams.h"
#include "foundation/JxCObject.h"

class JxCNotifyRoot : public JxCObject {
public:
    JxCNotifyRoot() = default;
    JxCNotifyRoot(const JxCNotifyRoot&) = default;
    JxCNotifyRoot& operator=(const JxCNotifyRoot&) = default;
    ~JxCNotifyRoot() override;

    // A timer tick or a wave-output completion for this object.
    virtual void OnSystemEvent(JxCTimerParams* record);
    // Idle time; non-zero: more idle calls are wanted.
    virtual std::int16_t OnIdle(std::int32_t count);
};

// Called with every notify root that is being destroyed (from the base
// destructor, so the object is no longer of its derived class). One hook;
// installing returns the previous one; null uninstalls.
using JxNotifyRootDeathHook = void (*)(JxCNotifyRoot* dying);
JxNotifyRootDeathHook SetNotifyRootDeathHook(JxNotifyRootDeathHook hook);
