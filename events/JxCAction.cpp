#include "events/JxCAction.h"

#include <utility>

#include "events/JxCActionProcessor.h"
#include "events/JxEventLink.h"
#include "events/JxNotifyTables.h"
#include "events/JxProperties.h"
#include "foundation/JxCInStrStream.h"

namespace {

JxActionFactory& factory()
{
    static JxActionFactory f;
    return f;
}

// Hands the action to the product's processor and schedules a pass; false
// without a product (the action is then still the caller's).
bool queueOnProduct(JxCAction* action)
{
    const JxEventLink* link = GetEventLink();
    if (!link || !link->queueAction)
        return false;
    link->queueAction(action);
    link = GetEventLink();
    if (link && link->processActions)
        link->processActions();
    return true;
}

// Removes every registration of a subscription list.
void dropAll(JxCNotifyList& list)
{
    while (JxCNotify* n = list.GetFirst()) {
        RemoveNotify(n);
        // A registration no table holds any more is not ours to delete.
        if (list.FindNode(n))
            list.Remove(n);
    }
}

}  // namespace

JxActionFactory SetActionFactory(JxActionFactory f)
{
    return std::exchange(factory(), f);
}

JxCAction* CreateActionByType(std::int16_t type)
{
    JxCAction* action = factory().make ? factory().make(type) : nullptr;
    if (action)
        action->SetType(type);
    return action;
}

JxCAction* CloneAction(const JxCAction& action)
{
    return factory().copy ? factory().copy(action.GetType(), action) : nullptr;
}

JxCAction::JxCAction() = default;

JxCAction::JxCAction(const JxCAction& other) : JxCNotifyRoot(other)
{
    *this = other;
}

JxCAction& JxCAction::operator=(const JxCAction& other)
{
    if (this == &other)
        return *this;
    type_ = other.type_;
    resourceKind_ = other.resourceKind_;
    word1_ = other.word1_;
    owner_ = other.owner_;
    waiting_ = other.waiting_;
    stopped_ = other.stopped_;
    word2_ = other.word2_;
    return *this;
}

JxCAction::~JxCAction()
{
    ForgetActionInProcessors(this);
    parameter_.reset();
    dropAll(stopSubscriptions_);
    dropAll(startSubscriptions_);
}

std::int16_t JxCAction::Read(JxCInStrStream&, JxCRunTimeObject*)
{
    return 1;
}

std::int16_t JxCAction::ReservedActionQuery(std::int32_t)
{
    return 0;
}

void JxCAction::ReservedActionNotify(std::int32_t) {}

std::int16_t JxCAction::Execute()
{
    return 1;
}

std::int16_t JxCAction::ReservedActionGet()
{
    return 0;
}

std::int16_t JxCAction::HandleEvent(JxCTimerParams*)
{
    return 0;
}

std::int32_t JxCAction::GetPosition()
{
    return 0;
}

std::int16_t JxCAction::Trigger(std::int16_t flag)
{
    if (flag)
        return Post();
    return queueOnProduct(this) ? 1 : 0;
}

std::int16_t JxCAction::Post()
{
    std::unique_ptr<JxCAction> clone(CloneAction(*this));
    if (!clone)
        return 0;
    clone->CopySubscriptions(*this);
    if (!queueOnProduct(clone.get()))
        return 0;
    clone.release();  // the processor's now
    return 1;
}

std::int16_t JxCAction::Resume()
{
    return 0;
}

void JxCAction::ReservedActionVoid() {}

std::int16_t JxCAction::OnResourceStopped()
{
    return 1;
}

std::int16_t JxCAction::ReservedActionAccept()
{
    return 1;
}

std::int16_t JxCAction::Stop()
{
    SetStopped(1);
    return 1;
}

std::int32_t JxCAction::GetLength()
{
    return 0;
}

std::int16_t JxCAction::IsPlaying()
{
    return executing_;
}

std::int16_t JxCAction::IsPaused()
{
    return 0;
}

std::int16_t JxCAction::IsStopped()
{
    return stopped_;
}

std::int16_t JxCAction::IsWaiting()
{
    return waiting_;
}

std::int16_t JxCAction::UsesResource(std::int16_t, std::int16_t)
{
    return 0;
}

void JxCAction::SetStopped(std::int16_t value)
{
    if (!value) {
        stopped_ = 0;
        return;
    }
    if (stopped_)
        return;
    stopped_ = value;
    NotifyActionStopped(type_, resourceKind_, this);
}

std::int16_t JxCAction::Rewind(std::int32_t)
{
    return 0;
}

std::int16_t JxCAction::Register(JxCRunTimeObject*)
{
    return 0;
}

std::int16_t JxCAction::Unregister(JxCRunTimeObject*)
{
    return 1;
}

std::int16_t JxCAction::HandleResourceEvent(JxCTimerParams*)
{
    return 1;
}

std::int16_t JxCAction::Describe(JxCString&)
{
    return 1;
}

std::int16_t JxCAction::SetParameterText(const JxCString&)
{
    return kPropertyMissing;
}

std::int16_t JxCAction::IsMediaAction()
{
    return 0;
}

JxCResourceObject* JxCAction::GetResource()
{
    return nullptr;
}

std::int16_t JxCAction::Run()
{
    NotifyActionStart(type_, resourceKind_, this);
    failed_ = 0;
    executing_ = 1;
    const std::int16_t result = Execute();
    executing_ = 0;
    if (!result)
        failed_ = 1;
    if (failed_ || !IsPlaying())
        SetStopped(1);
    return failed_ ? 0 : 1;
}

void JxCAction::ClearFlagIfNotPlaying()
{
    if (!IsPlaying())
        waiting_ = 0;
}

std::int16_t JxCAction::subscribe(JxCNotifyList& list, JxCNotifyRoot* receiver, bool stop)
{
    if (!receiver)
        return 0;
    if (FindNotifyByReceiver(list, receiver))
        return 1;
    JxCNotify* n = stop ? receiver->AddObjectNotifyOnActionStopped(type_, resourceKind_, this)
                        : receiver->AddObjectNotifyOnActionStart(type_, resourceKind_, this);
    if (!n)
        return 0;
    if (!list.Add(n)) {
        RemoveNotify(n);
        return 0;
    }
    n->SetSubscriber(this);
    return 1;
}

void JxCAction::unsubscribe(JxCNotifyList& list, const JxCNotifyRoot* receiver)
{
    if (JxCNotify* n = FindNotifyByReceiver(list, receiver))
        RemoveNotify(n);
}

std::int16_t JxCAction::AddStopReceiver(JxCNotifyRoot* receiver)
{
    return subscribe(stopSubscriptions_, receiver, true);
}

std::int16_t JxCAction::AddStartReceiver(JxCNotifyRoot* receiver)
{
    return subscribe(startSubscriptions_, receiver, false);
}

void JxCAction::UnsubscribeStop(const JxCNotifyRoot* receiver)
{
    unsubscribe(stopSubscriptions_, receiver);
}

void JxCAction::UnsubscribeStart(const JxCNotifyRoot* receiver)
{
    unsubscribe(startSubscriptions_, receiver);
}

void JxCAction::CopySubscriptions(const JxCAction& other)
{
    // The other's lists are walked by node: they are not this action's, and
    // registering may not disturb them.
    for (auto [from, stop] : {std::pair{&other.stopSubscriptions_, true}, {&other.startSubscriptions_, false}}) {
        for (std::int32_t i = 0; i < from->GetCount(); ++i)
            if (JxCNotify* n = from->GetAt(i))
                subscribe(stop ? stopSubscriptions_ : startSubscriptions_, n->GetReceiver(), stop);
    }
    deleteWhenDone_ = 1;
}

void JxCAction::ForgetSubscription(JxCNotify* registration)
{
    for (JxCNotifyList* list : {&stopSubscriptions_, &startSubscriptions_})
        while (list->FindNode(registration))
            list->Remove(registration);
}

std::int16_t JxCActionList::ReadBinary(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    std::int16_t count = 0;
    if (!in.ReadBigEndian16(count))
        return 0;
    // Each action takes at least its type id.
    if (count > 0 && std::uint32_t(count) > in.Remaining() / 2)
        return 0;
    std::int16_t result = 1;
    for (std::int16_t i = 0; i < count; ++i) {
        JxCActionTypeId type;
        if (!in.ReadActionTypeId(type))
            return 0;
        std::unique_ptr<JxCAction> action(CreateActionByType(type));
        if (!action) {
            result = 0;
            continue;
        }
        if (action->Read(in, owner) && Add(action.get()))
            action.release();
        else
            result = 0;
        if (in.Fail())
            return 0;
    }
    return result;
}

std::int16_t JxCActionList::Equals(JxCActionList& other)
{
    if (GetCount() != other.GetCount())
        return 0;
    for (std::int32_t i = 0; i < GetCount(); ++i) {
        const JxCAction* a = GetAt(i);
        const JxCAction* b = other.GetAt(i);
        if (a->GetType() != b->GetType())
            return 0;
        if (!factory().equal || !factory().equal(a->GetType(), a, b))
            return 0;
    }
    return 1;
}
