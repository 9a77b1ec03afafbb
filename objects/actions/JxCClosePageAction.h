#pragma once
// The action "Closepage": closes an open page given by its page key.
// Record (big-endian, after the action's type id): u32 page key.
//
// The page it was opened from becomes the current page; the first page
// (the base page) is never closed.

#include <cstdint>

#include "events/JxCAction.h"

class JxCClosePageAction : public JxCAction {
public:
    JxCClosePageAction();
    JxCClosePageAction(const JxCClosePageAction& other);
    ~JxCClosePageAction() override = default;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    // Closes the page when it is open and not the first page; its opener,
    // or the first page when the opener is gone, becomes current. 1.
    std::int16_t Execute() override;
    // Queues a new close-page action with this target and subscriptions.
    std::int16_t Post() override;
    // "m_PageName"; 0.
    std::int16_t Describe(JxCString& text) override;
    // Read-only (5).
    std::int16_t SetParameterText(const JxCString& text) override;

    std::int16_t SetPageName(std::uint32_t pageKey);
    std::int16_t SetTarget(std::uint32_t pageKey, std::int32_t value);
    std::uint32_t GetPageName() const { return pageKey_; }

private:
    std::uint32_t pageKey_ = 0;
    std::int32_t value_ = 0;
};
