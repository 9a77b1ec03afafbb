#pragma once
// The action "PLAYINTROPICS": a queued PICS play whose animation, when
// stopped, stays at the frame it reached instead of going back to its start
// (unless its record asks for the rewind).

#include "media/JxPicsActions.h"

class JxCGvIntroPicsAction : public JxCPlayQueuePicsAction {
public:
    JxCGvIntroPicsAction() { SetRewindOnStop(0); }
    JxCGvIntroPicsAction(const JxCGvIntroPicsAction&) = default;
    ~JxCGvIntroPicsAction() override = default;
};
