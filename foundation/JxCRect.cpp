#include "foundation/JxCRect.h"

#include "platform/window/window.h"

namespace {

std::int16_t Wrap16(int v) { return std::int16_t(std::uint16_t(unsigned(v))); }

}  // namespace

void JxCRect::Set(std::int16_t l, std::int16_t t, std::int16_t r, std::int16_t b)
{
    left = l;
    top = t;
    right = r;
    bottom = b;
}

void JxCRect::SetFromPoints(const JxCPoint& topLeft, const JxCPoint& bottomRight)
{
    Set(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

void JxCRect::Assign(const JxCRect& other)
{
    Set(other.left, other.top, other.right, other.bottom);
}

bool JxCRect::Contains(const JxCPoint& p) const
{
    return left <= p.x && p.x <= right && top <= p.y && p.y <= bottom;
}

bool JxCRect::Intersects(const JxCRect& o) const
{
    return !(o.right < left || o.bottom < top || o.left > right || o.top > bottom);
}

void JxCRect::Intersect(const JxCRect& o)
{
    if (!Intersects(o))
        return;
    if (o.left > left)
        left = o.left;
    if (o.top > top)
        top = o.top;
    if (o.right < right)
        right = o.right;
    if (o.bottom < bottom)
        bottom = o.bottom;
}

bool JxCRect::IsEmpty() const { return !(right > left && bottom > top); }

void JxCRect::Offset(int dx, int dy)
{
    left = Wrap16(left + dx);
    right = Wrap16(right + dx);
    top = Wrap16(top + dy);
    bottom = Wrap16(bottom + dy);
}

void JxCRect::Inflate(int dx, int dy)
{
    left = Wrap16(left - dx);
    right = Wrap16(right + dx);
    top = Wrap16(top - dy);
    bottom = Wrap16(bottom + dy);
}

JxCSize JxCRect::GetSize() const { return JxCSize(Wrap16(Width()), Wrap16(Height())); }

namespace {

using MapPoint = plat::BOOL (*)(plat::HWND, plat::POINT*);

void MapCorners(JxCRect& r, plat::HWND window, MapPoint map)
{
    plat::POINT topLeft{r.left, r.top};
    plat::POINT bottomRight{r.right, r.bottom};
    map(window, &topLeft);
    map(window, &bottomRight);
    r.Set(Wrap16(topLeft.x), Wrap16(topLeft.y), Wrap16(bottomRight.x), Wrap16(bottomRight.y));
}

}  // namespace

void JxCRect::ClientToScreen(plat::HWND window) { MapCorners(*this, window, &plat::ClientToScreen); }

void JxCRect::ScreenToClient(plat::HWND window) { MapCorners(*this, window, &plat::ScreenToClient); }

void JxCRect::ToRECT(plat::RECT* out) const
{
    out->left = left;
    out->top = top;
    out->right = right;
    out->bottom = bottom;
}
