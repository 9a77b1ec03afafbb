#pragma once
// A small script of user actions for headless runs, one command a line:
//   move X Y            down X Y [left|right|middle]    up X Y [button]
//   click X Y [button]  dblclick X Y [button]
//   key NAME [down|up]  (a letter, digit, F1-F24, RETURN, ESCAPE, TAB, SPACE,
//                        BACK, DELETE, LEFT, RIGHT, UP, DOWN, HOME, END, ALT,
//                        CTRL, SHIFT, or a number; no word: press and release)
//   text REST OF LINE   activate [click]   deactivate   display W H BPP
//   run MS              idle               png PATH     quit [CODE]
//   answer ID           answers the next message box or dialog with that
//                       button or command id (1 OK, 2 Cancel, 3 Abort,
//                       4 Retry, 5 Ignore, 6 Yes, 7 No)
// Blank lines and lines starting with '#' are skipped.
//
// While a box or dialog waits, the script's next steps go to it: `answer`
// ends it, `png` photographs it, `text` and `key` type into it, and the box
// waits through `run` and `idle`. Any other step means the script did not
// expect the box: the program run by a script then names the box on stderr
// and ends with exit code 3.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/backend/harness.h"

namespace plat {

class Script {
public:
    // Null with "NAME:LINE: reason" in `error` when a line is not understood.
    static std::optional<Script> parse(const std::string& text, const std::string& name,
                                       std::string* error);
    static std::optional<Script> load(const std::string& path, std::string* error);

    // Runs every step through the harness (the test drives the loop).
    bool run(Harness& harness, std::string* error);
    // Lets the program's own loop drive: each time it waits with nothing to
    // do, the next steps run; after the last one the program is asked to
    // quit. The script must outlive the backend's use of it.
    void attach(HeadlessBackend& backend);

    size_t size() const { return steps_.size(); }

    // What the script says to a box or dialog that waits: a button or
    // command id, kAnswerByInput after it typed into it, or nothing when
    // the script has no answer for it.
    std::optional<int> respond(const UiRequest& request);

private:
    struct Step {
        std::string command;
        std::vector<std::string> args;
        std::string rest;
        int line = 0;
    };
    // Checks a step; with `act`, also does it (run, idle and quit need the harness).
    bool execute(const Step& step, bool act, Harness* harness, std::string* error);

    std::string name_;
    std::vector<Step> steps_;
    size_t next_ = 0;
    std::optional<std::uint64_t> runUntil_;
    // The run's quit has been posted (by a step, or as the script ended).
    bool quitPosted_ = false;
    // Answers met while no box was up, for the boxes still to come.
    std::deque<int> answers_;
};

}  // namespace plat
