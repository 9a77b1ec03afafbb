#pragma once
// The base page, which lives in the main window, and the child page, which
// opens in a child window of another page's window.
//
// Stand-ins so far; their windows and placement come with the pages.

#include <cstdint>

#include "runtime/JxCPageObject.h"

class JxCBasePage : public JxCPageObject {
public:
    JxCBasePage() = default;
    ~JxCBasePage() override = default;
};

class JxCChildPage : public JxCPageObject {
public:
    JxCChildPage() = default;
    ~JxCChildPage() override = default;

    // A child page never takes the keyboard focus: it stays with the page
    // the child page was opened beside.
    std::int16_t CanActivate() const override { return 0; }
};
