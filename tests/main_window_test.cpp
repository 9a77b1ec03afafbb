// The program started whole, with its real start-up services, on the sample
// title: the main window opens on the first page, waits without using the
// processor, and closes from its close box and from Alt+F4 with the program
// ending cleanly.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "events/JxCNotify.h"
#include "events/JxCNotifyRoot.h"
#include "foundation/JxErrorHook.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxMemoryGuard.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "foundation/JxStringLoader.h"
#include "objects/actions/JxCChangePageAction.h"
#include "platform/backend/harness.h"
#include "platform/screen/screen.h"
#include "platform/tests/host_display_keeper.h"
#include "platform/tests/temp_config.h"
#include "platform/backend/sdl.h"
#include "platform/window/desktop.h"
#include "platform/window/input.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseApp.h"
#include "runtime/JxCProduct.h"
#include "runtime/JxCTovelApp.h"
#include "runtime/JxMainWindowProc.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxTypeRegistry.h"
#include "testkit/display_objects.h"
#include "testkit/sample_title.h"
#include "testkit/type_ids.h"
#include "tests/own_display.h"
#include "tests/program_fixture.h"
#include "tests/program_run.h"
#include "tests/title_disc.h"
#include "title/JxTitleStartup.h"

namespace {

plat::POINT closeBox(plat::HWND main)
{
    plat::RECT r;
    plat::GetWindowRect(main, &r);
    for (int y = r.top; y < r.top + 40; ++y)
        for (int x = r.right - 1; x > r.right - 80; --x) {
            plat::LPARAM at = plat::LPARAM((x & 0xFFFF) | (y << 16));
            if (plat::SendMessageA(main, plat::WM_NCHITTEST, 0, at) == plat::HTCLOSE)
                return {x, y};
        }
    ADD_FAILURE() << "the main window has no close box";
    return {0, 0};
}

class MainWindowTest : public ProgramTest {
protected:
    // The ids of the open pages, in the order of the product's page list.
    // Two child pages of the sample's child template (that of its notes).
    static constexpr std::int32_t kChildA = 41, kChildB = 42;
    static void addChildPages(testkit::TitleFolder& title)
    {
        title.data.page(std::uint32_t(kChildA), 3).name("Child A");
        title.data.page(std::uint32_t(kChildB), 3).name("Child B");
    }

    static std::vector<std::int32_t> openPageIds()
    {
        std::vector<std::int32_t> ids;
        JxCPageObjectList& pages = GetProduct()->GetPageList();
        for (JxCPageObject* page = pages.GetFirst(); page; page = pages.GetNext(page))
            ids.push_back(page->GetPageId());
        return ids;
    }

    // The page the title shows once it runs, for a command line.
    std::int32_t firstPageShown(const char* commandLine)
    {
        std::int32_t shown = -1;
        run(
            [&](plat::HWND main) {
                if (shown != -1)
                    return false;
                JxCBaseProduct* product = GetProduct();
                shown = product->GetPageCount() == 1 ? product->GetFirstPage()->GetPageId() : 0;
                EXPECT_EQ(product->GetSplashWindow(), nullptr);
                plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
                return true;
            },
            commandLine);
        return shown;
    }
};

TEST_F(MainWindowTest, TheMainWindowOpensOnTheTitleAndClosesFromItsCloseBox)
{
    int waits = 0;
    int code = run([&](plat::HWND main) {
        if (waits++ > 0)
            return false;
        // What the user sees: a captioned window whose 640 by 480 client
        // area shows the first page, drawn over the main class's white.
        EXPECT_EQ(plat::WindowText(main), "Kelbo");
        EXPECT_TRUE(plat::IsWindowVisible(main));
        plat::RECT client;
        plat::GetClientRect(main, &client);
        EXPECT_EQ(client.right, 640);
        EXPECT_EQ(client.bottom, 480);
        plat::POINT centre{320, 240};
        plat::ClientToScreen(main, &centre);
        EXPECT_NE(plat::TheScreen().pixels()[centre.y * plat::TheScreen().stride() + centre.x], 0xFFFFFFu);
        if (const char* shot = std::getenv("KELBO_SCREENSHOT"))
            harness->writeScreenPng(shot);
        harness->click(closeBox(main));
        return true;
    });
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(plat::IsWindow(mainSeen));
    EXPECT_EQ(GetProduct(), nullptr);
    EXPECT_FALSE(HoldsEmergencyMemory());
}

// The sample title lists pages 1, 2 and 3 to start with.
TEST_F(MainWindowTest, TheTitleOpensItsFirstStartPageByDefault)
{
    EXPECT_EQ(firstPageShown(""), 1);
}

TEST_F(MainWindowTest, TheTitleOpensTheStartPageOfItsCommandLine)
{
    missingFiles = {kSampleMovie};  // the gallery's
    EXPECT_EQ(firstPageShown("/start=3"), 3);
}

TEST_F(MainWindowTest, AStartPagePastTheListOpensItsFirstEntry)
{
    EXPECT_EQ(firstPageShown("/start=99"), 1);
}

TEST_F(MainWindowTest, TheFirstPageIsBuiltFromItsRecordAndItsTemplatesPanels)
{
    bool seen = false;
    run([&](plat::HWND main) {
        if (seen)
            return false;
        seen = true;
        JxCBaseProduct* product = GetProduct();
        JxCPageObject* page = product->GetFirstPage();
        EXPECT_EQ(product->GetCurrentPage(), page);
        JxCPageDef* def = page->GetPageDef();
        EXPECT_EQ(def->GetName().View(), "Welcome");
        EXPECT_EQ(def->GetTemplateId(), 1);
        EXPECT_EQ(std::int16_t(def->GetPageType()), std::int16_t(PageTypeId(JxPageKeyword::BASE_PAGE)));
        EXPECT_EQ(def->GetPanelList().GetCount(), 3);
        EXPECT_EQ(product->GetProductDef()->GetName().View(), "Kelbo Sample");
        plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
        return true;
    });
    EXPECT_TRUE(seen);
}

TEST_F(MainWindowTest, AltF4ClosesTheMainWindowAndEndsTheProgram)
{
    bool pressed = false;
    int code = run([&](plat::HWND) {
        if (pressed)
            return false;
        pressed = true;
        harness->keyDown(plat::VK_MENU);
        harness->tap(plat::VK_F4);
        harness->keyUp(plat::VK_MENU);
        return true;
    });
    EXPECT_TRUE(pressed);
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(plat::IsWindow(mainSeen));
}

TEST_F(MainWindowTest, AChangeOfTheDisplayDepthEndsTheProgramWithItsMessage)
{
    std::vector<std::string> boxes;
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        boxes.push_back(r.text);
        return kAnswerOk;
    });
    bool changed = false;
    int code = run([&](plat::HWND) {
        if (changed)
            return false;
        changed = true;
        harness->changeDisplay(plat::TheScreen().width(), plat::TheScreen().height(), 16);
        return true;
    });
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(plat::IsWindow(mainSeen));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("[1172]: You have changed your display settings."), std::string::npos) << boxes[0];
}

// Hears the end of the activation event's dispatch.
class ActivationEar : public JxCNotifyRoot {
public:
    void Notify(JxCNotify*, JxCObject*) override
    {
        JxCBaseProduct* product = GetProduct();
        pagesWhenActivated = product->GetPageCount();
        pendingWhenActivated = product->CountPendingActions();
    }
    std::int32_t pagesWhenActivated = -1;
    std::int32_t pendingWhenActivated = -1;
};

TEST_F(MainWindowTest, ReactivatingRunsTheProductsActivationHandlerAfterTheActivation)
{
    // The sample title, its product definition binding "on_activateapp" to
    // opening two child pages beside the first (a base page would take the
    // main window's place instead).
    {
        ProgramClasses classes;
        RegisterTypeIds();
        testkit::TitleFolder title = testkit::SampleTitle();
        addChildPages(title);
        title.data.product().on("on_activateapp",
                                {testkit::OpenPageAction(kChildA), testkit::OpenPageAction(kChildB)});
        install(title);
        ReleaseTypeRegistries();
    }

    ActivationEar ear;
    int step = 0;
    std::vector<std::int32_t> opened;
    run([&](plat::HWND main) {
        JxCBaseProduct* product = GetProduct();
        switch (step++) {
        case 0:
            harness->deactivateApp();
            return true;
        case 1:
            EXPECT_EQ(product->GetPageCount(), 1) << "deactivating runs nothing";
            ear.AddObjectNotify(std::int16_t(EventId(JxEventKeyword::on_activateapp)), 0, nullptr);
            harness->activateApp();
            return true;
        default:
            if (!opened.empty())
                return false;
            opened = openPageIds();
            plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
            return true;
        }
    });
    // The handler's actions were only queued while the activation ran; the
    // pages opened from the processor's message once it had returned.
    EXPECT_EQ(ear.pagesWhenActivated, 1);
    EXPECT_EQ(ear.pendingWhenActivated, 2);
    EXPECT_EQ(opened, (std::vector<std::int32_t>{1, kChildA, kChildB}));
}

TEST_F(MainWindowTest, ATitleWithHandlersInEveryDefinitionStartsAndRunsThem)
{
    // Once page 1 is shown, its own record opens child page B and then its
    // template opens child page A; the product's handler waits for a click.
    RegisterTypeIds();
    testkit::TitleFolder title = testkit::SampleTitle();
    addChildPages(title);
    title.data.product().on("on_click", {testkit::OpenPageAction(kChildB)});
    title.data.existingTemplate(1).on("on_open", {testkit::OpenPageAction(kChildA)});
    title.data.existingPage(1).on("on_open", {testkit::OpenPageAction(kChildB)});
    install(title);
    ReleaseTypeRegistries();

    // The pages open through posted messages alone: by the program's first
    // wait for input all three stand.
    std::vector<std::int32_t> opened;
    run([&](plat::HWND main) {
        if (!opened.empty())
            return false;
        opened = openPageIds();
        plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
        return true;
    });
    EXPECT_EQ(opened, (std::vector<std::int32_t>{1, kChildB, kChildA}));
}

double threadCpuMs(pthread_t thread)
{
    clockid_t clock;
    timespec ts{};
    if (pthread_getcpuclockid(thread, &clock) != 0 || clock_gettime(clock, &ts) != 0)
        return -1;
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

TEST_F(MainWindowTest, TheWaitingProgramUsesNoProcessorTime)
{
    // The real clock: the program really sleeps while it waits.
    harness.reset();
    harness = std::make_unique<plat::Harness>(false);
    pthread_t ui = pthread_self();
    std::atomic<plat::HWND> main{nullptr};
    double used = -1;
    std::thread user([&] {
        while (!main.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        double before = threadCpuMs(ui);
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        used = threadCpuMs(ui) - before;
        plat::PostMessageA(main.load(), plat::WM_CLOSE, 0, 0);
    });
    int code = run([&](plat::HWND window) {
        main = window;
        return false;
    });
    user.join();
    EXPECT_EQ(code, 0);
    EXPECT_GE(used, 0.0);
    EXPECT_LT(used, 20.0) << "ms of processor time in one second of waiting";
}

// The processor time of the started program once its start-up is done:
// a second and a half without a tick, 40 s at the most. -1 when it cannot
// be read.
long ticksOnceStill(pid_t pid)
{
    long before = -1;
    for (int i = 0, still = 0; i < 80 && still < 3; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        const long now = processTicks(pid);
        still = now >= 0 && now == before ? still + 1 : 0;
        before = now;
    }
    return before;
}

TEST(Program, TheStartedProgramWaitsWithoutUsingTheProcessor)
{
    plat::testing::TempConfig config;
    WriteTitleDisc(config.root() + "/xdg/kelbo", config.root() + "/disc");
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        setenv("KELBO_BACKEND", "headless", 1);
        setenv("XDG_CONFIG_HOME", (config.root() + "/xdg").c_str(), 1);
        execl(KELBO_PROGRAM, KELBO_PROGRAM, static_cast<char*>(nullptr));
        _exit(127);
    }
    // Start-up done: a second and a half without a tick (a loaded machine
    // or a sanitizer build makes it take a while, and a start-up waiting on
    // the disk also spends no processor time for a moment).
    const long before = ticksOnceStill(pid);
    std::this_thread::sleep_for(std::chrono::milliseconds(3000));
    long after = processTicks(pid);
    int status = 0;
    bool stillRunning = waitpid(pid, &status, WNOHANG) == 0;
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    ASSERT_TRUE(stillRunning) << "the program ended by itself";
    ASSERT_GE(before, 0);
    // Clock ticks are 10 ms: at most two in 3 s of waiting (the title's
    // once-a-second timer wakes it for a moment).
    EXPECT_LE(after - before, 2);
}

TEST(Program, WithoutADisplayOrAScriptItSaysItRunsHeadlessAndHowToEndIt)
{
    plat::testing::TempConfig config;
    WriteTitleDisc(config.root() + "/xdg/kelbo", config.root() + "/disc");
    const std::string said = config.root() + "/stderr.txt";
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("KELBO_BACKEND");
        unsetenv("KELBO_SCRIPT");
        setenv("XDG_CONFIG_HOME", (config.root() + "/xdg").c_str(), 1);
        const int out = open(said.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 2);
        execl(KELBO_PROGRAM, KELBO_PROGRAM, static_cast<char*>(nullptr));
        _exit(127);
    }
    std::string text;
    for (int i = 0; i < 100 && text.find("Ctrl+C") == std::string::npos; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        text = plat::testing::TempConfig::readFile(said);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    EXPECT_NE(text.find("runs headless"), std::string::npos) << text;
    EXPECT_NE(text.find("DISPLAY is not set"), std::string::npos) << text;
    EXPECT_NE(text.find("Ctrl+C"), std::string::npos) << text;
}

// The same wait under SDL on the test's X display, on the login (whose
// caret blinks) and the welcome page, with a sound device (SDL's disk
// driver, writing to /dev/null) and without one: at most one clock tick in
// 5 s on the welcome page and two on the login. The welcome page chimes
// now and then; of two windows of 5 s, the quieter counts.
struct SdlIdleCase {
    const char* name;
    const char* start;
    const char* audioDriver;
    long mostTicks;
};

class ProgramIdleUnderSdl : public ::testing::TestWithParam<SdlIdleCase> {};

TEST_P(ProgramIdleUnderSdl, WaitsWithoutUsingTheProcessor)
{
    const SdlIdleCase& c = GetParam();
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        GTEST_SKIP() << "no X display (the test suite runs under Xvfb)";
    plat::testing::TempConfig config;
    WriteTitleDisc(config.root() + "/xdg/kelbo", config.root() + "/disc");
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        setenv("KELBO_BACKEND", "sdl", 1);
        setenv("SDL_AUDIODRIVER", c.audioDriver, 1);
        setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
        setenv("XDG_CONFIG_HOME", (config.root() + "/xdg").c_str(), 1);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, 2);
        execl(KELBO_PROGRAM, KELBO_PROGRAM, c.start, static_cast<char*>(nullptr));
        _exit(127);
    }
    const long before = ticksOnceStill(pid);
    long fewest = -1;
    for (int window = 0; window < 2 && fewest != 0; ++window) {
        const long from = processTicks(pid);
        std::this_thread::sleep_for(std::chrono::milliseconds(5000));
        const long used = processTicks(pid) - from;
        fewest = fewest < 0 ? used : std::min(fewest, used);
    }
    int status = 0;
    bool stillRunning = waitpid(pid, &status, WNOHANG) == 0;
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    ASSERT_TRUE(stillRunning) << "the program ended by itself";
    ASSERT_GE(before, 0);
    RecordProperty("idle_ticks", std::to_string(fewest));
    std::printf("idle under SDL, %s: %ld ticks in 5 s\n", c.name, fewest);
    EXPECT_LE(fewest, c.mostTicks);
}

INSTANTIATE_TEST_SUITE_P(
    LoginAndWelcome, ProgramIdleUnderSdl,
    ::testing::Values(SdlIdleCase{"WelcomeWithASoundDevice", "/start=2", "disk", 1},
                      SdlIdleCase{"WelcomeWithoutASoundDevice", "/start=2", "nowhere", 1},
                      SdlIdleCase{"LoginWithASoundDevice", "/start=1", "disk", 2},
                      SdlIdleCase{"LoginWithoutASoundDevice", "/start=1", "nowhere", 2}),
    [](const ::testing::TestParamInfo<SdlIdleCase>& info) { return std::string(info.param.name); });

TEST(Program, UnderSdlTheProgramEndsWhenItsDisplayGoesAway)
{
    OwnXDisplay display;
    if (display.name().empty())
        GTEST_SKIP() << "no Xvfb to start a display of the test's own";
    plat::testing::TempConfig config;
    WriteTitleDisc(config.root() + "/xdg/kelbo", config.root() + "/disc");
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        setenv("KELBO_BACKEND", "sdl", 1);
        setenv("DISPLAY", display.name().c_str(), 1);
        setenv("XDG_CONFIG_HOME", (config.root() + "/xdg").c_str(), 1);
        execl(KELBO_PROGRAM, KELBO_PROGRAM, static_cast<char*>(nullptr));
        _exit(127);
    }
    // The display goes once the program waits in its loop: its processor
    // time stands still.
    long ticks = -1;
    for (int i = 0, still = 0; i < 120 && still < 3; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        const long now = processTicks(pid);
        still = now == ticks ? still + 1 : 0;
        ticks = now;
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, WNOHANG), 0) << "the program ended before its display went";
    display.TakeAway();
    bool ended = false;
    // Under a loaded machine the end can take a while; 30 s is far beyond
    // what a working program needs, and short of a hang.
    for (int i = 0; i < 300 && !ended; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ended = waitpid(pid, &status, WNOHANG) == pid;
    }
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    EXPECT_TRUE(ended) << "the program was still running 30 s after its display went away";
}

// The program under the SDL backend, in a real host window. The user's
// input is given from a timer of the program's own loop, so the test needs
// no tool that drives the host's display.
enum class Closing { CloseBox, AltF4 };

Closing& closingWay()
{
    static Closing way = Closing::CloseBox;
    return way;
}

void CALLBACK_userInput(plat::HWND main, plat::UINT, std::uintptr_t id, plat::DWORD)
{
    plat::KillTimer(main, id);
    if (closingWay() == Closing::CloseBox) {
        plat::POINT at = closeBox(main);
        plat::InjectMouseButton(plat::MouseButton::Left, true, at);
        plat::InjectMouseButton(plat::MouseButton::Left, false, at);
    } else {
        // Keys go to the active window. Under a display without a window
        // manager the host may not have given ours the focus yet, so the
        // user brings it to the front first, as anyone would.
        plat::SetForegroundWindow(main);
        plat::InjectKey(plat::VK_MENU, true);
        plat::InjectKey(plat::VK_F4, true);
        plat::InjectKey(plat::VK_F4, false);
        plat::InjectKey(plat::VK_MENU, false);
    }
}

// Should the input never close the window, the test fails and the window
// goes, instead of the test waiting until CTest kills it.
void CALLBACK_giveUp(plat::HWND main, plat::UINT, std::uintptr_t id, plat::DWORD)
{
    plat::KillTimer(main, id);
    ADD_FAILURE() << "the window did not close from the user's input";
    plat::DestroyWindow(main);
}

// The title's start, then the user acts once the window has been shown.
class UserProduct : public JxCProduct {
public:
    std::int16_t Start() override
    {
        if (!JxCProduct::Start())
            return 0;
        plat::SetTimer(GetProductWindow(), 77, 300, CALLBACK_userInput);
        plat::SetTimer(GetProductWindow(), 78, 20000, CALLBACK_giveUp);
        return 1;
    }
};

TEST_F(MainWindowTest, UnderTheSdlBackendTheWindowClosesFromItsCloseBoxAndFromAltF4)
{
    for (Closing way : {Closing::CloseBox, Closing::AltF4}) {
        SCOPED_TRACE(way == Closing::CloseBox ? "close box" : "Alt+F4");
        plat::testing::KeepHostDisplay();
        std::string error;
        std::unique_ptr<plat::Backend> sdl = plat::CreateSdlBackend(&error);
        if (!sdl)
            GTEST_SKIP() << "the SDL backend cannot start: " << error;
        harness.reset();
        std::unique_ptr<plat::Backend> previous = plat::InstallBackend(std::move(sdl));
        plat::ResetDesktop();
        ResetAppLoop();
        ResetMainWindowState();
        closingWay() = way;
        JxCTovelApp program(0);
        ConnectTitleServices(program);
        program.Services().makeProduct = [] { return std::make_unique<UserProduct>(); };
        SetProgramStarted();
        ConnectErrorReporting();
        char line[] = "";
        JxCStartupInfo info{nullptr, nullptr, line};
        EXPECT_EQ(RunApplication(program, info), 0);
        EXPECT_EQ(GetProduct(), nullptr);
        EXPECT_EQ(plat::FindWindowA("JxTovel", nullptr), nullptr);
        plat::ResetDesktop();
        plat::InstallBackend(std::move(previous));
        harness = std::make_unique<plat::Harness>();
    }
}

}  // namespace

// The page change in the running program: the sample title, whose pages 1
// and 2 store their content panels, with a popup page that stays above the
// others.
class PageChangeRunTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ProgramClasses classes;
        RegisterTypeIds();
        testkit::TitleFolder title = testkit::SampleTitle();
        testkit::TemplateBuilder& popup = title.data.templateDef(5, "POPUP_PAGE").size(200, 100).area(10, 20, 400, 300);
        popup.panel(1, "Display").at(0, 0).size(200, 100).colour(176, 72, 40);
        popup.pageWords[1] = 1;  // linked
        popup.pageWords[3] = 1;  // stays above the others
        title.data.page(5, 5).name("Note");
        install(title);
        ReleaseTypeRegistries();
    }
    // The program's run, with `user` called each time it waits for input
    // with nothing left to do (not inside a transition).
    int runSettled(std::function<bool(plat::HWND main)> user)
    {
        return run([user](plat::HWND main) {
            JxCBaseProduct* product = GetProduct();
            if (product->GetBusyBits() || product->CountPendingActions() > 0)
                return false;
            return user(main);
        });
    }
    static void changeTo(std::uint32_t page, std::int32_t transitionType)
    {
        JxCChangePageAction action;
        action.SetTarget(page, transitionType);
        EXPECT_EQ(action.Post(), 1);
    }
    static std::uint32_t screenAt(plat::HWND window, int x, int y)
    {
        plat::POINT at{x, y};
        plat::ClientToScreen(window, &at);
        return plat::TheScreen().pixels()[at.y * plat::TheScreen().stride() + at.x];
    }
    static plat::RECT rectOf(plat::HWND window)
    {
        plat::RECT r{};
        plat::GetWindowRect(window, &r);
        return r;
    }
};

TEST_F(PageChangeRunTest, AWipeToTheSecondPageReplacesTheContentPanelAndKeepsTheTemplatesOthers)
{
    missingFiles = {kSampleMovie};  // the gallery's
    int step = 0;
    JxCPanelObject* banner = nullptr;
    JxCPanelObject* content = nullptr;
    plat::RECT before{};
    runSettled([&](plat::HWND main) {
        JxCBaseProduct* product = GetProduct();
        JxCPageObject* page = product->GetFirstPage();
        switch (step++) {
        case 0:
            banner = page->FindPanelById(1);
            content = page->FindPanelById(2);
            before = rectOf(main);
            product->GoToPage(2, 8);  // a base page: a change, with wipe_left
            return true;
        case 1:
            EXPECT_EQ(product->GetPageCount(), 1);
            EXPECT_EQ(page->GetPageId(), 2);
            EXPECT_EQ(page->FindPanelById(1), banner);
            EXPECT_NE(page->FindPanelById(2), nullptr);
            EXPECT_NE(page->FindPanelById(2), content);
            EXPECT_EQ(page->GetPanelList()->GetCount(), 3);
            EXPECT_EQ(rectOf(main).left, before.left);
            EXPECT_EQ(rectOf(main).bottom, before.bottom);
            EXPECT_EQ(product->GetBusyBits(), 0);
            changeTo(3, 0);  // another template: the content panel's colour
            return true;
        case 2:
            EXPECT_EQ(page->GetPageId(), 3);
            EXPECT_EQ(page->FindPanelById(1), banner);
            EXPECT_EQ(screenAt(main, 320, 240), 0x507830u);  // moss
            plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
            return true;
        default:
            return false;
        }
    });
    EXPECT_EQ(step, 3);
}

TEST_F(PageChangeRunTest, APopupShownOverThePageMovesToANewWindowAtTheSameRectangle)
{
    int step = 0;
    plat::HWND first = nullptr;
    plat::RECT at{};
    JxCPageObject* popup = nullptr;
    runSettled([&](plat::HWND main) {
        JxCBaseProduct* product = GetProduct();
        switch (step++) {
        case 0:
            product->GoToPage(5, 0);  // a popup page: an opening
            return true;
        case 1:
            popup = product->FindPageById(5);
            if (!popup) {
                ADD_FAILURE() << "the popup did not open";
                plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
                return true;
            }
            first = popup->GetWindow();
            at = rectOf(first);
            EXPECT_EQ(at.left - rectOf(main).left, 10 + 95 + (rectOf(main).right - rectOf(main).left - 640) / 2);
            EXPECT_EQ(screenAt(first, 100, 50), 0xB04828u);  // rust
            changeTo(2, 0);
            return true;
        case 2:
            EXPECT_EQ(product->GetFirstPage()->GetPageId(), 2);
            EXPECT_TRUE(product->HasPage(popup));
            EXPECT_FALSE(plat::IsWindow(first));
            EXPECT_EQ(rectOf(popup->GetWindow()).left, at.left);
            EXPECT_EQ(rectOf(popup->GetWindow()).top, at.top);
            EXPECT_EQ(rectOf(popup->GetWindow()).right, at.right);
            EXPECT_EQ(rectOf(popup->GetWindow()).bottom, at.bottom);
            EXPECT_EQ(screenAt(popup->GetWindow(), 100, 50), 0xB04828u);
            plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
            return true;
        default:
            return false;
        }
    });
    EXPECT_EQ(step, 3);
}

TEST_F(PageChangeRunTest, AClickOnTheFirstPagesHotspotShowsTheSecondPageAndAClickThereGoesBack)
{
    int step = 0;
    std::vector<std::int32_t> shown;
    std::vector<std::uint32_t> colours;
    runSettled([&](plat::HWND main) {
        JxCBaseProduct* product = GetProduct();
        plat::POINT at{0, 0};
        switch (step++) {
        case 0:
            at = {100, 170};  // the welcome picture's rust block
            break;
        case 1:
        case 2:
            shown.push_back(product->GetFirstPage()->GetPageId());
            colours.push_back(screenAt(main, 160, 170));
            if (step == 3) {
                plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
                return true;
            }
            at = {160, 170};  // the contents picture's teal block
            break;
        default:
            return false;
        }
        plat::ClientToScreen(main, &at);
        harness->click(at);
        return true;
    });
    EXPECT_EQ(shown, (std::vector<std::int32_t>{2, 1}));
    EXPECT_EQ(colours, (std::vector<std::uint32_t>{0x208080u, 0xFFFFFFu}));  // teal, then the white frame
}
