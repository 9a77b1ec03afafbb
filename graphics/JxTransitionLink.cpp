#include "graphics/JxTransitionLink.h"

#include <utility>

#include "foundation/JxProductLink.h"

namespace {

std::optional<JxTransitionProductLink>& product()
{
    static std::optional<JxTransitionProductLink> connected;
    return connected;
}

std::optional<JxTransitionMediaLink>& media()
{
    static std::optional<JxTransitionMediaLink> connected;
    return connected;
}

// The product's function `member`, or null.
template <class F>
const F* productCall(F JxTransitionProductLink::*member)
{
    if (!product() || !((*product()).*member))
        return nullptr;
    return &((*product()).*member);
}

}  // namespace

std::optional<JxTransitionProductLink> SetTransitionProductLink(std::optional<JxTransitionProductLink> link)
{
    return std::exchange(product(), std::move(link));
}

std::optional<JxTransitionMediaLink> SetTransitionMediaLink(std::optional<JxTransitionMediaLink> link)
{
    return std::exchange(media(), std::move(link));
}

bool TransitionProductIsBusy()
{
    const auto* f = productCall(&JxTransitionProductLink::isBusy);
    return f && (*f)();
}

void TransitionMarkBusy()
{
    if (const auto* f = productCall(&JxTransitionProductLink::markBusy))
        (*f)();
}

void TransitionMarkIdle()
{
    if (const auto* f = productCall(&JxTransitionProductLink::markIdle))
        (*f)();
}

bool TransitionIsClosingPopup()
{
    const auto* f = productCall(&JxTransitionProductLink::isClosingPopup);
    return f && (*f)();
}

bool TransitionSoundSuppressed()
{
    const auto* f = productCall(&JxTransitionProductLink::isSoundSuppressed);
    return f && (*f)();
}

JxCPoint TransitionLastMousePoint()
{
    const auto* f = productCall(&JxTransitionProductLink::lastMousePoint);
    return f ? (*f)() : JxCPoint();
}

void TransitionSetMediaOwner(JxCNotifyRoot* owner)
{
    if (const auto* f = productCall(&JxTransitionProductLink::setMediaOwner))
        (*f)(owner);
}

void TransitionReleaseMediaOwner(const JxCNotifyRoot* owner)
{
    if (const auto* f = productCall(&JxTransitionProductLink::releaseMediaOwner))
        (*f)(owner);
}

const JxCNotifyRoot* TransitionTimerClient(plat::HWND window, std::uintptr_t id)
{
    const auto* f = productCall(&JxTransitionProductLink::timerClient);
    return f ? (*f)(window, id) : nullptr;
}

JxCString TransitionDataPath()
{
    const auto* f = productCall(&JxTransitionProductLink::dataPath);
    return f ? (*f)() : JxCString();
}

std::vector<plat::HWND> TransitionPageWindows()
{
    const auto* f = productCall(&JxTransitionProductLink::pageWindows);
    return f ? (*f)() : std::vector<plat::HWND>();
}

std::optional<JxCRunTimeObject*> TransitionCurrentPageFirstPanel()
{
    const auto* f = productCall(&JxTransitionProductLink::currentPageFirstPanel);
    return f ? (*f)() : std::nullopt;
}

plat::HPALETTE TransitionRestorePalette()
{
    const auto* f = productCall(&JxTransitionProductLink::restorePalette);
    return f ? (*f)() : ProductPalette();
}

plat::HWND TransitionCreatePageWindow(const JxZoomTarget& target)
{
    const auto* f = productCall(&JxTransitionProductLink::createPageWindow);
    return f ? (*f)(target) : nullptr;
}

const JxTransitionMediaLink* TransitionMedia()
{
    return media() ? &*media() : nullptr;
}

JxBusyScope::JxBusyScope()
{
    if (!TransitionProductIsBusy()) {
        TransitionMarkBusy();
        marked_ = true;
    }
}

JxBusyScope::~JxBusyScope()
{
    if (marked_)
        TransitionMarkIdle();
}
