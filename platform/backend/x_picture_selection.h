#pragma once
// A picture offered on the X display's clipboard (the CLIPBOARD selection)
// as image/png, so that another program can paste it. SDL hands over only
// text; this keeps a connection and an unmapped window of its own, and a
// thread that answers the requests of programs that paste, blocking on the
// connection between them. The offer holds until another program takes
// the clipboard.

#include <memory>
#include <string>

namespace plat {

class XPictureSelection {
public:
    // Null when there is no X display to connect to.
    static std::unique_ptr<XPictureSelection> Open();
    virtual ~XPictureSelection() = default;

    // Takes the clipboard with these PNG bytes; the server has the new
    // owner when it returns.
    virtual void offer(std::string png) = 0;
};

}  // namespace plat
