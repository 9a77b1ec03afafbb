#pragma once
// The action processor: it owns the queued actions and runs them from
// message 1024 (WM_USER), which it posts to the main window, never from
// inside the code that queued them.
//
// The queue is a list of action lists. New actions go to the last list; a
// pass starts the first action of the last list. An action that need not be
// waited for moves to the first (background) list as it starts and plays
// on; one that must be waited for gets a list of its own at the end while
// it plays, so the rest of its former list, and whatever is queued
// meanwhile, waits behind it. When an action the processor started stops,
// the stop notification schedules the next pass; so does every queueing.
//
// The processor forgets what dies under it: an action deleted by its owner
// while queued leaves the queue, and the queued actions of a run-time object
// that dies lose their owner.

#include <cstdint>
#include <vector>

#include "events/JxCAction.h"
#include "events/JxCRunTimeObject.h"
#include "foundation/JxCList.h"

// The actions of one list of the queue. Removing an action deletes it only
// when it is a clone (its delete-when-done word is 1).
class JxCProcessActionList : public JxCTypedList<JxCAction> {
public:
    JxCProcessActionList() { SetOwnsItems(0); }
    ~JxCProcessActionList() override;

    // Removes the action, deleting it when it is a clone.
    std::int16_t RemoveAction(JxCAction* action);
    // Takes the action out without deleting it.
    std::int16_t DetachAction(JxCAction* action);
    // Removes every stopped action; the number left.
    std::int32_t PurgeStopped();
};

class JxCActionListList : public JxCTypedList<JxCProcessActionList> {
public:
    JxCActionListList() { SetOwnsItems(1); }
};

class JxCActionProcessor : public JxCRunTimeObject {
public:
    // The message that starts a pass.
    static constexpr unsigned kPassMessage = 0x0400;  // WM_USER

    JxCActionProcessor();
    // Deletes the queue (clones with it) and every registration of the
    // processor.
    ~JxCActionProcessor() override;

    // Both clear the action's stopped word and take it into the last list
    // (at its end, or at its head); null is ignored.
    void QueueAction(JxCAction* action);
    void QueueActionFirst(JxCAction* action);
    // Unless a pass is already scheduled, posts message 1024 with the
    // processor as long parameter to the main window; when the post fails
    // it dispatches the waiting messages and tries once more. Without a
    // main window nothing is scheduled.
    void SchedulePass();
    // One pass; does nothing (0) while a pass runs further up the stack
    // (an action's nested message loop).
    virtual std::int16_t Step();
    // Stops and removes every queued action but the one starting now. The
    // mode is not used.
    virtual void CancelQueue(std::int16_t mode);
    // A stop of an action this processor started: schedules the next pass.
    void Notify(JxCNotify* registration, JxCObject* sender) override;
    // Queued actions, over all lists, that are not stopped.
    std::int32_t CountPendingActions();

    bool IsPassScheduled() const { return posted_ != 0; }
    const JxCAction* GetCurrentAction() const { return current_; }
    JxCActionListList& GetQueue() { return queue_; }

    // The dying object's queued actions, and the one starting now, lose
    // their owner. Called for every processor by every dying run-time
    // object.
    void ForgetOwner(const JxCRunTimeObject* owner);
    // A queued action deleted by its owner leaves the queue.
    void ForgetAction(const JxCAction* action);

private:
    // Selects the last list with work, dropping stopped actions and empty
    // lists (never the first); true when there is work.
    bool selectCurrentList();
    bool isBlockedByPlaying(JxCAction* action);
    void runAction(JxCAction* action);
    // Moves a waiting action to a new list of its own; false when there is
    // no memory for the list.
    bool giveOwnList(JxCAction* action);
    void removeListIfEmpty(JxCProcessActionList* list);
    // An action that reports neither playing nor stopped once started would
    // be started again and again: a pass starts each action once (unless
    // it is queued again meanwhile).
    bool wasStarted(const JxCAction* action) const;
    void forgetStart(const JxCAction* action);

    JxCActionListList queue_;
    JxCAction* current_ = nullptr;
    // A pass is running (further up the stack when Step is called again).
    bool running_ = false;
    JxCProcessActionList* currentList_ = nullptr;
    std::int16_t posted_ = 0;
    std::vector<const JxCAction*> started_;
};

// Every live processor is told of dying owners and actions.
void ForgetInActionProcessors(const JxCRunTimeObject* owner);
void ForgetActionInProcessors(const JxCAction* action);
