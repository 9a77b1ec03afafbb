#pragma once
// What the product asks of a display object: whether it has an option flag.
//
// A stand-in: the display objects come with the objects layer, which grows
// this class (or puts its own in its place).

#include <cstdint>

#include "events/JxCRunTimeObject.h"

class JxCDisplayObject : public JxCRunTimeObject {
public:
    // Option flag 2 lets an object keep the mouse capture while a page
    // opens.
    static constexpr std::int32_t kKeepsCaptureFlag = 2;

    ~JxCDisplayObject() override = default;

    std::int16_t TestOptionFlags(std::int32_t flags) const { return (optionFlags_ & flags) ? 1 : 0; }
    void SetOptionFlags(std::int32_t flags) { optionFlags_ = flags; }

private:
    std::int32_t optionFlags_ = 0;
};
