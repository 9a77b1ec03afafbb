#pragma once
// The action "OPENPAGE": opens a page by its id.
//
// A stand-in so far: the factories build it by its name; its record and
// run come with the actions.

#include "events/JxCAction.h"

class JxCOpenPageAction : public JxCAction {
public:
    JxCOpenPageAction() = default;
    JxCOpenPageAction(const JxCOpenPageAction&) = default;
    ~JxCOpenPageAction() override = default;
};
