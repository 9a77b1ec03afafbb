#pragma once
// One entry of the product's timer table. Its index in the table is also
// the id of the window timer it runs on the main window.

#include <cstdint>

#include "events/JxCNotifyRoot.h"
#include "foundation/JxCObject.h"

class JxCTimerInfo : public JxCObject {
public:
    // The client that set the timer; null while the entry is free.
    JxCNotifyRoot* owner = nullptr;
    std::int16_t active = 0;
    // Set while a window timer runs for the entry.
    std::int16_t running = 0;
    // Set by construction; nothing reads it.
    std::int16_t reserved = 1;
};
