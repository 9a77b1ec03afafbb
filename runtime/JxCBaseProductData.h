#pragma once
// What the product knows of the title's product data. The title's own
// class (JxCProductData) lives in the title layer, above the product; the
// application makes it through the factory the title installs and hands it
// to the product, which owns it from then on. It takes part in
// notifications and can own product timers.

#include <cstdint>

#include "events/JxCNotifyRoot.h"

class JxCInStrStream;
class JxCStyleDef;

class JxCBaseProductData : public JxCNotifyRoot {
public:
    ~JxCBaseProductData() override = default;
    // Creates the title's index, visit data, quiz state and user object;
    // 0 ends the product start.
    virtual std::int16_t Initialise() = 0;
    // Reads the title's record, which follows the product definition in the
    // definitions block.
    virtual void Load(JxCInStrStream& in) { (void)in; }
    // The title's name: the document name of its printed pages.
    virtual const char* GetTitle() const { return ""; }
    // The character and paragraph styles its record holds; null when it
    // holds none. Text output finds them through the product.
    virtual JxCStyleDef* GetStyleDef() const { return nullptr; }
};
