#include "events/JxCActionProcessor.h"

#include "foundation/JxProductLink.h"
#include "platform/window/window.h"

JxCActionProcessor::~JxCActionProcessor() = default;

void JxCActionProcessor::QueueAction(JxCAction* action)
{
    if (!action)
        return;
    action->SetStopped(0);
    queue_.emplace_back(action);
}

void JxCActionProcessor::QueueActionFirst(JxCAction* action)
{
    if (!action)
        return;
    action->SetStopped(0);
    queue_.emplace_front(action);
}

void JxCActionProcessor::SchedulePass()
{
    plat::HWND window = ProductMainWindow();
    if (posted_ || !window || !plat::IsWindow(window))
        return;
    const auto lParam = reinterpret_cast<plat::LPARAM>(this);
    if (!plat::PostMessageA(window, kPassMessage, 0, lParam)) {
        // The queue is full: serve what waits, then try once more.
        plat::MSG msg;
        while (plat::PeekMessageA(&msg, nullptr, 0, 0, plat::PM_REMOVE)) {
            if (msg.message == plat::WM_QUIT) {
                plat::PostQuitMessage(int(msg.wParam));
                break;
            }
            plat::TranslateMessage(&msg);
            plat::DispatchMessageA(&msg);
        }
        if (!plat::PostMessageA(window, kPassMessage, 0, lParam))
            return;
    }
    posted_ = 1;
}

std::int16_t JxCActionProcessor::Step()
{
    if (current_)
        return 0;
    while (!queue_.empty()) {
        std::unique_ptr<JxCAction> action = std::move(queue_.front());
        queue_.pop_front();
        if (action->IsStopped())
            continue;
        current_ = action.get();
        if (!action->Execute())
            action->SetStopped(1);
        current_ = nullptr;
    }
    posted_ = 0;
    return 1;
}

void JxCActionProcessor::CancelQueue(std::int16_t)
{
    std::deque<std::unique_ptr<JxCAction>> dropped;
    dropped.swap(queue_);
    for (auto& action : dropped)
        action->SetStopped(1);
    posted_ = 0;
}

std::int32_t JxCActionProcessor::CountPendingActions() const
{
    std::int32_t count = 0;
    for (const auto& action : queue_)
        if (!action->IsStopped())
            ++count;
    return count;
}
