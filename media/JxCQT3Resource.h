#pragma once
// The media resource of a movie (resource kind 3).
//
// A stand-in so far: the resource factory builds it by its name; loading
// and playing come with the media.

#include "media/JxCResourceObject.h"

class JxCQT3Resource : public JxCResourceObject {
public:
    JxCQT3Resource() = default;
    ~JxCQT3Resource() override = default;
};
