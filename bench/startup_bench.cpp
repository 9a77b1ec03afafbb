// The program's start on the sample title, headless: from the entry into
// the application until the first page stands painted in the main window
// and the program waits for the user. Each round is a whole run of the
// program (its exit untimed); the median of the rounds is printed as
// `time start_to_first_page <ms> ms (<the title's size>)`. A round whose
// first page is not on the screen fails the program.

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "bench/sample_install.h"
#include "bench/side_by_side.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCTovelApp.h"
#include "title/JxTitleStartup.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRounds = 21;

struct Round {
    double ms = -1;  // none: the first page never showed
    int panels = 0;
    std::vector<std::string> boxes;
};

bool firstPageOnScreen(plat::HWND main)
{
    JxCBaseProduct* product = GetProduct();
    if (!product || !product->GetFirstPage() || !plat::IsWindowVisible(main))
        return false;
    // The page's panels cover the main class's white background.
    return bench::ScreenColourAt(main, 320, 240) != 0xFFFFFFu;
}

// One run of the program: timed from the entry until it first waits for
// input with its first page painted; then closed as the user would.
Round runOnce()
{
    Round round;
    plat::Harness harness;
    BeginProgramRun();
    JxCTovelApp app{0};
    ConnectTitleServices(app);
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        round.boxes.push_back(r.text);
        return kAnswerOk;
    });
    Clock::time_point start;
    bool closing = false;
    harness.backend().setIdleHook([&](std::optional<std::uint64_t>) {
        JxCBaseProduct* product = GetProduct();
        plat::HWND main = product ? product->GetProductWindow() : nullptr;
        if (closing || !main)
            return false;
        closing = true;
        if (firstPageOnScreen(main)) {
            round.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            round.panels = product->GetFirstPage()->GetPageDef()->GetPanelList().GetCount();
        }
        plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
        return true;
    });
    SetProgramStarted();
    ConnectErrorReporting();
    char line[1] = {0};
    JxCStartupInfo info{nullptr, nullptr, line};
    start = Clock::now();
    RunApplication(app, info);
    EndProgramRun();
    return round;
}

}  // namespace

BENCH_PAIR(start_to_first_page)
{
    bench::SampleInstall install;
    runOnce();  // untimed: warms the file cache, fonts and allocators
    std::vector<double> times;
    int panels = 0;
    for (int i = 0; i < kRounds; ++i) {
        const Round round = runOnce();
        if (round.ms < 0 || !round.boxes.empty()) {
            std::printf("start_to_first_page: the first page was not shown%s%s\n",
                        round.boxes.empty() ? "" : "; a box said: ",
                        round.boxes.empty() ? "" : round.boxes.front().c_str());
            return false;
        }
        times.push_back(round.ms);
        panels = round.panels;
    }
    bench::ReportTime("start_to_first_page", times,
                      install.Describe("first page of " + std::to_string(panels) + " panels, 640x480"));
    return true;
}
