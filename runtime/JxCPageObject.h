#pragma once
// A page: a window of panels that the product opens, orders and closes.
//
// A stand-in so far: the page classes of the factories can already derive
// from it. The pages themselves (windows, panels, drawing, input routing,
// pop-ups) come with the objects layer, which grows this class.

#include <cstdint>

#include "events/JxCRunTimeObject.h"

class JxCPageObject : public JxCRunTimeObject {
public:
    JxCPageObject() = default;
    ~JxCPageObject() override = default;
    JxCPageObject(const JxCPageObject&) = delete;
    JxCPageObject& operator=(const JxCPageObject&) = delete;

    // Whether the page may take the keyboard focus.
    virtual std::int16_t CanActivate() const { return 1; }
};
