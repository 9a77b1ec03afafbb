#pragma once
// Expanding one file from the medium into its place.

#include <string>

// Expands source (a compressed file, or copies a plain one) to target,
// replacing it. A failure is shown in a plain message box naming the file
// or the LZ error, and leaves the target as it was. 1 when done.
int DecompressFile(const std::string& source, const std::string& target);
