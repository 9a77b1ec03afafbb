#pragma once
// The base of the actions that event handlers post and the action processor
// runs.
//
// A stand-in so far: what the product's queue needs (the stopped word and
// Execute) and what media tell their actions. Action lists, Run, Post,
// Trigger, the stop notifications and the concrete actions come with the
// actions.

#include <cstdint>

#include "events/JxCRunTimeObject.h"

class JxCAction : public JxCRunTimeObject {
public:
    JxCAction() = default;
    ~JxCAction() override = default;

    // Starts the action; non-zero on success.
    virtual std::int16_t Execute() { return 1; }
    // The media the action drives (or is bound to) stopped or was rewound.
    virtual std::int16_t OnResourceStopped() { return 1; }
    // The resource player's acceptance, passed on by the media.
    virtual std::int16_t ReservedActionAccept() { return 1; }

    std::int16_t IsStopped() const { return stopped_; }
    void SetStopped(std::int16_t stopped) { stopped_ = stopped; }

private:
    std::int16_t stopped_ = 0;
};
