#pragma once
// The save-as hotspot (object type "SaveAsHotspot").
//
// A stand-in so far: the factories build it by its name; its behaviour
// comes with the display objects.

#include "objects/widgets/JxCRollOverHotspot.h"

class JxCSaveAsHotspot : public JxCRollOverHotspot {
public:
    JxCSaveAsHotspot() = default;
    ~JxCSaveAsHotspot() override = default;
};
