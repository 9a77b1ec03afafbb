#pragma once
// The small page actions: "BLEND", "SENDMESSAGE" (a message to a display
// object) and "BACKPAGE" (back through the visited pages).
//
// Stand-ins so far: the factories build them by their names; their records
// and runs come with the actions.

#include "events/JxCAction.h"

class JxCBlendAction : public JxCAction {
public:
    JxCBlendAction() = default;
    JxCBlendAction(const JxCBlendAction&) = default;
    ~JxCBlendAction() override = default;
};

class JxCSendMessageAction : public JxCAction {
public:
    JxCSendMessageAction() = default;
    JxCSendMessageAction(const JxCSendMessageAction&) = default;
    ~JxCSendMessageAction() override = default;
};

class JxCBackPageAction : public JxCAction {
public:
    JxCBackPageAction() = default;
    JxCBackPageAction(const JxCBackPageAction&) = default;
    ~JxCBackPageAction() override = default;
};
