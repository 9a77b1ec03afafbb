#pragma once
// What a popup page closes its window with: the window transition of an
// index of the window transition table, run towards a point.

#include <cstdint>
#include <optional>

#include "foundation/JxCPoint.h"
#include "platform/core/types.h"

class JxCWindowTransition {
public:
    JxCWindowTransition() = default;
    JxCWindowTransition(const JxCWindowTransition&) = delete;
    JxCWindowTransition& operator=(const JxCWindowTransition&) = delete;
    virtual ~JxCWindowTransition() = default;

    // Hides and destroys the window, then runs the transition towards the
    // point (screen coordinates; none: the window's bottom-right corner).
    // 0 when the window no longer exists.
    virtual std::int16_t Run(plat::HWND window, std::int32_t transition, std::optional<JxCPoint> point);
};
