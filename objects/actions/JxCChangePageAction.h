#pragma once
// The action "CHANGEPAGE": shows another page in the window of an open page
// of the target's page type, without closing the window. The panels the two
// pages share stay, the others are built; the window follows the new size
// and template; the new panels are drawn with the action's panel
// transition; the pop-up pages shown are carried over and the new panels
// started.
//
// Record (big-endian, after the action's type id): u32 page key, s16 row of
// the transition table (0 "none" ... 6 "wipe_right"; -1 or a row outside
// the table: no transition).

#include <cstdint>

#include "events/JxCAction.h"

class JxCChangePageAction : public JxCAction {
public:
    JxCChangePageAction();
    JxCChangePageAction(const JxCChangePageAction& other);
    ~JxCChangePageAction() override = default;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    // 1 when the page shows the target (changed now or shown already).
    std::int16_t Execute() override;
    // "m_PageName, " and the keyword of the row (nothing for no row); 0.
    std::int16_t Describe(JxCString& text) override;
    // Read-only (5).
    std::int16_t SetParameterText(const JxCString& text) override;

    // The target and the row of the panel transition type (-1 when no row
    // holds it); 1.
    std::int16_t SetTarget(std::uint32_t pageKey, std::int32_t transitionType);
    void CopyTarget(const JxCChangePageAction& other);

    std::uint32_t GetPageKey() const { return pageName_; }
    std::int32_t GetTransitionRow() const { return transition_; }

private:
    std::uint32_t pageName_ = 0;
    std::int32_t transition_ = -1;
};
