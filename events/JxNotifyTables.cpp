#include "events/JxNotifyTables.h"

#include <memory>
#include <vector>

namespace {

// One id family's lists and words.
struct FamilyTables {
    explicit FamilyTables(std::size_t count) : first(count), second(count), words(count, 0) {}

    std::vector<JxCNotifyList> first;
    std::vector<JxCNotifyList> second;
    std::vector<std::int16_t> words;
};

struct NotifyTables {
    NotifyTables(std::size_t actionCount, std::size_t eventCount) : actions(actionCount), events(eventCount) {}

    FamilyTables actions;  // action-start, action-stopped
    FamilyTables events;   // before-event, after-event
};

std::unique_ptr<NotifyTables>& tables()
{
    static std::unique_ptr<NotifyTables> t;
    return t;
}

template <class T>
T* at(std::vector<T>& table, std::int16_t id)
{
    return id >= 0 && static_cast<std::size_t>(id) < table.size() ? &table[static_cast<std::size_t>(id)] : nullptr;
}

FamilyTables* actionTables()
{
    return tables() ? &tables()->actions : nullptr;
}

FamilyTables* eventTables()
{
    return tables() ? &tables()->events : nullptr;
}

}  // namespace

void AllocateNotifyTables(std::size_t actionCount, std::size_t eventCount)
{
    tables() = std::make_unique<NotifyTables>(actionCount, eventCount);
}

void FreeNotifyTables()
{
    tables().reset();
}

bool NotifyTablesExist()
{
    return tables() != nullptr;
}

JxCNotifyList* BeforeEventNotifyList(std::int16_t eventId)
{
    FamilyTables* t = eventTables();
    return t ? at(t->first, eventId) : nullptr;
}

JxCNotifyList* AfterEventNotifyList(std::int16_t eventId)
{
    FamilyTables* t = eventTables();
    return t ? at(t->second, eventId) : nullptr;
}

JxCNotifyList* ActionStartNotifyList(std::int16_t actionTypeId)
{
    FamilyTables* t = actionTables();
    return t ? at(t->first, actionTypeId) : nullptr;
}

JxCNotifyList* ActionStoppedNotifyList(std::int16_t actionTypeId)
{
    FamilyTables* t = actionTables();
    return t ? at(t->second, actionTypeId) : nullptr;
}

std::int16_t* EventWord(std::int16_t eventId)
{
    FamilyTables* t = eventTables();
    return t ? at(t->words, eventId) : nullptr;
}

std::int16_t* ActionWord(std::int16_t actionTypeId)
{
    FamilyTables* t = actionTables();
    return t ? at(t->words, actionTypeId) : nullptr;
}
