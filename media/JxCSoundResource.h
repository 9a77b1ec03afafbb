#pragma once
// The media object of a WAVE sound (resource kind 1): the sound read at
// Open through the streaming wave player, played with the main page's
// window as the window that hears its completions (message 957), which the
// product hands to the sound's owner and so back here.
//
// A sound that cannot be loaded is reported (message 1001) and stays a
// silent media object: Open still succeeds, Play then fails.

#include <array>
#include <cstddef>
#include <memory>

#include "media/JxCResource.h"
#include "media/JxCResourceObject.h"
#include "media/JxWavePlayer.h"

class JxCSoundResource : public JxCResourceObject {
public:
    static constexpr unsigned kNotFoundId = 1001;

    JxCSoundResource();
    ~JxCSoundResource() override;

    std::int16_t Open(JxCAction* action) override;
    std::int16_t Play(JxCAction* action) override;
    std::int16_t Stop() override;
    // Only a rewind to 0 does anything; always true.
    std::int16_t Rewind(std::int32_t position) override;
    // A finished buffer: the record's value is its header.
    std::int16_t HandleEvent(JxCTimerParams* record, JxCAction* action) override;
    // The owner becomes (and stops being) the product's media owner.
    std::int16_t Register(JxCNotifyRoot* owner) override;
    bool WroteWaveBuffer(std::intptr_t buffer) const override;
    std::int16_t Unregister(JxCNotifyRoot* owner) override;
    std::int32_t GetLength() override { return GetWaveLength(wave_); }
    std::int32_t GetPosition() override { return GetWavePosition(wave_); }
    std::int16_t IsPlaying() override { return wave_ && wave_->state == kWavePlaying; }
    std::int16_t IsPaused() override { return wave_ && wave_->state == kWavePaused; }
    std::int16_t IsStopped() override { return GetPosition() == 0 && !IsPlaying(); }
    std::int16_t IsFinished() override { return GetPosition() >= GetLength(); }

    // Device pause and restart; 0 when nothing plays.
    std::int16_t Pause() { return PauseWave(wave_); }
    std::int16_t Resume() { return ResumeWave(wave_); }

    const JxWaveRecord* GetWave() const { return wave_; }

    // The three parameter words a play-sound action hands the sound as it
    // runs; kept for the actions, the wave player does not read them.
    void SetParameterWords(std::int32_t first, std::int32_t second, std::int32_t third)
    {
        words_[0] = first;
        words_[1] = second;
        words_[2] = third;
    }
    // Word 0, 1 or 2.
    std::int32_t GetParameterWord(int index) const { return words_.at(std::size_t(index)); }

private:
    void freeWave();

    JxWaveRecord* wave_ = nullptr;
    std::unique_ptr<JxCWaveResource> memory_;
    std::array<std::int32_t, 3> words_{};
};
