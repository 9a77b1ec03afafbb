#pragma once
// The process's current ANSI code page and conversions between its bytes and
// Unicode. Text reaches fonts as Unicode; WM_CHAR carries bytes of this page.

#include <string>
#include <string_view>

namespace plat {

// 1252 until the program chooses its language.
int GetACP();
void SetACP(int codePage);

// True for the code pages this layer can convert: the single-byte Windows
// pages 874 and 1250 to 1258, and the double-byte pages 932, 936, 949, 950.
bool IsCodePageSupported(int codePage);
bool IsDoubleByteCodePage(int codePage);

// Bytes of a code page to Unicode. A byte or sequence the page cannot convert
// becomes U+FFFD; conversion never stops early.
std::u32string DecodeText(std::string_view bytes, int codePage);

// One character to the bytes of a code page; empty when the page has no
// byte sequence for it.
std::string EncodeChar(char32_t ch, int codePage);

}  // namespace plat
