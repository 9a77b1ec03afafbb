#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/JxLanguage.h"
#include "foundation/JxSortWeights.h"
#include "foundation/tests/reporting_fixture.h"
#include "runtime/JxCIndex.h"
#include "runtime/JxCIndexString.h"

namespace {

class IndexKeyTest : public ReportingTest {
protected:
    void SetUp() override
    {
        ReportingTest::SetUp();
        ResetLanguage();
    }
    void TearDown() override
    {
        ResetLanguage();
        ReportingTest::TearDown();
    }
    static std::string key(std::uint16_t language, const char* text)
    {
        JxCIndexString s(text);
        s.MakeKey(language);
        return s.GetKey();
    }
    static int sign(std::int32_t v) { return (v > 0) - (v < 0); }
};

TEST_F(IndexKeyTest, EnglishFoldsAccentsCaseAndLigatures)
{
    SelectLanguage(1033);
    EXPECT_EQ(CompareIndexKeysIn(1033, "\xC9" "clair", "eclair", 0), 0);
    EXPECT_EQ(key(1033, "Stra\xDF" "e"), "strasse");
    EXPECT_EQ(CompareIndexKeysIn(1033, "Stra\xDF" "e", "strasse", 0), 0);
    EXPECT_EQ(key(1033, "\x9C" "uvre \"x\" \xE6on"), "oeuvre x aeon");
    EXPECT_LT(CompareIndexKeysIn(1033, "apple", "Banana", 0), 0);
}

TEST_F(IndexKeyTest, CzechChIsOneCharacterWithItsOwnWeight)
{
    SelectLanguage(1029);
    EXPECT_EQ(key(1029, "Chata"), "\x80" "ata");
    EXPECT_EQ(key(1029, "chat"), "\x80" "at");
    EXPECT_EQ(key(1029, "a,\"b"), "ab");
    const std::uint8_t ch = GetCharWeight(0x80);
    const int expected = ch > GetCharWeight('h') ? 1 : ch < GetCharWeight('h') ? -1 : 0;
    EXPECT_EQ(sign(CompareIndexKeysIn(1029, "chata", "hata", 0)), expected);
}

TEST_F(IndexKeyTest, LanguagesKeepTheirOwnLetters)
{
    SelectLanguage(1030);
    EXPECT_EQ(key(1030, "\xC5se"), "\xE5se");  // Å stays, in lower case
    EXPECT_EQ(key(1030, "\xC0se"), "ase");
    EXPECT_GT(CompareIndexKeysIn(1030, "\xC5se", "zebra", 0), 0);  // å weighs after z
    EXPECT_EQ(key(1034, "\xD1" "a\xF1" "o\xBF"), "\xF1" "a\xF1" "o");
    EXPECT_EQ(key(1053, "\xD8" "\xC5"), "o\xE5");
    EXPECT_EQ(key(1031, "M\xFCller"), "M\xFCller");  // German keys are built per level
    EXPECT_EQ(key(1049, "\xAB" "a\xBB"), "a");
    EXPECT_EQ(key(1043, "a,b-c"), "a b c");
    EXPECT_EQ(key(9999, "\xC9T\xC9"), "ete");
}

TEST_F(IndexKeyTest, PairTablesDifferFromTheDefaultAsTheLanguagesNeed)
{
    const std::string& d = JxIndexPairs::Default();
    ASSERT_EQ(d.size() % 2, 0u);
    EXPECT_EQ(d.size(), 2u * 51);
    EXPECT_EQ(JxIndexPairs::Spanish().size(), d.size() - 4);
    EXPECT_EQ(JxIndexPairs::Nordic().size(), d.size() - 12 + 18);
    EXPECT_EQ(JxIndexPairs::Norwegian().size(), d.size() - 18);
    EXPECT_EQ(JxIndexPairs::Danish().size(), d.size() - 12);
    EXPECT_EQ(JxIndexPairs::Turkish().size(), d.size() - 12 + 10);
    EXPECT_NE(d.find("\xFFy"), std::string::npos);
    EXPECT_EQ(d.find('\xD8'), std::string::npos);
}

TEST_F(IndexKeyTest, GermanLevelsTellMullerFromMuellerOnlyWhenStrict)
{
    SelectLanguage(1031);
    EXPECT_EQ(CompareIndexKeysIn(1031, "Muller", "M\xFCller", 0), 0);
    JxCGermanIndexString a("Muller");
    JxCGermanIndexString b("M\xFCller");
    EXPECT_NE(a.CompareStrict(b, 0), 0);
    JxCGermanIndexString c("Muller");
    JxCGermanIndexString d("Muller");
    EXPECT_EQ(c.CompareStrict(d, 0), 0);
    // Equal on both levels: the longer text comes first.
    JxCGermanIndexString e("Foo-");
    JxCGermanIndexString f("Foo");
    EXPECT_EQ(e.CompareStrict(f, 0), -3);
    EXPECT_LT(CompareIndexKeysIn(1031, "Stra\xDF" "e", "Strasz", 0), 0);
}

TEST_F(IndexKeyTest, TheResultTellsWhereTheTextsPart)
{
    SelectLanguage(1033);
    EXPECT_EQ(CompareIndexKeysIn(1033, "abc", "abd", 0), -3);
    EXPECT_EQ(CompareIndexKeysIn(1033, "abd", "abc", 0), 3);
    EXPECT_EQ(CompareIndexKeysIn(1033, "ab", "abc", 0), -3);
    EXPECT_GT(CompareIndexKeysIn(1033, "abc", "ab", 0), 0);
    EXPECT_EQ(CompareIndexKeysIn(1033, "", "", 0), 0);
}

TEST_F(IndexKeyTest, AUsedUpBoundLeavesOnlyTheTieBreak)
{
    SelectLanguage(1033);
    // Callers bound the compare like strnicmp: a prefix of the bound matches.
    EXPECT_EQ(CompareIndexKeysIn(1033, "abc", "abd", 2), 0);
    EXPECT_EQ(CompareIndexKeysIn(1033, "ab", "abcd", 2), 0);
    EXPECT_EQ(CompareIndexKeysIn(1033, "abx", "abd", 3), 3);
    EXPECT_LT(CompareIndexKeysIn(1033, "ab", "abcd", 3), 0);
    // Two characters of equal weight are told apart by the tie-break, even
    // when the bound then runs out.
    JxSortWeightTable weights = DefaultSortWeights();
    weights['x'] = weights['y'];
    SetSortWeights(weights);
    EXPECT_EQ(CompareIndexKeysIn(1033, "xa", "ya", 0), -3);
    EXPECT_EQ(CompareIndexKeysIn(1033, "yab", "xac", 1), 2);
    EXPECT_EQ(CompareIndexKeysIn(1033, "xab", "yac", 0), -3);  // the later difference decides
}

TEST_F(IndexKeyTest, RussianGuillemetBreaksTiesOnlyForTheFirstText)
{
    SelectLanguage(1049);
    EXPECT_EQ(CompareIndexKeysIn(1049, "\xAB" "abc", "abc", 0), 1);
    EXPECT_EQ(CompareIndexKeysIn(1049, "abc", "\xAB" "abc", 0), 0);
}

TEST_F(IndexKeyTest, KeyEditsAreSafeAtTheirEdges)
{
    JxCIndexString s("aXbXc");
    s.ReplaceCharByText('X', "XX");
    EXPECT_EQ(s.GetKey(), "aXXbXXc");
    s.ReplaceTextByChar('X', "XX");
    EXPECT_EQ(s.GetKey(), "aXbXc");
    s.ReplaceTextByChar('Y', "");  // nothing to find: no endless loop
    s.ReplaceCharPairs("Xy*");     // the odd last character is no pair
    EXPECT_EQ(s.GetKey(), "aybyc");
    s.RemoveChars("abc");
    EXPECT_EQ(s.GetKey(), "yy");
    EXPECT_STREQ(s.GetText(), "aXbXc");
    JxCIndexString empty(nullptr);
    empty.MakeKey(1033);
    EXPECT_EQ(empty.GetKey(), "");
}

TEST_F(IndexKeyTest, TheInstalledComparisonServesCompareNoCase)
{
    SelectLanguage(1033);
    InstallIndexKeyComparison();
    EXPECT_EQ(CompareNoCase("\xC9" "clair", "ECLAIR"), CompareIndexKeys("\xC9" "clair", "ECLAIR", 0));
    SetIndexKeyComparison(nullptr);
}

// --- The index --------------------------------------------------------------

std::vector<std::uint8_t> bigEndian(std::initializer_list<std::pair<int, int>> fields)
{
    std::vector<std::uint8_t> bytes;
    for (auto [value, width] : fields)
        for (int shift = 8 * (width - 1); shift >= 0; shift -= 8)
            bytes.push_back(std::uint8_t((value >> shift) & 0xFF));
    return bytes;
}

// 16-bit and 32-bit fields.
std::pair<int, int> w(int v) { return {v, 2}; }
std::pair<int, int> l(int v) { return {v, 4}; }

TEST(IndexTest, ReadsItemsWithNamesNumbersAndPages)
{
    const std::vector<JxCString> strings{"Apple", "Pear"};
    // count 2; item: name, n1, n2, cross-reference (page, count, further pages)
    auto bytes = bigEndian({w(2), w(2), w(7), w(-1), l(40), w(0), w(0), w(3), w(4), l(41), w(2), l(42), l(43)});
    JxCInStrStream stream(JxMemoryBlock{bytes.data(), std::uint32_t(bytes.size())});
    JxCIndex index;
    ASSERT_EQ(index.Read(stream, strings), 1);
    ASSERT_EQ(index.GetCount(), 2);
    EXPECT_STREQ(index.GetAt(0)->GetName().GetText(), "Pear");
    EXPECT_EQ(index.GetAt(0)->GetNumber1(), 7);
    EXPECT_EQ(index.GetAt(0)->GetNumber2(), -1);
    EXPECT_EQ(index.GetAt(0)->GetXref().GetPageId(), 40);
    EXPECT_EQ(index.GetAt(0)->GetXref().GetFurtherCount(), 0);
    EXPECT_TRUE(index.GetAt(1)->GetName().IsEmpty());
    const JxCProductXref& second = index.GetAt(1)->GetXref();
    EXPECT_EQ(second.GetPageId(), 41);
    ASSERT_EQ(second.GetFurtherCount(), 2);
    EXPECT_EQ(second.GetFurtherPage(0), 42);
    EXPECT_EQ(second.GetFurtherPage(1), 43);
    EXPECT_EQ(second.GetFurtherPage(2), 0);
    EXPECT_EQ(index.GetAt(-1), nullptr);
    EXPECT_EQ(index.GetAt(2), nullptr);
}

TEST(IndexTest, ACrossReferenceKeepsFiveFurtherPagesAndReadsPastTheRest)
{
    const std::vector<JxCString> strings{"Apple"};
    // Seven further pages, then a second item that must still be read whole.
    auto bytes = bigEndian({w(2), w(1), w(0), w(0), l(10), w(7), l(11), l(12), l(13), l(14), l(15), l(16), l(17),
                            w(1), w(0), w(0), l(20), w(0)});
    JxCInStrStream stream(JxMemoryBlock{bytes.data(), std::uint32_t(bytes.size())});
    JxCIndex index;
    ASSERT_EQ(index.Read(stream, strings), 1);
    ASSERT_EQ(index.GetCount(), 2);
    const JxCProductXref& first = index.GetAt(0)->GetXref();
    ASSERT_EQ(first.GetFurtherCount(), JxCProductXref::kMaxFurtherPages);
    EXPECT_EQ(first.GetFurtherPage(4), 15);
    EXPECT_EQ(first.GetFurtherPage(5), 0);
    EXPECT_EQ(index.GetAt(1)->GetXref().GetPageId(), 20);
}

TEST(IndexTest, RefusesDamagedRecords)
{
    const std::vector<JxCString> strings{"Apple"};
    for (auto bytes : {bigEndian({w(1), w(2), w(0), w(0), l(5), w(0)}),              // a name beyond the table
                       bigEndian({w(2), w(1), w(0), w(0), l(5), w(0), w(1)}),        // ends inside the second item
                       bigEndian({w(1), w(1), w(0), w(0), l(5), w(3), l(6), l(7)}),  // ends among the further pages
                       bigEndian({w(1), w(1), w(0), w(0), w(5)}),                    // ends inside the page id
                       bigEndian({w(-3)})}) {                                         // a negative count
        JxCInStrStream stream(JxMemoryBlock{bytes.data(), std::uint32_t(bytes.size())});
        JxCIndex index;
        EXPECT_EQ(index.Read(stream, strings), 0);
        EXPECT_LE(index.GetCount(), 1);
    }
}

struct CountedItem : JxCIndexItem {
    explicit CountedItem(int& deaths) : deaths_(deaths) {}
    ~CountedItem() override { ++deaths_; }
    int& deaths_;
};

TEST(IndexTest, DeletesItsItemsOnlyWhileItOwnsThem)
{
    int deaths = 0;
    {
        JxCIndex index;
        index.Add(new CountedItem(deaths));
        index.Add(new CountedItem(deaths));
    }
    EXPECT_EQ(deaths, 2);
    CountedItem kept(deaths);
    {
        JxCIndex index;
        index.SetOwnsItems(0);
        index.Add(&kept);
    }
    EXPECT_EQ(deaths, 2);
}

}  // namespace
