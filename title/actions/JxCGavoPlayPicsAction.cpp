#include "title/actions/JxCGavoPlayPicsAction.h"

#include <array>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxCTableString.h"
#include "runtime/JxCBaseProduct.h"

std::int16_t JxCGavoPlayPicsAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    JxCTableString name;
    std::array<std::int16_t, 5> parameters{};
    // A name beyond the string table is a damaged record.
    if (!ReadTableString(in, name))
        return 0;
    for (std::int16_t& p : parameters)
        in.ReadBigEndian16(p);
    if (!in)
        return 0;
    SetUnbound(JxCString(name.GetText() ? name.GetText() : ""), parameters);
    SetOwner(owner);
    return 1;
}

std::int16_t JxCGavoPlayPicsAction::Execute()
{
    if (!GetMedia() && !BindMedia())
        return 0;
    return JxCPlayQueuePicsAction::Execute();
}

std::int16_t JxCGavoPlayPicsAction::Rewind(std::int32_t position)
{
    JxCPlayQueuePicsAction::Rewind(position);
    return UnbindMedia();
}
