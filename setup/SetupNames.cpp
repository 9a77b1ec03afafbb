#include "setup/SetupNames.h"

bool IsPlainFileName(std::string_view name)
{
    if (name.empty() || name.find(':') != std::string_view::npos || name.front() == '\\' || name.front() == '/')
        return false;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = name.size();
        std::string_view part = name.substr(start, end - start);
        // "..", and the "..." Windows also reads as a climb.
        if (part.size() >= 2 && part.find_first_not_of('.') == std::string_view::npos)
            return false;
        start = end + 1;
    }
    return true;
}
