// A page change as the user waits for it, headless: in one run of the program
// on the sample title (opened on its first start page), a click on the
// welcome page's rust block, which changes to the contents page with a wipe
// to the left, timed until the contents page stands drawn and the program
// waits for the user again. Between rounds the program goes back to the
// welcome page without a transition (untimed).
//
// The wipe is paced to take about 750 ms whatever the machine, which would
// hide the program's own work; so the rounds run twice: on the real clock
// (`time page_change`, what the user waits for) and on the virtual clock,
// where the wipe's waits between its passes take no time
// (`time page_change_unpaced`, the work: the click, the new panel built and
// drawn, every pass of the wipe). A round in which the contents page is not
// on the screen fails the program.

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "bench/sample_install.h"
#include "bench/side_by_side.h"
#include "objects/actions/JxCChangePageAction.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxCTovelApp.h"
#include "title/JxTitleStartup.h"

namespace {

using Clock = std::chrono::steady_clock;

// Where the two pages show what marks them (client coordinates), and the
// colours there: the welcome picture's rust block, the hotspot clicked, and
// the contents picture's teal block.
constexpr plat::POINT kRustBlock{100, 170};
constexpr plat::POINT kTealBlock{160, 170};
constexpr std::uint32_t kRust = 0xB04828u;
constexpr std::uint32_t kTeal = 0x208080u;

struct Rounds {
    std::vector<double> ms;
    std::string failure;
};

bool shows(JxCBaseProduct* product, std::int32_t pageId, plat::POINT at, std::uint32_t colour)
{
    JxCPageObject* page = product->GetFirstPage();
    plat::HWND main = product->GetProductWindow();
    return page && page->GetPageId() == pageId && bench::ScreenColourAt(main, at.x, at.y) == colour;
}

void backToTheWelcomePage()
{
    JxCChangePageAction action;
    action.SetTarget(1, 0);
    action.Post();
}

// The rounds in one run of the program; the first is untimed (it warms the
// file cache, the fonts and the allocators).
Rounds runRounds(bool realClock, int count)
{
    Rounds rounds;
    plat::Harness harness(!realClock);
    BeginProgramRun();
    JxCTovelApp app{0};
    ConnectTitleServices(app);
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        if (rounds.failure.empty())
            rounds.failure = "a box said: " + r.text;
        return kAnswerOk;
    });
    enum class Step { Click, Drawn, Closing } step = Step::Click;
    int done = -1;
    Clock::time_point start;
    harness.backend().setIdleHook([&](std::optional<std::uint64_t>) {
        JxCBaseProduct* product = GetProduct();
        plat::HWND main = product ? product->GetProductWindow() : nullptr;
        // Inside the page change (its wipe waits between passes) nothing
        // is done.
        if (!main || step == Step::Closing || product->GetBusyBits() || product->CountPendingActions() > 0)
            return false;
        if (step == Step::Drawn) {
            const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            if (!shows(product, 2, kTealBlock, kTeal) && rounds.failure.empty())
                rounds.failure = "the contents page was not on the screen after the click";
            if (done++ >= 0)
                rounds.ms.push_back(ms);
            backToTheWelcomePage();
            step = Step::Click;
            return true;
        }
        if (done == count || !rounds.failure.empty()) {
            step = Step::Closing;
            plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
            return true;
        }
        if (!shows(product, 1, kRustBlock, kRust)) {
            rounds.failure = "the welcome page was not on the screen";
            return true;
        }
        plat::POINT at = kRustBlock;
        plat::ClientToScreen(main, &at);
        step = Step::Drawn;
        start = Clock::now();
        harness.click(at);
        return true;
    });
    SetProgramStarted();
    ConnectErrorReporting();
    char line[] = "/start=1";
    JxCStartupInfo info{nullptr, nullptr, line};
    RunApplication(app, info);
    EndProgramRun();
    if (rounds.failure.empty() && int(rounds.ms.size()) != count)
        rounds.failure = "the program ended after " + std::to_string(rounds.ms.size()) + " rounds";
    return rounds;
}

bool report(const char* name, const Rounds& rounds, const std::string& about)
{
    if (!rounds.failure.empty()) {
        std::printf("%s: %s\n", name, rounds.failure.c_str());
        return false;
    }
    bench::ReportTime(name, rounds.ms, about);
    return true;
}

}  // namespace

BENCH_PAIR(page_change)
{
    bench::SampleInstall install;
    const std::string page = "a click on the welcome page until the contents page is drawn, 640x480";
    const bool paced =
        report("page_change", runRounds(true, 15), install.Describe(page + ", its wipe paced to 750 ms"));
    const bool unpaced = report("page_change_unpaced", runRounds(false, 41),
                                install.Describe(page + ", the wipe's waits skipped: the program's own work"));
    return paced && unpaced;
}
