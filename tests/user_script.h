#pragma once
// A user's part in a whole-program run as a list of steps. Each step waits
// until the program shows what it needs (its condition), then acts (a
// click, keys); the run's idle hook takes one step at a time, so that the
// program settles between them, and the virtual clock moves only while a
// step waits. A step that waits longer than its patience fails the script.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>

#include "platform/backend/harness.h"

class UserScript {
public:
    using Check = std::function<bool()>;
    using Act = std::function<void()>;
    static constexpr std::uint64_t kPatienceMs = 60000;

    explicit UserScript(plat::Harness& harness) : harness_(harness) {}

    // A step after the last one.
    void then(std::string what, Check ready, Act act) { steps_.push_back({std::move(what), std::move(ready), std::move(act)}); }
    // A step before every other still to come (from an act: right after it).
    void first(std::string what, Check ready, Act act) { steps_.push_front({std::move(what), std::move(ready), std::move(act)}); }
    // A step that only waits.
    void waitFor(std::string what, Check ready)
    {
        then(std::move(what), std::move(ready), [] {});
    }

    // A step that lets `ms` of virtual time pass, as a user looks before
    // the next click; after the last step, or (from an act) right after it.
    void pause(std::uint64_t ms, bool next = false)
    {
        Check waited = [this, ms] { return harness_.now() - since_ >= ms; };
        next ? first("a pause", std::move(waited), [] {}) : then("a pause", std::move(waited), [] {});
    }

    // Takes the next step when it is ready: true when it acted.
    bool step()
    {
        if (steps_.empty() || failed())
            return false;
        Step& next = steps_.front();
        if (!waiting_) {
            waiting_ = true;
            since_ = harness_.now();
        }
        if (!next.ready()) {
            if (harness_.now() - since_ > kPatienceMs) {
                failure_ = "waited in vain for: " + next.what;
                steps_.clear();
            }
            return false;
        }
        const Step taken = std::move(next);
        steps_.pop_front();
        waiting_ = false;
        ++taken_;
        taken.act();
        return true;
    }

    bool done() const { return steps_.empty(); }
    bool failed() const { return !failure_.empty(); }
    const std::string& failure() const { return failure_; }
    int taken() const { return taken_; }

private:
    struct Step {
        std::string what;
        Check ready;
        Act act;
    };
    plat::Harness& harness_;
    std::deque<Step> steps_;
    bool waiting_ = false;
    std::uint64_t since_ = 0;
    std::string failure_;
    int taken_ = 0;
};
