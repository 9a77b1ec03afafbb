#include "foundation/DBFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "stream_test_support.h"

namespace {

using streamtest::TempDrive;

TEST(DBFileNames, TheExtensionReplacesOnlyTheFileNamesOwn)
{
    EXPECT_EQ(DBFile::NameWithExtension("Coverage", "DBF"), "Coverage.DBF");
    EXPECT_EQ(DBFile::NameWithExtension("a.old", "DBF"), "a.DBF");
    EXPECT_EQ(DBFile::NameWithExtension("dir.x\\name", "DBF"), "dir.x\\name.DBF");
    EXPECT_EQ(DBFile::NameWithExtension("dir.x/name", "FPT"), "dir.x/name.FPT");
    EXPECT_EQ(DBFile::NameWithExtension("plain", nullptr), "plain");
    EXPECT_EQ(DBFile::NameWithExtension(std::string(300, 'n').c_str(), nullptr).size(), 255u);
}

TEST(DBFileOpen, ATableThatMayOnlyBeReadOpensReadOnly)
{
    TempDrive drive;
    drive.write("locked.DBF", "data");
    std::filesystem::permissions(drive.host("locked.DBF"), std::filesystem::perms::owner_read);
    DBFile f;
    EXPECT_EQ(f.Open("E:\\locked", "DBF", DBStream::kUpdate, 4096), kDbOk);
    int mode = -1;
    EXPECT_EQ(f.GetMode(mode), kDbOk);
    EXPECT_EQ(mode, DBStream::kRead);
    EXPECT_TRUE(f.IsReadOnly());
    char buf[4];
    EXPECT_EQ(f.ReadAt(0, buf, 4, 1), kDbOk);
    EXPECT_NE(f.WriteAt(0, "xx", 2, 1), kDbOk);
}

TEST(DBFileOpen, AFailedCreateIsAFailureNotAReadOnlyOpen)
{
    TempDrive drive;
    drive.write("locked.DBF", "data");
    std::filesystem::permissions(drive.host("locked.DBF"), std::filesystem::perms::owner_read);
    DBFile f;
    EXPECT_EQ(f.Open("E:\\locked", "DBF", DBStream::kCreate, 4096), kDbAccessDenied);
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(f.GetFileName(), nullptr);
    EXPECT_EQ(drive.read("locked.DBF"), "data");
}

TEST(DBFileOpen, MissingFilesAndFoldersHaveTheirOwnCodes)
{
    TempDrive drive;
    DBFile f;
    EXPECT_EQ(f.Open("E:\\none", "DBF", DBStream::kRead, 0), kDbFileNotFound);
    EXPECT_EQ(f.Open("E:\\nofolder\\none", "DBF", DBStream::kUpdate, 0), kDbPathNotFound);
    EXPECT_EQ(f.Open("E:\\none", "DBF", 7, 0), kDbBadArgument);
    int mode = -1;
    EXPECT_EQ(f.GetMode(mode), kDbBadArgument);
    EXPECT_EQ(DBFile::CanOpen("E:\\none", "DBF"), kDbFileNotFound);
    drive.write("there.DBF", "x");
    EXPECT_EQ(DBFile::CanOpen("E:\\there.old", "DBF"), kDbOk);
}

TEST(DBFileOpen, BufferSizesAreClampedAndAMemoryStreamIsBoundedByItsBlock)
{
    DBFile m;
    EXPECT_EQ(m.Open(nullptr, nullptr, DBStream::kUpdate, 1), kDbOk);
    EXPECT_EQ(m.GetBufferSize(), 4096u);
    EXPECT_EQ(m.Open(nullptr, nullptr, DBStream::kUpdate, 100000), kDbOk);
    EXPECT_EQ(m.GetBufferSize(), 32768u);
    EXPECT_EQ(m.Open(nullptr, nullptr, DBStream::kUpdate, 0), kDbOk);
    EXPECT_EQ(m.GetBufferSize(), 0u);

    ASSERT_EQ(m.Open(nullptr, nullptr, DBStream::kUpdate, 4096), kDbOk);
    EXPECT_EQ(m.WriteAt(4092, "abcd", 1, 4), kDbOk);
    char out[8] = {};
    EXPECT_EQ(m.ReadAt(4092, out, 4, 1), kDbOk);
    EXPECT_EQ(std::string(out), "abcd");
    // One byte past the block: refused both ways, and the block unchanged.
    EXPECT_EQ(m.WriteAt(4093, "wxyz", 1, 4), kDbSystemError);
    EXPECT_EQ(m.ReadAt(4093, out, 1, 4), kDbSystemError);
    EXPECT_EQ(m.ReadAt(4092, out, 4, 1), kDbOk);
    EXPECT_EQ(std::string(out, 4), "abcd");
    // A size that wraps 32 bits is still past the block.
    EXPECT_EQ(m.ReadAt(0, out, 0x10000, 0x10000), kDbSystemError);
}

TEST(DBFileStreams, ReadsAndWritesMixOnOneStreamWithoutSeeks)
{
    TempDrive drive;
    drive.write("mix.DBF", "0123456789");
    DBFile f;
    ASSERT_EQ(f.Open("E:\\mix", "DBF", DBStream::kUpdate, 4096), kDbOk);
    char two[2];
    EXPECT_EQ(f.ReadAt(0, two, 2, 1), kDbOk);
    EXPECT_EQ(f.Write("ab", 1, 2), kDbOk);
    EXPECT_EQ(f.Read(two, 2, 1), kDbOk);
    EXPECT_EQ(std::string(two, 2), "45");
    std::uint32_t length = 0;
    EXPECT_EQ(f.GetLength(length), kDbOk);
    EXPECT_EQ(length, 10u);
    EXPECT_EQ(f.SetLength(6), kDbOk);
    EXPECT_EQ(f.Close(), kDbOk);
    EXPECT_EQ(drive.read("mix.DBF"), "01ab45");
}

TEST(DBFileStreams, ReadingPastTheEndFailsAndCloseCanDeleteTheFile)
{
    TempDrive drive;
    drive.write("gone.DBF", "abc");
    DBFile f;
    ASSERT_EQ(f.Open("E:\\gone", "DBF", DBStream::kUpdate, 0), kDbOk);
    char buf[4];
    EXPECT_NE(f.ReadAt(0, buf, 4, 1), kDbOk);
    EXPECT_EQ(f.Close(true), kDbOk);
    EXPECT_FALSE(std::filesystem::exists(drive.host("gone.DBF")));
    EXPECT_FALSE(f.IsOpen());
}

TEST(DBFileStreams, AFailedReopenKeepsTheModeAndLeavesNoFileOpen)
{
    TempDrive drive;
    drive.write("r.DBF", "abc");
    DBFile f;
    ASSERT_EQ(f.Open("E:\\r", "DBF", DBStream::kRead, 0), kDbOk);
    std::filesystem::permissions(drive.host("r.DBF"), std::filesystem::perms::owner_read);
    EXPECT_EQ(f.Reopen(DBStream::kUpdate), kDbAccessDenied);
    EXPECT_FALSE(f.IsOpen());
    int mode = -1;
    EXPECT_EQ(f.GetMode(mode), kDbOk);
    EXPECT_EQ(mode, DBStream::kRead);
}

TEST(DBErrors, SystemErrorsMapToTableCodes)
{
    EXPECT_EQ(SystemErrorToDbError(2), kDbFileNotFound);
    EXPECT_EQ(SystemErrorToDbError(267), kDbPathNotFound);
    EXPECT_EQ(SystemErrorToDbError(112), kDbDiskFull);
    EXPECT_EQ(SystemErrorToDbError(0), kDbSystemError);
    EXPECT_EQ(SystemErrorToDbError(99999), kDbSystemError);
    EXPECT_STREQ(GetDbErrorText(0), "OK");
    EXPECT_STREQ(GetDbErrorText(kDbNoMatch), "Unknown Error");
}

}  // namespace
