#include "title/widgets/JxCGvStickyButton.h"

#include "runtime/JxCBaseProduct.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxSharedBitmaps.h"

std::int16_t JxCGvStickyButton::Draw(JxCSlate* slate, const JxCRect* clip)
{
    if (!prepare())
        return 1;
    if (TestStateFlags(kStateDisabled) && DisabledImage())
        return DrawImagePart(DisabledImage(), slate, clip);
    return DrawImagePart(stuck_ ? PressedImage() : NormalImage(), slate, clip);
}

std::int16_t JxCGvStickyButton::MouseDown(const JxCPoint& point)
{
    if (stuck_)
        return 1;
    return JxCButton::MouseDown(point);
}

std::int16_t JxCGvStickyButton::MouseUp(const JxCPoint& point, std::int16_t flag)
{
    if (stuck_ || flag == 1)
        return 1;
    if (!prepare())
        return 1;
    if (OnTransparentPixel(point))
        return 1;
    ClearStateFlags(kStateSelected);
    if (TestStateFlags(kStateDisabled))
        return 1;
    if (GetRect().Contains(point)) {
        DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_click)), std::int16_t(GetTypeKey().GetId()));
        stuck_ = 1;
    }
    return 1;
}

std::int16_t JxCGvStickyButton::Press()
{
    if (!IsVisible())
        return 1;
    if (IsAnyResourcePlaying())
        return 1;
    if (!prepare())
        return 1;
    if (!TestStateFlags(kStateDisabled)) {
        DrawImage(PressedImage());
        stuck_ = 1;
    }
    return 1;
}

std::int16_t JxCGvStickyButton::Release()
{
    stuck_ = 0;
    if (!prepare())
        return 1;
    ClearStateFlags(kStateSelected);
    if (TestStateFlags(kStateDisabled))
        return 1;
    return DrawImage(NormalImage());
}
