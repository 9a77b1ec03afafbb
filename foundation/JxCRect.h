#pragma once
// A rectangle of screen geometry with signed 16-bit edges. Unlike the
// platform's RECT, the right and bottom edges belong to the rectangle:
// Contains is inclusive on all four sides. Nothing normalises a rectangle
// whose right lies left of its left; its width is then negative.

#include <cstdint>

#include "foundation/JxCObject.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCSize.h"
#include "platform/core/types.h"

class JxCRect : public JxCObject {
public:
    JxCRect() = default;
    JxCRect(std::int16_t l, std::int16_t t, std::int16_t r, std::int16_t b)
        : left(l), top(t), right(r), bottom(b) {}
    JxCRect(const JxCRect& other)
        : JxCObject(other), left(other.left), top(other.top), right(other.right), bottom(other.bottom) {}
    JxCRect& operator=(const JxCRect& other)
    {
        JxCObject::operator=(other);
        Assign(other);
        return *this;
    }

    int operator==(const JxCRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    int operator!=(const JxCRect& o) const { return !(*this == o); }

    void Set(std::int16_t l, std::int16_t t, std::int16_t r, std::int16_t b);
    void SetFromPoints(const JxCPoint& topLeft, const JxCPoint& bottomRight);
    void Assign(const JxCRect& other);

    virtual bool Contains(const JxCPoint& p) const;
    // Rectangles that only touch along an edge intersect.
    bool Intersects(const JxCRect& other) const;
    // Shrinks this rectangle to the overlap with other when they overlap
    // (touching counts as overlapping, as for Intersects); otherwise leaves it.
    void Intersect(const JxCRect& other);
    // True unless right > left and bottom > top.
    bool IsEmpty() const;

    // Offsets wrap around at the 16-bit limit.
    void Offset(int dx, int dy);
    void OffsetByPoint(const JxCPoint& p) { Offset(p.x, p.y); }
    void Inflate(int dx, int dy);

    std::int32_t Width() const { return std::int32_t(right) - left; }
    std::int32_t Height() const { return std::int32_t(bottom) - top; }
    JxCSize GetSize() const;
    JxCPoint TopLeft() const { return JxCPoint(left, top); }
    JxCPoint GetOrigin() const { return TopLeft(); }

    // Map both corners between the window's client area and the screen.
    void ClientToScreen(plat::HWND window);
    void ScreenToClient(plat::HWND window);

    void ToRECT(plat::RECT* out) const;

    std::int16_t left = 0;
    std::int16_t top = 0;
    std::int16_t right = 0;
    std::int16_t bottom = 0;
};
