#include "title/panels/JxCGavoPageDef.h"

#include "foundation/JxCInStrStream.h"

bool ReadNameList(JxCInStrStream& in, std::vector<JxCString>& names)
{
    std::uint32_t count = 0;
    // Each name takes at least its two-byte length.
    if (!in.ReadBigEndian32(count) || count > in.Remaining() / 2)
        return false;
    std::vector<JxCString> read;
    read.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        JxCString name;
        if (!in.ReadCountedString(name))
            return false;
        read.push_back(std::move(name));
    }
    names = std::move(read);
    return true;
}

std::int16_t JxCGavoPageDef::ReadOwnFields(JxCInStrStream& in)
{
    targetsPresent_ = 0;
    std::uint16_t present = 0;
    if (!in.ReadBigEndian16(present))
        return 0;
    targetsPresent_ = std::int16_t(present);
    if (present)
        for (std::int32_t& target : targets_)
            if (!in.ReadBigEndian32(target))
                return 0;
    if (!ReadNameList(in, animations_) || !ReadNameList(in, sounds_))
        return 0;
    std::int16_t visit = 0;
    if (!in.ReadBigEndian16(visit))
        return 0;
    visitIndex_ = visit;
    return 1;
}

std::int32_t JxCGavoPageDef::GetTarget(std::int32_t i) const
{
    if (!targetsPresent_ || i < 0 || i >= kTargetCount)
        return 0;
    return targets_[std::size_t(i)];
}
