#pragma once
// A movie of the movie layer. The abstract movie holds the library's movie,
// its (invisible) controller and its rectangles, and shows or hides it in
// a window; the movie opens a movie file and plays a range of it, forwards
// or backwards. Positions in units count frame steps: one unit is the
// movie time of one frame (never less than 1).
//
// Rectangles are in the window's client coordinates. The clip follows the
// movie rectangle until one is set.

#include <cstdint>
#include <memory>

#include "foundation/JxCObject.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCRect.h"
#include "foundation/JxCString.h"
#include "platform/core/types.h"

namespace plat {
class Movie;
}
class JxCQTWindowPort;

// Controller actions offered to a movie's On operations.
enum class JxMovieAction : std::int16_t {
    Activate = 3,
    Deactivate = 4,
    MouseDown = 5,
    Key = 6,
    Play = 8,
    MovieClick = 45,
};

class JxCQT3AbstractMovie : public JxCObject {
public:
    JxCQT3AbstractMovie();
    ~JxCQT3AbstractMovie() override;
    JxCQT3AbstractMovie(const JxCQT3AbstractMovie&) = delete;
    JxCQT3AbstractMovie& operator=(const JxCQT3AbstractMovie&) = delete;

    virtual std::int16_t Open(const JxCString& fileName) = 0;
    // Controller actions; true when handled. The base handles none.
    virtual std::int16_t OnKey(std::int32_t) { return 0; }
    virtual std::int16_t OnPlay(std::int32_t) { return 0; }
    virtual std::int16_t OnMouseDown(std::int32_t) { return 0; }
    virtual std::int16_t OnMovieClick(std::int32_t) { return 0; }
    virtual std::int16_t OnActivate(std::int32_t) { return 0; }
    virtual std::int16_t OnDeactivate(std::int32_t) { return 0; }

    // Shows the movie in the window (moving it there from another); false
    // without a movie or without a port for the window.
    std::int16_t Show(plat::HWND window);
    void Hide();
    void SetClipRect(const JxCRect& rect);
    // Both return the library's last error.
    std::int32_t SetMovieRect(const JxCRect& rect);
    std::int32_t SetPosition(const JxCPoint& point);
    // Hides, lets go of the controller and the movie, clears the rectangles.
    void Close();
    std::int16_t IsOpen() const { return movie_ != nullptr; }
    JxCRect GetRect() const { return movieRect_; }
    JxCRect GetClipRect() const { return clipRect_; }
    std::int16_t IsShown() const { return shown_; }
    std::int16_t IsActive() const { return active_; }
    std::int16_t HasController() const { return controller_; }
    JxCQTWindowPort* GetPort() const { return port_; }
    plat::HWND GetShownWindow() const;
    const JxCString& GetName() const { return name_; }

    // A message of the window the movie shows in: the controller turns it
    // into one of its actions and hands that to the On operations.
    std::int16_t OfferMessage(plat::UINT msg, plat::WPARAM wParam, plat::LPARAM lParam);

protected:
    plat::Movie* GetMovie() const { return movie_.get(); }
    void SetMovie(std::unique_ptr<plat::Movie> movie, const JxCString& name);
    // Makes the controller once the movie is first shown.
    void MakeController();

private:
    void applyRects();

    std::unique_ptr<plat::Movie> movie_;
    std::int16_t controller_ = 0;
    JxCRect controllerRect_;
    JxCRect clipRect_;
    JxCRect movieRect_;
    std::int16_t shown_ = 0;
    std::int16_t active_ = 0;
    std::int16_t clipSet_ = 0;
    JxCQTWindowPort* port_ = nullptr;
    JxCString name_;
};

class JxCQT3Movie : public JxCQT3AbstractMovie {
public:
    JxCQT3Movie() = default;
    ~JxCQT3Movie() override = default;

    // Opens the movie file by its Windows path; any failure leaves no movie
    // and the reason in GetLastError.
    std::int16_t Open(const JxCString& fileName) override;
    // Clicks on the movie do nothing.
    std::int16_t OnMouseDown(std::int32_t) override { return 1; }
    std::int16_t OnMovieClick(std::int32_t) override { return 1; }

    // Shows the movie in the window and plays from start to end in movie
    // time (end -1: the duration), backwards when start lies after end.
    // The library's error: 0 when playing started.
    std::int32_t PlayRange(plat::HWND window, std::int32_t start, std::int32_t end);
    std::int32_t PlayUnits(plat::HWND window, std::int32_t startUnits, std::int32_t endUnits);
    void Stop();
    // True without a movie, while hidden, without a controller or when not
    // playing; false while looping; otherwise whether the rate fell to 0.
    std::int16_t IsDone() const;
    std::int16_t IsPlaying() const { return playing_ && !IsDone(); }
    void SetLooping(std::int16_t on);
    std::int16_t GetLooping() const;
    void SetLoopIsPalindrome(std::int16_t on);

    std::int32_t GetDuration() const;
    std::int32_t GetDurationUnits() const { return TimeToUnits(GetDuration()); }
    std::int32_t GetCurrentTime() const;
    std::int32_t GetCurrentUnits() const { return TimeToUnits(GetCurrentTime()); }
    void GoToUnits(std::int32_t units);
    void GoToTime(std::int32_t time);
    std::int32_t UnitsToTime(std::int32_t units) const;
    std::int32_t TimeToUnits(std::int32_t time) const;
    std::int32_t GetUnit() const;
    std::int32_t GetTimeScale() const;
    std::int32_t GetLastError() const { return lastError_; }

private:
    std::int16_t playing_ = 0;
    std::int32_t lastError_ = 0;
};
