#pragma once
// The viewing panel and the transparent panel (panel type
// "TransparentPanel").
//
// Stand-ins so far: the factories build them by their names; their
// behaviour comes with the panels.

#include "runtime/JxCPanelObject.h"

class JxCViewingPanel : public JxCPanelObject {
public:
    JxCViewingPanel() = default;
    ~JxCViewingPanel() override = default;
};

class JxCTransparentPanel : public JxCViewingPanel {
public:
    JxCTransparentPanel() = default;
    ~JxCTransparentPanel() override = default;
};
