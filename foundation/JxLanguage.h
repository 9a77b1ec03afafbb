#pragma once
// The current language: a Windows language identifier (LANGID) and an ANSI
// code page, selected once at start-up, with the character tables that go
// with them (case tables, JxCharTables.h; sort weights, JxSortWeights.h).

#include <cstdint>
#include <functional>

// One row of the language table.
struct JxLanguageRow {
    const char* code;      // two letters, as the setting "Country" and the version records name it
    const char* longCode;  // three letters
    std::uint16_t languageId;
    std::uint16_t codePage;
};

// The 27 rows, in the order they are searched.
const JxLanguageRow* LanguageTable();
constexpr int kLanguageCount = 27;

// Selects the language: that of the program's version information, unless
// the setting "Country" names a row of the table. Sets the character tables
// and makes the code page the platform's ANSI code page.
void SelectLanguage(std::uint16_t versionLanguageId);

// The two-letter code of the current LANGID's row; null when no row has it.
const char* GetLanguageCode();
std::uint16_t GetCurrentLanguage();
std::uint16_t GetCurrentCodePage();

// The bounded comparison of two texts by the index's sort keys: negative
// when a sorts first, positive when b does, 0 when equal. CompareNoCase has
// no bound to speak of (2,147,483,647 characters).
using JxIndexKeyComparison = std::function<std::int32_t(const char* a, const char* b, std::int32_t bound)>;
std::int32_t CompareNoCase(const char* a, const char* b);
std::int32_t CompareNoCaseN(const char* a, const char* b, std::int32_t bound);
// The index installs its key comparison here; without one, texts compare
// character by character in lower case. Returns the previous one.
JxIndexKeyComparison SetIndexKeyComparison(JxIndexKeyComparison comparison);

// Test support: back to no language (LANGID 0, code page 0), the default
// tables and the platform's first ANSI code page, 1252.
void ResetLanguage();
