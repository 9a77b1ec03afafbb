// The message queue: posting and taking a million messages, and the cost of
// a blocking get that waits for a timer.

#include <benchmark/benchmark.h>

#include "bench/bench_window.h"
#include "platform/backend/harness.h"
#include "platform/window/window.h"

namespace {

using namespace plat;

HWND makeWindow()
{
    return bench::MakeBenchWindow(100, 100);
}

void PostAndGetAMillion(benchmark::State& state)
{
    Harness harness;
    HWND w = makeWindow();
    harness.runUntilIdle();
    constexpr int kCount = 1000000;
    for (auto _ : state) {
        for (int i = 0; i < kCount; ++i)
            PostMessageA(w, WM_USER, WPARAM(i), 0);
        MSG m;
        for (int i = 0; i < kCount; ++i)
            GetMessageA(&m, nullptr, 0, 0);
        benchmark::DoNotOptimize(m);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(PostAndGetAMillion)->Unit(benchmark::kMillisecond);

void BlockingGetOnATimer(benchmark::State& state)
{
    Harness harness(false);  // the real clock: the get really sleeps
    HWND w = makeWindow();
    harness.runUntilIdle();
    SetTimer(w, 1, 10, nullptr);
    MSG m;
    for (auto _ : state) {
        do
            GetMessageA(&m, nullptr, 0, 0);
        while (m.message != WM_TIMER);
    }
    KillTimer(w, 1);
}
// CPU time per get is the cost; real time is the 10 ms timer period.
BENCHMARK(BlockingGetOnATimer)->Unit(benchmark::kMicrosecond)->Iterations(100);

}  // namespace
