#pragma once
// The button (object type "Button").
//
// A stand-in so far: the factories build it by its name; its behaviour
// comes with the display objects.

#include "runtime/JxCDisplayObject.h"

class JxCButton : public JxCDisplayObject {
public:
    JxCButton() = default;
    ~JxCButton() override = default;
};
