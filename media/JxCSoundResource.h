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
};
