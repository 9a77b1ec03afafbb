#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/config/ini_document.h"
#include "platform/config/profile.h"
#include "platform/fs/atomic_file.h"
#include "platform/fs/errors.h"
#include "platform/tests/temp_config.h"

namespace plat {
namespace {

using testing::TempConfig;

class ProfileTest : public ::testing::Test {
protected:
    void TearDown() override { SetWriteFaultHook({}); }

    std::string ini() const { return t.config() + "/windows/test.ini"; }
    void writeIni(const std::string& text) const { TempConfig::writeFile(ini(), text); }
    static std::string get(const char* section, const char* key, const char* def = "<default>",
                           DWORD size = 256)
    {
        char buffer[256];
        DWORD n = GetPrivateProfileStringA(section, key, def, buffer, size, "test.ini");
        return std::string(buffer, n);
    }

    TempConfig t;
};

TEST_F(ProfileTest, ReadRulesAgainstATableOfCases)
{
    writeIni("; leading comment\r\n"
             "[Directory]\r\n"
             "Data = D:\\TITLE  \r\n"
             "data=second\r\n"
             "Blank=\r\n"
             "Quoted=\"  spaced  \"\r\n"
             "Single='x'\r\n"
             "Half=\"open\r\n"
             "Semi=a;b\r\n"
             "Trailing=12abc\r\n"
             "Negative=-5\r\n"
             "Plus= +7\r\n"
             "Word=abc\r\n"
             "[directory]\r\n"
             "OnlyInSecond=1\r\n"
             "[Other]\r\n"
             "Data=other\r\n");
    struct Case {
        const char* section;
        const char* key;
        std::string expected;
    } cases[] = {
        {"Directory", "Data", "D:\\TITLE"},        // trimmed
        {"DIRECTORY", "DATA", "D:\\TITLE"},        // without case, first key wins
        {"Directory", "Blank", ""},                // present and empty: not the default
        {"Directory", "Quoted", "  spaced  "},     // a pair of quotes goes
        {"Directory", "Single", "x"},
        {"Directory", "Half", "\"open"},           // an unmatched quote stays
        {"Directory", "Semi", "a;b"},              // ';' starts a comment only at the line start
        {"Directory", "OnlyInSecond", "<default>"},// the first matching section wins
        {"Other", "Data", "other"},
        {"Missing", "Data", "<default>"},
        {"Directory", "Missing", "<default>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(get(c.section, c.key), c.expected) << c.section << "/" << c.key;

    struct IntCase {
        const char* key;
        int def;
        UINT expected;
    } ints[] = {
        {"Trailing", 9, 12u}, {"Negative", 9, UINT(-5)}, {"Plus", 9, 7u},   {"Word", 9, 0u},
        {"Blank", 9, 9u},     {"Missing", -1, UINT(-1)}, {"Data", 9, 0u},
    };
    for (const IntCase& c : ints)
        EXPECT_EQ(GetPrivateProfileIntA("Directory", c.key, c.def, "test.ini"), c.expected) << c.key;

    EXPECT_EQ(get("Directory", "Data", "", 5), "D:\\T");  // cut to size - 1
    EXPECT_EQ(get("Directory", "Missing", "dflt   "), "dflt");
    EXPECT_EQ(get("Directory", "Missing", nullptr), "");
    EXPECT_EQ(GetPrivateProfileIntA("Directory", "Data", 4, "nofile.ini"), 4u);
    EXPECT_EQ(get("Directory", "Data", "<none>", 256).size(), 8u);
}

TEST_F(ProfileTest, EnumeratesSectionsAndKeysAsNulSeparatedLists)
{
    writeIni("[One]\na=1\nB=2\nA=3\n[Two]\n[one]\nc=4\n");
    EXPECT_EQ(get(nullptr, nullptr), std::string("One\0Two\0", 8));
    EXPECT_EQ(get("ONE", nullptr), std::string("a\0B\0", 4));
    char buffer[6];
    DWORD n = GetPrivateProfileStringA(nullptr, nullptr, "", buffer, sizeof buffer, "test.ini");
    EXPECT_EQ(n, 4u);  // a list that does not fit: size - 2, ending in two NULs
    EXPECT_EQ(std::string(buffer, 6), std::string("One\0\0\0", 6));
}

TEST_F(ProfileTest, WritesKeepCommentsAndChangeOnlyWhatChanged)
{
    writeIni("; keep me\n[Directory]\nData=old ; value\n\n; between\n[Other]\nx=1\n");
    ASSERT_TRUE(WritePrivateProfileStringA("directory", "DATA", "D:", "test.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("Directory", "User", "C:\\USERS\\", "test.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("New", "k", "v", "test.ini"));
    EXPECT_EQ(TempConfig::readFile(ini()),
              "; keep me\n[Directory]\nData=D:\nUser=C:\\USERS\\\n\n; between\n[Other]\nx=1\n[New]\nk=v\n");

    ASSERT_TRUE(WritePrivateProfileStringA("Directory", "Data", nullptr, "test.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("other", nullptr, nullptr, "test.ini"));
    EXPECT_EQ(TempConfig::readFile(ini()), "; keep me\n[Directory]\nUser=C:\\USERS\\\n\n; between\n[New]\nk=v\n");
    EXPECT_EQ(get("Directory", "Data"), "<default>");

    // A value cannot smuggle in lines of its own.
    ASSERT_TRUE(WritePrivateProfileStringA("New", "k", "a\r\n[Evil]\r\nx=1", "test.ini"));
    EXPECT_EQ(get(nullptr, nullptr), std::string("Directory\0New\0", 14));
}

TEST_F(ProfileTest, AFileBuiltKeyByKeyHasWindowsBytesAndLosesASectionWhole)
{
    for (const char* app : {"App1", "App2", "App3"})
        ASSERT_TRUE(WritePrivateProfileStringA(app, (std::string("key") + app[3]).c_str(), "string", "test.ini"));
    EXPECT_EQ(TempConfig::readFile(ini()), "[App1]\r\nkey1=string\r\n[App2]\r\nkey2=string\r\n[App3]\r\nkey3=string\r\n");
    ASSERT_TRUE(WritePrivateProfileStringA("App2", nullptr, nullptr, "test.ini"));
    EXPECT_EQ(TempConfig::readFile(ini()), "[App1]\r\nkey1=string\r\n[App3]\r\nkey3=string\r\n");
    ASSERT_TRUE(WritePrivateProfileStringA("App3", nullptr, nullptr, "test.ini"));
    EXPECT_EQ(TempConfig::readFile(ini()), "[App1]\r\nkey1=string\r\n");

    // The text before the first section, NULs and all, stays as it was.
    const std::string before("junk\0\0 before\r\nstray=1\r\n", 24);
    writeIni(before + "[A]\r\nk=1\r\n");
    ASSERT_TRUE(WritePrivateProfileStringA("A", "j", "2", "test.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("B", "k", "3", "test.ini"));
    EXPECT_EQ(TempConfig::readFile(ini()), before + "[A]\r\nk=1\r\nj=2\r\n[B]\r\nk=3\r\n");
}

TEST_F(ProfileTest, NullSectionsAndEmptyFileNamesAnswerAsWindowsDoes)
{
    struct Case {
        const char* file;  // nullptr: absent
        const char* fileName;
        DWORD error;
    } cases[] = {
        {nullptr, "test.ini", ERROR_FILE_NOT_FOUND},
        {"", "test.ini", ERROR_FILE_NOT_FOUND},
        {"[App]\r\nkey=string\r\n", "test.ini", ERROR_INVALID_PARAMETER},
        {nullptr, "", ERROR_ACCESS_DENIED},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(ini());
        if (c.file)
            writeIni(c.file);
        SetLastError(0xdeadbeef);
        EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "key", "string", c.fileName)) << c.fileName;
        EXPECT_EQ(GetLastError(), c.error) << (c.file ? c.file : "(absent)");
        EXPECT_EQ(std::filesystem::exists(ini()), c.file != nullptr) << "nothing is created";
    }
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(WritePrivateProfileStringA("App", "key", "string", ""));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);

    // The number of a null section or key is read from the list of names.
    writeIni("[App]\r\nkey=5\r\n[12]\r\n");
    EXPECT_EQ(GetPrivateProfileIntA(nullptr, nullptr, 9, "test.ini"), 0u);
    EXPECT_EQ(GetPrivateProfileIntA("App", nullptr, 9, "test.ini"), 0u);
    EXPECT_EQ(GetPrivateProfileIntA(nullptr, nullptr, 9, "none.ini"), 9u);
}

TEST_F(ProfileTest, SectionNamesThatExactlyFillTheBufferAreCut)
{
    writeIni("[section1]\r\nname1=val1\r\n[section2]\r\nname2=val2\r\n");
    const std::string whole("section1\0section2\0", 18);
    struct Case {
        DWORD size;
        DWORD length;
        std::string bytes;  // the buffer up to length + 2
    } cases[] = {
        {20, 18, whole + std::string("\0x", 2)},           // room to spare: whole
        {19, 17, whole + std::string(1, '\0')},             // the list and its NUL fill it: cut
        {16, 14, std::string("section1\0secti\0\0", 16)},
        {2, 0, std::string(2, '\0')},
    };
    for (const Case& c : cases) {
        char buffer[32];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(GetPrivateProfileSectionNamesA(buffer, c.size, "test.ini"), c.length) << c.size;
        EXPECT_EQ(std::string(buffer, c.length + 2), c.bytes) << c.size;
        EXPECT_EQ(buffer[c.size], 'x') << "nothing past the buffer";
    }
}

TEST_F(ProfileTest, NamesWithBlanksAroundThemAreFoundAgainAndWrittenOnce)
{
    writeIni("[Sec]\nKey=1\n");
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(WritePrivateProfileStringA(" Sec ", "Key ", "2", "test.ini"));
    EXPECT_EQ(TempConfig::readFile(ini()), "[Sec]\nKey=2\n");
    EXPECT_EQ(get("Sec\t", " Key "), "2");
    ASSERT_TRUE(WritePrivateProfileStringA("Sec", " Key", nullptr, "test.ini"));
    EXPECT_EQ(TempConfig::readFile(ini()), "[Sec]\n");
}

TEST_F(ProfileTest, AKeyNeedsItsSectionAndAnEmptyNameIsAKey)
{
    writeIni("[A]\n=empty name\nk=1\n");
    EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "k", "v", "test.ini"));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "k", nullptr, "test.ini"));
    EXPECT_TRUE(WritePrivateProfileStringA(nullptr, nullptr, nullptr, "test.ini"));  // a flush
    EXPECT_EQ(TempConfig::readFile(ini()), "[A]\n=empty name\nk=1\n");

    EXPECT_EQ(get("A", ""), "empty name");
    EXPECT_EQ(get("A", nullptr), std::string("k\0", 2));  // a list cannot hold an empty name
    ASSERT_TRUE(WritePrivateProfileStringA("A", "", "changed", "test.ini"));
    EXPECT_EQ(TempConfig::readFile(ini()), "[A]\n=changed\nk=1\n");
}

TEST_F(ProfileTest, BareNamesMeanTheWindowsFolderAndWinIniIsFoundWithoutCase)
{
    TempConfig::writeFile(t.config() + "/windows/win.ini", "[mmapp]\nPath=C:\\MMAPP.INI\n");
    char buffer[64];
    GetProfileStringA("MMAPP", "path", "", buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "C:\\MMAPP.INI");
    ASSERT_TRUE(WriteProfileStringA("mmapp", "ShortPath", "C:\\"));
    EXPECT_EQ(TempConfig::readFile(t.config() + "/windows/win.ini"),
              "[mmapp]\nPath=C:\\MMAPP.INI\nShortPath=C:\\\n");

    // A Windows path reaches the drive table; E: is the folder mapped below.
    t.writeDriveTable("[Drive E]\nPath=" + t.root() + "/e\n");
    std::filesystem::create_directories(t.root() + "/e/Title");
    ASSERT_TRUE(WritePrivateProfileStringA("Directory", "Data", "D:\\", "e:\\title\\KELBO32.INI"));
    EXPECT_EQ(TempConfig::readFile(t.root() + "/e/Title/KELBO32.INI"), "[Directory]\r\nData=D:\\\r\n");
    EXPECT_FALSE(WritePrivateProfileStringA("Directory", "Data", "x", "E:\\nofolder\\x.ini"));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    t.writeDriveTable("[Drive E]\nPath=" + t.root() + "/e\n[Drive D]\nPath=" + t.root() + "/e\nType=cdrom\n");
    EXPECT_FALSE(WritePrivateProfileStringA("Directory", "Data", "x", "D:\\title\\kelbo32.ini"));
    EXPECT_EQ(GetLastError(), ERROR_WRITE_PROTECTED);
    EXPECT_EQ(GetPrivateProfileIntA("Directory", "Data", 7, "D:\\title\\kelbo32.ini"), 0u);  // "D:\\" has no digits
    // A read-only file is left alone.
    TempConfig::writeFile(t.root() + "/e/ro.ini", "[A]\nk=1\n");
    std::filesystem::permissions(t.root() + "/e/ro.ini", std::filesystem::perms::owner_read);
    EXPECT_FALSE(WritePrivateProfileStringA("A", "k", "2", "E:\\RO.INI"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(TempConfig::readFile(t.root() + "/e/ro.ini"), "[A]\nk=1\n");
    // Deleting from a missing file creates nothing.
    ASSERT_TRUE(WritePrivateProfileStringA("Directory", "Data", nullptr, "E:\\none.ini"));
    EXPECT_FALSE(std::filesystem::exists(t.root() + "/e/none.ini"));
}

TEST_F(ProfileTest, AFailedRewriteLeavesTheOldFileAndReportsIt)
{
    std::string text = "[Directory]\nData=D:\\\n" + std::string(9000, ';') + "\n";
    writeIni(text);
    SetWriteFaultHook([](const std::string&, std::size_t written) { return written > 0 ? EIO : 0; });
    EXPECT_FALSE(WritePrivateProfileStringA("Directory", "Data", "E:\\", "test.ini"));
    SetWriteFaultHook({});
    EXPECT_EQ(TempConfig::readFile(ini()), text);
    EXPECT_EQ(get("Directory", "Data"), "D:\\");
}

TEST(IniDocumentTest, ChangesReachTheFirstSectionAndEveryDuplicateKey)
{
    IniDocument doc = IniDocument::Parse("[A]\nk=1\nK=2\n[a]\nk=3\n");
    doc.Set("A", "k", "x");
    EXPECT_EQ(doc.Serialize(), "[A]\nk=x\nK=2\n[a]\nk=3\n");
    EXPECT_TRUE(doc.DeleteKey("a", "K"));
    EXPECT_EQ(doc.Serialize(), "[A]\n[a]\nk=3\n");  // both lines of the first section
    EXPECT_FALSE(doc.Find("A", "k"));                  // the second section is not consulted
    EXPECT_TRUE(doc.DeleteSection("A"));
    EXPECT_EQ(doc.Serialize(), "");                     // every section of the name
    EXPECT_FALSE(doc.DeleteSection("A"));
}

TEST(IniDocumentTest, UntouchedTextComesBackByteForByte)
{
    std::string text = "junk before\r\n[A]\r\n  key = v  \r\nno equals sign\r\n[broken\r\n";
    EXPECT_EQ(IniDocument::Parse(text).Serialize(), text);
    std::string noFinalBreak = "[A]\nk=v";
    EXPECT_EQ(IniDocument::Parse(noFinalBreak).Serialize(), noFinalBreak);
    IniDocument doc = IniDocument::Parse(noFinalBreak);
    doc.Set("a", "j", "w");
    EXPECT_EQ(doc.Serialize(), "[A]\nk=v\nj=w\n");
}

TEST(IniDocumentTest, LinesEndAtCrLfLfOrCrAloneAndKeepTheirOwnEnds)
{
    std::string crOnly = "[section1]\rname1=val1\rname2=\"val2\"\r[section2]\r";
    IniDocument doc = IniDocument::Parse(crOnly);
    EXPECT_EQ(doc.Find("section1", "name1"), "val1");
    EXPECT_EQ(doc.Find("section1", "name2"), "val2");
    EXPECT_EQ(doc.Sections(), (std::vector<std::string>{"section1", "section2"}));
    EXPECT_EQ(doc.Serialize(), crOnly);
    doc.Set("section2", "k", "v");  // a new line ends as the file's lines do
    EXPECT_EQ(doc.Serialize(), crOnly + "k=v\r");

    // Every untouched line keeps its own end, the final bare CR included.
    std::string mixed = "[A]\r\nk=1\rj=2\n\r\n[B]\rx=1\r";
    doc = IniDocument::Parse(mixed);
    EXPECT_EQ(doc.Find("a", "j"), "2");
    EXPECT_EQ(doc.Find("b", "x"), "1");
    doc.Set("A", "k", "9");
    doc.Set("B", "y", "2");
    EXPECT_EQ(doc.Serialize(), "[A]\r\nk=9\rj=2\n\r\n[B]\rx=1\ry=2\r\n");
}

}  // namespace
}  // namespace plat
