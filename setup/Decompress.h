#pragma once
// Expanding one file from the medium into its place.

#include <string>

#include "platform/core/types.h"

// Expands source (a compressed file, or copies a plain one) to target,
// replacing it. A failure is shown in a plain message box naming the file
// or the LZ error, and leaves the target as it was. 1 when done; on a
// failed write the Windows error (ERROR_DISK_FULL for a full disk) lands
// in *error when given, else 0 there.
int DecompressFile(const std::string& source, const std::string& target, plat::DWORD* error = nullptr);
