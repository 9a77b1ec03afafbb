#pragma once
// The title's page-opening actions, both with the open-page action's record
// (u32 page key, s16 transition, s16 parameter):
//   "AppendPageAction" opens its page on top of the frontmost page that is
//   not kept open (which becomes the current and the focus page); with
//   every page kept open, or none, nothing opens and it fails (0);
//   "Firstlog" opens its page only while no user is registered yet.

#include "objects/actions/JxCOpenPageAction.h"

class JxCAppendPageAction : public JxCOpenPageAction {
public:
    JxCAppendPageAction();
    JxCAppendPageAction(const JxCAppendPageAction& other) = default;
    ~JxCAppendPageAction() override = default;

    std::int16_t Execute() override;
};

class JxCFirstLogAction : public JxCOpenPageAction {
public:
    JxCFirstLogAction();
    JxCFirstLogAction(const JxCFirstLogAction& other) = default;
    ~JxCFirstLogAction() override = default;

    // Done (1) without opening anything once a user is registered.
    std::int16_t Execute() override;
};
