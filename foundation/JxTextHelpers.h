#pragma once
// Decimal conversions, number tests, trimming and tokenising, and the text
// forms of points and rectangles.

#include <cstdint>

#include "foundation/JxCPointList.h"
#include "foundation/JxCRect.h"
#include "foundation/JxCString.h"

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

// Trimming, tokens and the text forms of geometry.

// Removes every character of " \t\n\r" and of extra (when given) from both
// ends; a text made only of them becomes empty.
void TrimText(JxCString& text, const char* extra = nullptr);

// Trims text (also of commas); an empty text gives an empty token and false.
// Otherwise token becomes the text before the first blank, tab or comma (all
// of it when there is none) and text keeps the rest from that character on.
bool SplitToken(JxCString& token, JxCString& text);

// Up to four integers, "left, top, right, bottom"; missing ones are 0.
JxCRect TextToRect(const JxCString& text);
// Two integers, "x, y".
JxCPoint TextToPoint(const JxCString& text);
JxCString PointToText(const JxCPoint& point);
JxCString RectToText(const JxCRect& rect);
// Every point as "x, y; " (also after the last).
JxCString PointListToText(JxCPointList& points);
// The shortest text that reads back as the same real.
JxCString RealToText(double value);
