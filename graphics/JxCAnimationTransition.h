#pragma once
// An animation transition: a PICS animation, with its sound, played as the
// visual transition into a page. The program waits in a private message
// loop, with the mouse captured by the main window, until the animation
// has finished; the play-PICS action and its player do the playing. Only
// the animation's own messages are served meanwhile (its sound's
// completions, its frame timer, paints); input is dropped and everything
// else, the product's other timers among it, waits for the end.

#include <cstdint>
#include <deque>
#include <memory>

#include "events/JxCAction.h"
#include "events/JxCRunTimeObject.h"
#include "foundation/JxCString.h"
#include "platform/core/types.h"

class JxCAnimationTransition : public JxCRunTimeObject {
public:
    // A silent animation gets no completions; the loop looks at it this
    // often and gives up after the safety limit.
    static constexpr plat::UINT kTickMilliseconds = 100;
    static constexpr plat::DWORD kSafetyLimitMilliseconds = 120000;

    JxCAnimationTransition() = default;
    ~JxCAnimationTransition() override;
    JxCAnimationTransition(const JxCAnimationTransition&) = delete;
    JxCAnimationTransition& operator=(const JxCAnimationTransition&) = delete;

    // Makes the play-PICS action for the file in the panel; its parameter
    // result, 0 when the action cannot be made.
    virtual std::int16_t Read(const JxCString& file, JxCRunTimeObject* panel);
    // Plays and waits; 1 when the animation started and has finished.
    std::int16_t Run();
    // A wave-output completion, while this object owns the media.
    void OnSystemEvent(JxCTimerParams* record) override;
    JxCAction* GetAction() const { return action_.get(); }
    std::int16_t IsRunning() const { return running_; }

private:
    void waitForEnd();
    // Sorts one message taken in the loop; false when it was the quit.
    bool serve(const plat::MSG& msg, std::uintptr_t tick, plat::DWORD start);
    // A timer of the product whose client is this transition or its action.
    bool isOwnTimer(const plat::MSG& msg) const;
    // Keeps a message for after the animation.
    void hold(const plat::MSG& msg);

    std::unique_ptr<JxCAction> action_;
    std::int16_t running_ = 0;
    // Messages for later, posted again in order when the loop ends.
    std::deque<plat::MSG> held_;
};
