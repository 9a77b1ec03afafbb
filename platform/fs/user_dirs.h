#pragma once
// The desktop's well-known user folders, as the user's "user-dirs.dirs"
// names them (in $XDG_CONFIG_HOME, else ~/.config): lines such as
//   XDG_DOCUMENTS_DIR="$HOME/Dokumente"
// where the quoted path is absolute or starts with $HOME. A localised
// desktop keeps its documents folder under its own name only there.

#include <optional>
#include <string>
#include <string_view>

namespace plat {

// The folder that the text of a user-dirs file gives the key (such as
// "XDG_DOCUMENTS_DIR"), with $HOME replaced by home; none when the key is
// missing or its value is neither absolute nor under $HOME. The last line
// of the key wins, as when the file is read by the shell.
std::optional<std::string> ParseUserDir(std::string_view text, std::string_view key, std::string_view home);

// The folder the user's own user-dirs file gives the key, or none.
std::optional<std::string> UserDir(std::string_view key);

}  // namespace plat
