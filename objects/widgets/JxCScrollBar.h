#pragma once
// The scroll bar (object type "ScrollBaa").
//
// A stand-in so far: the factories build it by its name; its behaviour
// comes with the scrolling objects.

#include "runtime/JxCDisplayObject.h"

class JxCScrollBar : public JxCDisplayObject {
public:
    JxCScrollBar() = default;
    ~JxCScrollBar() override = default;
};
