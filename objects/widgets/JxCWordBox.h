#pragma once
// The word box (object type "WordBox"): a display object with no behaviour
// of its own. It takes part in hit testing, cursors, properties and
// handlers as every display object does, loads nothing and draws nothing,
// so the panel's background shows through. Its record is the display
// object's.

#include "runtime/JxCDisplayObject.h"

class JxCWordBox : public JxCDisplayObject {
public:
    JxCWordBox() = default;
    ~JxCWordBox() override = default;
};
