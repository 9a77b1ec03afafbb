#include "bench/side_by_side.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <utility>
#include <vector>

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::pair<const char*, Pair>>& pairs()
{
    static std::vector<std::pair<const char*, Pair>> all;
    return all;
}

// Nanoseconds per call of one sample.
double sample(const std::function<void()>& work, int repeats)
{
    const auto start = Clock::now();
    for (int i = 0; i < repeats; ++i)
        work();
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / repeats;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A duration in the unit that suits it.
std::string show(double ns)
{
    char text[32];
    if (ns >= 1e6)
        std::snprintf(text, sizeof text, "%.2f ms", ns / 1e6);
    else if (ns >= 1e3)
        std::snprintf(text, sizeof text, "%.1f us", ns / 1e3);
    else
        std::snprintf(text, sizeof text, "%.0f ns", ns);
    return text;
}

}  // namespace

double Race(const std::string& name, const std::function<void()>& ours, const std::function<void()>& peer,
            Timing timing)
{
    return RaceMeasured(
        name, [&] { return sample(ours, timing.repeats); }, [&] { return sample(peer, timing.repeats); },
        timing.rounds);
}

double RaceMeasured(const std::string& name, const std::function<double()>& ours,
                    const std::function<double()>& peer, int rounds)
{
    // One untimed call each warms caches, tables and allocators.
    ours();
    peer();
    std::vector<double> a, b;
    for (int r = 0; r < rounds; ++r) {
        // Alternate who goes first so neither always runs on a warmer cache.
        if (r % 2 == 0) {
            a.push_back(ours());
            b.push_back(peer());
        } else {
            b.push_back(peer());
            a.push_back(ours());
        }
    }
    const double oursNs = median(a), peerNs = median(b);
    const double ratio = oursNs / peerNs;
    std::printf("%s: ours %s, peer %s (medians of %d rounds)\n", name.c_str(), show(oursNs).c_str(),
                show(peerNs).c_str(), rounds);
    std::printf("ratio %s %.2f\n", name.c_str(), ratio);
    std::fflush(stdout);
    return ratio;
}

int RegisterPair(const char* name, Pair pair)
{
    pairs().emplace_back(name, std::move(pair));
    return int(pairs().size());
}

void ReportTime(const std::string& name, const std::vector<double>& samplesMs, const std::string& about)
{
    if (samplesMs.empty())
        return;
    std::printf("time %s %.2f ms (%s; median of %zu rounds)\n", name.c_str(), median(samplesMs), about.c_str(),
                samplesMs.size());
    std::fflush(stdout);
}

void Skip(const std::string& name, const std::string& why)
{
    std::printf("skip %s: %s\n", name.c_str(), why.c_str());
    std::fflush(stdout);
}

bool RunPairs()
{
    bool ok = true;
    for (const auto& [name, pair] : pairs()) {
        if (!pair()) {
            std::printf("FAILED %s\n", name);
            std::fflush(stdout);
            ok = false;
        }
    }
    return ok;
}

}  // namespace bench
