#pragma once
// A width and a height, each a signed 16-bit number.

#include <cstdint>

#include "foundation/JxCObject.h"

class JxCSize : public JxCObject {
public:
    JxCSize() = default;
    JxCSize(std::int16_t w, std::int16_t h) : cx(w), cy(h) {}
    JxCSize(const JxCSize& other) : JxCObject(other), cx(other.cx), cy(other.cy) {}
    JxCSize& operator=(const JxCSize& other)
    {
        JxCObject::operator=(other);
        cx = other.cx;
        cy = other.cy;
        return *this;
    }
    ~JxCSize() override = default;

    std::int16_t cx = 0;
    std::int16_t cy = 0;
};
