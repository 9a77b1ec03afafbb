#pragma once
// The title's product class.

#include "runtime/JxCBaseProduct.h"

class JxCProduct : public JxCBaseProduct {
public:
    JxCProduct() = default;
    ~JxCProduct() override = default;

    // Until the product start is built (caret, palette,
    // the title's own start, splash, data store, product data file, first
    // page), the start opens the empty main window: a client area of 640 by
    // 480 pixels centred on the screen, the title text as its caption.
    std::int16_t Start() override;
};

// The size the title's pages are laid out for.
constexpr int kPageWidth = 640;
constexpr int kPageHeight = 480;
