#include "events/JxNotifyTables.h"

#include <memory>
#include <utility>
#include <vector>

#include "events/JxCNotifyRoot.h"

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

// Never destroyed: a process that ends in the middle of its work (exit()
// from deep inside) runs static destructors in no order of ours, and the
// objects that go then still take themselves out of the tables.
std::unique_ptr<NotifyTables>& tables()
{
    static auto* t = new std::unique_ptr<NotifyTables>;
    return *t;
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

namespace {

// A registration as a delivery saw it when it started.
struct Entry {
    JxCNotify* registration;
    std::uint64_t serial;
};

std::vector<Entry> snapshot(JxCNotifyList& list)
{
    std::vector<Entry> entries;
    entries.reserve(std::size_t(list.GetCount()));
    for (JxCNotify* n = list.GetFirst(); n; n = list.GetNext(n))
        entries.push_back({n, n->GetSerial()});
    return entries;
}

// Still held by the list (so alive), and the same registration.
bool stillThere(JxCNotifyList* list, const Entry& entry)
{
    return list && list->FindNode(entry.registration) && entry.registration->GetSerial() == entry.serial;
}

enum class Call { Pre, Post };

// The list is looked up again after each receiver: the tables may have been
// freed meanwhile.
void deliver(JxCNotifyList* (*listOf)(std::int16_t), std::int16_t id, std::int16_t key, JxCObject* sender,
             Call call)
{
    JxCNotifyList* list = listOf(id);
    if (!list || list->IsEmpty())
        return;
    for (const Entry& entry : snapshot(*list)) {
        list = listOf(id);
        if (!stillThere(list, entry) || !entry.registration->Accepts(key, sender))
            continue;
        JxCNotifyRoot* receiver = entry.registration->GetReceiver();
        if (!receiver)
            continue;
        if (call == Call::Pre)
            receiver->PreNotify(entry.registration, sender);
        else
            receiver->Notify(entry.registration, sender);
    }
}

// The two lists a registration of its kind may sit in.
std::pair<JxCNotifyList*, JxCNotifyList*> listsOf(const JxCNotify& n)
{
    if (n.IsEventNotify())
        return {BeforeEventNotifyList(n.GetTypeId()), AfterEventNotifyList(n.GetTypeId())};
    return {ActionStartNotifyList(n.GetTypeId()), ActionStoppedNotifyList(n.GetTypeId())};
}

void removeReceiverFrom(std::vector<JxCNotifyList>& lists, const JxCNotifyRoot* receiver)
{
    for (JxCNotifyList& list : lists) {
        JxCNotify* n = list.GetFirst();
        while (n) {
            JxCNotify* next = list.GetNext(n);
            if (n->GetReceiver() == receiver)
                list.Remove(n);
            n = next;
        }
    }
}

}  // namespace

void NotifyBeforeEvent(std::int16_t eventId, std::int16_t key, JxCObject* sender)
{
    deliver(&BeforeEventNotifyList, eventId, key, sender, Call::Pre);
}

void NotifyAfterEvent(std::int16_t eventId, std::int16_t key, JxCObject* sender)
{
    deliver(&AfterEventNotifyList, eventId, key, sender, Call::Post);
}

void NotifyActionStart(std::int16_t actionTypeId, std::int16_t key, JxCObject* sender)
{
    deliver(&ActionStartNotifyList, actionTypeId, key, sender, Call::Pre);
}

void NotifyActionStopped(std::int16_t actionTypeId, std::int16_t key, JxCObject* sender)
{
    deliver(&ActionStoppedNotifyList, actionTypeId, key, sender, Call::Post);
}

void RemoveNotify(JxCNotify* registration)
{
    if (!registration)
        return;
    auto [first, second] = listsOf(*registration);
    // The owning list deletes it; the registration unlinks itself from its
    // subscriber as it goes.
    for (JxCNotifyList* list : {first, second})
        if (list && list->FindNode(registration)) {
            list->Remove(registration);
            return;
        }
}

void RemoveReceiverNotifies(const JxCNotifyRoot* receiver)
{
    if (!tables() || !receiver)
        return;
    for (FamilyTables* family : {actionTables(), eventTables()}) {
        removeReceiverFrom(family->first, receiver);
        removeReceiverFrom(family->second, receiver);
    }
}
