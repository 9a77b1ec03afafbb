#include "platform/movie/movie.h"

#include <algorithm>
#include <cmath>

#include "platform/clock/clock.h"
#include "platform/draw/blit.h"
#include "platform/draw/rgnobject.h"
#include "platform/movie/movie_scheduler.h"
#include "platform/window/window.h"

namespace plat {

namespace {

// Rates beyond these would put a frame's deadline past any clock.
constexpr double kSlowestRate = 1.0 / 64;
constexpr double kFastestRate = 64;
// Sound is decoded this far ahead of the picture, topped up this often.
constexpr std::uint64_t kSoundLeadMs = 300;
constexpr std::uint64_t kSoundPumpMs = 100;
// Loops made good at once when the clock jumps far ahead of a short
// looping selection; beyond them the loop starts over at the present.
constexpr int kMostLoopsAtOnce = 64;

std::uint64_t clockNow()
{
    return TheClock().now();
}

std::int32_t clampTime(std::int64_t t, std::int32_t low, std::int32_t high)
{
    return std::int32_t(std::clamp<std::int64_t>(t, low, std::max(low, high)));
}

}  // namespace

Movie::Movie(std::unique_ptr<MovieSource> source) : source_(std::move(source))
{
    rect_ = box();
    anchorWall_ = clockNow();
    MovieScheduler::instance().join(this);
}

Movie::~Movie()
{
    if (soundOn_)
        source_->stopSound();
    MovieScheduler::instance().leave(this);
}

RECT Movie::box() const
{
    return {0, 0, info().width, info().height};
}

std::int32_t Movie::frameStep() const
{
    const auto& frames = info().frameTimes;
    std::int32_t step = frames.size() >= 2 ? frames[1] - frames[0] : duration();
    return std::max<std::int32_t>(1, step);
}

std::int32_t Movie::time()
{
    const std::uint64_t now = clockNow();
    settle(now);
    return clampTime(timeAt(now), 0, duration());
}

double Movie::rate()
{
    settle(clockNow());
    return rate_;
}

// --- Time keeping ------------------------------------------------------------

std::int32_t Movie::timeAt(std::uint64_t now) const
{
    if (rate_ == 0 || now <= anchorWall_)
        return anchorTime_;
    const double moved =
        std::floor(double(now - anchorWall_) * double(timeScale()) * std::abs(rate_) / 1000.0);
    const double t = double(anchorTime_) + (rate_ > 0 ? moved : -moved);
    return std::int32_t(std::clamp(t, double(INT32_MIN), double(INT32_MAX)));
}

// The first clock time at which a playing movie has reached `target`.
std::uint64_t Movie::wallWhen(std::int32_t target) const
{
    const double distance = std::abs(double(target) - double(anchorTime_));
    const double ms = std::ceil(distance * 1000.0 / (double(timeScale()) * std::abs(rate_)));
    std::uint64_t wall = anchorWall_ + std::uint64_t(std::min(ms, 1e15));
    // Rounding may leave the movie a unit short at that millisecond.
    for (int i = 0; i < 4; ++i) {
        const std::int32_t t = timeAt(wall);
        if (rate_ > 0 ? t >= target : t <= target)
            break;
        ++wall;
    }
    return wall;
}

void Movie::anchor(std::uint64_t wall, std::int32_t time)
{
    anchorWall_ = wall;
    anchorTime_ = time;
}

void Movie::halt(std::int32_t time, bool flushSound)
{
    rate_ = 0;
    anchor(clockNow(), time);
    if (soundOn_ && flushSound)
        source_->stopSound();
    soundOn_ = false;
}

// Makes good the selection's end (and the loops) the clock has passed.
void Movie::settle(std::uint64_t now)
{
    for (int loops = 0; rate_ != 0; ++loops) {
        const bool forwards = rate_ > 0;
        const std::int32_t end = forwards ? selEnd_ : selBegin_;
        const std::int32_t t = timeAt(now);
        if (forwards ? t < end : t > end)
            return;
        if (!looping_ || selEnd_ <= selBegin_) {
            halt(end, false);  // the sound delivered so far plays out
            return;
        }
        if (loops == kMostLoopsAtOnce) {
            anchor(now, forwards ? selBegin_ : selEnd_);
        } else if (palindrome_) {
            anchor(wallWhen(end), end);
            rate_ = -rate_;
        } else {
            anchor(wallWhen(end), forwards ? selBegin_ : selEnd_);
        }
        if (soundOn_) {
            source_->stopSound();
            soundOn_ = false;
        }
        startSoundIfForward();
    }
}

// --- Playing -----------------------------------------------------------------

void Movie::playSelection(std::int32_t begin, std::int32_t length, double rate)
{
    if (!std::isfinite(rate) || rate == 0) {
        stop();
        return;
    }
    const std::uint64_t now = clockNow();
    selBegin_ = clampTime(begin, 0, duration());
    selEnd_ = clampTime(std::int64_t(selBegin_) + std::max<std::int32_t>(0, length), selBegin_,
                        duration());
    if (soundOn_) {
        source_->stopSound();
        soundOn_ = false;
    }
    rate_ = std::copysign(std::clamp(std::abs(rate), kSlowestRate, kFastestRate), rate);
    anchor(now, rate_ > 0 ? selBegin_ : selEnd_);
    startSoundIfForward();
    showFrameAt(anchorTime_);
}

void Movie::stop()
{
    const std::uint64_t now = clockNow();
    settle(now);
    halt(clampTime(timeAt(now), 0, duration()), true);
}

void Movie::goTo(std::int32_t time)
{
    const std::uint64_t now = clockNow();
    settle(now);
    if (rate_ == 0) {
        anchor(now, clampTime(time, 0, duration()));
    } else {
        anchor(now, clampTime(time, selBegin_, selEnd_));
        if (soundOn_) {
            source_->stopSound();
            soundOn_ = false;
        }
        startSoundIfForward();
    }
    showFrameAt(anchorTime_);
}

std::int32_t Movie::step(int count)
{
    stop();
    const auto& frames = info().frameTimes;
    if (frames.empty())
        return anchorTime_;
    const std::int64_t index = std::int64_t(frameIndexAt(anchorTime_)) + count;
    anchorTime_ = frames[std::size_t(std::clamp<std::int64_t>(index, 0, std::int64_t(frames.size()) - 1))];
    showFrameAt(anchorTime_);
    return anchorTime_;
}

// --- Sound -------------------------------------------------------------------

void Movie::startSoundIfForward()
{
    if (rate_ != preferredRate() || !info().hasSound)
        return;
    source_->startSound(anchorTime_, selEnd_);
    soundOn_ = true;
    pumpSound(clockNow());
}

void Movie::pumpSound(std::uint64_t now)
{
    if (!soundOn_)
        return;
    const std::int64_t lead = std::int64_t(kSoundLeadMs) * timeScale() / 1000;
    source_->soundUntil(clampTime(std::int64_t(timeAt(now)) + lead, 0, selEnd_));
    nextSoundPump_ = now + kSoundPumpMs;
}

// --- The loop's side ---------------------------------------------------------

// The movie time at which the frame on the screen gives way to another.
std::optional<std::int32_t> Movie::nextChangeTime() const
{
    const auto& frames = info().frameTimes;
    if (frames.empty() || !shownIndex_)
        return std::nullopt;
    const std::size_t index = *shownIndex_;
    if (rate_ > 0) {
        if (index + 1 < frames.size() && frames[index + 1] < selEnd_)
            return frames[index + 1];
    } else if (index > 0 && frames[index] - 1 > selBegin_) {
        return frames[index] - 1;  // the frame before shows once the time is below this one's
    }
    return std::nullopt;
}

std::optional<std::uint64_t> Movie::nextDue()
{
    if (rate_ == 0)
        return std::nullopt;
    std::uint64_t due = wallWhen(rate_ > 0 ? selEnd_ : selBegin_);
    if (window_ && !info().frameTimes.empty()) {
        if (!shownIndex_)
            return anchorWall_;  // nothing drawn yet
        if (auto change = nextChangeTime())
            due = std::min(due, wallWhen(*change));
    }
    if (soundOn_)
        due = std::min(due, nextSoundPump_);
    return due;
}

void Movie::service(std::uint64_t now)
{
    settle(now);
    showFrameAt(clampTime(timeAt(now), 0, duration()));
    if (soundOn_ && now >= nextSoundPump_)
        pumpSound(now);
}

// --- Showing -----------------------------------------------------------------

std::size_t Movie::frameIndexAt(std::int32_t time) const
{
    const auto& frames = info().frameTimes;
    auto after = std::upper_bound(frames.begin(), frames.end(), time);
    return after == frames.begin() ? 0 : std::size_t(after - frames.begin()) - 1;
}

void Movie::show(HWND hwnd)
{
    if (window_ != hwnd)
        hide();
    window_ = hwnd;
    redraw();
}

void Movie::hide()
{
    window_ = nullptr;
    shownIndex_.reset();
}

void Movie::setRect(const RECT& rect)
{
    rect_ = {rect.left, rect.top, std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)};
    redraw();
}

void Movie::setClip(std::optional<RECT> clip)
{
    clip_ = clip;
    redraw();
}

void Movie::redraw()
{
    shownIndex_.reset();
    if (window_)
        showFrameAt(time());
}

void Movie::showFrameAt(std::int32_t time)
{
    if (!window_ || info().frameTimes.empty())
        return;
    const std::size_t index = frameIndexAt(time);
    if (shownIndex_ == index)
        return;
    shownIndex_ = index;  // a frame that fails is not tried again at every pass
    if (imageIndex_ != index) {
        if (!source_->decodeFrame(index, image_)) {
            lastError_ = kMovieDecodeFailed;
            if (!imageIndex_)
                return;  // nothing decoded yet: leave the window as it is
        } else {
            imageIndex_ = index;
        }
    }
    draw();
}

void Movie::draw()
{
    if (!IsWindow(window_)) {
        hide();
        return;
    }
    if (image_.pixels.empty() || rect_.right <= rect_.left || rect_.bottom <= rect_.top)
        return;
    HDC dc = GetDC(window_);
    if (!dc)
        return;
    const RECT clip = clip_.value_or(rect_);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    BITMAPINFO bmi{};
    bmi.bmiHeader.biWidth = image_.width;
    bmi.bmiHeader.biHeight = -image_.height;  // rows top-down
    bmi.bmiHeader.biBitCount = 32;
    StretchDIBits(dc, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top, 0, 0,
                  image_.width, image_.height, image_.pixels.data(), &bmi, DIB_RGB_COLORS, SRCCOPY);
    ReleaseDC(window_, dc);
}

// --- Opening -----------------------------------------------------------------

int StartMovies()
{
    return TheMovieLibrary().start();
}

OpenedMovie OpenMovie(std::string_view windowsPath)
{
    OpenedSource opened = TheMovieLibrary().open(windowsPath);
    if (!opened.source)
        return {nullptr, opened.error != kMovieNoError ? opened.error : kMovieNotAMovie};
    return {std::make_unique<Movie>(std::move(opened.source)), kMovieNoError};
}

}  // namespace plat
