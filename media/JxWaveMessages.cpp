#include "media/JxWaveMessages.h"

#include <vector>

#include "platform/window/messages.h"
#include "platform/window/window.h"

void DrainWaveMessages(plat::HWAVEOUT device)
{
    // The queue filters by message and window only: every wave message is
    // taken, and the other devices' are posted again in their order.
    std::vector<plat::MSG> others;
    plat::MSG msg;
    while (plat::PeekMessageA(&msg, nullptr, plat::MM_WOM_OPEN, plat::MM_WOM_DONE, plat::PM_REMOVE))
        if (msg.wParam != plat::WPARAM(device))
            others.push_back(msg);
    for (const plat::MSG& m : others)
        plat::PostMessageA(m.hwnd, m.message, m.wParam, m.lParam);
}
