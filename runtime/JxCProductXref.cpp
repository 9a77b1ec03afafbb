#include "runtime/JxCProductXref.h"

#include "runtime/JxCBaseProduct.h"

bool JxCProductXref::Load(JxCInStrStream& stream)
{
    std::int16_t count = 0;
    if (!stream.ReadBigEndian16(count) || count < 0)
        return false;
    std::vector<std::int32_t> entries;
    for (std::int16_t i = 0; i < count; ++i) {
        std::int32_t id = 0;
        if (!stream.ReadBigEndian16To32(id))
            return false;
        entries.push_back(id);
    }
    entries_ = std::move(entries);
    return true;
}

std::int16_t JxCProductXref::GoTo()
{
    if (JxCBaseProduct* product = GetProduct())
        product->GoToPage(GetPageId(), 0);
    return 0;
}
