// The sample title's animation page run whole: its bar plays the rolling
// ball with its sound, pauses it and rewinds it to the first frame; the
// "go on" picture plays it through and only then opens the small page,
// which a click closes; left alone, the page plays its twinkle. And the
// program itself, driven by a script, ends on a golden picture of the bar
// at play.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

#include "media/JxCAnimControl.h"
#include "media/JxCResourceObject.h"
#include "media/JxPicsActions.h"
#include "platform/audio/wave_out.h"
#include "platform/draw/draw.h"
#include "platform/screen/screen.h"
#include "platform/tests/golden.h"
#include "platform/tests/png_file.h"
#include "platform/window/window.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxTypeRegistry.h"
#include "testkit/sample_animation.h"
#include "testkit/sample_login.h"
#include "tests/program_fixture.h"
#include "tests/title_disc.h"

namespace {

using namespace testkit;

// Places on the page (client coordinates of the main window): the content
// panel lies at (0, 60).
constexpr int kPanelTop = 60;
const plat::POINT kPlay{kSampleBarX + 20 + 8, kPanelTop + kSampleBarY + 3 + 8};
const plat::POINT kRewind{kSampleBarX + 3 + 7, kPanelTop + kSampleBarY + 3 + 8};
const plat::POINT kGoOn{kSampleGoX + 50, kPanelTop + kSampleGoY + 15};
// A point of the ball's ground, which every frame draws and the stage's
// plain field does not show.
const plat::POINT kGround{kSampleRollX + 100, kPanelTop + kSampleRollY + kSampleRollHeight - 18};
// Inside the small page the animation opens beside the stage.
const plat::POINT kEncore{360 + 30, kPanelTop + 150 + 30};

std::uint32_t sampleColour(std::uint8_t index)
{
    const Rgb c = SamplePalette()[index];
    return std::uint32_t(c[0]) << 16 | std::uint32_t(c[1]) << 8 | c[2];
}

// The animation page's number among the sample's start pages (/start=K).
int animationStart(bool asTheToolWritesIt = false)
{
    ProgramClasses classes;
    RegisterTypeIds();
    TitleFolder title = SampleTitle();
    // The sample-title tool adds the logbook and opens on the login.
    if (asTheToolWritesIt) {
        AddSampleLogbook(title);
        OpenSampleOnLogin(title);
    }
    const std::vector<std::uint32_t> pages = title.data.product().pages;
    ReleaseTypeRegistries();
    const auto at = std::find(pages.begin(), pages.end(), kSampleAnimationPage);
    return at == pages.end() ? 0 : int(at - pages.begin()) + 1;
}

class AnimationPageTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        start = animationStart();
        ASSERT_GT(start, 0);
        commandLine = "/start=" + std::to_string(start);
    }

    static plat::POINT onScreen(plat::HWND main, plat::POINT client)
    {
        plat::ClientToScreen(main, &client);
        return client;
    }
    static std::uint32_t colourAt(plat::HWND main, plat::POINT client)
    {
        const plat::POINT p = onScreen(main, client);
        return plat::TheScreen().pixels()[p.y * plat::TheScreen().stride() + p.x] & 0xFFFFFF;
    }
    static JxCPanelObject* content()
    {
        JxCPageObject* page = GetProduct()->GetFirstPage();
        return page && page->GetPageId() == std::int32_t(kSampleAnimationPage) ? page->FindPanelById(kSampleAnimationContentPanel)
                                                                             : nullptr;
    }
    static JxCAnimControl* bar()
    {
        JxCPanelObject* panel = content();
        return panel ? dynamic_cast<JxCAnimControl*>(panel->FindObjectById(2)) : nullptr;
    }
    // The shared animation of that name, or null.
    static JxCResourceObject* media(const char* name)
    {
        JxCResourceList& list = GetResourceList();
        for (JxCResourceObject* m = list.GetFirst(); m; m = list.GetNext(m))
            if (m->GetName().View() == name)
                return m;
        return nullptr;
    }
    // Ends the run (after its last step, or with a failure).
    static bool close(plat::HWND main)
    {
        plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
        return true;
    }
    static bool fail(plat::HWND main, const std::string& why)
    {
        ADD_FAILURE() << why;
        return close(main);
    }
    // The program's run from the animation page, with `user` called each
    // time it waits once the page is up.
    void runOnPage(const std::function<bool(plat::HWND main)>& user)
    {
        run([&](plat::HWND main) { return bar() ? user(main) : false; }, commandLine.c_str());
    }

    int start = 0;
    std::string commandLine;
};

TEST_F(AnimationPageTest, TheBarPlaysTheAnimationWithItsSoundPausesItAndRewindsItToTheFirstFrame)
{
    int step = 0;
    std::int32_t held = 0;
    std::uint64_t began = 0;
    bool heard = false;
    runOnPage([&](plat::HWND main) {
        JxCPlayPicsAction& play = *bar()->GetPlayAction();
        switch (step) {
        case 0:
            EXPECT_EQ(colourAt(main, kGround), sampleColour(kSampleWhite)) << "no frame before play";
            began = harness->now();
            ++step;
            harness->click(onScreen(main, kPlay));
            return true;
        case 1:
            heard = heard || plat::OpenWaveOutCount() > 0;
            if (play.GetPosition() < 6)
                return harness->now() - began > 10000 && fail(main, "the animation did not play");
            EXPECT_TRUE(play.IsPlaying());
            EXPECT_EQ(colourAt(main, kGround), sampleColour(kSampleMoss)) << "a frame shows";
            ++step;
            harness->click(onScreen(main, kPlay));
            return true;
        case 2:
            EXPECT_TRUE(play.IsPaused());
            held = play.GetPosition();
            // Nothing runs while the animation is paused: time is moved on.
            harness->advance(500);
            ++step;
            return true;
        case 3:
            EXPECT_EQ(play.GetPosition(), held) << "paused";
            EXPECT_LT(held, kSampleRollFrames);
            ++step;
            harness->click(onScreen(main, kRewind));
            return true;
        case 4:
            EXPECT_EQ(play.GetPosition(), 0);
            EXPECT_FALSE(play.IsPlaying());
            EXPECT_EQ(colourAt(main, kGround), sampleColour(kSampleWhite)) << "the last frame cleared";
            ++step;
            return close(main);
        default:
            return false;
        }
    });
    EXPECT_EQ(step, 5);
    EXPECT_TRUE(heard) << "the animation's sound";
}

TEST_F(AnimationPageTest, TheGoOnPicturePlaysTheAnimationThroughBeforeItsPageOpensAndAClickClosesThatPage)
{
    int step = 0;
    std::uint64_t clicked = 0, opened = 0;
    std::int32_t furthest = 0, atOpen = -1;
    runOnPage([&](plat::HWND main) {
        JxCBaseProduct* product = GetProduct();
        switch (step) {
        case 0:
            ++step;
            clicked = harness->now();
            harness->click(onScreen(main, kGoOn));
            return true;
        case 1:
            if (JxCResourceObject* roll = media(kSampleRollAnimation))
                furthest = std::max(furthest, roll->GetPosition());
            if (!product->FindPageById(std::int32_t(kSampleAnimationEncorePage)))
                return harness->now() - clicked > 10000 && fail(main, "the small page never opened");
            opened = harness->now();
            atOpen = furthest;
            ++step;
            return true;
        case 2:
            EXPECT_EQ(colourAt(main, kEncore), sampleColour(kSampleWhite));
            ++step;
            harness->click(onScreen(main, kEncore));
            return true;
        case 3:
            if (product->FindPageById(std::int32_t(kSampleAnimationEncorePage)))
                return harness->now() - opened > 5000 && fail(main, "the small page stayed");
            ++step;
            return close(main);
        default:
            return false;
        }
    });
    EXPECT_EQ(step, 4);
    EXPECT_EQ(atOpen, kSampleRollFrames) << "every frame played before the page opened";
    EXPECT_GE(opened - clicked, std::uint64_t(kSampleRollFrames) * 100);
}

TEST_F(AnimationPageTest, APageLeftAloneTwinklesOnceItsIdleTickRuns)
{
    // The idle tick starts with the first page opened by an action: the
    // small page, which is closed again.
    int step = 0;
    std::uint64_t opened = 0, seen = 0;
    runOnPage([&](plat::HWND main) {
        JxCBaseProduct* product = GetProduct();
        const bool encore = product->FindPageById(std::int32_t(kSampleAnimationEncorePage)) != nullptr;
        switch (step) {
        case 0:
            ++step;
            harness->click(onScreen(main, kGoOn));
            return true;
        case 1:
            if (!encore)
                return false;
            opened = harness->now();
            ++step;
            harness->click(onScreen(main, kEncore));
            return true;
        case 2:
            if (!media(kSampleTwinkleAnimation))
                return harness->now() - opened > 60000 && fail(main, "no twinkle in a minute");
            seen = harness->now() - opened;
            EXPECT_FALSE(encore);
            ++step;
            return close(main);
        default:
            return false;
        }
    });
    // The idle tick plays a page's random animation 15 to 29 s after the
    // last page opened.
    EXPECT_GE(seen, 14000u);
    EXPECT_LE(seen, 31000u);
}

TEST_F(AnimationPageTest, TheStageKeepsTheBallWhereItStoppedAfterTheTwinkle)
{
    // The ball's last frame: its middle at the right end of its ground.
    const plat::POINT ball{kSampleRollX + kSampleRollWidth - 18, kPanelTop + kSampleRollY + kSampleRollHeight - 34};
    int step = 0;
    std::uint64_t since = 0;
    std::uint32_t before = 0;
    runOnPage([&](plat::HWND main) {
        JxCBaseProduct* product = GetProduct();
        const bool encore = product->FindPageById(std::int32_t(kSampleAnimationEncorePage)) != nullptr;
        JxCResourceObject* roll = media(kSampleRollAnimation);
        switch (step) {
        case 0:  // the small page opens (the idle tick starts with it) and closes
            ++step;
            harness->click(onScreen(main, kGoOn));
            return true;
        case 1:
            if (!encore)
                return false;
            ++step;
            harness->click(onScreen(main, kEncore));
            return true;
        case 2:  // the bar plays the ball to its end
            if (encore)
                return false;
            ++step;
            since = harness->now();
            harness->click(onScreen(main, kPlay));
            return true;
        case 3:
            if (!roll || roll->IsPlaying() || roll->GetPosition() < kSampleRollFrames)
                return harness->now() - since > 60000 && fail(main, "the ball never ended");
            before = colourAt(main, ball);
            since = harness->now();
            ++step;
            return false;
        case 4:  // the twinkle comes
            if (!media(kSampleTwinkleAnimation))
                return harness->now() - since > 60000 && fail(main, "no twinkle in a minute");
            ++step;
            return false;
        case 5:  // and goes
            if (media(kSampleTwinkleAnimation))
                return false;
            ++step;
            harness->advance(1000);
            return true;
        case 6:
            EXPECT_EQ(before, sampleColour(kSampleRust)) << "the ball stopped there";
            EXPECT_EQ(colourAt(main, ball), before) << "the twinkle took the ball away";
            ++step;
            return close(main);
        default:
            return false;
        }
    });
    EXPECT_EQ(step, 7);
}

// The program itself on the sample title beside it, driven by a script:
// it starts on the animation page, Play is clicked and, 650 ms on, the
// screen is written out; what it shows matches the golden picture (the
// ball part way, the meter part way, Pause showing).
TEST(AnimationPageProgram, AScriptedPlayOfTheBarEndsOnItsGoldenPicture)
{
    const int start = animationStart(true);
    ASSERT_GT(start, 0);
    plat::testing::TempConfig config;
    WriteTitleDisc(config.root() + "/xdg/kelbo", config.root() + "/disc");
    // The main window (646 by 506) lies in the middle of the 800 by 600
    // screen: its client area starts at (80, 69), inside the frame and
    // below the caption.
    const int clientX = 80, clientY = 69;
    const std::string shot = config.root() + "/playing.png", script = config.root() + "/play.txt";
    plat::testing::TempConfig::writeFile(script, "idle\nrun 300\nclick " + std::to_string(clientX + kPlay.x) + " " +
                                                     std::to_string(clientY + kPlay.y) + "\nrun 650\npng " + shot +
                                                     "\nquit\n");
    const std::string option = "/start=" + std::to_string(start);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        setenv("KELBO_BACKEND", "headless", 1);
        setenv("KELBO_SCRIPT", script.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (config.root() + "/xdg").c_str(), 1);
        execl(KELBO_PROGRAM, KELBO_PROGRAM, option.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = -1;
    for (int i = 0; i < 1200 && waitpid(pid, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (waitpid(pid, &status, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        FAIL() << "the scripted run did not end";
    }
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;

    const plat::testing::PngFile screen = plat::testing::ReadPngFile(shot);
    ASSERT_GT(screen.width, 0) << "no picture at " << shot;
    plat::BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = screen.width;
    info.bmiHeader.biHeight = -screen.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    plat::HBITMAP picture = plat::CreateDIBSection(nullptr, &info, plat::DIB_RGB_COLORS, &bits);
    ASSERT_NE(picture, nullptr);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x) {
            const plat::COLORREF c = screen.at(x, y);
            pixels[y * screen.width + x] = std::uint32_t(plat::GetRValue(c)) << 16 |
                                           std::uint32_t(plat::GetGValue(c)) << 8 | plat::GetBValue(c);
        }
    EXPECT_EQ(plat::testing::CompareWithGolden(picture, "animation_bar_playing", "tests/golden"), "");
    plat::DeleteObject(picture);
}

}  // namespace
