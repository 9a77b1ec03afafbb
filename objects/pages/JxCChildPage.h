#pragma once
// The child page (page type "CHILD_PAGE"), shown in a child window of the
// window of the page that was current when it opened.

#include "objects/pages/JxCFirstPaintPage.h"

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
