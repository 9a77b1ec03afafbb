#include "foundation/JxTextHelpers.h"

#include <charconv>
#include <cstring>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const char* SkipSign(const char* text) { return (*text == '-' || *text == '+') ? text + 1 : text; }

}  // namespace

char* IntToText(std::int32_t value, char* end)
{
    *end = '\0';
    // Work on the magnitude in unsigned arithmetic so the most negative value
    // has one too.
    std::uint32_t magnitude = value < 0 ? 0u - std::uint32_t(value) : std::uint32_t(value);
    char* p = end;
    do {
        *--p = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--p = '-';
    return p;
}

std::int32_t TextToInt(const char* text)
{
    const bool negative = *text == '-';
    const char* p = SkipSign(text);
    std::uint32_t accumulated = 0;
    for (; IsDigit(*p); ++p)
        accumulated = accumulated * 10 + std::uint32_t(*p - '0');
    if (negative)
        accumulated = 0u - accumulated;
    return std::int32_t(accumulated);
}

bool IsIntegerText(const char* text)
{
    const char* p = SkipSign(text);
    const std::size_t digits = std::strlen(p);
    if (digits == 0 || digits > 10)
        return false;
    for (; *p; ++p)
        if (!IsDigit(*p))
            return false;
    return true;
}

bool IsRealText(const char* text)
{
    if (*text == '\0' || IsIntegerText(text))
        return false;
    const char* p = SkipSign(text);
    bool seenDot = false;
    bool seenDigit = false;
    for (; *p; ++p) {
        if (IsDigit(*p)) {
            seenDigit = true;
        } else if (*p == '.' && !seenDot) {
            seenDot = true;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return false;
    if (*p == '\0')
        return true;
    if (*p != 'e' && *p != 'E')
        return false;
    return IsIntegerText(p + 1);
}

double TextToReal(const char* text)
{
    const char* p = *text == '+' ? text + 1 : text;
    double value = 0;
    const auto result = std::from_chars(p, p + std::strlen(p), value);
    return result.ec == std::errc() ? value : 0.0;
}
