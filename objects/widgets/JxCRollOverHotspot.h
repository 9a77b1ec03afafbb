#pragma once
// The rollover hotspot: a hotspot that changes its look under the mouse.
//
// A stand-in so far, the base of the save-as hotspot; its behaviour comes
// with the display objects.

#include "objects/widgets/JxCHotspot.h"

class JxCRollOverHotspot : public JxCHotspot {
public:
    JxCRollOverHotspot() = default;
    ~JxCRollOverHotspot() override = default;
};
