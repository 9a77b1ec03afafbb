#pragma once
// What base and child pages share: announcing the first paint and raising
// "on_open" once, when the product sees it.

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
