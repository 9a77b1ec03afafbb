// Starting programs from a command line and finding the program of a
// document, over a drive table of the test's own; launches are recorded,
// except where a real program must see its arguments.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/fs/errors.h"
#include "platform/fs/find.h"
#include "platform/modules/module.h"
#include "platform/shell/shell.h"
#include "platform/tests/temp_config.h"

namespace {

using namespace plat;
using plat::testing::TempConfig;

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        config.writeDriveTable("[Drive D]\nPath=" + config.root() + "/disc\nType=fixed\n");
        std::filesystem::create_directories(config.root() + "/disc");
        SetProgramLauncher([this](const ProgramLaunch& launch) {
            launches.push_back(launch);
            return launchWorks;
        });
    }
    void TearDown() override { SetProgramLauncher({}); }

    std::string file(const std::string& name, const std::string& text = "", bool executable = false) const
    {
        const std::string host = config.root() + "/disc/" + name;
        TempConfig::writeFile(host, text);
        if (executable)
            ::chmod(host.c_str(), 0755);
        return host;
    }
    static std::uintptr_t code(HINSTANCE result) { return reinterpret_cast<std::uintptr_t>(result); }

    TempConfig config;
    std::vector<ProgramLaunch> launches;
    bool launchWorks = true;
};

TEST_F(ShellTest, TheRestOfTheLineIsOneArgumentAndAFileIsGivenAsItsHostPath)
{
    const std::string browser = file("My Programs/web browser", "", true);
    const std::string page = file("Pages/index.htm");
    EXPECT_GT(WinExec("D:\\My Programs\\web browser http://a.example/x y;z", 5), 31u);
    EXPECT_GT(WinExec("\"D:\\My Programs\\web browser\"   D:\\pages\\INDEX.HTM", 5), 31u);
    EXPECT_GT(WinExec("D:\\My Programs\\web browser", 5), 31u);
    ASSERT_EQ(launches.size(), 3u);
    EXPECT_EQ(launches[0].program, browser);
    EXPECT_FALSE(launches[0].searchPath);
    EXPECT_EQ(launches[0].arguments, std::vector<std::string>{"http://a.example/x y;z"});
    EXPECT_EQ(launches[1].arguments, std::vector<std::string>{page});
    EXPECT_TRUE(launches[2].arguments.empty());
}

TEST_F(ShellTest, AProgramThatCannotBeStartedIsReported)
{
    file("readme.txt");
    EXPECT_EQ(WinExec("D:\\missing.exe http://a/", 5), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(WinExec("D:\\no\\such\\folder\\x.exe", 5), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(WinExec("D:\\readme.txt", 5), ERROR_BAD_FORMAT) << "not executable";
    EXPECT_EQ(WinExec("", 5), 0u);
    EXPECT_EQ(WinExec(nullptr, 5), 0u);
    EXPECT_TRUE(launches.empty());
    file("prog", "", true);
    launchWorks = false;
    EXPECT_LE(WinExec("D:\\prog", 5), 31u);
}

TEST_F(ShellTest, WebDocumentsAreOpenedByTheDesktopsOpener)
{
    file("page.HTML");
    file("link.url");
    file("notes.txt");
    char program[MAX_PATH] = "junk";
    EXPECT_GT(code(FindExecutableA("D:\\page.html", nullptr, program)), 32u);
    EXPECT_STREQ(program, "C:\\windows\\xdg-open");
    EXPECT_GT(code(FindExecutableA("link.url", "D:\\", program)), 32u);
    EXPECT_GT(code(FindExecutableA("https://example.com/", nullptr, program)), 32u);
    EXPECT_TRUE(std::filesystem::exists(config.config() + "/windows/xdg-open"));

    EXPECT_EQ(code(FindExecutableA("D:\\notes.txt", nullptr, program)), SE_ERR_NOASSOC);
    EXPECT_STREQ(program, "");
    EXPECT_EQ(code(FindExecutableA("D:\\gone.htm", nullptr, program)), SE_ERR_FNF);
    EXPECT_EQ(code(FindExecutableA("D:\\gone\\a.htm", nullptr, program)), SE_ERR_PNF);
    EXPECT_EQ(code(FindExecutableA("D:\\", nullptr, program)), SE_ERR_FNF);

    // The opener's stand-in starts xdg-open from the search path, and comes
    // back when it was removed.
    std::filesystem::remove(config.config() + "/windows/xdg-open");
    ASSERT_GT(code(FindExecutableA("D:\\page.html", nullptr, program)), 32u);
    EXPECT_GT(WinExec((std::string(program) + " D:\\page.html").c_str(), 5), 31u);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].program, "xdg-open");
    EXPECT_TRUE(launches[0].searchPath);
    EXPECT_EQ(launches[0].arguments, std::vector<std::string>{config.root() + "/disc/page.HTML"});
}

TEST_F(ShellTest, WithoutTheDesktopsOpenerOnThePathWebDocumentsHaveNoProgram)
{
    file("page.html");
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (config.root() + "/disc").c_str(), 1);  // no xdg-open there
    char program[MAX_PATH] = "junk";
    const auto web = code(FindExecutableA("D:\\page.html", nullptr, program));
    const auto address = code(FindExecutableA("https://example.com/", nullptr, program));
    ::setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(web, SE_ERR_NOASSOC);
    EXPECT_EQ(address, SE_ERR_NOASSOC);
    EXPECT_STREQ(program, "");
}

TEST_F(ShellTest, TheFileTitleIsTheNameAfterTheLastSeparator)
{
    char title[9];
    EXPECT_EQ(GetFileTitleA("C:\\WINDOWS\\xdg-open", title, sizeof title), 0);
    EXPECT_STREQ(title, "xdg-open") << "9 bytes hold 8 characters and the terminator";
    EXPECT_EQ(GetFileTitleA("D:a.b", title, sizeof title), 0);
    EXPECT_STREQ(title, "a.b");
    EXPECT_EQ(GetFileTitleA("D:/x/y/z", title, sizeof title), 0);
    EXPECT_STREQ(title, "z");
    EXPECT_EQ(GetFileTitleA("C:\\programs\\netscape.exe", title, sizeof title), 13);
    EXPECT_EQ(GetFileTitleA("C:\\WINDOWS\\", title, sizeof title), -1);
    EXPECT_EQ(GetFileTitleA("", title, sizeof title), -1);
    EXPECT_EQ(GetFileTitleA(nullptr, title, sizeof title), -1);
}

TEST_F(ShellTest, ARealProgramGetsTheLineAsOneArgumentWithoutAShell)
{
    SetProgramLauncher({});
    const std::string out = config.root() + "/args.txt";
    const std::string marker = config.root() + "/x";
    file("show-args", "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > '" + out + "'\n", true);
    const std::string argument = "http://a/?q=1 2;$(touch " + marker + ")|touch " + marker + "&'\"";
    ASSERT_GT(WinExec(("D:\\show-args " + argument).c_str(), 5), 31u);
    WaitForStartedPrograms();
    EXPECT_EQ(TempConfig::readFile(out), "1\n" + argument + "\n");
    EXPECT_FALSE(std::filesystem::exists(marker));
}

// A stand-in library as tests register it, found by its name and gone
// again when taken away.
int standInEntry() { return 42; }

TEST_F(ShellTest, ARegisteredStandInLibraryLoadsByNameUntilItIsTakenAway)
{
    EXPECT_EQ(LoadLibraryA("LAUNCH32.DLL"), nullptr);
    RegisterBuiltinLibrary("LAUNCH32", {{"Entry", reinterpret_cast<FARPROC>(&standInEntry)}});
    HMODULE m = LoadLibraryA("launch32.dll");
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(GetProcAddress(m, "Entry"), reinterpret_cast<FARPROC>(&standInEntry));
    EXPECT_EQ(GetProcAddress(m, "Missing"), nullptr);
    EXPECT_TRUE(FreeLibrary(m));
    RegisterBuiltinLibrary("LAUNCH32", {});
    EXPECT_EQ(LoadLibraryA("LAUNCH32.DLL"), nullptr);
    EXPECT_NE(LoadLibraryA("VERSION.DLL"), nullptr) << "the built-in library stays";
}

}  // namespace
