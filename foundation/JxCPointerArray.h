#pragma once
// Growable arrays of pointers to single 32-bit numbers read from the product
// data. The two differ only in their binary form: JxCPointerArray stores each
// number in 32 bits, JxCPointerArray16 in 16 bits (sign-extended when read).

#include <cstdint>

#include "foundation/JxCPlainArray.h"

class JxCInStrStream;
class JxCOutStream;

// Binary form of both: a 32-bit big-endian count, then the numbers. Read
// appends a new cell for each number (the array then owns its cells) and
// stops, answering false, where the stream ends; nothing is allocated for a
// count the stream does not hold.
class JxCPointerArray : public JxCPlainArray<std::int32_t> {
public:
    using JxCPlainArray::JxCPlainArray;
    bool Read(JxCInStrStream& in);
    bool Write(JxCOutStream& out) const;
};

class JxCPointerArray16 : public JxCPlainArray<std::int32_t> {
public:
    using JxCPlainArray::JxCPlainArray;
    bool Read(JxCInStrStream& in);
    bool Write(JxCOutStream& out) const;
};
