#pragma once
// The shared media object of a PICS animation: one player, opened by the
// animation's name ("@NAME", "&NAME", "\PATH" or a name under the data
// path), drawn onto the slate of the container of the action that plays it.
//
// The sound paces the picture: each completed sound buffer, handed on by
// the product's media owner, is one step of the player. When a step leaves
// frames to show and no sound in flight (chunks without sound, or a file
// without any), a product timer of the media owner takes the sound's place,
// one step a tick, until the animation has finished.

#include <cstdint>
#include <memory>

#include "media/JxCResourceObject.h"
#include "media/JxPicsPlayer.h"

class JxCPlayPicsAction;
class JxCRunTimeObject;

class JxCPicsResource : public JxCResourceObject {
public:
    static constexpr unsigned kNoSlateId = 1002;
    static constexpr unsigned kNotOpenId = 1042;
    static constexpr unsigned kPlayFailedId = 1043;

    JxCPicsResource();
    ~JxCPicsResource() override;

    std::int16_t Open(JxCAction* action) override;
    std::int16_t Play(JxCAction* action) override;
    // Closes the player.
    std::int16_t Stop() override;
    // Positions 0 and 1 only: closes, opens again and tells the actions.
    std::int16_t Rewind(std::int32_t position) override;
    std::int16_t HandleEvent(JxCTimerParams* record, JxCAction* action) override;
    std::int16_t Register(JxCNotifyRoot* owner) override;
    bool WroteWaveBuffer(std::intptr_t buffer) const override;
    std::int16_t Unregister(JxCNotifyRoot* owner) override;
    std::int32_t GetLength() override { return std::int32_t(frameCount_); }
    std::int32_t GetPosition() override { return std::int32_t(GetPICSFrame(player_.get())); }
    std::int16_t IsPlaying() override { return GetPICSState(player_.get()) == kPicsPlaying; }
    std::int16_t IsPaused() override { return GetPICSState(player_.get()) == kPicsPaused; }
    std::int16_t IsStopped() override { return !player_ || player_->state == kPicsOpen; }
    std::int16_t IsFinished() override { return !player_ || player_->state == kPicsFinished; }
    std::int16_t IsOpen() override { return player_ != nullptr; }

    // StopPICS and ResumePICS; true when they succeeded.
    std::int16_t Pause();
    std::int16_t Resume();

    JxCPlayPicsAction* GetPlayAction() const { return playAction_; }
    void SetPlayAction(JxCPlayPicsAction* action) { playAction_ = action; }
    std::int16_t IsPrepared() const { return prepared_; }
    void SetPrepared(std::int16_t prepared) { prepared_ = prepared; }
    const JxPicsPlayer* GetPlayer() const { return player_.get(); }

    // The play action that leaves the media is forgotten with it.
    void RemoveAction(JxCAction* action) override;
    // So is a dying owner's frame timer, which the product killed with it:
    // a new object may take both its address and its timer.
    void ForgetWaveOwner(const JxCNotifyRoot* dying) override;

private:
    // The container that shows the action's frames; null without one.
    static JxCRunTimeObject* ContainerOf(JxCAction* action);
    // A failed play: the busy mark goes, and the failure is reported once.
    std::int16_t playFailed(std::int16_t code);
    bool isStep(const JxCTimerParams* record) const;
    // Starts or stops the frame timer as the player needs it.
    void updateFrameTimer();
    void stopFrameTimer();

    std::unique_ptr<JxPicsPlayer> player_;
    std::uint32_t frameCount_ = 0;
    JxCPlayPicsAction* playAction_ = nullptr;
    std::int16_t prepared_ = 0;
    JxCNotifyRoot* timerOwner_ = nullptr;
    std::int16_t timerSlot_ = -1;
};
