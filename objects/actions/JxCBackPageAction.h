#pragma once
// The action "BACKPAGE": one step back through the visited pages, through
// the title's history. Its record holds nothing.

#include "events/JxCAction.h"

class JxCBackPageAction : public JxCAction {
public:
    JxCBackPageAction() = default;
    JxCBackPageAction(const JxCBackPageAction&) = default;
    ~JxCBackPageAction() override = default;

    // Reads nothing; 1.
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    // The title's going back (a history too short to go back is left
    // alone): its result.
    std::int16_t Execute() override;
};
