#pragma once
// For tests that start the whole program as a process of its own: the
// processor time it has used, and a virtual X display of the test's own
// that the test can take away from under it.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>

// The processor time (clock ticks of 10 ms) the process has used; -1 when
// it cannot be read.
inline long processTicks(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string all((std::istreambuf_iterator<char>(in)), {});
    auto close = all.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream rest(all.substr(close + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14)
            utime = std::stol(field);
        if (i == 15)
            stime = std::stol(field);
    }
    return utime + stime;
}

// A virtual X display of the test's own, so that the test can take it
// away; none when Xvfb is not installed.
class OwnXDisplay {
public:
    OwnXDisplay()
    {
        namespace fs = std::filesystem;
        for (int n = 200 + getpid() % 500, tries = 0; tries < 20 && name_.empty(); ++n, ++tries) {
            const std::string number = std::to_string(n);
            if (fs::exists("/tmp/.X" + number + "-lock"))
                continue;
            pid_ = fork();
            if (pid_ == 0) {
                execlp("Xvfb", "Xvfb", (":" + number).c_str(), "-screen", "0", "800x600x24", "-nolisten", "tcp",
                       static_cast<char*>(nullptr));
                _exit(127);
            }
            if (pid_ < 0)
                return;
            // Up once its socket is there; gone when another server took the
            // number first or there is no Xvfb.
            for (int i = 0; i < 100; ++i) {
                if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
                    pid_ = -1;
                    break;
                }
                if (fs::exists("/tmp/.X11-unix/X" + number)) {
                    name_ = ":" + number;
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
            if (name_.empty())
                TakeAway();
        }
    }
    ~OwnXDisplay() { TakeAway(); }
    OwnXDisplay(const OwnXDisplay&) = delete;
    OwnXDisplay& operator=(const OwnXDisplay&) = delete;

    const std::string& name() const { return name_; }
    void TakeAway()
    {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    std::string name_;
};
