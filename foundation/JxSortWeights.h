#pragma once
// The sort-weight table of the current language: one weight per byte value,
// by which the index sort keys order characters. Weight 0 means the sort
// keys ignore the character. The table starts as the default (code page
// 1252 conventions); the language selection patches it once at start-up.

#include <array>
#include <cstdint>

using JxSortWeightTable = std::array<std::uint8_t, 256>;

const JxSortWeightTable& DefaultSortWeights();
// The whole tables of Greek (1032) and Russian (1049).
const JxSortWeightTable& GreekSortWeights();
const JxSortWeightTable& RussianSortWeights();

// Applies the patch of a LANGID to a table; LANGIDs without a patch leave
// it alone.
void PatchSortWeights(std::uint16_t languageId, JxSortWeightTable& table);

std::uint8_t GetCharWeight(unsigned char c);
void SetSortWeights(const JxSortWeightTable& table);
