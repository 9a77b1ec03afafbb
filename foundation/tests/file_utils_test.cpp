#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#include "foundation/JxCDirectoryList.h"
#include "foundation/JxDataDiscLink.h"
#include "foundation/JxFileUtils.h"
#include "foundation/tests/reporting_fixture.h"
#include "platform/fs/errors.h"
#include "platform/fs/files.h"
#include "platform/ui/common_dialogs.h"
#include "platform/ui/dialog.h"

namespace {

using plat::testing::TempConfig;

class FileUtilsTest : public ReportingTest {
protected:
    void SetUp() override
    {
        ReportingTest::SetUp();
        programStrings("1\tkelbo32.ini\n1001\tNot on the disc: %s\n1018\tCannot open %s\n"
                       "1060\tToo many files open for %s\n1066\tMissing: %s\n1075\tNo disc for %s\n1076\tIn use: %s\n");
    }
    void TearDown() override
    {
        SetDataDiscLink(std::nullopt);
        ReportingTest::TearDown();
    }
    std::string path(const std::string& name) const { return programFolder() + name; }
    void hostWrite(const std::string& name, const std::string& text) const
    {
        TempConfig::writeFile(config.program() + "/" + name, text);
    }
};

TEST_F(FileUtilsTest, AnExistenceTestOfAMissingFileShowsNothing)
{
    std::uint32_t error = 0;
    EXPECT_EQ(OpenFileWithRetry(path("none.dat").c_str(), plat::OF_EXIST, &error), plat::HFILE_ERROR);
    EXPECT_EQ(error, 2u);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FileUtilsTest, RetryReallyOpensTheFileThatAppearedMeanwhile)
{
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        boxes.push_back(r);
        if (boxes.size() == 1)
            return 4;
        hostWrite("late.dat", "here");
        return 4;
    });
    std::uint32_t error = 99;
    plat::HFILE f = OpenFileWithRetry(path("late.dat").c_str(), plat::OF_READ, &error);
    ASSERT_NE(f, plat::HFILE_ERROR);
    EXPECT_EQ(error, 0u);
    CloseFile(f);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "[1001]: Not on the disc: " + path("late.dat"));
    EXPECT_EQ(boxes[0].style & 0xF0F, 0x102u);
}

TEST_F(FileUtilsTest, IgnoreGivesUpWithTheErrorCode)
{
    answers = {5};
    std::uint32_t error = 0;
    EXPECT_EQ(OpenFileWithRetry(path("none.dat").c_str(), plat::OF_READ, &error), plat::HFILE_ERROR);
    EXPECT_EQ(error, 2u);
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(FileUtilsTest, WithoutTheDataDiscTheStartUpCheckRunsAgain)
{
    int checks = 0;
    JxDataDiscLink link;
    link.dataDiscState = [] { return JxDataDiscState::NotInDrive; };
    link.checkDataDiscAgain = [&] {
        ++checks;
        hostWrite("disc.dat", "x");
        return true;
    };
    SetDataDiscLink(link);
    std::uint32_t error = 0;
    plat::HFILE f = OpenFileWithRetry(path("disc.dat").c_str(), plat::OF_READ, &error);
    ASSERT_NE(f, plat::HFILE_ERROR);
    CloseFile(f);
    EXPECT_EQ(checks, 1);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FileUtilsTest, DevelopersPointAtAMissingFile)
{
    iniFile("[Directory]\nDeveloper=1\n");
    ReadSettings();
    hostWrite("moved/LOST.DAT", "x");
    std::string relocated;
    JxDataDiscLink link;
    link.relocateDataPath = [&](const JxCString& p) {
        relocated = std::string(p.View());
        return false;
    };
    SetDataDiscLink(link);
    std::vector<std::string> kinds;
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        kinds.push_back(r.kind);
        boxes.push_back(r);
        if (r.kind == "MessageBox")
            return plat::IDRETRY;
        EXPECT_EQ(r.caption, "Could not find file " + path("lost.dat"));
        // First another name, which does not count; then the file itself.
        const std::string pick = kinds.size() == 2 ? path("moved\\other.dat") : path("MOVED\\lost.DAT");
        plat::SetDlgItemTextA(r.window, plat::kFileNameEdit, pick.c_str());
        return plat::IDOK;
    });
    JxCString name(path("lost.dat").c_str());
    std::uint32_t error = 0;
    plat::HFILE f = OpenFileWithRetry(name, plat::OF_READ, &error);
    ASSERT_NE(f, plat::HFILE_ERROR);
    CloseFile(f);
    EXPECT_EQ(std::string(name.View()), path("MOVED\\lost.dat"));
    EXPECT_EQ(relocated, path("MOVED\\lost.dat"));
    EXPECT_EQ(kinds, (std::vector<std::string>{"MessageBox", "GetOpenFileName", "MessageBox", "GetOpenFileName"}));
    EXPECT_EQ(boxes[0].text, "[1066]: Missing: " + path("lost.dat"));
}

TEST_F(FileUtilsTest, ADataCheckThatFindsNothingNewRunsOncePerOpen)
{
    int checks = 0;
    JxDataDiscLink link;
    link.dataDiscState = [] { return JxDataDiscState::NotInDrive; };
    link.checkDataDiscAgain = [&] {
        ++checks;
        return true;  // a network install: the data path lists, the file stays missing
    };
    SetDataDiscLink(link);
    answers = {plat::IDRETRY, plat::IDIGNORE};
    std::uint32_t error = 0;
    EXPECT_EQ(OpenFileWithRetry(path("gone.dat").c_str(), plat::OF_READ, &error), plat::HFILE_ERROR);
    EXPECT_EQ(checks, 1);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "[1001]: Not on the disc: " + path("gone.dat"));
    // A new open may check again.
    answers = {plat::IDIGNORE};
    OpenFileWithRetry(path("gone.dat").c_str(), plat::OF_READ, &error);
    EXPECT_EQ(checks, 2);
}

TEST_F(FileUtilsTest, ASharingViolationAsksAndRetryOpensOnceTheFileIsFree)
{
    hostWrite("held.dat", "x");
    plat::OFSTRUCT info;
    plat::HFILE holder = plat::OpenFile(path("held.dat").c_str(), &info, plat::OF_READ | plat::OF_SHARE_EXCLUSIVE);
    ASSERT_NE(holder, plat::HFILE_ERROR);
    char labelDrive = 0;
    JxDataDiscLink link;
    link.getVolumeLabel = [&](char d, JxCString&) {
        labelDrive = d;
        return true;
    };
    SetDataDiscLink(link);
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        boxes.push_back(r);
        plat::_lclose(holder);
        return 4;
    });
    std::uint32_t error = 0;
    plat::HFILE f = OpenFileWithRetry(path("held.dat").c_str(), plat::OF_READ, &error);
    ASSERT_NE(f, plat::HFILE_ERROR);
    CloseFile(f);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "[1076]: In use: " + path("held.dat"));
    EXPECT_EQ(labelDrive, programFolder()[0]);
}

TEST_F(FileUtilsTest, IgnoreOnADeviceErrorOffersTheDataLocationThenGivesUp)
{
    hostWrite("held.dat", "x");
    plat::OFSTRUCT info;
    plat::HFILE holder = plat::OpenFile(path("held.dat").c_str(), &info, plat::OF_READ | plat::OF_SHARE_EXCLUSIVE);
    int dialogs = 0;
    JxDataDiscLink link;
    link.runLocateDialog = [&](int mode) {
        EXPECT_EQ(mode, 2);
        ++dialogs;
        return false;
    };
    SetDataDiscLink(link);
    answers = {5, 5};
    std::uint32_t error = 0;
    EXPECT_EQ(OpenFileWithRetry(path("held.dat").c_str(), plat::OF_READ, &error), plat::HFILE_ERROR);
    EXPECT_EQ(error, 104u);
    EXPECT_EQ(dialogs, 1);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "[1001]: Not on the disc: " + path("held.dat"));
    plat::_lclose(holder);
}

// Opens fail with "too many open files" (EMFILE) while this lives.
class DescriptorsExhausted {
public:
    DescriptorsExhausted()
    {
        plat::SetOpenFaultHook([](const std::string&) { return EMFILE; });
    }
    ~DescriptorsExhausted() { plat::SetOpenFaultHook({}); }
};

TEST_F(FileUtilsTest, TooManyOpenFilesAsksAndRetryOpensAgain)
{
    hostWrite("many.dat", "x");
    std::optional<DescriptorsExhausted> exhausted(std::in_place);
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        boxes.push_back(r);
        exhausted.reset();
        return 4;
    });
    std::uint32_t error = 0;
    plat::HFILE f = OpenFileWithRetry(path("many.dat").c_str(), plat::OF_READ, &error);
    exhausted.reset();
    ASSERT_NE(f, plat::HFILE_ERROR);
    EXPECT_EQ(error, 0u);
    CloseFile(f);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "[1060]: Too many files open for " + path("many.dat"));
    EXPECT_EQ(boxes[0].style & 0xF0F, 0x102u);
}

TEST_F(FileUtilsTest, TooManyOpenFilesIgnoredGivesUpWithErrorCode4)
{
    hostWrite("many.dat", "x");
    answers = {5};
    std::uint32_t error = 0;
    plat::HFILE f;
    {
        DescriptorsExhausted exhausted;
        f = OpenFileWithRetry(path("many.dat").c_str(), plat::OF_READ, &error);
    }
    EXPECT_EQ(f, plat::HFILE_ERROR);
    EXPECT_EQ(error, 4u);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "[1060]: Too many files open for " + path("many.dat"));
}

TEST_F(FileUtilsTest, OtherErrorsReportTheGeneralMessage)
{
    hostWrite("ro.dat", "x");
    plat::SetFileAttributesA(path("ro.dat").c_str(), plat::FILE_ATTRIBUTE_READONLY);
    answers = {5};
    std::uint32_t error = 0;
    EXPECT_EQ(OpenFileWithRetry(path("ro.dat").c_str(), plat::OF_WRITE, &error), plat::HFILE_ERROR);
    EXPECT_EQ(error, 5u);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "[1018]: Cannot open " + path("ro.dat"));
}

TEST_F(FileUtilsTest, ReadsAndWritesClearTheErrorCodeWhenTheySucceed)
{
    std::uint32_t error = 0;
    plat::HFILE f = OpenFileWithRetry(path("new.dat").c_str(), plat::OF_CREATE | plat::OF_READWRITE, &error);
    ASSERT_NE(f, plat::HFILE_ERROR);
    error = 99;
    EXPECT_EQ(WriteFileBlock(f, "abcdef", 6, &error), 6);
    EXPECT_EQ(error, 0u);
    error = 99;
    EXPECT_EQ(WriteFileHuge(f, "gh", 2, &error), 2);
    EXPECT_EQ(error, 0u);
    EXPECT_EQ(GetOpenFileSize(f), 8u);
    EXPECT_EQ(SeekFile(f, 2, plat::FILE_BEGIN), 2);
    char buffer[8] = {};
    error = 99;
    EXPECT_EQ(ReadFileBlock(f, buffer, 3, &error), 3);
    EXPECT_EQ(error, 0u);
    EXPECT_EQ(std::string(buffer, 3), "cde");
    error = 99;
    EXPECT_EQ(ReadFileHugeChecked(f, buffer, 8, &error), 3);  // to the end
    EXPECT_EQ(error, 0u);
    CloseFile(f);
    EXPECT_EQ(ReadFileHuge(f, buffer, 1, &error), -1);  // closed handle
    EXPECT_NE(error, 0u);
}

TEST_F(FileUtilsTest, FoldersAndDriveRoots)
{
    std::filesystem::create_directories(config.program() + "/sub");
    hostWrite("file.dat", "x");
    EXPECT_TRUE(DirectoryExists(path("sub").c_str()));
    EXPECT_TRUE(DirectoryExists(path("sub\\").c_str()));
    EXPECT_FALSE(DirectoryExists(path("file.dat").c_str()));
    EXPECT_FALSE(DirectoryExists(path("missing\\").c_str()));
    EXPECT_TRUE(DirectoryExists(programFolder().c_str()));  // "P:\" with content
    EXPECT_FALSE(DirectoryExists(""));
    EXPECT_TRUE(FileExists(path("file.dat").c_str()));
    EXPECT_TRUE(FileExists(path("*.dat").c_str()));
    EXPECT_FALSE(FileExists(path("none.*").c_str()));
    EXPECT_FALSE(FileExists(nullptr));
}

TEST_F(FileUtilsTest, DirectoryListsCountOnceAndWalkInOrder)
{
    hostWrite("a.txt", "1");
    hostWrite("b.txt", "22");
    JxCDirectoryList none(path("*.none").c_str());
    EXPECT_EQ(none.GetCount(), 0);
    hostWrite("c.none", "late");
    EXPECT_EQ(none.GetCount(), 0);  // counted once

    JxCDirectoryList list(path("*.txt").c_str());
    EXPECT_EQ(std::string(list.GetName().View()).size(), 5u);  // starts the search
    std::uint32_t first = list.GetSize();
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetSize(), first);  // counting does not move the walk
    EXPECT_TRUE(list.FindNext());
    EXPECT_FALSE(list.FindNext());
    EXPECT_EQ(std::string(list.GetName().View()), "");
}

}  // namespace
