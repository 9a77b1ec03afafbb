#pragma once
// The action "Closepage": closes an open page given by its page key.
// Record (big-endian, after the action's type id): u32 page key.
//
// Reading so far; closing the page comes with the pages.

#include <cstdint>

#include "events/JxCAction.h"

class JxCClosePageAction : public JxCAction {
public:
    JxCClosePageAction();
    JxCClosePageAction(const JxCClosePageAction& other);
    ~JxCClosePageAction() override = default;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
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
