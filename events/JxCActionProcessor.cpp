#include "events/JxCActionProcessor.h"

#include <algorithm>
#include <new>
#include <vector>

#include "events/JxNotifyTables.h"
#include "foundation/JxProductLink.h"
#include "platform/window/window.h"

namespace {

std::vector<JxCActionProcessor*>& liveProcessors()
{
    // Never destroyed: a processor may outlive static destruction order.
    static auto* processors = new std::vector<JxCActionProcessor*>;
    return *processors;
}

// The items of a list as they are now; a walk over the copy checks each
// item is still held before it touches it.
template <class T>
std::vector<T*> itemsOf(JxCTypedList<T>& list)
{
    std::vector<T*> items;
    items.reserve(std::size_t(list.GetCount()));
    for (std::int32_t i = 0; i < list.GetCount(); ++i)
        items.push_back(list.GetAt(i));
    return items;
}

}  // namespace

// --- JxCProcessActionList ----------------------------------------------------

JxCProcessActionList::~JxCProcessActionList()
{
    while (JxCAction* action = GetFirst())
        RemoveAction(action);
}

std::int16_t JxCProcessActionList::RemoveAction(JxCAction* action)
{
    if (!FindNode(action))
        return 0;
    SetOwnsItems(action->GetDeleteWhenDone() ? 1 : 0);
    const std::int16_t removed = Remove(action);
    SetOwnsItems(0);
    return removed;
}

std::int16_t JxCProcessActionList::DetachAction(JxCAction* action)
{
    SetOwnsItems(0);
    return Remove(action);
}

std::int32_t JxCProcessActionList::PurgeStopped()
{
    for (JxCAction* action : itemsOf(*this))
        if (FindNode(action) && action->IsStopped())
            RemoveAction(action);
    return GetCount();
}

// --- JxCActionProcessor ------------------------------------------------------

JxCActionProcessor::JxCActionProcessor()
{
    queue_.Add(new JxCProcessActionList);
    liveProcessors().push_back(this);
}

JxCActionProcessor::~JxCActionProcessor()
{
    auto& live = liveProcessors();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    current_ = nullptr;
    currentList_ = nullptr;
    queue_.RemoveAll();
    RemoveReceiverNotifies(this);
}

bool JxCActionProcessor::wasStarted(const JxCAction* action) const
{
    return std::find(started_.begin(), started_.end(), action) != started_.end();
}

void JxCActionProcessor::forgetStart(const JxCAction* action)
{
    started_.erase(std::remove(started_.begin(), started_.end(), action), started_.end());
}

void JxCActionProcessor::QueueAction(JxCAction* action)
{
    if (!action)
        return;
    forgetStart(action);
    action->SetStopped(0);
    queue_.GetLast()->Add(action);
}

void JxCActionProcessor::QueueActionFirst(JxCAction* action)
{
    if (!action)
        return;
    forgetStart(action);
    action->SetStopped(0);
    queue_.GetLast()->AddHead(action);
}

void JxCActionProcessor::SchedulePass()
{
    plat::HWND window = ProductMainWindow();
    if (posted_ || !window || !plat::IsWindow(window))
        return;
    const auto lParam = reinterpret_cast<plat::LPARAM>(this);
    if (!plat::PostMessageA(window, kPassMessage, 0, lParam)) {
        // The queue is full: serve what waits, then try once more.
        plat::MSG msg;
        while (plat::PeekMessageA(&msg, nullptr, 0, 0, plat::PM_REMOVE)) {
            if (msg.message == plat::WM_QUIT) {
                plat::PostQuitMessage(int(msg.wParam));
                break;
            }
            plat::TranslateMessage(&msg);
            plat::DispatchMessageA(&msg);
        }
        if (!plat::PostMessageA(window, kPassMessage, 0, lParam))
            return;
    }
    posted_ = 1;
}

bool JxCActionProcessor::selectCurrentList()
{
    for (;;) {
        currentList_ = queue_.GetLast();
        if (!currentList_)
            return false;
        if (currentList_->PurgeStopped() > 0 || queue_.GetCount() < 2)
            break;
        queue_.Remove(currentList_);
    }
    JxCProcessActionList* background = queue_.GetFirst();
    if (background != currentList_)
        background->PurgeStopped();
    return currentList_ && !currentList_->IsEmpty();
}

bool JxCActionProcessor::isBlockedByPlaying(JxCAction* action)
{
    for (JxCProcessActionList* list = queue_.GetFirst(); list; list = queue_.GetNext(list))
        for (std::int32_t i = 0; i < list->GetCount(); ++i) {
            JxCAction* queued = list->GetAt(i);
            if (queued != action && queued->IsPlaying() &&
                action->UsesResource(queued->GetType(), queued->GetResourceKind()))
                return true;
        }
    return false;
}

void JxCActionProcessor::removeListIfEmpty(JxCProcessActionList* list)
{
    // The background list stays whatever it holds.
    if (list != queue_.GetFirst() && queue_.FindNode(list) && list->PurgeStopped() == 0)
        queue_.Remove(list);
}

bool JxCActionProcessor::giveOwnList(JxCAction* action)
{
    auto* own = new (std::nothrow) JxCProcessActionList;
    if (!own || !queue_.Add(own)) {
        delete own;
        return false;
    }
    JxCProcessActionList* former = currentList_;
    former->DetachAction(action);
    QueueActionFirst(action);
    removeListIfEmpty(former);
    return true;
}

void JxCActionProcessor::runAction(JxCAction* action)
{
    action->AddStopReceiver(this);
    current_ = action;
    action->Run();
    current_ = nullptr;
}

std::int16_t JxCActionProcessor::Step()
{
    if (running_)
        return 0;
    running_ = true;
    started_.clear();
    bool stop = false;
    while (!stop && selectCurrentList()) {
        JxCProcessActionList* list = currentList_;
        JxCAction* action = list->GetFirst();
        while (action) {
            if (action->IsStopped()) {
                list->RemoveAction(action);
                // Deleting a clone may have changed the queue.
                if (!queue_.FindNode(list))
                    break;
                action = list->GetFirst();
                continue;
            }
            if (action->IsPlaying() || action->IsPaused()) {
                if (action->IsWaiting()) {
                    stop = true;
                    break;
                }
                action = list->GetNext(action);
                if (!action)
                    stop = true;
                continue;
            }
            if (isBlockedByPlaying(action) || wasStarted(action)) {
                stop = true;
                break;
            }
            if (!action->IsWaiting()) {
                list->DetachAction(action);
                queue_.GetFirst()->Add(action);
            } else {
                giveOwnList(action);
            }
            started_.push_back(action);
            runAction(action);
            break;
        }
        current_ = nullptr;
    }
    running_ = false;
    started_.clear();
    posted_ = 0;
    return 1;
}

void JxCActionProcessor::CancelQueue(std::int16_t)
{
    JxCAction* kept = nullptr;
    for (;;) {
        selectCurrentList();
        JxCProcessActionList* list = currentList_;
        if (list) {
            for (JxCAction* action : itemsOf(*list)) {
                if (!queue_.FindNode(list) || !list->FindNode(action))
                    continue;
                if (action == current_) {
                    list->DetachAction(action);
                    kept = action;
                    continue;
                }
                action->SetStopped(1);
                if (queue_.FindNode(list))
                    list->RemoveAction(action);
            }
        }
        if (queue_.GetCount() <= 1)
            break;
        // A receiver that queues again as it hears of a stop must not keep
        // the cancel going for ever: a list that is still there and still
        // holds actions goes with them.
        if (list && queue_.FindNode(list) && !list->IsEmpty() && list == queue_.GetLast())
            queue_.Remove(list);
    }
    // The action starting now finishes its start in the queue (unless it
    // died meanwhile).
    if (kept && kept == current_)
        queue_.GetLast()->Add(kept);
    posted_ = 0;
}

void JxCActionProcessor::Notify(JxCNotify* registration, JxCObject* sender)
{
    if (!registration || !sender || !registration->IsActionNotify())
        return;
    auto* action = dynamic_cast<JxCAction*>(sender);
    if (!action)
        return;
    // An action that is not a clone may be deleted by its owner as soon as
    // it has stopped: it leaves the queue now.
    if (!action->GetDeleteWhenDone())
        selectCurrentList();
    SchedulePass();
}

std::int32_t JxCActionProcessor::CountPendingActions()
{
    std::int32_t count = 0;
    for (JxCProcessActionList* list = queue_.GetFirst(); list; list = queue_.GetNext(list))
        for (std::int32_t i = 0; i < list->GetCount(); ++i)
            if (!list->GetAt(i)->IsStopped())
                ++count;
    return count;
}

void JxCActionProcessor::ForgetOwner(const JxCRunTimeObject* owner)
{
    for (JxCProcessActionList* list = queue_.GetFirst(); list; list = queue_.GetNext(list))
        for (std::int32_t i = 0; i < list->GetCount(); ++i) {
            JxCAction* action = list->GetAt(i);
            if (action->GetOwner() == owner)
                action->SetOwner(nullptr);
        }
    if (current_ && current_->GetOwner() == owner)
        current_->SetOwner(nullptr);
}

void JxCActionProcessor::ForgetAction(const JxCAction* action)
{
    for (JxCProcessActionList* list = queue_.GetFirst(); list; list = queue_.GetNext(list))
        while (list->FindNode(action))
            list->DetachAction(const_cast<JxCAction*>(action));
    if (current_ == action)
        current_ = nullptr;
    forgetStart(action);
}

void ForgetInActionProcessors(const JxCRunTimeObject* owner)
{
    for (JxCActionProcessor* processor : liveProcessors())
        processor->ForgetOwner(owner);
}

void ForgetActionInProcessors(const JxCAction* action)
{
    for (JxCActionProcessor* processor : liveProcessors())
        processor->ForgetAction(action);
}
