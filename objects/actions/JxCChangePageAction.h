#pragma once
// The action "CHANGEPAGE": changes the pages shown, with a panel transition.
//
// A stand-in so far: the factories build it by its name; its record and
// run come with the actions.

#include "events/JxCAction.h"

class JxCChangePageAction : public JxCAction {
public:
    JxCChangePageAction() = default;
    JxCChangePageAction(const JxCChangePageAction&) = default;
    ~JxCChangePageAction() override = default;
};
