#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/JxErrorHook.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxStringLoader.h"
#include "foundation/JxResourceLibraries.h"
#include "graphics/JxCSlatePool.h"
#include "graphics/JxGraphicsLink.h"
#include "platform/draw/dc.h"
#include "platform/fs/folders.h"
#include "platform/backend/harness.h"
#include "platform/window/cursor.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseApp.h"
#include "runtime/JxCProduct.h"
#include "runtime/JxCTovelApp.h"
#include "runtime/JxCWindowClass.h"
#include "runtime/JxMainWindow.h"
#include "runtime/JxMainWindowProc.h"

namespace {

using Log = std::vector<std::string>;

// A product whose start only opens the main window (a client area of 640 by
// 480 pixels, centred, the title text as its caption): the application's
// steps seen from outside, what the start found, and a start that can be
// made to fail after it has opened its window. The product's own start is
// tested on titles written by testkit.
class TestProduct : public JxCProduct {
public:
    TestProduct(Log& log, bool succeed, std::int32_t* startPageSeen)
        : log_(log), succeed_(succeed), startPageSeen_(startPageSeen)
    {
    }
    ~TestProduct() override { log_.push_back("product deleted"); }
    std::int16_t Start() override
    {
        log_.push_back("start");
        if (startPageSeen_)
            *startPageSeen_ = GetStartPage();
        return succeed_ ? openMainWindow() : 0;
    }
    void StopQueuedActions() override { log_.push_back("stop actions"); }

private:
    std::int16_t openMainWindow()
    {
        using namespace plat;
        SetActionProcessor(std::make_unique<JxCActionProcessor>());
        const DWORD style = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        RECT frame{0, 0, kPageWidth, kPageHeight};
        AdjustWindowRect(&frame, style, 0);
        HWND window = CreateMainWindow("Kelbo", frame.right - frame.left, frame.bottom - frame.top);
        SetProductWindow(window);
        return window ? 1 : 0;
    }

    Log& log_;
    bool succeed_;
    std::int32_t* startPageSeen_;
};

class StartupTest : public ::testing::Test {
public:
    void SetUp() override
    {
        ResetAppLoop();
        ResetMainWindowState();
        JxStartupServices& s = app.Services();
        s.loadWaitCursor = [this] {
            log.push_back("wait cursor");
            return plat::LoadCursorA(nullptr, plat::IDC_WAIT);
        };
        s.readSettings = note("settings");
        s.resetVersionInfo = note("version info");
        s.selectLanguage = note("language");
        s.registerTypeIds = [this] { return step("type ids", typeIdsOk); };
        s.checkPhysicalMemory = note("memory check");
        s.reserveEmergencyMemory = note("memory reserve");
        s.isTestingEnabled = [this] { return developer; };
        s.checkStartupDataPaths = [this] { return step("data paths", dataOk); };
        s.checkDataVersionsAlt = [this] { return step("data versions", dataOk); };
        s.reserveFileHandles = note("file handles");
        s.makeProduct = [this]() -> std::unique_ptr<JxCBaseProduct> {
            log.push_back("product");
            return std::make_unique<TestProduct>(log, startOk, &startPageSeen);
        };
        s.registerWindowClasses = [this](const JxCStartupInfo& info) {
            log.push_back("classes");
            return RegisterWindowClasses(info);
        };
        s.checkWaveDevice = [this] { return step("wave device", waveOk); };
        s.mousePresent = [this] { return mouse; };
        s.makeProductData = nullptr;
        s.clearDeferredErrors = note("clear errors");
        s.releaseEmergencyMemory = note("release memory");
        s.releaseTypeRegistries = note("release type registries");
        plat::SetResponder([this](const plat::UiRequest& r) -> std::optional<int> {
            boxes.push_back(r);
            return kAnswerOk;
        });
        // The program's own texts as shipped.
        plat::SetProgramFileHost(std::string(KELBO_SOURCE_DIR) + "/resources/kelbo32");
        ResetResourceLibraries();
        ConnectErrorReporting();
        SetProgramStarted();
    }
    void TearDown() override
    {
        SetStringLoader({});
        SetErrorReporter({});
        plat::SetProgramFileHost("");
        ResetResourceLibraries();
        plat::SetResponder(nullptr);
        DeleteProduct();
        ResetErrorReporting();
    }

    std::function<void()> note(const char* what)
    {
        return [this, what] { log.push_back(what); };
    }
    std::int16_t step(const char* what, bool ok)
    {
        log.push_back(what);
        return ok ? 1 : 0;
    }

    // Runs the application; when the program waits with its window open,
    // the window is closed as the user would (through WM_CLOSE).
    int run(const char* commandLine = "")
    {
        harness.backend().setIdleHook([this](std::optional<std::uint64_t>) {
            JxCBaseProduct* product = GetProduct();
            if (closed || !product || !product->GetProductWindow())
                return false;
            closed = true;
            log.push_back("close");
            plat::PostMessageA(product->GetProductWindow(), plat::WM_CLOSE, 0, 0);
            return true;
        });
        std::strncpy(line, commandLine, sizeof line - 1);
        JxCStartupInfo info{nullptr, previousInstance, line};
        return RunApplication(app, info);
    }

    static Log exitSteps(bool withProduct)
    {
        Log l;
        if (withProduct)
            l = {"stop actions", "product deleted"};
        for (const char* s : {"clear errors", "release memory", "release type registries"})
            l.push_back(s);
        return l;
    }
    static Log concat(Log a, const Log& b)
    {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }

    plat::Harness harness;
    JxCTovelApp app{0};
    Log log;
    std::vector<plat::UiRequest> boxes;
    bool typeIdsOk = true, dataOk = true, startOk = true, waveOk = true, mouse = true, developer = false;
    bool closed = false;
    std::int32_t startPageSeen = -99;
    plat::HINSTANCE previousInstance = nullptr;
    char line[256] = {};
};

const Log kStep1 = {"wait cursor"};
const Log kStep2Front = {"settings", "version info", "language", "type ids"};
const Log kStep2Back = {"memory check", "memory reserve", "data versions"};
const Log kStep2End = {"file handles", "product"};

TEST_F(StartupTest, TheStepsRunInOrderThenTheLoopUntilTheWindowClosesThenTheExit)
{
    EXPECT_EQ(run(), 0);
    Log expected = kStep1;
    for (const Log* part : {&kStep2Front, &kStep2Back, &kStep2End})
        expected = concat(expected, *part);
    expected = concat(expected, {"classes", "wave device", "start", "close"});
    // Closing the main window ended the loop; the exit deletes the product.
    expected = concat(expected, exitSteps(true));
    EXPECT_EQ(log, expected);
    EXPECT_EQ(GetProduct(), nullptr);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(StartupTest, EachFailingStepEndsStartUpAndTheExitStillRuns)
{
    struct Case {
        const char* name;
        bool StartupTest::*flag;
        Log steps;
        bool productAtExit;
    };
    const Log upToTypeIds = concat(kStep1, kStep2Front);
    const Log upToData = concat(upToTypeIds, kStep2Back);
    const Log upToProduct = concat(upToData, kStep2End);
    const Case cases[] = {
        {"type ids", &StartupTest::typeIdsOk, upToTypeIds, false},
        {"data check", &StartupTest::dataOk, upToData, false},
        {"wave device", &StartupTest::waveOk, concat(upToProduct, {"classes", "wave device"}), true},
        // The start fails after opening its window: the product and its
        // window go at once, so the exit finds no product.
        {"product start", &StartupTest::startOk,
         concat(upToProduct, {"classes", "wave device", "start", "product deleted"}), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        plat::Harness fresh;
        log.clear();
        closed = false;
        typeIdsOk = dataOk = waveOk = startOk = true;
        this->*c.flag = false;
        EXPECT_EQ(run(), 0);
        EXPECT_EQ(log, concat(c.steps, exitSteps(c.productAtExit)));
        EXPECT_EQ(GetProduct(), nullptr);
        EXPECT_EQ(plat::FindWindowA(kMainWindowClassName, nullptr), nullptr);
        EXPECT_FALSE(closed) << "the loop ran";
    }
}

TEST_F(StartupTest, AFailedClassRegistrationEndsStartUpWithEveryClassUnregistered)
{
    plat::WNDCLASSA taken;
    taken.lpfnWndProc = plat::DefWindowProcA;
    taken.lpszClassName = kVideoWindowClassName;
    ASSERT_NE(plat::RegisterClassA(taken), 0);
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(log.back(), "release type registries");
    EXPECT_EQ(std::count(log.begin(), log.end(), "classes"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "wave device"), 0);
    plat::WNDCLASSA info;
    EXPECT_FALSE(plat::GetClassInfoA(nullptr, kMainWindowClassName, &info));
    EXPECT_FALSE(plat::GetClassInfoA(nullptr, kVideoWindowClassName, &info));
}

TEST_F(StartupTest, TheWaitCursorLastsUntilTheTitleRuns)
{
    plat::HCURSOR arrow = plat::LoadCursorA(nullptr, plat::IDC_ARROW);
    plat::SetCursor(arrow);
    JxCStartupInfo info{nullptr, nullptr, line};
    ASSERT_TRUE(app.StartupShowWaitCursor());
    EXPECT_EQ(plat::GetCursor(), plat::LoadCursorA(nullptr, plat::IDC_WAIT));
    ASSERT_TRUE(app.StartupCreateProduct(info));
    ASSERT_TRUE(app.StartupRegisterClasses(info));
    ASSERT_TRUE(app.StartupRunProduct());
    EXPECT_EQ(plat::GetCursor(), arrow);
}

TEST_F(StartupTest, TheDeveloperSwitchChoosesTheDataPathCheck)
{
    developer = true;
    run();
    EXPECT_EQ(std::count(log.begin(), log.end(), "data paths"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "data versions"), 0);
}

TEST_F(StartupTest, ASecondCopyDoesNotRegisterTheClassesAgain)
{
    RegisterWindowClasses(JxCStartupInfo{nullptr, nullptr, line});
    previousInstance = reinterpret_cast<plat::HINSTANCE>(1);
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "classes"), 0);
    EXPECT_TRUE(closed);
}

TEST_F(StartupTest, NoMouseIsReportedOnceAndTheTitleStarts)
{
    mouse = false;
    run();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind("[1176]: Your system does not have a mouse.", 0), 0u) << boxes[0].text;
    EXPECT_TRUE(closed);
}

TEST_F(StartupTest, TheStartPageComesFromTheCommandLine)
{
    run("-x /START=5 -y");
    EXPECT_EQ(startPageSeen, 5);
    EXPECT_STREQ(line, "-x /start=5 -y");
}

TEST_F(StartupTest, TheMainWindowIsShownWithTheAboutItemInItsSystemMenu)
{
    JxCStartupInfo info{nullptr, nullptr, line};
    ASSERT_TRUE(app.InitInstance(info));
    plat::HWND main = GetProduct()->GetProductWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(plat::IsWindowVisible(main));
    EXPECT_EQ(plat::WindowText(main), "Kelbo");
    plat::RECT client;
    plat::GetClientRect(main, &client);
    EXPECT_EQ(client.right, kPageWidth);
    EXPECT_EQ(client.bottom, kPageHeight);
    plat::HMENU menu = plat::GetSystemMenu(main, 0);
    int items = plat::GetMenuItemCount(menu);
    ASSERT_GE(items, 2);
    EXPECT_EQ(plat::GetMenuItemID(menu, items - 1), kAboutCommandId);
    char text[64] = {};
    plat::GetMenuStringA(menu, kAboutCommandId, text, sizeof text, plat::MF_BYCOMMAND);
    EXPECT_STREQ(text, "&About ...");
    app.ExitInstance();
    EXPECT_FALSE(plat::IsWindow(main));
}

TEST_F(StartupTest, TheExitDeletesTheSlatesPooledContextsAndLeavesOneInUseToItsHolder)
{
    JxCStartupInfo info{nullptr, nullptr, line};
    ASSERT_TRUE(app.InitInstance(info));
    ASSERT_TRUE(GraphicsUseWinG());
    plat::HDC released = AcquireSlateDC();
    plat::HDC held = AcquireSlateDC();
    ASSERT_NE(released, nullptr);
    ASSERT_NE(held, nullptr);
    ReleaseSlateDC(released);
    app.ExitInstance();
    EXPECT_FALSE(plat::IsLiveDC(released));
    // Still the holder's after the exit: its release deletes it, once.
    EXPECT_TRUE(plat::IsLiveDC(held));
    ReleaseSlateDC(held);
    EXPECT_FALSE(plat::IsLiveDC(held));
    // A pool made anew afterwards starts with contexts of its own.
    plat::HDC fresh = AcquireSlateDC();
    EXPECT_TRUE(plat::IsLiveDC(fresh));
    ReleaseSlateDC(fresh);
    FreeSlatePool();
}

// --- The pump -------------------------------------------------------------

class IdleApp : public JxCBaseApp {
public:
    IdleApp() : JxCBaseApp(-1) {}
    std::int16_t InitInstance(JxCStartupInfo&) override { return initOk; }
    void ExitInstance() override { exited = true; }
    std::int16_t OnIdle(std::int32_t count) override
    {
        counts.push_back(count);
        return count < wantUpTo;
    }
    std::vector<std::int32_t> counts;
    std::int32_t wantUpTo = 0;
    bool initOk = true;
    bool exited = false;
};

class PumpTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAppLoop(); }
    // Each time the program waits, the next message is posted.
    void postWhenWaiting(std::vector<plat::UINT> messages)
    {
        toPost = std::move(messages);
        harness.backend().setIdleHook([this](std::optional<std::uint64_t>) {
            if (next >= toPost.size())
                return false;
            plat::UINT m = toPost[next++];
            if (m == plat::WM_QUIT)
                plat::PostQuitMessage(42);
            else
                plat::PostAppMessage(m, 0, 0);
            return true;
        });
    }
    plat::Harness harness;
    IdleApp app;
    std::vector<plat::UINT> toPost;
    std::size_t next = 0;
};

TEST_F(PumpTest, TheIdleCountRunsOnUntilAMessageOtherThanTheWaveCompletionArrives)
{
    postWhenWaiting({plat::WM_USER, plat::MM_WOM_DONE, plat::MM_WOM_DONE, plat::WM_USER + 7, plat::WM_USER});
    app.wantUpTo = 2;
    ASSERT_TRUE(app.PumpMessage());  // idle 0, 1, 2, then the wait
    app.wantUpTo = 0;
    for (int pass = 0; pass < 4; ++pass)
        ASSERT_TRUE(app.PumpMessage());
    EXPECT_EQ(app.counts, (std::vector<std::int32_t>{0, 1, 2, 0, 1, 2, 0}));
}

TEST_F(PumpTest, AMessageWaitingAtOnceIsTakenWithoutIdling)
{
    plat::PostAppMessage(plat::MM_WOM_DONE, 0, 0);
    ASSERT_TRUE(app.PumpMessage());
    EXPECT_TRUE(app.counts.empty());
}

TEST_F(PumpTest, WithNothingToDoThePumpIdlesOnceAndThenBlocks)
{
    postWhenWaiting({plat::WM_USER});
    int waitsBefore = harness.backend().waits();
    ASSERT_TRUE(app.PumpMessage());
    EXPECT_EQ(app.counts.size(), 1u);
    EXPECT_EQ(harness.backend().waits() - waitsBefore, 1);
}

TEST_F(PumpTest, TheExitCodeIsTheQuitMessagesParameter)
{
    postWhenWaiting({plat::WM_USER, plat::WM_QUIT});
    JxCStartupInfo info;
    EXPECT_EQ(RunApplication(app, info), 42);
    EXPECT_TRUE(app.exited);
}

TEST_F(PumpTest, AFailedInitialisationSkipsTheLoopButNotTheExit)
{
    postWhenWaiting({plat::WM_QUIT});
    app.initOk = false;
    JxCStartupInfo info;
    EXPECT_EQ(RunApplication(app, info), 0);
    EXPECT_TRUE(app.exited);
    EXPECT_TRUE(app.counts.empty());
}

TEST(ApplicationObject, TheFirstOfEqualPriorityStaysAndAHigherOneTakesOverWhileItLives)
{
    JxCBaseApp* program = GetApp();
    ASSERT_EQ(program, &GetTovelApp());
    {
        JxCTovelApp same(0);
        EXPECT_EQ(GetApp(), program);
        JxCTovelApp higher(5);
        EXPECT_EQ(GetApp(), &higher);
    }
    // The one that went is no longer reachable.
    EXPECT_EQ(GetApp(), nullptr);
}

// --- The command line -----------------------------------------------------

TEST(StartPage, IsReadFromTheLowerCasedCommandLine)
{
    struct Case {
        const char* line;
        std::int32_t page;
    } cases[] = {
        {"", 1},
        {"/other", 1},
        {"/START=5", 5},
        {"/start=  12/", 12},
        {"/start=\t7\\more", 7},
        {"/start=abc", 1},
        {"/start=0", 1},
        {"/start=", 1},
        {"/start=-3", -3},
        {"/start=12ab", 12},
        {"/start=99999999999999999999", 2147483647},
        {"/start=-99999999999999999999", -2147483647 - 1},
    };
    for (const Case& c : cases) {
        std::string text = c.line;
        EXPECT_EQ(ReadStartPage(text.data(), 1), c.page) << c.line;
    }
}

TEST(StartPage, WithoutTheOptionTheProductsNumberStands)
{
    char text[] = "/Demo";
    EXPECT_EQ(ReadStartPage(text, 9), 9);
    EXPECT_STREQ(text, "/demo");
}

}  // namespace
