#include "platform/tests/host_display_keeper.h"

#include <X11/Xlib.h>
#include <unistd.h>

namespace plat::testing {

namespace {

class Keeper {
public:
    Keeper() : display_(XOpenDisplay(nullptr)), owner_(::getpid()) {}
    ~Keeper()
    {
        // A forked child that exits normally leaves the connection to the
        // process that opened it: closing it would speak on the parent's
        // connection and leave it out of step with the server.
        if (display_ && ::getpid() == owner_)
            XCloseDisplay(display_);
    }
    Keeper(const Keeper&) = delete;
    Keeper& operator=(const Keeper&) = delete;

    Display* display() const { return display_; }

private:
    Display* display_;
    pid_t owner_;
};

Keeper& keeper()
{
    static Keeper k;
    return k;
}

}  // namespace

void KeepHostDisplay()
{
    keeper();
}

unsigned long HostClipboardOwner()
{
    Display* d = keeper().display();
    return d ? XGetSelectionOwner(d, XInternAtom(d, "CLIPBOARD", False)) : 0;
}

}  // namespace plat::testing
