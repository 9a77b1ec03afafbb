#include "media/JxSmallMediaActions.h"

#include <algorithm>

#include "foundation/JxCInStrStream.h"
#include "media/JxCQT3Resource.h"
#include "media/JxCResourceObject.h"
#include "media/JxCSoundResource.h"
#include "runtime/JxCBaseProduct.h"

// --- The binding ----------------------------------------------------------------

JxCBoundMediaAction::JxCBoundMediaAction(JxResourceKind kind)
{
    SetResourceKind(ResourceTypeId(kind));
}

JxCBoundMediaAction::JxCBoundMediaAction(const JxCBoundMediaAction& other) : JxCAction(other), name_(other.name_)
{
    media_ = other.media_;
    if (media_)
        media_->AddAction(this);
}

JxCBoundMediaAction::~JxCBoundMediaAction()
{
    Unbind();
}

void JxCBoundMediaAction::Unbind()
{
    JxCResourceObject* media = media_;
    media_ = nullptr;
    UnbindResource(this, media);
}

std::int16_t JxCBoundMediaAction::Bind(const JxCString& name, JxCRunTimeObject* owner, std::int32_t openParameter)
{
    Unbind();
    name_ = name;
    if (name_.GetLength() == 0)
        return 0;
    JxCResourceObject* found = FindOrOpenResource(std::int16_t(GetResourceKind()), name_, owner, openParameter, this);
    // A media object of another class under the kind is no use here.
    const bool fits = found && found->GetKind() == std::int16_t(GetResourceKind());
    if (found && !fits)
        UnbindResource(this, found);
    media_ = fits ? found : nullptr;
    return media_ ? 1 : 0;
}

// --- Sounds ---------------------------------------------------------------------

JxCStopSoundAction::JxCStopSoundAction() : JxCBoundMediaAction(JxResourceKind::Sound)
{
    SetType(ActionTypeId(JxActionKeyword::STOPWAVE));
}

JxCSoundResource* JxCStopSoundAction::GetSound() const
{
    return dynamic_cast<JxCSoundResource*>(Media());
}

std::int16_t JxCStopSoundAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    JxCTableString name;
    if (!ReadTableString(in, name))
        return 0;
    SetOwner(owner);
    return Bind(JxCString(name), owner, 0);
}

std::int16_t JxCStopSoundAction::Execute()
{
    JxCSoundResource* sound = GetSound();
    if (!sound || !sound->IsPlaying())
        return 0;
    return sound->Pause();
}

JxCSeekSoundAction::JxCSeekSoundAction() : JxCBoundMediaAction(JxResourceKind::Sound)
{
    SetType(ActionTypeId(JxActionKeyword::SEEKWAVE));
}

std::int16_t JxCSeekSoundAction::Setup(const JxCString& name, std::int32_t position, JxCRunTimeObject* owner)
{
    SetOwner(owner);
    position_ = position;
    return Bind(name, owner, 1);
}

std::int16_t JxCSeekSoundAction::Execute()
{
    if (JxCResourceObject* sound = Media()) {
        // The sound learns where it is sent and the action's length (none),
        // as a play-sound action hands it its values; the third stays.
        if (auto* wave = dynamic_cast<JxCSoundResource*>(sound))
            wave->SetParameterWords(position_, GetLength(), wave->GetParameterWord(2));
        sound->Stop();
        sound->Rewind(position_);
    }
    return 1;
}

// --- Movies ---------------------------------------------------------------------

JxCBaseStopVideoAction::JxCBaseStopVideoAction() : JxCBoundMediaAction(JxResourceKind::Movie) {}

std::int16_t JxCBaseStopVideoAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    JxCString name;
    if (!in.ReadCountedString(name))
        return 0;
    return SetParameters(name, owner);
}

std::int16_t JxCBaseStopVideoAction::SetParameters(const JxCString& name, JxCRunTimeObject* owner)
{
    SetOwner(owner);
    return Bind(name, owner, 0);
}

std::int16_t JxCBaseStopVideoAction::Execute()
{
    auto* movie = dynamic_cast<JxCQT3Resource*>(Media());
    return movie ? movie->Pause() : std::int16_t(0);
}

JxCBaseSeekVideoAction::JxCBaseSeekVideoAction() : JxCBoundMediaAction(JxResourceKind::Movie) {}

std::int16_t JxCBaseSeekVideoAction::Setup(const JxCString& name, std::int32_t position, JxCRunTimeObject* owner)
{
    SetOwner(owner);
    position_ = position;
    return Bind(name, owner, 1);
}

std::int16_t JxCBaseSeekVideoAction::Execute()
{
    auto* movie = dynamic_cast<JxCQT3Resource*>(Media());
    if (!movie)
        return 0;
    const std::int32_t from = std::max<std::int32_t>(position_, 0);
    movie->SetStartPoint(from);
    movie->SetEndPoint(movie->GetDuration());
    movie->Stop();
    movie->Rewind(from);
    if (JxCBaseProduct* product = GetProduct())
        product->ClearVideoFlag();
    return 1;
}
