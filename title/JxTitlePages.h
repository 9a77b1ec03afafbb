#pragma once
// The title's pages, made by page type: its base page and the quiz page.
//
// Stand-ins so far: the factories build them by their names; their
// behaviour comes with the title's features.

#include "objects/pages/JxCBasePage.h"
#include "objects/pages/JxCPopupPageEx.h"

// Page type "BASE_PAGE". On the pages of the typed-key template the
// title's typed-key watcher sees each key before the page does.
class JxCGv2BasePage : public JxCBasePage {
public:
    JxCGv2BasePage() = default;
    ~JxCGv2BasePage() override = default;
    void HandleKey(JxCKeyParams& key) override;
};

// Page type "QUIZ_PAGE".
class JxCQuizPage : public JxCPopupPageEx {
public:
    JxCQuizPage() = default;
    ~JxCQuizPage() override = default;
};
