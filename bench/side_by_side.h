#pragma once
// Our code and a peer library timed on the same input in the same run. The two
// take turns, round after round, so that a busy machine slows both alike; the
// figure is the median of the rounds. Each pair prints `ratio <name> <ours /
// peer>` on a line of its own; a pair whose outputs differ fails the program.

#include <functional>
#include <string>
#include <vector>

namespace bench {

struct Timing {
    int rounds = 41;  // samples per side; the median is reported
    int repeats = 1;  // calls per sample, for work too short to time alone
};

// Times ours and peer (each call does the whole piece of work once) and
// prints the ratio line with both medians. Returns the ratio.
double Race(const std::string& name, const std::function<void()>& ours, const std::function<void()>& peer,
            Timing timing = {});

// The same for work that measures its own cost (say, the processor time a
// child process used): each call does the work once and returns what it
// cost, in nanoseconds.
double RaceMeasured(const std::string& name, const std::function<double()>& ours,
                    const std::function<double()>& peer, int rounds);

// A side-by-side pair, run by the benchmark programs' main after their own
// benchmarks. It returns false when the outputs of ours and the peer differ
// (it says how first).
using Pair = std::function<bool()>;
int RegisterPair(const char* name, Pair pair);

// Prints `time <name> <median> ms (<about>)` for a measurement of the whole
// program that has no peer (the samples in milliseconds).
void ReportTime(const std::string& name, const std::vector<double>& samplesMs, const std::string& about);

// Prints `skip <name>: <why>` for a pair that cannot run in this build.
void Skip(const std::string& name, const std::string& why);

// Runs every registered pair; false when any of them failed.
bool RunPairs();

}  // namespace bench

// Registers a pair at start-up: BENCH_PAIR(blit_8_to_32) { ...; return same; }
#define BENCH_PAIR(name)                                                          \
    static bool name##_pair();                                                    \
    [[maybe_unused]] static const int name##_registered = bench::RegisterPair(#name, &name##_pair); \
    static bool name##_pair()
