#pragma once
// The action "Closepage": closes a page.
//
// A stand-in so far: the factories build it by its name; its record and
// run come with the actions.

#include "events/JxCAction.h"

class JxCClosePageAction : public JxCAction {
public:
    JxCClosePageAction() = default;
    JxCClosePageAction(const JxCClosePageAction&) = default;
    ~JxCClosePageAction() override = default;
};
