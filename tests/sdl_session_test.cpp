// The program itself under SDL, on a display of the test's own, with a
// user logged in through that display's keyboard and mouse (xdotool acts as
// a person would): the display taken away (a log-out) ends the program
// without a crash and the rescue keeps what only it could keep; a close from
// the desktop (SIGTERM, a closed terminal's SIGHUP, the window manager's
// close) ends it as its close box would, also while a box or dialog page
// waits for an answer; and other programs asking for the clipboard and
// leaving at once do it no harm.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/tests/temp_config.h"
#include "testkit/installed_title.h"
#include "testkit/user_file.h"
#include "tests/own_display.h"
// Last: the X library's names are macros.
#include "platform/tests/x_clients.h"

namespace {

using plat::testing::TempConfig;
namespace fs = std::filesystem;

// Where the program's main window shows on the test's display (its
// virtual desktop is the display, 800 by 600, shown at one to one): the
// client area's top left corner.
constexpr int kClientLeft = 80, kClientTop = 69;
// The welcome page's rust block, which leads to the contents page and its
// picture on the disc (the content panel stands 60 below the client top).
constexpr int kRustBlockX = 100, kRustBlockY = 60 + 110;

class SdlSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (std::system("command -v xdotool >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "no xdotool to type on the test's display";
        if (display.name().empty())
            GTEST_SKIP() << "no Xvfb to start a display of the test's own";
        // Installed as users have it: WIN.INI leads through mmapp.ini to the
        // title's INI file on C:, which keeps the users' files there and
        // reads the title's data from its disc in the CD-ROM drive D:.
        const std::string cfg = config.root() + "/xdg/kelbo";
        TempConfig::writeFile(cfg + "/platform.ini", testkit::DriveSection('C', c(), "fixed") +
                                                         testkit::DriveSection('D', disc(), "cdrom", "KELBO"));
        TempConfig::writeFile(cfg + "/windows/WIN.INI", "[mmapp]\nPath=C:\\mmapp.ini\n");
        TempConfig::writeFile(c() + "/mmapp.ini", "[Kelbo]\nPath=C:\\KELBO\n");
        testkit::InstalledSettings installed;
        installed.extra = "User=C:\\Users\r\n";
        TempConfig::writeFile(c() + "/KELBO/kelbo32.ini", testkit::InstalledIni(installed));
        fs::create_directories(disc());
        for (const auto& e : fs::directory_iterator(fs::path(KELBO_PROGRAM).parent_path()))
            if (!testkit::IsInstalledFile(e.path().filename().string()))
                fs::create_symlink(e.path(), disc() + "/" + e.path().filename().string());
    }
    void TearDown() override
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    std::string c() const { return config.root() + "/c"; }
    std::string disc() const { return config.root() + "/disc"; }
    std::string userFile() const { return c() + "/Users/jx0.Gv3"; }
    std::string errors() const { return TempConfig::readFile(config.root() + "/stderr"); }

    void start(const char* startPage = "/start=1")
    {
        const std::string err = config.root() + "/stderr";
        pid_ = fork();
        ASSERT_GE(pid_, 0);
        if (pid_ == 0) {
            setenv("KELBO_BACKEND", "sdl", 1);
            setenv("SDL_AUDIODRIVER", "dummy", 1);
            setenv("DISPLAY", display.name().c_str(), 1);
            setenv("XDG_CONFIG_HOME", (config.root() + "/xdg").c_str(), 1);
            // A file that grows past a limit set on the program fails to
            // write, as on a full disc.
            signal(SIGXFSZ, SIG_IGN);
            const int fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(fd, 2);
            execl(KELBO_PROGRAM, KELBO_PROGRAM, startPage, static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    // The disc fills up (no file of the program's may grow past a few
    // bytes), or has room again.
    void fillDisc(bool full)
    {
        // The soft limit only: taking back the hard one needs a privilege.
        rlimit limit{};
        ASSERT_EQ(prlimit(pid_, RLIMIT_FSIZE, nullptr, &limit), 0) << "the program ended: " << errors();
        limit.rlim_cur = full ? 64 : limit.rlim_max;
        ASSERT_EQ(prlimit(pid_, RLIMIT_FSIZE, &limit, nullptr), 0);
    }
    // Runs xdotool on the test's display.
    void xdotool(const std::vector<std::string>& arguments) const
    {
        const pid_t tool = fork();
        if (tool == 0) {
            setenv("DISPLAY", display.name().c_str(), 1);
            std::vector<char*> argv{const_cast<char*>("xdotool")};
            for (const std::string& a : arguments)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execvp("xdotool", argv.data());
            _exit(127);
        }
        waitpid(tool, nullptr, 0);
    }
    // A click at a point of the main window's client area.
    void click(int x, int y) const
    {
        xdotool({"mousemove", std::to_string(kClientLeft + x), std::to_string(kClientTop + y), "click", "1"});
    }
    // Waits (seconds at most, far beyond what a working program needs)
    // until the condition holds; false when the program ended first or it
    // never did.
    bool waitFor(const std::function<bool()>& condition, int seconds = 30)
    {
        for (int i = 0; i < seconds * 10; ++i) {
            if (condition())
                return true;
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }
    // The program waits in its loop: its processor time stands still.
    bool waitUntilIdle()
    {
        long ticks = -1;
        int still = 0;
        return waitFor([&] {
            const long now = processTicks(pid_);
            still = now == ticks ? still + 1 : 0;
            ticks = now;
            return still >= 3;
        });
    }
    // The user file's first visited mark: the welcome page, which the login
    // leads to.
    bool welcomePageVisited() const
    {
        const std::string bytes = TempConfig::readFile(userFile());
        const std::size_t at = 2 + 3 + 4 + testkit::UserFile::kSlots * 4;
        return bytes.size() > at + 1 && bytes[at] == 0 && bytes[at + 1] == 1;
    }
    // From the login: "Zed" typed as a new user and added with Enter. A
    // loaded machine may take the first keys before the page has the
    // keyboard: the user then tries again, as anyone would.
    void addZed()
    {
        bool added = false;
        for (int attempt = 0; attempt < 3 && !added; ++attempt) {
            ASSERT_TRUE(waitUntilIdle()) << "the program did not settle on its login page: " << errors();
            xdotool({"mousemove", "400", "300"});
            xdotool({"key", "BackSpace", "BackSpace", "BackSpace", "BackSpace", "BackSpace", "BackSpace"});
            xdotool({"type", "--delay", "60", "Zed"});
            xdotool({"key", "Return"});
            added = waitFor([this] { return fs::exists(userFile()); }, 15);
        }
        ASSERT_TRUE(added) << "no new user: " << errors();
    }
    // Zed, added, logs in with Enter; done once the welcome page's visit is
    // in her file.
    void logIn()
    {
        addZed();
        bool in = false;
        for (int attempt = 0; attempt < 3 && !in; ++attempt) {
            ASSERT_TRUE(waitUntilIdle());
            xdotool({"key", "Return"});
            in = waitFor([this] { return welcomePageVisited(); }, 15);
        }
        ASSERT_TRUE(in) << "not logged in: " << errors();
    }
    // Zed, added, logs in while the disc is full: the save of her visit to
    // the welcome page fails, and its box waits for an answer; then the
    // disc has room again.
    void logInOnAFullDisc()
    {
        addZed();
        fillDisc(true);
        xdotool({"key", "Return"});
        ASSERT_TRUE(waitUntilIdle());
        ASSERT_FALSE(welcomePageVisited()) << "the full disc took the save";
        fillDisc(false);
    }
    // How the program ended (waiting 30 s at most); -1 while it runs.
    int ending(int seconds = 30)
    {
        int status = -1;
        for (int i = 0; i < seconds * 10 && pid_ > 0; ++i) {
            if (waitpid(pid_, &status, WNOHANG) == pid_)
                pid_ = -1;
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return pid_ > 0 ? -1 : status;
    }
    static std::string describe(int status)
    {
        if (status == -1)
            return "still running";
        if (WIFSIGNALED(status))
            return "ended by signal " + std::to_string(WTERMSIG(status));
        return "exit code " + std::to_string(WEXITSTATUS(status));
    }
    // Zed's file is whole, with her name and, when she logged in, the
    // welcome page's visit; no temporary file is left beside it.
    void expectSessionKept(bool visited = true)
    {
        testkit::UserFile zed;
        zed.name = "Zed";
        const std::string bytes = TempConfig::readFile(userFile());
        ASSERT_EQ(bytes.size(), zed.Bytes().size());
        EXPECT_EQ(bytes.substr(2, 3), "Zed");
        EXPECT_EQ(welcomePageVisited(), visited);
        for (const auto& e : fs::directory_iterator(c() + "/Users"))
            EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
        EXPECT_EQ(errors().find("Sanitizer"), std::string::npos) << errors();
        EXPECT_EQ(errors().find("runtime error"), std::string::npos) << errors();
    }

    OwnXDisplay display;
    TempConfig config;
    pid_t pid_ = -1;
};

// The rescue saves what only it can: the welcome page's visit, refused by
// a full disc (its box still waits for an answer), with room given back
// before the display goes.
TEST_F(SdlSessionTest, TheDisplayGoingAwayEndsTheProgramWithoutACrashAndTheRescueKeepsTheSession)
{
    start();
    logInOnAFullDisc();
    display.TakeAway();
    const int status = ending();
    ASSERT_NE(status, -1) << "the program was still running 30 s after its display went away";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << describe(status) << ": " << errors();
    EXPECT_NE(errors().find("the connection to the display was lost"), std::string::npos) << errors();
    expectSessionKept();
}

// SIGTERM, a closed terminal's SIGHUP and the window manager's close, with
// nothing in the way and while each kind of box or dialog page waits for an
// answer: the box gives way unanswered, the program ends as a close
// without a box ends it (code 0), and the session is in the user's file.
TEST_F(SdlSessionTest, ACloseFromTheDesktopEndsTheProgramAsItsCloseBoxWouldWhateverBoxIsUp)
{
    struct Way {
        const char* name;
        std::function<void()> close;
    };
    const std::vector<Way> ways = {
        {"SIGTERM", [this] { kill(pid_, SIGTERM); }},
        {"SIGHUP", [this] { kill(pid_, SIGHUP); }},
        {"the window manager's close", [this] { EXPECT_EQ(AskWindowsToClose(display.name()), 1); }},
    };
    struct Box {
        const char* name;
        // Brings the box up from the login page; whether the user logged in.
        std::function<void()> bringUp;
        bool loggedIn;
    };
    const std::vector<Box> boxes = {
        {"the box that asks for the disc taken out (1075)",
         [this] {
             logIn();
             fs::rename(disc(), disc() + ".out");
             click(kRustBlockX, kRustBlockY);
         },
         true},
        {"the box of a save refused by a full disc", [this] { logInOnAFullDisc(); }, true},
        {"the dialog page that asks whether to delete a user",
         [this] {
             addZed();
             xdotool({"key", "Delete"});
         },
         false},
        {"the about box, owned by the main window",
         [this] {
             logIn();
             xdotool({"key", "alt+space"});
             xdotool({"key", "End", "Return"});
         },
         true},
    };
    for (const Box& box : boxes) {
        for (const Way& way : ways) {
            SCOPED_TRACE(std::string(way.name) + " while " + box.name + " is up");
            fs::remove_all(c() + "/Users");
            if (fs::exists(disc() + ".out"))
                fs::rename(disc() + ".out", disc());
            start();
            box.bringUp();
            if (HasFatalFailure())
                return;
            ASSERT_TRUE(waitUntilIdle());
            way.close();
            const int status = ending(10);
            EXPECT_TRUE(status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0)
                << describe(status) << ": " << errors();
            if (status == -1) {
                kill(pid_, SIGKILL);
                waitpid(pid_, nullptr, 0);
                pid_ = -1;
            }
            expectSessionKept(box.loggedIn);
        }
    }
}

// Other programs ask for the page the title copied and leave before the
// answer, twenty in a row: the title runs on and ends as usual.
TEST_F(SdlSessionTest, ClientsThatAskForTheClipboardAndLeaveAtOnceDoNoHarm)
{
    // The navigation pages: the bar's options button, then the pop-up's
    // copy button.
    start("/start=11");
    ASSERT_TRUE(waitUntilIdle()) << errors();
    click(600, 446);
    ASSERT_TRUE(waitUntilIdle());
    click(400 + 180 + 20, 356 + 30);
    ASSERT_TRUE(waitFor([this] { return ClipboardHasOwner(display.name()); })) << "nothing copied: " << errors();
    for (int i = 0; i < 20; ++i)
        AskForTheClipboardAndLeave(display.name());
    ASSERT_TRUE(waitUntilIdle()) << "the program ended: " << errors();
    kill(pid_, SIGTERM);
    const int status = ending();
    EXPECT_TRUE(status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0) << describe(status) << ": " << errors();
    EXPECT_EQ(errors().find("Sanitizer"), std::string::npos) << errors();
}

}  // namespace
