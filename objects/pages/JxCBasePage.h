#pragma once
// The base page (page type "BASE_PAGE"), which lives in the main window,
// and the child page (page type "CHILD_PAGE"), shown in a child window of
// the window of the page that was current when it opened. Both raise
// "on_open" once, when the product sees their first paint.

#include <cstdint>

#include "runtime/JxCPageObject.h"

class JxCTemplateDef;

// What base and child pages share: announcing the first paint and raising
// "on_open" when it comes back.
class JxCFirstPaintPage : public JxCPageObject {
public:
    // The first refresh asks the product to post the first-paint message;
    // a refused post leaves the word set for the next refresh.
    void Refresh() override;
    // Raises "on_open" with the page type as key, then starts the panels.
    std::int16_t Start() override;
    // The page's template definition; null without one.
    JxCTemplateDef* FindTemplate() const;

protected:
    // Makes the panels' resources with the resources word set.
    std::int16_t makePanelResources();
};

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

class JxCChildPage : public JxCFirstPaintPage {
public:
    JxCChildPage() = default;
    // Destroys its window; the parent becomes the current page again while
    // it is open and not closing.
    ~JxCChildPage() override;

    // Takes the template's first parameter; the product's current page
    // becomes the parent. 0 without a current page, whose window the child
    // would live in.
    std::int16_t Init(JxCPageDef* def) override;
    // Makes the panels' resources and the child window at the anchor
    // panel's position plus the offsets; 0 when either fails.
    std::int16_t CreateResources() override;
    // A child page never takes the keyboard focus: it stays with the page
    // the child page was opened beside.
    std::int16_t CanActivate() const override { return 0; }

    JxCPageObject* GetParentPage() const { return parent_; }
    // Where the window goes in the parent's client area.
    JxCPoint GetWindowPosition() const;

private:
    JxCPageObject* parent_ = nullptr;
};
