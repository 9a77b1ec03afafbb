#include "media/JxCResourcePlayer.h"

#include "events/JxCAction.h"
#include "media/JxCResourceObject.h"
#include "runtime/JxKeywordTables.h"

JxCResourcePlayer::~JxCResourcePlayer()
{
    if (registered_)
        Stop();
}

std::int16_t JxCResourcePlayer::Register()
{
    if (media_ && !registered_)
        registered_ = media_->Register(this) ? 1 : 0;
    return registered_;
}

std::int16_t JxCResourcePlayer::Unregister()
{
    // A media object the list no longer holds has gone with it.
    if (registered_ && IsResourceListed(media_))
        media_->Unregister(this);
    registered_ = 0;
    return 1;
}

std::int16_t JxCResourcePlayer::Prepare(JxCAction* action)
{
    action_ = action;
    media_ = action ? action->GetResource() : nullptr;
    if (!media_ || media_->IsPlaying())
        return 0;
    return Register();
}

std::int16_t JxCResourcePlayer::Start(JxCAction* action)
{
    if (!Prepare(action))
        return 0;
    return media_->Play(action);
}

std::int16_t JxCResourcePlayer::HandleEvent(JxCTimerParams* record)
{
    if (!registered_ || !IsResourceListed(media_))
        return 1;
    return media_->HandleEvent(record, action_);
}

std::int16_t JxCResourcePlayer::Stop()
{
    Unregister();
    action_ = nullptr;
    media_ = nullptr;
    return 1;
}

bool JxCResourcePlayer::ownerLives() const
{
    // A sound draws nothing: it plays to its end whoever asked for it (a
    // page's opening, the product, an object gone meanwhile).
    if (media_ && media_->GetKind() == ResourceTypeId(JxResourceKind::Sound))
        return true;
    JxCRunTimeObject* owner = action_ ? action_->GetOwner() : nullptr;
    return owner && owner->GetContainer();
}

void JxCResourcePlayer::OnSystemEvent(JxCTimerParams* record)
{
    if (!registered_ || !media_)
        return;
    if (!IsResourceListed(media_)) {
        Stop();
        return;
    }
    const bool handled = ownerLives() && HandleEvent(record);
    if (handled && !(media_->IsFinished() && !media_->IsPlaying()))
        return;
    JxCAction* action = action_;
    JxCResourceObject* media = media_;
    Unregister();
    media->NotifyActionsAccept();
    media_ = nullptr;
    if (action)
        action->Stop();
}
