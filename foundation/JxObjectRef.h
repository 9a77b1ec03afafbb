#pragma once
// Plain records that the bitmap, transition and printing code pass by value.

#include <cstdint>

#include "platform/core/types.h"

// A bitmap as the loaders hand it out: the GDI handle, the address of its
// pixel bits (null for a device bitmap) and whether its rows run top-down.
// The handle belongs to whoever keeps the record.
struct JxObjectRef {
    plat::HGDIOBJ handle = nullptr;
    void* bits = nullptr;
    std::int16_t topDown = 0;

    // The handle; null when the record is empty.
    plat::HGDIOBJ Get() const { return handle; }
};

// A pointer with a 32-bit value and a spare word, cleared by its initialiser.
struct JxHolderRecord {
    void* pointer = nullptr;
    std::int32_t value = 0;
    std::uint32_t word = 0;

    void Init(void* p, std::int32_t v)
    {
        pointer = p;
        value = v;
        word = 0;
    }
};
