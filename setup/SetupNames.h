#pragma once
// The names the script gives for files to install and shortcuts to make.
//
// A name must stay inside its folder: one that carries a drive, starts at a
// root or climbs out would write outside the target or system folder, and
// is refused. Each component is judged as the platform resolves it, with
// its trailing dots and blanks dropped, so ".. " and "..." climb as ".."
// does.

#include <string>
#include <string_view>

bool IsPlainFileName(std::string_view name);

// The name a program file is stored under in the target: a final "$" (the
// medium's mark of a compressed program) becomes "EXE".
std::string StoredFileName(const std::string& name);
