#pragma once
// The title's page definition, which every page the product opens uses:
// the engine's page definition with the title's own fields of the page
// record.
//
// A stand-in so far: the factory builds it by its name; the title's fields
// come with the title's features.

#include "runtime/JxCPageDef.h"

class JxCGavoPageDef : public JxCPageDef {
public:
    JxCGavoPageDef() = default;
    ~JxCGavoPageDef() override = default;
};
