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
    if (action_->Execute() != 1)
        return 0;
    TransitionSetMediaOwner(this);
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
        if (msg.hwnd || msg.wParam != tick) {
            // Timers drive an animation without sound.
            plat::DispatchMessageA(&msg);
            return true;
        }
        if (action_ && TransitionMedia() && TransitionMedia()->isFinished && TransitionMedia()->isFinished(*action_))
            running_ = 0;
        if (plat::timeGetTime() - start >= kSafetyLimitMilliseconds)
            running_ = 0;
        return true;
    default:
        if (!isInput(msg.message))
            held_.push_back(msg);
        return true;
    }
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
