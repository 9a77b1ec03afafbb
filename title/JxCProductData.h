#pragma once
// The title's product data: its index, visit data, quiz state, user object
// and styles, attached to the product at start-up.

#include "runtime/JxCBaseProductData.h"

class JxCProductData : public JxCBaseProductData {
public:
    JxCProductData() = default;
    ~JxCProductData() override = default;

    // Stand-in until the title's features are built: there is no index,
    // visit data, quiz or user to create, so the start goes on.
    std::int16_t Initialise() override { return 1; }
};
