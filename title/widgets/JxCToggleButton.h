#pragma once
// Object type "ToggleButton": a push button under another name; it has no
// behaviour of its own.

#include "objects/widgets/JxCButton.h"

class JxCToggleButton : public JxCButton {
public:
    JxCToggleButton() = default;
    ~JxCToggleButton() override = default;
};
