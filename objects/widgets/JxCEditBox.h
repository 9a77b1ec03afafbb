#pragma once
// The edit box (object type "EditBox").
//
// A stand-in so far: the factories build it by its name; its behaviour
// comes with the display objects.

#include "runtime/JxCDisplayObject.h"

class JxCEditBox : public JxCDisplayObject {
public:
    JxCEditBox() = default;
    ~JxCEditBox() override = default;
};
