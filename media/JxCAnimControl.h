#pragma once
// The resource controller and the animation controller bar (object type
// "AnimationControl"): play, pause and rewind buttons and a meter for the
// animation on the page.
//
// Stand-ins so far: the factories build the bar by its name; its
// behaviour comes with the media.

#include "runtime/JxCDisplayObject.h"

class JxCResourceController : public JxCDisplayObject {
public:
    JxCResourceController() = default;
    ~JxCResourceController() override = default;
};

class JxCAnimControl : public JxCResourceController {
public:
    JxCAnimControl() = default;
    ~JxCAnimControl() override = default;
};
