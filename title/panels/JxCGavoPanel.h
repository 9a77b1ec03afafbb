#pragma once
// The title's viewing panel (panel type "Display"), the base of the title's
// other panels.
//
// A release anywhere in a title panel restarts the idle tick's counts; Enter
// in a panel of a page opened from the quiz page closes that page. The
// record adds, after the panel's own, a text: u16 length n, then n bytes.

#include <cstdint>
#include <string>

#include "objects/panels/JxCViewingPanel.h"

class JxCGavoPanel : public JxCViewingPanel {
public:
    JxCGavoPanel() = default;
    ~JxCGavoPanel() override = default;

    // 0 when the text runs past the record.
    std::int16_t Read(JxCInStrStream& in, JxCPageDef* pageDef) override;
    std::int16_t MouseUp(const JxCPoint& point) override;
    std::int16_t HandleKey(JxCKeyParams& key) override;

    const std::string& GetText() const { return text_; }

private:
    std::string text_;
};
