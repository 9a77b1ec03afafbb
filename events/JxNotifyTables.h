#pragma once
// The per-id tables of the notification registry and the event dispatch:
// for every event id below LAST_EVT a before-event and an after-event list
// and a 16-bit word, for every action type id below LAST_ACT an action-start
// and an action-stopped list and a 16-bit word.
//
// They exist from the numbering of the keyword ids at start-up until the
// type registries are released at exit.

#include <cstddef>
#include <cstdint>

#include "events/JxCNotifyList.h"

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
