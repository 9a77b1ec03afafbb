#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/JxCStringList.h"
#include "foundation/JxCharTables.h"
#include "foundation/JxLanguage.h"
#include "foundation/JxSortWeights.h"
#include "foundation/tests/reporting_fixture.h"
#include "platform/core/codepage.h"

namespace {

// One byte of a code page as Python's codecs know it (make_case_tables.py):
// the byte of its other case in the same page, and for code page 1253 the
// byte of its base letter; -1 for none.
struct ReferenceByte {
    int page;
    int byte;
    int lower;
    int upper;
    int base;
};

std::vector<ReferenceByte> readReference()
{
    std::ifstream in(std::string(KELBO_SOURCE_DIR) + "/foundation/tests/data/case_tables.tsv");
    std::vector<ReferenceByte> rows;
    std::string line;
    auto hex = [](const std::string& f) { return f == "-" ? -1 : int(std::stoul(f, nullptr, 16)); };
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string page, b, lo, up, base;
        fields >> page >> b >> lo >> up >> base;
        rows.push_back({std::stoi(page), hex(b), hex(lo), hex(up), hex(base)});
    }
    return rows;
}

int tableEntry(const std::uint8_t* table, int byte)
{
    return table[byte - 128] ? table[byte - 128] : -1;
}

class LanguageTest : public ReportingTest {
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
    void country(const std::string& code)
    {
        programStrings("1\tkelbo32.ini\n");
        iniFile("[Directory]\nCountry=" + code + "\n");
        ReadSettings();
    }
};

// Where the program's tables leave the code page's own pairs on purpose:
// {page, byte, lower, upper} as the program has them.
struct Exception {
    int page, byte, lower, upper;
};
constexpr Exception kExceptions[] = {
    {1252, 0x8E, -1, -1}, {1252, 0x9E, -1, -1},  // Z with caron
    {1251, 0xB2, -1, -1}, {1251, 0xBD, -1, -1},  // no small letter
    {1253, 0xB5, -1, -1}, {1253, 0xF2, -1, -1},  // micro sign, final sigma
    // Turkish: the Cyrillic pairs the table began with, and its own I, i, s, y.
    {1254, 0x80, 0x90, -1}, {1254, 0x90, -1, 0x80}, {1254, 0x81, 0x83, -1}, {1254, 0xA1, 0xA2, -1},
    {1254, 0xA3, 0xBC, -1}, {1254, 0xBC, -1, 0xA3}, {1254, 0xA5, 0xB4, -1}, {1254, 0xB4, -1, 0xA5},
    {1254, 0xA8, 0xB8, -1}, {1254, 0xB8, -1, 0xA8}, {1254, 0xAA, 0xBA, -1}, {1254, 0xBA, -1, 0xAA},
    {1254, 0xAF, 0xBF, -1}, {1254, 0xBF, -1, 0xAF}, {1254, 0xB2, 0xB3, -1}, {1254, 0xB3, -1, 0xB2},
    {1254, 0xBD, 0xBE, -1}, {1254, 0xBE, -1, 0xBD}, {1254, 0xDD, 'i', -1},  {1254, 0xDF, 0xFF, -1},
    {1254, 0xFF, -1, 0xDF}, {1254, 0x9F, -1, -1},
};

TEST_F(LanguageTest, CaseTablesAreTheCodePagesPairsBarTheKnownExceptions)
{
    const std::vector<ReferenceByte> reference = readReference();
    ASSERT_EQ(reference.size(), 5u * 128u);
    for (const ReferenceByte& r : reference) {
        const JxCaseTables* tables = r.page == 1252 ? &DefaultCaseTables() : CodePageCaseTables(r.page);
        ASSERT_NE(tables, nullptr) << r.page;
        int lower = r.lower, upper = r.upper;
        for (const Exception& e : kExceptions)
            if (e.page == r.page && e.byte == r.byte)
                lower = e.lower, upper = e.upper;
        EXPECT_EQ(tableEntry(tables->lower, r.byte), lower) << r.page << " byte " << r.byte;
        EXPECT_EQ(tableEntry(tables->upper, r.byte), upper) << r.page << " byte " << r.byte;
    }
    EXPECT_EQ(CodePageCaseTables(1252), nullptr);
    EXPECT_EQ(CodePageCaseTables(932), nullptr);
}

TEST_F(LanguageTest, GreekWeightsFollowTheAlphabetWithAccentsOnTheirBaseLetter)
{
    const JxSortWeightTable& greek = GreekSortWeights();
    int previous = 0;
    for (const ReferenceByte& r : readReference()) {
        if (r.page != 1253 || r.base < 0)
            continue;
        EXPECT_EQ(greek[std::size_t(r.byte)], greek[std::size_t(r.base)]) << r.byte;
        if (r.base == r.byte) {  // an unaccented small letter, in alphabet order
            EXPECT_GT(greek[std::size_t(r.byte)], previous) << r.byte;
            previous = greek[std::size_t(r.byte)];
        }
        EXPECT_GE(greek[std::size_t(r.byte)], 50);
        EXPECT_LE(greek[std::size_t(r.byte)], 96);
    }
    EXPECT_EQ(previous, 96);  // omega
    EXPECT_EQ(greek['0'], 1);
    EXPECT_EQ(greek['9'], 10);
    EXPECT_EQ(greek[' '], 12);
    EXPECT_EQ(greek['A'], 104);
    EXPECT_EQ(greek['z'], 204);
}

TEST_F(LanguageTest, TheCountrySettingChoosesTheLanguageAndKeepsTheDefaultTables)
{
    country("gr");
    SelectLanguage(1049);
    EXPECT_EQ(GetCurrentLanguage(), 1032);
    EXPECT_EQ(GetCurrentCodePage(), 1253);
    EXPECT_STREQ(GetLanguageCode(), "GR");
    EXPECT_EQ(plat::GetACP(), 1253);
    EXPECT_EQ(CharToLower(0xA2), 0xA2);  // the Greek tables would pair it
    EXPECT_EQ(GetCharWeight('A'), 4);     // neither Greek nor Russian weights
    EXPECT_EQ(GetCharWeight(192), 4);

    country("TRK");  // the long code
    SelectLanguage(1033);
    EXPECT_EQ(GetCurrentLanguage(), 1055);
    EXPECT_EQ(GetCurrentCodePage(), 1254);
}

TEST_F(LanguageTest, AnUnknownCountryFallsBackToTheVersionsLanguage)
{
    country("xx");
    SelectLanguage(1053);
    EXPECT_EQ(GetCurrentLanguage(), 1053);
    EXPECT_STREQ(GetLanguageCode(), "SW");
    EXPECT_EQ(GetCharWeight('W'), 88);  // the Swedish patch
    EXPECT_EQ(GetCharWeight(197), 128);
}

TEST_F(LanguageTest, TurkishDotlessAndDottedI)
{
    SelectLanguage(1055);
    EXPECT_EQ(CharToLower('I'), 253);
    EXPECT_EQ(CharToUpper('i'), 'I');
    EXPECT_EQ(CharToUpper(253), 'I');
    EXPECT_EQ(CharToLower(0xDD), 'i');
    EXPECT_EQ(CharToLower(0xD0), 0xF0);  // G with breve
    EXPECT_EQ(GetCharWeight(253), 34);
    ResetLanguage();
    EXPECT_EQ(CharToLower('I'), 'i');
    EXPECT_EQ(plat::GetACP(), 1252) << "the page of no language";
}

TEST_F(LanguageTest, RussianWeightsPutCyrillicBeforeLatin)
{
    SelectLanguage(1049);
    EXPECT_EQ(GetCurrentCodePage(), 1251);
    EXPECT_EQ(GetCharWeight(192), 4);
    EXPECT_EQ(GetCharWeight(255), 128);
    EXPECT_EQ(GetCharWeight('A'), 132);
    EXPECT_EQ(GetCharWeight('z'), 232);
    EXPECT_EQ(GetCharWeight('0'), 236);
    EXPECT_EQ(GetCharWeight(187), 249);
    EXPECT_EQ(GetCharWeight(140), 0);
    EXPECT_EQ(CharToLower(0xC0), 0xE0);
    EXPECT_EQ(CharToLower(0xB2), 0xB2);
    EXPECT_EQ(CharToUpper(0xB3), 0xB2);
}

TEST_F(LanguageTest, AnUnknownLanguageKeepsTheCodePage)
{
    SelectLanguage(1049);
    SelectLanguage(4242);
    EXPECT_EQ(GetCurrentLanguage(), 4242);
    EXPECT_EQ(GetCurrentCodePage(), 1251);
    EXPECT_EQ(GetLanguageCode(), nullptr);
    // The code page's tables, the default weights.
    EXPECT_EQ(CharToLower(0xC0), 0xE0);
    EXPECT_EQ(CharToLower(0x80), 0x90);
    EXPECT_EQ(GetCharWeight('A'), 4);

    ResetLanguage();
    SelectLanguage(4242);  // at start-up: code page 0 matches no table
    EXPECT_EQ(GetCurrentCodePage(), 0);
    EXPECT_EQ(CharToLower(0x80), 0x80);
}

TEST_F(LanguageTest, LatinPatchesReplaceTheAccentsOnly)
{
    SelectLanguage(1030);  // Danish: AE, O slash and A ring after z
    EXPECT_EQ(GetCharWeight(198), 110);
    EXPECT_EQ(GetCharWeight(229), 120);
    EXPECT_EQ(GetCharWeight(192), 4);  // the rest as the default
    EXPECT_EQ(GetCharWeight('Z'), 104);
    SelectLanguage(1039);  // Icelandic: the hyphen sorts last
    EXPECT_EQ(GetCharWeight('-'), 255);
    EXPECT_EQ(GetCharWeight(208), 110);
    SelectLanguage(1033);
    EXPECT_EQ(GetCharWeight(223), 77);
    EXPECT_EQ(GetCharWeight(215), 0);
}

TEST_F(LanguageTest, TheLanguageTableHasItsTwentySevenRows)
{
    const JxLanguageRow* rows = LanguageTable();
    int n = 0;
    while (rows[n].code)
        ++n;
    EXPECT_EQ(n, kLanguageCount);
    EXPECT_EQ(rows[7].languageId, 1028);
    EXPECT_EQ(rows[7].codePage, 949);
    EXPECT_STREQ(rows[11].longCode, "esp");  // shared with row 10; the first wins
}

TEST_F(LanguageTest, CompareNoCaseIsBoundedAndTellsWhereTextsPart)
{
    EXPECT_EQ(CompareNoCase("Abc", "aBC"), 0);
    EXPECT_EQ(CompareNoCase("abc", "abd"), -3);
    EXPECT_EQ(CompareNoCase("abd", "abc"), 3);
    EXPECT_EQ(CompareNoCaseN("abc", "abd", 2), 0);
    EXPECT_LT(CompareNoCase("ab", "abc"), 0);
    auto previous = SetIndexKeyComparison([](const char*, const char*, std::int32_t bound) { return bound; });
    EXPECT_EQ(CompareNoCaseN("a", "b", 5), 5);
    EXPECT_EQ(CompareNoCase("a", "b"), 2147483647);
    SetIndexKeyComparison(previous);
}

TEST_F(LanguageTest, WordsOfDoubleByteTextAreMatchedWholeCharacters)
{
    plat::SetACP(932);
    JxCStringList list;
    list.Add(new JxCString("KEY:\x83\x41;abc"));
    EXPECT_TRUE(list.ItemHasWord(0, "\x83\x41"));
    EXPECT_FALSE(list.ItemHasWord(0, "\x83\x61"));  // the trail byte is no letter A
    EXPECT_TRUE(list.ItemHasWord(0, "ABC"));
    // A trail byte that looks like the letter is not where a word starts.
    list.Add(new JxCString("\x83\x61;b"));
    EXPECT_FALSE(list.ItemHasWord(1, "a;b"));
    EXPECT_TRUE(list.ItemHasWord(1, "b"));
}

}  // namespace
