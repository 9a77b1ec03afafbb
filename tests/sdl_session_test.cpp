// The program itself under SDL, on a display of the test's own, with a
// user logged in through that display's keyboard (xdotool types as a
// person would): the display taken away (a log-out) or the terminal closed
// (SIGHUP) ends the program without a crash, and the user's session is in
// her file.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
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
#include "testkit/user_file.h"
#include "tests/own_display.h"

namespace {

using plat::testing::TempConfig;
namespace fs = std::filesystem;

class SdlSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (std::system("command -v xdotool >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "no xdotool to type on the test's display";
        if (display.name().empty())
            GTEST_SKIP() << "no Xvfb to start a display of the test's own";
        // Installed as users have it: WIN.INI leads through mmapp.ini to the
        // title's INI file on C:, which keeps the users' files there; the
        // title itself is the program's folder (P:).
        const std::string cfg = config.root() + "/xdg/kelbo";
        TempConfig::writeFile(cfg + "/platform.ini", "[Drive C]\nPath=" + c() + "\nType=fixed\n");
        TempConfig::writeFile(cfg + "/windows/WIN.INI", "[mmapp]\nPath=C:\\mmapp.ini\n");
        TempConfig::writeFile(c() + "/mmapp.ini", "[Kelbo]\nPath=C:\\KELBO\n");
        TempConfig::writeFile(c() + "/KELBO/kelbo32.ini", "[Directory]\nData=P:\\\nNetwork=1\nUser=C:\\Users\n");
    }
    void TearDown() override
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    std::string c() const { return config.root() + "/c"; }
    std::string userFile() const { return c() + "/Users/jx0.Gv3"; }
    std::string errors() const { return TempConfig::readFile(config.root() + "/stderr"); }

    void start()
    {
        const std::string err = config.root() + "/stderr";
        pid_ = fork();
        ASSERT_GE(pid_, 0);
        if (pid_ == 0) {
            setenv("KELBO_BACKEND", "sdl", 1);
            setenv("DISPLAY", display.name().c_str(), 1);
            setenv("XDG_CONFIG_HOME", (config.root() + "/xdg").c_str(), 1);
            const int fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(fd, 2);
            execl(KELBO_PROGRAM, KELBO_PROGRAM, "/start=1", static_cast<char*>(nullptr));
            _exit(127);
        }
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
    // From the login: "Zed" typed as a new user, then logged in with Enter;
    // done once the welcome page's visit is in her file. A loaded machine
    // may take the first keys before the page has the keyboard: the user
    // then tries again, as anyone would.
    void logIn()
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
        bool in = false;
        for (int attempt = 0; attempt < 3 && !in; ++attempt) {
            ASSERT_TRUE(waitUntilIdle());
            xdotool({"key", "Return"});
            in = waitFor([this] { return welcomePageVisited(); }, 15);
        }
        ASSERT_TRUE(in) << "not logged in: " << errors();
    }
    // How the program ended (waiting 30 s at most); -1 while it runs.
    int ending()
    {
        int status = -1;
        for (int i = 0; i < 300 && pid_ > 0; ++i) {
            if (waitpid(pid_, &status, WNOHANG) == pid_)
                pid_ = -1;
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return pid_ > 0 ? -1 : status;
    }
    void expectSessionKept()
    {
        testkit::UserFile zed;
        zed.name = "Zed";
        const std::string bytes = TempConfig::readFile(userFile());
        ASSERT_EQ(bytes.size(), zed.Bytes().size());
        EXPECT_EQ(bytes.substr(2, 3), "Zed");
        EXPECT_TRUE(welcomePageVisited());
        for (const auto& e : fs::directory_iterator(c() + "/Users"))
            EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
        EXPECT_EQ(errors().find("Sanitizer"), std::string::npos) << errors();
        EXPECT_EQ(errors().find("runtime error"), std::string::npos) << errors();
    }

    OwnXDisplay display;
    TempConfig config;
    pid_t pid_ = -1;
};

TEST_F(SdlSessionTest, TheDisplayGoingAwayEndsTheProgramWithoutACrashAndKeepsTheSession)
{
    start();
    logIn();
    display.TakeAway();
    const int status = ending();
    ASSERT_NE(status, -1) << "the program was still running 30 s after its display went away";
    EXPECT_FALSE(WIFSIGNALED(status)) << "ended by signal " << WTERMSIG(status) << ": " << errors();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_NE(errors().find("the connection to the display was lost"), std::string::npos) << errors();
    expectSessionKept();
}

TEST_F(SdlSessionTest, AClosedTerminalEndsTheProgramAsItsCloseBoxWould)
{
    start();
    logIn();
    kill(pid_, SIGHUP);
    const int status = ending();
    ASSERT_NE(status, -1) << "the program was still running 30 s after the hang-up";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << (WIFSIGNALED(status) ? "ended by signal " + std::to_string(WTERMSIG(status)) : "status " + std::to_string(status));
    expectSessionKept();
}

}  // namespace
