#include "media/JxCPicsResource.h"

#include <string>

#include "events/JxCAction.h"
#include "events/JxCRunTimeObject.h"
#include "foundation/JxErrorReport.h"
#include "graphics/JxCSlate.h"
#include "media/JxPicsActions.h"
#include "media/JxPicsNames.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxKeywordTables.h"

JxCPicsResource::JxCPicsResource()
{
    SetKind(ResourceTypeId(JxResourceKind::Pics));
}

JxCPicsResource::~JxCPicsResource()
{
    stopFrameTimer();
    ClosePICS(player_);
}

std::int16_t JxCPicsResource::Open(JxCAction*)
{
    stopFrameTimer();
    ClosePICS(player_);
    std::int16_t status = 0;
    const JxCString name = GetName();
    player_ = OpenPICSByName(std::string(name.View()), std::int16_t(GetOpenParam()), &status);
    if (!player_)
        return 0;
    frameCount_ = GetPICSFrameCount(player_.get());
    return 1;
}

JxCRunTimeObject* JxCPicsResource::ContainerOf(JxCAction* action)
{
    JxCRunTimeObject* owner = action ? action->GetOwner() : nullptr;
    return owner ? owner->GetContainer() : nullptr;
}

std::int16_t JxCPicsResource::playFailed(std::int16_t code)
{
    if (JxCBaseProduct* product = GetProduct())
        product->MarkIdle();
    if (code != kPicsFormatRefused)
        OhNoItsAnError(kPlayFailedId, GetName());
    return 0;
}

std::int16_t JxCPicsResource::Play(JxCAction* action)
{
    SetCurrentAction(action);
    if (!player_) {
        OhNoItsAnError(kNotOpenId, GetName());
        return 0;
    }
    JxCRunTimeObject* container = ContainerOf(action);
    JxCSlate* slate = container ? container->GetSlate() : nullptr;
    if (!slate) {
        OhNoItsAnError(kNoSlateId);
        return 0;
    }
    const auto* play = dynamic_cast<const JxCPlayPicsAction*>(action);
    const std::int16_t transparent = play ? play->GetTransparent() : 0;
    const std::int16_t noBackground = play ? play->GetNoBackground() : 0;
    const JxCPoint at = play ? play->GetPlace() : JxCPoint();
    JxPicsBackground background;
    if (auto* panel = dynamic_cast<JxCPanelObject*>(container)) {
        background = [panel](JxCSlate& frame) {
            const JxCRect area = frame.GetArea();
            panel->Draw(&frame, &area, 0);
        };
    }
    const std::int16_t result =
        PlayPICS(player_.get(), slate, std::move(background), transparent, noBackground, at.x, at.y);
    container->ReleaseSlate(slate);
    switch (result) {
    case kPicsOk:
        updateFrameTimer();
        return 1;
    case kPicsFailed:
    case kPicsReadFailed:
    case kPicsNoMemory:
    case kPicsBadChunk:
    case kPicsFormatRefused:
        return playFailed(result);
    default:
        return 1;
    }
}

std::int16_t JxCPicsResource::Stop()
{
    stopFrameTimer();
    ClosePICS(player_);
    if (JxCBaseProduct* product = GetProduct())
        product->RefreshMouseOver();
    return 1;
}

std::int16_t JxCPicsResource::Rewind(std::int32_t position)
{
    if (position != 0 && position != 1)
        return 1;
    Stop();
    const std::int16_t opened = Open(GetCurrentAction());
    NotifyActionsStopped();
    return opened;
}

bool JxCPicsResource::isStep(const JxCTimerParams* record) const
{
    // A step is the completion of one of this animation's own buffers
    // (another media's sound may finish meanwhile), or a tick of its own
    // frame timer (the media owner may keep timers of its own; a tick
    // carries no buffer).
    if (!record)
        return true;
    if (record->value != 0)
        return WroteWaveBuffer(record->value);
    return timerSlot_ >= 0 && record->id == timerSlot_;
}

bool JxCPicsResource::WroteWaveBuffer(std::intptr_t buffer) const
{
    return player_ && player_->sound && player_->sound->WroteBuffer(buffer);
}

std::int16_t JxCPicsResource::HandleEvent(JxCTimerParams* record, JxCAction* action)
{
    if (!player_)
        return 0;
    if (!isStep(record))
        return 1;
    if (!action)
        action = GetCurrentAction();
    JxCRunTimeObject* container = ContainerOf(action);
    JxCSlate* slate = container ? container->GetSlate() : nullptr;
    const auto* play = dynamic_cast<const JxCPlayPicsAction*>(action);
    const JxCPoint at = play ? play->GetPlace() : JxCPoint();
    const bool wasPlaying = player_->state == kPicsPlaying;
    const std::int16_t result = PICS_Play(player_.get(), slate, at.x, at.y);
    if (slate)
        container->ReleaseSlate(slate);
    updateFrameTimer();
    if (result != kPicsOk && wasPlaying)
        return playFailed(result);
    return 1;
}

std::int16_t JxCPicsResource::Register(JxCNotifyRoot* owner)
{
    SetWaveOwner(owner);
    JxCBaseProduct* product = GetProduct();
    return product ? product->SetMediaOwner(owner) : 0;
}

std::int16_t JxCPicsResource::Unregister(JxCNotifyRoot* owner)
{
    if (timerOwner_ == owner)
        stopFrameTimer();
    ForgetWaveOwner(owner);
    JxCBaseProduct* product = GetProduct();
    return product ? product->ReleaseMediaOwner(owner) : 0;
}

std::int16_t JxCPicsResource::Pause()
{
    const std::int16_t stopped = StopPICS(player_.get()) == kPicsOk;
    stopFrameTimer();
    return stopped;
}

std::int16_t JxCPicsResource::Resume()
{
    if (ResumePICS(player_.get()) != kPicsOk)
        return 0;
    updateFrameTimer();
    return 1;
}

void JxCPicsResource::RemoveAction(JxCAction* action)
{
    if (playAction_ == action)
        playAction_ = nullptr;
    JxCResourceObject::RemoveAction(action);
}

void JxCPicsResource::ForgetWaveOwner(const JxCNotifyRoot* dying)
{
    if (dying && timerOwner_ == dying) {
        timerOwner_ = nullptr;
        timerSlot_ = -1;
    }
    JxCResourceObject::ForgetWaveOwner(dying);
}

void JxCPicsResource::updateFrameTimer()
{
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return;
    if (timerSlot_ >= 0) {
        // The owner's going took its timer with it.
        const JxCTimerInfo& timer = product->GetTimerInfo(timerSlot_);
        if (timer.owner != timerOwner_ || !timer.active)
            timerSlot_ = -1;
    }
    const bool needed = PICSNeedsFrameTimer(player_.get());
    if (!needed) {
        stopFrameTimer();
        return;
    }
    // The frame timer is the animation's owner's, not whoever took the
    // product's media owner since (a sound started meanwhile).
    JxCNotifyRoot* owner = GetWaveOwner() ? GetWaveOwner() : product->GetMediaOwner();
    if (timerSlot_ >= 0 && owner == timerOwner_)
        return;
    stopFrameTimer();
    if (owner && product->SetTimer(owner, &timerSlot_, 0))
        timerOwner_ = owner;
    else
        timerSlot_ = -1;
}

void JxCPicsResource::stopFrameTimer()
{
    if (timerSlot_ >= 0) {
        if (JxCBaseProduct* product = GetProduct())
            product->KillTimer(timerOwner_, timerSlot_);
    }
    timerSlot_ = -1;
    timerOwner_ = nullptr;
}
