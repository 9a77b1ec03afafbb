#include "media/JxCQT3PlayAction.h"

#include "foundation/JxCInStrStream.h"
#include "media/JxCQT3Resource.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxKeywordTables.h"

namespace {

std::int32_t movieKind()
{
    return ResourceTypeId(JxResourceKind::Movie);
}

}  // namespace

JxCQT3PlayAction::JxCQT3PlayAction()
{
    SetResourceKind(std::int16_t(movieKind()));
}

JxCQT3PlayAction::JxCQT3PlayAction(const JxCQT3PlayAction& other) : JxCAction(other)
{
    CopyFrom(other);
}

JxCQT3PlayAction::~JxCQT3PlayAction()
{
    // A movie the list no longer holds has gone with it.
    if (!IsResourceListed(media_))
        return;
    if (stopOnDestroy_)
        media_->StopAndRedraw();
    UnbindResource(this, media_);
    media_ = nullptr;
}

void JxCQT3PlayAction::CopyFrom(const JxCQT3PlayAction& other)
{
    if (this == &other)
        return;
    JxCAction::operator=(other);
    name_ = other.name_;
    start_ = other.start_;
    end_ = other.end_;
    stepWord_ = other.stepWord_;
    stopOnDestroy_ = other.stopOnDestroy_;
    openParam_ = other.openParam_;
    position_ = other.position_;
    words_ = other.words_;
    clientData_ = other.clientData_;
    if (media_ != other.media_) {
        if (media_)
            UnbindResource(this, media_);
        media_ = other.media_;
        if (media_)
            media_->AddAction(this);
    }
}

std::int16_t JxCQT3PlayAction::Equals(const JxCQT3PlayAction& other) const
{
    return name_.View() == other.name_.View() && start_ == other.start_ && end_ == other.end_ &&
           stepWord_ == other.stepWord_ && stopOnDestroy_ == other.stopOnDestroy_ &&
           openParam_ == other.openParam_ && position_ == other.position_ && words_ == other.words_ &&
           GetOwner() == other.GetOwner() && clientData_ == other.clientData_;
}

void JxCQT3PlayAction::bind()
{
    if (media_ || name_.View().empty())
        return;
    JxCResourceObject* found = FindOrOpenResource(movieKind(), JxCString(std::string(name_.View()).c_str()),
                                                  GetOwner(), openParam_, this);
    media_ = dynamic_cast<JxCQT3Resource*>(found);
    if (found && !media_)
        UnbindResource(this, found);  // not a movie: the kind's class is wrong
}

std::int16_t JxCQT3PlayAction::Setup(JxCRunTimeObject* owner, const JxCTableString& name, std::int32_t start,
                                     std::int32_t end, std::int16_t stepWord, std::int16_t openParam,
                                     std::int16_t word1, std::int16_t word2, std::int16_t stopOnDestroy,
                                     const JxCPoint& position, std::int16_t word3, std::int16_t word4)
{
    SetOwner(owner);
    name_ = name;
    start_ = start;
    end_ = end;
    stepWord_ = (stepWord == 0 || stepWord == -1) ? 1 : stepWord;
    openParam_ = openParam;
    words_.afterOpen1 = word1;
    words_.afterOpen2 = word2;
    stopOnDestroy_ = stopOnDestroy;
    position_ = position;
    words_.afterPosition = word3;
    words_.last1 = word4;
    if (openParam_)
        bind();
    return 1;
}

std::int16_t JxCQT3PlayAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    SetOwner(owner);
    std::int16_t x = 0;
    std::int16_t y = 0;
    if (!ReadTableString(in, name_) || !in.ReadBigEndian32(start_) || !in.ReadBigEndian32(end_) ||
        !in.ReadBigEndian16(stepWord_) || !in.ReadBigEndian16(stopOnDestroy_) || !in.ReadBigEndian16(openParam_) ||
        !in.ReadBigEndian16(words_.afterOpen1) || !in.ReadBigEndian16(words_.afterOpen2) ||
        !in.ReadBigEndian16(x) || !in.ReadBigEndian16(y) || !in.ReadBigEndian16(words_.afterPosition) ||
        !in.ReadBigEndian32(clientData_) || !in.ReadBigEndian16(words_.last1) ||
        !in.ReadBigEndian16(words_.last2))
        return 0;
    position_ = JxCPoint(x, y);
    if (openParam_)
        bind();
    return 1;
}

void JxCQT3PlayAction::prepare()
{
    bind();
    if (!media_)
        return;
    media_->SetClientData(clientData_);
    media_->SetStartPoint(start_);
    media_->SetEndPoint(end_);
    media_->SetStepWord(stepWord_);
    media_->GetMovie().SetPosition(position_);
}

std::int16_t JxCQT3PlayAction::Execute()
{
    prepare();
    return media_ ? media_->Play(this) : 0;
}

std::int32_t JxCQT3PlayAction::GetPosition()
{
    return media_ ? media_->GetCurrentTime() : 0;
}

std::int16_t JxCQT3PlayAction::Resume()
{
    return media_ ? media_->Resume() : 0;
}

std::int16_t JxCQT3PlayAction::OnResourceStopped()
{
    JxCRunTimeObject* owner = GetOwner();
    if (!owner)
        return 1;
    JxCPanelObject* panel = GetOwnerPanel(this);
    if (panel && !panel->IsClosing())
        panel->Draw(nullptr, nullptr, 1);
    owner->Stop();
    return 1;
}

std::int32_t JxCQT3PlayAction::GetLength()
{
    return media_ ? media_->GetDuration() : 0;
}

std::int16_t JxCQT3PlayAction::IsPlaying()
{
    return media_ ? media_->IsPlaying() : 0;
}

std::int16_t JxCQT3PlayAction::IsPaused()
{
    return media_ ? media_->IsPaused() : 0;
}

std::int16_t JxCQT3PlayAction::Rewind(std::int32_t position)
{
    return media_ ? media_->Rewind(position) : 0;
}

std::int16_t JxCQT3PlayAction::Register(JxCRunTimeObject* owner)
{
    return media_ ? media_->Register(owner) : 0;
}

std::int16_t JxCQT3PlayAction::Unregister(JxCRunTimeObject* owner)
{
    return media_ ? media_->Unregister(owner) : 0;
}

JxCResourceObject* JxCQT3PlayAction::GetResource()
{
    return media_;
}
