#pragma once
// The object of every window of the main class: the main window and the
// page windows. It handles their activation and focus: the focus page that
// follows the active window, the page remembered while the application is
// in the background, the caret that follows the keyboard focus. Its
// tear-down runs when it is deleted: the main window's ends the program's
// message loop, a page window's makes its parent's page current and raises
// "on_close" on the product.

#include "runtime/JxCBaseWindowObject.h"

class JxCMainTovelWindowObject : public JxCBaseWindowObject {
public:
    JxCMainTovelWindowObject() = default;
    ~JxCMainTovelWindowObject() override;
    std::int16_t HandleEvent(std::int16_t code, std::int16_t value, std::intptr_t value32) override;

private:
    std::int16_t appActivation(std::int16_t active);
    std::int16_t captionActivation(std::int16_t active);
    std::int16_t windowActivation(std::int16_t active, plat::HWND other);
    std::int16_t focus(std::int16_t gained, plat::HWND other);
};
