#pragma once
// The base page (page type "BASE_PAGE"), which lives in the main window.

#include <cstdint>

#include "objects/pages/JxCFirstPaintPage.h"

class JxCBasePage : public JxCFirstPaintPage {
public:
    JxCBasePage() = default;
    // The base page lives in the main window. Closing the last page of the
    // window stops every timer, closes every member page and the pages kept
    // open, destroys the window (which ends the program), and purges the
    // queued actions and stops the playing media. A base page opened over
    // another closes only its member pages, and the page beneath shows
    // again.
    ~JxCBasePage() override;

    // Takes the main window and the template's two parameters.
    std::int16_t Init(JxCPageDef* def) override;
    std::int16_t CreateResources() override;
};
