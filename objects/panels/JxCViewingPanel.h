#pragma once
// The viewing panel, the base of the title's panels.
//
// The viewing panel raises "on_open" when it starts and, on a release,
// closes its page's unlinked member pages before the object under the point
// reacts, so that a click outside a popup closes the popup.

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
    // Clears the title's navigation bar after pop-ups over a base page
    // closed.
    void resetNavigationBar();
};
