#include "platform/window/modal_loop.h"

#include <algorithm>
#include <iterator>

#include "platform/window/desktop.h"
#include "platform/window/messages.h"

namespace plat {

ModalLoopScope::ModalLoopScope(HWND dialog) : dialog_(dialog)
{
    TheDesktop().modalLoops.push_back(dialog);
}

ModalLoopScope::~ModalLoopScope()
{
    auto& loops = TheDesktop().modalLoops;
    if (auto it = std::find(loops.rbegin(), loops.rend(), dialog_); it != loops.rend())
        loops.erase(std::next(it).base());
}

bool AnyModalLoopRuns()
{
    return !TheDesktop().modalLoops.empty();
}

bool RunsModalLoop(HWND hwnd)
{
    const auto& loops = TheDesktop().modalLoops;
    return hwnd && std::find(loops.begin(), loops.end(), hwnd) != loops.end();
}

bool IsHostClose(const MSG& msg)
{
    return msg.message == WM_SYSCOMMAND && (msg.wParam & 0xFFF0) == SC_CLOSE && msg.lParam == kHostCloseParam;
}

}  // namespace plat
