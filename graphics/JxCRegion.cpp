#include "graphics/JxCRegion.h"

#include "graphics/JxCSlate.h"
#include "platform/draw/draw.h"

JxCRegion::JxCRegion() : region_(plat::CreateRectRgn(0, 0, 0, 0)) {}

JxCRegion::JxCRegion(int left, int top, int right, int bottom)
    : region_(plat::CreateRectRgn(left, top, right, bottom))
{
}

JxCRegion::JxCRegion(plat::HDC hdc) : JxCRegion()
{
    plat::RECT box;
    if (hdc && plat::GetClipBox(hdc, &box) != plat::ERROR)
        SetRect(box.left, box.top, box.right, box.bottom);
}

JxCRegion::JxCRegion(const JxCRegion& other) : JxCRegion()
{
    plat::CombineRgn(region_, other.region_, nullptr, plat::RGN_COPY);
}

JxCRegion& JxCRegion::operator=(const JxCRegion& other)
{
    if (this != &other)
        plat::CombineRgn(region_, other.region_, nullptr, plat::RGN_COPY);
    return *this;
}

JxCRegion::~JxCRegion()
{
    if (region_)
        plat::DeleteObject(region_);
}

void JxCRegion::SetRect(int left, int top, int right, int bottom)
{
    plat::SetRectRgn(region_, left, top, right, bottom);
}

void JxCRegion::SetRectTransformed(const JxCRect& rect, const JxCTransform& transform)
{
    const plat::RECT r = transform.Apply(rect);
    SetRect(r.left, r.top, r.right, r.bottom);
}

plat::RECT JxCRegion::GetBox() const
{
    plat::RECT box;
    plat::GetRgnBox(region_, &box);
    return box;
}

int JxCRegion::SelectIntoDC(plat::HDC hdc) const
{
    return SelectClipUnderPageRule(hdc, region_);
}

int SelectClipUnderPageRule(plat::HDC hdc, plat::HRGN region)
{
    if (!hdc)
        return plat::ERROR;
    if (region) {
        plat::RECT box;
        plat::GetRgnBox(region, &box);
        if (box.right <= JxCRegion::kClipLimitRight && box.bottom <= JxCRegion::kClipLimitBottom)
            return plat::SelectClipRgn(hdc, region);
    }
    return plat::SelectClipRgn(hdc, nullptr);
}
