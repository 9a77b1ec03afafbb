#pragma once
// The collage display objects: the collage (object type "Collage"), the
// group collage that drives a set of collage buttons, and the collage
// button (object type "CollButton").
//
// Stand-ins so far: the factories build them by their names; their
// behaviour comes with the collages.

#include "objects/widgets/JxCButton.h"
#include "runtime/JxCDisplayObject.h"

class JxCCollage : public JxCDisplayObject {
public:
    JxCCollage() = default;
    ~JxCCollage() override = default;
};

class JxCGroupCollage : public JxCDisplayObject {
public:
    JxCGroupCollage() = default;
    ~JxCGroupCollage() override = default;
};

class JxCCollButton : public JxCButton {
public:
    JxCCollButton() = default;
    ~JxCCollButton() override = default;
};
