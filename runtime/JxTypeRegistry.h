#pragma once
// The numbering of the keyword tables and the per-type registries.

#include <cstdint>

// Numbers the keyword tables and builds the per-type tables; 0 when they
// could not be built (start-up then stops).
std::int16_t RegisterTypeIds();
// Frees what RegisterTypeIds built.
void ReleaseTypeRegistries();
