#include "media/JxCQT3Movie.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "media/JxCQT3Overseer.h"
#include "platform/movie/movie.h"
#include "platform/window/messages.h"

namespace {

plat::RECT toRect(const JxCRect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

std::int16_t clamp16(std::int64_t v)
{
    return std::int16_t(std::clamp<std::int64_t>(v, INT16_MIN, INT16_MAX));
}

}  // namespace

// --- The abstract movie ---------------------------------------------------------

JxCQT3AbstractMovie::JxCQT3AbstractMovie() = default;

JxCQT3AbstractMovie::~JxCQT3AbstractMovie()
{
    Close();
}

void JxCQT3AbstractMovie::SetMovie(std::unique_ptr<plat::Movie> movie, const JxCString& name)
{
    Close();
    movie_ = std::move(movie);
    name_ = name;
    if (movie_) {
        const plat::RECT box = movie_->box();
        movieRect_ = JxCRect(clamp16(box.left), clamp16(box.top), clamp16(box.right), clamp16(box.bottom));
        if (!clipSet_)
            clipRect_ = movieRect_;
    }
}

void JxCQT3AbstractMovie::MakeController()
{
    if (controller_ || !movie_)
        return;
    controller_ = 1;
    controllerRect_ = movieRect_;
}

plat::HWND JxCQT3AbstractMovie::GetShownWindow() const
{
    return shown_ && port_ ? port_->GetWindow() : nullptr;
}

// A hidden movie only keeps them; a shown one draws there at once.
void JxCQT3AbstractMovie::applyRects()
{
    if (!movie_)
        return;
    controllerRect_ = movieRect_;
    movie_->setRect(toRect(movieRect_));
    movie_->setClip(clipSet_ ? std::optional<plat::RECT>(toRect(clipRect_)) : std::nullopt);
}

std::int16_t JxCQT3AbstractMovie::Show(plat::HWND window)
{
    if (!movie_)
        return 0;
    if (shown_ && GetShownWindow() == window)
        return 1;
    if (shown_)
        Hide();
    JxCQT3Overseer* overseer = GetQT3Overseer();
    JxCQTWindowPort* port = overseer ? overseer->GetWindowPort(window) : nullptr;
    if (!port)
        return 0;
    overseer->AddShown(this);
    port_ = port;
    shown_ = 1;
    MakeController();
    active_ = 1;
    applyRects();  // before it shows, so that it never shows where it was
    movie_->show(window);
    return 1;
}

void JxCQT3AbstractMovie::Hide()
{
    if (!shown_)
        return;
    active_ = 0;
    if (movie_)
        movie_->hide();
    if (JxCQT3Overseer* overseer = GetQT3Overseer()) {
        overseer->ReleaseWindowPort(port_);
        overseer->RemoveShown(this);
    }
    port_ = nullptr;
    shown_ = 0;
}

void JxCQT3AbstractMovie::SetClipRect(const JxCRect& rect)
{
    clipRect_ = rect;
    clipSet_ = 1;
    applyRects();
}

std::int32_t JxCQT3AbstractMovie::SetMovieRect(const JxCRect& rect)
{
    movieRect_ = rect;
    if (!clipSet_)
        clipRect_ = rect;
    applyRects();
    return movie_ ? movie_->lastError() : 0;
}

std::int32_t JxCQT3AbstractMovie::SetPosition(const JxCPoint& point)
{
    JxCRect moved(point.x, point.y, clamp16(std::int32_t(point.x) + movieRect_.Width()),
                  clamp16(std::int32_t(point.y) + movieRect_.Height()));
    return SetMovieRect(moved);
}

void JxCQT3AbstractMovie::Close()
{
    Hide();
    controller_ = 0;
    movie_.reset();
    controllerRect_ = clipRect_ = movieRect_ = JxCRect();
    clipSet_ = 0;
}

std::int16_t JxCQT3AbstractMovie::OfferMessage(plat::UINT msg, plat::WPARAM wParam, plat::LPARAM lParam)
{
    if (!controller_ || !active_)
        return 0;
    switch (msg) {
    case plat::WM_LBUTTONDOWN: {
        const int x = std::int16_t(lParam & 0xFFFF);
        const int y = std::int16_t((lParam >> 16) & 0xFFFF);
        const bool inMovie = x >= movieRect_.left && x < movieRect_.right && y >= movieRect_.top &&
                             y < movieRect_.bottom;
        return inMovie ? OnMovieClick(std::int32_t(JxMovieAction::MovieClick))
                       : OnMouseDown(std::int32_t(JxMovieAction::MouseDown));
    }
    case plat::WM_KEYDOWN:
        return OnKey(std::int32_t(wParam));
    case plat::WM_ACTIVATE:
        return (wParam & 0xFFFF) ? OnActivate(std::int32_t(JxMovieAction::Activate))
                                 : OnDeactivate(std::int32_t(JxMovieAction::Deactivate));
    default:
        return 0;
    }
}

// --- The movie ---------------------------------------------------------------

std::int16_t JxCQT3Movie::Open(const JxCString& fileName)
{
    Close();
    playing_ = 0;
    for (;;) {
        plat::OpenedMovie opened = plat::OpenMovie(fileName.View());
        lastError_ = opened.error;
        if (opened.movie) {
            SetMovie(std::move(opened.movie), fileName);
            return 1;
        }
        if (lastError_ == plat::kMovieNoError)
            lastError_ = plat::kMovieNotAMovie;
        // The box's Retry looks for the library again.
        JxCQT3Overseer* overseer = GetQT3Overseer();
        if (lastError_ != plat::kMovieLibraryMissing || !overseer || !overseer->ReportLibraryMissing())
            return 0;
    }
}

std::int32_t JxCQT3Movie::PlayRange(plat::HWND window, std::int32_t start, std::int32_t end)
{
    plat::Movie* movie = GetMovie();
    if (!movie)
        return lastError_ = plat::kMovieNotAMovie;
    if (end == -1)
        end = movie->duration();
    if (!Show(window))
        return lastError_ = plat::kMovieLibraryMissing;
    playing_ = 1;
    const std::int32_t begin = std::min(start, end);
    const std::int64_t length = std::int64_t(std::max(start, end)) - begin;
    const double rate = start > end ? -movie->preferredRate() : movie->preferredRate();
    movie->playSelection(begin, std::int32_t(std::min<std::int64_t>(length, INT32_MAX)), rate);
    return lastError_ = movie->lastError();
}

std::int32_t JxCQT3Movie::PlayUnits(plat::HWND window, std::int32_t startUnits, std::int32_t endUnits)
{
    return PlayRange(window, UnitsToTime(startUnits), endUnits == -1 ? -1 : UnitsToTime(endUnits));
}

void JxCQT3Movie::Stop()
{
    if (plat::Movie* movie = GetMovie())
        movie->stop();
    playing_ = 0;
}

std::int16_t JxCQT3Movie::IsDone() const
{
    plat::Movie* movie = GetMovie();
    if (!movie || !IsShown() || !HasController() || !playing_)
        return 1;
    if (movie->looping())
        return 0;
    return movie->rate() == 0 ? 1 : 0;
}

void JxCQT3Movie::SetLooping(std::int16_t on)
{
    if (plat::Movie* movie = GetMovie())
        movie->setLooping(on != 0);
}

std::int16_t JxCQT3Movie::GetLooping() const
{
    plat::Movie* movie = GetMovie();
    return movie && movie->looping() ? 1 : 0;
}

void JxCQT3Movie::SetLoopIsPalindrome(std::int16_t on)
{
    if (plat::Movie* movie = GetMovie())
        movie->setPalindrome(on != 0);
}

std::int32_t JxCQT3Movie::GetDuration() const
{
    plat::Movie* movie = GetMovie();
    return movie ? movie->duration() : 0;
}

std::int32_t JxCQT3Movie::GetCurrentTime() const
{
    plat::Movie* movie = GetMovie();
    return movie ? movie->time() : 0;
}

void JxCQT3Movie::GoToTime(std::int32_t time)
{
    if (plat::Movie* movie = GetMovie())
        movie->goTo(time);
}

void JxCQT3Movie::GoToUnits(std::int32_t units)
{
    GoToTime(UnitsToTime(units));
}

std::int32_t JxCQT3Movie::GetUnit() const
{
    plat::Movie* movie = GetMovie();
    return movie ? std::max<std::int32_t>(1, movie->frameStep()) : 1;
}

std::int32_t JxCQT3Movie::GetTimeScale() const
{
    plat::Movie* movie = GetMovie();
    return movie ? movie->timeScale() : 0;
}

std::int32_t JxCQT3Movie::UnitsToTime(std::int32_t units) const
{
    const std::int64_t t = std::int64_t(units) * GetUnit();
    return std::int32_t(std::clamp<std::int64_t>(t, INT32_MIN, INT32_MAX));
}

std::int32_t JxCQT3Movie::TimeToUnits(std::int32_t time) const
{
    return time / GetUnit();
}
