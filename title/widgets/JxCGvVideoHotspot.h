#pragma once
// The video hotspot (object type "VideoHotspot"): a clickable area that
// plays a movie at the place of another display object, its target. The
// target is looked for on the hotspot's own panel, else on the panel with
// the target panel id of the frontmost open page that has both. A click on
// a stopped hotspot plays the movie from its start; a click while it plays
// stops it with every other playing object. While the movie plays the
// hotspot holds one product timer (200 ms) that watches for the end: then
// it stops the movie (rewinding it first when asked) and raises
// "on_finish". The timer is given back when the movie finishes, when the
// hotspot stops and when it goes.
//
// Record, after the display object's: counted movie name, u16 (kept, not
// used), s16 target object id, s16 target panel id, u16 rewind word (a
// finished movie goes back to its start; the play action's stop on
// destroy), u16 auto-play word (the hotspot plays as its page starts).

#include <cstdint>

#include "foundation/JxCString.h"
#include "media/JxCQT3PlayAction.h"
#include "runtime/JxCDisplayObject.h"

class JxCPanelObject;

class JxCGvVideoHotspot : public JxCDisplayObject {
public:
    static constexpr plat::UINT kWatchIntervalMs = 200;

    JxCGvVideoHotspot() = default;
    // Gives the timer back; the play action stops the movie when it is to
    // stop on destroy.
    ~JxCGvVideoHotspot() override;

    // 0 when the display object's part fails or the record ends early.
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    // Finds the target and sets the play action up at its place; 0 without
    // a panel and page, or when no target is found.
    std::int16_t CreateResources() override;
    // Plays at once when the auto-play word is set.
    std::int16_t Start() override;
    std::int16_t MouseUp(const JxCPoint& point, std::int16_t flag) override;
    std::int16_t Stop() override;
    // The watch for the movie's end.
    void OnSystemEvent(JxCTimerParams* record) override;

    const JxCString& GetMovieName() const { return movieName_; }
    std::int32_t GetTargetObjectId() const { return targetObjectId_; }
    std::int32_t GetTargetPanelId() const { return targetPanelId_; }
    std::int16_t GetRewindWord() const { return rewind_; }
    std::int16_t GetAutoPlay() const { return autoPlay_; }
    std::int16_t HoldsTimer() const { return timer_; }
    std::int16_t GetKeptWord() const { return word_; }
    JxCQT3PlayAction& GetPlayAction() { return play_; }

private:
    void releaseTimer();
    // The movie's place in the page window: the target's top-left on its
    // panel, below the page's caption.
    bool findPlace(JxCPoint& place);

    JxCString movieName_;
    // After the name, which it refers to, so that it goes first.
    JxCQT3PlayAction play_;
    std::int32_t targetObjectId_ = 0;
    std::int32_t targetPanelId_ = 0;
    std::int16_t word_ = 0;
    std::int16_t rewind_ = 0;
    std::int16_t autoPlay_ = 0;
    std::int16_t timer_ = 0;
};
