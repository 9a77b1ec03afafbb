// Searching text with JxCString::FindString, raced against the standard
// library on the same text: std::string_view::find for the case-sensitive
// search and std::search with a case-folding comparison for the case-blind
// one. Results go to variables read afterwards, which keeps each search
// from being optimised away. Texts: 64 KiB and 64 bytes of single-byte words with the needle near
// the end, and 64 KiB of double-byte text.

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>

#include "bench/side_by_side.h"
#include "foundation/JxCString.h"
#include "platform/core/codepage.h"

namespace {

// Lower-case words of two to nine letters; the needle comes last.
std::string words(std::size_t size, const std::string& needle)
{
    std::mt19937 rng(3);
    std::string text;
    while (text.size() + needle.size() + 10 < size) {
        const int n = 2 + int(rng() % 8);
        for (int i = 0; i < n; ++i)
            text += char('a' + rng() % 26);
        text += ' ';
    }
    return text + needle;
}

// Double-byte text: hiragana and katakana (trail bytes 40 to 7E include the
// ASCII letters) among ASCII words; the needle comes last.
std::string doubleByteWords(std::size_t size, const std::string& needle)
{
    std::mt19937 rng(5);
    std::string text;
    while (text.size() + needle.size() + 10 < size) {
        if (rng() % 2) {
            text += char(0x82 + rng() % 2);
            text += char(0x40 + rng() % 0x3F);
        } else {
            text += char('a' + rng() % 26);
        }
    }
    return text + needle;
}

long offsetOf(const JxCString& s, const char* hit)
{
    return hit ? long(hit - s.GetText()) : -1;
}

long found(std::size_t at)
{
    return at == std::string_view::npos ? -1 : long(at);
}

// One case-sensitive pair: FindString against std::string_view::find.
bool raceFind(const char* name, const std::string& text, const char* needle, bench::Timing timing)
{
    const JxCString ours(text.c_str());
    const std::string_view peer(text);
    long a = 0, b = 0;
    bench::Race(
        name,
        [&] { a = offsetOf(ours, ours.FindString(needle)); }, [&] { b = found(peer.find(needle)); },
        timing);
    if (a != b)
        std::printf("%s: ours found %ld, the peer %ld\n", name, a, b);
    return a == b && a >= 0;
}

BENCH_PAIR(findstring_64k_vs_string_view_find)
{
    return raceFind("findstring_64k_vs_string_view_find", words(65536, "needle in text"), "needle in text",
                    {41, 20});
}

BENCH_PAIR(findstring_short_vs_string_view_find)
{
    return raceFind("findstring_short_vs_string_view_find", words(64, "needle"), "needle", {401, 20000});
}

BENCH_PAIR(findstring_caseblind_64k_vs_folded_search)
{
    const std::string text = words(65536, "NeedLe In Text");
    const char* needle = "nEEDLE in TEXT";
    const JxCString ours(text.c_str());
    const std::string_view hay(text), want(needle);
    const auto fold = [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    };
    long a = 0, b = 0;
    bench::Race(
        "findstring_caseblind_64k_vs_folded_search",
        [&] { a = offsetOf(ours, ours.FindString(needle, false)); },
        [&] {
            const auto at = std::search(hay.begin(), hay.end(), want.begin(), want.end(), fold);
            b = at == hay.end() ? -1 : long(at - hay.begin());
        },
        {41, 20});
    if (a != b)
        std::printf("case-blind search: ours found %ld, the peer %ld\n", a, b);
    return a == b && a >= 0;
}

// On a double-byte page FindString also checks that a match starts a
// character; the peer only matches bytes (the text has no false matches).
BENCH_PAIR(findstring_dbcs_64k_vs_string_view_find)
{
    const int saved = plat::GetACP();
    plat::SetACP(932);
    const bool same = raceFind("findstring_dbcs_64k_vs_string_view_find",
                               doubleByteWords(65536, "\x82\xA0needle"), "\x82\xA0needle", {41, 20});
    plat::SetACP(saved);
    return same;
}

}  // namespace
