#pragma once
// An action for tests of the event machinery and the action processor: it
// notes each start (and its deletion) in a log and, once started, plays
// until the test tells it to finish, as a sound or an animation would.
//
//   testkit::ActionLog log;
//   testkit::PlayingAction sound("sound", log);     // plays, waits
//   sound.plays = true; sound.waits = false;        // plays in the background
//   ...
//   testkit::PlayingAction::Find("sound")->Finish();
//
// Copies (the clones that posting queues) share the log and the settings;
// the factory below makes the processor's clones of it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "events/JxCAction.h"

namespace testkit {

using ActionLog = std::vector<std::string>;

class PlayingAction : public JxCAction {
public:
    PlayingAction(std::string name, ActionLog& log);
    PlayingAction(const PlayingAction& other);
    ~PlayingAction() override;

    std::int16_t Execute() override;
    std::int16_t IsPlaying() override;
    std::int16_t IsWaiting() override;
    // Two playing actions of one non-zero resource kind conflict.
    std::int16_t UsesResource(std::int16_t actionTypeId, std::int16_t resourceKind) override;

    // The playing ends: the action is stopped (and tells its receivers).
    void Finish();
    bool IsPlayingNow() const { return playing_; }
    const std::string& GetName() const { return name_; }

    // The live copy of that name that plays now, else the last made; null
    // when none lives.
    static PlayingAction* Find(const std::string& name);
    static int LiveCount();

    // Once started it plays on (else it is done when Execute returns).
    bool plays = true;
    // The processor holds the rest of its list while it plays.
    bool waits = true;
    // Execute fails.
    bool fails = false;
    // Runs inside Execute.
    std::function<void()> during;

private:
    std::string name_;
    ActionLog* log_;
    bool playing_ = false;
};

// Installs an action factory that makes and clones playing actions under
// the type id (any other id makes nothing); the previous factory comes back
// when the guard goes.
class PlayingActionFactory {
public:
    explicit PlayingActionFactory(std::int16_t typeId);
    ~PlayingActionFactory();
    PlayingActionFactory(const PlayingActionFactory&) = delete;
    PlayingActionFactory& operator=(const PlayingActionFactory&) = delete;

private:
    JxActionFactory previous_;
};

}  // namespace testkit
