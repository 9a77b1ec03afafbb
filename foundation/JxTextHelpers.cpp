#include "foundation/JxTextHelpers.h"

#include <charconv>
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

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

namespace {

constexpr std::string_view kWhite = " \t\n\r";

bool IsTrimmed(char c, const char* extra)
{
    return kWhite.find(c) != std::string_view::npos || (extra && c != '\0' && std::strchr(extra, c));
}

void AppendInt(std::string& out, std::int32_t value)
{
    char buf[12];
    out += IntToText(value, buf + sizeof buf - 1);
}

}  // namespace

void TrimText(JxCString& text, const char* extra)
{
    const std::string_view view = text.View();
    std::size_t begin = 0;
    std::size_t end = view.size();
    while (begin < end && IsTrimmed(view[begin], extra))
        ++begin;
    while (end > begin && IsTrimmed(view[end - 1], extra))
        --end;
    if (begin == 0 && end == view.size())
        return;
    text = JxCString(view.substr(begin, end - begin));
}

bool SplitToken(JxCString& token, JxCString& text)
{
    TrimText(text, ",");
    if (text.IsEmpty()) {
        token = JxCString();
        return false;
    }
    const std::string_view view = text.View();
    const std::size_t cut = std::min(view.find_first_of(" \t,"), view.size());
    token = JxCString(view.substr(0, cut));
    text = JxCString(view.substr(cut));
    return true;
}

namespace {

// Reads up to n integers from text into the fields, in order.
void ReadInts(const JxCString& text, std::int16_t* const* fields, int n)
{
    JxCString rest = text;
    JxCString token;
    for (int i = 0; i < n && SplitToken(token, rest); ++i)
        *fields[i] = std::int16_t(TextToInt(token.GetText()));
}

}  // namespace

JxCRect TextToRect(const JxCString& text)
{
    JxCRect r;
    std::int16_t* const fields[] = {&r.left, &r.top, &r.right, &r.bottom};
    ReadInts(text, fields, 4);
    return r;
}

JxCPoint TextToPoint(const JxCString& text)
{
    JxCPoint p;
    std::int16_t* const fields[] = {&p.x, &p.y};
    ReadInts(text, fields, 2);
    return p;
}

JxCString PointToText(const JxCPoint& point)
{
    std::string out;
    AppendInt(out, point.x);
    out += ", ";
    AppendInt(out, point.y);
    return JxCString(std::string_view(out));
}

JxCString RectToText(const JxCRect& rect)
{
    std::string out;
    AppendInt(out, rect.left);
    out += ", ";
    AppendInt(out, rect.top);
    out += ", ";
    AppendInt(out, rect.right);
    out += ", ";
    AppendInt(out, rect.bottom);
    return JxCString(std::string_view(out));
}

JxCString PointListToText(JxCPointList& points)
{
    std::string out;
    for (JxCPoint* p = points.GetFirst(); p; p = points.GetNext(p)) {
        AppendInt(out, p->x);
        out += ", ";
        AppendInt(out, p->y);
        out += "; ";
    }
    return JxCString(std::string_view(out));
}

JxCString RealToText(double value)
{
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    return JxCString(std::string_view(buf, std::size_t(result.ptr - buf)));
}
