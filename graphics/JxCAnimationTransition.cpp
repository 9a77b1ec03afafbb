#include "graphics/JxCAnimationTransition.h"

#include "events/JxCTimerParams.h"
#include "foundation/JxProductLink.h"
#include "graphics/JxTransitionLink.h"
#include "platform/clock/clock.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"

namespace {

bool isInput(plat::UINT message)
{
    return (message >= plat::WM_MOUSEFIRST && message <= plat::WM_MOUSELAST) ||
           (message >= plat::WM_KEYFIRST && message <= plat::WM_KEYLAST);
}

}  // namespace

JxCAnimationTransition::~JxCAnimationTransition()
{
    TransitionReleaseMediaOwner(this);
}

std::int16_t JxCAnimationTransition::Read(const JxCString& file, JxCRunTimeObject* panel)
{
    const JxTransitionMediaLink* media = TransitionMedia();
    if (!media || !media->newPicsAction || !media->setPicsParameters)
        return 0;
    action_ = media->newPicsAction();
    if (!action_)
        return 0;
    return media->setPicsParameters(*action_, file, panel);
}

std::int16_t JxCAnimationTransition::Run()
{
    const JxTransitionMediaLink* media = TransitionMedia();
    if (!action_ || !media || !media->hasResource || !media->hasResource(*action_))
        return 0;
    // The media owner first, so that an animation without sound sets its
    // frame timer for this object, whose loop lets that timer through.
    TransitionSetMediaOwner(this);
    if (action_->Execute() != 1) {
        TransitionReleaseMediaOwner(this);
        return 0;
    }
    JxBusyScope busy;
    running_ = 1;
    plat::HWND main = ProductMainWindow();
    plat::HWND previous = main ? plat::SetCapture(main) : nullptr;
    waitForEnd();
    running_ = 0;
    if (previous && plat::IsWindow(previous))
        plat::SetCapture(previous);
    else
        plat::ReleaseCapture();
    TransitionReleaseMediaOwner(this);
    return 1;
}

void JxCAnimationTransition::waitForEnd()
{
    const plat::DWORD start = plat::timeGetTime();
    const std::uintptr_t tick = plat::SetTimer(nullptr, 0, kTickMilliseconds, nullptr);
    while (running_) {
        plat::MSG msg{};
        if (!plat::PeekMessageA(&msg, nullptr, 0, 0, plat::PM_REMOVE)) {
            plat::WaitMessage();
            continue;
        }
        if (!serve(msg, tick, start)) {
            plat::PostQuitMessage(int(msg.wParam));
            break;
        }
    }
    plat::KillTimer(nullptr, tick);
    for (const plat::MSG& msg : held_)
        plat::PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    held_.clear();
}

bool JxCAnimationTransition::serve(const plat::MSG& msg, std::uintptr_t tick, plat::DWORD start)
{
    switch (msg.message) {
    case plat::WM_QUIT:
        return false;
    case plat::MM_WOM_DONE:
    case plat::WM_PAINT:
        // Completions feed the animation; a paint left unserved would come
        // back at once.
        plat::TranslateMessage(&msg);
        plat::DispatchMessageA(&msg);
        return true;
    case plat::WM_TIMER:
        if (!msg.hwnd && msg.wParam == tick) {
            if (action_ && TransitionMedia() && TransitionMedia()->isFinished &&
                TransitionMedia()->isFinished(*action_))
                running_ = 0;
            if (plat::timeGetTime() - start >= kSafetyLimitMilliseconds)
                running_ = 0;
        } else if (isOwnTimer(msg)) {
            // The animation's frame timer drives an animation without sound.
            plat::DispatchMessageA(&msg);
        } else {
            // The product's other timers (the title's tick, scroll repeats,
            // hotspots) must not run in the middle of a page change.
            hold(msg);
        }
        return true;
    default:
        if (!isInput(msg.message))
            hold(msg);
        return true;
    }
}

bool JxCAnimationTransition::isOwnTimer(const plat::MSG& msg) const
{
    const JxCNotifyRoot* client = TransitionTimerClient(msg.hwnd, msg.wParam);
    return client && (client == this || client == action_.get());
}

void JxCAnimationTransition::hold(const plat::MSG& msg)
{
    // A timer comes back every period: one tick of it waits, as a window's
    // timer is never queued twice.
    if (msg.message == plat::WM_TIMER)
        for (const plat::MSG& held : held_)
            if (held.message == plat::WM_TIMER && held.hwnd == msg.hwnd && held.wParam == msg.wParam)
                return;
    held_.push_back(msg);
}

void JxCAnimationTransition::OnSystemEvent(JxCTimerParams* record)
{
    const JxTransitionMediaLink* media = TransitionMedia();
    if (!action_ || !media) {
        running_ = 0;
        return;
    }
    if (media->handleEvent)
        media->handleEvent(*action_, record);
    if (!media->hasResource || !media->hasResource(*action_)) {
        running_ = 0;
        return;
    }
    if (media->isFinished && media->isFinished(*action_)) {
        TransitionSetMediaOwner(nullptr);
        running_ = 0;
    }
}
