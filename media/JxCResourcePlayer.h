#pragma once
// The resource player: it owns the playing of one media action. It becomes
// the product's media owner, so the sound completions (and the animation's
// frame timer) reach it; it hands each to the media and, once the media has
// finished, lets go of it and stops the action, which the action processor
// then hears.

#include <cstdint>

#include "events/JxCRunTimeObject.h"

class JxCAction;
class JxCResourceObject;

class JxCResourcePlayer : public JxCRunTimeObject {
public:
    JxCResourcePlayer() = default;
    // A registered player stops first.
    ~JxCResourcePlayer() override;

    // Makes the player the media's owner; the registered word.
    virtual std::int16_t Register();
    // True when no longer registered.
    virtual std::int16_t Unregister();
    // Takes the action and its media; true when registered (false without
    // media or while the media plays).
    virtual std::int16_t Prepare(JxCAction* action);
    // Prepare, then the media plays for the action; the media's result.
    virtual std::int16_t Start(JxCAction* action);
    virtual std::int16_t HandleEvent(JxCTimerParams* record);
    // Unregisters and forgets the action and the media; 1.
    std::int16_t Stop() override;
    // A completion or a tick.
    void OnSystemEvent(JxCTimerParams* record) override;

    std::int16_t IsRegistered() const { return registered_; }
    JxCAction* GetAction() const { return action_; }

private:
    // The action still has an owner (the processor clears the owner of a
    // queued action when it dies) and that owner a container; any sound
    // plays on.
    bool ownerLives() const;

    std::int16_t registered_ = 0;
    JxCAction* action_ = nullptr;
    JxCResourceObject* media_ = nullptr;
};
