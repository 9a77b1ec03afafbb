#pragma once
// The action "SENDMESSAGE": hands a number to the first display object
// that carries a tag, as a message of two values (the number, then 0).
// Run with its owner, it looks only in the owner's panel; a posted copy
// has no owner and looks through every panel of every open page, first
// page first.
//
// Record (big-endian): s16 target tag, s16 message value, each widened
// with its sign.

#include <cstdint>

#include "events/JxCAction.h"

class JxCSendMessageAction : public JxCAction {
public:
    JxCSendMessageAction() = default;
    JxCSendMessageAction(const JxCSendMessageAction&) = default;
    ~JxCSendMessageAction() override = default;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    // The receiver's answer; 1 when no object carries the tag.
    std::int16_t Execute() override;
    // Queues a copy without an owner, with this action's subscriptions; 0
    // when it could not be queued.
    std::int16_t Post() override;
    // "m_Objectname"; 0.
    std::int16_t Describe(JxCString& text) override;

    std::int32_t GetTargetTag() const { return tag_; }
    std::int32_t GetValue() const { return value_; }
    void SetParameters(std::int32_t tag, std::int32_t value)
    {
        tag_ = tag;
        value_ = value;
    }

private:
    std::int32_t tag_ = 0;
    std::int32_t value_ = 0;
};
