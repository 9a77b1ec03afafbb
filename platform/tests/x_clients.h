#pragma once
// Other programs on the test's X display, written with the X library as
// any client is: one that asks the clipboard's owner for what it holds and
// is gone before the answer (clipboard managers and quick pastes do so),
// and the window manager's request to close the program's window.

#include <X11/Xlib.h>

#include <string>

// Whether some program holds the clipboard (the CLIPBOARD selection).
inline bool ClipboardHasOwner(const std::string& display)
{
    Display* d = XOpenDisplay(display.c_str());
    if (!d)
        return false;
    const bool owned = XGetSelectionOwner(d, XInternAtom(d, "CLIPBOARD", False)) != None;
    XCloseDisplay(d);
    return owned;
}

// Asks the clipboard's owner for its list of targets, a PNG picture and
// text, then destroys its window and leaves at once.
inline void AskForTheClipboardAndLeave(const std::string& display)
{
    Display* d = XOpenDisplay(display.c_str());
    if (!d)
        return;
    const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    const Atom clipboard = XInternAtom(d, "CLIPBOARD", False);
    for (const char* name : {"TARGETS", "image/png", "UTF8_STRING"}) {
        const Atom target = XInternAtom(d, name, False);
        XConvertSelection(d, clipboard, target, target, w, CurrentTime);
    }
    XDestroyWindow(d, w);
    XCloseDisplay(d);
}

// The window manager's close of every top-level window that takes it
// (WM_DELETE_WINDOW); how many were asked.
inline int AskWindowsToClose(const std::string& display)
{
    Display* d = XOpenDisplay(display.c_str());
    if (!d)
        return 0;
    const Atom protocols = XInternAtom(d, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(d, "WM_DELETE_WINDOW", False);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    int asked = 0;
    if (XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; ++i) {
            Atom* taken = nullptr;
            int n = 0;
            bool takesIt = false;
            if (XGetWMProtocols(d, children[i], &taken, &n)) {
                for (int k = 0; k < n; ++k)
                    takesIt = takesIt || taken[k] == deleteWindow;
                XFree(taken);
            }
            if (!takesIt)
                continue;
            XEvent e{};
            e.xclient.type = ClientMessage;
            e.xclient.window = children[i];
            e.xclient.message_type = protocols;
            e.xclient.format = 32;
            e.xclient.data.l[0] = long(deleteWindow);
            e.xclient.data.l[1] = CurrentTime;
            XSendEvent(d, children[i], False, NoEventMask, &e);
            ++asked;
        }
        XFree(children);
    }
    XCloseDisplay(d);
    return asked;
}
