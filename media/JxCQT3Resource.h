#pragma once
// The media object of a movie (resource kind 3): one movie file, opened
// while the object lives, played from a start to an end point (frames,
// kept as movie time) at the place the play action chose or at a marker
// object of the owner's panel, in the owner's page window.
//
// While a movie plays, a product timer of its own checks for its end; at
// the end the movie stops and the action that drives it is told to stop,
// so an action list waiting for it goes on. A pause keeps the movie where
// it is and the check quiet.

#include <cstdint>
#include <memory>

#include "events/JxCNotifyRoot.h"
#include "media/JxCQT3Movie.h"
#include "media/JxCResourceObject.h"

class JxCPanelObject;

class JxCQT3Resource : public JxCResourceObject {
public:
    static constexpr unsigned kCannotLoadId = 1177;

    JxCQT3Resource();
    ~JxCQT3Resource() override;

    std::int16_t InitWithContext(const JxCString& name, std::int32_t openParam, JxCAction* action) override;
    std::int16_t Init(const JxCString& name, std::int32_t openParam) override;
    // Opens the movie file; message 1177 with the library's error on failure.
    std::int16_t Open(JxCAction* action) override;
    std::int16_t IsAvailable() override { return 0; }
    std::int16_t Play(JxCAction* action) override;
    std::int16_t Stop() override;
    // Moves the movie to the position (frames); at 0 also stops and redraws.
    std::int16_t Rewind(std::int32_t position) override;
    // The end check: unless paused, a movie that is done is stopped and its
    // driving action told to stop.
    std::int16_t HandleEvent(JxCTimerParams* record, JxCAction* action) override;
    // A product timer for the owner (and its end).
    std::int16_t Register(JxCNotifyRoot* owner) override;
    std::int16_t Unregister(JxCNotifyRoot* owner) override;
    std::int16_t IsPlaying() override { return movie_.IsPlaying(); }
    std::int16_t IsPaused() override { return paused_; }
    std::int16_t IsStopped() override;
    std::int16_t IsFinished() override { return movie_.IsDone(); }
    std::int16_t IsOpen() override { return movie_.IsOpen(); }

    virtual std::int16_t InitConverted(const JxCString& name, std::int32_t openParam);
    virtual std::int16_t Pause();
    virtual std::int16_t Resume();
    // In frames.
    virtual std::int32_t GetDuration() { return movie_.GetDurationUnits(); }
    virtual std::int32_t GetCurrentTime() { return movie_.GetCurrentUnits(); }

    // Plays to one frame after (direction 1) or before the position and
    // pauses there; false when that lies outside the movie's play range.
    std::int16_t StepTo(std::int32_t position, std::int16_t direction);
    // Stops the movie, hides it and has its panel draw the area again.
    void StopAndRedraw();
    // Moves the movie to the marker object (see SetClientData) unless it
    // has been placed already.
    void PlaceMovie();
    // Positions in frames; a negative start plays from 0, a negative end
    // to the movie's end.
    void SetStartPoint(std::int32_t position);
    void SetEndPoint(std::int32_t position);
    // The id of the display object on the owner's panel where the movie
    // goes; -1: none.
    void SetClientData(std::int32_t data) { clientData_ = data; }
    // Kept for the play action's step word; it changes nothing.
    void SetStepWord(std::int16_t) {}

    JxCQT3Movie& GetMovie() { return movie_; }
    std::int32_t GetStartTime() const { return start_; }
    std::int32_t GetEndTime() const { return end_; }
    const JxCString& GetMovieName() const { return movieName_; }
    std::int16_t IsTicking() const { return ticking_; }

private:
    class Ticker;

    plat::HWND windowFor(JxCAction* action) const;
    void startTicking();
    void stopTicking();

    JxCQT3Movie movie_;
    std::int32_t start_ = 0;
    std::int32_t end_ = -1;
    JxCString movieName_;
    std::int16_t paused_ = 0;
    std::int32_t clientData_ = -1;
    std::unique_ptr<Ticker> ticker_;
    std::int16_t ticking_ = 0;
};

// The panel that holds the action's owner, or null.
JxCPanelObject* GetOwnerPanel(JxCAction* action);
