// The installation from a fake medium: files expanded and copied, the INI
// file, the registry, the menu entries and the end steps; and the faults
// of the script and the medium that must not reach outside the target.

#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>

#include "install_fixture.h"
#include "platform/config/profile.h"
#include "platform/tests/png_file.h"
#include "platform/window/window.h"
#include "setup/Installation.h"
#include "setup/SetupNames.h"
#include "setup/SetupRegistry.h"
#include "setup/StatusWindow.h"
#include "testkit/sample_title.h"

namespace {

namespace fs = std::filesystem;
using plat::testing::TempConfig;
using setup_testing::InstallTest;

std::string programBytes()
{
    std::string bytes = "MZ";
    for (int i = 0; i < 4000; ++i)
        bytes += "program code " + std::to_string(i % 61) + "\n";
    return bytes;
}

// Every file under a folder with its bytes, leaving out some subfolders.
std::map<std::string, std::string> snapshot(const std::string& root, const std::vector<std::string>& leaveOut)
{
    std::map<std::string, std::string> files;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        std::string relative = fs::relative(it->path(), root).string();
        if (std::find(leaveOut.begin(), leaveOut.end(), relative) != leaveOut.end()) {
            it.disable_recursion_pending();
            continue;
        }
        files[relative] = it->is_regular_file() ? TempConfig::readFile(it->path().string()) : "<folder>";
    }
    return files;
}

bool noteMentions(const std::string& words)
{
    const auto& notes = SetupNotes();
    return std::any_of(notes.begin(), notes.end(),
                       [&](const std::string& n) { return n.find(words) != std::string::npos; });
}

std::string desktopValue(const std::string& text, const std::string& key)
{
    std::size_t at = text.find("\n" + key + "=");
    if (at == std::string::npos)
        return {};
    at += key.size() + 2;
    return text.substr(at, text.find('\n', at) - at);
}

class InstallationTest : public InstallTest {
protected:
    // The three program files of the issue: one compressed, one plain, one
    // "$" name.
    void threeProgramFiles()
    {
        disc.exe("KELBO32.$", programBytes()).exe("README.TXT", "Read me first.\r\n").exe("TITLE.DLL", "title library " + programBytes());
        mapDisc();
        compressOnDisc(disc.installerFileHost("TITLE.DLL"));
    }
};

TEST_F(InstallationTest, AFakeMediumInstallsByteExactWithItsIniRegistryAndMenuEntries)
{
    threeProgramFiles();
    auto outsideBefore = snapshot(config.root(), {"config", "data"});

    EXPECT_EQ(install(), 0);
    EXPECT_EQ(boxes, std::vector<std::string>{"Η εγκατάσταση έγινε κανονικά"});

    EXPECT_EQ(TempConfig::readFile(target() + "/KELBO32.EXE"), programBytes()) << "the \"$\" name";
    EXPECT_EQ(TempConfig::readFile(target() + "/README.TXT"), "Read me first.\r\n");
    EXPECT_EQ(TempConfig::readFile(target() + "/TITLE.DLL"), "title library " + programBytes()) << "expanded";
    EXPECT_NE(TempConfig::readFile(disc.installerFileHost("TITLE.DLL")).substr(0, 4), "titl") << "it was compressed";
    char data[32] = {};
    plat::GetPrivateProfileStringA("Directory", "Data", "", data, sizeof data,
                                   "C:\\Jx\\Jx Multimedia\\KELBO\\kelbo32.ini");
    EXPECT_STREQ(data, "E:\\");
    EXPECT_EQ(ReadRegistryString(ProductKeyPath(), "Path"), "C:\\Jx\\Jx Multimedia\\KELBO");
    EXPECT_EQ(ReadRegistryString(ProductKeyPath(), "exelnk"), oem("Ταρνέλο.lnk"));
    EXPECT_EQ(plat::CodePageToUtf8(ReadRegistryString(UninstallKeyPath(), "DisplayName"), 1253), "Ταρνέλο");
    EXPECT_EQ(ReadRegistryString(UninstallKeyPath(), "UninstallString"), "C:\\Jx\\Jx Multimedia\\KELBO\\delete.exe");
    EXPECT_FALSE(fs::exists(target() + "/setup.inf"));
    EXPECT_FALSE(fs::exists(target() + "/Temp"));
    EXPECT_EQ(snapshot(config.root(), {"config", "data"}), outsideBefore) << "nothing else changed";

    // The menu: the program and the readme; the uninstaller, the QuickTime
    // installer and the restart are Windows steps, each named in the log.
    std::string program = TempConfig::readFile(menuFolder() + "/kelbo-program.desktop");
    std::string readme = TempConfig::readFile(menuFolder() + "/kelbo-readme.desktop");
    EXPECT_EQ(desktopValue(program, "Name"), "Ταρνέλο");
    EXPECT_EQ(desktopValue(readme, "Name"), "Διάβασέ με");
    EXPECT_EQ(desktopValue(program, "Path"), target());
    EXPECT_EQ(desktopValue(readme, "Exec"), "xdg-open \"" + target() + "/README.TXT\"");
    EXPECT_NE(desktopValue(program, "Exec").find(KELBO_ENGINE_PROGRAM), std::string::npos);
    EXPECT_EQ(snapshot(menuFolder(), {}).size(), 2u);
    for (const char* entry : {"/kelbo-program.desktop", "/kelbo-readme.desktop"}) {
        std::string command = "desktop-file-validate '" + menuFolder() + entry + "' 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << entry << " (package desktop-file-utils)";
    }
    EXPECT_TRUE(noteMentions("uninstall shortcut"));
    EXPECT_TRUE(noteMentions("QuickTime installer"));
}

// The Exec line's own quoting undone: the line is run through the shell,
// whose double quotes take the same escapes.
std::string execLine(const std::string& entry)
{
    std::string value = desktopValue(entry, "Exec"), line;
    for (std::size_t i = 0; i < value.size(); ++i)
        line += value[i] == '\\' && i + 1 < value.size() ? value[++i] : value[i];
    return line;
}

// Waits up to `seconds` for the child to end; its exit status, or -1 when
// it had to be killed.
int waitForExit(pid_t pid, int seconds)
{
    int status = 0;
    for (int i = 0; i < seconds * 20; ++i) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

TEST_F(InstallationTest, TheMenuEntryStartsTheEngineOnTheInstalledTitleAndItsFirstPage)
{
    // A title's medium brings its own INI file with the disc's volume label,
    // which the engine checks the data disc against; the installer adds Data.
    disc.exe("kelbo32.ini", "[Directory]\r\nVolumeLabel=KELBO\r\n");
    threeProgramFiles();
    ASSERT_EQ(install(), 0);
    // The title the engine runs lies beside the installed program.
    testkit::WriteSampleTitle(target());
    std::string line = execLine(TempConfig::readFile(menuFolder() + "/kelbo-program.desktop"));
    ASSERT_FALSE(line.empty());

    // The engine's configuration folder is the test's, under its usual name.
    fs::create_directories(config.root() + "/xdg");
    fs::create_directory_symlink(config.config(), config.root() + "/xdg/kelbo");
    // Once the first page is up, the run's script photographs the screen
    // and ends the program.
    std::string shot = config.root() + "/first-page.png", script = config.root() + "/look.txt";
    TempConfig::writeFile(script, "idle\nrun 500\npng " + shot + "\nquit\n");
    int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, (target() + "/kelbo32.ini").c_str(), IN_OPEN), 0);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        setenv("KELBO_BACKEND", "headless", 1);
        setenv("KELBO_SCRIPT", script.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (config.root() + "/xdg").c_str(), 1);
        if (chdir(target().c_str()) == 0)  // the entry's Path
            execl("/bin/sh", "sh", "-c", ("exec " + line).c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    EXPECT_EQ(waitForExit(pid, 60), 0) << line;
    pollfd ready{watch, POLLIN, 0};
    EXPECT_EQ(poll(&ready, 1, 0), 1) << "the engine read the installed kelbo32.ini (" << line << ")";
    close(watch);

    // The first page's panels cover the middle of the screen, where the
    // centred main window shows them over its white.
    plat::testing::PngFile screen = plat::testing::ReadPngFile(shot);
    ASSERT_GT(screen.width, 0) << "no picture of the screen at " << shot;
    plat::COLORREF middle = screen.at(screen.width / 2, screen.height / 2);
    EXPECT_NE(middle, plat::RGB(255, 255, 255)) << "the main window's white";
    EXPECT_NE(middle, screen.at(1, 1)) << "the desktop: no main window";
}

TEST_F(InstallationTest, TestModeTouchesNothing)
{
    disc.set("kelbo", "test", "1");
    threeProgramFiles();
    auto before = snapshot(config.root(), {});
    EXPECT_EQ(install(), 0);
    EXPECT_EQ(boxes, std::vector<std::string>{"Η εγκατάσταση έγινε κανονικά"});
    auto after = snapshot(config.root(), {});
    // Only the platform's own files may appear (the drive table's notes,
    // the Windows folder).
    for (const auto& [path, bytes] : after)
        EXPECT_TRUE(before.count(path) || path.rfind("config/windows", 0) == 0) << path;
    EXPECT_FALSE(fs::exists(config.config() + "/Jx"));
    EXPECT_FALSE(fs::exists(dataHome()));
}

TEST_F(InstallationTest, ACutCompressedFileFailsWithStatus29AndLeavesNoTemporaryFolder)
{
    disc.exe("KELBO32.$", programBytes());
    mapDisc();
    compressOnDisc(disc.installerFileHost("KELBO32.$"));
    std::string host = disc.installerFileHost("KELBO32.$");
    std::string packed = TempConfig::readFile(host);
    fs::remove(host);
    TempConfig::writeFile(host, packed.substr(0, packed.size() - 40));

    EXPECT_EQ(install(), 0);
    ASSERT_EQ(boxes.size(), 5u);
    EXPECT_EQ(boxes[0], "LZERROR_READ");
    EXPECT_EQ(boxes[1], "Πρόβλημα κατά την αποσυμπίεση του αρχείου: \nC:\\Jx\\Jx Multimedia\\KELBO\\Temp\\KELBO32.$");
    EXPECT_EQ(boxes[2], "Δεν μπορώ να κάνω σωστά την εγκατάσταση\nstatus=29");
    EXPECT_EQ(boxes[3], "Υπάρχει πρόβλημα με την εγκατάσταση\nstatus=15");
    EXPECT_EQ(boxes[4], "Η εγκατάσταση δεν ολοκληρώθηκε");
    EXPECT_FALSE(fs::exists(target() + "/KELBO32.EXE")) << "no short copy";
    EXPECT_FALSE(fs::exists(target() + "/Temp"));
}

TEST_F(InstallationTest, NamesThatLeaveTheirFolderAreRefused)
{
    disc.exe("A.TXT", "a").listOnly("EXES", "..\\x").listOnly("EXES", "C:\\x");
    disc.file("x", "outside the installer folder");
    mapDisc();
    EXPECT_EQ(install(), 0);
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], "Δεν μπορώ να κάνω σωστά την εγκατάσταση\nstatus=29");
    EXPECT_TRUE(fs::exists(target() + "/A.TXT"));
    EXPECT_FALSE(fs::exists(target() + "/../x"));
    EXPECT_TRUE(noteMentions("refused [EXES] \"..\\x\""));
    for (const char* name : {"..\\x", "C:x", "\\x", "/x", "a\\...\\b", ""})
        EXPECT_FALSE(IsPlainFileName(name)) << name;
    for (const char* name : {"x", "A.B.C", "SUB\\X.DLL", "..x"})
        EXPECT_TRUE(IsPlainFileName(name)) << name;
}

TEST_F(InstallationTest, AUsersOwnTempFolderInAnExistingTargetSurvives)
{
    threeProgramFiles();
    TempConfig::writeFile(target() + "/Temp/mine.txt", "the user's own");
    EXPECT_EQ(install(), 0);
    EXPECT_EQ(boxes.front(), "YesOrNoBox") << "the folder exists: go on?";
    EXPECT_EQ(boxes.back(), "Η εγκατάσταση έγινε κανονικά");
    EXPECT_EQ(TempConfig::readFile(target() + "/Temp/mine.txt"), "the user's own");
    EXPECT_EQ(snapshot(target() + "/Temp", {}).size(), 1u) << "what the installer copied there is gone";
}

TEST_F(InstallationTest, AFailedDataWriteFailsTheInstallation)
{
    threeProgramFiles();
    fs::create_directories(target() + "/kelbo32.ini");  // no file can be written there
    EXPECT_EQ(install(), 0);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1], "Υπάρχει πρόβλημα με την εγκατάσταση\nstatus=15");
    EXPECT_FALSE(fs::exists(target() + "/Temp"));
    EXPECT_FALSE(fs::exists(menuFolder()));
}

TEST_F(InstallationTest, ASharedFileAlreadyThereKeepsItsBytesAndGainsAUse)
{
    disc.set("kelbo", "diskettes", "1").exe("A.TXT", "a").dll("SHARED.DLL", "new bytes").dll("CODEC.ACM", "codec");
    disc.set("NAMES", "CODEC.ACM", "codec");
    mapDisc();
    TempConfig::writeFile(systemFolder() + "/SHARED.DLL", "old bytes");
    ASSERT_TRUE(WriteRegistryDword(kSharedDllsKey, "C:\\WINDOWS\\SYSTEM\\SHARED.DLL", 2));

    EXPECT_EQ(install(), 0);
    EXPECT_EQ(boxes.back(), "Η εγκατάσταση έγινε κανονικά");
    EXPECT_EQ(TempConfig::readFile(systemFolder() + "/SHARED.DLL"), "old bytes");
    EXPECT_EQ(ReadRegistryDword(kSharedDllsKey, "C:\\WINDOWS\\SYSTEM\\SHARED.DLL"), 3u);
    char windows[64] = {};
    plat::GetWindowsDirectoryA(windows, sizeof windows);
    EXPECT_EQ(ReadRegistryString(ProductKeyPath(), "udll01"), std::string(windows) + "\\SYSTEM\\SHARED.DLL");
    EXPECT_EQ(TempConfig::readFile(systemFolder() + "/CODEC.ACM"), "codec");
    EXPECT_EQ(ReadRegistryDword(kSharedDllsKey, "C:\\WINDOWS\\SYSTEM\\CODEC.ACM"), 1u);
    char driver[64] = {};
    plat::GetPrivateProfileStringA("drivers32", "MSACM.codec", "", driver, sizeof driver, "system.ini");
    EXPECT_STREQ(driver, "CODEC.ACM");
    EXPECT_TRUE(noteMentions("restart"));
}

std::vector<int>& positionsSeen()
{
    static std::vector<int> positions;
    return positions;
}

plat::LRESULT recordPositions(plat::HWND window, plat::UINT msg, plat::WPARAM wParam, plat::LPARAM lParam)
{
    if (msg == kStatusSetPosition)
        positionsSeen().push_back(int(wParam));
    return plat::DefWindowProcA(window, msg, wParam, lParam);
}

TEST_F(InstallationTest, WithThreeProgramFilesTheProgressGoesTo2Then3Then4)
{
    disc.set("EXES", "max", "3").exe("A", "a").exe("B", "b").exe("C", "c");
    mapDisc();
    ResetSetup();
    ::Setup().scriptPath = "E:\\SETUP\\setup.inf";
    plat::WNDCLASSA recorder;
    recorder.lpfnWndProc = &recordPositions;
    recorder.lpszClassName = "PositionRecorder";
    ASSERT_NE(plat::RegisterClassA(recorder), 0);
    ::Setup().statusWindow = plat::CreateWindowExA(0, "PositionRecorder", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                                                   nullptr, nullptr);
    positionsSeen().clear();
    ASSERT_TRUE(fs::create_directories(config.config() + "/out"));
    EXPECT_EQ(CopyListedFiles(nullptr, "EXES", "E:\\SETUP", "C:\\out", 29), 1);
    EXPECT_EQ(positionsSeen(), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(TempConfig::readFile(config.config() + "/out/C"), "c");
    plat::DestroyWindow(::Setup().statusWindow);
    plat::UnregisterClassA("PositionRecorder", nullptr);
}

}  // namespace
