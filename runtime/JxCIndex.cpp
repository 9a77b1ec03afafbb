#include "runtime/JxCIndex.h"

bool JxCIndexItem::Read(JxCInStrStream& stream, std::span<const JxCString> strings)
{
    std::uint16_t nameIndex = 0;
    std::int32_t number1 = 0;
    std::int32_t number2 = 0;
    if (!stream.ReadBigEndian16(nameIndex).ReadBigEndian16To32(number1).ReadBigEndian16To32(number2))
        return false;
    // A name beyond the table is damaged data, not a text to read past.
    if (nameIndex > strings.size())
        return false;
    if (!xref_.Load(stream))
        return false;
    name_ = nameIndex ? strings[nameIndex - 1] : JxCString();
    number1_ = number1;
    number2_ = number2;
    return true;
}

JxCIndex::~JxCIndex()
{
    if (ownsItems_)
        for (JxCIndexItem* item : items_)
            delete item;
}

std::int16_t JxCIndex::Read(JxCInStrStream& stream, std::span<const JxCString> strings)
{
    std::int16_t count = 0;
    if (!stream.ReadBigEndian16(count) || count < 0)
        return 0;
    items_.reserve(items_.size() + std::size_t(count));
    for (std::int16_t i = 0; i < count; ++i) {
        auto item = std::make_unique<JxCIndexItem>();
        if (!item->Read(stream, strings))
            return 0;
        Add(item.release());
    }
    return 1;
}

JxCIndexItem* JxCIndex::GetAt(std::int32_t i) const
{
    return i >= 0 && i < GetCount() ? items_[std::size_t(i)] : nullptr;
}
