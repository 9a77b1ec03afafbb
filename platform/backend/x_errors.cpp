#include "platform/backend/x_errors.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <vector>

#include "platform/backend/backend.h"

namespace plat {

namespace {

// The exit code of a program whose display went away.
constexpr int kDisplayLostExitCode = 1;

struct XErrorState {
    std::mutex mutex;
    std::vector<Display*> sides;
    XErrorHandler previous = nullptr;
};

XErrorState& state()
{
    // Never destroyed: the X library may call the handlers until the
    // process is gone, static destruction included.
    static auto* s = new XErrorState;
    return *s;
}

bool isSide(Display* display)
{
    XErrorState& s = state();
    std::lock_guard lock(s.mutex);
    return std::find(s.sides.begin(), s.sides.end(), display) != s.sides.end();
}

// The two requests that answer a paste: the data put on the requestor's
// window, and the notice sent to it.
bool aimedAtAGoneRequestor(const XErrorEvent& e)
{
    return e.error_code == BadWindow && (e.request_code == X_ChangeProperty || e.request_code == X_SendEvent);
}

int onError(Display* display, XErrorEvent* e)
{
    if (aimedAtAGoneRequestor(*e))
        return 0;
    const bool side = isSide(display);
    if (!side && ::gettid() == ::getpid()) {
        XErrorHandler previous = state().previous;
        return previous ? previous(display, e) : 0;
    }
    std::fprintf(stderr, "kelbo32: X error %d on request %d.%d (resource 0x%lx) ignored\n", int(e->error_code),
                 int(e->request_code), int(e->minor_code), e->resourceid);
    return 0;
}

// Were this to return for the program's own display, the X library would
// end the program with exit(): static destructors would run while the
// program is still in the middle of its work, and SDL's teardown would wait
// for replies that never come. The user's work is kept through the session
// rescue instead, and the process ends at once. A side connection's loss
// returns to its exit handler (below).
int onIoError(Display* display)
{
    if (isSide(display))
        return 0;
    std::fputs("kelbo32: the connection to the display was lost\n", stderr);
    RescueSessionAndExit(kDisplayLostExitCode);
}

void sideLost(Display*, void* lost)
{
    static_cast<std::atomic<bool>*>(lost)->store(true);
}

}  // namespace

void InstallXErrorHandlers()
{
    // Again after SDL started anew: its end puts back the handler it found
    // when it started.
    XErrorState& s = state();
    std::lock_guard lock(s.mutex);
    if (XErrorHandler previous = XSetErrorHandler(onError); previous != onError)
        s.previous = previous;
    XSetIOErrorHandler(onIoError);
}

void AddSideConnection(_XDisplay* display, std::atomic<bool>* lost)
{
    InstallXErrorHandlers();
    {
        XErrorState& s = state();
        std::lock_guard lock(s.mutex);
        s.sides.push_back(display);
    }
    // The X library calls this instead of exit() once the IO error handler
    // has returned, and the connection's calls fail from then on.
    XSetIOErrorExitHandler(display, sideLost, lost);
}

void RemoveSideConnection(_XDisplay* display)
{
    XErrorState& s = state();
    std::lock_guard lock(s.mutex);
    s.sides.erase(std::remove(s.sides.begin(), s.sides.end(), display), s.sides.end());
}

}  // namespace plat
