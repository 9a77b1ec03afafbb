#pragma once
// The animated hotspot: a hotspot that plays an animation while it is
// active.
//
// So far only its active flag; the rest comes with the display objects.

#include <cstdint>

#include "runtime/JxCDisplayObject.h"

class JxCAnimHotspot : public JxCDisplayObject {
public:
    JxCAnimHotspot() = default;
    ~JxCAnimHotspot() override = default;

    std::int16_t IsActive() const { return active_; }
    void Activate() { active_ = 1; }
    void Deactivate() { active_ = 0; }

private:
    std::int16_t active_ = 0;
};
