#pragma once
// The options page's arithmetic of free space.

#include <cstdint>
#include <string>

// Free bytes of the drive of a folder ("C:\" when it names none), counted
// in 64 bits; 0 when the drive cannot be asked.
std::int64_t FreeSpaceOf(const std::string& folder);
// Bytes as whole thousands with "," between groups of three digits and a
// leading "-" when negative: 1234567890 → "1,234,567".
std::string FormatKbytes(std::int64_t bytes);
