#pragma once
// Growable arrays of pointers to single 32-bit numbers read from the product
// data. The two differ only in their binary form: JxCPointerArray stores each
// number in 32 bits, JxCPointerArray16 in 16 bits (sign-extended when read).

#include <cstdint>

#include "foundation/JxCPlainArray.h"

class JxCPointerArray : public JxCPlainArray<std::int32_t> {
public:
    using JxCPlainArray::JxCPlainArray;
};

class JxCPointerArray16 : public JxCPlainArray<std::int32_t> {
public:
    using JxCPlainArray::JxCPlainArray;
};
