// The program's start as a user meets it: the whole process, from its
// launch until its first page stands painted and it waits for the user,
// then told to quit. It runs headless on the sample title laid out as users
// have it (the program's folder with what the installer puts there, the
// rest on the title's disc, a CD-ROM drive D:), driven by a script whose one
// step quits at the first wait. Its peer is a bare SDL2 program started and
// quit in the same run. Each side is measured by the processor time its
// process used (user and system, loading its libraries included), which a
// busy machine inflates less than the time on the clock:
// `ratio startup_vs_sdl_hello <ours / peer>`. A run that ends badly, or a
// first page that is not on the screen, fails the pair.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "bench/side_by_side.h"
#include "platform/tests/png_file.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kRounds = 15;
// The welcome page's rust block on the screen (start page 2), as the
// page-change benchmark clicks it.
constexpr int kRustX = 180, kRustY = 239;
constexpr plat::COLORREF kRust = plat::RGB(0xB0, 0x48, 0x28);

// The sample title as installed: the program's folder, the disc and the
// configuration folder, in a temporary folder removed at the end.
class InstalledSample {
public:
    InstalledSample()
    {
        std::string pattern = (fs::temp_directory_path() / "kelbo-startup-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary folder for the installed sample");
        root_ = pattern;
        const fs::path built = fs::path(KELBO_PROGRAM).parent_path();
        fs::create_directories(program());
        fs::create_directories(root_ + "/cfg/kelbo");
        fs::copy(built, disc(), fs::copy_options::recursive);
        for (const char* own : {"kelbo32", "kelbo32.resources", "kelbores.resources", "KELBO.DAT"}) {
            fs::copy(disc() + "/" + own, program() + "/" + own, fs::copy_options::recursive);
            fs::remove_all(disc() + "/" + own);
        }
        for (const char* build : {"CMakeFiles", "Makefile", "cmake_install.cmake", "kelbo32.ini"})
            fs::remove_all(disc() + "/" + build);
        write(program() + "/kelbo32.ini", "[Directory]\r\nData=D:\\\r\nNetwork=0\r\nVolumeLabel=KELBO\r\n");
        write(root_ + "/cfg/kelbo/platform.ini", "[Drive D]\nPath=" + disc() + "\nType=cdrom\nLabel=KELBO\n");
    }
    ~InstalledSample()
    {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    InstalledSample(const InstalledSample&) = delete;
    InstalledSample& operator=(const InstalledSample&) = delete;

    const std::string& root() const { return root_; }
    std::string program() const { return root_ + "/prog"; }
    std::string disc() const { return root_ + "/disc"; }
    std::string config() const { return root_ + "/cfg"; }
    std::string file(const char* name) const { return root_ + "/" + name; }

    static void write(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

private:
    std::string root_;
};

struct Run {
    int status = -1;  // the exit code; -1 when it did not end by itself
    double cpuNs = 0;
};

// Starts a program with the arguments and environment, in a folder, and
// waits for it; its output goes to a file.
Run runProcess(const std::vector<std::string>& args, const std::vector<std::string>& env, const std::string& folder,
               const std::string& output)
{
    std::vector<char*> argv, envp;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    // The settings given replace the caller's of the same names: the first
    // of a name is the one a program reads.
    const auto given = [&env](const char* entry) {
        const std::string_view name(entry, std::strcspn(entry, "="));
        return std::any_of(env.begin(), env.end(), [name](const std::string& e) {
            return e.size() > name.size() && e[name.size()] == '=' && e.compare(0, name.size(), name) == 0;
        });
    };
    for (const std::string& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    for (char** e = environ; *e; ++e)
        if (!given(*e))
            envp.push_back(*e);
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    Run run;
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status))
            run.status = WEXITSTATUS(status);
        const auto ns = [](const timeval& t) { return double(t.tv_sec) * 1e9 + double(t.tv_usec) * 1e3; };
        run.cpuNs = ns(usage.ru_utime) + ns(usage.ru_stime);
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

class StartupRace {
public:
    // The program on the sample title until its first page, then quit.
    Run program(const std::string& script) const
    {
        return runProcess({install_.program() + "/kelbo32", "/start=2"},
                          {"KELBO_BACKEND=headless", "KELBO_SCRIPT=" + script, "XDG_CONFIG_HOME=" + install_.config()},
                          install_.program(), install_.file("program.log"));
    }
    Run hello() const { return runProcess({KELBO_SDL_HELLO}, {}, install_.root(), install_.file("hello.log")); }

    // Once, untimed: the program's first page is on the screen.
    bool firstPageShows() const
    {
        const std::string shot = install_.file("first.png");
        InstalledSample::write(install_.file("look.script"), "png " + shot + "\nquit\n");
        const Run run = program(install_.file("look.script"));
        const plat::testing::PngFile png = plat::testing::ReadPngFile(shot);
        if (run.status != 0 || png.width <= kRustX || png.height <= kRustY || png.at(kRustX, kRustY) != kRust) {
            std::printf("startup_vs_sdl_hello: the first page was not shown (exit %d; see %s)\n", run.status,
                        install_.file("program.log").c_str());
            return false;
        }
        return true;
    }

    const InstalledSample& install() const { return install_; }

private:
    InstalledSample install_;
};

}  // namespace

BENCH_PAIR(startup_vs_sdl_hello)
{
    StartupRace race;
    if (!race.firstPageShows())
        return false;
    const std::string script = race.install().file("quit.script");
    InstalledSample::write(script, "quit\n");
    bool ended = true;
    const auto measured = [&ended](const Run& run) {
        ended = ended && run.status == 0;
        return run.cpuNs;
    };
    bench::RaceMeasured(
        "startup_vs_sdl_hello", [&] { return measured(race.program(script)); },
        [&] { return measured(race.hello()); }, kRounds);
    if (!ended)
        std::printf("startup_vs_sdl_hello: a run did not end well\n");
    return ended;
}
