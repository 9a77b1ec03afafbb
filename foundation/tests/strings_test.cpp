#include "foundation/JxCString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <string_view>

#include "foundation/JxStringLoader.h"
#include "platform/core/codepage.h"

namespace {

std::string str(const JxCTableString& s)
{
    return std::string(s.View());
}

// Runs a test in a double-byte code page and puts the previous one back.
class DoubleByteText : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = plat::GetACP();
        plat::SetACP(932);
    }
    void TearDown() override { plat::SetACP(saved_); }

    // 'a', HIRAGANA A (82 A0), 'b', KATAKANA A (83 41: its trail byte is 'A'), 'c'
    static constexpr const char* kText = "a\x82\xA0" "b\x83\x41" "c";

private:
    int saved_ = 1252;
};

TEST(TableString, ComparisonsIgnoreCaseOfAsciiLettersOnly)
{
    EXPECT_TRUE(JxCTableString("") == JxCTableString(nullptr));
    EXPECT_FALSE(JxCTableString("") == JxCTableString("a"));
    EXPECT_FALSE(JxCTableString("a") == JxCTableString(""));
    EXPECT_TRUE(JxCTableString("ABC") == JxCTableString("abc"));
    EXPECT_TRUE(JxCTableString("ABC") != JxCTableString("abd"));
    // Accented letters are compared by value.
    EXPECT_FALSE(JxCTableString("\xC9") == JxCTableString("\xE9"));
    EXPECT_TRUE(JxCTableString("abc") < JxCTableString("ABD"));
    EXPECT_TRUE(JxCTableString("ab") < JxCTableString("abc"));
    const char* same = "xyz";
    EXPECT_FALSE(JxCTableString(same) < JxCTableString(same));
}

TEST_F(DoubleByteText, ComparisonNeverFoldsATrailByte)
{
    // KATAKANA A (83 41) and SMALL KATAKANA YA (83 61) differ only by the case
    // of their trail byte read as ASCII.
    EXPECT_FALSE(JxCTableString("\x83\x41") == JxCTableString("\x83\x61"));
    EXPECT_TRUE(JxCTableString("X\x83\x41") == JxCTableString("x\x83\x41"));
}

TEST(String, ExtractorsOnSingleByteText)
{
    const JxCString s("abcdef");
    EXPECT_EQ(str(s.Mid(2, 2)), "c");
    EXPECT_EQ(str(s.Mid(2, -1)), "cdef");
    EXPECT_EQ(str(s.Mid(2, 6)), "cdef");
    EXPECT_TRUE(s.Mid(6, -1).IsEmpty());
    EXPECT_TRUE(s.Mid(-1, 2).IsEmpty());
    EXPECT_TRUE(s.Mid(3, 2).IsEmpty());
    EXPECT_TRUE(s.Mid(0, 7).IsEmpty());
    EXPECT_EQ(str(s.Left(2)), "abc");
    EXPECT_EQ(str(s.LeftOf(2)), "ab");
    EXPECT_EQ(str(s.LeftOf(-1)), "abcdef");
    EXPECT_TRUE(s.LeftOf(0).IsEmpty());
    EXPECT_EQ(str(s.From(4)), "ef");
    EXPECT_EQ(str(s.First(2)), "ab");
    EXPECT_EQ(str(s.First(99)), "abcdef");
    EXPECT_TRUE(s.First(0).IsEmpty());
    EXPECT_EQ(str(s.Last(2)), "ef");
    EXPECT_TRUE(s.Last(0).IsEmpty());
    EXPECT_EQ(str(s.Last(6)), "abcdef");
    const char* d = s.GetText() + 3;
    EXPECT_EQ(str(s.LeftInclusive(d)), "abcd");
    EXPECT_EQ(str(s.LeftExclusive(d)), "abc");
    EXPECT_EQ(str(s.FromPointer(d)), "def");
    EXPECT_TRUE(s.LeftInclusive(s.GetText() + 6).IsEmpty());
    EXPECT_TRUE(s.LeftExclusive(s.GetText()).IsEmpty());
    EXPECT_TRUE(s.FromPointer("elsewhere").IsEmpty());
}

TEST(String, EditsAndTheirRanges)
{
    JxCString s("abcdef");
    s.Delete(1, 2);
    EXPECT_EQ(str(s), "adef");
    s.Delete(2, -1);
    EXPECT_EQ(str(s), "ad");
    s.Insert("XY", 1);
    EXPECT_EQ(str(s), "aXYd");
    s.Insert("!", 4);  // at the count: appended
    EXPECT_EQ(str(s), "aXYd!");
    s.Insert("?", 6);  // past the end: nothing
    s.Insert("", 0);
    s.Insert(nullptr, 0);
    EXPECT_EQ(str(s), "aXYd!");
    s.InsertChar('_', 0);
    s.SetCharAt('z', 1);
    EXPECT_EQ(str(s), "_zXYd!");
    s.SetCharAt('q', 6);  // not a character of the text
    EXPECT_EQ(str(s), "_zXYd!");
    s.SetAt(2, 'x');
    EXPECT_EQ(str(s), "_zxYd!");
    s.SetAt(3, '\0');
    EXPECT_EQ(s.GetLength(), 3u);
    EXPECT_EQ(s.GetCharCount(), 3);
    s.Delete(0, -1);
    EXPECT_EQ(s.GetText(), nullptr);
    EXPECT_EQ(s.GetLength(), 0u);
    s.Delete(0, -1);  // on an empty string: nothing
    EXPECT_EQ(s.GetText(), nullptr);
}

TEST(String, FindsWithAndWithoutCase)
{
    const JxCString s("abcAbc");
    EXPECT_EQ(s.Find('B', false), 1);
    EXPECT_EQ(s.Find('B', true), -1);
    EXPECT_EQ(s.Find('A', true, 1), 3);
    EXPECT_EQ(s.Find('c', true, 3, 4), -1);
    EXPECT_EQ(s.Find('c', true, 3, 5), 5);
    EXPECT_EQ(s.Find('a', true, 6), -1);
    const JxCString accented("caf\xE9");
    EXPECT_EQ(accented.Find('\xC9', false), 3);  // through the case tables

    // Results of the case-blind searches point into the original text.
    const JxCString t("xxHello");
    const char* hit = t.FindString("hELLO", false);
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit, t.GetText() + 2);
    EXPECT_EQ(t.FindString("hELLO", true), nullptr);
    EXPECT_EQ(t.FindString("Hello", true, 3), nullptr);
    EXPECT_EQ(t.FindString("lo", true, 0, 5), t.GetText() + 5);  // starts within, ends beyond
    EXPECT_EQ(t.FindString("lo", true, 0, 4), nullptr);
    EXPECT_EQ(t.FindOneOf("LE", false), t.GetText() + 3);
    EXPECT_EQ(t.FindOneOf("LE", true), nullptr);
    EXPECT_EQ(t.FindOneOf("", false), nullptr);
}

TEST(String, CaseConversionThroughTheDefaultTables)
{
    JxCString s("Caf\xE9 \x9A\x9E\xFF\xDF");
    s.MakeUpper();
    EXPECT_EQ(str(s), "CAF\xC9 \x8A\x9E\x9F\xDF");  // Z with caron and sharp s stay
    s.MakeLower();
    EXPECT_EQ(str(s), "caf\xE9 \x9A\x9E\xFF\xDF");
}

TEST(String, SelfAndInnerAssignmentAreSafe)
{
    JxCString s("hello world");
    const char* before = s.GetText();
    s = s;
    EXPECT_EQ(s.GetText(), before);
    s = s.GetText();
    EXPECT_EQ(s.GetText(), before);
    s = s.GetText() + 6;  // from inside the buffer it frees
    EXPECT_EQ(str(s), "world");
    s += s;
    EXPECT_EQ(str(s), "worldworld");
    s.Insert(s.GetText() + 5, 5);
    EXPECT_EQ(str(s), "worldworldworld");
    s = JxCTableString(s.GetText() + 10);
    EXPECT_EQ(str(s), "world");

    // Assigning through a view keeps the string's ownership of its copy.
    JxCTableString& view = s;
    char local[] = "temp";
    view = JxCTableString(local);
    local[0] = 'X';
    EXPECT_EQ(str(s), "temp");
    view.SetText("other");
    EXPECT_EQ(str(s), "other");
}

TEST(String, ConstructionCopyAndNumbers)
{
    JxCString null(nullptr);
    EXPECT_EQ(null.GetText(), nullptr);
    JxCString reserved(std::uint32_t{16});
    ASSERT_NE(reserved.GetText(), nullptr);
    EXPECT_EQ(reserved.GetLength(), 0u);
    JxCString c;
    c = 'x';
    EXPECT_EQ(str(c), "x");
    c.AssignInt(-305);
    EXPECT_EQ(str(c), "-305");
    EXPECT_EQ(c.ToInt(), -305);
    EXPECT_EQ(JxCString("  +17 apples").ToInt(), 17);
    EXPECT_EQ(JxCString("99999999999").ToInt(), 2147483647);
    EXPECT_EQ(null.ToInt(), 0);
    const JxCString a("ab");
    const JxCString b = a + "cd";
    EXPECT_EQ(str(a), "ab");
    EXPECT_EQ(str(b), "abcd");
    JxCString moved(std::move(JxCString("gone")));
    EXPECT_EQ(str(moved), "gone");
    JxCKeyword kw("on_click");
    EXPECT_TRUE(kw == JxCTableString("ON_CLICK"));
}

TEST(String, LoadStringThroughTheLoaderHook)
{
    JxCString s("unchanged");
    EXPECT_EQ(s.LoadString(5), 0);  // no loader: no text
    EXPECT_EQ(str(s), "unchanged");
    JxStringLoader previous = SetStringLoader([](unsigned id, std::string& text) {
        if (id == 5)
            text = "Five";
        else if (id == 6)
            text = std::string(600, 'x');
        else if (id == 7)
            text = "";
        else
            return false;
        return true;
    });
    EXPECT_EQ(s.LoadString(5), 1);
    EXPECT_EQ(str(s), "Five");
    EXPECT_EQ(s.LoadString(6), 1);
    EXPECT_EQ(s.GetLength(), 511u);  // what the 512-byte buffer holds
    s = "kept";
    EXPECT_EQ(s.LoadString(7), 0);
    EXPECT_EQ(s.LoadString(8), 0);
    EXPECT_EQ(str(s), "kept");
    SetStringLoader(previous);
}

TEST_F(DoubleByteText, PositionsCountCharactersAndLengthsCountBytes)
{
    const JxCString s(kText);
    EXPECT_EQ(s.GetLength(), 7u);
    EXPECT_EQ(s.GetCharCount(), 5);
    EXPECT_EQ(s.GetCharPtr(2), s.GetText() + 3);
    EXPECT_EQ(s.GetCharPtr(4), s.GetText() + 6);
    EXPECT_EQ(s.GetCharPtr(5), s.GetText() + 7);
    EXPECT_EQ(s.GetCharPtr(6), nullptr);
    EXPECT_EQ(str(s.Mid(1, 1)), "\x82\xA0");
    EXPECT_EQ(str(s.Mid(1, 3)), "\x82\xA0" "b\x83\x41");
    EXPECT_EQ(str(s.From(3)), "\x83\x41" "c");
    EXPECT_TRUE(s.Mid(5, -1).IsEmpty());
    EXPECT_EQ(s.Find('b'), 2);
    EXPECT_EQ(s.Find('A', true), -1);  // the trail byte 41 is not an 'A'
    EXPECT_EQ(s.Find('A', false, 1), -1);
    EXPECT_EQ(s.FindString("a", false, 1), nullptr);
    EXPECT_EQ(s.FindOneOf("\x83\x41"), s.GetText() + 4);
    EXPECT_EQ(s.FindOneOf("A"), nullptr);
    EXPECT_EQ(str(s.LeftInclusive(s.GetText() + 2)), "a\x82\xA0");  // a pointer to a trail byte
    // Bytes counted at the front and the back never split a character.
    EXPECT_EQ(str(s.First(2)), "a");
    EXPECT_EQ(str(s.Last(3)), "\x83\x41" "c");
    EXPECT_EQ(str(s.Last(2)), "c");
    EXPECT_EQ(JxCBaseString::CharCountToByteCount(s.GetText(), 3), 4u);
    EXPECT_EQ(JxCBaseString::CharCountToByteCount(s.GetText(), 50), 7u);
}

TEST_F(DoubleByteText, SearchesMatchWholeCharactersOnly)
{
    const JxCString s(kText);
    const char* t = s.GetText();
    EXPECT_EQ(s.FindString("A"), nullptr);  // only a trail byte is 41
    EXPECT_EQ(s.FindString("Ac"), nullptr);
    EXPECT_EQ(s.FindString("\x83\x41" "c"), t + 4);
    EXPECT_EQ(s.FindString("B", false), t + 3);
    EXPECT_EQ(s.FindString("\xA0" "b"), nullptr);  // starts on a trail byte
    // A byte match inside a character, then a real one.
    const JxCString twice("\x83\x41" "A" "\x83\x41");
    EXPECT_EQ(twice.FindString("A"), twice.GetText() + 2);
    EXPECT_EQ(twice.FindString("a", false), twice.GetText() + 2);
    EXPECT_EQ(twice.FindString("\x83\x41", true, 1), twice.GetText() + 3);
    // Double-byte characters match only themselves, whatever the case rule.
    EXPECT_EQ(s.FindString("\x83\x61", false), nullptr);
    // A lone lead byte at the end of the needle is no whole character.
    EXPECT_EQ(s.FindString("a\x82"), nullptr);
    const JxCString endsWithLead("ab\x82");
    EXPECT_EQ(endsWithLead.FindString("b\x82"), endsWithLead.GetText() + 1);
    // A match may end beyond the last character searched from, never start there.
    EXPECT_EQ(s.FindString("\x83\x41" "c", true, 0, 3), t + 4);
    EXPECT_EQ(s.FindString("c", true, 0, 3), nullptr);
    // Only the run of possible lead bytes before a match tells whether it
    // starts a character: after an odd run it is a trail byte.
    for (std::size_t run = 0; run < 6; ++run) {
        const JxCString leads((std::string(run, '\x83') + "Ax").c_str());
        EXPECT_EQ(leads.FindString("Ax"), run % 2 ? nullptr : leads.GetText() + run) << run;
    }
    // Single bytes above 127 have no other case on a double-byte page.
    const JxCString kana("x\xC9");
    EXPECT_EQ(kana.FindString("\xE9", false), nullptr);
    EXPECT_EQ(kana.FindString("X\xC9", false), kana.GetText());
}

// The first match of needle in text on code page 932 found by a walk that
// compares whole characters at each character start from character `from`
// on; -1 when there is none.
long walkSearch(const std::string& text, const std::string& needle, bool caseSensitive, int from = 0)
{
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
    const auto size = [](const std::string& s, std::size_t i) {
        return (plat::GetACP() == 932 && IsLeadByteInCodePage(static_cast<unsigned char>(s[i]), 932) &&
                i + 1 < s.size()) ? 2u : 1u;
    };
    int character = 0;
    for (std::size_t b = 0; b < text.size(); b += size(text, b)) {
        if (character++ < from)
            continue;
        std::size_t k = 0;
        while (k < needle.size() && b + k < text.size() && size(needle, k) == size(text, b + k) &&
               (size(needle, k) == 2 ? text.compare(b + k, 2, needle, k, 2) == 0
                                     : caseSensitive ? text[b + k] == needle[k]
                                                     : lower(text[b + k]) == lower(needle[k])))
            k += size(needle, k);
        if (k == needle.size())
            return long(b);
    }
    return -1;
}

// Random searches of texts of up to maxText bytes built from lead bytes, trail
// bytes that are letters and letters of both cases agree with walkSearch.
void searchRandomDoubleByteTexts(unsigned seed, int rounds, std::size_t maxText)
{
    const char alphabet[] = {'a', 'A', '\x83', '\x41', '\x61', '\x82', 'c'};
    std::mt19937 rng(seed);
    for (int round = 0; round < rounds; ++round) {
        std::string text(rng() % maxText + 1, ' '), needle(rng() % 3 + 1, ' ');
        for (char& c : text)
            c = alphabet[rng() % sizeof alphabet];
        for (char& c : needle)
            c = alphabet[rng() % sizeof alphabet];
        const JxCString s(text.c_str());
        // From the start, and from a character within, whose bytes before
        // it the search must not look back into.
        const int from = round % 2 ? int(rng() % std::uint32_t(s.GetCharCount())) : 0;
        for (bool caseSensitive : {true, false}) {
            const char* hit = s.FindString(needle.c_str(), caseSensitive, from);
            EXPECT_EQ(hit ? long(hit - s.GetText()) : -1L, walkSearch(text, needle, caseSensitive, from))
                << "text " << testing::PrintToString(text) << " needle " << testing::PrintToString(needle)
                << " from " << from;
        }
    }
}

// Every search of random text agrees with a walk that compares whole
// characters at each character start.
TEST_F(DoubleByteText, SearchesAgreeWithACharacterWalk)
{
    searchRandomDoubleByteTexts(7, 3000, 12);
}

// Texts long enough to be searched in blocks of positions, and beyond.
TEST_F(DoubleByteText, LongerSearchesAgreeWithACharacterWalk)
{
    searchRandomDoubleByteTexts(13, 1500, 300);
}

TEST_F(DoubleByteText, LongSearchesMatchWholeCharactersOnly)
{
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "\x83\x41";  // trail bytes that are 'A'
    const JxCString s((text + "xA").c_str());
    EXPECT_EQ(s.FindString("A"), s.GetText() + 401);
    EXPECT_EQ(s.FindString("xa", false), s.GetText() + 400);
    EXPECT_EQ(s.FindString("\x41\x83"), nullptr);
}

TEST(String, LongSearchesKeepToTheRange)
{
    const JxCString s((std::string(290, 'a') + "needle" + std::string(10, 'b')).c_str());
    EXPECT_EQ(s.FindString("needle"), s.GetText() + 290);
    EXPECT_EQ(s.FindString("NEEDLE", false, 290, 290), s.GetText() + 290);  // starts within, ends beyond
    EXPECT_EQ(s.FindString("needle", true, 0, 289), nullptr);
    EXPECT_EQ(s.FindString("needle", true, 291), nullptr);
    EXPECT_EQ(s.FindString("eb"), s.GetText() + 295);
    EXPECT_EQ(s.FindString("bbx"), nullptr);
}

// Short texts are searched in blocks of positions: every length around the
// block sizes, every start and several ends agree with the standard search,
// on text of few letters where most positions are near misses.
TEST(String, SearchesAgreeWithTheStandardSearchAtEveryLengthAndRange)
{
    std::mt19937 rng(11);
    for (std::size_t length = 1; length <= 70; ++length) {
        std::string text(length, ' ');
        for (char& c : text)
            c = "aab"[rng() % 3];
        const JxCString s(text.c_str());
        for (int round = 0; round < 8; ++round) {
            std::string needle(rng() % 5 + 1, ' ');
            for (char& c : needle)
                c = "aab"[rng() % 3];
            for (std::size_t from = 0; from < length; ++from) {
                for (long to : {-1L, long(from), long(length) - 1, long(from + (length - from) / 2)}) {
                    const std::size_t at = std::string_view(text).find(needle, from);
                    const long last = to == -1 ? long(length) - 1 : to;
                    const long want = (at == std::string_view::npos || long(at) > last) ? -1 : long(at);
                    const char* hit = s.FindString(needle.c_str(), true, std::int32_t(from), std::int32_t(to));
                    ASSERT_EQ(hit ? long(hit - s.GetText()) : -1L, want)
                        << "text " << text << " needle " << needle << " from " << from << " to " << to;
                }
            }
        }
    }
}

// A candidate whose first and last bytes agree is compared in words that
// may overlap: needles of every length up to past the widest word, taken
// from the text and then spoilt in one byte, agree with the standard search.
TEST(String, NeedlesOfEveryLengthAreComparedWhole)
{
    std::mt19937 rng(17);
    std::string text(200, ' ');
    for (char& c : text)
        c = "ab"[rng() % 2];
    for (std::size_t length = 1; length <= 24; ++length) {
        for (std::size_t start = 0; start + length <= text.size(); start += 7) {
            std::string needle = text.substr(start, length);
            for (std::size_t spoilt = 0; spoilt <= length; ++spoilt) {
                if (spoilt < length)
                    needle[spoilt] = needle[spoilt] == 'a' ? 'c' : 'a';
                for (const std::string& hay : {text, text.substr(0, 60)}) {
                    const JxCString h(hay.c_str());
                    const std::size_t at = std::string_view(hay).find(needle);
                    const char* hit = h.FindString(needle.c_str());
                    ASSERT_EQ(hit ? long(hit - h.GetText()) : -1L, at == std::string::npos ? -1L : long(at))
                        << "needle " << needle << " in " << hay.size() << " bytes";
                }
                needle = text.substr(start, length);
            }
        }
    }
}

TEST(String, SearchesFoldCaseThroughTheCaseTables)
{
    const JxCString s("Caf\xE9 CAF\xC9");
    EXPECT_EQ(s.FindString("caf\xc9", false), s.GetText());
    EXPECT_EQ(s.FindString("caf\xc9", true), nullptr);
    EXPECT_EQ(s.FindString("\xC9", true), s.GetText() + 8);
    EXPECT_EQ(s.FindString("\xC9", false, 4), s.GetText() + 8);
    EXPECT_EQ(s.FindString("\xE9 C", false, 3, 3), s.GetText() + 3);
    EXPECT_EQ(s.FindString("AF\xC9 CAF\xC9x", false), nullptr);  // runs past the end
}

TEST_F(DoubleByteText, EditsWorkOnWholeCharacters)
{
    JxCString s(kText);
    s.Delete(1, 1);
    EXPECT_EQ(str(s), "ab\x83\x41" "c");
    s.InsertChar(0x82A0, 2);
    EXPECT_EQ(str(s), "ab\x82\xA0\x83\x41" "c");
    EXPECT_EQ(s.GetCharCount(), 5);
    s.InsertChar(0x82, 0);  // a lead byte alone is no character
    EXPECT_EQ(s.GetCharCount(), 5);
    s.SetCharAt('Z', 3);  // a double-byte character replaced by one byte
    EXPECT_EQ(str(s), "ab\x82\xA0Zc");
    s.SetCharAt(0x8341, 0);
    EXPECT_EQ(str(s), "\x83\x41" "b\x82\xA0Zc");
    s.MakeLower();  // leaves the trail byte 41 alone
    EXPECT_EQ(str(s), "\x83\x41" "b\x82\xA0zc");
    s.Insert("\x82\xA2", 4);
    EXPECT_EQ(str(s), "\x83\x41" "b\x82\xA0z\x82\xA2" "c");
    EXPECT_EQ(s.GetCharCount(), 6);
}

TEST_F(DoubleByteText, WalksStayCorrectAcrossEdits)
{
    // Walk by character index, edit in the middle, walk again: every answer
    // must match a fresh scan, whatever the cache remembered.
    JxCString s;
    for (int i = 0; i < 20; ++i)
        s += (i % 3 == 0) ? "\x82\xA0" : "x";
    auto scan = [](const JxCString& t, int index) {
        const unsigned char* p = t.GetUnsignedText();
        std::uint32_t b = 0;
        for (int c = 0; c < index; ++c)
            b += IsLeadByte(p[b]) ? 2 : 1;
        return t.GetText() + b;
    };
    for (int round = 0; round < 4; ++round) {
        for (int i = 0; i <= s.GetCharCount(); ++i)
            ASSERT_EQ(s.GetCharPtr(i), scan(s, i)) << "round " << round << " index " << i;
        for (int i = s.GetCharCount(); i >= 0; --i)
            ASSERT_EQ(s.GetCharPtr(i), scan(s, i)) << "round " << round << " index " << i;
        s.Insert("\x83\x41", 7 + round);
        s.Delete(2, 2);
    }
}

TEST_F(DoubleByteText, CacheEntriesAreNeverSharedByAReusedAddress)
{
    JxCharPositionCache& cache = JxCharPositionCache::Instance();
    char buffer[] = "\x82\xA0\x82\xA0\x82\xA0xx";
    const JxTextKey first{buffer, 1001};
    EXPECT_EQ(cache.CharToByte(first, buffer, 8, 3), 6u);
    cache.Remember(first);
    // Another text now lives at the same address.
    std::memcpy(buffer, "xxxxxxxx", 8);
    const JxTextKey second{buffer, 1002};
    EXPECT_EQ(cache.CharToByte(second, buffer, 8, 3), 3u);
    EXPECT_EQ(cache.ByteToChar(second, buffer, 8, 6), 6);
    cache.Forget(first);
    cache.Forget(second);
    EXPECT_FALSE(cache.Holds(first));

    // A freed string leaves no entry behind.
    JxTextKey key;
    {
        JxCString s(kText);
        s.GetCharPtr(3);
        key = JxTextKey{s.GetText(), 0};
    }
    for (int i = 0; i < 5; ++i) {
        JxCString other(kText);
        EXPECT_EQ(other.GetCharPtr(3), other.GetText() + 4);
    }
    (void)key;
}

TEST_F(DoubleByteText, CacheKeepsFiveTextsMostRecentFirst)
{
    JxCharPositionCache& cache = JxCharPositionCache::Instance();
    cache.Clear();
    const char* text = kText;
    for (std::uint64_t k = 1; k <= 6; ++k)
        cache.CharToByte({text, k}, text, 7, 2);
    EXPECT_FALSE(cache.Holds({text, 1}));  // the oldest was taken over
    for (std::uint64_t k = 2; k <= 6; ++k)
        EXPECT_TRUE(cache.Holds({text, k}));
    cache.CharToByte({text, 2}, text, 7, 1);  // 2 used again: 3 is now oldest
    cache.CharToByte({text, 7}, text, 7, 1);
    EXPECT_TRUE(cache.Holds({text, 2}));
    EXPECT_FALSE(cache.Holds({text, 3}));
    cache.Clear();
}

}  // namespace
