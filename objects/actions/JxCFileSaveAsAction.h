#pragma once
// The action "FileSaveAs": saves a copy of a title file under a name the user picks.
//
// A stand-in so far: the factories build it by its name; its record and
// run come with the actions.

#include "events/JxCAction.h"

class JxCFileSaveAsAction : public JxCAction {
public:
    JxCFileSaveAsAction() = default;
    JxCFileSaveAsAction(const JxCFileSaveAsAction&) = default;
    ~JxCFileSaveAsAction() override = default;
};
