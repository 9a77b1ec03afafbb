#pragma once
// The address in an internet shortcut file: the value of the last "URL="
// of the file (the letters in either case), ending before a blank, a double
// quote, ";", CR, LF or the end of the file, and cut at 400 characters.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

constexpr std::size_t kMaxShortcutAddress = 400;

// The characters come from next, which gives -1 at the end. None when the
// text holds no match; the last match's value, even an empty one, else.
std::optional<std::string> ScanShortcutText(const std::function<int()>& next);
// The same over the file of a Windows path; none when it cannot be opened.
std::optional<std::string> ScanShortcutFile(const char* windowsPath);
