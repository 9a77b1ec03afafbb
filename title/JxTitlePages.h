#pragma once
// The title's pages, made by page type: its base page and the quiz page.
//
// Stand-ins so far: the factories build them by their names; their
// behaviour comes with the title's features.

#include "objects/pages/JxCBasePage.h"
#include "objects/pages/JxCPopupPageEx.h"

// Page type "BASE_PAGE".
class JxCGv2BasePage : public JxCBasePage {
public:
    JxCGv2BasePage() = default;
    ~JxCGv2BasePage() override = default;
};

// Page type "QUIZ_PAGE".
class JxCQuizPage : public JxCPopupPageEx {
public:
    JxCQuizPage() = default;
    ~JxCQuizPage() override = default;
};
