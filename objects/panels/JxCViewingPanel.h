#pragma once
// The viewing panel, the base of the title's panels, and the transparent
// panel (panel type "TransparentPanel").
//
// The viewing panel raises "on_open" when it starts and, on a release,
// closes its page's unlinked member pages before the object under the point
// reacts, so that a click outside a popup closes the popup. The transparent
// panel's see-through drawing and the passing of releases to the page
// beneath are not there yet: it behaves as a viewing panel.

#include "runtime/JxCPanelObject.h"

class JxCViewingPanel : public JxCPanelObject {
public:
    JxCViewingPanel() = default;
    // Marks itself closing and closes every member page of its page.
    ~JxCViewingPanel() override;

    std::int16_t Start() override;
    // 0 when closing the member pages fails.
    std::int16_t MouseUp(const JxCPoint& point) override;

private:
    void releaseToCaptured(JxCDisplayObject& object, const JxCPoint& at, bool membersClosed, bool closingClick);
};

class JxCTransparentPanel : public JxCViewingPanel {
public:
    JxCTransparentPanel() = default;
    ~JxCTransparentPanel() override = default;
};
