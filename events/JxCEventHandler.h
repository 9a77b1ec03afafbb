#pragma once
// An event handler binds one event id to an action list; the handler list
// of a run-time object owns its handlers, each handler its action list.
//
// Records (big-endian):
//   handler list:  s16 count, then count handlers
//   handler:       s16 event id, then an action-list record (JxCAction.h)
// Reading stops at the first handler that fails; it is not kept, the ones
// before it are. The count is bounded by the bytes left, so a damaged count
// cannot make the reader loop on.

#include <cstdint>
#include <memory>

#include "foundation/JxCList.h"
#include "foundation/JxCTypeIds.h"

class JxCActionList;
class JxCInStrStream;
class JxCRunTimeObject;

class JxCEventHandler : public JxCObject {
public:
    JxCEventHandler();
    ~JxCEventHandler() override;
    JxCEventHandler(const JxCEventHandler&) = delete;
    JxCEventHandler& operator=(const JxCEventHandler&) = delete;

    // Reads the event id and a new action list, whose actions get the
    // owner; 0 (and no list) on failure.
    std::int16_t Load(JxCInStrStream& in, JxCRunTimeObject* owner);

    JxCEventId GetEvent() const { return event_; }
    void SetEvent(std::int16_t eventId) { event_ = JxCEventId(eventId); }
    // The actions; null until the handler is loaded. The handler owns them.
    JxCActionList* GetActions() const { return actions_.get(); }
    void SetActions(std::unique_ptr<JxCActionList> actions);

private:
    JxCEventId event_;
    std::unique_ptr<JxCActionList> actions_;
};

class JxCEventHandlerList : public JxCTypedList<JxCEventHandler> {
public:
    JxCEventHandlerList() { SetOwnsItems(1); }

    // Reads a handler-list record, appending each handler that loads;
    // 1 when all of them loaded.
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner);
    // Replaces the first handler for the same event (deleting it), or
    // appends; null is ignored. The list takes the handler over.
    void SetEventHandler(JxCEventHandler* handler);
};

// The handler-list reader under the name the definitions use.
std::int16_t JxReadEventHandlers(JxCInStrStream& in, JxCEventHandlerList& list, JxCRunTimeObject* owner);
