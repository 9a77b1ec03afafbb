#include "foundation/JxCStringPtrArray.h"

#include <new>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxCOutStream.h"

std::int32_t JxCStringPtrArray::Find(const JxCTableString& text) const
{
    for (std::uint32_t i = 0; i < GetCount(); ++i) {
        const JxCString* s = GetAt(i);
        if (s && s->EqualsNoCase(text))
            return std::int32_t(i);
    }
    return -1;
}

bool JxCStringPtrArray::Read(JxCInStrStream& in)
{
    std::uint32_t count = 0;
    if (!in.ReadBigEndian32(count))
        return false;
    SetOwnsElements();
    for (std::uint32_t i = 0; i < count; ++i) {
        auto* text = new (std::nothrow) JxCString;
        if (!text)
            return false;
        if (!in.ReadCountedString(*text) || Add(text) < 0) {
            delete text;
            return false;
        }
    }
    return true;
}

bool JxCStringPtrArray::Write(JxCOutStream& out) const
{
    out.WriteBigEndian32(GetCount());
    for (std::uint32_t i = 0; i < GetCount(); ++i)
        out.WriteCountedString(*GetAt(i));
    return !out.Fail();
}
