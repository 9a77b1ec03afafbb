#pragma once
// A plain shown popup window for the benchmarks that need one.

#include "platform/window/window.h"

namespace bench {

inline plat::HWND MakeBenchWindow(int width, int height)
{
    using namespace plat;
    WNDCLASSA wc;
    wc.lpfnWndProc = &DefWindowProcA;
    wc.lpszClassName = "Bench";
    RegisterClassA(wc);  // fails harmlessly when already registered
    return CreateWindowExA(0, "Bench", "bench", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                           nullptr, nullptr);
}

}  // namespace bench
