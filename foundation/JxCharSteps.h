#pragma once
// Byte positions in a text of the current code page that stay on character
// boundaries. On a double-byte page a lead byte and the byte after it are one
// character; a lead byte that ends the text stands alone, as the string
// classes count it. A trail byte can look like a lead byte, so every walk
// starts at the text's start. On a single-byte page every byte is a
// character and these are plain clamps and steps.

#include <cstdint>

// The boundary at or before the position, within 0 ... length.
std::int32_t CharStartAt(const char* text, std::int32_t length, std::int32_t position);
// The boundary after the character at the position; length at the end.
std::int32_t NextCharPosition(const char* text, std::int32_t length, std::int32_t position);
// The boundary before the one at or before the position; 0 at the start.
std::int32_t PreviousCharPosition(const char* text, std::int32_t length, std::int32_t position);
// The characters that lie wholly in the first bytes of a zero-terminated text
// (a character cut by that end is not counted).
std::int32_t CharCountOfBytes(const char* text, std::int32_t bytes);
