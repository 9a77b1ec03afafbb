#include "events/JxCRunTimeObject.h"

#include <utility>
#include <vector>

#include "events/JxCAction.h"
#include "events/JxCActionProcessor.h"
#include "events/JxEventLink.h"
#include "events/JxNotifyTables.h"
#include "foundation/JxCInStrStream.h"

namespace {

JxBitmapRefReleaser& bitmapRefReleaser()
{
    static JxBitmapRefReleaser releaser = nullptr;
    return releaser;
}

// One action a handler walk is about to post, and the handler that holds it.
struct PendingPost {
    JxCEventHandler* handler;
    JxCAction* action;
};

// The action is still held where the walk found it (posting may run
// messages that change or delete handlers).
bool stillHeld(JxCEventHandlerList& list, const PendingPost& p)
{
    return list.FindNode(p.handler) && p.handler->GetActions() && p.handler->GetActions()->FindNode(p.action);
}

// RunEventHandlers over a list that listOwner owns: the walk ends when the
// owner dies under it. True when a post failed.
bool runHandlers(const JxCRunTimeObject* listOwner, JxCEventHandlerList* list, std::int16_t eventId)
{
    if (!list)
        return false;
    std::vector<PendingPost> pending;
    for (JxCEventHandler* h = list->GetFirst(); h; h = list->GetNext(h)) {
        JxCActionList* actions = h->GetActions();
        if (h->GetEvent() != eventId || !actions)
            continue;
        for (JxCAction* a = actions->GetFirst(); a; a = actions->GetNext(a))
            pending.push_back({h, a});
    }
    JxCLifeWatch owner(listOwner);
    bool failed = false;
    for (const PendingPost& p : pending) {
        if (owner.IsDead())
            break;
        if (stillHeld(*list, p) && !p.action->Post())
            failed = true;
    }
    return failed;
}

// A failed post ends the product's busy state: the caller marked it busy
// before raising the event, and the actions that would have ended it will
// not run.
void runAndSettle(const JxCRunTimeObject* listOwner, JxCEventHandlerList* list, std::int16_t eventId)
{
    if (!runHandlers(listOwner, list, eventId))
        return;
    const JxEventLink* link = GetEventLink();
    if (link && link->markIdle)
        link->markIdle();
}

}  // namespace

JxBitmapRefReleaser SetBitmapRefReleaser(JxBitmapRefReleaser releaser)
{
    return std::exchange(bitmapRefReleaser(), releaser);
}

JxCLifeWatch::JxCLifeWatch(const JxCRunTimeObject* object) : object_(object), below_(top())
{
    top() = this;
}

JxCLifeWatch::~JxCLifeWatch()
{
    top() = below_;
}

JxCLifeWatch*& JxCLifeWatch::top()
{
    static JxCLifeWatch* watches = nullptr;
    return watches;
}

void JxCLifeWatch::MarkDead(const JxCRunTimeObject* dying)
{
    for (JxCLifeWatch* w = top(); w; w = w->below_)
        if (w->object_ == dying)
            w->dead_ = true;
}

JxCRunTimeObject::JxCRunTimeObject() = default;

JxCRunTimeObject::~JxCRunTimeObject()
{
    JxCLifeWatch::MarkDead(this);
    ForgetInActionProcessors(this);
    JxCRunTimeObject::ReleaseResources();
}

std::int16_t JxCRunTimeObject::ReservedGet(std::int32_t)
{
    return 0;
}

JxCRunTimeObject* JxCRunTimeObject::GetFolderPage()
{
    return nullptr;
}

JxCString JxCRunTimeObject::GetDataPath()
{
    if (!container_)
        return JxCString();
    if (JxCRunTimeObject* page = container_->GetFolderPage())
        return page->GetDataPath();
    const JxEventLink* link = GetEventLink();
    JxCString path = link && link->productFolder ? link->productFolder() : JxCString();
    path += JxCTableString("\\");
    return path;
}

void* JxCRunTimeObject::GetDC()
{
    return nullptr;
}

std::int16_t JxCRunTimeObject::ReleaseDC(void*)
{
    return 0;
}

JxCSlate* JxCRunTimeObject::GetSlate()
{
    return nullptr;
}

std::int16_t JxCRunTimeObject::ReleaseSlate(JxCSlate*)
{
    return 0;
}

std::int16_t JxCRunTimeObject::ReservedAccept(std::int32_t)
{
    return 1;
}

JxCRunTimeObject* JxCRunTimeObject::GetContainer() const
{
    return container_;
}

std::int16_t JxCRunTimeObject::Stop()
{
    return 0;
}

std::int16_t JxCRunTimeObject::GetNumberProperty(std::int16_t, std::int32_t*)
{
    return kPropertyMissing;
}

std::int16_t JxCRunTimeObject::SetNumberProperty(std::int16_t, std::int32_t)
{
    return kPropertyMissing;
}

std::int16_t JxCRunTimeObject::GetFlagProperty(std::int16_t, std::int16_t*)
{
    return kPropertyMissing;
}

std::int16_t JxCRunTimeObject::SetFlagProperty(std::int16_t, std::int16_t)
{
    return kPropertyMissing;
}

std::int16_t JxCRunTimeObject::GetStringProperty(std::int16_t, JxCString*)
{
    return kPropertyMissing;
}

std::int16_t JxCRunTimeObject::SetStringProperty(std::int16_t, const JxCString&)
{
    return kPropertyMissing;
}

JxPropertyKind JxCRunTimeObject::GetPropertyInfo(std::int16_t, std::int32_t*)
{
    return JxPropertyKind::None;
}

void* JxCRunTimeObject::GetSharedData()
{
    return nullptr;
}

std::int32_t JxCRunTimeObject::GetKind() const
{
    return kPlainObject;
}

std::int16_t JxCRunTimeObject::CreateResources()
{
    return 1;
}

std::int16_t JxCRunTimeObject::ReleaseResources()
{
    JxBitmapRefReleaser release = bitmapRefReleaser();
    while (JxCObject* reference = bitmapRefs_.GetFirst()) {
        bitmapRefs_.Remove(reference);
        if (release)
            release(reference);
    }
    return 1;
}

std::int16_t JxCRunTimeObject::CheckPropertyKind(std::int16_t index, JxPropertyKind kind)
{
    const JxPropertyKind actual = GetPropertyInfo(index, nullptr);
    if (actual == kind)
        return kPropertyOk;
    return actual == JxPropertyKind::None ? kPropertyMissing : kPropertyOtherKind;
}

void JxCRunTimeObject::DispatchEvent(std::int16_t eventId, std::int16_t key)
{
    JxCLifeWatch self(this);
    NotifyBeforeEvent(eventId, key, this);
    if (!self.IsDead())
        runAndSettle(this, &handlers_, eventId);

    // The current page hears every object's event, a panel's and a page's
    // included, while it is open; a page raising its own event has run its
    // list already.
    const JxEventLink* link = GetEventLink();
    JxCRunTimeObject* page = link && link->currentOpenPage ? link->currentOpenPage() : nullptr;
    if (page) {
        JxCLifeWatch pageWatch(page);
        if (page != this)
            runAndSettle(page, &page->GetEventHandlers(), eventId);
        link = GetEventLink();
        if (!pageWatch.IsDead() && link && link->pageDefHandlers)
            runAndSettle(page, link->pageDefHandlers(page), eventId);
        link = GetEventLink();
        if (!pageWatch.IsDead() && link && link->templateHandlers) {
            JxCRunTimeObject* def = link->productDef ? link->productDef() : nullptr;
            runAndSettle(def, link->templateHandlers(page), eventId);
        }
    }
    link = GetEventLink();
    if (JxCRunTimeObject* def = link && link->productDef ? link->productDef() : nullptr)
        runAndSettle(def, &def->GetEventHandlers(), eventId);

    // The sender is only compared by the receivers, so the notifications
    // run even when the object died meanwhile.
    NotifyAfterEvent(eventId, key, this);
}

void JxCRunTimeObject::RunEventHandlers(JxCEventHandlerList* list, std::int16_t eventId)
{
    runAndSettle(this, list, eventId);
}

std::int16_t JxCRunTimeObject::IsEventIdle(std::int16_t eventId)
{
    for (JxCEventHandler* h = handlers_.GetFirst(); h; h = handlers_.GetNext(h)) {
        JxCActionList* actions = h->GetActions();
        if (h->GetEvent() != eventId || !actions)
            continue;
        for (JxCAction* a = actions->GetFirst(); a; a = actions->GetNext(a))
            if (a->IsPlaying())
                return 0;
    }
    return 1;
}

std::int16_t JxCRunTimeObject::ReadScope(JxCInStrStream& in)
{
    std::int16_t scope = 0;
    if (!in.ReadBigEndian16(scope))
        return 0;
    return scope == 0 ? 1 : 0;
}

std::int16_t JxCRunTimeObject::ReadHandlersAndScope(JxCInStrStream& in)
{
    return handlers_.Read(in, this) && ReadScope(in) ? 1 : 0;
}
