#include "foundation/JxCStringPtrArray.h"

std::int32_t JxCStringPtrArray::Find(const JxCTableString& text) const
{
    for (std::uint32_t i = 0; i < GetCount(); ++i) {
        const JxCString* s = GetAt(i);
        if (s && s->EqualsNoCase(text))
            return std::int32_t(i);
    }
    return -1;
}
