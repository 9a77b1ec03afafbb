#include "foundation/JxCharSteps.h"

#include <algorithm>

#include "foundation/JxCharTables.h"

namespace {

// The bytes of the character that starts at b.
std::int32_t charBytes(const unsigned char* t, std::int32_t length, std::int32_t b)
{
    return IsLeadByte(t[b]) && b + 1 < length ? 2 : 1;
}

// The last boundary at or before the position, and the one before that.
struct Boundaries {
    std::int32_t at = 0;
    std::int32_t before = 0;
};

Boundaries walkTo(const char* text, std::int32_t length, std::int32_t position)
{
    const auto* t = reinterpret_cast<const unsigned char*>(text);
    Boundaries found;
    for (std::int32_t b = 0; b < length;) {
        const std::int32_t next = b + charBytes(t, length, b);
        if (next > position)
            break;
        found.before = b;
        found.at = b = next;
    }
    return found;
}

}  // namespace

std::int32_t CharStartAt(const char* text, std::int32_t length, std::int32_t position)
{
    position = std::clamp(position, 0, std::max(length, 0));
    if (!text || !IsDoubleByteText())
        return position;
    return walkTo(text, length, position).at;
}

std::int32_t NextCharPosition(const char* text, std::int32_t length, std::int32_t position)
{
    const std::int32_t at = CharStartAt(text, length, position);
    if (at >= length)
        return std::max(length, 0);
    if (!text || !IsDoubleByteText())
        return at + 1;
    return at + charBytes(reinterpret_cast<const unsigned char*>(text), length, at);
}

std::int32_t PreviousCharPosition(const char* text, std::int32_t length, std::int32_t position)
{
    position = std::clamp(position, 0, std::max(length, 0));
    if (!text || !IsDoubleByteText())
        return std::max(position - 1, 0);
    const Boundaries found = walkTo(text, length, position);
    return found.at == 0 ? 0 : found.before;
}

std::int32_t CharCountOfBytes(const char* text, std::int32_t bytes)
{
    if (!text || bytes <= 0)
        return 0;
    const auto* t = reinterpret_cast<const unsigned char*>(text);
    const bool doubleByte = IsDoubleByteText();
    std::int32_t count = 0;
    for (std::int32_t b = 0; b < bytes && t[b] != 0; ++count) {
        const std::int32_t step = doubleByte && IsLeadByte(t[b]) && t[b + 1] != 0 ? 2 : 1;
        if (b + step > bytes)
            break;
        b += step;
    }
    return count;
}
