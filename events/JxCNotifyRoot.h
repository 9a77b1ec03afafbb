#pragma once
// The base of every object that takes part in notifications, and the one
// kind of object that the product's timers and its media role serve.
//
// An object registers itself as the receiver of notifications with the
// Add... operations below; the registrations live in the global tables
// (events/JxNotifyTables.h), which own them. A receiver that dies with
// registrations left loses them as it goes, so no delivery reaches it
// afterwards.
//
// Holders that keep plain pointers to notify roots (the product's timer
// table and media owner) install a hook that every notify root calls as it
// dies, so that they forget it.

#include <cstdint>

#include "events/JxCTimerParams.h"
#include "foundation/JxCObject.h"

class JxCNotify;

// A message that the send-message action hands to an object: two 32-bit
// values whose meaning is the receiver's.
struct JxCMessageRecord {
    std::int32_t first = 0;
    std::int32_t second = 0;
};

class JxCNotifyRoot : public JxCObject {
public:
    JxCNotifyRoot() = default;
    JxCNotifyRoot(const JxCNotifyRoot&) = default;
    JxCNotifyRoot& operator=(const JxCNotifyRoot&) = default;
    ~JxCNotifyRoot() override;

    // A before-event or action-start delivery of one of this object's
    // registrations, from sender.
    virtual void PreNotify(JxCNotify* registration, JxCObject* sender);
    // An after-event or action-stopped delivery.
    virtual void Notify(JxCNotify* registration, JxCObject* sender);
    virtual std::int16_t ReservedQuery(std::int32_t value);
    // A timer tick or a wave-output completion for this object.
    virtual void OnSystemEvent(JxCTimerParams* record);
    // Idle time; non-zero: more idle calls are wanted.
    virtual std::int16_t OnIdle(std::int32_t count);
    // A message from the send-message action; 1 = handled.
    virtual std::int16_t HandleMessage(JxCMessageRecord* message);
    virtual std::int16_t ReservedCheck(std::int32_t value);

    // Registrations of this object as receiver, in the table of their kind
    // under the id: key 0 takes every key, another key only deliveries with
    // that key; a sender filter takes only that sender's deliveries. Each
    // returns the new registration, or null when the tables do not exist or
    // the id is outside them.
    JxCNotify* AddObjectNotifyBeforeEvent(std::int16_t eventId, std::int16_t key, const JxCObject* sender);
    JxCNotify* AddObjectNotify(std::int16_t eventId, std::int16_t key, const JxCObject* sender);
    JxCNotify* AddObjectNotifyOnActionStart(std::int16_t actionTypeId, std::int16_t key, const JxCObject* sender);
    JxCNotify* AddObjectNotifyOnActionStopped(std::int16_t actionTypeId, std::int16_t key, const JxCObject* sender);
};

// Called with every notify root that is being destroyed (from the base
// destructor, so the object is no longer of its derived class). One hook;
// installing returns the previous one; null uninstalls.
using JxNotifyRootDeathHook = void (*)(JxCNotifyRoot* dying);
JxNotifyRootDeathHook SetNotifyRootDeathHook(JxNotifyRootDeathHook hook);
