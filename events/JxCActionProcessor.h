#pragma once
// The action processor: it owns the queued actions and runs them from
// message 1024 (WM_USER), which it posts to the main window, never from
// inside the code that queued them.
//
// A stand-in so far, with the real queueing, scheduling and cancelling rules
// but one plain queue: a pass runs every queued action once, in order, and
// deletes it. The action lists, waiting for actions that play, conflicts
// between media actions and the stop notifications come with the actions.

#include <cstdint>
#include <deque>
#include <memory>

#include "events/JxCAction.h"
#include "events/JxCRunTimeObject.h"

class JxCActionProcessor : public JxCRunTimeObject {
public:
    // The message that starts a pass.
    static constexpr unsigned kPassMessage = 0x0400;  // WM_USER

    JxCActionProcessor() = default;
    ~JxCActionProcessor() override;
    JxCActionProcessor(const JxCActionProcessor&) = delete;
    JxCActionProcessor& operator=(const JxCActionProcessor&) = delete;

    // Both clear the action's stopped word and take it over; null is
    // ignored.
    void QueueAction(JxCAction* action);
    void QueueActionFirst(JxCAction* action);
    // Unless a pass is already scheduled, posts message 1024 with the
    // processor as long parameter to the main window; when the post fails
    // it dispatches the waiting messages and tries once more. Without a
    // main window nothing is scheduled.
    void SchedulePass();
    // One pass; returns at once when a pass is already running further up
    // the stack (an action's nested message loop).
    std::int16_t Step();
    // Stops and drops every queued action; the running one is not queued
    // and so is kept. The mode is not used.
    void CancelQueue(std::int16_t mode);
    // Queued actions that are not stopped.
    std::int32_t CountPendingActions() const;

    bool IsPassScheduled() const { return posted_ != 0; }
    const JxCAction* GetCurrentAction() const { return current_; }

private:
    std::deque<std::unique_ptr<JxCAction>> queue_;
    JxCAction* current_ = nullptr;
    std::int16_t posted_ = 0;
};
