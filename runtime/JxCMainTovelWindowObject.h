#pragma once
// The object of every window of the main class: the main window and the
// page windows. Its tear-down runs when it is deleted: the main window's
// ends the program's message loop.

#include "runtime/JxCBaseWindowObject.h"

class JxCMainTovelWindowObject : public JxCBaseWindowObject {
public:
    JxCMainTovelWindowObject() = default;
    ~JxCMainTovelWindowObject() override;
    // Application activation keeps the application-active word; otherwise
    // activation and focus take the base's default processing until the
    // page routing of the main window is built (focus page, caret, the
    // swallowed reactivating click).
    std::int16_t HandleEvent(std::int16_t code, std::int16_t value, std::int32_t value32) override;
};
