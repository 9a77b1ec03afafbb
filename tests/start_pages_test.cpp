// The program as users start it, on the sample title beside it: opened at
// each start page the command line can name ("/start=N", 0 to 12, within
// the title's list of start pages and past it), left to run for a moment
// (the page's animations and sounds under way), and quit. Under the sanitizers of the test build the
// run must end with code 0 and without a single report, so nothing that
// the pages, their media or the product own is used after the exit has
// freed it.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "platform/tests/temp_config.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
    bool ended = false;
    int code = -1;
    std::string output;
};

// The copy of the built program's folder (the program, its resources and
// the sample title) started headless with "/start=N" and a script that
// runs 300 ms and quits; at most two minutes.
Outcome runStartPage(const plat::testing::TempConfig& config, int start)
{
    const fs::path folder = config.root() + "/installed";
    const fs::path built = fs::path(KELBO_PROGRAM).parent_path();
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(built)) {
        const fs::path name = entry.path().filename();
        // Not the build's own files, nor the users' files of earlier runs.
        if (name == "CMakeFiles" || name.extension() == ".Gv3" || name.string().starts_with("CTest") ||
            name.string().starts_with("cmake_"))
            continue;
        std::error_code linked;
        if (entry.path() == fs::path(KELBO_PROGRAM))
            fs::create_hard_link(entry.path(), folder / name, linked);
        if (entry.path() != fs::path(KELBO_PROGRAM) || linked)
            fs::copy(entry.path(), folder / name, fs::copy_options::recursive);
    }
    plat::testing::TempConfig::writeFile(config.root() + "/script", "run 300\nquit\n");
    const std::string output = config.root() + "/output";
    const std::string option = "/start=" + std::to_string(start);
    const pid_t pid = fork();
    if (pid < 0)
        return {};
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0 || !freopen(output.c_str(), "w", stdout) || !freopen(output.c_str(), "a", stderr))
            _exit(126);
        setenv("KELBO_BACKEND", "headless", 1);
        setenv("KELBO_SCRIPT", (config.root() + "/script").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (config.root() + "/xdg").c_str(), 1);
        const std::string program = (folder / fs::path(KELBO_PROGRAM).filename()).string();
        execl(program.c_str(), program.c_str(), option.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    Outcome outcome;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (!(outcome.ended = waitpid(pid, &status, WNOHANG) == pid) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (!outcome.ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    outcome.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(output);
    outcome.output.assign(std::istreambuf_iterator<char>(in), {});
    return outcome;
}

class StartPage : public ::testing::TestWithParam<int> {};

TEST_P(StartPage, StartsAndQuitsClean)
{
    plat::testing::TempConfig config;
    const Outcome run = runStartPage(config, GetParam());
    ASSERT_TRUE(run.ended) << "still running after two minutes\n" << run.output;
    EXPECT_EQ(run.code, 0) << run.output;
    EXPECT_EQ(run.output.find("ERROR: AddressSanitizer"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("ERROR: LeakSanitizer"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("runtime error:"), std::string::npos) << run.output;
}

INSTANTIATE_TEST_SUITE_P(Sample, StartPage, ::testing::Range(0, 13));

}  // namespace
