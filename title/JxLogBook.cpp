#include "title/JxLogBook.h"

#include "runtime/JxCBaseProduct.h"
#include "title/JxTitleSound.h"

namespace {

std::int32_t& liveLogbooks()
{
    static std::int32_t count = 0;
    return count;
}

}  // namespace

std::int16_t IsLogbookShowing()
{
    return liveLogbooks() > 0 ? 1 : 0;
}

void CountLogbookShowing(bool in)
{
    if (in)
        ++liveLogbooks();
    else if (liveLogbooks() > 0)
        --liveLogbooks();
}

JxCLogBookBasePanel::~JxCLogBookBasePanel()
{
    if (counted_)
        --liveLogbooks();
}

std::int16_t JxCLogBookBasePanel::CreateResources()
{
    if (!counted_) {
        counted_ = true;
        ++liveLogbooks();
    }
    return JxCTransparentPanel::CreateResources();
}

std::int16_t JxCLogBookButton::MouseDown(const JxCPoint& point)
{
    if (!IsVisible() || IsAnyResourcePlaying() || !prepare())
        return 1;
    if (OnTransparentPixel(point) || TestStateFlags(kStateDisabled))
        return 1;
    JxCButton::MouseDown(point);
    JxCButton::Clicked();
    PlayTitleSound(JxCString("@CLICKSLIDE"));
    return 1;
}
