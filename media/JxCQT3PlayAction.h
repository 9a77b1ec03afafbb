#pragma once
// The action "PLAYVIDEO": plays a movie.
//
// A stand-in so far: the factories build it by its name; its record and
// run come with the media.

#include "events/JxCAction.h"

class JxCQT3PlayAction : public JxCAction {
public:
    JxCQT3PlayAction() = default;
    JxCQT3PlayAction(const JxCQT3PlayAction&) = default;
    ~JxCQT3PlayAction() override = default;
};
