#pragma once
// The notification tables: for every event id below LAST_EVT a before-event
// and an after-event list and a 16-bit word, for every action type id below
// LAST_ACT an action-start and an action-stopped list and a 16-bit word.
// The lists own their registrations.
//
// They exist from the numbering of the keyword ids at start-up until the
// type registries are released at exit.
//
// Deliveries walk a copy of the list taken when they start: a receiver may
// add or remove registrations (its own or others') while it is told, and a
// registration removed meanwhile is not told.

#include <cstddef>
#include <cstdint>

#include "events/JxCNotifyList.h"

class JxCNotifyRoot;

// Makes the tables (zero-filled words, empty lists) for ids 0 ...
// actionCount - 1 and 0 ... eventCount - 1, replacing any tables there were.
void AllocateNotifyTables(std::size_t actionCount, std::size_t eventCount);
void FreeNotifyTables();
bool NotifyTablesExist();

// The list or word of an id; null for an id outside its table or when the
// tables do not exist.
JxCNotifyList* BeforeEventNotifyList(std::int16_t eventId);
JxCNotifyList* AfterEventNotifyList(std::int16_t eventId);
JxCNotifyList* ActionStartNotifyList(std::int16_t actionTypeId);
JxCNotifyList* ActionStoppedNotifyList(std::int16_t actionTypeId);
std::int16_t* EventWord(std::int16_t eventId);
std::int16_t* ActionWord(std::int16_t actionTypeId);

// Deliveries of one id with a key from a sender: PreNotify for the
// before-event and action-start tables, Notify for the others.
void NotifyBeforeEvent(std::int16_t eventId, std::int16_t key, JxCObject* sender);
void NotifyAfterEvent(std::int16_t eventId, std::int16_t key, JxCObject* sender);
void NotifyActionStart(std::int16_t actionTypeId, std::int16_t key, JxCObject* sender);
void NotifyActionStopped(std::int16_t actionTypeId, std::int16_t key, JxCObject* sender);

// Takes the registration out of both lists of its id in the two tables of
// its kind and out of its subscriber's list, and deletes it. A registration
// that no table holds is left alone (it is not the caller's to delete).
void RemoveNotify(JxCNotify* registration);
// RemoveNotify on every registration of the four tables whose receiver is
// the object.
void RemoveReceiverNotifies(const JxCNotifyRoot* receiver);
