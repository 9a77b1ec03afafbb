#pragma once
// A panel: a part of a page with its own display objects and off-screen
// slate.
//
// A stand-in so far: the panel classes of the factories can already derive
// from it. The panels themselves come with the objects layer, which grows
// this class.

#include "events/JxCRunTimeObject.h"

class JxCPanelObject : public JxCRunTimeObject {
public:
    JxCPanelObject() = default;
    ~JxCPanelObject() override = default;
};
