#include "media/JxCResourceObject.h"

#include <algorithm>

#include "events/JxCAction.h"
#include "events/JxCNotifyRoot.h"
#include "foundation/JxErrorHook.h"
#include "foundation/JxErrorReport.h"
#include "media/JxMissingMedia.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxClassFactories.h"
#include "runtime/JxErrorContext.h"

namespace {
constexpr unsigned kNoSuchMediaKindId = 1125;
}  // namespace

JxCResourceObject::~JxCResourceObject()
{
    actions_.reset();
    current_ = nullptr;
}

std::int16_t JxCResourceObject::InitWithContext(const JxCString& name, std::int32_t openParam, JxCAction*)
{
    return Init(name, openParam);
}

std::int16_t JxCResourceObject::Init(const JxCString& name, std::int32_t openParam)
{
    name_ = name;
    openParam_ = openParam;
    actions_.emplace();
    return 1;
}

std::int16_t JxCResourceObject::Play(JxCAction* action)
{
    current_ = action;
    return 1;
}

std::int16_t JxCResourceObject::Rewind(std::int32_t)
{
    return 1;
}

std::int16_t JxCResourceObject::Register(JxCNotifyRoot*)
{
    return 0;
}

std::int16_t JxCResourceObject::Unregister(JxCNotifyRoot*)
{
    return 0;
}

void JxCResourceObject::OnWaveDone(JxCTimerParams& params)
{
    if (waveOwner_)
        waveOwner_->OnSystemEvent(&params);
    else
        HandleEvent(&params, current_);
}

void JxCResourceObject::ForgetWaveOwner(const JxCNotifyRoot* dying)
{
    if (waveOwner_ == dying)
        waveOwner_ = nullptr;
}

void JxCResourceObject::AddAction(JxCAction* action)
{
    if (actions_ && action)
        actions_->push_back(action);
}

void JxCResourceObject::RemoveAction(JxCAction* action)
{
    if (!actions_)
        return;
    auto it = std::find(actions_->begin(), actions_->end(), action);
    if (it != actions_->end())
        actions_->erase(it);
    if (current_ == action)
        current_ = actions_->empty() ? nullptr : actions_->front();
}

std::int16_t JxCResourceObject::NotifyActions(std::int16_t (JxCAction::*tell)())
{
    if (current_) {
        (current_->*tell)();
        return 1;
    }
    if (actions_) {
        // A told action may unbind itself: walk a copy.
        auto bound = *actions_;
        for (JxCAction* a : bound)
            (a->*tell)();
    }
    return 1;
}

std::int16_t JxCResourceObject::NotifyActionsStopped()
{
    return NotifyActions(&JxCAction::OnResourceStopped);
}

std::int16_t JxCResourceObject::NotifyActionsAccept()
{
    return NotifyActions(&JxCAction::ReservedActionAccept);
}

// --- The list ----------------------------------------------------------------

JxCResourceList& GetResourceList()
{
    // Never destroyed: emptied on the way out, while what its objects
    // reach still exists.
    static auto* list = new JxCResourceList;
    return *list;
}

bool IsResourceListed(const JxCResourceObject* media)
{
    return media && GetResourceList().FindNode(media) != nullptr;
}

void EmptyResourceList()
{
    GetResourceList().RemoveAll();
    ForgetMissingMedia();
}

JxCResourceObject* CreateResourceByType(std::int32_t kind, const JxCAction* action)
{
    JxCResourceObject* media = NewResourceOfType(std::int16_t(kind));
    if (!media)
        ReportError(std::int32_t(kNoSuchMediaKindId), ErrorContextOf(action ? action->GetOwner() : nullptr));
    else if (media->GetKind() == 0)
        media->SetKind(kind);
    return media;
}

JxCResourceObject* FindOrOpenResource(std::int32_t kind, const JxCString& name, JxCNotifyRoot*,
                                      std::int32_t openParam, JxCAction* action)
{
    JxCResourceList& list = GetResourceList();
    for (JxCResourceObject* m = list.GetFirst(); m; m = list.GetNext(m)) {
        if (m->GetKind() != kind || !m->GetName().EqualsNoCase(name))
            continue;
        if (!m->IsOpen())
            m->Open(action);
        m->AddAction(action);
        return m;
    }
    JxCResourceObject* media = CreateResourceByType(kind, action);
    if (!media)
        return nullptr;
    if (!media->InitWithContext(name, openParam, action) || !media->Open(action)) {
        delete media;
        return nullptr;
    }
    media->AddAction(action);
    list.Add(media);
    return media;
}

std::int16_t UnbindResource(JxCAction* action, JxCResourceObject* media)
{
    JxCResourceList& list = GetResourceList();
    // A media object the list no longer holds was deleted with it (the
    // program's way out): there is nothing left to unbind from.
    if (!IsResourceListed(media))
        return 0;
    media->RemoveAction(action);
    if (media->HasActions())
        return 0;
    list.Remove(media);  // the list owns it: deleted
    return 1;
}

// --- The stops ---------------------------------------------------------------

namespace {

// The objects as they are now: stopping one tells its actions, which may
// unbind and so delete it, so each is looked for again before it is used.
std::vector<JxCResourceObject*> snapshot()
{
    std::vector<JxCResourceObject*> out;
    JxCResourceList& list = GetResourceList();
    for (JxCResourceObject* m = list.GetFirst(); m; m = list.GetNext(m))
        out.push_back(m);
    return out;
}

std::int16_t stopActive(std::int16_t rewindAll)
{
    std::int16_t playing = 0;
    for (JxCResourceObject* m : snapshot()) {
        if (!IsResourceListed(m) || !m->IsOpen())
            continue;
        if (m->IsPlaying()) {
            playing = 1;
            m->Stop();
            if (IsResourceListed(m) && m->HasActions())
                m->Rewind(0);
        } else if (rewindAll || (!m->IsStopped() && !m->IsFinished())) {
            m->Rewind(0);
        }
    }
    return playing;
}

std::int16_t stopPlaying()
{
    std::int16_t playing = 0;
    for (JxCResourceObject* m : snapshot())
        if (IsResourceListed(m) && m->IsOpen() && m->IsPlaying()) {
            playing = 1;
            m->Stop();
        }
    return playing;
}

std::int16_t anyPlaying()
{
    JxCResourceList& list = GetResourceList();
    for (JxCResourceObject* m = list.GetFirst(); m; m = list.GetNext(m))
        if (m->IsPlaying())
            return 1;
    return 0;
}

std::int16_t routeWaveDone(JxCTimerParams& params)
{
    JxCResourceList& list = GetResourceList();
    for (JxCResourceObject* m = list.GetFirst(); m; m = list.GetNext(m))
        if (m->WroteWaveBuffer(params.value)) {
            m->OnWaveDone(params);  // may end the media: nothing of it is touched after
            return 1;
        }
    return 0;
}

void forgetOwner(const JxCNotifyRoot* dying)
{
    JxCResourceList& list = GetResourceList();
    for (JxCResourceObject* m = list.GetFirst(); m; m = list.GetNext(m))
        m->ForgetWaveOwner(dying);
}

}  // namespace

void ConnectResourceList()
{
    JxMediaListHooks hooks;
    hooks.stopActive = stopActive;
    hooks.stopPlaying = stopPlaying;
    hooks.anyPlaying = anyPlaying;
    hooks.routeWaveDone = routeWaveDone;
    hooks.forgetOwner = forgetOwner;
    SetMediaListHooks(hooks);
}
