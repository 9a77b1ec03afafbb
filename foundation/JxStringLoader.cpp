#include "foundation/JxStringLoader.h"

#include <utility>

#include "foundation/JxCharTables.h"

namespace {

JxStringLoader& loader()
{
    static JxStringLoader current;
    return current;
}

}  // namespace

JxStringLoader SetStringLoader(JxStringLoader l)
{
    return std::exchange(loader(), std::move(l));
}

bool LoadStringText(unsigned id, std::string& text, std::size_t bufferSize)
{
    if (!loader() || bufferSize == 0)
        return false;
    std::string found;
    if (!loader()(id, found))
        return false;
    // Keep whole characters that fit before the terminator; a text stops at
    // its first zero byte as it would in the buffer.
    std::size_t end = 0;
    const std::size_t limit = bufferSize - 1;
    while (end < found.size() && found[end] != '\0') {
        std::size_t step = IsLeadByte(static_cast<unsigned char>(found[end])) ? 2 : 1;
        if (end + step > limit || end + step > found.size())
            break;
        end += step;
    }
    // An empty text counts as none, as a load of 0 characters does.
    if (end == 0)
        return false;
    text.assign(found, 0, end);
    return true;
}
