#include "title/widgets/JxCToggleBitmap.h"

#include "foundation/JxCInStrStream.h"

std::int16_t JxCToggleBitmap::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    const std::int16_t result = JxCBitmap::Read(in, container, type);
    if (!result)
        return 0;
    std::uint16_t hide = 0, show = 0;
    if (!in.ReadBigEndian16(hide).ReadBigEndian16(show))
        return 0;
    hideCode_ = hide;
    showCode_ = show;
    return result;
}

std::int16_t JxCToggleBitmap::HandleMessage(JxCMessageRecord* message)
{
    if (!message)
        return 0;
    if (message->first == hideCode_) {
        SetFlagProperty(kPropVisible, 0);
        return 1;
    }
    if (message->first == showCode_) {
        SetFlagProperty(kPropVisible, 1);
        return 1;
    }
    return 0;
}
