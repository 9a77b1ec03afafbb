#pragma once
// The sticky button (object type "StickyButton"): a push button that stays
// pressed after a click until the title's code releases it; the quiz
// panel's answer button. While stuck it ignores the mouse and draws its
// pressed picture. Press sticks it without a click ("on_click" is not
// raised), unless media plays; Release lets it up again.
//
// Its record is the button's.

#include <cstdint>

#include "objects/widgets/JxCButton.h"

class JxCGvStickyButton : public JxCButton {
public:
    JxCGvStickyButton() = default;
    ~JxCGvStickyButton() override = default;

    // The disabled picture while disabled (when it has one), else the
    // pressed one while stuck, else the normal one.
    std::int16_t Draw(JxCSlate* slate, const JxCRect* clip) override;
    std::int16_t MouseDown(const JxCPoint& point) override;
    // A release inside raises "on_click" and sticks the button; the pressed
    // picture drawn by the press stays. Ignored while stuck or with the
    // flag 1.
    std::int16_t MouseUp(const JxCPoint& point, std::int16_t flag) override;

    std::int16_t Press();
    std::int16_t Release();
    std::int16_t IsStuck() const { return stuck_; }

private:
    std::int16_t stuck_ = 0;
};
