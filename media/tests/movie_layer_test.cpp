// The movie layer over the scripted movie library: window ports and the
// messages they pass on, showing and moving a movie between windows,
// playing ranges forwards and backwards, the done test, units, and a
// library that cannot start.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "events/JxNotifyTables.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxStringLoader.h"
#include "media/JxCQT3Movie.h"
#include "media/JxCQT3Overseer.h"
#include "platform/movie/fake_movies.h"
#include "platform/screen/screen.h"
#include "platform/tests/window_fixture.h"
#include "platform/window/messages.h"

namespace {

using namespace plat;

const std::vector<std::uint32_t> kColours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF};
constexpr std::int32_t kFrame = 60;  // 100 ms at 600 a second

class MovieLayer : public plat::testing::WindowTest {
protected:
    FakeMovies fakes;
    HWND window = nullptr;
    std::vector<std::string> boxes;

    void SetUp() override
    {
        WindowTest::SetUp();
        SetProgramStarted();
        SetStringLoader([](unsigned id, std::string& text) {
            text = "text " + std::to_string(id);
            return true;
        });
        SetResponder([this](const UiRequest& r) -> std::optional<int> {
            boxes.push_back(r.text);
            return kAnswerIgnore;
        });
        fakes.library().add("D:\\FIVE.MOV", FakeMovie::Frames(5, kFrame, kColours));
        FakeMovie silent = FakeMovie::Frames(0, 0);
        silent.duration = 600;
        silent.hasSound = true;
        fakes.library().add("D:\\SOUND.MOV", silent);
        window = top(0, 0, 300, 200, WS_POPUP);
        harness.runUntilIdle();
        ASSERT_TRUE(StartMovieLayer());
    }
    void TearDown() override
    {
        EndMovieLayer();
        SetResponder(nullptr);
        SetStringLoader({});
        ResetErrorReporting();
        WindowTest::TearDown();
    }

    std::unique_ptr<JxCQT3Movie> open(const char* path = "D:\\FIVE.MOV")
    {
        auto movie = std::make_unique<JxCQT3Movie>();
        EXPECT_TRUE(movie->Open(path));
        return movie;
    }
    std::uint32_t pixel(HWND h, int x, int y) const
    {
        POINT p = clientToScreen(h, {x, y});
        return TheScreen().pixels()[p.y * TheScreen().stride() + p.x] & 0xFFFFFF;
    }
    void runTo(std::uint64_t start, std::uint64_t ms) { harness.runFor(start + ms - harness.now()); }
    WNDPROC procOf(HWND h) const { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(h, GWL_WNDPROC)); }
};

TEST_F(MovieLayer, APortPassesEveryMessageOnWhileItsMoviesAreShownOrHidden)
{
    auto a = open();
    auto b = open();
    const WNDPROC original = procOf(window);
    ASSERT_TRUE(a->Show(window));
    ASSERT_TRUE(b->Show(window));
    JxCQTWindowPort* port = GetQT3Overseer()->FindPort(window);
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->GetUseCount(), 2);
    EXPECT_NE(procOf(window), original) << "the layer's procedure sees the window's messages";
    EXPECT_EQ(port->GetPreviousProc(), original);

    seen.clear();
    SendMessageA(window, WM_USER + 7, 1, 2);
    ASSERT_EQ(of(WM_USER + 7).size(), 1u);

    a->Hide();
    b->Hide();
    EXPECT_EQ(port->GetUseCount(), 0);
    EXPECT_EQ(GetQT3Overseer()->FindPort(window), port) << "the port stays while its window lives";
    seen.clear();
    SendMessageA(window, WM_USER + 8, 3, 4);
    SendMessageA(window, WM_LBUTTONDOWN, 0, 0);
    ASSERT_EQ(of(WM_USER + 8).size(), 1u);
    EXPECT_EQ(of(WM_USER + 8)[0].wParam, 3u);
    EXPECT_EQ(of(WM_LBUTTONDOWN).size(), 1u);

    EndMovieLayer();
    EXPECT_EQ(procOf(window), original) << "ending the layer puts the procedure back";
    ASSERT_TRUE(StartMovieLayer());
}

TEST_F(MovieLayer, AWindowThatGoesTakesItsPortAndHidesItsMovies)
{
    HWND other = top(0, 0, 100, 100, WS_POPUP);
    auto movie = open();
    ASSERT_TRUE(movie->Show(other));
    EXPECT_EQ(GetQT3Overseer()->CountPorts(), 1u);
    DestroyWindow(other);
    EXPECT_EQ(GetQT3Overseer()->CountPorts(), 0u);
    EXPECT_FALSE(movie->IsShown());
    EXPECT_EQ(movie->GetPort(), nullptr);
    EXPECT_TRUE(movie->IsOpen()) << "the movie itself stays open";
    EXPECT_TRUE(movie->Show(window));
}

TEST_F(MovieLayer, ShowingAShownMovieInAnotherWindowMovesItThere)
{
    HWND second = top(0, 0, 200, 100, WS_POPUP);
    harness.runUntilIdle();
    auto movie = open();
    movie->SetPosition(JxCPoint(10, 10));
    ASSERT_TRUE(movie->Show(window));
    ASSERT_TRUE(movie->Show(second));
    EXPECT_EQ(movie->GetShownWindow(), second);
    EXPECT_EQ(GetQT3Overseer()->FindPort(window)->GetUseCount(), 0);
    EXPECT_EQ(GetQT3Overseer()->FindPort(second)->GetUseCount(), 1);
    EXPECT_EQ(GetQT3Overseer()->GetShown().size(), 1u);
    EXPECT_EQ(pixel(second, 20, 20), kColours[0]);
    EXPECT_EQ(movie->GetRect(), JxCRect(10, 10, 74, 58)) << "the movie keeps its size where it is put";
}

TEST_F(MovieLayer, ARangeWhoseStartLiesAfterItsEndPlaysBackwards)
{
    auto movie = open();
    movie->SetPosition(JxCPoint(10, 10));
    const std::uint64_t start = harness.now();
    ASSERT_EQ(movie->PlayRange(window, 4 * kFrame, kFrame), 0);
    EXPECT_FALSE(movie->IsDone());
    runTo(start, 50);
    EXPECT_EQ(pixel(window, 20, 20), kColours[3]);
    runTo(start, 250);
    EXPECT_EQ(pixel(window, 20, 20), kColours[1]);
    runTo(start, 400);
    EXPECT_TRUE(movie->IsDone()) << "the rate fell to 0 at the range's start";
    EXPECT_EQ(movie->GetCurrentTime(), kFrame);
}

TEST_F(MovieLayer, AnEndOfMinusOnePlaysToTheDurationAndTheUnitsCountFrames)
{
    auto movie = open();
    EXPECT_EQ(movie->GetUnit(), kFrame);
    EXPECT_EQ(movie->GetDurationUnits(), 5);
    EXPECT_EQ(movie->UnitsToTime(3), 3 * kFrame);
    const std::uint64_t start = harness.now();
    ASSERT_EQ(movie->PlayUnits(window, 1, -1), 0);
    runTo(start, 450);
    EXPECT_TRUE(movie->IsDone());
    EXPECT_EQ(movie->GetCurrentUnits(), 5);
    movie->GoToUnits(2);
    EXPECT_EQ(movie->GetCurrentTime(), 2 * kFrame);
}

TEST_F(MovieLayer, AMovieNotPlayingIsDoneBeforeItsEndAndALoopingOneNever)
{
    auto movie = open();
    EXPECT_TRUE(movie->IsDone()) << "not shown, not playing";
    movie->PlayRange(window, 0, -1);
    harness.runFor(150);
    movie->Stop();
    EXPECT_LT(movie->GetCurrentTime(), movie->GetDuration());
    EXPECT_TRUE(movie->IsDone());
    EXPECT_FALSE(movie->IsPlaying());

    movie->SetLooping(1);
    movie->PlayRange(window, 0, 2 * kFrame);
    harness.runFor(1000);
    EXPECT_FALSE(movie->IsDone()) << "a looping movie plays on";
    EXPECT_TRUE(movie->IsPlaying());
    movie->Hide();
    EXPECT_TRUE(movie->IsDone()) << "a hidden movie is done";
}

TEST_F(MovieLayer, AMovieWithoutPicturesStillHasAUnitOfOne)
{
    auto movie = open("D:\\SOUND.MOV");
    EXPECT_GE(movie->GetUnit(), 1);
    EXPECT_EQ(movie->TimeToUnits(600), 600 / movie->GetUnit());
    JxCQT3Movie closed;
    EXPECT_EQ(closed.GetUnit(), 1);
    EXPECT_EQ(closed.TimeToUnits(90), 90);
    EXPECT_TRUE(closed.IsDone());
    EXPECT_NE(closed.PlayRange(window, 0, -1), 0);
}

TEST_F(MovieLayer, OpeningAMissingOrDamagedMovieLeavesNoMovieAndTheReason)
{
    FakeMovie broken;
    broken.error = kMovieNoDecoder;
    fakes.library().add("D:\\BROKEN.MOV", broken);
    JxCQT3Movie movie;
    EXPECT_FALSE(movie.Open("D:\\BROKEN.MOV"));
    EXPECT_EQ(movie.GetLastError(), kMovieNoDecoder);
    EXPECT_FALSE(movie.IsOpen());
    EXPECT_FALSE(movie.Open("D:\\NONE.MOV"));
    EXPECT_EQ(movie.GetLastError(), kMovieFileNotFound);
}

// A process ended from deep inside its work (exit() called by a library,
// as the X library does when the display goes) runs the static destructors
// while the layer is up, in an order of nobody's choosing: here the
// notification tables, made after the layer, would go first.
TEST_F(MovieLayer, TheProcessCanEndWhileTheLayerIsUp)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        AllocateNotifyTables(4, 4);
        std::exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

TEST_F(MovieLayer, ALibraryThatCannotStartIsReportedAndLeavesNoOverseer)
{
    EndMovieLayer();
    fakes.library().setStartError(kMovieLibraryMissing);
    EXPECT_FALSE(StartMovieLayer());
    EXPECT_EQ(GetQT3Overseer(), nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("text 2804"), std::string::npos) << boxes[0];
    auto movie = open();
    EXPECT_FALSE(movie->Show(window)) << "without the layer no movie shows";
    EXPECT_NE(movie->PlayRange(window, 0, -1), 0);
    fakes.library().setStartError(kMovieNoError);
    ASSERT_TRUE(StartMovieLayer());
}

}  // namespace
