#pragma once
// The base of the actions that event handlers post and the action processor
// runs, and the owning list of a handler's actions.
//
// Posting an action queues a clone of it on the product's processor (the
// handler keeps its own and can fire again); Trigger(0) queues the action
// itself, which its owner must then keep alive until it has stopped. The
// processor starts an action with Run, which tells the action-start
// receivers, runs Execute and, unless the action plays on, marks it
// stopped; SetStopped tells the action-stopped receivers, among them the
// processor, which then schedules its next pass.
//
// Actions are made by their 16-bit type id through the action factory that
// the layer holding the keyword tables installs (SetActionFactory).
//
// Action-list record (big-endian): s16 count, then per action its s16 type
// id and the action's own record (its Read).

#include <cstdint>
#include <memory>

#include "events/JxCNotifyList.h"
#include "events/JxCNotifyRoot.h"
#include "foundation/JxCList.h"
#include "foundation/JxCString.h"
#include "foundation/JxCTypeIds.h"

class JxCInStrStream;
class JxCResourceObject;
class JxCRunTimeObject;

class JxCAction : public JxCNotifyRoot {
public:
    JxCAction();
    // Copies what operator= copies; a copy starts with no subscriptions,
    // no parameter object and is not a clone to delete.
    JxCAction(const JxCAction& other);
    // Type, resource kind, owner, waiting and stopped words and the two
    // words kept for the classes; not the running state, the parameter
    // object, the subscriptions or the delete-when-done word.
    JxCAction& operator=(const JxCAction& other);
    // Deletes the parameter object and removes every subscription.
    ~JxCAction() override;

    // Reads the action's own record; the base reads nothing.
    virtual std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner);
    virtual std::int16_t ReservedActionQuery(std::int32_t value);
    virtual void ReservedActionNotify(std::int32_t value);
    // Does what the action does; 1 = success. Every action class supplies
    // it; the base does nothing and succeeds.
    virtual std::int16_t Execute();
    virtual std::int16_t ReservedActionGet();
    virtual std::int16_t HandleEvent(JxCTimerParams* record);
    virtual std::int32_t GetPosition();
    // 0: queues this action itself and schedules a pass (1). Otherwise Post.
    virtual std::int16_t Trigger(std::int16_t flag);
    // Queues a clone with this action's subscriptions and schedules a pass;
    // 0 when no clone can be made.
    virtual std::int16_t Post();
    virtual std::int16_t Resume();
    virtual void ReservedActionVoid();
    virtual std::int16_t OnResourceStopped();
    virtual std::int16_t ReservedActionAccept();
    // SetStopped (1), 1.
    virtual std::int16_t Stop();
    virtual std::int32_t GetLength();
    // The base plays only while Execute runs.
    virtual std::int16_t IsPlaying();
    virtual std::int16_t IsPaused();
    virtual std::int16_t IsStopped();
    // Whether the processor holds the rest of the list while this plays.
    virtual std::int16_t IsWaiting();
    // Whether this action would use the media of a playing action of that
    // type and resource kind.
    virtual std::int16_t UsesResource(std::int16_t actionTypeId, std::int16_t resourceKind);
    // 0 clears the stopped word. A non-zero value, unless already stopped,
    // is stored and the action-stopped receivers are told (key: resource
    // kind, sender: this action).
    virtual void SetStopped(std::int16_t value);
    virtual std::int16_t Rewind(std::int32_t position);
    virtual std::int16_t Register(JxCRunTimeObject* owner);
    virtual std::int16_t Unregister(JxCRunTimeObject* owner);
    virtual std::int16_t HandleResourceEvent(JxCTimerParams* record);
    // Appends a description of the action; the base appends nothing.
    virtual std::int16_t Describe(JxCString& text);
    // A JxPropertyResult code; the base has no parameter text (1).
    virtual std::int16_t SetParameterText(const JxCString& text);
    virtual std::int16_t IsMediaAction();
    virtual JxCResourceObject* GetResource();

    // The processor's start of the action: start notifications, Execute,
    // stopped unless it plays on; 1 when Execute succeeded.
    std::int16_t Run();
    // Clears the waiting word unless the action plays.
    void ClearFlagIfNotPlaying();

    // Subscriptions: the receiver is registered in the action-stopped (or
    // action-start) table for this action's type, keyed by its resource
    // kind and filtered to this action as sender, once per receiver. 1, or
    // 0 for a null receiver or a failed registration.
    std::int16_t AddStopReceiver(JxCNotifyRoot* receiver);
    std::int16_t AddStartReceiver(JxCNotifyRoot* receiver);
    // Removes (and deletes) the receiver's registration.
    void UnsubscribeStop(const JxCNotifyRoot* receiver);
    void UnsubscribeStart(const JxCNotifyRoot* receiver);
    // Subscribes this action's receivers of the other's lists and marks
    // this action a clone for the processor to delete.
    void CopySubscriptions(const JxCAction& other);
    // The tables are deleting a registration this action listed.
    void ForgetSubscription(JxCNotify* registration);
    const JxCNotifyList& GetStopSubscriptions() const { return stopSubscriptions_; }
    const JxCNotifyList& GetStartSubscriptions() const { return startSubscriptions_; }

    JxCActionTypeId GetType() const { return type_; }
    void SetType(std::int16_t type) { type_ = JxCActionTypeId(type); }
    JxCResourceTypeId GetResourceKind() const { return resourceKind_; }
    void SetResourceKind(std::int16_t kind) { resourceKind_ = JxCResourceTypeId(kind); }
    JxCRunTimeObject* GetOwner() const { return owner_; }
    void SetOwner(JxCRunTimeObject* owner) { owner_ = owner; }
    std::int16_t IsExecuting() const { return executing_; }
    std::int16_t HasFailed() const { return failed_; }
    void SetWaiting(std::int16_t waiting) { waiting_ = waiting; }
    std::int16_t GetDeleteWhenDone() const { return deleteWhenDone_; }
    void SetDeleteWhenDone(std::int16_t flag) { deleteWhenDone_ = flag; }
    JxCObject* GetParameterObject() const { return parameter_.get(); }
    void SetParameterObject(std::unique_ptr<JxCObject> parameter) { parameter_ = std::move(parameter); }

private:
    std::int16_t subscribe(JxCNotifyList& list, JxCNotifyRoot* receiver, bool stop);
    void unsubscribe(JxCNotifyList& list, const JxCNotifyRoot* receiver);

    JxCActionTypeId type_;
    JxCResourceTypeId resourceKind_;
    std::int16_t word1_ = 0;
    JxCRunTimeObject* owner_ = nullptr;
    std::int16_t word2_ = 1;
    std::int16_t word3_ = 0;
    std::int16_t stopped_ = 0;
    std::int16_t executing_ = 0;
    std::int16_t failed_ = 0;
    std::int16_t waiting_ = 1;
    std::int16_t deleteWhenDone_ = 0;
    std::unique_ptr<JxCObject> parameter_;
    JxCNotifyList stopSubscriptions_{0};
    JxCNotifyList startSubscriptions_{0};
};

// A handler's actions; the list owns them.
class JxCActionList : public JxCTypedList<JxCAction> {
public:
    JxCActionList() { SetOwnsItems(1); }

    // Reads an action-list record. An action whose type makes nothing, or
    // whose record fails, is not kept and makes the result 0, but reading
    // goes on with the next one; a stream that fails ends it. The count is
    // bounded by the bytes left.
    std::int16_t ReadBinary(JxCInStrStream& in, JxCRunTimeObject* owner);
    // Same count, and the actions at each position of the same type and
    // equal field by field.
    std::int16_t Equals(JxCActionList& other);
};

// The action factory, installed by the layer that holds the keyword tables
// and the classes; without one nothing is made.
struct JxActionFactory {
    JxCAction* (*make)(std::int16_t type) = nullptr;
    JxCAction* (*copy)(std::int16_t type, const JxCAction& source) = nullptr;
    bool (*equal)(std::int16_t type, const JxCAction* a, const JxCAction* b) = nullptr;
};
JxActionFactory SetActionFactory(JxActionFactory factory);

// A new action of the type with its type set, or null.
JxCAction* CreateActionByType(std::int16_t type);
// A copy made by the class of the action's type, or null.
JxCAction* CloneAction(const JxCAction& action);
