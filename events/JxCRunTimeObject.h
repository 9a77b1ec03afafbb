#pragma once
// The base of everything that exists at run time under a name: display
// objects, panels, pages, page definitions, the product and the action
// processor.
//
// A stand-in so far: the classes above can already derive from it. Its
// name, numbered properties, event handlers, bitmap references and
// container come with the run-time objects.

#include "events/JxCNotifyRoot.h"

class JxCRunTimeObject : public JxCNotifyRoot {
public:
    JxCRunTimeObject() = default;
    ~JxCRunTimeObject() override = default;
};
