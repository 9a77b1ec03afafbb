#include "setup/SetupNames.h"

#include "platform/fs/paths.h"

bool IsPlainFileName(std::string_view name)
{
    if (name.empty() || name.find(':') != std::string_view::npos)
        return false;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = name.size();
        std::string part = plat::ResolvedComponent(name.substr(start, end - start));
        // An empty component is a root ("\x") or a doubled separator.
        if (part.empty() || part == "." || part == "..")
            return false;
        start = end + 1;
    }
    return true;
}

std::string StoredFileName(const std::string& name)
{
    return !name.empty() && name.back() == '$' ? name.substr(0, name.size() - 1) + "EXE" : name;
}
