#include "title/links/JxShortcutScan.h"

#include <cctype>
#include <cstdio>
#include <memory>

#include "platform/fs/stdio_files.h"

namespace {

constexpr char kPattern[] = "URL=";
constexpr int kPatternLength = 4;

bool endsValue(int c)
{
    return c == '"' || c == ' ' || c == ';' || c == '\r' || c == '\n';
}

}  // namespace

std::optional<std::string> ScanShortcutText(const std::function<int()>& next)
{
    std::optional<std::string> found;
    int matched = 0;
    int c = next();
    while (c >= 0) {
        // A character that breaks a match may begin the next one.
        if (std::toupper(c) != kPattern[matched])
            matched = 0;
        if (std::toupper(c) == kPattern[matched])
            ++matched;
        if (matched < kPatternLength) {
            c = next();
            continue;
        }
        matched = 0;
        std::string value;
        c = next();
        while (c >= 0 && !endsValue(c)) {
            value.push_back(char(c));
            if (value.size() == kMaxShortcutAddress)
                break;  // the 400th character is searched on from
            c = next();
        }
        found = std::move(value);
        if (c >= 0 && endsValue(c))
            c = next();
    }
    return found;
}

std::optional<std::string> ScanShortcutFile(const char* windowsPath)
{
    if (!windowsPath || !*windowsPath)
        return std::nullopt;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(plat::OpenStdioFile(windowsPath, "r"), &std::fclose);
    if (!file)
        return std::nullopt;
    std::FILE* f = file.get();
    std::optional<std::string> found = ScanShortcutText([f] { return std::fgetc(f); });
    return std::ferror(f) ? std::nullopt : found;
}
