#pragma once
// The names the script gives for files to install and shortcuts to make are
// names inside a folder: one that carries a drive, starts at a root or
// climbs out with ".." would write outside the target or system folder, and
// is refused.

#include <string_view>

bool IsPlainFileName(std::string_view name);
