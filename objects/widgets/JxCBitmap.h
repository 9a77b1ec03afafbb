#pragma once
// The bitmap display object (object type "Bitmap").
//
// A stand-in so far: the factories build it by its name; its record,
// drawing and shared bitmap cache come with the display objects.

#include "runtime/JxCDisplayObject.h"

class JxCBitmap : public JxCDisplayObject {
public:
    JxCBitmap() = default;
    ~JxCBitmap() override = default;
};
