#pragma once
// The selection of the current language (LANGID and code page) and its
// character tables, once at start-up.

// Selects the language from the version information or the setting
// "Country".
void SelectLanguage();
