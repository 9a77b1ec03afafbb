#pragma once
// The title's product class.

#include "foundation/JxCTypeIds.h"
#include "runtime/JxCBaseProduct.h"

class JxCPageDef;
class JxCPageObject;
class JxCPanelObject;

class JxCProduct : public JxCBaseProduct {
public:
    JxCProduct() = default;
    ~JxCProduct() override = default;

    // The title's factories, in place of the product's own: the title's
    // page definition (null when memory is short), the page of a
    // definition's page type (message 1014 when there is none) and the
    // panel of a panel type (message 1048 when there is none).
    JxCPageDef* NewPageDef() override;
    JxCPageObject* NewPageForDef(const JxCPageDef& def) override;
    JxCPanelObject* NewPanelById(JxCPanelTypeId type) override;
};

// The size the title's pages are laid out for.
constexpr int kPageWidth = 640;
constexpr int kPageHeight = 480;
