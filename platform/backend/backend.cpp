#include "platform/backend/backend.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <utility>

#include "platform/audio/audio_output.h"
#include "platform/audio/wave_out.h"
#include "platform/backend/headless.h"
#include "platform/backend/script.h"
#include "platform/backend/sdl.h"
#include "platform/core/codepage.h"
#include "platform/fs/paths.h"
#include "platform/window/cursor.h"
#include "platform/window/desktop.h"

namespace plat {

namespace {
std::unique_ptr<Backend>& slot()
{
    static std::unique_ptr<Backend> b;
    return b;
}

// The cursor module shows its cursor through whichever backend is in place.
void connect(Backend* b)
{
    // Sound plays on the new backend's clock or host device.
    CloseAllWaveOut();
    InstallAudioOutput(nullptr);
    InstallClock(b ? b->sharedClock() : nullptr);
    if (b)
        SetCursorPresenter([](HCURSOR cursor) { TheBackend().showCursor(cursor); });
    else
        SetCursorPresenter(nullptr);
}
}  // namespace

namespace {
// KELBO_SCRIPT names a script of user actions (see script.h) that drives a
// headless run from its idle moments and ends it after its last step.
std::unique_ptr<Backend> scriptedHeadless(const char* path)
{
    std::string error;
    auto script = Script::load(path, &error);
    if (!script) {
        std::fprintf(stderr, "KELBO_SCRIPT: %s\n", error.c_str());
        std::exit(2);
    }
    auto headless = std::make_unique<HeadlessBackend>();
    headless->adoptScript(std::make_unique<Script>(std::move(*script)));
    return headless;
}
}  // namespace

namespace {
// A program that runs without a display and without a script shows
// nothing and takes no input: whoever started it is told so, and how to
// end it.
void sayHeadless(const char* why)
{
    std::fprintf(stderr,
                 "%s runs headless (%s): nothing is shown and nothing can be clicked. "
                 "End it with Ctrl+C or kill %d; to use it, run it on a desktop, "
                 "or give it a script of user actions (KELBO_SCRIPT=FILE).\n",
                 program_invocation_short_name, why, int(::getpid()));
}
}  // namespace

std::unique_ptr<Backend> CreateDefaultBackend()
{
    const char* choice = std::getenv("KELBO_BACKEND");
    if (const char* script = std::getenv("KELBO_SCRIPT"); script && *script) {
        if (choice && std::strcmp(choice, "headless") != 0)
            std::fprintf(stderr, "KELBO_SCRIPT runs headless; KELBO_BACKEND=%s is ignored\n", choice);
        return scriptedHeadless(script);
    }
    bool display = (std::getenv("DISPLAY") && *std::getenv("DISPLAY")) ||
                   (std::getenv("WAYLAND_DISPLAY") && *std::getenv("WAYLAND_DISPLAY"));
    bool wantSdl = choice ? std::strcmp(choice, "sdl") == 0 : display;
    if (choice && std::strcmp(choice, "sdl") != 0 && std::strcmp(choice, "headless") != 0)
        std::fprintf(stderr, "KELBO_BACKEND=%s is not a backend (headless, sdl); using headless\n",
                     choice);
    if (wantSdl) {
        std::string error;
        if (auto sdl = CreateSdlBackend(&error))
            return sdl;
        std::fprintf(stderr, "The sdl backend cannot start (%s); using headless\n", error.c_str());
        sayHeadless("the display cannot be used");
    } else {
        sayHeadless(display ? "KELBO_BACKEND asks for it" : "there is no display: DISPLAY is not set");
    }
    // Without a script nothing moves time on but time itself: the real
    // clock, so that the program's timers wait as they would on screen.
    SetResponder([](const UiRequest& request) -> std::optional<int> { ExitOnUnansweredBox(request); });
    return std::make_unique<HeadlessBackend>(false);
}

namespace {
SessionRescue& rescueSlot()
{
    static SessionRescue rescue;
    return rescue;
}
}  // namespace

SessionRescue SetSessionRescue(SessionRescue rescue)
{
    return std::exchange(rescueSlot(), std::move(rescue));
}

void RescueSessionAndExit(int code)
{
    // One rescue, whichever thread comes first; another thread that comes
    // meanwhile waits here until the first has saved and ended the process
    // (the lock is never given back). Reached again from inside the rescue,
    // on the rescuing thread, it ends the process at once.
    static std::mutex rescuing;
    static std::atomic<pid_t> rescuer{0};
    if (rescuer.load() != ::gettid()) {
        rescuing.lock();
        rescuer = ::gettid();
        if (rescueSlot())
            rescueSlot()();
    }
    std::fflush(nullptr);
    std::_Exit(code);
}

void ExitOnUnansweredBox(const UiRequest& request)
{
    // The box speaks the program's code page; the terminal reads UTF-8.
    std::fprintf(stderr, "No one can answer the %s \"%s\" (nothing in the script answers it):\n%s\n",
                 request.kind == "MessageBox" ? "message box" : "dialog",
                 CodePageToUtf8(request.caption, GetACP()).c_str(), CodePageToUtf8(request.text, GetACP()).c_str());
    std::fflush(stderr);
    std::_Exit(3);
}

void RequireMainThreadToCreate(const char* what)
{
    if (::gettid() == ::getpid())
        return;
    std::fprintf(stderr,
                 "The %s was first needed on a thread other than the main thread; "
                 "StartPlatform() must make it on the UI thread at start-up\n",
                 what);
    std::abort();
}

void StartPlatform()
{
    TheBackend();
    TheDesktop();
}

Backend& TheBackend()
{
    auto& b = slot();
    if (!b) {
        RequireMainThreadToCreate("backend");
        b = CreateDefaultBackend();
        connect(b.get());
    }
    return *b;
}

std::unique_ptr<Backend> InstallBackend(std::unique_ptr<Backend> backend)
{
    auto& b = slot();
    auto previous = std::move(b);
    b = std::move(backend);
    connect(b.get());
    return previous;
}

}  // namespace plat
