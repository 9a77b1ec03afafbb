// The movie player over the scripted library: frames shown at their times
// forwards and backwards, the end of a selection, looping, stepping, the
// window it shows in, its clip and its repaint, and failures.

#include <gtest/gtest.h>

#include <cmath>

#include "platform/clock/clock.h"
#include "platform/draw/draw.h"
#include "platform/movie/fake_movies.h"
#include "platform/movie/movie.h"
#include "platform/screen/screen.h"
#include "platform/tests/window_fixture.h"
#include "platform/window/loop_service.h"

namespace plat::testing {
namespace {

const std::vector<std::uint32_t> kColours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF};
constexpr std::int32_t kFrame = 60;  // units of 1/600 s: 100 ms a frame
constexpr std::uint32_t kBackground = 0x808080;

class MoviePlayer : public WindowTest {
protected:
    FakeMovies fakes;
    HWND window = nullptr;

    void SetUp() override
    {
        WindowTest::SetUp();
        fakes.library().add("D:\\MOVIES\\FIVE.MOV", FakeMovie::Frames(5, kFrame, kColours));
        handlers[WM_PAINT] = [](HWND h, WPARAM, LPARAM) -> LRESULT {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            HBRUSH grey = CreateSolidBrush(RGB(0x80, 0x80, 0x80));
            RECT all;
            GetClientRect(h, &all);
            FillRect(dc, &all, grey);
            DeleteObject(grey);
            EndPaint(h, &ps);
            return 0;
        };
        window = top(50, 50, 300, 200, WS_POPUP);
        harness.runUntilIdle();
    }

    std::unique_ptr<Movie> open(const char* path = "d:/movies/five.mov")
    {
        OpenedMovie opened = OpenMovie(path);
        EXPECT_EQ(opened.error, kMovieNoError);
        return std::move(opened.movie);
    }
    std::unique_ptr<Movie> shown(RECT rect = {10, 10, 74, 58})
    {
        auto movie = open();
        movie->setRect(rect);
        movie->show(window);
        return movie;
    }
    std::uint32_t pixel(int x, int y) const
    {
        POINT p = clientToScreen(window, {x, y});
        return TheScreen().pixels()[p.y * TheScreen().stride() + p.x] & 0xFFFFFF;
    }
    // Lets virtual time pass up to `ms` after `start`.
    void runTo(std::uint64_t start, std::uint64_t ms) { harness.runFor(start + ms - harness.now()); }
};

TEST_F(MoviePlayer, OpeningAnswersTheScriptedErrorOrFileNotFound)
{
    FakeMovie broken;
    broken.error = kMovieNoDecoder;
    fakes.library().add("D:\\MOVIES\\BROKEN.MOV", broken);
    EXPECT_EQ(OpenMovie("D:\\MOVIES\\BROKEN.MOV").error, kMovieNoDecoder);
    OpenedMovie missing = OpenMovie("D:\\MOVIES\\NONE.MOV");
    EXPECT_EQ(missing.error, kMovieFileNotFound);
    EXPECT_EQ(missing.movie, nullptr);
    EXPECT_EQ(StartMovies(), kMovieNoError);
    fakes.library().setStartError(kMovieLibraryMissing);
    EXPECT_EQ(StartMovies(), kMovieLibraryMissing);
}

TEST_F(MoviePlayer, PlayingForwardsShowsEachFrameAtItsTimeAndStopsAtTheEnd)
{
    auto movie = shown();
    EXPECT_EQ(pixel(20, 20), kColours[0]) << "showing draws the current frame";
    const std::uint64_t start = harness.now();
    movie->playSelection(0, movie->duration(), movie->preferredRate());
    for (int k = 0; k < 5; ++k) {
        runTo(start, std::uint64_t(k) * 100 + 50);
        EXPECT_EQ(pixel(20, 20), kColours[std::size_t(k)]) << "frame " << k;
        EXPECT_EQ(movie->time(), k * kFrame + 30);
        EXPECT_GT(movie->rate(), 0);
    }
    runTo(start, 500);
    EXPECT_EQ(movie->rate(), 0) << "done at the end of the selection";
    EXPECT_EQ(movie->time(), movie->duration());
    EXPECT_EQ(pixel(20, 20), kColours[4]) << "the last frame stays";
    EXPECT_EQ(pixel(5, 5), kBackground) << "nothing drawn outside the movie";
}

TEST_F(MoviePlayer, PlayingBackwardsShowsTheFramesInReverse)
{
    auto movie = shown();
    const std::uint64_t start = harness.now();
    movie->playSelection(0, movie->duration(), -movie->preferredRate());
    for (int k = 0; k < 5; ++k) {
        runTo(start, std::uint64_t(k) * 100 + 50);
        EXPECT_EQ(pixel(20, 20), kColours[std::size_t(4 - k)]) << "step " << k;
        EXPECT_LT(movie->rate(), 0);
    }
    runTo(start, 500);
    EXPECT_EQ(movie->rate(), 0);
    EXPECT_EQ(movie->time(), 0);
    EXPECT_EQ(pixel(20, 20), kColours[0]);
}

TEST_F(MoviePlayer, ASelectionPlaysOnlyItsOwnFrames)
{
    auto movie = shown();
    const std::uint64_t start = harness.now();
    movie->playSelection(2 * kFrame, 2 * kFrame, 1.0);
    runTo(start, 50);
    EXPECT_EQ(pixel(20, 20), kColours[2]);
    runTo(start, 150);
    EXPECT_EQ(pixel(20, 20), kColours[3]);
    runTo(start, 250);
    EXPECT_EQ(movie->rate(), 0);
    EXPECT_EQ(movie->time(), 4 * kFrame);
    EXPECT_EQ(pixel(20, 20), kColours[4]) << "the time at the selection's end shows the frame there";
}

TEST_F(MoviePlayer, AWaitingLoopWakesExactlyAtTheNextFrame)
{
    auto movie = shown();
    const std::uint64_t start = harness.now();
    movie->playSelection(0, movie->duration(), 1.0);
    const int waitsBefore = harness.backend().waits();
    WaitMessage();  // nothing queued: the headless clock jumps to the deadline
    EXPECT_EQ(harness.now(), start + 100);
    EXPECT_EQ(harness.backend().waits(), waitsBefore + 1);
    MSG m;
    PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_EQ(pixel(20, 20), kColours[1]);
}

TEST_F(MoviePlayer, AStoppedMovieStaysWhereItIsAndNeedsNoService)
{
    auto movie = shown();
    const std::uint64_t start = harness.now();
    movie->playSelection(0, movie->duration(), 1.0);
    runTo(start, 230);
    movie->stop();
    EXPECT_EQ(movie->rate(), 0);
    EXPECT_EQ(movie->time(), 138);
    EXPECT_EQ(NextLoopServiceDue(), std::nullopt);
    runTo(start, 900);
    EXPECT_EQ(movie->time(), 138);
    EXPECT_EQ(pixel(20, 20), kColours[2]);
}

TEST_F(MoviePlayer, LoopingStartsOverAndAPalindromeTurnsBack)
{
    auto movie = shown();
    movie->setLooping(true);
    std::uint64_t start = harness.now();
    movie->playSelection(0, movie->duration(), 1.0);
    runTo(start, 650);
    EXPECT_GT(movie->rate(), 0) << "a looping movie is never done";
    EXPECT_EQ(movie->time(), 90);
    EXPECT_EQ(pixel(20, 20), kColours[1]);

    movie->setPalindrome(true);
    start = harness.now();
    movie->playSelection(0, movie->duration(), 1.0);
    runTo(start, 650);
    EXPECT_LT(movie->rate(), 0);
    EXPECT_EQ(movie->time(), 300 - 90);
    EXPECT_EQ(pixel(20, 20), kColours[3]);
}

TEST_F(MoviePlayer, AClockFarAheadOfAShortLoopDoesNotHang)
{
    auto movie = shown();
    movie->setLooping(true);
    movie->playSelection(kFrame, 1, 1.0);
    harness.advance(10'000'000);
    EXPECT_GT(movie->rate(), 0);
    EXPECT_GE(movie->time(), kFrame);
    EXPECT_LE(movie->time(), kFrame + 1);
    harness.runFor(50);
}

TEST_F(MoviePlayer, SelectionsAreBoundedByTheMovie)
{
    auto movie = shown();
    movie->playSelection(5000, 100, 1.0);
    EXPECT_EQ(movie->rate(), 0) << "a selection past the end is empty and done at once";
    EXPECT_EQ(movie->time(), movie->duration());
    movie->playSelection(-50, -10, 1.0);
    EXPECT_EQ(movie->rate(), 0);
    EXPECT_EQ(movie->time(), 0);
    movie->playSelection(0, 300, 0.0);
    EXPECT_EQ(movie->rate(), 0) << "rate 0 stops";
    movie->playSelection(0, 300, std::nan(""));
    EXPECT_EQ(movie->rate(), 0);
}

TEST_F(MoviePlayer, SteppingMovesByFramesWithinTheMovie)
{
    auto movie = shown();
    EXPECT_EQ(movie->frameStep(), kFrame);
    EXPECT_EQ(movie->step(1), kFrame);
    EXPECT_EQ(pixel(20, 20), kColours[1]);
    EXPECT_EQ(movie->step(10), 4 * kFrame) << "not past the last frame";
    EXPECT_EQ(movie->step(-2), 2 * kFrame);
    EXPECT_EQ(movie->step(-9), 0);
    movie->goTo(kFrame + 20);
    EXPECT_EQ(movie->step(-1), 0) << "from the frame showing, not from its start";
    movie->goTo(99999);
    EXPECT_EQ(movie->time(), movie->duration());
    EXPECT_EQ(pixel(20, 20), kColours[4]);
}

TEST_F(MoviePlayer, TheFrameStepIsNeverZero)
{
    fakes.library().add("D:\\ONE.MOV", FakeMovie::Frames(1, 250));
    FakeMovie soundOnly;
    soundOnly.frameTimes.clear();
    soundOnly.duration = 0;
    fakes.library().add("D:\\SOUND.MOV", soundOnly);
    EXPECT_EQ(open("D:\\ONE.MOV")->frameStep(), 250);
    auto silent = open("D:\\SOUND.MOV");
    EXPECT_EQ(silent->frameStep(), 1);
    EXPECT_EQ(silent->step(1), 0);
    silent->show(window);
    silent->playSelection(0, 0, 1.0);
    EXPECT_EQ(silent->rate(), 0);

    FakeMovie longer;
    longer.duration = 600;
    fakes.library().add("D:\\LONGER.MOV", longer);
    auto shownSilent = open("D:\\LONGER.MOV");
    shownSilent->show(window);
    shownSilent->playSelection(0, 600, 1.0);
    EXPECT_EQ(harness.runFor(2000), 0) << "a movie without frames plays without drawing";
    EXPECT_EQ(shownSilent->rate(), 0);
}

TEST_F(MoviePlayer, TheMovieIsScaledIntoItsRectangleAndDrawnOnlyInsideItsClip)
{
    auto movie = shown({0, 0, 128, 96});
    EXPECT_EQ(pixel(127, 95), kColours[0]) << "scaled to fill";
    movie->setClip(RECT{0, 0, 64, 96});
    movie->setRect({100, 0, 228, 96});
    EXPECT_EQ(pixel(150, 50), kBackground) << "outside the clip nothing is drawn";
    movie->setClip(std::nullopt);
    EXPECT_EQ(pixel(150, 50), kColours[0]);
}

TEST_F(MoviePlayer, APaintOfTheWindowIsFollowedByTheMovieAgain)
{
    auto movie = shown();
    InvalidateRect(window, nullptr, 1);
    UpdateWindow(window);
    EXPECT_EQ(pixel(20, 20), kColours[0]);
    EXPECT_EQ(pixel(100, 100), kBackground);
}

TEST_F(MoviePlayer, ShowingInAnotherWindowMovesTheMovieThere)
{
    auto movie = shown();
    HWND other = top(400, 50, 200, 200, WS_POPUP);
    harness.runUntilIdle();
    movie->show(other);
    EXPECT_EQ(movie->window(), other);
    InvalidateRect(window, nullptr, 1);
    UpdateWindow(window);
    EXPECT_EQ(pixel(20, 20), kBackground) << "the first window no longer gets the movie";
    movie->hide();
    EXPECT_EQ(movie->window(), nullptr);
}

TEST_F(MoviePlayer, AFrameThatFailsKeepsThePictureBefore)
{
    FakeMovie m = FakeMovie::Frames(3, kFrame, kColours);
    m.failingFrames = {1};
    fakes.library().add("D:\\BAD.MOV", m);
    auto movie = open("D:\\BAD.MOV");
    movie->show(window);
    const std::uint64_t start = harness.now();
    movie->playSelection(0, movie->duration(), 1.0);
    runTo(start, 150);
    EXPECT_EQ(pixel(5, 5), kColours[0]);
    EXPECT_EQ(movie->lastError(), kMovieDecodeFailed);
    runTo(start, 250);
    EXPECT_EQ(pixel(5, 5), kColours[2]);
    const auto& decoded = fakes.library().log().decoded;
    EXPECT_EQ(std::count(decoded.begin(), decoded.end(), 1u), 1) << "a failed frame is not tried at every pass";
}

TEST_F(MoviePlayer, AWindowDestroyedUnderAPlayingMovieIsLetGo)
{
    auto movie = shown();
    const std::uint64_t start = harness.now();
    movie->playSelection(0, movie->duration(), 1.0);
    DestroyWindow(window);
    runTo(start, 250);
    EXPECT_EQ(movie->window(), nullptr);
    EXPECT_GT(movie->rate(), 0) << "the movie itself plays on";
}

TEST_F(MoviePlayer, AMovieDeletedWhilePlayingLeavesTheLoop)
{
    auto movie = shown();
    movie->playSelection(0, movie->duration(), 1.0);
    EXPECT_NE(NextLoopServiceDue(), std::nullopt);
    movie.reset();
    EXPECT_EQ(NextLoopServiceDue(), std::nullopt);
    harness.runFor(500);
}

TEST_F(MoviePlayer, SoundPlaysOnlyForwardsAtTheNaturalRate)
{
    FakeMovie m = FakeMovie::Frames(5, kFrame, kColours);
    m.hasSound = true;
    fakes.library().add("D:\\LOUD.MOV", m);
    auto movie = open("D:\\LOUD.MOV");
    const auto& sound = fakes.library().log().sound;
    movie->playSelection(kFrame, 3 * kFrame, -1.0);
    EXPECT_TRUE(sound.empty());
    movie->playSelection(kFrame, 3 * kFrame, 2.0);
    EXPECT_TRUE(sound.empty());
    movie->playSelection(kFrame, 3 * kFrame, 1.0);
    ASSERT_GE(sound.size(), 2u);
    EXPECT_EQ(sound[0], "start 60 240");
    EXPECT_EQ(sound[1], "until 240") << "300 ms ahead, bounded by the selection";
    movie->stop();
    EXPECT_EQ(sound.back(), "stop");
    const std::size_t count = sound.size();
    const std::uint64_t start = harness.now();
    movie->playSelection(0, kFrame, 1.0);
    runTo(start, 300);
    EXPECT_NE(sound.back(), "stop") << "what was delivered plays out at the natural end";
    EXPECT_GT(sound.size(), count);
}

}  // namespace
}  // namespace plat::testing
