#pragma once
// The process's current ANSI code page and conversions between its bytes and
// Unicode. Text reaches fonts as Unicode; WM_CHAR carries bytes of this page.

#include <string>
#include <string_view>

#include "platform/core/types.h"

namespace plat {

// 1252 until the program chooses its language.
int GetACP();
void SetACP(int codePage);

// True for the code pages this layer can convert: the single-byte Windows
// pages 874 and 1250 to 1258, the Greek OEM page 737, and the double-byte pages 932, 936, 949, 950.
bool IsCodePageSupported(int codePage);
bool IsDoubleByteCodePage(int codePage);

// Bytes of a code page to Unicode. A byte or sequence the page cannot convert
// becomes U+FFFD; conversion never stops early.
std::u32string DecodeText(std::string_view bytes, int codePage);

// One character to the bytes of a code page; empty when the page has no
// byte sequence for it.
std::string EncodeChar(char32_t ch, int codePage);

// The OEM (DOS) code page that goes with the ANSI page: 737 for Greek
// (1253). For other pages it is 437, which this layer has no table for.
int GetOEMCP();

// Zero-terminated text between the OEM and the ANSI code page, byte for
// byte; the source and the destination may be the same buffer. A character
// the target page lacks becomes '?'; where either page has no table here
// the bytes are copied unchanged. FALSE only for a null buffer.
BOOL OemToCharA(const char* src, char* dst);
BOOL CharToOemA(const char* src, char* dst);

}  // namespace plat
