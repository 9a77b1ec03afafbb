#pragma once
// The action "PLAYWAVE": plays a WAVE sound.
//
// A stand-in so far: the factories build it by its name; its record and
// run come with the media.

#include "events/JxCAction.h"

class JxCPlaySoundAction : public JxCAction {
public:
    JxCPlaySoundAction() = default;
    JxCPlaySoundAction(const JxCPlaySoundAction&) = default;
    ~JxCPlaySoundAction() override = default;
};
