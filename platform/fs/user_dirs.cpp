#include "platform/fs/user_dirs.h"

#include <cstdlib>

#include "platform/fs/atomic_file.h"

namespace plat {

namespace {

// A user-dirs file is a few lines; anything much larger is not one.
constexpr std::size_t kMaxUserDirsBytes = 64 * 1024;

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// The path of one value: "..." with backslash escapes, $HOME at its start.
std::optional<std::string> valuePath(std::string_view value, std::string_view home)
{
    if (value.size() < 2 || value.front() != '"' || value.back() != '"')
        return std::nullopt;
    value = value.substr(1, value.size() - 2);
    std::string path;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size())
            ++i;
        path += value[i];
    }
    constexpr std::string_view kHome = "$HOME";
    if (path.compare(0, kHome.size(), kHome) == 0 && (path.size() == kHome.size() || path[kHome.size()] == '/'))
        return std::string(home) + path.substr(kHome.size());
    if (path.empty() || path.front() != '/')
        return std::nullopt;
    return path;
}

}  // namespace

std::optional<std::string> ParseUserDir(std::string_view text, std::string_view key, std::string_view home)
{
    std::optional<std::string> found;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || trimmed(line.substr(0, eq)) != key)
            continue;
        if (std::optional<std::string> path = valuePath(trimmed(line.substr(eq + 1)), home))
            found = std::move(path);
    }
    return found;
}

std::optional<std::string> UserDir(std::string_view key)
{
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        return std::nullopt;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string file =
        (config && *config == '/' ? std::string(config) : std::string(home) + "/.config") + "/user-dirs.dirs";
    std::string text;
    if (!ReadWholeFile(file, text, kMaxUserDirsBytes))
        return std::nullopt;
    return ParseUserDir(text, key, home);
}

}  // namespace plat
