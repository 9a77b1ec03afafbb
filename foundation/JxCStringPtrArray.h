#pragma once
// A growable array of string pointers: the string lists read from files, the
// page-name table, the title's page definitions.

#include <cstdint>

#include "foundation/JxCPlainArray.h"
#include "foundation/JxCString.h"

class JxCInStrStream;
class JxCOutStream;

class JxCStringPtrArray : public JxCPlainArray<JxCString> {
public:
    using JxCPlainArray::JxCPlainArray;

    // The index of the first string equal to text without regard to case;
    // -1 when there is none.
    std::int32_t Find(const JxCTableString& text) const;

    // Binary form: a 32-bit big-endian count, then one counted string each.
    // Read appends a new string for each (the array then owns them) and
    // stops, answering false, where the stream ends; nothing is allocated
    // for a count the stream does not hold.
    bool Read(JxCInStrStream& in);
    bool Write(JxCOutStream& out) const;
};
