// The product as the hub of periodic and deferred work: its timer table,
// the idle pass, the media owner, the action queue, the first-paint message
// and the busy state.

#include <vector>

#include "foundation/JxErrorReport.h"
#include "platform/clock/clock.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxMainWindowProc.h"
#include "runtime/JxPageWindows.h"

namespace {

bool validSlot(std::int16_t slot)
{
    return slot >= 0 && slot < JxCBaseProduct::kTimerCount;
}

}  // namespace

// --- Timers ------------------------------------------------------------------

std::int16_t JxCBaseProduct::SetTimer(JxCNotifyRoot* client, std::int16_t* slotOut, plat::UINT intervalMs)
{
    std::int16_t slot = 0;
    while (slot < kTimerCount && timers_[std::size_t(slot)].active)
        ++slot;
    if (slot == kTimerCount)
        return 0;
    const plat::UINT interval = intervalMs ? intervalMs : kDefaultTimerInterval;
    // The entry's index is the window timer's id; a timer without the main
    // window would never come back to the table.
    const std::uintptr_t id = window_ ? plat::SetTimer(window_, std::uintptr_t(slot), interval, nullptr) : 0;
    if ((id & 0xFFFF) == 0) {
        ReportErrorOk(kTimerRefusedId);
        return 0;
    }
    JxCTimerInfo& timer = timers_[std::size_t(slot)];
    timer.owner = client;
    timer.active = 1;
    timer.running = 1;
    if (slotOut)
        *slotOut = slot;
    return 1;
}

std::int16_t JxCBaseProduct::KillTimer(const JxCNotifyRoot* client, std::int16_t slot)
{
    auto holds = [&](std::int16_t s) {
        const JxCTimerInfo& timer = timers_[std::size_t(s)];
        return timer.owner == client && timer.active;
    };
    if (slot == -1) {
        for (std::int16_t s = 0; s < kTimerCount; ++s)
            if (holds(s))
                return KillTimerSlot(s);
        return 0;
    }
    if (!validSlot(slot) || !holds(slot))
        return 0;
    return KillTimerSlot(slot);
}

bool JxCBaseProduct::HasTimer(const JxCNotifyRoot* client) const
{
    for (const JxCTimerInfo& timer : timers_)
        if (client && timer.owner == client && timer.active)
            return true;
    return false;
}

std::int16_t JxCBaseProduct::KillTimerSlot(std::int16_t slot)
{
    if (!validSlot(slot))
        return 0;
    JxCTimerInfo& timer = timers_[std::size_t(slot)];
    // A main window that has gone took its timers with it.
    const bool windowLives = window_ && plat::IsWindow(window_);
    if (timer.running && windowLives && !plat::KillTimer(window_, std::uintptr_t(slot))) {
        OhNoItsAnError(kTimerNotKilledId);
        return 0;
    }
    timer.owner = nullptr;
    timer.active = 0;
    timer.running = 0;
    return 1;
}

std::int16_t JxCBaseProduct::StopAllTimers()
{
    std::int16_t result = 1;
    for (std::int16_t slot = 0; slot < kTimerCount && result; ++slot)
        result = KillTimerSlot(slot);
    return result;
}

void JxCBaseProduct::DispatchTimer(JxCTimerParams& params)
{
    if (!validSlot(params.id))
        return;
    JxCTimerInfo& timer = timers_[std::size_t(params.id)];
    if (timer.owner && timer.active)
        timer.owner->OnSystemEvent(&params);
}

// --- Idle time and media -----------------------------------------------------

std::int16_t JxCBaseProduct::OnIdle(std::int32_t count)
{
    if (!GetAppActive())
        return 0;
    const plat::DWORD start = plat::GetTickCount();
    // A client may go (or others with it) while it is served: the walk is
    // over a copy, and each client is asked only while it is still listed.
    std::vector<JxCNotifyRoot*> clients;
    for (JxCObject* item = idleClients_.GetFirst(); item; item = idleClients_.GetNext(item))
        clients.push_back(static_cast<JxCNotifyRoot*>(item));
    std::int16_t result = 0;
    for (JxCNotifyRoot* client : clients) {
        if (!idleClients_.FindNode(client))
            continue;
        if (client->OnIdle(count))
            result = 1;
        if (plat::GetTickCount() - start > kIdleBudgetMs)
            break;
    }
    return result;
}

std::int16_t JxCBaseProduct::SetMediaOwner(JxCNotifyRoot* owner)
{
    mediaOwner_ = owner;
    return 1;
}

std::int16_t JxCBaseProduct::ReleaseMediaOwner(const JxCNotifyRoot* owner)
{
    if (owner && owner != mediaOwner_)
        return 0;
    mediaOwner_ = nullptr;
    return 1;
}

void JxCBaseProduct::DispatchWaveDone(JxCTimerParams& params)
{
    // Several media may play at once, each on a device of its own: a
    // completion goes back to the one that wrote the buffer, whoever holds
    // the media owner now. Only what no media object claims goes to the
    // owner.
    if (auto route = GetMediaListHooks().routeWaveDone; route && params.value && route(params))
        return;
    if (mediaOwner_)
        mediaOwner_->OnSystemEvent(&params);
}

// --- The action queue --------------------------------------------------------

void JxCBaseProduct::QueueAction(JxCAction* action)
{
    if (processor_)
        processor_->QueueAction(action);
    else
        delete action;  // handed over, and nobody to run it
}

void JxCBaseProduct::QueueActionFirst(JxCAction* action)
{
    if (processor_)
        processor_->QueueActionFirst(action);
    else
        delete action;
}

void JxCBaseProduct::ProcessActions()
{
    if (processor_)
        processor_->SchedulePass();
}

std::int16_t JxCBaseProduct::StepActionProcessor()
{
    return processor_ ? processor_->Step() : 0;
}

std::int32_t JxCBaseProduct::CountPendingActions() const
{
    return processor_ ? processor_->CountPendingActions() : -1;
}

void JxCBaseProduct::PurgeQueuedActions(std::int16_t mode)
{
    if (processor_)
        processor_->CancelQueue(mode);
}

std::int16_t JxCBaseProduct::PostFirstPaint(JxCPageObject* page)
{
    plat::MSG msg;
    if (plat::PeekMessageA(&msg, nullptr, kFirstPaintMessage, kFirstPaintMessage, plat::PM_REMOVE)) {
        plat::TranslateMessage(&msg);
        plat::DispatchMessageA(&msg);
    }
    // Serving the waiting message may have closed the page.
    if (!page || !HasPage(page))
        return 0;
    // Each post has a number of its own: a page opened at the address of
    // one that closed before its message came is not started by that one.
    if (++firstPaintSerial_ == 0)
        ++firstPaintSerial_;
    page->SetFirstPaintSerial(firstPaintSerial_);
    return plat::PostMessageA(window_, kFirstPaintMessage, plat::WPARAM(firstPaintSerial_),
                              reinterpret_cast<plat::LPARAM>(page))
               ? 1
               : 0;
}

void JxCBaseProduct::OnFirstPaint(JxCPageObject* page, plat::WPARAM serial)
{
    // Clicks made before the page could see them are not delivered.
    plat::MSG msg;
    while (plat::PeekMessageA(&msg, nullptr, plat::WM_MOUSEFIRST, plat::WM_MOUSELAST, plat::PM_REMOVE)) {
    }
    MarkIdle();
    // The address is compared before the page is touched: the page may
    // have closed meanwhile, and another opened at its address.
    if (HasPage(page) && page->GetFirstPaintSerial() == serial)
        page->Start();
}

// --- Busy state --------------------------------------------------------------

void JxCBaseProduct::ShowWaitCursor()
{
    cursorState_.ShowWaitCursor();
}

void JxCBaseProduct::MarkBusy()
{
    ShowWaitCursor();
    busyStamp_ = plat::GetTickCount();
    busyBits_ |= 1;
}

void JxCBaseProduct::MarkIdle()
{
    busyBits_ &= ~1;
    if (busyBits_ == 0) {
        idleStamp_ = plat::GetTickCount();
        RefreshMouseOver();
    }
}

std::int32_t JxCBaseProduct::BeginWait()
{
    ShowWaitCursor();
    cursorState_.BeginEndBusy(0);
    return cursorState_.GetWaitFlag();
}

std::int32_t JxCBaseProduct::EndWait()
{
    if (cursorState_.BeginEndBusy(1))
        RefreshMouseOver();
    return cursorState_.GetWaitFlag();
}

std::int32_t JxCBaseProduct::SetWaitState(std::int32_t value)
{
    if (cursorState_.IsBusy() && value == 0) {
        cursorState_.SetWaitFlag(1);
        EndWait();
    } else if (busyBits_ == 0 && value != 0) {
        BeginWait();
        cursorState_.SetWaitFlag(value);
    }
    return value;
}

void JxCBaseProduct::RefreshMouseOver()
{
    if (IsBusy())
        return;
    plat::POINT point{};
    plat::GetCursorPos(&point);
    plat::HWND window = plat::WindowFromPoint(point);
    if (JxCPageObject* page = FindPageByWindow(window)) {
        plat::ScreenToClient(window, &point);
        page->MouseMove(JxCPoint(std::int16_t(point.x), std::int16_t(point.y)));
    }
}

std::int16_t JxCBaseProduct::SetCursor(const JxCTableString& name)
{
    return cursorState_.LoadCursorByName(name);
}
