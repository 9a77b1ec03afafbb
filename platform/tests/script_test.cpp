// The script format of headless runs.

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

#include <unistd.h>

#include "platform/backend/backend.h"
#include "platform/backend/headless.h"
#include "platform/backend/script.h"
#include "platform/tests/temp_config.h"
#include "platform/tests/window_fixture.h"
#include "platform/ui/message_box.h"
#include "platform/ui/responder.h"
#include "platform/window/input.h"

namespace plat::testing {
namespace {

using ScriptRun = WindowTest;

TEST_F(ScriptRun, ABadLineIsReportedWithItsNumberBeforeAnythingRuns)
{
    std::string error;
    EXPECT_FALSE(Script::parse("# start\nclick 10 10\nclick 10\n", "s.txt", &error));
    EXPECT_EQ(error, "s.txt:3: 'click' needs X and Y");
    EXPECT_FALSE(Script::parse("key NOSUCHKEY\n", "s.txt", &error));
    EXPECT_EQ(error, "s.txt:1: unknown key 'NOSUCHKEY'");
    EXPECT_FALSE(Script::parse("jump\n", "s.txt", &error));
    EXPECT_EQ(error, "s.txt:1: unknown command 'jump'");
    for (const char* bad : {"display 640 480\n", "display 640 x 8\n", "display 0 480 8\n", "display 640 480 0\n"}) {
        EXPECT_FALSE(Script::parse(bad, "s.txt", &error)) << bad;
        EXPECT_EQ(error, "s.txt:1: 'display' needs a width, a height and bits per pixel");
    }
    EXPECT_TRUE(Script::parse("display 640 480 8\n", "s.txt", &error)) << error;
}

TEST_F(ScriptRun, StepsDriveInputTimeAndTheScreen)
{
    HWND w = top(100, 100, 300, 200, WS_POPUP);
    SetTimer(w, 1, 100, nullptr);
    harness.runUntilIdle();
    seen.clear();
    std::string png = ProcessTempFile("script_screen.png");
    std::string error;
    auto s = Script::parse("click 150 150\nkey F4\ntext ok\nrun 250\npng " + png + "\nquit 2\n",
                           "s.txt", &error);
    ASSERT_TRUE(s) << error;
    ASSERT_TRUE(s->run(harness, &error)) << error;
    EXPECT_EQ(of(WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(of(WM_KEYDOWN).at(0).wParam, WPARAM(VK_F4));
    EXPECT_EQ(of(WM_CHAR).size(), 2u);
    EXPECT_EQ(of(WM_TIMER).size(), 2u);
    EXPECT_TRUE(harness.quitSeen());
    EXPECT_EQ(harness.exitCode(), 2);
    FILE* f = std::fopen(png.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    unsigned char sig[8] = {};
    EXPECT_EQ(std::fread(sig, 1, 8, f), 8u);
    std::fclose(f);
    EXPECT_EQ(sig[1], 'P');
    std::remove(png.c_str());
}

TEST_F(ScriptRun, AttachedToTheProgramsOwnLoopItEndsTheRun)
{
    HWND w = top(100, 100, 300, 200, WS_POPUP);
    harness.runUntilIdle();
    seen.clear();
    std::string error;
    auto s = Script::parse("click 150 150\nrun 1000\nkey A\n", "s.txt", &error);
    ASSERT_TRUE(s) << error;
    s->attach(harness.backend());
    std::uint64_t start = harness.now();
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0)
        DispatchMessageA(&m);
    EXPECT_EQ(of(WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(of(WM_KEYDOWN).size(), 1u);
    EXPECT_GE(harness.now() - start, 1000u);
    harness.backend().setIdleHook(nullptr);
    (void)w;
}

// A box met while a script runs takes its answer from the script: the step
// right after the input that raised it (past the time the script lets the
// program run), or one met earlier while no box was up. `text` and `key`
// type into it on the way.
TEST_F(ScriptRun, AnswerStepsAnswerTheBoxesTheProgramShows)
{
    top(100, 100, 300, 200, WS_POPUP, "RecNoDbl");
    std::vector<int> answers;
    handlers[WM_LBUTTONDOWN] = [&answers](HWND h, WPARAM, LPARAM) {
        answers.push_back(MessageBoxA(h, "Put the disc back.", "Kelbo", MB_RETRYCANCEL));
        return LRESULT(0);
    };
    harness.runUntilIdle();
    std::string png = ProcessTempFile("script_box.png"), error;
    auto s = Script::parse("answer 2\nclick 150 150\nidle\nclick 150 150\nidle\npng " + png +
                               "\nanswer 4\nclick 150 150\nidle\nkey RETURN\nclick 150 150\nrun 300\nanswer 2\n",
                           "s.txt", &error);
    ASSERT_TRUE(s) << error;
    ASSERT_TRUE(s->run(harness, &error)) << error;
    EXPECT_EQ(answers, (std::vector<int>{IDCANCEL, IDRETRY, IDRETRY, IDCANCEL}));
    FILE* f = std::fopen(png.c_str(), "rb");
    EXPECT_NE(f, nullptr) << "the box was photographed";
    if (f)
        std::fclose(f);
    std::remove(png.c_str());
}

// A box that nothing in the script answers ends the scripted program at once
// with exit code 3, naming the box, instead of leaving it waiting or dying on
// an exception.
TEST_F(ScriptRun, ABoxTheScriptDoesNotAnswerEndsTheProgramWithCode3)
{
    auto unanswered = [this](const char* steps) {
        HWND w = top(100, 100, 300, 200, WS_POPUP);
        handlers[WM_LBUTTONDOWN] = [](HWND h, WPARAM, LPARAM) {
            return LRESULT(MessageBoxA(h, "The file D:\\GREETING.DIB could not be found.", "Kelbo", MB_OK));
        };
        harness.runUntilIdle();
        std::string error;
        auto s = Script::parse(steps, "s.txt", &error);
        ASSERT_TRUE(s) << error;
        s->attach(harness.backend());
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0) > 0)
            DispatchMessageA(&m);
        (void)w;
    };
    EXPECT_EXIT(unanswered("click 150 150\nrun 500\n"), ::testing::ExitedWithCode(3),
                "No one can answer the message box \"Kelbo\"");
    EXPECT_EXIT(unanswered("click 150 150\n"), ::testing::ExitedWithCode(3), "GREETING.DIB could not be found");
    EXPECT_EXIT(unanswered("click 150 150\nanswer 4\n"), ::testing::ExitedWithCode(3),
                "the answer 4 is not a button");
}

// The host's request to close (its close box, a log-out, SIGTERM) while a
// box is up, owned or not, whatever its buttons: the box gives way
// unanswered and the program's window gets the close, as without a box.
// With no window of the program's behind it (a box of the start-up), the
// box gives way to the quit.
TEST_F(ScriptRun, TheHostClosingWhileABoxIsUpEndsTheBoxUnansweredAndClosesTheProgram)
{
    struct Case {
        const char* box;
        UINT style;
        bool owned;
    };
    for (const Case& c : {Case{"an owned Yes/No box", MB_YESNO, true},
                          Case{"an Abort/Retry/Ignore box of the whole task", MB_ABORTRETRYIGNORE | MB_TASKMODAL, false},
                          Case{"a Retry/Cancel box of the whole task", MB_RETRYCANCEL | MB_TASKMODAL, false}}) {
        SCOPED_TRACE(c.box);
        seen.clear();
        HWND w = top(100, 100, 300, 200);
        int answer = -1;
        handlers[WM_LBUTTONDOWN] = [&answer, c](HWND h, WPARAM, LPARAM) {
            answer = MessageBoxA(c.owned ? h : nullptr, "Are you sure?", "Kelbo", c.style);
            return LRESULT(0);
        };
        harness.runUntilIdle();
        int asked = 0;
        SetResponder([&asked](const UiRequest&) -> std::optional<int> {
            if (asked++ == 0)
                HostCloseRequested();
            return kAnswerByInput;
        });
        harness.click({150, 150});
        harness.runUntilIdle();
        EXPECT_EQ(answer, 0) << "not a button's answer";
        EXPECT_EQ(asked, 1);
        ASSERT_EQ(of(WM_CLOSE).size(), 1u) << "the window closed as its close box would";
        EXPECT_EQ(of(WM_CLOSE)[0].hwnd, w);
        EXPECT_FALSE(IsWindow(w));
        EXPECT_FALSE(harness.quitSeen());
        handlers.clear();
    }
    SetResponder([](const UiRequest&) -> std::optional<int> {
        HostCloseRequested();
        return kAnswerByInput;
    });
    const int answer = MessageBoxA(nullptr, "There is no disc in the drive.", "Kelbo", MB_ABORTRETRYIGNORE | MB_TASKMODAL);
    EXPECT_EQ(answer, 0);
    harness.runUntilIdle();
    EXPECT_TRUE(harness.quitSeen()) << "a box of the start-up gives way to the quit";
}

// The script's quit comes while the program waits in a loop of its own for
// a time (a transition between pages): that time still passes, the loop
// ends, and the quit reaches the program's loop with the script's code.
TEST_F(ScriptRun, AQuitMetInATimedWaitLetsTheTimePassAndKeepsItsCode)
{
    top(100, 100, 300, 200, WS_POPUP);
    harness.runUntilIdle();
    std::string error;
    auto s = Script::parse("quit 4\n", "s.txt", &error);
    ASSERT_TRUE(s) << error;
    s->attach(harness.backend());
    // A wait that never ends would spin: the alarm ends it as a failure.
    EXPECT_EXIT(
        {
            alarm(5);
            const std::uint64_t start = harness.now();
            WaitMessageTimeout(MM_WOM_DONE, MM_WOM_DONE, 500);
            MSG m;
            const bool quit = GetMessageA(&m, nullptr, 0, 0) == 0;
            _exit(harness.now() - start >= 500 && quit && m.wParam == 4 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    harness.backend().setIdleHook(nullptr);
}

// KELBO_SCRIPT makes the program's backend a scripted headless one, even
// where a display was asked for; a script that cannot be read ends the
// run at once, naming the line.
TEST(ScriptVariable, ChoosesAScriptedHeadlessBackendOrStopsOnABadScript)
{
    std::string good = ProcessTempFile("good_script.txt"), bad = ProcessTempFile("bad_script.txt");
    for (auto [path, text] : {std::pair{good, "idle\nquit 3\n"}, std::pair{bad, "idle\njump\n"}}) {
        FILE* f = std::fopen(path.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fputs(text, f);
        std::fclose(f);
    }
    setenv("KELBO_BACKEND", "sdl", 1);
    setenv("KELBO_SCRIPT", good.c_str(), 1);
    std::unique_ptr<Backend> backend = CreateDefaultBackend();
    EXPECT_STREQ(backend->name(), "headless");
    EXPECT_NE(static_cast<HeadlessBackend&>(*backend).virtualClock(), nullptr) << "a script's time is its own";
    setenv("KELBO_BACKEND", "headless", 1);
    unsetenv("KELBO_SCRIPT");
    EXPECT_EQ(static_cast<HeadlessBackend&>(*CreateDefaultBackend()).virtualClock(), nullptr)
        << "the program's own timers wait in real time";
    setenv("KELBO_SCRIPT", bad.c_str(), 1);
    EXPECT_EXIT(CreateDefaultBackend(), ::testing::ExitedWithCode(2), "KELBO_SCRIPT: .*bad_script.txt:2: unknown command 'jump'");
    unsetenv("KELBO_SCRIPT");
    unsetenv("KELBO_BACKEND");
    std::remove(good.c_str());
    std::remove(bad.c_str());
}

}  // namespace
}  // namespace plat::testing
