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

FamilyTables* actionTables()
{
    return tables() ? &tables()->actions : nullptr;
}

FamilyTables* eventTables()
{
    return tables() ? &tables()->events : nullptr;
}

// The entry of the id in one table of the family; null without tables or
// for an id outside the table.
template <class T>
T* entry(FamilyTables* family, std::vector<T> FamilyTables::*table, std::int16_t id)
{
    if (!family || id < 0)
        return nullptr;
    std::vector<T>& t = family->*table;
    return static_cast<std::size_t>(id) < t.size() ? &t[static_cast<std::size_t>(id)] : nullptr;
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
    return entry(eventTables(), &FamilyTables::first, eventId);
}

JxCNotifyList* AfterEventNotifyList(std::int16_t eventId)
{
    return entry(eventTables(), &FamilyTables::second, eventId);
}

JxCNotifyList* ActionStartNotifyList(std::int16_t actionTypeId)
{
    return entry(actionTables(), &FamilyTables::first, actionTypeId);
}

JxCNotifyList* ActionStoppedNotifyList(std::int16_t actionTypeId)
{
    return entry(actionTables(), &FamilyTables::second, actionTypeId);
}

std::int16_t* EventWord(std::int16_t eventId)
{
    return entry(eventTables(), &FamilyTables::words, eventId);
}

std::int16_t* ActionWord(std::int16_t actionTypeId)
{
    return entry(actionTables(), &FamilyTables::words, actionTypeId);
}
