#pragma once
// The current language's character tables as the string classes see them:
// case conversion of the characters 128 to 255 through an upper-case and a
// lower-case table (0 = the character has no other case), ASCII below, and
// the lead-byte test of the double-byte code pages.
//
// The tables start as the defaults (the case pairs of code page 1252). The
// language selection replaces them once at start-up, before any string is
// converted, and leaves them alone afterwards.

#include <cstdint>

// One character for the editing operations: a value below 256 is one byte; a
// double-byte character carries its lead byte in bits 8-15 and its trail byte
// in bits 0-7.
using JxChar = std::uint16_t;

// Entry i of each table stands for the character 128 + i.
struct JxCaseTables {
    std::uint8_t upper[128];
    std::uint8_t lower[128];
};

// The defaults: code page 1252 without the Z-with-caron pair.
const JxCaseTables& DefaultCaseTables();

// The tables of code pages 1250, 1251, 1253 and 1254; null for the pages
// that use the defaults.
const JxCaseTables* CodePageCaseTables(int codePage);

// The tables in use. SetCaseTables copies the given tables.
const JxCaseTables& CurrentCaseTables();
void SetCaseTables(const JxCaseTables& tables);
void ResetCaseTables();

// Under Turkish (LANGID 1055) the capital I lowers to the dotless i (253).
unsigned char CharToLower(unsigned char c);
unsigned char CharToUpper(unsigned char c);

// The other case of a single-byte character of text in the current code page:
// CharToLower and CharToUpper on a single-byte page. On a double-byte page the
// case tables do not describe the single bytes 128 to 255 (katakana and
// symbols there), so only A to Z change.
unsigned char TextCharToLower(unsigned char c);
unsigned char TextCharToUpper(unsigned char c);

// True when c starts a double-byte character in the current code page (the
// platform's code page: 932, 936, 949 and 950 have lead bytes; every other
// page has none).
bool IsLeadByte(unsigned char c);
bool IsLeadByteInCodePage(unsigned char c, int codePage);
// True when the current code page has double-byte characters at all.
bool IsDoubleByteText();
