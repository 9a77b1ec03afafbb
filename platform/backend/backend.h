#pragma once
// A backend connects the platform to the host: it owns the clock, blocks the
// UI thread while nothing is to be done, turns host events into input for the
// window services, and presents the screen. Two exist: `headless` (virtual
// clock, test harness, no display) and `sdl` (one host window).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock/clock.h"
#include "platform/core/types.h"

namespace plat {

class Backend {
public:
    explicit Backend(std::shared_ptr<Clock> clock) : clock_(std::move(clock)) {}
    virtual ~Backend() = default;
    Backend(const Backend&) = delete;
    Backend& operator=(const Backend&) = delete;

    virtual const char* name() const = 0;
    Clock& clock() { return *clock_; }
    const std::shared_ptr<Clock>& sharedClock() const { return clock_; }

    // Blocks the UI thread until wake() is called, host input arrives, or
    // the clock reaches `deadline` (none: no deadline). May return early.
    virtual void wait(std::optional<std::uint64_t> deadline) = 0;
    // Ends a wait in progress, or the next one. Any thread.
    virtual void wake() = 0;
    // Takes host events that are already waiting, without blocking.
    virtual void poll() {}
    // Shows what changed on the screen.
    virtual void present() {}
    // The current cursor (see window/cursor.h); null hides it.
    virtual void showCursor(HCURSOR cursor) { (void)cursor; }
    // All host mouse input goes to us while the platform holds a capture.
    virtual void setHostCapture(bool on) { (void)on; }
    // The host window's title, where there is one, in UTF-8.
    virtual void setTitle(const std::string& utf8) { (void)utf8; }
    // Minimises the host window (our last shown top-level window was
    // minimised) or brings it back (one of ours was restored). The host
    // answers through HostMinimized and HostRestored (window/input.h).
    virtual void setHostMinimized(bool minimized) { (void)minimized; }
    // Hands text or a picture (PNG bytes) to the host's clipboard, where
    // there is one.
    virtual void setHostClipboardText(const std::string& utf8) { (void)utf8; }
    virtual void setHostClipboardPicture(std::string png) { (void)png; }

private:
    std::shared_ptr<Clock> clock_;
};

// Makes the backend and the window services' desktop on the calling
// thread, the program's main thread, which becomes the UI thread: the SDL
// window belongs to it, and posts from other threads (sound, movies) wake
// it. Programs call this first thing, before a thread that may post starts.
void StartPlatform();

// The process's backend, chosen on first use: KELBO_BACKEND=headless|sdl;
// without it, sdl when a display is available, else headless. Made only on
// the main thread: a first use on another thread stops the program, as a
// host window made there would never see its events.
Backend& TheBackend();
// Installs a backend (and its clock); the previous one is returned.
std::unique_ptr<Backend> InstallBackend(std::unique_ptr<Backend> backend);
// For the makers of the UI thread's state (the backend, the desktop): stops
// the program with a message naming `what` unless called on the main thread.
void RequireMainThreadToCreate(const char* what);
// The backend named by KELBO_BACKEND and the host's display. A headless
// one runs on the real clock, but for a run driven by the script that
// KELBO_SCRIPT names, which runs on the virtual clock.
// KELBO_SCRIPT runs on the virtual clock. A box or dialog that a headless
// program meets and that no script step answers ends the program: see
// ExitOnUnansweredBox.
std::unique_ptr<Backend> CreateDefaultBackend();

// The program's last word when the host ends it from outside its own loop
// (the display it shows on went away): a function that keeps the user's
// work, showing nothing and never waiting for the display. Returns the
// previous one; an empty function removes it.
using SessionRescue = std::function<void()>;
SessionRescue SetSessionRescue(SessionRescue rescue);
// Runs the rescue (once, however often this is reached: a second thread
// waits for the first's rescue, which ends the process), then ends the
// process at once with the code: no exit handlers and no static
// destructors, since the program is still in the middle of its work.
[[noreturn]] void RescueSessionAndExit(int code);

struct UiRequest;
// For a program that nobody can answer: names the box or dialog (its
// caption and text) on stderr and ends the process with exit code 3, at
// once, without running the exit handlers of a program still in the middle
// of its work.
[[noreturn]] void ExitOnUnansweredBox(const UiRequest& request);

}  // namespace plat
