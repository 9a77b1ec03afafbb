#pragma once
// The process-wide page-name table: the name of each page by its number,
// read on first use from "Pagename.str" (counted strings one after another
// to the end of the file). A missing or unreadable file gives an empty
// table, silently.

#include <cstdint>

#include "foundation/JxCString.h"

// Name n, or an empty string when there is none.
JxCString GetPageNameByIndex(std::int32_t n);
// The index of the first name equal to name without regard to case.
bool FindPageByName(const char* name, std::int32_t& n);
// A different file name (without regard to case) empties the table and
// reads it again from the new file.
void SetPageNameFile(const char* name);
const JxCString& GetPageNameFile();

// Test support: the table as after static construction.
void ResetPageNameTable();
