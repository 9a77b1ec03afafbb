// Idle costs nothing: a program blocked in GetMessageA with a window open
// and no timers uses (almost) no processor time on the real clock.

#include <time.h>

#include <cstdio>

#include <chrono>
#include <thread>

#include "platform/tests/window_fixture.h"

namespace plat::testing {
namespace {

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

constexpr int kWaitMs = 1000;

class Idle : public WindowTest {};

TEST_F(Idle, ABlockedGetUsesUnderOnePercentOfACore)
{
    Harness real(false);  // the real clock, on a fresh desktop
    SetUp();
    HWND w = top(100, 100, 300, 200);
    real.runUntilIdle();

    std::thread poster([w] {
        std::this_thread::sleep_for(std::chrono::milliseconds(kWaitMs));
        PostMessageA(w, WM_USER, 0, 0);
    });
    auto start = std::chrono::steady_clock::now();
    double cpu0 = threadCpuMs();
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0 && m.message != WM_USER)
        DispatchMessageA(&m);
    double cpu = threadCpuMs() - cpu0;
    double wall = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    poster.join();
    EXPECT_GE(wall, kWaitMs * 0.9);
    EXPECT_LT(cpu, wall * 0.01) << "cpu " << cpu << " ms over " << wall << " ms";
    RecordProperty("idle_cpu_ms", std::to_string(cpu));
    std::printf("idle: %.3f ms of CPU over %.0f ms of waiting\n", cpu, wall);
}

}  // namespace
}  // namespace plat::testing
