#include "foundation/JxCString.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>
#include <string_view>

#include "foundation/JxMessageText.h"
#include "platform/core/codepage.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The bytes of one character at b (1 or 2).
std::uint32_t charSize(const unsigned char* t, std::uint32_t b, std::uint32_t length)
{
    return (IsLeadByte(t[b]) && b + 1 < length) ? 2 : 1;
}

unsigned char foldForSearch(unsigned char c)
{
    return TextCharToLower(c);
}

// Whether the character of size n at a equals the character at b, where b has
// at least n bytes left.
bool sameChar(const unsigned char* a, const unsigned char* b, std::uint32_t n, bool caseSensitive)
{
    if (n == 2)
        return a[0] == b[0] && a[1] == b[1];
    return caseSensitive ? a[0] == b[0] : foldForSearch(a[0]) == foldForSearch(b[0]);
}

// A short text is searched without calls into the C library, whose set-up
// and one call per first byte found dominate on texts this short. A position
// is a candidate when the needle's first and last bytes are both where they
// belong (sixteen positions at a time where the processor allows), and only
// candidates are compared in full. hay holds at least needle.size() bytes
// from `from` on.
template <class Word>
Word loadWord(const char* at)
{
    Word w;
    std::memcpy(&w, at, sizeof w);
    return w;
}

// Whether the n bytes at a and b agree, for the short needles of this search
// without a call into the C library: two words that may overlap cover them.
template <class Word>
bool sameWords(const char* a, const char* b, std::size_t n)
{
    constexpr std::size_t k = sizeof(Word);
    return loadWord<Word>(a) == loadWord<Word>(b) && loadWord<Word>(a + n - k) == loadWord<Word>(b + n - k);
}

inline bool sameBytes(const char* a, const char* b, std::size_t n)
{
    if (n > 16)
        return std::memcmp(a, b, n) == 0;
    if (n >= 8)
        return sameWords<std::uint64_t>(a, b, n);
    if (n >= 4)
        return sameWords<std::uint32_t>(a, b, n);
    if (n >= 2)
        return sameWords<std::uint16_t>(a, b, n);
    return n == 0 || *a == *b;
}

inline std::size_t findBytesShort(std::string_view hay, std::string_view needle, std::size_t from)
{
    const char* const h = hay.data();
    const std::size_t n = needle.size();
    const std::size_t last = hay.size() - n;  // where the last possible match starts
    const char head = needle.front(), tail = needle.back();
    // The first and last bytes of a candidate are known to agree.
    const char* const middle = needle.data() + 1;
    const std::size_t inner = n < 2 ? 0 : n - 2;
#if defined(__SSE2__)
    if (last - from >= 15) {
        // Blocks of sixteen positions; the final block ends at the last
        // position and may overlap the one before, whose positions held no
        // match, so the first match found is still the first of all.
        const __m128i heads = _mm_set1_epi8(head), tails = _mm_set1_epi8(tail);
        for (std::size_t i = from;; i = std::min(i + 16, last - 15)) {
            const __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i));
            const __m128i ends = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i + n - 1));
            const __m128i both = _mm_and_si128(_mm_cmpeq_epi8(starts, heads), _mm_cmpeq_epi8(ends, tails));
            for (unsigned m = unsigned(_mm_movemask_epi8(both)); m != 0; m &= m - 1) {
                const std::size_t at = i + std::size_t(std::countr_zero(m));
                if (sameBytes(h + at + 1, middle, inner))
                    return at;
            }
            if (i == last - 15)
                return std::string_view::npos;
        }
    }
#endif
    for (std::size_t i = from; i <= last; ++i) {
        if (h[i] == head && h[i + n - 1] == tail && sameBytes(h + i + 1, middle, inner))
            return i;
    }
    return std::string_view::npos;
}

// The first position from `from` on where needle is in hay, byte for byte;
// npos when it is not. On long texts the C library's search wins: it skips
// ahead on pairs of bytes. On short ones setting up its tables costs more
// than it saves.
constexpr std::size_t kShortText = 256;

inline std::size_t findBytes(std::string_view hay, std::string_view needle, std::size_t from)
{
    if (from > hay.size() || needle.size() > hay.size() - from)
        return std::string_view::npos;
    if (hay.size() - from < kShortText)
        return findBytesShort(hay, needle, from);
    const void* at = memmem(hay.data() + from, hay.size() - from, needle.data(), needle.size());
    return at ? std::size_t(static_cast<const char*>(at) - hay.data()) : std::string_view::npos;
}

// The case folding of a case-blind search, as a table: ASCII letters and the
// case tables on a single-byte page; on a double-byte page only A to Z (the
// bytes 128 to 255 are no characters of their own there).
class SearchFold {
public:
    explicit SearchFold(bool doubleByte)
    {
        for (int c = 0; c < 128; ++c)
            to_[c] = static_cast<unsigned char>((c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c);
        const JxCaseTables& tables = CurrentCaseTables();
        for (int c = 128; c < 256; ++c) {
            const unsigned char other = doubleByte ? 0 : tables.lower[c - 128];
            to_[c] = other ? other : static_cast<unsigned char>(c);
        }
    }

    // The first position from `from` on where needle matches hay with both
    // folded; npos when there is none.
    std::size_t find(std::string_view hay, std::string_view needle, std::size_t from) const
    {
        const auto* h = reinterpret_cast<const unsigned char*>(hay.data());
        const auto* n = reinterpret_cast<const unsigned char*>(needle.data());
        if (needle.size() > hay.size())
            return std::string_view::npos;
        const std::size_t last = hay.size() - needle.size();
        const unsigned char first = to_[n[0]];
        for (std::size_t i = from; i <= last; ++i) {
            if (to_[h[i]] != first)
                continue;
            std::size_t k = 1;
            while (k < needle.size() && to_[h[i + k]] == to_[n[k]])
                ++k;
            if (k == needle.size())
                return i;
        }
        return std::string_view::npos;
    }

private:
    unsigned char to_[256];
};

// Whether the candidate at `at` starts a character of text, whose first
// byte is a character start. A byte that can be no lead byte always ends a
// character, so only the run of possible lead bytes just before the
// candidate decides: from its start the bytes pair off as lead and trail, and
// the candidate starts a character when the run is of even length. The walk
// back stops at `known`, a character start at or before the candidate.
bool startsCharacter(const unsigned char* text, std::size_t known, std::size_t at, int codePage)
{
    std::size_t run = at;
    while (run > known && IsLeadByteInCodePage(text[run - 1], codePage))
        --run;
    return (at - run) % 2 == 0;
}

// The bytes that match byte for byte (folded when case-blind) are the
// candidates; a candidate counts when it starts a character and when the
// characters agree: a double-byte character only with the same character.
// rest runs from a character start to the end of the text; a match starts
// within its first windowSize bytes.
std::size_t findDoubleByte(std::string_view rest, std::size_t windowSize, std::string_view needle, bool caseSensitive,
                           int codePage)
{
    const std::string_view window = rest.substr(0, windowSize);
    const auto* t = reinterpret_cast<const unsigned char*>(rest.data());
    const auto* n = reinterpret_cast<const unsigned char*>(needle.data());
    const auto length = static_cast<std::uint32_t>(rest.size());
    const auto needleLength = static_cast<std::uint32_t>(needle.size());
    const auto size = [codePage](const unsigned char* s, std::uint32_t i, std::uint32_t count) -> std::uint32_t {
        return (IsLeadByteInCodePage(s[i], codePage) && i + 1 < count) ? 2 : 1;
    };
    std::optional<SearchFold> fold;
    if (!caseSensitive)
        fold.emplace(true);
    // A character start at or before the next candidate: what lies before
    // it was looked at already.
    std::size_t known = 0;
    for (std::size_t at = 0;; ++at) {
        at = fold ? fold->find(window, needle, at) : findBytes(window, needle, at);
        if (at == std::string_view::npos)
            return at;
        if (!startsCharacter(t, known, at, codePage)) {
            // The candidate is the trail byte of the character before it.
            known = at + 1;
            continue;
        }
        known = at;
        std::uint32_t k = 0;
        const auto walk = static_cast<std::uint32_t>(at);
        while (k < needleLength) {
            const std::uint32_t m = size(n, k, needleLength);
            if (size(t, walk + k, length) != m || (m == 2 && (t[walk + k + 1] != n[k + 1] || t[walk + k] != n[k])))
                break;
            k += m;
        }
        if (k == needleLength)
            return at;
    }
}

}  // namespace

JxCString JxCString::fromBytes(const char* text, std::uint32_t length)
{
    JxCString s;
    if (text && length)
        s.AssignBytes(text, length);
    return s;
}

JxCString& JxCString::Format(const char* text, const JxMessageArg& a1)
{
    return *this = FormatMessageArgs(text, a1).ToString();
}

JxCString& JxCString::Format(const char* text, const JxMessageArg& a1, const JxMessageArg& a2)
{
    return *this = FormatMessageArgs(text, a1, a2).ToString();
}

JxCString& JxCString::Format(const char* text, const JxMessageArg& a1, const JxMessageArg& a2,
                             const JxMessageArg& a3)
{
    return *this = FormatMessageArgs(text, a1, a2, a3).ToString();
}

JxCString& JxCString::Format(const char* text, const JxMessageArg& a1, const JxMessageArg& a2,
                             const JxMessageArg& a3, const JxMessageArg& a4)
{
    return *this = FormatMessageArgs(text, a1, a2, a3, a4).ToString();
}

JxCString& JxCString::Format(const char* text, const JxMessageArg& a1, const JxMessageArg& a2,
                             const JxMessageArg& a3, const JxMessageArg& a4, const JxMessageArg& a5)
{
    return *this = FormatMessageArgs(text, a1, a2, a3, a4, a5).ToString();
}

JxCString JxCString::operator+(const JxCTableString& text) const
{
    JxCString result(*this);
    result.Append(text);
    return result;
}

bool JxCString::charRange(std::int32_t from, std::int32_t to, std::uint32_t& begin,
                          std::uint32_t& end) const
{
    return charRange(from, to, begin, end, IsDoubleByteText());
}

bool JxCString::charRange(std::int32_t from, std::int32_t to, std::uint32_t& begin, std::uint32_t& end,
                          bool doubleByte) const
{
    const std::int32_t count = GetCharCount();
    // from must name a character; to a character, the count or -1.
    if (from < 0 || from >= count || to < -1 || to > count)
        return false;
    if (to == -1)
        to = count;
    if (to < from)
        return false;
    const auto offsetOf = [&](std::int32_t i) {
        return doubleByte ? ByteOffsetOf(i) : std::min(static_cast<std::uint32_t>(i), GetLength());
    };
    begin = offsetOf(from);
    end = (to >= count - 1) ? GetLength() : offsetOf(to + 1);
    return true;
}

JxCString JxCString::Mid(std::int32_t from, std::int32_t to) const
{
    std::uint32_t begin = 0, end = 0;
    if (!charRange(from, to, begin, end))
        return JxCString();
    return fromBytes(GetText() + begin, end - begin);
}

JxCString JxCString::Left(std::int32_t n) const
{
    return Mid(0, n);
}

JxCString JxCString::LeftOf(std::int32_t n) const
{
    if (n == -1)
        return *this;
    if (n <= 0)
        return JxCString();  // nothing stands before the first character
    return Mid(0, n - 1);
}

JxCString JxCString::From(std::int32_t n) const
{
    return Mid(n, -1);
}

JxCString JxCString::LeftInclusive(const char* at) const
{
    if (!GetText() || at < GetText() || at >= GetText() + GetLength())
        return JxCString();
    return Mid(0, CharIndexOf(static_cast<std::uint32_t>(at - GetText())));
}

JxCString JxCString::LeftExclusive(const char* at) const
{
    if (!GetText() || at < GetText() || at > GetText() + GetLength())
        return JxCString();
    const std::int32_t i = CharIndexOf(static_cast<std::uint32_t>(at - GetText()));
    return i == 0 ? JxCString() : Mid(0, i - 1);
}

JxCString JxCString::FromPointer(const char* at) const
{
    if (!GetText() || at < GetText() || at > GetText() + GetLength())
        return JxCString();
    return fromBytes(at, static_cast<std::uint32_t>(GetText() + GetLength() - at));
}

JxCString JxCString::First(std::int32_t n) const
{
    if (n < 1)
        return JxCString();
    if (static_cast<std::uint32_t>(n) >= GetLength())
        return *this;
    // The last whole character that ends within n bytes.
    const unsigned char* t = GetUnsignedText();
    std::uint32_t end = 0;
    while (end < static_cast<std::uint32_t>(n)) {
        std::uint32_t step = charSize(t, end, GetLength());
        if (end + step > static_cast<std::uint32_t>(n))
            break;
        end += step;
    }
    return fromBytes(GetText(), end);
}

JxCString JxCString::Last(std::int32_t n) const
{
    if (n <= 0)
        return JxCString();
    if (static_cast<std::uint32_t>(n) >= GetLength())
        return *this;
    // The first character that starts at or after length - n.
    const std::uint32_t want = GetLength() - static_cast<std::uint32_t>(n);
    const unsigned char* t = GetUnsignedText();
    std::uint32_t begin = 0;
    while (begin < want)
        begin += charSize(t, begin, GetLength());
    return fromBytes(GetText() + begin, GetLength() - begin);
}

std::int32_t JxCString::Find(char c, bool caseSensitive, std::int32_t from, std::int32_t to) const
{
    std::uint32_t b = 0, end = 0;
    if (!charRange(from, to, b, end))
        return -1;
    const auto target = static_cast<unsigned char>(c);
    unsigned char other = target;
    if (!caseSensitive && !IsLeadByte(target)) {
        other = TextCharToLower(target);
        if (other == target)
            other = TextCharToUpper(target);
    }
    const unsigned char* t = GetUnsignedText();
    for (std::int32_t i = from; b < end; ++i) {
        const std::uint32_t n = charSize(t, b, GetLength());
        if (t[b] == target || (n == 1 && t[b] == other))
            return i;
        b += n;
    }
    return -1;
}

const char* JxCString::FindOneOf(const char* set, bool caseSensitive, std::int32_t from,
                                 std::int32_t to) const
{
    std::uint32_t b = 0, end = 0;
    if (!set || !*set || !charRange(from, to, b, end))
        return nullptr;
    const unsigned char* t = GetUnsignedText();
    const auto* s = reinterpret_cast<const unsigned char*>(set);
    const auto setLength = static_cast<std::uint32_t>(std::strlen(set));
    while (b < end) {
        const std::uint32_t n = charSize(t, b, GetLength());
        for (std::uint32_t k = 0; k < setLength;) {
            const std::uint32_t m = charSize(s, k, setLength);
            if (m == n && sameChar(t + b, s + k, n, caseSensitive))
                return GetText() + b;
            k += m;
        }
        b += n;
    }
    return nullptr;
}

const char* JxCString::FindString(const char* text, bool caseSensitive, std::int32_t from,
                                  std::int32_t to) const
{
    if (!text || !*text)
        return nullptr;
    const std::string_view needle(text);
    const int codePage = plat::GetACP();
    if (!caseSensitive || from != 0 || to != -1 || plat::IsDoubleByteCodePage(codePage))
        return findInRange(needle, caseSensitive, from, to, codePage);
    // The usual search, byte for byte through the whole text, goes straight
    // to the search.
    const std::size_t at = findBytes(View(), needle, 0);
    return at == std::string_view::npos ? nullptr : GetText() + at;
}

// Out of line, so that the usual search above carries none of its weight.
[[gnu::noinline]] const char* JxCString::findInRange(std::string_view needle, bool caseSensitive, std::int32_t from,
                                                     std::int32_t to, int codePage) const
{
    const bool doubleByte = plat::IsDoubleByteCodePage(codePage);
    // The whole text needs no character count: it is a valid range
    // whenever there is a character at all.
    std::uint32_t b = 0, end = GetLength();
    const bool whole = from == 0 && to == -1 && end != 0;
    if (!whole && !charRange(from, to, b, end, doubleByte))
        return nullptr;
    // A match starts between b and end and may run on past end.
    const std::string_view window =
        View().substr(b, std::min<std::size_t>(GetLength() - b, end - b + needle.size() - 1));
    std::size_t at = std::string_view::npos;
    if (!doubleByte) {
        // One byte is one character: the search is byte by byte.
        at = caseSensitive ? findBytes(window, needle, 0) : SearchFold(false).find(window, needle, 0);
    } else {
        at = findDoubleByte(View().substr(b), window.size(), needle, caseSensitive, codePage);
    }
    return at == std::string_view::npos ? nullptr : GetText() + b + at;
}

void JxCString::splice(std::uint32_t begin, std::uint32_t end, const char* insert,
                       std::uint32_t insertLength, std::int32_t fromChar)
{
    const std::uint32_t newLength = GetLength() - (end - begin) + insertLength;
    if (newLength == 0) {
        ReplaceBuffer(nullptr, 0, fromChar, 0);
        return;
    }
    char* buffer = AllocateBuffer(newLength);
    if (!buffer)
        return;  // out of memory: the string stays as it was
    if (begin)
        std::memcpy(buffer, GetText(), begin);
    if (insertLength)
        std::memcpy(buffer + begin, insert, insertLength);
    if (GetLength() > end)
        std::memcpy(buffer + begin + insertLength, GetText() + end, GetLength() - end);
    buffer[newLength] = '\0';
    ReplaceBuffer(buffer, newLength, fromChar, 0);
}

void JxCString::Insert(const char* text, std::int32_t position)
{
    if (!text || !*text || !IsValidEnd(position))
        return;
    const std::uint32_t at = ByteOffsetOf(position);
    splice(at, at, text, static_cast<std::uint32_t>(std::strlen(text)),
           position < 0 ? GetCharCount() : position);
}

namespace {

// The bytes of one character; 0 for a value that is no whole character (zero,
// or a lead byte without its trail byte).
std::uint32_t charBytes(JxChar c, char out[2])
{
    if (c > 0xFF) {
        out[0] = static_cast<char>(c >> 8);
        out[1] = static_cast<char>(c & 0xFF);
        return (out[1] != 0 && IsLeadByte(static_cast<unsigned char>(out[0]))) ? 2 : 0;
    }
    out[0] = static_cast<char>(c);
    return (c == 0 || IsLeadByte(static_cast<unsigned char>(c))) ? 0 : 1;
}

}  // namespace

void JxCString::InsertChar(JxChar c, std::int32_t position)
{
    char bytes[2];
    const std::uint32_t n = charBytes(c, bytes);
    if (n == 0 || !IsValidEnd(position))
        return;
    const std::uint32_t at = ByteOffsetOf(position);
    splice(at, at, bytes, n, position < 0 ? GetCharCount() : position);
}

void JxCString::SetCharAt(JxChar c, std::int32_t position)
{
    char bytes[2];
    const std::uint32_t n = charBytes(c, bytes);
    std::uint32_t begin = 0, end = 0;
    if (n == 0 || !charRange(position, position, begin, end))
        return;
    splice(begin, end, bytes, n, position);
}

void JxCString::Delete(std::int32_t from, std::int32_t to)
{
    std::uint32_t begin = 0, end = 0;
    if (!charRange(from, to, begin, end))
        return;
    splice(begin, end, nullptr, 0, from);
}

JxCKeyword::JxCKeyword(const char* text) : JxCString(text) {}

JxCKeyword::~JxCKeyword() = default;
