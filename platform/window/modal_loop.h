#pragma once
// The loops in which boxes and dialogs wait for their answer while the
// program's other windows wait for them, and how such a loop meets the
// host's close of the program (see HostCloseRequested): it gives way,
// unanswered, as it gives way to the quit, and the close goes on to the
// loop outside. So the host's close is never taken for the answer to a
// box, and no box keeps it from the program. A close that the program
// posts itself is dispatched as any message is.

#include "platform/core/types.h"

namespace plat {

// Marks `dialog` as waiting in its modal loop while the scope lives.
class ModalLoopScope {
public:
    explicit ModalLoopScope(HWND dialog);
    ~ModalLoopScope();
    ModalLoopScope(const ModalLoopScope&) = delete;
    ModalLoopScope& operator=(const ModalLoopScope&) = delete;

private:
    HWND dialog_;
};

// Whether any box or dialog waits in its modal loop now.
bool AnyModalLoopRuns();
// Whether `hwnd` is the window of a box or dialog whose loop runs now.
bool RunsModalLoop(HWND hwnd);

// The host's close as posted to the program's window: WM_SYSCOMMAND with
// SC_CLOSE and this long parameter, which no command chosen with the mouse
// carries (its position fits in 32 bits).
constexpr LPARAM kHostCloseParam = LPARAM(0x486F7374) << 32;
bool IsHostClose(const MSG& msg);

}  // namespace plat
