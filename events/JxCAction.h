#pragma once
// The base of the actions that event handlers post and the action processor
// runs.
//
// A stand-in so far: what the product's queue needs (the stopped word and
// Execute). Action lists, Run, Post, Trigger, the stop notifications and the
// concrete actions come with the actions.

#include <cstdint>

#include "events/JxCRunTimeObject.h"

class JxCAction : public JxCRunTimeObject {
public:
    JxCAction() = default;
    ~JxCAction() override = default;

    // Starts the action; non-zero on success.
    virtual std::int16_t Execute() { return 1; }

    std::int16_t IsStopped() const { return stopped_; }
    void SetStopped(std::int16_t stopped) { stopped_ = stopped; }

private:
    std::int16_t stopped_ = 0;
};
