#include <gtest/gtest.h>

#include <string>

#include "foundation/JxCOutStream.h"
#include "foundation/JxCStringList.h"
#include "foundation/JxPageNameTable.h"
#include "foundation/tests/reporting_fixture.h"
#include "platform/fs/paths.h"

namespace {

using plat::testing::TempConfig;

std::string counted(const std::string& s)
{
    return std::string{char(s.size() >> 8), char(s.size() & 0xFF)} + s;
}

std::string listFile(const std::vector<std::string>& items)
{
    std::string out{0, 0, 0, char(items.size())};
    for (const auto& i : items)
        out += counted(i);
    return out;
}

class StringListTest : public ReportingTest {
protected:
    void TearDown() override
    {
        ResetPageNameTable();
        ReportingTest::TearDown();
    }
    std::string write(const std::string& name, const std::string& bytes) const
    {
        TempConfig::writeFile(config.program() + "/" + name, bytes);
        return programFolder() + name;
    }
    static std::string str(const JxCString& s) { return std::string(s.View()); }
};

TEST_F(StringListTest, WordsMatchWholeEntriesWithoutRegardToCase)
{
    JxCStringList list(write("w.dat", listFile({"DATA:red;green", "red;green", "OTHER:blue;sky blue"})).c_str());
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(str(list.FindKeyForWord("GREEN")), "DATA");
    EXPECT_EQ(str(list.FindKeyForWord("gree")), "");
    EXPECT_EQ(str(list.FindKeyForWord("red")), "DATA");
    EXPECT_EQ(str(list.FindKeyForWord("sky blue")), "OTHER");
    EXPECT_EQ(str(list.FindKeyForWord("blue")), "OTHER");
    EXPECT_TRUE(list.ItemHasWord(1, "green"));
    EXPECT_TRUE(list.ItemHasWord(1, "red"));
    EXPECT_EQ(str(list.KeyOf(1)), "");
    EXPECT_FALSE(list.ItemHasWord(0, "DATA"));  // the key is no word
    EXPECT_FALSE(list.ItemHasWord(0, ""));
    EXPECT_EQ(str(list.FindKeyForWord("")), "");
    EXPECT_FALSE(list.ItemHasWord(7, "red"));
}

TEST_F(StringListTest, AMissingFileLeavesTheListEmptyAndADamagedOneKeepsWholeStrings)
{
    JxCStringList missing;
    EXPECT_FALSE(missing.LoadFromFile((programFolder() + "none.dat").c_str()));
    EXPECT_EQ(missing.GetCount(), 0);

    std::string bytes = listFile({"A:one", "B:two"});
    bytes.resize(bytes.size() - 2);  // the last string cut short
    JxCStringList damaged(write("d.dat", bytes).c_str());
    ASSERT_EQ(damaged.GetCount(), 1);
    EXPECT_EQ(str(*damaged.GetAt(0)), "A:one");
}

TEST_F(StringListTest, TheBinaryFormRoundTrips)
{
    JxCStringList list(write("w.dat", listFile({"K:a;b", "L:c"})).c_str());
    std::string copy = programFolder() + "copy.dat";
    {
        JxCOutStream out(copy.c_str());
        EXPECT_TRUE(list.Write(out));
    }
    JxCStringList again(copy.c_str());
    ASSERT_EQ(again.GetCount(), 2);
    EXPECT_EQ(str(*again.GetAt(1)), "L:c");
}

TEST_F(StringListTest, PageNamesComeByNumberFromPagenameStr)
{
    plat::SetCurrentDirectoryA(programFolder().c_str());
    write("Pagename.str", counted("Intro") + counted("Map") + counted("Quiz"));
    EXPECT_EQ(str(GetPageNameByIndex(0)), "Intro");
    EXPECT_EQ(str(GetPageNameByIndex(2)), "Quiz");
    EXPECT_EQ(str(GetPageNameByIndex(3)), "");
    EXPECT_EQ(str(GetPageNameByIndex(-1)), "");
    std::int32_t n = -5;
    EXPECT_TRUE(FindPageByName("map", n));
    EXPECT_EQ(n, 1);
    n = -5;
    EXPECT_FALSE(FindPageByName("Nowhere", n));
    EXPECT_EQ(n, -5);
}

TEST_F(StringListTest, TheSameFileInAnotherCaseIsNotReadAgain)
{
    plat::SetCurrentDirectoryA(programFolder().c_str());
    write("Pagename.str", counted("Intro"));
    EXPECT_EQ(str(GetPageNameByIndex(0)), "Intro");
    write("Pagename.str", counted("Changed"));
    SetPageNameFile("PAGENAME.STR");
    EXPECT_EQ(str(GetPageNameByIndex(0)), "Intro");
    write("Other.str", counted("Other") + std::string("\x00", 1));  // a cut length at the end
    SetPageNameFile("Other.str");
    EXPECT_EQ(str(GetPageNameFile()), "Other.str");
    EXPECT_EQ(str(GetPageNameByIndex(0)), "Other");
    EXPECT_EQ(str(GetPageNameByIndex(1)), "");
}

TEST_F(StringListTest, WithoutTheFileEveryPageNameIsEmpty)
{
    plat::SetCurrentDirectoryA(programFolder().c_str());
    EXPECT_EQ(str(GetPageNameByIndex(0)), "");
    std::int32_t n = 0;
    EXPECT_FALSE(FindPageByName("Intro", n));
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
