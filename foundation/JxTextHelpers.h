#pragma once
// Decimal conversions and number tests on plain texts.

#include <cstdint>

// Writes the decimal digits of value so that they end just before end, where
// a NUL goes; a '-' precedes a negative value. Returns the first character.
// The buffer before end must hold 11 characters.
char* IntToText(std::int32_t value, char* end);

// An optional '-' or '+', then decimal digits up to the first other
// character, accumulated in 32 bits.
std::int32_t TextToInt(const char* text);

// An optional sign, then one to ten digits and nothing else.
bool IsIntegerText(const char* text);

// A number with a fraction or an exponent that is not an integer text:
// optional sign, digits with at most one '.', at least one digit, then
// optionally 'e' or 'E' followed by an integer text.
bool IsRealText(const char* text);

// The real number at the start of text; 0 when there is none.
double TextToReal(const char* text);
