#include "media/JxPicsActions.h"

#include <cstdio>

#include "events/JxProperties.h"
#include "events/JxCRunTimeObject.h"
#include "foundation/JxCInStrStream.h"
#include "media/JxCPicsResource.h"
#include "media/JxCResourcePlayer.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxKeywordTables.h"

namespace {

std::int16_t PicsKind()
{
    return ResourceTypeId(JxResourceKind::Pics);
}

// The shared animation of that name for the action, or null.
JxCPicsResource* BindPics(const JxCString& name, JxCRunTimeObject* owner, std::int32_t openParameter,
                          JxCAction* action)
{
    if (name.GetLength() == 0)
        return nullptr;
    return dynamic_cast<JxCPicsResource*>(FindOrOpenResource(PicsKind(), name, owner, openParameter, action));
}

// A copy joins the animation of the action it copies, when there is one.
JxCPicsResource* Join(JxCPicsResource* media, JxCAction* action)
{
    if (media)
        media->AddAction(action);
    return media;
}

// Storage places of parameters 1 to 5.
constexpr std::array<int, 5> kSlotOf = {0, 1, 3, 2, 4};

}  // namespace

// --- Play ---------------------------------------------------------------------

JxCPlayPicsAction::JxCPlayPicsAction()
{
    SetType(ActionTypeId(JxActionKeyword::PLAYNONQPICS));
    SetResourceKind(PicsKind());
}

JxCPlayPicsAction::JxCPlayPicsAction(const JxCPlayPicsAction& other) : JxCAction(other)
{
    CopyFrom(other);
}

JxCPlayPicsAction::~JxCPlayPicsAction()
{
    unbind();
}

std::int16_t JxCPlayPicsAction::unbind()
{
    // The player lets go of the media before the action does.
    player_.reset();
    if (!media_)
        return 1;
    JxCPicsResource* media = media_;
    media_ = nullptr;
    return UnbindResource(this, media);
}

void JxCPlayPicsAction::SetUnbound(const JxCString& name, const std::array<std::int16_t, 5>& parameters)
{
    unbind();
    name_ = name;
    for (std::size_t i = 0; i < parameters.size(); ++i)
        parameters_[std::size_t(kSlotOf[i])] = parameters[i];
}

std::int16_t JxCPlayPicsAction::bind(JxCRunTimeObject* owner)
{
    unbind();
    media_ = BindPics(name_, owner, GetParameter(3), this);
    if (media_)
        media_->SetPlayAction(this);
    return media_ ? 1 : 0;
}

std::int16_t JxCPlayPicsAction::GetParameter(int n) const
{
    return n >= 1 && n <= 5 ? parameters_[std::size_t(kSlotOf[std::size_t(n - 1)])] : 0;
}

std::int16_t JxCPlayPicsAction::Setup(const JxCString& name, std::int16_t p1, std::int16_t p2, std::int16_t p3,
                                      std::int16_t p4, std::int16_t p5, JxCRunTimeObject* owner, std::int16_t x,
                                      std::int16_t y)
{
    name_ = name;
    const std::array<std::int16_t, 5> given = {p1, p2, p3, std::int16_t(p4 == 0 || p4 == -1 ? 1 : p4), p5};
    for (std::size_t i = 0; i < given.size(); ++i)
        parameters_[std::size_t(kSlotOf[i])] = given[i];
    SetOwner(owner);
    place_ = JxCPoint(x, y);
    return bind(owner);
}

void JxCPlayPicsAction::CopyFrom(const JxCPlayPicsAction& other)
{
    if (this == &other)
        return;
    unbind();
    JxCAction::operator=(other);
    name_ = other.name_;
    parameters_ = other.parameters_;
    rewindOnStop_ = other.rewindOnStop_;
    transparent_ = other.transparent_;
    noBackground_ = other.noBackground_;
    place_ = other.place_;
    media_ = Join(other.media_, this);
}

std::int16_t JxCPlayPicsAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    unbind();
    SetOwner(owner);
    std::array<std::int16_t, 5> given{};
    std::int16_t x = 0, y = 0;
    in.ReadCountedString(name_);
    for (std::int16_t& p : given)
        in.ReadBigEndian16(p);
    in.ReadBigEndian16(transparent_).ReadBigEndian16(rewindOnStop_).ReadBigEndian16(x).ReadBigEndian16(y);
    if (!in)
        return 0;
    for (std::size_t i = 0; i < given.size(); ++i)
        parameters_[std::size_t(kSlotOf[i])] = given[i];
    place_ = JxCPoint(x, y);
    return bind(owner);
}

std::int16_t JxCPlayPicsAction::Execute()
{
    return media_ ? media_->Play(this) : 1;
}

std::int16_t JxCPlayPicsAction::HandleEvent(JxCTimerParams* record)
{
    return media_ ? media_->HandleEvent(record, this) : 1;
}

std::int32_t JxCPlayPicsAction::GetPosition()
{
    return media_ ? media_->GetPosition() : 0;
}

std::int16_t JxCPlayPicsAction::Resume()
{
    return media_ ? media_->Resume() : 1;
}

std::int16_t JxCPlayPicsAction::OnResourceStopped()
{
    if (!media_)
        return 0;
    JxCRunTimeObject* owner = GetOwner();
    JxCRunTimeObject* container = owner ? owner->GetContainer() : nullptr;
    auto* panel = dynamic_cast<JxCPanelObject*>(container);
    if (!media_->IsPrepared() && panel && !panel->IsClosing()) {
        // Clears the last frame from the page.
        panel->Draw(nullptr, nullptr, 1);
        media_->SetPrepared(1);
    }
    if (owner)
        owner->Stop();
    return 1;
}

std::int16_t JxCPlayPicsAction::Stop()
{
    if (!media_)
        return 0;
    std::int16_t result = 0;
    if (rewindOnStop_) {
        result = media_->Rewind(0);
    } else {
        result = media_->Stop();
        if (result && media_)
            result = media_->Open(this);
    }
    SetStopped(1);
    return result;
}

std::int32_t JxCPlayPicsAction::GetLength()
{
    return media_ ? media_->GetLength() : 0;
}

std::int16_t JxCPlayPicsAction::IsPlaying()
{
    return media_ ? media_->IsPlaying() : 0;
}

std::int16_t JxCPlayPicsAction::IsPaused()
{
    return media_ ? media_->IsPaused() : 0;
}

std::int16_t JxCPlayPicsAction::UsesResource(std::int16_t, std::int16_t resourceKind)
{
    // Any animation: the names are not compared.
    return resourceKind == PicsKind() ? 1 : 0;
}

std::int16_t JxCPlayPicsAction::Rewind(std::int32_t position)
{
    return media_ ? media_->Rewind(position) : 1;
}

std::int16_t JxCPlayPicsAction::Register(JxCRunTimeObject* owner)
{
    return media_ ? media_->Register(owner) : 1;
}

std::int16_t JxCPlayPicsAction::Unregister(JxCRunTimeObject* owner)
{
    return media_ ? media_->Unregister(owner) : 1;
}

std::int16_t JxCPlayPicsAction::HandleResourceEvent(JxCTimerParams* record)
{
    return media_ ? media_->HandleEvent(record, this) : 1;
}

std::int16_t JxCPlayPicsAction::Describe(JxCString& text)
{
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, ", %d,%d,%d,%d,%d,%d,%d", GetParameter(1), GetParameter(2),
                  GetParameter(3), GetParameter(4), GetParameter(5), place_.x, place_.y);
    text = name_;
    text += JxCTableString(numbers);
    return 1;
}

std::int16_t JxCPlayPicsAction::SetParameterText(const JxCString&)
{
    return kPropertyReadOnly;
}

JxCResourceObject* JxCPlayPicsAction::GetResource()
{
    return media_;
}

// --- Queued play -------------------------------------------------------------

JxCPlayQueuePicsAction::JxCPlayQueuePicsAction()
{
    SetType(ActionTypeId(JxActionKeyword::PLAYPICS));
}

JxCPlayQueuePicsAction::~JxCPlayQueuePicsAction() = default;

std::int16_t JxCPlayQueuePicsAction::Execute()
{
    if (!GetMedia())
        return 0;
    Player() = std::make_unique<JxCResourcePlayer>();
    return Player()->Start(this);
}

// --- Stop ---------------------------------------------------------------------

JxCStopPicsAction::JxCStopPicsAction()
{
    SetType(ActionTypeId(JxActionKeyword::STOPPICS));
    SetResourceKind(PicsKind());
}

JxCStopPicsAction::JxCStopPicsAction(const JxCStopPicsAction& other) : JxCAction(other)
{
    CopyFrom(other);
}

JxCStopPicsAction::~JxCStopPicsAction()
{
    UnbindResource(this, media_);
}

std::int16_t JxCStopPicsAction::Setup(const JxCString& name, JxCRunTimeObject* owner)
{
    UnbindResource(this, media_);
    name_ = name;
    SetOwner(owner);
    media_ = BindPics(name_, owner, 0, this);
    return media_ ? 1 : 0;
}

void JxCStopPicsAction::CopyFrom(const JxCStopPicsAction& other)
{
    if (this == &other)
        return;
    UnbindResource(this, media_);
    JxCAction::operator=(other);
    name_ = other.name_;
    media_ = Join(other.media_, this);
}

std::int16_t JxCStopPicsAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    JxCString name;
    if (!in.ReadCountedString(name))
        return 0;
    return Setup(name, owner);
}

std::int16_t JxCStopPicsAction::Execute()
{
    return media_ ? media_->Pause() : 1;
}

JxCResourceObject* JxCStopPicsAction::GetResource()
{
    return media_;
}

// --- Seek ---------------------------------------------------------------------

JxCSeekPicsAction::JxCSeekPicsAction()
{
    SetType(ActionTypeId(JxActionKeyword::SEEKPICS));
    SetResourceKind(PicsKind());
}

JxCSeekPicsAction::JxCSeekPicsAction(const JxCSeekPicsAction& other)
    : JxCAction(other), name_(other.name_), position_(other.position_), openParameter_(other.openParameter_)
{
    media_ = Join(other.media_, this);
}

JxCSeekPicsAction::~JxCSeekPicsAction()
{
    UnbindResource(this, media_);
}

std::int16_t JxCSeekPicsAction::Setup(const JxCString& name, std::int32_t position, JxCRunTimeObject* owner)
{
    UnbindResource(this, media_);
    name_ = name;
    position_ = position;
    SetOwner(owner);
    media_ = BindPics(name_, owner, openParameter_, this);
    return media_ ? 1 : 0;
}

std::int16_t JxCSeekPicsAction::Execute()
{
    return media_ ? media_->Rewind(position_) : 1;
}

JxCResourceObject* JxCSeekPicsAction::GetResource()
{
    return media_;
}
