#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "platform/fs/atomic_file.h"
#include "platform/fs/errors.h"
#include "platform/fs/files.h"
#include "platform/tests/other_process.h"
#include "platform/tests/temp_config.h"

namespace plat {
namespace {

using testing::OtherProcess;
using testing::TempConfig;
namespace fs = std::filesystem;

class ShareTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(t.root() + "/hd");
        t.writeDriveTable("[Drive E]\nPath=" + t.root() + "/hd\nType=fixed\n");
        TempConfig::writeFile(host("held.txt"), "held");
    }
    void TearDown() override { SetWriteFaultHook({}); }

    std::string host(const std::string& name) const { return t.root() + "/hd/" + name; }
    static HFILE open(const char* path, UINT style)
    {
        OFSTRUCT info;
        return OpenFile(path, &info, style);
    }
    // Opens and closes again: whether the open was allowed, else the error.
    static DWORD tryOpen(const char* path, UINT style)
    {
        HFILE h = open(path, style);
        if (h == HFILE_ERROR)
            return GetLastError();
        _lclose(h);
        return ERROR_SUCCESS;
    }
    // Files left beside the targets by unfinished writes.
    std::size_t leftovers() const
    {
        std::size_t n = 0;
        for (const auto& e : fs::directory_iterator(t.root() + "/hd"))
            n += e.path().filename().string().find(".tmp") != std::string::npos;
        return n;
    }

    TempConfig t;
};

TEST_F(ShareTest, AnotherProcessHoldingAFileExclusivelyKeepsEveryoneOut)
{
    {
        OtherProcess other([] { return open("E:\\held.txt", OF_READ | OF_SHARE_EXCLUSIVE) != HFILE_ERROR; });
        ASSERT_TRUE(other.Started());
        EXPECT_EQ(tryOpen("E:\\HELD.TXT", OF_READ | OF_SHARE_DENY_NONE), ERROR_SHARING);
        EXPECT_EQ(tryOpen("E:\\held.txt", OF_READWRITE), ERROR_SHARING);
        EXPECT_EQ(_lcreat("E:\\held.txt", 0), HFILE_ERROR);
        EXPECT_EQ(GetLastError(), ERROR_SHARING);
        EXPECT_FALSE(DeleteFileA("E:\\held.txt"));
        EXPECT_EQ(GetLastError(), ERROR_SHARING);
        EXPECT_EQ(TempConfig::readFile(host("held.txt")), "held");
    }
    // Its end lets go of everything it held.
    EXPECT_EQ(tryOpen("E:\\held.txt", OF_READ | OF_SHARE_EXCLUSIVE), ERROR_SUCCESS);
}

TEST_F(ShareTest, DenyingWritesElsewhereStillLetsThisProcessRead)
{
    OtherProcess other([] { return open("E:\\held.txt", OF_READWRITE | OF_SHARE_DENY_WRITE) != HFILE_ERROR; });
    ASSERT_TRUE(other.Started());
    EXPECT_EQ(tryOpen("E:\\held.txt", OF_READ | OF_SHARE_DENY_NONE), ERROR_SUCCESS);
    EXPECT_EQ(tryOpen("E:\\held.txt", OF_WRITE), ERROR_SHARING);
    // Exclusive use is refused: the other copy reads and writes it.
    EXPECT_EQ(tryOpen("E:\\held.txt", OF_READ | OF_SHARE_EXCLUSIVE), ERROR_SHARING);
    // And the other way round: an open here that denies what the other does.
    EXPECT_EQ(tryOpen("E:\\held.txt", OF_READ | OF_SHARE_DENY_READ), ERROR_SHARING);
}

TEST_F(ShareTest, AnOpenThatDeniesWhatAnotherProcessDoesIsRefused)
{
    OtherProcess other([] { return open("E:\\held.txt", OF_READ | OF_SHARE_DENY_NONE) != HFILE_ERROR; });
    ASSERT_TRUE(other.Started());
    EXPECT_EQ(tryOpen("E:\\held.txt", OF_READ | OF_SHARE_DENY_WRITE), ERROR_SUCCESS);
    EXPECT_EQ(tryOpen("E:\\held.txt", OF_READ | OF_SHARE_EXCLUSIVE), ERROR_SHARING);
    // A write-only open elsewhere is seen too.
    OtherProcess writer([] { return open("E:\\held.txt", OF_WRITE | OF_SHARE_DENY_NONE) != HFILE_ERROR; });
    ASSERT_TRUE(writer.Started());
    EXPECT_EQ(tryOpen("E:\\held.txt", OF_READ | OF_SHARE_DENY_WRITE), ERROR_SHARING);
}

TEST_F(ShareTest, AFileOpenInThisProcessCannotBeDeleted)
{
    HFILE h = open("E:\\held.txt", OF_READ | OF_SHARE_DENY_NONE);
    ASSERT_NE(h, HFILE_ERROR);
    EXPECT_FALSE(DeleteFileA("E:\\held.txt"));
    EXPECT_EQ(GetLastError(), ERROR_SHARING);
    OFSTRUCT info;
    EXPECT_EQ(OpenFile("E:\\held.txt", &info, OF_DELETE), HFILE_ERROR);
    EXPECT_EQ(info.nErrCode, ERROR_SHARING);
    _lclose(h);
    EXPECT_TRUE(DeleteFileA("E:\\held.txt"));
    EXPECT_FALSE(fs::exists(host("held.txt")));
}

TEST_F(ShareTest, ANewFileNeverReplacesOne)
{
    // Already there: refused at once.
    EXPECT_EQ(CreateNewFile("E:\\HELD.txt"), HFILE_ERROR);
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);

    HFILE h = CreateNewFile("E:\\new.txt");
    ASSERT_NE(h, HFILE_ERROR);
    EXPECT_EQ(_lwrite(h, "mine", 4), 4u);
    EXPECT_FALSE(fs::exists(host("new.txt")));  // not before it is complete
    EXPECT_EQ(_lclose(h), 0);
    EXPECT_EQ(TempConfig::readFile(host("new.txt")), "mine");

    // Another writer puts a file of the name there meanwhile: it stays.
    h = CreateNewFile("E:\\race.txt");
    ASSERT_NE(h, HFILE_ERROR);
    EXPECT_EQ(_lwrite(h, "late", 4), 4u);
    TempConfig::writeFile(host("race.txt"), "first");
    EXPECT_EQ(_lclose(h), HFILE_ERROR);
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
    EXPECT_EQ(TempConfig::readFile(host("race.txt")), "first");
    EXPECT_EQ(leftovers(), 0u);
}

TEST_F(ShareTest, ANewFileFailedHalfWayLeavesNothing)
{
    SetWriteFaultHook([](const std::string&, std::size_t written) { return written >= 4096 ? ENOSPC : 0; });
    HFILE h = CreateNewFile("E:\\big.bin");
    ASSERT_NE(h, HFILE_ERROR);
    const std::string data(10000, 'x');
    EXPECT_EQ(_lwrite(h, data.data(), UINT(data.size())), UINT(HFILE_ERROR));
    EXPECT_EQ(_lclose(h), HFILE_ERROR);
    EXPECT_FALSE(fs::exists(host("big.bin")));
    EXPECT_EQ(leftovers(), 0u);
}

TEST_F(ShareTest, AReplacementTakesTheHeldFilesPlaceWithoutItEverBeingFree)
{
    const HFILE held = open("E:\\held.txt", OF_READWRITE | OF_SHARE_DENY_WRITE);
    ASSERT_NE(held, HFILE_ERROR);
    auto otherCopyCanTakeIt = [] {
        OtherProcess other([] { return open("E:\\held.txt", OF_READWRITE | OF_SHARE_DENY_WRITE) != HFILE_ERROR; });
        return other.Started();
    };

    // Written whole: the new file has the name, and the handle holds it.
    HFILE replacement = CreateReplacement(held);
    ASSERT_NE(replacement, HFILE_ERROR);
    EXPECT_EQ(_lwrite(replacement, "renewed", 7), 7u);
    EXPECT_FALSE(otherCopyCanTakeIt()) << "while the new file is written";
    EXPECT_EQ(_lclose(replacement), 0);
    EXPECT_EQ(TempConfig::readFile(host("held.txt")), "renewed");
    EXPECT_FALSE(otherCopyCanTakeIt()) << "once the new file is in place";
    char bytes[8] = {};
    EXPECT_EQ(_llseek(held, 0, FILE_BEGIN), 0);
    EXPECT_EQ(_lread(held, bytes, 7), 7u);
    EXPECT_STREQ(bytes, "renewed");

    // Failed half-way: the old file stays, held as before.
    SetWriteFaultHook([](const std::string&, std::size_t) { return ENOSPC; });
    replacement = CreateReplacement(held);
    ASSERT_NE(replacement, HFILE_ERROR);
    EXPECT_EQ(_lwrite(replacement, "lost bytes", 10), UINT(HFILE_ERROR));
    EXPECT_EQ(_lclose(replacement), HFILE_ERROR);
    SetWriteFaultHook({});
    EXPECT_EQ(TempConfig::readFile(host("held.txt")), "renewed");
    EXPECT_FALSE(otherCopyCanTakeIt());
    EXPECT_EQ(leftovers(), 0u);

    // A replacement outlived by its handle puts nothing in place.
    replacement = CreateReplacement(held);
    ASSERT_NE(replacement, HFILE_ERROR);
    _lwrite(replacement, "orphan", 6);
    _lclose(held);
    EXPECT_EQ(_lclose(replacement), HFILE_ERROR);
    EXPECT_EQ(TempConfig::readFile(host("held.txt")), "renewed");
    EXPECT_TRUE(otherCopyCanTakeIt());
    EXPECT_EQ(leftovers(), 0u);
    EXPECT_EQ(CreateReplacement(held), HFILE_ERROR);
}

// The start-up clean-up removes a temporary file only when no writer holds
// it and it has stood for some minutes: a process id in its name means
// nothing when the writer runs in another PID namespace or on another
// machine sharing the folder.
TEST_F(ShareTest, OnlyTemporaryFilesNobodyHoldsAndLongUnchangedAreRemoved)
{
    const pid_t ended = ::fork();
    if (ended == 0)
        ::_exit(0);
    ::waitpid(ended, nullptr, 0);
    const auto tempName = [ended](int n) { return ".jx" + std::to_string(n) + ".Gv3.tmp" + std::to_string(ended) + "-0"; };
    // Another copy writing a save: its process id, as this process sees
    // it, is one that has ended.
    OtherProcess writer([] { return open("E:\\jx0.Gv3", OF_CREATE | OF_READWRITE) != HFILE_ERROR; });
    ASSERT_TRUE(writer.Started());
    ASSERT_EQ(leftovers(), 1u);
    for (const auto& e : fs::directory_iterator(t.root() + "/hd"))
        if (e.path().filename().string().find(".tmp") != std::string::npos)
            fs::rename(e.path(), host(tempName(0)));
    for (int n : {1, 2})
        TempConfig::writeFile(host(tempName(n)), "half");
    for (const std::string& other : {std::string(".jx3.Gv3.tmpX-1"), std::string("jx4.Gv3.tmp1-1")})
        TempConfig::writeFile(host(other), "half");
    const auto age = [this](const std::string& name, std::chrono::minutes by) {
        fs::last_write_time(host(name), fs::file_time_type::clock::now() - by);
    };
    age(tempName(0), std::chrono::minutes(180));  // held all the while
    age(tempName(1), std::chrono::minutes(180));  // left behind
    age(tempName(2), std::chrono::minutes(1));    // its writer may not have locked it yet
    age(".jx3.Gv3.tmpX-1", std::chrono::minutes(180));
    age("jx4.Gv3.tmp1-1", std::chrono::minutes(180));
    EXPECT_EQ(RemoveAbandonedTemporaryFilesIn("E:\\"), 1u);
    EXPECT_FALSE(fs::exists(host(tempName(1))));
    for (const std::string& kept : {tempName(0), tempName(2), std::string(".jx3.Gv3.tmpX-1"), std::string("jx4.Gv3.tmp1-1")})
        EXPECT_TRUE(fs::exists(host(kept))) << kept;
    // Once its writer has gone, the held file is left behind too.
    writer.Release();
    EXPECT_EQ(RemoveAbandonedTemporaryFilesIn("E:\\"), 1u);
    EXPECT_FALSE(fs::exists(host(tempName(0))));
}

}  // namespace
}  // namespace plat
