#pragma once
// The media resource of a WAVE sound (resource kind 1).
//
// A stand-in so far: the resource factory builds it by its name; loading
// and playing come with the media.

#include "media/JxCResourceObject.h"

class JxCSoundResource : public JxCResourceObject {
public:
    JxCSoundResource() = default;
    ~JxCSoundResource() override = default;

    // Nothing loads yet: an action that asks for it gets no media.
    std::int16_t Open(JxCAction*) override { return 0; }
    std::int16_t HandleEvent(JxCTimerParams*, JxCAction*) override { return 1; }
};
