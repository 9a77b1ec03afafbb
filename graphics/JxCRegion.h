#pragma once
// One GDI region owned by the object, and the rule by which the slates
// select clip regions: a region is selected only when its box lies within
// the 640 by 480 page (right not beyond 640, bottom not beyond 480);
// otherwise the device context is left unclipped.

#include "foundation/JxCRect.h"
#include "platform/core/types.h"

class JxCTransform;

class JxCRegion {
public:
    static constexpr int kClipLimitRight = 640;
    static constexpr int kClipLimitBottom = 480;

    // Empty.
    JxCRegion();
    JxCRegion(int left, int top, int right, int bottom);
    // The current clip box of a device context.
    explicit JxCRegion(plat::HDC hdc);
    JxCRegion(const JxCRegion& other);
    // Combines the other region into this one with RGN_COPY.
    JxCRegion& operator=(const JxCRegion& other);
    ~JxCRegion();

    plat::HRGN Get() const { return region_; }
    // The rectangle (logical coordinates) mapped through the transform.
    void SetRectTransformed(const JxCRect& rect, const JxCTransform& transform);
    void SetRect(int left, int top, int right, int bottom);
    plat::RECT GetBox() const;
    // Selects the region as the DC's clip region under the 640-by-480
    // rule; the clip type of the DC afterwards.
    int SelectIntoDC(plat::HDC hdc) const;

private:
    plat::HRGN region_ = nullptr;
};

// The clip rule for any region handle (null: unclipped).
int SelectClipUnderPageRule(plat::HDC hdc, plat::HRGN region);
