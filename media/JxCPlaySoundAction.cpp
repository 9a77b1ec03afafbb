#include "media/JxCPlaySoundAction.h"

#include <cstdio>
#include <memory>

#include "events/JxProperties.h"
#include "foundation/JxCInStrStream.h"
#include "media/JxCResourcePlayer.h"
#include "media/JxCSoundResource.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxKeywordTables.h"

namespace {

std::int16_t soundKind()
{
    return ResourceTypeId(JxResourceKind::Sound);
}

}  // namespace

JxCPlaySoundAction::JxCPlaySoundAction()
{
    // Its type, so that one built in code and posted is copied as itself.
    SetType(ActionTypeId(JxActionKeyword::PLAYWAVE));
    SetResourceKind(soundKind());
}

JxCPlaySoundAction::JxCPlaySoundAction(const JxCPlaySoundAction& other) : JxCAction(other)
{
    CopyFrom(other);
}

JxCPlaySoundAction::~JxCPlaySoundAction()
{
    // The player still names the sound: it goes first.
    if (JxCResourcePlayer* held = player())
        held->Stop();
    SetParameterObject(nullptr);
    unbind();
}

JxCResourcePlayer* JxCPlaySoundAction::player() const
{
    return dynamic_cast<JxCResourcePlayer*>(GetParameterObject());
}

void JxCPlaySoundAction::unbind()
{
    if (!sound_)
        return;
    // A player that drives the sound lets go of it before it may go. The
    // player itself stays until the next run or the action's end: it may be
    // the caller of this very stop.
    if (JxCResourcePlayer* held = player(); held && held->GetAction() == this)
        held->Stop();
    JxCSoundResource* sound = sound_;
    sound_ = nullptr;
    UnbindResource(this, sound);
}

std::int16_t JxCPlaySoundAction::bind(std::int32_t openParam)
{
    unbind();
    if (name_.GetLength() == 0)
        return 0;
    JxCResourceObject* found = FindOrOpenResource(soundKind(), name_, GetOwner(), openParam, this);
    sound_ = dynamic_cast<JxCSoundResource*>(found);
    if (found && !sound_)
        UnbindResource(this, found);  // the kind's class is not a sound
    return sound_ ? 1 : 0;
}

std::int16_t JxCPlaySoundAction::SetParameters(const JxCString& name, std::int32_t first, std::int32_t second,
                                               std::int32_t openParam, std::int32_t third,
                                               std::int16_t suppressible, JxCRunTimeObject* owner)
{
    unbind();
    name_ = name;
    first_ = first;
    second_ = second;
    openParam_ = openParam;
    third_ = third;
    suppressible_ = suppressible;
    SetOwner(owner);
    return openParam_ == kBindWhenRun ? 1 : bind(openParam_);
}

void JxCPlaySoundAction::CopyFrom(const JxCPlaySoundAction& other)
{
    if (this == &other)
        return;
    unbind();
    JxCAction::operator=(other);
    name_ = other.name_;
    first_ = other.first_;
    second_ = other.second_;
    third_ = other.third_;
    openParam_ = other.openParam_;
    suppressible_ = other.suppressible_;
    sound_ = other.sound_;
    if (sound_)
        sound_->AddAction(this);
}

std::int16_t JxCPlaySoundAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    JxCString name;
    std::int16_t first = 0, second = 0, openParam = 0, third = 0, suppressible = 0, waiting = 0;
    in.ReadCountedString(name)
        .ReadBigEndian16(first)
        .ReadBigEndian16(second)
        .ReadBigEndian16(openParam)
        .ReadBigEndian16(third)
        .ReadBigEndian16(suppressible)
        .ReadBigEndian16(waiting);
    if (!in)
        return 0;
    SetWaiting(waiting);
    return SetParameters(name, first, second, openParam, third, suppressible, owner);
}

std::int16_t JxCPlaySoundAction::Execute()
{
    if (openParam_ == kBindWhenRun && !sound_)
        bind(1);
    if (!sound_)
        return 1;
    JxCBaseProduct* product = GetProduct();
    if (suppressible_ && product && product->IsSoundSuppressed())
        return 1;
    if (sound_->IsPlaying())
        return 0;
    sound_->SetParameterWords(first_, second_, third_);
    SetParameterObject(nullptr);
    auto made = std::make_unique<JxCResourcePlayer>();
    JxCResourcePlayer* started = made.get();
    SetParameterObject(std::move(made));
    return started->Start(this);
}

std::int16_t JxCPlaySoundAction::restart()
{
    JxCResourcePlayer* held = player();
    if (!held)
        return 1;
    return held->Start(this) ? 1 : 0;
}

std::int16_t JxCPlaySoundAction::Stop()
{
    if (!GetResource())
        return 0;
    if (third_ == -1 || third_ == -2)
        return restart();
    SetStopped(1);
    if (openParam_ == kBindWhenRun)
        unbind();
    return 1;
}

std::int16_t JxCPlaySoundAction::OnResourceStopped()
{
    if (!sound_)
        return 1;
    if (openParam_ == kBindWhenRun) {
        unbind();
        return 1;
    }
    if (JxCRunTimeObject* owner = GetOwner())
        owner->Stop();
    return 1;
}

std::int32_t JxCPlaySoundAction::GetPosition()
{
    return sound_ ? sound_->GetPosition() : 0;
}

std::int32_t JxCPlaySoundAction::GetLength()
{
    return sound_ ? sound_->GetLength() : 0;
}

std::int16_t JxCPlaySoundAction::IsPlaying()
{
    return sound_ ? sound_->IsPlaying() : 0;
}

std::int16_t JxCPlaySoundAction::IsPaused()
{
    return sound_ ? sound_->IsPaused() : 0;
}

std::int16_t JxCPlaySoundAction::Resume()
{
    return sound_ ? sound_->Resume() : 1;
}

std::int16_t JxCPlaySoundAction::UsesResource(std::int16_t, std::int16_t resourceKind)
{
    // The id after the last kind stands for every kind.
    return resourceKind == soundKind() || resourceKind == ResourceTypeId(JxResourceKind::Last) ? 1 : 0;
}

std::int16_t JxCPlaySoundAction::Register(JxCRunTimeObject* owner)
{
    return sound_ ? sound_->Register(owner) : 1;
}

std::int16_t JxCPlaySoundAction::Unregister(JxCRunTimeObject* owner)
{
    return sound_ ? sound_->Unregister(owner) : 1;
}

std::int16_t JxCPlaySoundAction::HandleResourceEvent(JxCTimerParams*)
{
    return 1;
}

std::int16_t JxCPlaySoundAction::Describe(JxCString& text)
{
    char numbers[80];
    std::snprintf(numbers, sizeof numbers, ", %d,%d,%d,%d,%d", int(first_), int(second_), int(openParam_),
                  int(third_), int(suppressible_));
    text = name_;
    text += JxCTableString(numbers);
    return 0;
}

std::int16_t JxCPlaySoundAction::SetParameterText(const JxCString&)
{
    return kPropertyReadOnly;
}

JxCResourceObject* JxCPlaySoundAction::GetResource()
{
    return sound_;
}
