#include "runtime/JxCIndexString.h"

#include <algorithm>

#include "foundation/JxCharTables.h"
#include "foundation/JxLanguage.h"
#include "foundation/JxSortWeights.h"
#include "runtime/JxVersionInfo.h"

namespace {

// The letter without its accent, keeping its case; 0 for a character that
// has none to lose.
char unaccented(unsigned char c)
{
    switch (c) {
    case 0x8A: return 'S';
    case 0x9A: return 's';
    case 0x9F: return 'Y';
    case 0xFF: return 'y';
    case 0xC7: return 'C';
    case 0xE7: return 'c';
    case 0xD0: return 'D';
    case 0xF0: return 'd';
    case 0xD1: return 'N';
    case 0xF1: return 'n';
    case 0xD8: return 'O';
    case 0xF8: return 'o';
    case 0xDD: return 'Y';
    case 0xFD: return 'y';
    default: break;
    }
    const unsigned char lower = c >= 0xE0 ? c - 0x20 : c;
    const char base = lower >= 0xC0 && lower <= 0xC5   ? 'A'
                      : lower >= 0xC8 && lower <= 0xCB ? 'E'
                      : lower >= 0xCC && lower <= 0xCF ? 'I'
                      : lower >= 0xD2 && lower <= 0xD6 ? 'O'
                      : lower >= 0xD9 && lower <= 0xDC ? 'U'
                                                       : 0;
    return base && c >= 0xE0 ? char(base + ('a' - 'A')) : base;
}

// The default table's letters: the accented Latin letters of the upper
// half, apart from Ð, Ø and Ý (either case), and ÿ.
bool inDefaultTable(unsigned char c)
{
    if (c == 0xD0 || c == 0xD8 || c == 0xDD || c == 0xF0 || c == 0xF8 || c == 0xFD)
        return false;
    return (c >= 0xC0 && unaccented(c)) || c == 0xFF;
}

std::string makePairs(std::string_view notFolded, std::string_view extra)
{
    std::string pairs;
    auto add = [&pairs](unsigned char c) {
        pairs += char(c);
        pairs += unaccented(c);
    };
    for (unsigned c = 0xC0; c <= 0xFF; ++c)
        if (inDefaultTable((unsigned char)c) && notFolded.find(char(c)) == std::string_view::npos)
            add((unsigned char)c);
    for (char c : extra)
        add((unsigned char)c);
    return pairs;
}

constexpr char kQuote[] = "\"";
constexpr char kGuillemets[] = "\xAB\xBB";
constexpr char kSigns[] = "!#$%^&*_+=[];:?<>.";
constexpr char kGermanSigns[] = "!@#$%^&*()_+[]{};:'<>.?/\\";
constexpr char kSharpS = '\xDF';
constexpr char kOELigatureUpper = '\x8C';
constexpr char kOELigature = '\x9C';
constexpr char kAELigatureUpper = '\xC6';
constexpr char kAELigature = '\xE6';
constexpr char kCzechCh = '\x80';

void foldLigatures(JxCIndexString& s, bool sharpS, bool upper)
{
    if (sharpS)
        s.ReplaceCharByText(kSharpS, "ss");
    if (upper)
        s.ReplaceCharByText(kOELigatureUpper, "OE");
    s.ReplaceCharByText(kOELigature, "oe");
    s.ReplaceCharByText(kAELigature, "ae");
    if (upper)
        s.ReplaceCharByText(kAELigatureUpper, "AE");
}

void germanLevel1(JxCIndexString& s)
{
    s.ResetKey();
    s.RemoveChars(std::string(" -1234567890") + kGermanSigns);
    s.LowerKey();
    s.ReplaceCharPairs(nullptr);
    foldLigatures(s, true, true);
    s.ReplaceCharPairs(", ");
}

void germanLevel2(JxCIndexString& s, bool loose)
{
    s.ResetKey();
    s.RemoveChars(std::string(" -") + kGermanSigns);
    if (loose) {
        s.LowerKey();
        s.ReplaceCharPairs(nullptr);
    }
    s.ReplaceCharByText(kSharpS, loose ? "ss" : "\xDF\xDF");
    foldLigatures(s, false, true);
    s.ReplaceCharPairs(", ");
}

// The walk shared by both key comparisons. Characters that weigh the same
// (and are not ignored) are left to the tie-break, or decide at once.
struct KeyWalk {
    std::int32_t result = 0;      // non-zero: decided in the walk
    std::size_t compared = 0;     // characters walked
    bool boundUsed = false;
    std::int32_t tieBreak = 0;
};

KeyWalk walkKeys(const std::string& a, const std::string& b, std::int32_t bound, bool equalWeightsDecide)
{
    KeyWalk walk;
    std::int32_t left = bound;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (bound > 0 && left-- == 0) {
            walk.boundUsed = true;
            return walk;
        }
        walk.compared = i + 1;
        const auto p = std::int32_t(i + 1);
        const auto ca = (unsigned char)a[i];
        const auto cb = i < b.size() ? (unsigned char)b[i] : (unsigned char)0;
        if (ca == cb)
            continue;
        const std::uint8_t wa = GetCharWeight(ca);
        const std::uint8_t wb = GetCharWeight(cb);
        if (wa != wb || wa == 0 || equalWeightsDecide) {
            const bool first = wa != wb ? wa < wb : ca < cb;
            walk.result = first ? -p : p;
            return walk;
        }
        if (walk.tieBreak == 0)
            walk.tieBreak = int(ca) - int(cb);
    }
    walk.boundUsed = bound > 0 && left == 0;
    return walk;
}

}  // namespace

namespace JxIndexPairs {
const std::string& Default()
{
    static const std::string pairs = makePairs("", "");
    return pairs;
}
const std::string& Spanish()
{
    static const std::string pairs = makePairs("\xD1\xF1", "");
    return pairs;
}
const std::string& Nordic()
{
    static const std::string pairs = makePairs("\xC4\xC5\xD6\xE4\xE5\xF6", "\xD0\xD8\xDD\x8A\x9F\xF0\xF8\xFD\x9A");
    return pairs;
}
const std::string& Norwegian()
{
    static const std::string pairs = makePairs("\xC2\xC4\xD6\xDC\xE4\xE5\xF6\xFC\xFF", "");
    return pairs;
}
const std::string& Danish()
{
    static const std::string pairs = makePairs("\xC3\xC5\xD5\xE3\xE5\xF5", "");
    return pairs;
}
const std::string& Turkish()
{
    static const std::string pairs = makePairs("\xC7\xD6\xDC\xE7\xF6\xFC", "\xD8\x8A\x9F\xF8\x9A");
    return pairs;
}
}  // namespace JxIndexPairs

JxCIndexString::JxCIndexString(const char* text) : JxCString(text)
{
    ResetKey();
}

void JxCIndexString::ResetKey()
{
    key_.assign(GetText() ? GetText() : "");
}

void JxCIndexString::ReplaceCharPairs(const char* pairs)
{
    ReplaceCharPairs(pairs ? std::string_view(pairs) : std::string_view(JxIndexPairs::Default()));
}

void JxCIndexString::ReplaceCharPairs(std::string_view pairs)
{
    for (std::size_t i = 0; i + 1 < pairs.size(); i += 2)
        std::replace(key_.begin(), key_.end(), pairs[i], pairs[i + 1]);
}

void JxCIndexString::RemoveChars(std::string_view set)
{
    std::erase_if(key_, [set](char c) { return set.find(c) != std::string_view::npos; });
}

void JxCIndexString::ReplaceCharByText(char c, std::string_view text)
{
    if (key_.find(c) == std::string::npos)
        return;
    std::string out;
    for (char k : key_)
        if (k == c)
            out += text;
        else
            out += k;
    key_ = std::move(out);
}

void JxCIndexString::ReplaceTextByChar(char c, std::string_view text)
{
    if (text.empty())  // would match forever
        return;
    for (auto at = key_.find(text); at != std::string::npos; at = key_.find(text))
        key_.replace(at, text.size(), 1, c);
}

void JxCIndexString::LowerKey()
{
    for (char& c : key_)
        c = char(CharToLower((unsigned char)c));
}

void JxCIndexString::MakeKey(std::uint16_t languageId)
{
    ResetKey();
    switch (languageId) {
    case 1029:  // Czech
        LowerKey();
        ReplaceTextByChar(kCzechCh, "ch");
        RemoveChars("\",");
        break;
    case 1030:  // Danish
        ReplaceCharPairs(JxIndexPairs::Danish());
        LowerKey();
        ReplaceCharPairs("*,");
        ReplaceCharByText(kSharpS, "ss");
        break;
    case 1031:  // German
    case 1032:  // Greek
        break;
    case 1033:  // English
    case 2057:
        ReplaceCharPairs(nullptr);
        LowerKey();
        foldLigatures(*this, true, false);
        RemoveChars(kQuote);
        break;
    case 1034:  // Spanish
        ReplaceCharPairs(JxIndexPairs::Spanish());
        LowerKey();
        RemoveChars("\xBF\"");
        foldLigatures(*this, true, false);
        break;
    case 1035:  // Finnish
    case 1053:  // Swedish
        ReplaceCharPairs(JxIndexPairs::Nordic());
        LowerKey();
        foldLigatures(*this, false, false);
        RemoveChars(std::string(kQuote) + kSigns);
        ReplaceCharPairs("*,");
        break;
    case 1036:  // French
        ReplaceCharPairs(nullptr);
        LowerKey();
        foldLigatures(*this, true, false);
        RemoveChars(std::string(kGuillemets) + kQuote);
        break;
    case 1039:  // Icelandic
        LowerKey();
        ReplaceCharPairs("! # $ % ^ & * _ = [ ] ; : ? < > . ");
        break;
    case 1040:  // Italian
        ReplaceCharPairs(nullptr);
        LowerKey();
        RemoveChars("\"!#$%^&*_+-=[];:?<>.'");
        break;
    case 1043:  // Dutch
        LowerKey();
        ReplaceCharPairs(JxIndexPairs::Default());
        ReplaceCharPairs(", - ( ) : \" ; ' ? ");
        break;
    case 1044:  // Norwegian
        LowerKey();
        ReplaceCharPairs(JxIndexPairs::Norwegian());
        ReplaceCharByText(kSharpS, "ss");
        ReplaceCharByText(kOELigature, "oe");
        break;
    case 1045:  // Polish
        LowerKey();
        RemoveChars(kQuote);
        ReplaceCharPairs("! # $ % ^ & * _ + = [ ] ; : ? < > . ");
        break;
    case 1046:  // Portuguese
        LowerKey();
        ReplaceCharPairs(JxIndexPairs::Default());
        RemoveChars(kQuote);
        ReplaceCharPairs("- ");
        foldLigatures(*this, false, true);
        break;
    case 1049:  // Russian
        RemoveChars(kGuillemets);
        break;
    case 1055:  // Turkish
        LowerKey();
        ReplaceCharPairs(JxIndexPairs::Turkish());
        break;
    case 1060:  // Slovenian
        LowerKey();
        ReplaceCharPairs("*,");
        break;
    default:
        ReplaceCharPairs(nullptr);
        LowerKey();
        break;
    }
}

std::int32_t JxCIndexString::CompareText(const char* text, std::int32_t bound)
{
    JxCIndexString other(text);
    return CompareStrict(other, bound);
}

std::int32_t JxCIndexString::CompareWith(JxCIndexString& other, std::int32_t bound)
{
    return CompareStrict(other, bound);
}

std::int32_t JxCIndexString::CompareKey(const JxCIndexString& other, std::int32_t bound) const
{
    const KeyWalk walk = walkKeys(key_, other.key_, bound, false);
    if (walk.result)
        return walk.result;
    const auto p = std::int32_t(walk.compared + 1);
    if (!walk.boundUsed && walk.compared < other.key_.size())
        return -p;
    return walk.tieBreak > 0 ? p : walk.tieBreak < 0 ? -p : 0;
}

std::int32_t JxCIndexString::CompareStrict(JxCIndexString& other, std::int32_t bound)
{
    return CompareKey(other, bound);
}

std::int32_t JxCIndexString::CompareLoose(JxCIndexString& other, std::int32_t bound)
{
    return CompareKey(other, bound);
}

std::int32_t JxCGermanIndexString::CompareKey(const JxCIndexString& other, std::int32_t bound) const
{
    const KeyWalk walk = walkKeys(GetKey(), other.GetKey(), bound, true);
    if (walk.result || walk.boundUsed || walk.compared >= other.GetKey().size())
        return walk.result;
    return -std::int32_t(walk.compared + 1);
}

void JxCGermanIndexString::MakeLevel1Key()
{
    germanLevel1(*this);
}

void JxCGermanIndexString::MakeStrictLevel2Key()
{
    germanLevel2(*this, false);
}

void JxCGermanIndexString::MakeLooseLevel2Key()
{
    germanLevel2(*this, true);
}

std::int32_t JxCGermanIndexString::CompareStrict(JxCIndexString& other, std::int32_t bound)
{
    germanLevel1(*this);
    germanLevel1(other);
    if (std::int32_t r = CompareKey(other, bound))
        return r;
    germanLevel2(*this, false);
    germanLevel2(other, false);
    if (std::int32_t r = CompareKey(other, bound))
        return r;
    const auto la = std::int32_t(GetLength());
    const auto lb = std::int32_t(other.GetLength());
    return la > lb ? -lb : la < lb ? la : 0;
}

std::int32_t JxCGermanIndexString::CompareLoose(JxCIndexString& other, std::int32_t bound)
{
    germanLevel1(*this);
    germanLevel1(other);
    if (std::int32_t r = CompareKey(other, bound))
        return r;
    germanLevel2(*this, true);
    germanLevel2(other, true);
    return CompareKey(other, bound);
}

std::int32_t CompareIndexKeysIn(std::uint16_t languageId, const char* a, const char* b, std::int32_t bound)
{
    if (languageId == 1031) {
        JxCGermanIndexString ga(a);
        JxCGermanIndexString gb(b);
        return ga.CompareLoose(gb, bound);
    }
    JxCIndexString ia(a);
    JxCIndexString ib(b);
    ia.MakeKey(languageId);
    ib.MakeKey(languageId);
    const std::int32_t result = ia.CompareWith(ib, bound);
    if (result == 0 && languageId == 1049)
        return a && (unsigned char)a[0] == 0xAB ? 1 : 0;
    return result;
}

std::int32_t CompareIndexKeys(const char* a, const char* b, std::int32_t bound)
{
    return CompareIndexKeysIn(GetVersionLanguageId(), a, b, bound);
}

void InstallIndexKeyComparison()
{
    SetIndexKeyComparison(CompareIndexKeys);
}
