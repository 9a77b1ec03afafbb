#pragma once
// Page type "BASE_PAGE". On the pages of the typed-key template the
// title's typed-key watcher sees each key before the page does.

#include "objects/pages/JxCBasePage.h"

class JxCGv2BasePage : public JxCBasePage {
public:
    JxCGv2BasePage() = default;
    ~JxCGv2BasePage() override = default;
    void HandleKey(JxCKeyParams& key) override;
};
