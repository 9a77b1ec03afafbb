#include "media/JxTransitionMedia.h"

#include <memory>

#include "graphics/JxTransitionLink.h"
#include "media/JxCResourceObject.h"
#include "media/JxPicsActions.h"

namespace {

JxCResourceObject* resourceOf(JxCAction& action)
{
    return action.GetResource();
}

}  // namespace

void ConnectTransitionMedia()
{
    JxTransitionMediaLink link;
    link.newPicsAction = []() -> std::unique_ptr<JxCAction> { return std::make_unique<JxCPlayPicsAction>(); };
    link.setPicsParameters = [](JxCAction& action, const JxCString& file, JxCRunTimeObject* panel) {
        auto* play = dynamic_cast<JxCPlayPicsAction*>(&action);
        // At the animation's default place, played once, in the panel.
        return play ? play->Setup(file, -1, -1, 1, 0, 0, panel, 0, 0) : std::int16_t(0);
    };
    link.handleEvent = [](JxCAction& action, JxCTimerParams* record) { action.HandleEvent(record); };
    link.hasResource = [](JxCAction& action) { return resourceOf(action) != nullptr; };
    link.isFinished = [](JxCAction& action) {
        JxCResourceObject* media = resourceOf(action);
        return !media || media->IsFinished() != 0;
    };
    SetTransitionMediaLink(std::move(link));
}

void DisconnectTransitionMedia()
{
    SetTransitionMediaLink(std::nullopt);
}
