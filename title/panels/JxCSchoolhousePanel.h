#pragma once
// The schoolhouse panel (panel type "SchoolhousePanel"): a title viewing
// panel that stands for the logbook while its resources exist (a click in
// it leaves playing media alone, as in the logbook), and while the quiz
// waits minimised it hides its marker: the bitmap whose id the title
// record names.

#include <cstdint>

#include "title/panels/JxCGavoPanel.h"

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
