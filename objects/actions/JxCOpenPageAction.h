#pragma once
// The action "OPENPAGE": opens a page by its key, with a window transition
// and a parameter for the opening. Record (big-endian, after the action's
// type id): u32 page key, s16 transition index, s16 parameter.

#include <cstdint>

#include "events/JxCAction.h"

class JxCOpenPageAction : public JxCAction {
public:
    JxCOpenPageAction();
    JxCOpenPageAction(const JxCOpenPageAction& other);
    ~JxCOpenPageAction() override = default;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    // Opens the target. A base page that is not open yet changes the page
    // of the main window instead (a change-page action run here). While
    // the quiz page is open and the target is not its test page, the page
    // below the quiz becomes current first. A failed opening drops the
    // errors it queued and still succeeds.
    std::int16_t Execute() override;
    // Queues a new open-page action with this target and subscriptions.
    std::int16_t Post() override;
    // "m_PageName, " and the transition's keyword.
    std::int16_t Describe(JxCString& text) override;
    // Read-only (5).
    std::int16_t SetParameterText(const JxCString& text) override;

    std::int16_t SetTarget(std::uint32_t pageKey, std::int32_t transition, std::int32_t parameter);
    std::int16_t SetTargetWithParam(std::uint32_t pageKey, std::int32_t transition);
    void CopyTarget(const JxCOpenPageAction& other);
    std::int16_t SameTarget(const JxCOpenPageAction& other) const;

    std::uint32_t GetPageKey() const { return pageKey_; }
    std::int32_t GetTransition() const { return transition_; }
    std::int32_t GetParameter() const { return parameter_; }

private:
    std::uint32_t pageKey_ = 0;
    std::int32_t transition_ = 0;
    std::int32_t parameter_ = 0;
};
