#pragma once
// A media resource: a sound, a PICS animation or a movie that an action
// plays.
//
// A stand-in so far: the resource factory can build its kinds by name;
// loading, playing and the list of playing resources come with the media.

#include "foundation/JxCObject.h"

class JxCResourceObject : public JxCObject {
public:
    JxCResourceObject() = default;
    ~JxCResourceObject() override = default;
};
