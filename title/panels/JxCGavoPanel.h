#pragma once
// The title's viewing panel (panel type "Display") and the schoolhouse
// panel (panel type "SchoolhousePanel").
//
// A release anywhere in a title panel restarts the idle tick's counts; Enter
// in a panel of a page opened from the quiz page closes that page. The
// record adds, after the panel's own, a text: u16 length n, then n bytes.
//
// The schoolhouse panel stands for the logbook while its resources exist
// (a click in it leaves playing media alone, as in the logbook), and while
// the quiz waits minimised it hides its marker: the bitmap whose id the
// title record names.

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

class JxCSchoolhousePanel : public JxCGavoPanel {
public:
    JxCSchoolhousePanel() = default;
    ~JxCSchoolhousePanel() override;

    // The base creation; with the quiz minimised, the marker is hidden, and
    // the result says whether there was a marker bitmap to hide.
    std::int16_t CreateResources() override;
    std::int16_t Start() override;
    // Shows (1) or hides (0) the marker; 0 when it is missing or no bitmap.
    std::int16_t SetMarker(std::int16_t state);

private:
    bool countedAsLogbook_ = false;
};
