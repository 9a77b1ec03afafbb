#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/fs/atomic_file.h"
#include "platform/fs/drives.h"
#include "platform/fs/errors.h"
#include "platform/fs/files.h"
#include "platform/fs/find.h"
#include "platform/fs/folder_listing.h"
#include "platform/fs/paths.h"
#include "platform/fs/system_info.h"
#include "platform/tests/quick_settle.h"
#include "platform/tests/temp_config.h"

namespace plat {
namespace {

using testing::QuickSettle;
using testing::TempConfig;
namespace fs = std::filesystem;

class FsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TempConfig::writeFile(t.root() + "/disc/Data/Page1.BMP", "bitmap");
        TempConfig::writeFile(t.root() + "/disc/README", "readme");
        fs::create_directories(t.root() + "/hd");
        t.writeDriveTable("[Drive D]\nPath=" + t.root() + "/disc\nType=cdrom\nLabel=KELBO\n\n"
                          "[Drive E]\nPath=" + t.root() + "/hd\nType=fixed\nLabel=WORK\n\n"
                          "[Drive N]\nPath=" + t.root() + "/net\nType=remote\nNetwork=\\\\server\\share\n");
        fs::create_directories(t.root() + "/net/pub");
    }
    void TearDown() override { SetWriteFaultHook({}); }

    static std::string label(const char* root)
    {
        char buffer[64] = "unchanged";
        if (!GetVolumeInformationA(root, buffer, sizeof buffer, nullptr, nullptr, nullptr, nullptr, 0))
            return "<" + std::to_string(GetLastError()) + ">";
        return buffer;
    }

    TempConfig t;
    QuickSettle quick;
};

TEST_F(FsTest, DriveTableGivesTypesLabelsAndNetworkNames)
{
    EXPECT_EQ(GetDriveTypeA("C:\\"), DRIVE_FIXED);  // the configuration folder by default
    EXPECT_EQ(GetDriveTypeA("d:\\"), DRIVE_CDROM);
    EXPECT_EQ(GetDriveTypeA("E:"), DRIVE_FIXED);
    EXPECT_EQ(GetDriveTypeA("N:\\"), DRIVE_REMOTE);
    EXPECT_EQ(GetDriveTypeA("Q:\\"), DRIVE_NO_ROOT_DIR);
    EXPECT_EQ(GetDriveTypeA("7:\\"), DRIVE_NO_ROOT_DIR);
    ASSERT_EQ(_chdrive(4), 0);
    EXPECT_EQ(GetDriveTypeA(nullptr), DRIVE_CDROM);  // the current drive
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    EXPECT_EQ(SetErrorMode(oldMode), SEM_FAILCRITICALERRORS);
    EXPECT_EQ(label("D:\\"), "KELBO");
    EXPECT_EQ(label("e:\\"), "WORK");
    EXPECT_EQ(label("Q:\\"), "<3>");

    char remote[64];
    DWORD size = sizeof remote;
    EXPECT_EQ(WNetGetConnectionA("N:", remote, &size), ERROR_SUCCESS);
    EXPECT_STREQ(remote, "\\\\server\\share");
    size = 4;
    EXPECT_EQ(WNetGetConnectionA("N:", remote, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 15u);
    EXPECT_EQ(WNetGetConnectionA("E:", remote, &size), ERROR_NOT_CONNECTED);

    DWORD mask = GetLogicalDrives();
    EXPECT_TRUE(mask & (1u << ('D' - 'A')));
    EXPECT_FALSE(mask & (1u << ('Q' - 'A')));
}

TEST_F(FsTest, CdromIsEjectedAndInsertedByItsFolder)
{
    fs::rename(t.root() + "/disc", t.root() + "/away");
    EXPECT_EQ(GetDriveTypeA("D:\\"), DRIVE_CDROM);  // the drive stays
    EXPECT_EQ(label("D:\\"), "<101>");
    OFSTRUCT info;
    EXPECT_EQ(OpenFile("D:\\DATA\\PAGE1.BMP", &info, OF_READ), HFILE_ERROR);
    EXPECT_EQ(info.nErrCode, ERROR_NO_DISC);
    EXPECT_EQ(_chdrive(4), -1);

    fs::create_directories(t.root() + "/disc");  // an empty tray holds no disc either
    EXPECT_EQ(label("D:\\"), "<101>");

    fs::remove(t.root() + "/disc");
    fs::rename(t.root() + "/away", t.root() + "/disc");
    EXPECT_EQ(label("D:\\"), "KELBO");
    HFILE h = OpenFile("D:\\DATA\\PAGE1.BMP", &info, OF_READ);
    ASSERT_NE(h, HFILE_ERROR);
    _lclose(h);
}

TEST_F(FsTest, PathsResolveWithoutRegardToCase)
{
    std::string expected = t.root() + "/disc/Data/Page1.BMP";
    for (const char* path : {"D:\\DATA\\PAGE1.BMP", "d:/data/page1.bmp", "D:\\Data\\.\\..\\DATA\\\\Page1.bmp",
                             "\\\\SERVER\\share\\..\\..\\nope"}) {
        HostPath h = ResolveHostPath(path);
        if (std::string(path).rfind("\\\\", 0) == 0) {
            // The share resolves to its drive; the name just does not exist.
            EXPECT_EQ(h.error, 0u) << path;
            EXPECT_FALSE(h.exists);
            continue;
        }
        EXPECT_EQ(h.error, 0u) << path;
        EXPECT_TRUE(h.exists) << path;
        EXPECT_EQ(h.host, expected) << path;
    }
    EXPECT_EQ(ResolveHostPath("\\\\server\\SHARE\\PUB").host, t.root() + "/net/pub");
    EXPECT_EQ(ResolveHostPath("D:\\NOFOLDER\\X.BMP").error, ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(ResolveHostPath("D:\\DATA\\NEW.BMP").host, t.root() + "/disc/Data/NEW.BMP");
    EXPECT_EQ(HostToWindowsPath(t.root() + "/disc/Data"), "D:\\Data");
    // Trailing dots and blanks of a name do not count, as on Windows.
    EXPECT_EQ(ResolveHostPath("D:\\data.\\page1.bmp. ").host, expected);
    // ... and a name that becomes ".." that way never leaves the drive.
    EXPECT_EQ(ResolveHostPath("D:\\.. \\... \\README").host, t.root() + "/disc/README");
}

TEST_F(FsTest, ADriveWithoutAFolderReachesNothing)
{
    t.writeDriveTable("[Drive F]\nType=fixed\n[Drive G]\nType=cdrom\n[drive f]\nPath=/\n");
    EXPECT_EQ(GetDriveTypeA("F:\\"), DRIVE_FIXED);  // the first section of a letter counts
    EXPECT_EQ(ResolveHostPath("F:\\x").error, ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(ResolveHostPath("G:\\x").error, ERROR_NO_DISC);
    EXPECT_EQ(HostToWindowsPath("/"), "");  // no drive holds the host's root
}

TEST_F(FsTest, CurrentDriveAndFolderServeRelativePaths)
{
    // The program starts in its own folder, a drive of its own here.
    std::string program = ProgramFileWindowsPath();
    ASSERT_EQ(program.substr(0, 3), "P:\\");
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    EXPECT_STREQ(cwd, "P:\\");

    ASSERT_TRUE(SetCurrentDirectoryA("d:\\data"));
    EXPECT_EQ(GetFullWindowsPath("page1.bmp"), "D:\\data\\page1.bmp");
    EXPECT_EQ(GetFullWindowsPath("\\README"), "D:\\README");
    ASSERT_EQ(_chdrive(5), 0);
    EXPECT_EQ(GetFullWindowsPath("x.txt"), "E:\\x.txt");
    // "D:" forms keep drive D's own current folder.
    EXPECT_EQ(GetFullWindowsPath("D:page1.bmp"), "D:\\data\\page1.bmp");
    EXPECT_EQ(GetFullWindowsPath("D:..\\..\\README"), "D:\\README");
    // A folder named with its closing backslash keeps it; the current
    // folder is kept without it.
    const struct {
        const char* path;
        const char* full;
    } folders[] = {
        {"D:\\data\\", "D:\\data\\"}, {"d:/data/sub/", "D:\\data\\sub\\"}, {"D:\\data\\sub\\..\\", "D:\\data\\"},
        {"D:\\data\\.", "D:\\data"},   {"D:\\data\\..\\", "D:\\"},      {"\\\\srv\\share\\dir\\", "\\\\srv\\share\\dir\\"},
        {"D:\\", "D:\\"},
    };
    for (const auto& f : folders)
        EXPECT_EQ(GetFullWindowsPath(f.path), f.full) << f.path;
    ASSERT_TRUE(SetCurrentDirectoryA("D:\\data\\"));
    GetCurrentDirectoryA(sizeof cwd, cwd);
    EXPECT_STREQ(cwd, "D:\\data");
    EXPECT_EQ(GetFullWindowsPath("x"), "D:\\data\\x");
    EXPECT_FALSE(SetCurrentDirectoryA("D:\\nothere"));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

TEST_F(FsTest, OpenFileReportsTheEngineErrorCodes)
{
    OFSTRUCT info;
    EXPECT_EQ(OpenFile("E:\\missing.txt", &info, OF_EXIST), HFILE_ERROR);
    EXPECT_EQ(info.nErrCode, ERROR_FILE_NOT_FOUND);
    EXPECT_STREQ(info.szPathName, "E:\\missing.txt");
    EXPECT_EQ(OpenFile("E:\\no\\missing.txt", &info, OF_READ), HFILE_ERROR);
    EXPECT_EQ(info.nErrCode, ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(OpenFile("D:\\README", &info, OF_READWRITE), HFILE_ERROR);
    EXPECT_EQ(info.nErrCode, ERROR_WRITE_PROTECTED);
    EXPECT_EQ(OpenFile("D:\\DATA", &info, OF_READ), HFILE_ERROR);
    EXPECT_EQ(info.nErrCode, ERROR_ACCESS_DENIED);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_NE(OpenFile("d:\\readme", &info, OF_EXIST), HFILE_ERROR);
    EXPECT_STREQ(info.szPathName, "D:\\readme");

    HFILE first = OpenFile("D:\\README", &info, OF_READ | OF_SHARE_EXCLUSIVE);
    ASSERT_NE(first, HFILE_ERROR);
    EXPECT_EQ(OpenFile("D:\\README", &info, OF_READ | OF_SHARE_DENY_NONE), HFILE_ERROR);
    EXPECT_EQ(info.nErrCode, ERROR_SHARING);
    _lclose(first);
    HFILE second = OpenFile("D:\\README", &info, OF_READ | OF_SHARE_DENY_NONE);
    EXPECT_NE(second, HFILE_ERROR);
    _lclose(second);
    EXPECT_EQ(_lclose(second), HFILE_ERROR);
}

TEST_F(FsTest, OpenFileStylesThatDoNotOpen)
{
    OFSTRUCT info;
    EXPECT_EQ(OpenFile("e:..\\x\\..\\name.txt", &info, OF_PARSE), 0);
    EXPECT_STREQ(info.szPathName, "E:\\name.txt");
    EXPECT_FALSE(std::filesystem::exists(t.root() + "/hd/name.txt"));

    TempConfig::writeFile(t.root() + "/hd/Gone.txt", "x");
    EXPECT_EQ(OpenFile("E:\\GONE.TXT", &info, OF_DELETE), 1);
    EXPECT_FALSE(fs::exists(t.root() + "/hd/Gone.txt"));
    EXPECT_EQ(OpenFile("E:\\GONE.TXT", &info, OF_DELETE), HFILE_ERROR);
    EXPECT_EQ(info.nErrCode, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(OpenFile("D:\\README", &info, OF_DELETE), HFILE_ERROR);
    EXPECT_EQ(info.nErrCode, ERROR_WRITE_PROTECTED);

    // OF_REOPEN takes the name the structure holds.
    ASSERT_NE(OpenFile("d:\\readme", &info, OF_EXIST), HFILE_ERROR);
    HFILE h = OpenFile(nullptr, &info, OF_REOPEN | OF_READ);
    ASSERT_NE(h, HFILE_ERROR);
    char c = 0;
    EXPECT_EQ(_lread(h, &c, 1), 1u);
    EXPECT_EQ(c, 'r');
    _lclose(h);

    h = _lopen("E:\\w.txt", OF_WRITE);
    EXPECT_EQ(h, HFILE_ERROR);  // _lopen does not create
    h = _lcreat("E:\\w.txt", 0);
    _lclose(h);
    h = _lopen("E:\\w.txt", OF_WRITE | OF_SHARE_DENY_WRITE);
    ASSERT_NE(h, HFILE_ERROR);
    EXPECT_EQ(_lread(h, &c, 1), UINT(HFILE_ERROR));  // opened for writing only
    EXPECT_EQ(_lopen("E:\\w.txt", OF_READWRITE), HFILE_ERROR);
    EXPECT_NE(h = _lopen("E:\\w.txt", OF_READ), HFILE_ERROR);  // reading is not denied
    _lclose(h);
}

TEST_F(FsTest, NamesFollowTheCurrentCodePage)
{
    int before = GetACP();
    SetACP(1253);
    // On the host the name is UTF-8; the engine sees and gives code page bytes.
    TempConfig::writeFile(t.root() + "/hd/\xce\x91\xcf\x81\xcf\x87\xce\xb5\xce\xaf\xce\xbf.txt", "greek");
    WIN32_FIND_DATAA data;
    HANDLE_FIND f = FindFirstFileA("E:\\*.txt", &data);
    ASSERT_NE(f, INVALID_FIND_HANDLE);
    EXPECT_STREQ(data.cFileName, "\xc1\xf1\xf7\xe5\xdf\xef.txt");
    FindClose(f);
    // Upper case with the accent still finds it.
    HFILE h = _lopen("E:\\\xc1\xd1\xd7\xc5\xba\xcf.TXT", OF_READ);
    EXPECT_NE(h, HFILE_ERROR);
    _lclose(h);
    SetACP(before);
}

TEST_F(FsTest, ADoubleByteTrailByteIsNotASeparator)
{
    int before = GetACP();
    SetACP(932);
    // "\x95\x5c" is one character whose second byte is a backslash.
    TempConfig::writeFile(t.root() + "/hd/\xe8\xa1\xa8/x.txt", "table");
    EXPECT_EQ(ResolveHostPath("E:\\\x95\x5c\\x.txt").host, t.root() + "/hd/\xe8\xa1\xa8/x.txt");
    WIN32_FIND_DATAA data;
    HANDLE_FIND f = FindFirstFileA("E:\\\x95\x5c", &data);
    ASSERT_NE(f, INVALID_FIND_HANDLE);
    EXPECT_STREQ(data.cFileName, "\x95\x5c");
    FindClose(f);
    EXPECT_EQ(FindLastSeparator("E:\\\x95\x5c"), 2u);
    SetACP(before);
}

TEST_F(FsTest, ReadWriteSeekSizeAndTruncate)
{
    OFSTRUCT info;
    HFILE h = OpenFile("E:\\file.bin", &info, OF_CREATE | OF_READWRITE);
    ASSERT_NE(h, HFILE_ERROR);
    EXPECT_EQ(_lwrite(h, "0123456789", 10), 10u);
    EXPECT_EQ(GetFileSize(h, nullptr), 10u);
    EXPECT_EQ(_llseek(h, 4, FILE_BEGIN), 4);
    char buffer[16] = {};
    EXPECT_EQ(_lread(h, buffer, 100), 6u);  // only what is there
    EXPECT_STREQ(buffer, "456789");
    EXPECT_EQ(_llseek(h, -3, FILE_END), 7);
    EXPECT_EQ(_hwrite(h, "", 0), 0);  // a zero-length write truncates
    EXPECT_EQ(GetFileSize(h, nullptr), 7u);
    EXPECT_EQ(_llseek(h, 0, 7), HFILE_ERROR);
    EXPECT_EQ(_lclose(h), 0);
    EXPECT_EQ(TempConfig::readFile(t.root() + "/hd/file.bin"), "0123456");

    h = _lopen("E:\\FILE.BIN", OF_READ);
    ASSERT_NE(h, HFILE_ERROR);
    EXPECT_EQ(_lwrite(h, "x", 1), UINT(HFILE_ERROR));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(_hread(h, buffer, 3), 3);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    _lclose(h);
    EXPECT_EQ(_lread(h, buffer, 1), UINT(HFILE_ERROR));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(SetEndOfFile(h));
    EXPECT_EQ(GetFileSize(h, nullptr), INVALID_FILE_SIZE);
    EXPECT_EQ(_llseek(h, 0, FILE_BEGIN), HFILE_ERROR);
}

TEST_F(FsTest, CreatedFileReplacesTheOldOneOnlyWhenClosed)
{
    TempConfig::writeFile(t.root() + "/hd/user.dat", "old contents");
    HFILE h = _lcreat("E:\\user.dat", 0);
    ASSERT_NE(h, HFILE_ERROR);
    _lwrite(h, "new", 3);
    EXPECT_EQ(TempConfig::readFile(t.root() + "/hd/user.dat"), "old contents");
    EXPECT_EQ(_lclose(h), 0);
    EXPECT_EQ(TempConfig::readFile(t.root() + "/hd/user.dat"), "new");
}

TEST_F(FsTest, AWriteKilledHalfWayLeavesTheOldFileIntact)
{
    std::string target = t.root() + "/hd/user.dat";
    TempConfig::writeFile(target, "old contents");
    std::string big(20000, 'n');
    SetWriteFaultHook([](const std::string&, std::size_t written) { return written >= 8192 ? ENOSPC : 0; });

    // Through the engine's own file calls...
    HFILE h = _lcreat("E:\\USER.DAT", 0);
    ASSERT_NE(h, HFILE_ERROR);
    EXPECT_EQ(_hwrite(h, big.data(), LONG(big.size())), HFILE_ERROR);
    EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
    EXPECT_EQ(_lclose(h), HFILE_ERROR);  // reported, not called success
    EXPECT_EQ(TempConfig::readFile(target), "old contents");

    // ... and through the platform's own writer of settings.
    EXPECT_EQ(WriteFileAtomically(target, big), ENOSPC);
    EXPECT_EQ(TempConfig::readFile(target), "old contents");
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(t.root() + "/hd"))
        left.push_back(e.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"user.dat"});  // no temporary file left behind

    // ... and through a copy.
    TempConfig::writeFile(t.root() + "/hd/big.dat", big);
    EXPECT_FALSE(CopyFileA("E:\\big.dat", "E:\\user.dat", 0));
    EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
    EXPECT_EQ(TempConfig::readFile(target), "old contents");
    fs::remove(t.root() + "/hd/big.dat");

    SetWriteFaultHook({});
    EXPECT_EQ(WriteFileAtomically(target, big), 0);
    EXPECT_EQ(TempConfig::readFile(target), big);
}

TEST_F(FsTest, ADiscardedFileLeavesTheOldFileIntact)
{
    std::string target = t.root() + "/hd/user.dat";
    TempConfig::writeFile(target, "old contents");
    HFILE h = _lcreat("E:\\USER.DAT", 0);
    ASSERT_NE(h, HFILE_ERROR);
    EXPECT_EQ(_lwrite(h, "new", 3), 3u);
    EXPECT_EQ(DiscardFile(h), 0);
    EXPECT_EQ(TempConfig::readFile(target), "old contents");
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(t.root() + "/hd"))
        left.push_back(e.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"user.dat"});
    EXPECT_EQ(DiscardFile(h), HFILE_ERROR);  // the handle is gone
}

TEST(Utf8Test, MalformedAndCutOffSequencesBecomeOneReplacementPerByte)
{
    EXPECT_EQ(DecodeUtf8("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), U"a\u00E9\u20AC\U0001F600");
    EXPECT_EQ(DecodeUtf8("\x80x"), U"\uFFFDx");            // a stray continuation byte
    EXPECT_EQ(DecodeUtf8("\xC3x"), U"\uFFFDx");            // a lead byte without its continuation
    EXPECT_EQ(DecodeUtf8("\xE2\x82"), U"\uFFFD\uFFFD");    // cut off at the end
    EXPECT_EQ(DecodeUtf8("\xFF"), U"\uFFFD");
    EXPECT_EQ(DecodeUtf8(std::string_view("\0", 1)), std::u32string(1, U'\0'));
}

TEST(WildcardTest, WindowsRules)
{
    struct Case {
        const char* pattern;
        const char* name;
        bool match;
    } cases[] = {
        {"*.*", "README", true},   {"*.*", "a.txt", true},    {"*", "a.b.c", true},
        {"*.txt", "A.TXT", true},  {"*.txt", "a.txt.bak", false}, {"*.", "README", true},
        {"*.", "a.txt", false},    {"page?.bmp", "PAGE1.BMP", true}, {"page?.bmp", "page.bmp", true},
        {"page?.bmp", "page12.bmp", false}, {"??", "a", true}, {"a*b", "aXXb", true},
        {"a*b", "aXXc", false},    {"data.*", "DATA", true},  {"*.mng", "DATA.MNG", true},
        {"", "", true},            {"x", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.match) << c.pattern << " / " << c.name;
    // Many stars against a long name that almost matches stay quick.
    EXPECT_FALSE(MatchesWildcard("*a*a*a*a*a*a*a*a*a*a*b", std::string(250, 'a')));
}

TEST_F(FsTest, FindListsMatchesWithSizeAndAttributes)
{
    TempConfig::writeFile(t.root() + "/disc/Data/page2.bmp", "12345");
    TempConfig::writeFile(t.root() + "/disc/Data/notes.txt", "");
    fs::create_directories(t.root() + "/disc/Data/Sub");

    auto list = [](const char* spec) {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE_FIND f = FindFirstFileA(spec, &data);
        if (f == INVALID_FIND_HANDLE)
            return names;
        do
            names.push_back(data.cFileName);
        while (FindNextFileA(f, &data));
        EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
        FindClose(f);
        return names;
    };
    EXPECT_EQ(list("D:\\data\\*.*"),
              (std::vector<std::string>{".", "..", "Page1.BMP", "Sub", "notes.txt", "page2.bmp"}));
    EXPECT_EQ(list("D:\\data\\*.BMP"), (std::vector<std::string>{"Page1.BMP", "page2.bmp"}));
    EXPECT_EQ(list("D:\\*"), (std::vector<std::string>{"Data", "README"}));  // a root has no "." entries
    EXPECT_EQ(list("D:\\DATA\\PAGE2.BMP"), (std::vector<std::string>{"page2.bmp"}));
    EXPECT_TRUE(list("D:\\DATA\\*.wav").empty());
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(list("D:\\DATA\\").empty());  // a trailing backslash names no entry
    EXPECT_TRUE(list("D:\\NONE\\*.*").empty());
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

    WIN32_FIND_DATAA data;
    HANDLE_FIND f = FindFirstFileA("d:\\data\\page2.bmp", &data);
    ASSERT_NE(f, INVALID_FIND_HANDLE);
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_EQ(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_READONLY);  // on a disc
    EXPECT_GT(data.ftLastWriteTime.dwHighDateTime, 0u);
    FindClose(f);
    f = FindFirstFileA("D:\\data\\sub", &data);
    ASSERT_NE(f, INVALID_FIND_HANDLE);
    EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    FindClose(f);
}

// Waits until what changed so far on the disc has stood long enough to
// count as settled.
void settle()
{
    QuickSettle::wait();
}

// Sets a file's or folder's times back by an hour, as a copy that keeps
// times does.
void putTimesBack(const std::string& path)
{
    const timespec past[2] = {{std::time(nullptr) - 3600, 0}, {std::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), past, 0), 0) << path;
}

// How many folder listings the lookups of the names took.
std::uint64_t listingsFor(const std::vector<const char*>& specs)
{
    const std::uint64_t before = FolderListingsRead();
    for (const char* spec : specs) {
        WIN32_FIND_DATAA data;
        if (HANDLE_FIND f = FindFirstFileA(spec, &data))
            FindClose(f);
    }
    return FolderListingsRead() - before;
}

// A folder of a disc that has stood unchanged is listed once, whatever is
// looked up in it and in whatever case; a folder of a fixed drive, or one
// that changed a moment ago, is listed at every look-up.
TEST_F(FsTest, SettledDiscFoldersAreListedOnce)
{
    TempConfig::writeFile(t.root() + "/hd/Work.txt", "");
    settle();
    listingsFor({"D:\\README"});  // the disc's root is kept from now on
    TempConfig::writeFile(t.root() + "/disc/Data/Page2.BMP", "bitmap");
    const std::vector<const char*> lookups = {"D:\\DATA\\PAGE1.PNG", "D:\\data\\page1.bmp", "D:\\Data\\Page1.dib",
                                              "D:\\DATA\\*.BMP"};
    EXPECT_EQ(listingsFor(lookups), lookups.size());  // its folder Data changed a moment ago
    settle();
    EXPECT_EQ(listingsFor(lookups), 1u);
    EXPECT_EQ(listingsFor(lookups), 0u);
    const std::vector<const char*> fixed = {"E:\\WORK.TXT", "E:\\work.png"};
    settle();
    EXPECT_EQ(listingsFor(fixed), fixed.size());
    // Reading the drive table again forgets what was listed: the root and
    // the folder are listed again, once.
    ReloadDriveTable();
    EXPECT_EQ(listingsFor(lookups), 2u);
}

// What a kept listing answers follows the folder: a name added to it (or
// taken away) is found (or missed) at once, and so is a folder put in its
// place with the same name.
TEST_F(FsTest, KeptListingsFollowTheirFolder)
{
    const std::string data = t.root() + "/disc/Data";
    const auto found = [](const char* spec) {
        WIN32_FIND_DATAA entry;
        HANDLE_FIND f = FindFirstFileA(spec, &entry);
        if (f)
            FindClose(f);
        return f ? std::string(entry.cFileName) : std::string();
    };
    settle();
    ASSERT_EQ(found("D:\\DATA\\PAGE1.BMP"), "Page1.BMP");
    EXPECT_EQ(found("D:\\DATA\\NEW.DIB"), "");
    TempConfig::writeFile(data + "/New.dib", "");
    EXPECT_EQ(found("D:\\DATA\\NEW.DIB"), "New.dib");
    settle();
    ASSERT_EQ(found("D:\\DATA\\NEW.DIB"), "New.dib");
    fs::remove(data + "/New.dib");
    EXPECT_EQ(found("D:\\DATA\\NEW.DIB"), "");
    // Another disc whose folder has the same name and the same times.
    settle();
    ASSERT_EQ(found("D:\\DATA\\PAGE1.BMP"), "Page1.BMP");
    fs::rename(data, t.root() + "/disc/Old");
    TempConfig::writeFile(data + "/Other.dib", "");
    putTimesBack(data);
    putTimesBack(t.root() + "/disc/Old");
    settle();
    EXPECT_EQ(found("D:\\DATA\\PAGE1.BMP"), "");
    EXPECT_EQ(found("D:\\DATA\\OTHER.DIB"), "Other.dib");
}

// Whoever keeps what it read from a disc learns whether the folder, or the
// file, is one whose stamp tells every change.
TEST_F(FsTest, SettledDiscStampsTellChanges)
{
    const std::string data = t.root() + "/disc/Data";
    EXPECT_FALSE(SettledDiscFolderStamp("D:\\DATA\\PAGE1"));  // changed a moment ago
    EXPECT_FALSE(SettledDiscFileStamp("D:\\DATA\\PAGE1.BMP"));
    settle();
    const std::optional<HostStamp> stamp = SettledDiscFolderStamp("d:\\data\\page1");
    ASSERT_TRUE(stamp);
    EXPECT_EQ(SettledDiscFolderStamp("D:\\DATA\\Other"), stamp);  // the same folder
    EXPECT_FALSE(SettledDiscFolderStamp("E:\\WORK"));               // no disc
    const std::optional<HostStamp> file = SettledDiscFileStamp("d:\\data\\page1.bmp");
    ASSERT_TRUE(file);
    for (const char* none : {"D:\\DATA", "D:\\DATA\\NONE.BMP", "E:\\WORK"})
        EXPECT_FALSE(SettledDiscFileStamp(none)) << none;
    // The file rewritten in place with its times put back: its folder's
    // stamp stays as it was, the file's own does not.
    TempConfig::writeFile(data + "/Page1.BMP", "a larger bitmap");
    putTimesBack(data + "/Page1.BMP");
    EXPECT_FALSE(SettledDiscFileStamp("D:\\DATA\\PAGE1.BMP"));
    settle();
    EXPECT_EQ(SettledDiscFolderStamp("D:\\DATA\\PAGE1"), stamp);
    const std::optional<HostStamp> rewritten = SettledDiscFileStamp("D:\\DATA\\PAGE1.BMP");
    ASSERT_TRUE(rewritten);
    EXPECT_NE(*rewritten, *file);
    // A folder changed with its times put back is not settled at once.
    TempConfig::writeFile(data + "/New.dib", "");
    putTimesBack(data);
    EXPECT_FALSE(SettledDiscFolderStamp("D:\\DATA\\PAGE1"));
    settle();
    const std::optional<HostStamp> changed = SettledDiscFolderStamp("D:\\DATA\\PAGE1");
    ASSERT_TRUE(changed);
    EXPECT_NE(*changed, *stamp);
}

// A disc taken out and put back may be another with the same names and
// times: what was kept of the one before is let go.
TEST_F(FsTest, ADiscTakenOutAndPutBackIsListedAgain)
{
    const std::vector<const char*> lookup = {"D:\\DATA\\PAGE1.BMP"};
    settle();
    listingsFor(lookup);
    ASSERT_EQ(listingsFor(lookup), 0u);
    const std::uint64_t changes = DiscChanges();
    fs::rename(t.root() + "/disc", t.root() + "/away");
    EXPECT_EQ(label("D:\\"), "<" + std::to_string(ERROR_NO_DISC) + ">");
    fs::rename(t.root() + "/away", t.root() + "/disc");
    settle();
    EXPECT_EQ(label("D:\\"), "KELBO");
    EXPECT_EQ(DiscChanges(), changes + 2);
    EXPECT_EQ(listingsFor(lookup), 2u);  // the root and Data
    EXPECT_EQ(listingsFor(lookup), 0u);
}

TEST_F(FsTest, WholeFileOperations)
{
    ASSERT_TRUE(CreateDirectoryA("E:\\Target", nullptr));
    EXPECT_FALSE(CreateDirectoryA("e:\\target", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    for (const char* bad : {"E:\\Tar?et", "E:\\*", "E:\\a<b", "E:\\a>b", "E:\\a|b", "E:\\\"q\"", "E:\\tab\there"}) {
        EXPECT_FALSE(CreateDirectoryA(bad, nullptr)) << bad;
        EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME) << bad;
    }
    EXPECT_FALSE(fs::exists(t.root() + "/hd/Tar?et"));
    EXPECT_FALSE(CreateDirectoryA("", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    ASSERT_TRUE(CopyFileA("D:\\README", "E:\\TARGET\\readme.txt", 0));
    EXPECT_EQ(TempConfig::readFile(t.root() + "/hd/Target/readme.txt"), "readme");
    EXPECT_FALSE(CopyFileA("D:\\README", "E:\\target\\README.TXT", 1));
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
    EXPECT_FALSE(CopyFileA("D:\\README", "D:\\copy", 0));
    EXPECT_EQ(GetLastError(), ERROR_WRITE_PROTECTED);

    ASSERT_TRUE(SetFileAttributesA("E:\\target\\readme.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(GetFileAttributesA("E:\\target\\readme.txt") & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(CopyFileA("D:\\README", "E:\\target\\readme.txt", 0));  // read-only, whoever runs this
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(_lcreat("E:\\target\\readme.txt", 0), HFILE_ERROR);
    EXPECT_EQ(_lopen("E:\\target\\readme.txt", OF_READWRITE), HFILE_ERROR);
    EXPECT_FALSE(DeleteFileA("E:\\target\\readme.txt"));
    ASSERT_TRUE(SetFileAttributesA("E:\\target\\readme.txt", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributesA("E:\\target\\readme.txt"), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(GetFileAttributesA("E:\\target"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesA("E:\\none"), INVALID_FILE_ATTRIBUTES);

    EXPECT_FALSE(RemoveDirectoryA("E:\\target"));  // not empty
    ASSERT_TRUE(MoveFileA("E:\\target\\readme.txt", "E:\\moved.txt"));
    ASSERT_TRUE(DeleteFileA("E:\\MOVED.TXT"));
    EXPECT_FALSE(DeleteFileA("E:\\MOVED.TXT"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(RemoveDirectoryA("E:\\target"));

    char windows[MAX_PATH];
    UINT n = GetWindowsDirectoryA(windows, sizeof windows);
    EXPECT_EQ(n, 10u);
    EXPECT_STREQ(windows, "C:\\windows");
    EXPECT_EQ(GetWindowsDirectoryA(windows, 4), 11u);  // too small: the size needed
    EXPECT_EQ(GetTempPathA(sizeof windows, windows), 16u);
    EXPECT_STREQ(windows, "C:\\windows\\temp\\");
}

TEST_F(FsTest, SizesAreCappedForThirtyTwoBitCallers)
{
    DWORD spc = 0, bps = 0, freeClusters = 0, total = 0;
    ASSERT_TRUE(GetDiskFreeSpaceA("E:\\", &spc, &bps, &freeClusters, &total));
    // The installer multiplies the three in 32 bits and subtracts: never wraps.
    std::uint64_t bytes = std::uint64_t(spc) * bps * freeClusters;
    EXPECT_LE(bytes, kMaxReportedBytes);
    EXPECT_GT(bytes, 0u);
    EXPECT_FALSE(GetDiskFreeSpaceA("Q:\\", &spc, &bps, &freeClusters, &total));

    OSVERSIONINFOA version;
    ASSERT_TRUE(GetVersionExA(&version));
    EXPECT_EQ(version.dwPlatformId, VER_PLATFORM_WIN32_WINDOWS);
    EXPECT_TRUE(GetVersion() & 0x80000000u);

    MEMORYSTATUS status;
    GlobalMemoryStatus(&status);
    EXPECT_LE(status.dwTotalPhys, kMaxReportedBytes);
    EXPECT_GT(static_cast<std::int32_t>(status.dwTotalPhys >> 10), 2500);
}

}  // namespace
}  // namespace plat
