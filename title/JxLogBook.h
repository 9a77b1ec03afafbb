#pragma once
// The logbook: the pages where a logged-in user sees their own progress.
// Its pages are ordinary pages whose panels hold the progress displays
// (title/widgets/JxProgressDisplays.h); two classes are its own: the panel type that
// marks the logbook as showing and the button that turns its pages.

#include <cstdint>

#include "objects/panels/JxCTransparentPanel.h"
#include "objects/widgets/JxCButton.h"

// Panel type "LogbookbasePanel". The logbook shows while at least one of
// these has its resources: each counts once from its resource creation to
// its destruction, so closing one of two keeps the logbook showing.
class JxCLogBookBasePanel : public JxCTransparentPanel {
public:
    JxCLogBookBasePanel() = default;
    ~JxCLogBookBasePanel() override;
    std::int16_t CreateResources() override;

private:
    bool counted_ = false;
};

// Object type "LogBookButton": a push button that acts when the mouse
// button goes down. While a sound plays, or while the button is hidden or
// disabled or the point falls on a transparent pixel, a press does
// nothing; otherwise the button shows pressed, raises "on_click" and plays
// the page click "@CLICKSLIDE". The release only shows it up again.
class JxCLogBookButton : public JxCButton {
public:
    JxCLogBookButton() = default;
    ~JxCLogBookButton() override = default;
    std::int16_t MouseDown(const JxCPoint& point) override;

protected:
    // The click came with the press.
    void Clicked() override {}
};

// Whether a logbook base panel is alive with its resources.
std::int16_t IsLogbookShowing();
// Another panel that stands for the logbook (the schoolhouse) counts
// itself in while its resources exist, and out as it goes.
void CountLogbookShowing(bool in);
