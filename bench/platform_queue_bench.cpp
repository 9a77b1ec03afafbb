// The message queue: posting and taking a million messages, and the cost of
// a blocking get that waits for a timer. Side by side: a million messages
// through our queue and a million user events through SDL's (SDL_PushEvent,
// then SDL_PeepEvents with SDL_GETEVENT), in the same batches.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "bench/bench_window.h"
#include "bench/side_by_side.h"
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

// SDL's queue holds at most 65535 events, so both sides post a batch, then
// take it, a thousand times. Both keep what they took, in order, to compare.
BENCH_PAIR(queue_million_vs_sdl_events)
{
    constexpr int kBatch = 1000, kBatches = 1000;
    if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0) {
        std::printf("SDL events: %s\n", SDL_GetError());
        return false;
    }
    Harness harness;
    HWND w = makeWindow();
    harness.runUntilIdle();
    std::vector<int> ours(kBatch * kBatches), peer(kBatch * kBatches);
    auto runOurs = [&] {
        int* out = ours.data();
        for (int b = 0; b < kBatches; ++b) {
            for (int i = 0; i < kBatch; ++i)
                PostMessageA(w, WM_USER, WPARAM(b * kBatch + i), 0);
            MSG m;
            for (int i = 0; i < kBatch; ++i) {
                GetMessageA(&m, nullptr, 0, 0);
                *out++ = m.message == WM_USER ? int(m.wParam) : -1;
            }
        }
    };
    auto runPeer = [&] {
        int* out = peer.data();
        for (int b = 0; b < kBatches; ++b) {
            SDL_Event e{};
            e.type = SDL_USEREVENT;
            for (int i = 0; i < kBatch; ++i) {
                e.user.code = b * kBatch + i;
                SDL_PushEvent(&e);
            }
            for (int i = 0; i < kBatch; ++i)
                *out++ = SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_USEREVENT, SDL_USEREVENT) == 1 ? e.user.code : -1;
        }
    };
    bench::Race("queue_million_vs_sdl_events", runOurs, runPeer, {15, 1});
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
    for (std::size_t i = 0; i < ours.size(); ++i) {
        if (ours[i] != peer[i] || ours[i] != int(i)) {
            std::printf("message %zu: ours %d, SDL %d\n", i, ours[i], peer[i]);
            return false;
        }
    }
    return true;
}

}  // namespace
