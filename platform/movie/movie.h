#pragma once
// The movie library as the engine sees it: a movie opened from a file
// plays a selection of itself forwards or backwards at a signed rate, steps
// by frames, goes to a time and loops, and shows in a rectangle of a
// window, clipped. It has no visible controller. Everything runs on the UI
// thread: each look at the message queue brings a playing movie's picture
// up to date, and a waiting loop wakes for its next frame as for a timer.
// The picture is drawn again whenever its window finishes a paint.

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/core/types.h"
#include "platform/movie/movie_source.h"

namespace plat {

class Movie {
public:
    explicit Movie(std::unique_ptr<MovieSource> source);
    ~Movie();
    Movie(const Movie&) = delete;
    Movie& operator=(const Movie&) = delete;

    const MovieInfo& info() const { return source_->info(); }
    // The natural rectangle, (0, 0, width, height).
    RECT box() const;
    std::int32_t timeScale() const { return info().timeScale; }
    std::int32_t duration() const { return info().duration; }
    double preferredRate() const { return 1.0; }
    // The movie time and rate now, as the clock says: the rate is 0 once
    // stopped or once a selection played to its end without looping.
    std::int32_t time();
    double rate();
    // The movie time of one frame step: the first frame's length (the
    // duration for a single frame), never below 1.
    std::int32_t frameStep() const;
    // The last error of decoding (kMovieNoError while all went well).
    int lastError() const { return lastError_; }

    // Plays [begin, begin + length] at `rate`: forwards from its begin,
    // backwards (a negative rate) from its end; rate 0 stops. The range is
    // bounded by the movie.
    void playSelection(std::int32_t begin, std::int32_t length, double rate);
    void stop();
    // Moves to a time (bounded by the movie); a playing movie goes on from
    // there within its selection.
    void goTo(std::int32_t time);
    // Stops and moves `count` frames on (back, when negative) from the
    // frame showing now, within the movie; the new time is returned.
    std::int32_t step(int count);
    void setLooping(bool on) { looping_ = on; }
    bool looping() const { return looping_; }
    // Looping back and forth instead of starting over.
    void setPalindrome(bool on) { palindrome_ = on; }
    bool palindrome() const { return palindrome_; }

    // Shows the movie in a window (moving it there from another); the
    // rectangle and clip are in the window's client coordinates.
    void show(HWND hwnd);
    void hide();
    HWND window() const { return window_; }
    // The picture is scaled to fill the rectangle.
    void setRect(const RECT& rect);
    RECT rect() const { return rect_; }
    // The picture is drawn only inside the clip; none: the movie rectangle.
    void setClip(std::optional<RECT> clip);
    // Draws the current frame again (when shown).
    void redraw();

    // The loop's side (movie_scheduler): when this movie next needs a
    // service, and the service itself.
    std::optional<std::uint64_t> nextDue();
    void service(std::uint64_t now);

private:
    void settle(std::uint64_t now);
    std::int32_t timeAt(std::uint64_t now) const;
    std::uint64_t wallWhen(std::int32_t target) const;
    std::optional<std::int32_t> nextChangeTime() const;
    void anchor(std::uint64_t wall, std::int32_t time);
    void halt(std::int32_t time, bool flushSound);
    void startSoundIfForward();
    void pumpSound(std::uint64_t now);
    std::size_t frameIndexAt(std::int32_t time) const;
    void showFrameAt(std::int32_t time);
    void draw();

    std::unique_ptr<MovieSource> source_;
    // Time keeping: the movie is at anchorTime_ at anchorWall_ on the
    // clock and moves at rate_ movie seconds per second since (0: still).
    std::uint64_t anchorWall_ = 0;
    std::int32_t anchorTime_ = 0;
    double rate_ = 0;
    std::int32_t selBegin_ = 0;
    std::int32_t selEnd_ = 0;
    bool looping_ = false;
    bool palindrome_ = false;
    bool soundOn_ = false;
    std::uint64_t nextSoundPump_ = 0;
    int lastError_ = kMovieNoError;

    HWND window_ = nullptr;
    RECT rect_;
    std::optional<RECT> clip_;
    FrameImage image_;
    std::optional<std::size_t> imageIndex_;  // the frame in image_
    std::optional<std::size_t> shownIndex_;  // the frame on the screen
};

// Starts the movie library: 0 when movies can play, else its error code.
int StartMovies();

struct OpenedMovie {
    std::unique_ptr<Movie> movie;
    int error = kMovieNoError;
};
// Opens a movie by its Windows path; the error code says why not.
OpenedMovie OpenMovie(std::string_view windowsPath);

}  // namespace plat
