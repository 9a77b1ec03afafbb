// A pixel-level effect between two screen updates: 100,000 one-pixel
// invalidations of a window, then its update; and 100,000 one-pixel draws to
// the screen, then the backend taking what changed. Both must stay far below
// a frame (under 20 ms).

#include <benchmark/benchmark.h>

#include "bench/bench_window.h"
#include "platform/backend/harness.h"
#include "platform/draw/draw.h"
#include "platform/screen/screen.h"
#include "platform/window/window.h"

namespace {

using namespace plat;

constexpr LONG kWidth = 400;
constexpr LONG kHeight = 250;  // 100,000 pixels

void InvalidatePixelByPixel(benchmark::State& state)
{
    Harness harness;
    HWND w = bench::MakeBenchWindow(640, 480);
    harness.runUntilIdle();
    for (auto _ : state) {
        for (LONG y = 0; y < kHeight; ++y)
            for (LONG x = 0; x < kWidth; ++x) {
                RECT r{x, y, x + 1, y + 1};
                InvalidateRect(w, &r, 0);
            }
        UpdateWindow(w);
        benchmark::DoNotOptimize(TheScreen().takeDirty());
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
    DestroyWindow(w);
}
BENCHMARK(InvalidatePixelByPixel)->Unit(benchmark::kMillisecond);

void DrawToTheScreenPixelByPixel(benchmark::State& state)
{
    HDC dc = CreateScreenSurfaceDC({100, 50}, Region(RECT{100, 50, 100 + kWidth, 50 + kHeight}));
    for (auto _ : state) {
        for (LONG y = 0; y < kHeight; ++y)
            for (LONG x = 0; x < kWidth; ++x)
                SetPixel(dc, x, y, RGB(BYTE(x), BYTE(y), 0));
        benchmark::DoNotOptimize(TheScreen().takeDirty());
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
    DeleteDC(dc);
}
BENCHMARK(DrawToTheScreenPixelByPixel)->Unit(benchmark::kMillisecond);

}  // namespace
