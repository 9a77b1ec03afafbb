#pragma once
// A growable array of string pointers: the string lists read from files, the
// page-name table, the title's page definitions.

#include <cstdint>

#include "foundation/JxCPlainArray.h"
#include "foundation/JxCString.h"

class JxCStringPtrArray : public JxCPlainArray<JxCString> {
public:
    using JxCPlainArray::JxCPlainArray;

    // The index of the first string equal to text without regard to case;
    // -1 when there is none.
    std::int32_t Find(const JxCTableString& text) const;
};
