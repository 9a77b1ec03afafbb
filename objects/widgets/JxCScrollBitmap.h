#pragma once
// The scroll bitmap: a picture larger than its window, scrolled by a scroll
// bar.
//
// A stand-in so far, the base of the title's scroll bitmap; its behaviour
// comes with the scrolling objects.

#include "runtime/JxCDisplayObject.h"

class JxCScrollBitmap : public JxCDisplayObject {
public:
    JxCScrollBitmap() = default;
    ~JxCScrollBitmap() override = default;
};
