#pragma once
// The record of one window-timer tick (WM_TIMER) or wave-output completion
// (MM_WOM_DONE) as the product hands it to the object that asked for it.

#include <cstdint>

struct JxCTimerParams {
    // The timer id, or for a wave completion the device.
    std::int16_t id = 0;
    // The message's long parameter (for a wave completion, its buffer).
    std::intptr_t value = 0;
};
