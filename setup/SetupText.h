#pragma once
// The installer's string table: texts in code page 737, loaded from the
// program's own resources.

#include <string>

#include "platform/core/types.h"

// The entry (at most 449 bytes) with every "_" turned into 0x80, capital
// alpha in code page 737; "LS error" when there is no such entry.
std::string LoadText(plat::UINT id);
// The entry as it is stored, without the "_" rule; empty when missing.
std::string LoadRawText(plat::UINT id);
