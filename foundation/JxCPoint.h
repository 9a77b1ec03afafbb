#pragma once
// A point of screen geometry: two signed 16-bit coordinates.

#include <cstdint>

#include "foundation/JxCObject.h"
#include "platform/core/types.h"

class JxCPoint : public JxCObject {
public:
    JxCPoint() = default;
    JxCPoint(std::int16_t px, std::int16_t py) : x(px), y(py) {}
    JxCPoint(const JxCPoint& other) : JxCObject(other), x(other.x), y(other.y) {}
    JxCPoint& operator=(const JxCPoint& other)
    {
        JxCObject::operator=(other);
        x = other.x;
        y = other.y;
        return *this;
    }

    int operator==(const JxCPoint& other) const { return x == other.x && y == other.y; }
    int operator!=(const JxCPoint& other) const { return x != other.x || y != other.y; }

    void ToPOINT(plat::POINT* out) const
    {
        out->x = x;
        out->y = y;
    }

    std::int16_t x = 0;
    std::int16_t y = 0;
};
