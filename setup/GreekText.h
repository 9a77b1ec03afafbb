#pragma once
// The installer's Greek texts: its string table and literals hold bytes of
// the Greek DOS code page 737, while windows, boxes and the registry take the
// Windows Greek page 1253. Two single-byte tables convert the Greek letters
// between the pages; the case functions know the Greek alphabet; the buffer
// helpers serve the input fields.

#include <span>
#include <string>
#include <string_view>

// The two tables. Only Greek letters move: the 24 capitals, the small
// letters alpha to psi with final sigma, omega, and the small letters with
// tonos; iota with dialytika moves from 737 to 1253 only. Every other byte
// (ASCII, capitals with tonos, upsilon with dialytika, symbols) stays.
unsigned char GreekOemToAnsiChar(unsigned char c);
unsigned char GreekAnsiToOemChar(unsigned char c);

// Case of one 1253 byte. Upper case drops the accents (alpha with tonos
// becomes capital alpha); lower case of capital sigma is the medial sigma.
// A byte that is no Greek letter of the tables keeps its value, capitals
// with tonos among them.
unsigned char GreekToUpper(unsigned char c);
unsigned char GreekToLower(unsigned char c);

// Every byte of a 737 text through GreekOemToAnsiChar; any length.
std::string ConvertGreekText(std::string_view text);

// Whole texts between the OEM and the ANSI page through the platform's
// conversions; any length.
std::string OemToAnsiText(std::string_view text);
std::string AnsiToOemText(std::string_view text);
// The platform's OEM-to-ANSI conversion of a zero-terminated text into dst,
// which must hold it; length is not needed and is kept for the callers.
void OemToAnsiBuffer(const char* src, char* dst, int length);

// The case functions over the first length bytes (at most the buffer).
void UpperBuffer(int length, std::span<char> buffer);
void LowerBuffer(int length, std::span<char> buffer);

// The step of ConvertPadBuffer: an ASCII small letter stays, any other byte
// goes through GreekAnsiToOemChar.
unsigned char ConvertNonLowerChar(unsigned char c);
// Converts the text in the buffer (up to its first zero byte) with
// ConvertNonLowerChar and fills the rest with zero bytes, so that the byte at
// the length is zero. Nothing is written past the buffer: a length that does
// not leave room for that zero byte is cut to the buffer. The length used.
int ConvertPadBuffer(int length, std::span<char> buffer);
// Zero-fills the first count bytes (at most the buffer).
void ClearBuffer(int count, std::span<char> buffer);
