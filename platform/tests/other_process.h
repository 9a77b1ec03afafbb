#pragma once
// A second running process for tests of what holds between running copies:
// a forked child runs a task (say, opening a file), tells the test whether
// it succeeded, and then holds whatever it opened until the test lets it go
// (or the object dies). Waiting blocks on pipes.

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace plat::testing {

class OtherProcess {
public:
    // The task runs in the child; its answer is what Started() gives.
    explicit OtherProcess(const std::function<bool()>& task)
    {
        int toParent[2] = {-1, -1};
        int toChild[2] = {-1, -1};
        if (::pipe(toParent) != 0 || ::pipe(toChild) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(toParent[0]);
            ::close(toChild[1]);
            const char ok = task() ? 1 : 0;
            (void)!::write(toParent[1], &ok, 1);
            char go = 0;
            (void)!::read(toChild[0], &go, 1);  // until released, or the parent is gone
            ::_exit(0);                         // no clean-up: what the task holds ends with the process
        }
        ::close(toParent[1]);
        ::close(toChild[0]);
        release_ = toChild[1];
        char ok = 0;
        started_ = pid_ > 0 && ::read(toParent[0], &ok, 1) == 1 && ok == 1;
        ::close(toParent[0]);
    }
    ~OtherProcess() { Release(); }
    OtherProcess(const OtherProcess&) = delete;
    OtherProcess& operator=(const OtherProcess&) = delete;

    bool Started() const { return started_; }

    // Ends the child and waits for it.
    void Release()
    {
        if (release_ >= 0) {
            ::close(release_);
            release_ = -1;
        }
        if (pid_ > 0) {
            int status = 0;
            ::waitpid(pid_, &status, 0);
            pid_ = -1;
        }
    }

private:
    pid_t pid_ = -1;
    int release_ = -1;
    bool started_ = false;
};

}  // namespace plat::testing
