#include "title/widgets/JxCGavoAnimHotspot.h"

#include "media/JxCPicsResource.h"
#include "media/JxPicsActions.h"
#include "runtime/JxCBaseProduct.h"

JxCGavoAnimHotspot::~JxCGavoAnimHotspot()
{
    endWait();
}

std::int16_t JxCGavoAnimHotspot::MouseUp(const JxCPoint& point, std::int16_t flag)
{
    beginWait();
    const std::int16_t result = JxCAnimHotspot::MouseUp(point, flag);
    // A click that started nothing (outside, or only "on_click" on a
    // looping hotspot) has nothing to wait for.
    if (!playing())
        endWait();
    return result;
}

std::int16_t JxCGavoAnimHotspot::Stop()
{
    endWait();
    return JxCAnimHotspot::Stop();
}

void JxCGavoAnimHotspot::OnSystemEvent(JxCTimerParams* record)
{
    JxCAnimHotspot::OnSystemEvent(record);
    const JxCPlayPicsAction* play = GetPlayAction();
    if (play && play->GetMedia() && play->GetMedia()->IsFinished())
        endWait();
}

void JxCGavoAnimHotspot::beginWait()
{
    JxCBaseProduct* product = GetProduct();
    if (waiting_ || !product)
        return;
    product->BeginWait();
    waiting_ = true;
}

void JxCGavoAnimHotspot::endWait()
{
    if (!waiting_)
        return;
    waiting_ = false;
    if (JxCBaseProduct* product = GetProduct())
        product->EndWait();
}

bool JxCGavoAnimHotspot::playing() const
{
    return IsPlaying() != 0;
}
