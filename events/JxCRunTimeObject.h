#pragma once
// The base of everything that exists at run time under a name: display
// objects, panels, pages, page definitions, the product and the action
// processor.
//
// A stand-in so far: the classes above can already derive from it. Its
// name, numbered properties, event handlers, bitmap references and
// container come with the run-time objects.

#include <cstdint>

#include "events/JxCNotifyRoot.h"

class JxCRunTimeObject : public JxCNotifyRoot {
public:
    JxCRunTimeObject() = default;
    ~JxCRunTimeObject() override = default;

    // Raises an event on the object: the notifications registered for it
    // and the handlers of the object, the current page, its definition and
    // template and the product definition. Until the handlers and the
    // notifications exist, an event reaches nobody.
    virtual void DispatchEvent(std::int16_t eventId, std::int16_t key)
    {
        (void)eventId;
        (void)key;
    }
};
