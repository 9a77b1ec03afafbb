#pragma once
// The action "PLAYWAVE": plays a WAVE sound, shared by name with every
// other action that names it, through a resource player that it holds
// while the sound plays.
//
// It binds to its sound when it is read or set up and keeps it, unless its
// open parameter is -1: then it binds only when it runs and lets the sound
// go when the sound stops. A suppressible sound is not played while the
// product suppresses sounds. With its waiting word set the action list
// waits until the sound ends. A third value of -1 or -2 makes the sound
// start again each time it would stop (the sound plays on until the page
// or a click stops every playing object).
//
// Record (big-endian, after the type id): counted sound name; s16 first
// value, s16 second value, s16 open parameter, s16 third value (each
// widened with its sign); u16 suppressible; u16 waiting word.

#include <cstdint>

#include "events/JxCAction.h"
#include "foundation/JxCString.h"

class JxCResourcePlayer;
class JxCSoundResource;

class JxCPlaySoundAction : public JxCAction {
public:
    static constexpr std::int32_t kBindWhenRun = -1;

    JxCPlaySoundAction();
    // CopyFrom.
    JxCPlaySoundAction(const JxCPlaySoundAction& other);
    JxCPlaySoundAction& operator=(const JxCPlaySoundAction&) = delete;
    // Lets go of the player, then of the sound.
    ~JxCPlaySoundAction() override;

    // Takes the fields and the owner and binds as the open parameter says:
    // 1 when binding waits for the run, else whether a sound was bound.
    std::int16_t SetParameters(const JxCString& name, std::int32_t first, std::int32_t second,
                               std::int32_t openParam, std::int32_t third, std::int16_t suppressible,
                               JxCRunTimeObject* owner);
    // The fields, the owner, the waiting word and the bound sound, which
    // the copy joins.
    void CopyFrom(const JxCPlaySoundAction& other);

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    // 1 (done) without a sound or while sounds are suppressed for a
    // suppressible action; 0 while the sound already plays or when it
    // cannot start; else the sound starts through a new player.
    std::int16_t Execute() override;
    std::int32_t GetPosition() override;
    std::int16_t Resume() override;
    // The sound stopped or was rewound: a run-bound action lets it go, any
    // other stops its owner.
    std::int16_t OnResourceStopped() override;
    // Restarts the sound for a third value of -1 or -2; else the action is
    // stopped (and a run-bound one lets its sound go).
    std::int16_t Stop() override;
    std::int32_t GetLength() override;
    std::int16_t IsPlaying() override;
    std::int16_t IsPaused() override;
    // Any sound: the names are not compared.
    std::int16_t UsesResource(std::int16_t actionTypeId, std::int16_t resourceKind) override;
    std::int16_t Register(JxCRunTimeObject* owner) override;
    std::int16_t Unregister(JxCRunTimeObject* owner) override;
    std::int16_t HandleResourceEvent(JxCTimerParams* record) override;
    // "NAME, first,second,open,third,suppressible"; 0.
    std::int16_t Describe(JxCString& text) override;
    // Refused (read-only).
    std::int16_t SetParameterText(const JxCString& text) override;
    std::int16_t IsMediaAction() override { return 1; }
    JxCResourceObject* GetResource() override;

    const JxCString& GetSoundName() const { return name_; }
    std::int32_t GetFirstValue() const { return first_; }
    std::int32_t GetSecondValue() const { return second_; }
    std::int32_t GetThirdValue() const { return third_; }
    std::int32_t GetOpenParam() const { return openParam_; }
    std::int16_t IsSuppressible() const { return suppressible_; }
    JxCSoundResource* GetSound() const { return sound_; }

private:
    std::int16_t bind(std::int32_t openParam);
    void unbind();
    JxCResourcePlayer* player() const;
    std::int16_t restart();

    JxCSoundResource* sound_ = nullptr;
    JxCString name_;
    std::int32_t first_ = 0;
    std::int32_t second_ = 0;
    std::int32_t third_ = 0;
    std::int32_t openParam_ = 0;
    std::int16_t suppressible_ = 0;
};
