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
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <thread>

#include "install_fixture.h"
#include "platform/audio/wave_decoder.h"
#include "platform/config/profile.h"
#include "platform/movie/ffmpeg_module.h"
#include "platform/tests/built_ffmpeg_module.h"
#include "platform/tests/colour_movies.h"
#include "platform/tests/ima_sound.h"
#include "platform/tests/png_file.h"
#include "platform/window/window.h"
#include "setup/Installation.h"
#include "setup/SetupMainWindow.h"
#include "setup/SetupNames.h"
#include "setup/SetupRegistry.h"
#include "setup/StatusWindow.h"
#include "platform/fs/atomic_file.h"
#include "testkit/installed_title.h"

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
    // A resource library named in [EXES] comes whole, as the folder the
    // engine loads.
    disc.listOnly("EXES", "title.resources")
        .file("SETUP/title.resources/module.ini", "[Module]\r\nCodePage=1253\r\n")
        .file("SETUP/title.resources/bitmap/1908.bmp", "BM picture");
    threeProgramFiles();
    auto outsideBefore = snapshot(config.root(), {"config", "data"});

    EXPECT_EQ(install(), 0);
    EXPECT_EQ(boxes, std::vector<std::string>{"Η εγκατάσταση έγινε κανονικά"});

    EXPECT_EQ(TempConfig::readFile(target() + "/KELBO32.EXE"), programBytes()) << "the \"$\" name";
    EXPECT_EQ(TempConfig::readFile(target() + "/README.TXT"), "Read me first.\r\n");
    EXPECT_EQ(TempConfig::readFile(target() + "/TITLE.DLL"), "title library " + programBytes()) << "expanded";
    EXPECT_NE(TempConfig::readFile(disc.installerFileHost("TITLE.DLL")).substr(0, 4), "titl") << "it was compressed";
    EXPECT_EQ(TempConfig::readFile(target() + "/title.resources/bitmap/1908.bmp"), "BM picture");
    EXPECT_EQ(snapshot(target() + "/title.resources", {}).size(), 3u);
    char data[32] = {}, label[32] = {};
    const char* ini = "C:\\Jx\\Jx Multimedia\\KELBO\\kelbo32.ini";
    plat::GetPrivateProfileStringA("Directory", "Data", "", data, sizeof data, ini);
    EXPECT_STREQ(data, "E:\\");
    plat::GetPrivateProfileStringA("Directory", "VolumeLabel", "", label, sizeof label, ini);
    EXPECT_STREQ(label, "KELBO") << "the disc the title checks for";
    EXPECT_EQ(ReadRegistryString(ProductKeyPath(), "Path"), "C:\\Jx\\Jx Multimedia\\KELBO");
    EXPECT_EQ(ReadRegistryString(ProductKeyPath(), "exelnk"), oem("Ταρνέλο.lnk"));
    EXPECT_EQ(plat::CodePageToUtf8(ReadRegistryString(UninstallKeyPath(), "DisplayName"), 1253), "Ταρνέλο");
    EXPECT_EQ(ReadRegistryString(UninstallKeyPath(), "UninstallString"), "C:\\Jx\\Jx Multimedia\\KELBO\\delete.exe");
    EXPECT_FALSE(fs::exists(target() + "/setup.inf"));
    EXPECT_FALSE(fs::exists(target() + "/Temp"));
    EXPECT_EQ(snapshot(config.root(), {"config", "data"}), outsideBefore) << "nothing else changed";

    // The menu: the program and the readme; the uninstaller, the QuickTime
    // installer and the restart are Windows steps, each named in the log.
    std::string program = TempConfig::readFile(menuFolder() + "/Ταρνέλο.desktop");
    std::string readme = TempConfig::readFile(menuFolder() + "/Διάβασέ με.desktop");
    EXPECT_EQ(desktopValue(program, "Name"), "Ταρνέλο");
    EXPECT_EQ(desktopValue(readme, "Name"), "Διάβασέ με");
    EXPECT_EQ(desktopValue(program, "Path"), target());
    EXPECT_EQ(desktopValue(readme, "Exec"), "xdg-open \"" + target() + "/README.TXT\"");
    EXPECT_NE(desktopValue(program, "Exec").find(KELBO_ENGINE_PROGRAM), std::string::npos);
    EXPECT_EQ(desktopValue(program, "TryExec"), KELBO_ENGINE_PROGRAM) << "hidden while the engine is missing";
    EXPECT_EQ(desktopValue(readme, "TryExec"), "xdg-open");
    EXPECT_EQ(snapshot(menuFolder(), {}).size(), 2u);
    for (const char* entry : {"/Ταρνέλο.desktop", "/Διάβασέ με.desktop"}) {
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

// What the loader says it loaded, from LD_DEBUG's files in `folder`.
std::string loaderLog(const std::string& folder)
{
    std::string log;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().rfind("ld.", 0) == 0)
            log += TempConfig::readFile(entry.path().string());
    return log;
}

// Pixels of the first picture that differ from the second's, or (without
// a second) that are near the colour.
int countPixels(const plat::testing::PngFile& a, const plat::testing::PngFile* b, plat::COLORREF colour = 0)
{
    auto near = [colour](plat::COLORREF c) {
        return std::abs(plat::GetRValue(c) - plat::GetRValue(colour)) < 24 &&
               std::abs(plat::GetGValue(c) - plat::GetGValue(colour)) < 24 &&
               std::abs(plat::GetBValue(c) - plat::GetBValue(colour)) < 24;
    };
    int count = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            count += b ? (y < b->height && x < b->width && a.at(x, y) != b->at(x, y)) : near(a.at(x, y));
    return count;
}

TEST_F(InstallationTest, TheSampleTitleInstalledFromItsMediumPlaysItsGalleryFromItsMenuEntry)
{
    if (!plat::testing::HaveFfmpegProgram())
        GTEST_SKIP() << "the build made no movie: the ffmpeg program is not installed (scripts/dev installs it)";
    // The medium as users make it.
    std::string tool = std::string(KELBO_SAMPLE_TITLE_TOOL) + " --medium '" + disc.hostRoot() + "' >/dev/null";
    ASSERT_EQ(std::system(tool.c_str()), 0) << tool;
    config.writeDriveTable(disc.driveSection('E'));
    ASSERT_EQ(install(), 0);
    EXPECT_EQ(boxes, std::vector<std::string>{"Η εγκατάσταση έγινε κανονικά"});

    // What an installation holds, and nothing of the disc's part; the
    // movie library expanded byte for byte.
    for (const auto& [name, bytes] : snapshot(target(), {"kelbores.resources"}))
        EXPECT_TRUE(name == "KELBO32.EXE" || name == "README.TXT" || testkit::IsInstalledFile(name)) << name;
    ASSERT_TRUE(fs::is_directory(target() + "/kelbores.resources"));
    EXPECT_EQ(snapshot(target() + "/kelbores.resources", {}),
              snapshot(disc.installerFileHost("kelbores.resources"), {}));
    EXPECT_FALSE(fs::exists(target() + "/DATA.MNG"));
    const std::string library = target() + "/libkelbo_ffmpeg.so";
    ASSERT_TRUE(fs::exists(library));
    EXPECT_TRUE(TempConfig::readFile(library) == TempConfig::readFile(KELBO_FFMPEG_MODULE_BUILT));
    std::string line = execLine(TempConfig::readFile(menuFolder() + "/Kelbo Sample.desktop"));
    ASSERT_FALSE(line.empty());

    // The engine's configuration folder is the test's, under its usual name.
    fs::create_directories(config.root() + "/xdg");
    fs::create_directory_symlink(config.config(), config.root() + "/xdg/kelbo");
    // The entry's command opens the gallery; the run's script photographs
    // the screen twice while its movie plays and ends the program; a box
    // that nobody answers would end it with 3. The loader names each file
    // it loads.
    const std::string shots = config.root() + "/shot", script = config.root() + "/look.txt";
    const std::string errors = config.root() + "/stderr.txt", loader = config.root() + "/loader";
    fs::create_directories(loader);
    TempConfig::writeFile(script, "idle\nrun 1000\npng " + shots + "1.png\nrun 700\npng " + shots + "2.png\nquit\n");
    int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, (target() + "/kelbo32.ini").c_str(), IN_OPEN), 0);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        setenv("KELBO_BACKEND", "headless", 1);
        setenv("KELBO_SCRIPT", script.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (config.root() + "/xdg").c_str(), 1);
        setenv("LD_DEBUG", "files", 1);
        setenv("LD_DEBUG_OUTPUT", (loader + "/ld").c_str(), 1);
        if (freopen(errors.c_str(), "w", stderr) && chdir(target().c_str()) == 0)  // the entry's Path
            execl("/bin/sh", "sh", "-c", ("exec " + line + " /start=4").c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    EXPECT_EQ(waitForExit(pid, 60), 0) << line << "\n" << TempConfig::readFile(errors);
    pollfd ready{watch, POLLIN, 0};
    EXPECT_EQ(poll(&ready, 1, 0), 1) << "the engine read the installed kelbo32.ini (" << line << ")";
    close(watch);

    // The movie library the engine loaded is the installed one, not the
    // build's beside the engine.
    const std::string loaded = loaderLog(loader);
    EXPECT_NE(loaded.find("file=" + library), std::string::npos) << "the installed movie library was loaded";
    EXPECT_EQ(loaded.find("file=" + std::string(KELBO_FFMPEG_MODULE_BUILT)), std::string::npos);
    // The movie's colour bars (yellow and magenta, which the page has
    // nowhere) are on the screen, and its frames move between the pictures.
    plat::testing::PngFile first = plat::testing::ReadPngFile(shots + "1.png");
    plat::testing::PngFile second = plat::testing::ReadPngFile(shots + "2.png");
    ASSERT_GT(first.width, 0) << "no picture of the screen at " << shots << "1.png";
    EXPECT_GT(countPixels(first, nullptr, plat::RGB(255, 255, 0)), 1000) << "the gallery's movie shows";
    EXPECT_GT(countPixels(first, nullptr, plat::RGB(255, 0, 255)), 1000);
    EXPECT_GT(countPixels(first, &second), 500) << "the gallery's movie plays";

    // ... and it decodes the title's ADPCM sounds.
    plat::SetFfmpegModulePath(library);
    std::vector<std::int16_t> samples;
    plat::WaveDecoder::Create(*plat::DescribeWaveFormat(plat::testing::ImaFormat()))
        ->decode(plat::testing::NoisyImaBlocks(2), samples);
    plat::testing::UseBuiltFfmpegModule();
    EXPECT_EQ(samples.size(), 130u);
    EXPECT_TRUE(std::any_of(samples.begin(), samples.end(), [](std::int16_t s) { return s != 0; }));
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

// Everything under the test's folder but the platform's own files, which
// reading the registry and the Windows folder may make.
std::map<std::string, std::string> userFiles(const TempConfig& config)
{
    return snapshot(config.root(), {"config/windows", "config/registry"});
}

TEST_F(InstallationTest, ACutCompressedFileOrOneOfTheWrongLengthFailsWithStatus29AndIsTakenBack)
{
    // A program-files folder with a Greek name: the boxes show paths as
    // they are and convert only their own texts.
    const std::string programFiles = "C:\\" + plat::Utf8ToCodePage("Προγράμματα", 1253);
    ASSERT_TRUE(WriteRegistryString("Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", programFiles));
    disc.exe("A.TXT", "a").exe("KELBO32.$", programBytes());
    mapDisc();
    compressOnDisc(disc.installerFileHost("KELBO32.$"));
    const std::string host = disc.installerFileHost("KELBO32.$");
    const std::string packed = TempConfig::readFile(host);
    // The header's length (bytes 10 to 13) one short or one long.
    auto withLength = [&packed](std::size_t length) {
        std::string bytes = packed;
        for (int i = 0; i < 4; ++i)
            bytes[std::size_t(10 + i)] = char((length >> (8 * i)) & 0xFF);
        return bytes;
    };
    const std::pair<const char*, std::string> damages[] = {
        {"cut", packed.substr(0, packed.size() - 40)},
        {"header one byte short", withLength(programBytes().size() - 1)},
        {"header one byte long", withLength(programBytes().size() + 1)},
    };
    for (const auto& [what, bytes] : damages) {
        SCOPED_TRACE(what);
        ResetSetup();
        boxes.clear();
        fs::remove(host);
        TempConfig::writeFile(host, bytes);
        auto before = userFiles(config);

        EXPECT_EQ(install(), 0);
        ASSERT_EQ(boxes.size(), 5u);
        EXPECT_EQ(boxes[0], "LZERROR_READ");
        EXPECT_EQ(boxes[1], "Πρόβλημα κατά την αποσυμπίεση του αρχείου: \nC:\\Προγράμματα\\Jx Multimedia\\KELBO\\Temp\\KELBO32.$");
        EXPECT_EQ(boxes[2], "Δεν μπορώ να κάνω σωστά την εγκατάσταση\nstatus=29");
        EXPECT_EQ(boxes[3], "Υπάρχει πρόβλημα με την εγκατάσταση\nstatus=15");
        EXPECT_EQ(boxes[4], "Η εγκατάσταση δεν ολοκληρώθηκε");
        EXPECT_EQ(userFiles(config), before) << "the target tree, A.TXT and the temporary folder are gone";
    }
}

TEST_F(InstallationTest, NamesThatLeaveTheirFolderAreRefusedAsThePlatformReadsThem)
{
    // Each entry takes the file the one before put in place, one folder up:
    // with trailing blanks, which the platform drops, the chain climbed out
    // of the target.
    disc.exe("A.TXT", "a").listOnly("EXES", ".. \\A.TXT").listOnly("EXES", ".. \\.. \\A.TXT");
    mapDisc();
    auto before = userFiles(config);
    EXPECT_EQ(install(), 0);
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], "Το αρχείο θα γραφόταν έξω από τον κατάλογο προορισμού:\n.. \\A.TXT");
    EXPECT_EQ(boxes[1], "Δεν μπορώ να κάνω σωστά την εγκατάσταση\nstatus=29");
    EXPECT_EQ(userFiles(config), before) << "nothing outside the target, and the target taken back";
    EXPECT_TRUE(noteMentions("refused [EXES] \".. \\A.TXT\""));
    for (const char* name : {"..\\x", ".. \\x", "... \\x", "a\\. \\..\\..\\x", "x\\..  ", "C:x", "\\x", "/x", "a\\\\b",
                             "x\\", ""})
        EXPECT_FALSE(IsPlainFileName(name)) << name;
    for (const char* name : {"x", "A.B.C", "SUB\\X.DLL", "..x", "x. ", "title.resources"})
        EXPECT_TRUE(IsPlainFileName(name)) << name;
}

TEST_F(InstallationTest, AUsersTempInTheTargetIsNeverWrittenIntoNorEmptied)
{
    threeProgramFiles();
    const std::string elsewhere = config.root() + "/elsewhere";
    TempConfig::writeFile(elsewhere + "/README.TXT", "the user's own");
    for (bool link : {false, true}) {
        SCOPED_TRACE(link ? "Temp is a link to a folder outside" : "Temp is the user's folder");
        ResetSetup();
        boxes.clear();
        fs::remove_all(target());
        fs::create_directories(target());
        if (link)
            fs::create_directory_symlink(elsewhere, target() + "/Temp");
        else
            TempConfig::writeFile(target() + "/Temp/README.TXT", "the user's own");

        EXPECT_EQ(install(), 0);
        EXPECT_EQ(boxes.back(), "Η εγκατάσταση έγινε κανονικά");
        EXPECT_EQ(TempConfig::readFile(target() + "/README.TXT"), "Read me first.\r\n");
        // The user's Temp holds what it held, and the installer's own is gone.
        EXPECT_EQ(snapshot(target() + "/Temp/", {}), (std::map<std::string, std::string>{{"README.TXT", "the user's own"}}));
        EXPECT_EQ(snapshot(elsewhere, {}), (std::map<std::string, std::string>{{"README.TXT", "the user's own"}}));
        EXPECT_FALSE(fs::exists(target() + "/Temp1"));
    }
}

TEST_F(InstallationTest, ALinkPlantedInTheTargetDuringTheCopyLeadsNoWriteNorRemovalOutside)
{
    // The user's own folder, which the link will point at, holds a file of
    // the name the run gave one of its own.
    const std::string outside = config.root() + "/outside", moved = config.root() + "/moved";
    TempConfig::writeFile(outside + "/bitmap/1908.bmp", "the user's picture");
    disc.listOnly("EXES", "title.resources")
        .file("SETUP/title.resources/bitmap/1908.bmp", "BM picture")
        .exe("A.TXT", "a")
        .listOnly("EXES", "title.resources\\B.TXT");
    mapDisc();
    // As A.TXT is written, another process of the user's moves the library
    // the run made out of the target and puts a link to its folder there.
    plat::SetWriteFaultHook([&](const std::string& host, std::size_t) {
        const std::string library = target() + "/title.resources";
        if (host.size() > 11 && host.compare(host.size() - 11, 11, "KELBO/A.TXT") == 0 && !fs::is_symlink(library)) {
            fs::rename(library, moved);
            fs::create_directory_symlink(outside, library);
        }
        return 0;
    });
    const auto outsideBefore = snapshot(outside, {});

    EXPECT_EQ(install(), 0);
    plat::SetWriteFaultHook(nullptr);
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], "Το αρχείο θα γραφόταν έξω από τον κατάλογο προορισμού:\ntitle.resources\\B.TXT");
    EXPECT_EQ(boxes.back().substr(0, boxes.back().find('\n')), "Η εγκατάσταση δεν ολοκληρώθηκε");
    EXPECT_EQ(snapshot(outside, {}), outsideBefore) << "nothing written or removed through the link";
    EXPECT_EQ(snapshot(moved, {}),
              (std::map<std::string, std::string>{{"bitmap", "<folder>"}, {"bitmap/1908.bmp", "BM picture"}}))
        << "what the run made, once out of the target, is no longer the run's to remove";
    EXPECT_FALSE(fs::exists(target() + "/A.TXT"));
}

TEST_F(InstallationTest, AResourceLibraryOnTheMediumIsTakenOnlyFromTheMedium)
{
    const std::string outside = config.root() + "/private";
    TempConfig::writeFile(outside + "/secret.txt", "the user's own");
    disc.exe("A.TXT", "a").file("LIBS/title.resources/module.ini", "[Module]\r\n");
    mapDisc();
    const std::string link = disc.installerFileHost("title.resources");
    for (bool offTheMedium : {true, false}) {
        SCOPED_TRACE(offTheMedium ? "a link off the medium" : "a link to another folder of the medium");
        ResetSetup();
        boxes.clear();
        fs::remove(link);
        fs::create_directory_symlink(offTheMedium ? outside : disc.hostRoot() + "/LIBS/title.resources", link);
        const auto before = userFiles(config);

        EXPECT_EQ(install(), 0);
        if (offTheMedium) {
            EXPECT_EQ(boxes, (std::vector<std::string>{"Υπάρχει πρόβλημα με το αρχείο\nE:\\SETUP\\title.resources",
                                                       "Δεν μπορώ να κάνω σωστά την εγκατάσταση\nstatus=135",
                                                       "Υπάρχει πρόβλημα με την εγκατάσταση\nstatus=15",
                                                       "Η εγκατάσταση δεν ολοκληρώθηκε"}));
            EXPECT_EQ(userFiles(config), before) << "nothing of the user's folder reached the target";
            EXPECT_TRUE(noteMentions("refused to read \"E:\\SETUP\\title.resources\""));
        } else {
            EXPECT_EQ(boxes, std::vector<std::string>{"Η εγκατάσταση έγινε κανονικά"});
            EXPECT_EQ(TempConfig::readFile(target() + "/title.resources/module.ini"), "[Module]\r\n");
        }
    }
}

TEST_F(InstallationTest, AFailedDataWriteFailsTheInstallationAndTakesBackTheRegistry)
{
    threeProgramFiles();
    fs::create_directories(target() + "/kelbo32.ini");  // no file can be written there
    TempConfig::writeFile(target() + "/README.TXT", "an older readme");
    EXPECT_EQ(install(), 0);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1], "Υπάρχει πρόβλημα με την εγκατάσταση\nstatus=15");
    // The readme the run replaced cannot come back: the final box names it.
    EXPECT_EQ(boxes[2], "Η εγκατάσταση δεν ολοκληρώθηκε\n\nΑπό την εγκατάσταση μένουν:\n"
                        "C:\\Jx\\Jx Multimedia\\KELBO\\README.TXT");
    EXPECT_FALSE(fs::exists(target() + "/Temp"));
    EXPECT_FALSE(fs::exists(menuFolder()));
    EXPECT_EQ(snapshot(target(), {}).size(), 2u) << "only the user's kelbo32.ini folder and the named readme stay";
    plat::HKEY key = nullptr;
    EXPECT_NE(plat::RegOpenKeyExA(plat::HKEY_LOCAL_MACHINE, "Software\\Jx Multimedia", 0, plat::KEY_READ, &key), 0);
    EXPECT_EQ(ReadRegistryString(UninstallKeyPath(), "UninstallString"), "");
}

TEST_F(InstallationTest, AMissingOrDamagedScriptIsRefusedBeforeAnythingIsWritten)
{
    disc.exe("A.TXT", "a");
    mapDisc();
    const std::string script = disc.installerFileHost("setup.inf");
    std::string noise;
    for (int i = 0; i < 4096; ++i)
        noise += char((i * 7919 + 13) % 251);
    const std::vector<std::pair<const char*, std::function<void()>>> damages = {
        {"missing", [] {}},
        {"random bytes", [&] { TempConfig::writeFile(script, noise); }},
        {"a folder", [&] { fs::create_directory(script); }},
        {"no [kelbo] section", [&] { TempConfig::writeFile(script, "[EXES]\r\nfile1=A.TXT\r\n"); }},
    };
    for (const auto& [what, damage] : damages) {
        SCOPED_TRACE(what);
        ResetSetup();
        boxes.clear();
        pages = 0;
        fs::remove_all(script);
        damage();
        auto before = userFiles(config);
        EXPECT_EQ(install(), 0);
        EXPECT_EQ(pages, 0) << "no page of the wizard";
        EXPECT_EQ(boxes, std::vector<std::string>{"Το αρχείο setup.inf λείπει ή είναι κατεστραμμένο:\nE:\\SETUP\\setup.inf"});
        EXPECT_EQ(userFiles(config), before);
        EXPECT_EQ(ReadRegistryString(ProductKeyPath(), "Path"), "");
    }
}

TEST_F(InstallationTest, ClosingTheWindowDuringTheCopyWaitsForTheInstallation)
{
    threeProgramFiles();
    confirmExit = true;  // whoever asks "exit?" is told yes
    // As Next starts the copy the user presses the close box, Alt+F4 on the
    // page and Cancel.
    beforeAnswer = [](const plat::UiRequest& r) {
        if (r.templateName != "DIALOG4")
            return;
        plat::HWND main = plat::FindWindowA(kMainClassName, nullptr);
        plat::PostMessageA(main, plat::WM_SYSCOMMAND, plat::SC_CLOSE, 0);
        plat::PostMessageA(r.window, plat::WM_SYSCOMMAND, plat::SC_CLOSE, 0);
        plat::PostMessageA(r.window, plat::WM_COMMAND, 2, 0);
        plat::PostMessageA(main, plat::WM_CLOSE, 1, 0);
    };
    EXPECT_EQ(install(), 0);
    EXPECT_EQ(boxes, std::vector<std::string>{"Η εγκατάσταση έγινε κανονικά"}) << "nothing asked, nothing damaged";
    EXPECT_EQ(TempConfig::readFile(target() + "/TITLE.DLL"), "title library " + programBytes());
    EXPECT_FALSE(fs::exists(target() + "/Temp"));
}

TEST_F(InstallationTest, AFullDiskDuringTheExpansionIsNamedAsSuch)
{
    threeProgramFiles();
    plat::SetWriteFaultHook([](const std::string& host, std::size_t written) {
        return host.find("/KELBO/KELBO32.EXE") != std::string::npos && written > 0 ? ENOSPC : 0;
    });
    EXPECT_EQ(install(), 0);
    plat::SetWriteFaultHook({});
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0], "Ο δίσκος είναι γεμάτος:\nC:\\");
    EXPECT_EQ(boxes[1], "Δεν μπορώ να κάνω σωστά την εγκατάσταση\nstatus=29");
    EXPECT_FALSE(fs::exists(config.config() + "/Jx"));
}

TEST_F(InstallationTest, TwoTitlesKeepTheirOwnMenuEntries)
{
    threeProgramFiles();
    ASSERT_EQ(install(), 0);
    // A second title of the same maker, into a folder of its own.
    disc.set("kelbo", "exelnk", oem("Άλλος τίτλος.lnk"));
    fs::permissions(disc.installerFileHost("setup.inf"), fs::perms::owner_write, fs::perm_options::add);
    disc.write();
    ResetSetup();
    ASSERT_TRUE(WriteRegistryString("Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", "C:\\Other"));
    ASSERT_EQ(install(), 0);
    std::string first = TempConfig::readFile(menuFolder() + "/Ταρνέλο.desktop");
    std::string second = TempConfig::readFile(menuFolder() + "/Άλλος τίτλος.desktop");
    EXPECT_EQ(desktopValue(first, "Path"), target());
    EXPECT_EQ(desktopValue(second, "Path"), config.config() + "/Other/Jx Multimedia/KELBO");
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
    ::Setup().targetFolder = "C:\\out";
    EXPECT_EQ(CopyListedFiles(nullptr, "EXES", "E:\\SETUP", "C:\\out", 29), 1);
    EXPECT_EQ(positionsSeen(), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(TempConfig::readFile(config.config() + "/out/C"), "c");
    plat::DestroyWindow(::Setup().statusWindow);
    plat::UnregisterClassA("PositionRecorder", nullptr);
}

}  // namespace

// The registry cannot be written (its disk is full) and a shared file is
// missing: the run fails and takes back what it made; what it never
// changed (keys it could not create, a count it could not raise) is not
// named as left behind.
TEST_F(InstallationTest, WhatAFailedRunNeverChangedIsNotNamedAsLeftBehind)
{
    disc.set("kelbo", "diskettes", "1").exe("A.TXT", "a").dll("SHARED.DLL", "new bytes").listOnly("DLLS", "MISSING.DLL");
    mapDisc();
    TempConfig::writeFile(systemFolder() + "/SHARED.DLL", "old bytes");
    ASSERT_TRUE(WriteRegistryDword(kSharedDllsKey, "C:\\WINDOWS\\SYSTEM\\SHARED.DLL", 2));
    auto before = userFiles(config);
    plat::SetWriteFaultHook(
        [](const std::string& host, std::size_t) { return host.find("/registry/") != std::string::npos ? ENOSPC : 0; });
    EXPECT_EQ(install(), 0);
    plat::SetWriteFaultHook(nullptr);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back(), "Η εγκατάσταση δεν ολοκληρώθηκε");
    EXPECT_EQ(userFiles(config), before);
    EXPECT_EQ(ReadRegistryDword(kSharedDllsKey, "C:\\WINDOWS\\SYSTEM\\SHARED.DLL"), 2u);
}

// A fresh emulated Windows folder has no system folder yet: the shared
// files go there all the same, as into the one every Windows has.
TEST_F(InstallationTest, SharedFilesReachAFreshSystemFolder)
{
    disc.set("kelbo", "diskettes", "1").exe("A.TXT", "a").dll("CODEC.ACM", "codec");
    mapDisc();
    ASSERT_FALSE(fs::exists(systemFolder()));
    EXPECT_EQ(install(), 0);
    EXPECT_EQ(boxes.back(), "Η εγκατάσταση έγινε κανονικά");
    EXPECT_EQ(TempConfig::readFile(systemFolder() + "/CODEC.ACM"), "codec");
}

// A driver entry the run replaced comes back whole when the run fails,
// however long the user's value was.
TEST_F(InstallationTest, AFailedRunPutsBackALongDriverEntryWhole)
{
    disc.set("kelbo", "diskettes", "1").exe("A.TXT", "a").dll("CODEC.ACM", "codec").listOnly("DLLS", "MISSING.DLL");
    disc.set("NAMES", "CODEC.ACM", "codec");
    mapDisc();
    const std::string users(3000, 'u');
    ASSERT_TRUE(plat::WritePrivateProfileStringA("drivers32", "MSACM.codec", users.c_str(), "system.ini"));
    EXPECT_EQ(install(), 0);
    EXPECT_EQ(boxes.back(), "Η εγκατάσταση δεν ολοκληρώθηκε");
    EXPECT_EQ(plat::ReadPrivateProfile("system.ini").Find("drivers32", "MSACM.codec").value_or("").size(), users.size());
}

// A name inside the target whose folder is not there cannot be written:
// it is named as the file that could not be put in place, not as one that
// would leave the target.
TEST_F(InstallationTest, ANameInAFolderTheTargetLacksFailsAsItsFile)
{
    disc.exe("A.TXT", "a").listOnly("EXES", "SUB\\A.TXT");
    mapDisc();
    EXPECT_EQ(install(), 0);
    ASSERT_GE(boxes.size(), 3u);
    EXPECT_EQ(boxes[1], "Πρόβλημα κατά την αποσυμπίεση του αρχείου: \nC:\\Jx\\Jx Multimedia\\KELBO\\Temp\\SUB\\A.TXT");
    EXPECT_EQ(boxes[2], "Δεν μπορώ να κάνω σωστά την εγκατάσταση\nstatus=29");
}
