#pragma once
// The word box (object type "WordBox").
//
// A stand-in so far: the factories build it by its name; its behaviour
// comes with the display objects.

#include "runtime/JxCDisplayObject.h"

class JxCWordBox : public JxCDisplayObject {
public:
    JxCWordBox() = default;
    ~JxCWordBox() override = default;
};
