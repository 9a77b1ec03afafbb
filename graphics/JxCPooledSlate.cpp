#include "graphics/JxCPooledSlate.h"

#include "graphics/JxCSlatePool.h"

JxCPooledSlate::JxCPooledSlate(std::int32_t width, std::int32_t height, std::int32_t x, std::int32_t y)
    : JxCPooledSlate(AcquireTransitionBitmap(width, height), x, y)
{
}

JxCPooledSlate::JxCPooledSlate(const JxObjectRef& lent, std::int32_t x, std::int32_t y)
    : JxCMemorySlate(lent), lent_(lent)
{
    const JxCRect device = GetRect();
    JxCRect logical = device;
    logical.Offset(std::int16_t(x), std::int16_t(y));
    SetMapping(device, logical);
}

JxCPooledSlate::~JxCPooledSlate()
{
    // The bitmap leaves the device context before it goes back.
    if (HasBitmap())
        AttachBitmap(JxObjectRef());
    ReleaseTransitionBitmap(lent_);
}
