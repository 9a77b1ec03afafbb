// Dialog pages run modally: the answer of the close box, of a button and of
// Enter; Enter with a default id that names no button; pages that cannot
// open, which answer at once and let the queue go on; a quit or the host's
// close while the dialog waits; and a wait that sleeps.

#include <time.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "platform/ui/dialog.h"
#include "platform/window/input.h"
#include "runtime/JxCKeyParams.h"
#include "testkit/title_panels.h"
#include "title/panels/JxCDialogPanel.h"
#include "title/panels/JxDialogPages.h"
#include "title/actions/JxTitlePageActions.h"
#include "title/tests/title_data_fixture.h"

namespace title_test {
namespace {

constexpr std::uint16_t kDialogTemplate = 20;
constexpr std::int32_t kDialog = 20;
constexpr std::int32_t kNoDefault = 21;  // its default id names no button
constexpr std::uint16_t kOtherTemplate = 30;
constexpr std::int32_t kOther = 30;
constexpr std::int16_t kCaption = 20;

// Runs a function once, when a product timer of its own first ticks.
class Later : public JxCNotifyRoot {
public:
    Later(std::function<void()> run, plat::UINT ms) : run_(std::move(run))
    {
        GetProduct()->SetTimer(this, nullptr, ms);
    }
    ~Later() override
    {
        if (JxCBaseProduct* product = GetProduct())
            product->KillTimer(this, -1);
    }
    void OnSystemEvent(JxCTimerParams*) override
    {
        GetProduct()->KillTimer(this, -1);
        if (run_)
            std::exchange(run_, nullptr)();
    }

private:
    std::function<void()> run_;
};

// An action that asks a dialog page while the processor runs it.
class AskingAction : public JxCAction {
public:
    std::int16_t Execute() override
    {
        answer = RunDialogPage(pageId, 0);
        return 1;
    }
    std::int32_t pageId = 0;
    std::int32_t answer = -1;
};

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

class DialogPageTest : public TitleDataTest {
protected:
    void SetUp() override
    {
        TitleDataTest::SetUp();
        testkit::TemplateBuilder& dialog = file.templateDef(kDialogTemplate, "POPUP_PAGE").size(200, 120);
        dialog.captionHeight = kCaption;
        dialog.panel(1, "DialogPanel").at(0, 0).size(200, 100).colour(200, 200, 200);
        dialogPage(kDialog, 33);
        dialogPage(kNoDefault, 99);
        file.templateDef(kOtherTemplate, "POPUP_PAGE").size(100, 100).panel(1, "Display").size(100, 100);
        file.page(kOther, kOtherTemplate);
        file.page(1, 1);
        previous_ = SetDialogPageRunner(RunDialogPageModally);
        // A page the product does not know is reported; the report is
        // answered.
        plat::SetResponder([this](const plat::UiRequest& r) -> std::optional<int> {
            reports.push_back(r.text);
            return r.kind == "MessageBox" ? std::optional<int>(plat::IDOK) : std::nullopt;
        });
    }
    void TearDown() override
    {
        SetDialogPageRunner(previous_);
        TitleDataTest::TearDown();
    }
    // Three buttons (hotspots 31, 32, 33) in a row.
    void dialogPage(std::int32_t id, std::int16_t defaultId)
    {
        testkit::PanelRecord panel(1);
        testkit::DialogIds ids;
        for (std::int16_t i = 0; i < 3; ++i) {
            const std::int16_t left = std::int16_t(10 + 60 * i);
            panel.add(testkit::HotspotRecord(0).id(std::int16_t(31 + i)).rect(left, 40, std::int16_t(left + 50), 80), file);
            ids.buttons[std::size_t(i)] = std::int16_t(31 + i);
        }
        ids.defaultButton = defaultId;
        file.page(std::uint32_t(id), kDialogTemplate).at(100, 100).storedPanel("DialogPanel",
                                                                            testkit::DialogPanelBytes(panel, ids));
    }
    void start()
    {
        readTitle();
        changeTo(1);
        // The idle tick would wake the wait every second.
        product().KillTimer(&data(), -1);
    }
    // A point of the dialog page's window on the screen.
    plat::POINT onDialog(std::int32_t pageId, int x, int y)
    {
        JxCPageObject* page = product().FindPageById(pageId);
        EXPECT_NE(page, nullptr);
        plat::RECT r{};
        if (page)
            plat::GetWindowRect(page->GetWindow(), &r);
        return plat::POINT{r.left + x, r.top + y};
    }
    void clickButton(std::int32_t pageId, int index)
    {
        harness.click(onDialog(pageId, 35 + 60 * index, kCaption + 60));
    }
    void postChar(std::int32_t pageId, plat::WPARAM ch)
    {
        JxCPageObject* page = product().FindPageById(pageId);
        ASSERT_NE(page, nullptr);
        plat::PostMessageA(page->GetWindow(), plat::WM_CHAR, ch, 0);
    }

    JxDialogPageRunner previous_;
    std::vector<std::string> reports;
};

TEST_F(DialogPageTest, TheCloseBoxAnswersOneAndTheThirdButtonTwo)
{
    start();
    Later closeBox([this] { harness.click(onDialog(kDialog, 5, 5)); }, 2000);
    EXPECT_EQ(RunDialogPage(kDialog, 0), 1);
    EXPECT_EQ(product().FindPageById(kDialog), nullptr);

    Later third([this] { clickButton(kDialog, 2); }, 2000);
    EXPECT_EQ(RunDialogPage(kDialog, 0), 2);
    harness.runUntilIdle();
    EXPECT_EQ(product().FindPageById(kDialog), nullptr);

    Later first([this] { clickButton(kDialog, 0); }, 2000);
    EXPECT_EQ(RunDialogPage(kDialog, 0), 0);
}

TEST_F(DialogPageTest, EnterAnswersWithTheDefaultButtonAndIsTakenWhenItNamesNone)
{
    start();
    Later enter([this] { postChar(kDialog, 13); }, 2000);
    EXPECT_EQ(RunDialogPage(kDialog, 0), 2);

    // A default id that names no button: the key is taken and nothing
    // answers, so the close box has to.
    Later enterThenClose([this] {
        postChar(kNoDefault, 13);
        harness.runUntilIdle();
        EXPECT_EQ(DialogResult(), JxCDialogPanel::kNoAnswer);
        EXPECT_NE(product().FindPageById(kNoDefault), nullptr);
        harness.click(onDialog(kNoDefault, 5, 5));
    }, 2000);
    EXPECT_EQ(RunDialogPage(kNoDefault, 0), 1);

    auto panel = std::make_unique<JxCDialogPanel>();
    JxCKeyParams key(plat::WM_CHAR, 13, 0);
    EXPECT_EQ(panel->HandleKey(key), 1);
    JxCKeyParams other(plat::WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(panel->HandleKey(other), 1);
}

TEST_F(DialogPageTest, APageThatCannotOpenAnswersOneAtOnceAndTheQueueGoesOn)
{
    start();
    const std::uint64_t before = harness.now();
    JxCOpenPageAction queued;
    queued.SetTarget(kOther, 0, 0);
    queued.Post();
    EXPECT_EQ(RunDialogPage(999, 0), 1);  // names no page
    EXPECT_EQ(reports.size(), 1u);
    harness.runUntilIdle();
    EXPECT_EQ(harness.now(), before);
    EXPECT_NE(product().FindPageById(kOther), nullptr);

    // Every page kept open: the append action opens nothing.
    for (JxCPageObject* p = product().GetPageList().GetFirst(); p; p = product().GetPageList().GetNext(p))
        p->SetKeepOpen(1);
    JxCAppendPageAction append;
    append.SetTarget(kDialog, 0, 0);
    EXPECT_EQ(append.Execute(), 0);
    EXPECT_EQ(RunDialogPage(kDialog, 0), 1);
    EXPECT_EQ(product().FindPageById(kDialog), nullptr);
    EXPECT_EQ(harness.now(), before);
}

TEST_F(DialogPageTest, AnActionThatAsksADialogDoesNotHoldTheActionsBehindIt)
{
    start();
    AskingAction asking;
    asking.pageId = 999;
    asking.Trigger(0);
    JxCOpenPageAction behind;
    behind.SetTarget(kOther, 0, 0);
    behind.Post();
    harness.runUntilIdle();
    EXPECT_EQ(asking.answer, 1);
    EXPECT_NE(product().FindPageById(kOther), nullptr);

    // A page that does open: its button answers from inside the pass.
    AskingAction opening;
    opening.pageId = kDialog;
    Later second([this] { clickButton(kDialog, 1); }, 2000);
    opening.Trigger(0);
    harness.runUntilIdle();
    EXPECT_EQ(opening.answer, 1);
}

TEST_F(DialogPageTest, AQuitWhileWaitingAnswersOneAndReachesTheMainLoop)
{
    start();
    Later quit([] { plat::PostQuitMessage(4); }, 2000);
    EXPECT_EQ(RunDialogPage(kDialog, 0), 1);
    harness.runUntilIdle();
    EXPECT_TRUE(harness.quitSeen());
    EXPECT_EQ(harness.exitCode(), 4);
}

// The host's close (its window's close box, a log-out) while the dialog
// waits is no answer: the dialog gives way as it does to a quit, and the
// main loop closes the program as it would without a dialog.
TEST_F(DialogPageTest, TheHostsCloseWhileWaitingAnswersOneAndClosesTheProgramFromTheMainLoop)
{
    start();
    Later close([] { plat::HostCloseRequested(); }, 2000);
    Later answer([this] { clickButton(kDialog, 0); }, 4000);  // only were the close lost
    EXPECT_EQ(RunDialogPage(kDialog, 0), 1);
    EXPECT_FALSE(harness.quitSeen());
    harness.runUntilIdle();
    EXPECT_TRUE(harness.quitSeen()) << "the main window was closed";
    EXPECT_EQ(harness.exitCode(), 0);
}

TEST_F(DialogPageTest, TheWaitSleeps)
{
    start();
    // Once the page is up, another thread answers with Enter half a
    // second later, in real time.
    std::atomic<plat::HWND> window{nullptr};
    std::chrono::steady_clock::time_point start;
    double cpu0 = 0;
    Later opened([&] {
        start = std::chrono::steady_clock::now();
        cpu0 = threadCpuMs();
        window = product().FindPageById(kDialog)->GetWindow();
    }, 10);
    std::thread answerer([&] {
        while (!window.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        plat::PostMessageA(window.load(), plat::WM_CHAR, 13, 0);
    });
    const std::int32_t answer = RunDialogPage(kDialog, 0);
    const double cpu = threadCpuMs() - cpu0;
    const double wall = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    answerer.join();
    EXPECT_EQ(answer, 2);
    EXPECT_GE(wall, 450.0);
    EXPECT_LT(cpu, wall * 0.2) << "cpu " << cpu << " ms over " << wall << " ms";
}

}  // namespace
}  // namespace title_test
