#include "events/JxCNotifyRoot.h"

#include <memory>
#include <new>
#include <utility>

#include "events/JxNotifyTables.h"

namespace {

JxNotifyRootDeathHook& deathHook()
{
    static JxNotifyRootDeathHook hook = nullptr;
    return hook;
}

JxCNotify* addTo(JxCNotifyList* list, JxCNotify::Kind kind, std::int16_t id, std::int16_t key,
                 JxCNotifyRoot* receiver, const JxCObject* sender)
{
    if (!list)
        return nullptr;
    auto* registration = new (std::nothrow) JxCNotify(kind, id, key, receiver, sender);
    if (!registration)
        return nullptr;
    if (!list->Add(registration)) {
        delete registration;
        return nullptr;
    }
    return registration;
}

}  // namespace

JxCNotifyRoot::~JxCNotifyRoot()
{
    // A receiver that forgot its registrations must not be told after it
    // has gone.
    RemoveReceiverNotifies(this);
    if (JxNotifyRootDeathHook hook = deathHook())
        hook(this);
}

void JxCNotifyRoot::PreNotify(JxCNotify*, JxCObject*) {}

void JxCNotifyRoot::Notify(JxCNotify*, JxCObject*) {}

std::int16_t JxCNotifyRoot::ReservedQuery(std::int32_t)
{
    return 0;
}

void JxCNotifyRoot::OnSystemEvent(JxCTimerParams*) {}

std::int16_t JxCNotifyRoot::OnIdle(std::int32_t)
{
    return 0;
}

std::int16_t JxCNotifyRoot::HandleMessage(JxCMessageRecord*)
{
    return 1;
}

std::int16_t JxCNotifyRoot::ReservedCheck(std::int32_t)
{
    return 1;
}

JxCNotify* JxCNotifyRoot::AddObjectNotifyBeforeEvent(std::int16_t eventId, std::int16_t key, const JxCObject* sender)
{
    return addTo(BeforeEventNotifyList(eventId), JxCNotify::kEventKind, eventId, key, this, sender);
}

JxCNotify* JxCNotifyRoot::AddObjectNotify(std::int16_t eventId, std::int16_t key, const JxCObject* sender)
{
    return addTo(AfterEventNotifyList(eventId), JxCNotify::kEventKind, eventId, key, this, sender);
}

JxCNotify* JxCNotifyRoot::AddObjectNotifyOnActionStart(std::int16_t actionTypeId, std::int16_t key,
                                                       const JxCObject* sender)
{
    return addTo(ActionStartNotifyList(actionTypeId), JxCNotify::kActionKind, actionTypeId, key, this, sender);
}

JxCNotify* JxCNotifyRoot::AddObjectNotifyOnActionStopped(std::int16_t actionTypeId, std::int16_t key,
                                                         const JxCObject* sender)
{
    return addTo(ActionStoppedNotifyList(actionTypeId), JxCNotify::kActionKind, actionTypeId, key, this, sender);
}

JxNotifyRootDeathHook SetNotifyRootDeathHook(JxNotifyRootDeathHook hook)
{
    return std::exchange(deathHook(), hook);
}
