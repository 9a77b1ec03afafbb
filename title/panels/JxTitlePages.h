#pragma once
// The title's pages, made by page type: its base page and the quiz page.

#include "objects/pages/JxCBasePage.h"
#include "objects/pages/JxCPopupPageEx.h"
#include "title/quiz/JxCQuizPage.h"  // page type "QUIZ_PAGE"

// Page type "BASE_PAGE". On the pages of the typed-key template the
// title's typed-key watcher sees each key before the page does.
class JxCGv2BasePage : public JxCBasePage {
public:
    JxCGv2BasePage() = default;
    ~JxCGv2BasePage() override = default;
    void HandleKey(JxCKeyParams& key) override;
};
