#include "foundation/JxMessageText.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "foundation/JxStringLoader.h"

namespace {

JxCString fromStd(const std::string& s)
{
    return JxCString(std::string_view(s));
}

JxCString realText(double x)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%G", x);
    return JxCString(buffer);
}

constexpr std::string_view kSkipped = "lFNH0.-+#hL *";
constexpr std::string_view kConversions = "EGXcdefginopsux";

bool isSkipped(char c)
{
    return kSkipped.find(c) != std::string_view::npos;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

constexpr const char* kUnknownErrorText =
    "An unknown error (%d) has occured, or the correct error text cannot be displayed.";

}  // namespace

JxCString MakeString(std::uint16_t n) { return fromStd(std::to_string(n)); }
JxCString MakeString(std::int16_t n) { return fromStd(std::to_string(n)); }
JxCString MakeString(unsigned long n) { return fromStd(std::to_string(n)); }
JxCString MakeString(long n) { return fromStd(std::to_string(n)); }
JxCString MakeString(unsigned int n) { return fromStd(std::to_string(n)); }
JxCString MakeString(int n) { return fromStd(std::to_string(n)); }
JxCString MakeString(float x) { return realText(static_cast<double>(x)); }
JxCString MakeString(double x) { return realText(x); }

JxCString MakeString(char c)
{
    JxCString s;
    s = c;
    return s;
}

JxCString MakeString(unsigned char c)
{
    return MakeString(static_cast<char>(c));
}

JxMessageString FormatMessageArgList(const char* text, std::span<const JxMessageArg> args)
{
    std::string out;
    if (!text)
        return JxMessageString();
    auto arg = [&](std::size_t i) {  // 0-based; missing arguments are empty
        if (i < args.size() && i < kMaxMessageArgs)
            out.append(args[i].Text().View());
    };
    std::size_t next = 0;
    const std::string_view t(text);
    std::size_t i = 0;
    while (i < t.size()) {
        const char c = t[i++];
        if (c != '%') {
            out.push_back(c);
            continue;
        }
        // A digit right after the "%" is a position.
        if (i < t.size() && t[i] >= '1' && t[i] <= '9') {
            arg(static_cast<std::size_t>(t[i] - '1'));
            ++i;
            continue;
        }
        // Flags, then (once any flag stood) width and precision digits.
        bool flagged = false;
        while (i < t.size() && (isSkipped(t[i]) || (flagged && isDigit(t[i])))) {
            flagged = true;
            ++i;
        }
        if (i == t.size()) {
            out.push_back('%');
            break;
        }
        const char m = t[i++];
        if (m == '%')
            out.push_back('%');
        else if (kConversions.find(m) != std::string_view::npos)
            arg(next++);
        else
            out.push_back('%');  // and the character is dropped
    }
    return JxMessageString(fromStd(out));
}

JxMessageString FormatMessageArgs(const char* text, const JxMessageArg& a1, const JxMessageArg& a2,
                                  const JxMessageArg& a3, const JxMessageArg& a4,
                                  const JxMessageArg& a5, const JxMessageArg& a6,
                                  const JxMessageArg& a7, const JxMessageArg& a8,
                                  const JxMessageArg& a9)
{
    const JxMessageArg args[] = {a1, a2, a3, a4, a5, a6, a7, a8, a9};
    return FormatMessageArgList(text, args);
}

JxMessageString FormatText(const char* text, const JxMessageArg& a1, const JxMessageArg& a2,
                           const JxMessageArg& a3, const JxMessageArg& a4)
{
    return FormatMessageArgs(text, a1, a2, a3, a4);
}

JxMessageString FormatResourceMessageList(unsigned id, std::span<const JxMessageArg> args)
{
    std::string text;
    if (LoadStringText(id, text, 512))
        return FormatMessageArgList(text.c_str(), args);
    const JxMessageArg idArg(id);
    if (LoadStringText(kUnknownErrorTextId, text, 512))
        return FormatMessageArgList(text.c_str(), std::span(&idArg, 1));
    return FormatMessageArgList(kUnknownErrorText, std::span(&idArg, 1));
}

JxMessageString FormatResourceMessage(unsigned id, const JxMessageArg& a1, const JxMessageArg& a2,
                                      const JxMessageArg& a3, const JxMessageArg& a4,
                                      const JxMessageArg& a5, const JxMessageArg& a6,
                                      const JxMessageArg& a7, const JxMessageArg& a8,
                                      const JxMessageArg& a9)
{
    const JxMessageArg args[] = {a1, a2, a3, a4, a5, a6, a7, a8, a9};
    return FormatResourceMessageList(id, args);
}

JxMessageString FormatResource(unsigned id, const JxMessageArg& a1, const JxMessageArg& a2,
                               const JxMessageArg& a3, const JxMessageArg& a4)
{
    return FormatResourceMessage(id, a1, a2, a3, a4);
}
