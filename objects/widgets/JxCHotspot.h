#pragma once
// The hotspot (object type "Hotspot"): a region that raises "on_click".
//
// A stand-in so far: the factories build it by its name; its behaviour
// comes with the display objects.

#include "runtime/JxCDisplayObject.h"

class JxCHotspot : public JxCDisplayObject {
public:
    JxCHotspot() = default;
    ~JxCHotspot() override = default;
};
