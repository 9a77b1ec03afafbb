#include "platform/backend/x_picture_selection.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/backend/x_errors.h"

namespace plat {

namespace {

class Selection final : public XPictureSelection {
public:
    explicit Selection(Display* display) : display_(display)
    {
        // Its errors and its loss end nothing (x_errors.h).
        AddSideConnection(display_, &dead_);
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
        clipboard_ = XInternAtom(display_, "CLIPBOARD", False);
        targets_ = XInternAtom(display_, "TARGETS", False);
        png_ = XInternAtom(display_, "image/png", False);
        // What one property may hold; a larger picture is refused (no page
        // comes near it: the limit is 16 MB where the server allows it).
        const long words = XExtendedMaxRequestSize(display_) ? XExtendedMaxRequestSize(display_)
                                                            : XMaxRequestSize(display_);
        largest_ = std::size_t(words) * 4 - 1024;
        XFlush(display_);
        if (::pipe(wake_) == 0)
            thread_ = std::thread([this] { serve(); });
    }
    ~Selection() override
    {
        if (thread_.joinable()) {
            {
                std::lock_guard lock(mutex_);
                stop_ = true;
            }
            poke();
            thread_.join();
            ::close(wake_[0]);
            ::close(wake_[1]);
        }
        RemoveSideConnection(display_);
        // A connection that went away is not spoken to again.
        if (dead_)
            return;
        XDestroyWindow(display_, window_);
        XCloseDisplay(display_);
    }

    void offer(std::string png) override
    {
        if (!thread_.joinable())
            return;
        std::unique_lock lock(mutex_);
        offered_ = std::move(png);
        fresh_ = true;
        poke();
        // A paste, or a claim on another connection, comes after this one;
        // a serving that ended (the display went away) takes nothing more.
        taken_.wait(lock, [this] { return !fresh_ || ended_; });
    }

private:
    void poke()
    {
        const char byte = 1;
        [[maybe_unused]] ssize_t n = ::write(wake_[1], &byte, 1);
    }

    // However the serving ends, an offer waiting for it is let go.
    void serve()
    {
        serveUntilDone();
        {
            std::lock_guard lock(mutex_);
            ended_ = true;
        }
        taken_.notify_all();
    }

    // Blocks on the connection and the wake pipe; never spins.
    void serveUntilDone()
    {
        for (;;) {
            {
                std::lock_guard lock(mutex_);
                if (stop_)
                    return;
                if (fresh_) {
                    fresh_ = false;
                    picture_ = std::move(offered_);
                    XSetSelectionOwner(display_, clipboard_, window_, CurrentTime);
                    XSync(display_, False);
                    taken_.notify_all();
                }
            }
            while (!dead_ && XPending(display_)) {
                XEvent e;
                XNextEvent(display_, &e);
                if (e.type == SelectionRequest)
                    answer(e.xselectionrequest);
                else if (e.type == SelectionClear && !ownsClipboard())
                    picture_.clear();  // another program has the clipboard now
            }
            XFlush(display_);
            if (dead_)
                return;  // the display went away: the program ends with it
            pollfd fds[2] = {{ConnectionNumber(display_), POLLIN, 0}, {wake_[0], POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0)
                continue;
            if (fds[0].revents & (POLLHUP | POLLERR)) {
                dead_ = true;  // the display went away: the program ends with it
                return;
            }
            if (fds[1].revents & POLLIN) {
                char drain[64];
                [[maybe_unused]] ssize_t n = ::read(wake_[0], drain, sizeof drain);
            }
        }
    }

    // A clear is stale when an offer of ours took the clipboard back after
    // it was sent (a text copied, then a picture).
    bool ownsClipboard() { return XGetSelectionOwner(display_, clipboard_) == window_; }

    void answer(const XSelectionRequestEvent& request)
    {
        XSelectionEvent reply{};
        reply.type = SelectionNotify;
        reply.display = request.display;
        reply.requestor = request.requestor;
        reply.selection = request.selection;
        reply.target = request.target;
        reply.time = request.time;
        reply.property = None;  // refused unless answered below
        // Old clients name no property: the target's name is used.
        const Atom property = request.property != None ? request.property : request.target;
        const bool ours = request.selection == clipboard_ && !picture_.empty();
        if (ours && request.target == targets_) {
            const Atom offered[] = {targets_, png_};
            XChangeProperty(display_, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(offered), 2);
            reply.property = property;
        } else if (ours && request.target == png_ && picture_.size() <= largest_) {
            XChangeProperty(display_, request.requestor, property, png_, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(picture_.data()), int(picture_.size()));
            reply.property = property;
        }
        XEvent event{};
        event.xselection = reply;
        XSendEvent(display_, request.requestor, False, NoEventMask, &event);
    }

    Display* display_;
    Window window_ = 0;
    Atom clipboard_ = 0, targets_ = 0, png_ = 0;
    std::size_t largest_ = 0;
    int wake_[2] = {-1, -1};
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable taken_;  // an offer became the clipboard's owner
    bool stop_ = false;
    bool ended_ = false;  // the serving thread has returned
    std::atomic<bool> dead_{false};
    bool fresh_ = false;
    std::string offered_;  // handed over by offer(), under the mutex
    std::string picture_;  // the serving thread's own
};

}  // namespace

std::unique_ptr<XPictureSelection> XPictureSelection::Open()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    return std::make_unique<Selection>(display);
}

}  // namespace plat
