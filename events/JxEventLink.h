#pragma once
// What the event and action machinery asks of the product, which lives in a
// layer above it: the current page and the handler lists around it for
// event dispatch, the product definition's folder for data paths, the busy
// state, and the action queue. The product connects itself when it is
// created and disconnects when it is deleted; without it an event reaches
// only the object's own handlers and the notifications, and a post fails.

#include <functional>
#include <optional>

#include "foundation/JxCString.h"

class JxCAction;
class JxCEventHandlerList;
class JxCRunTimeObject;

struct JxEventLink {
    // The current page while it is one of the open pages; null otherwise.
    std::function<JxCRunTimeObject*()> currentOpenPage;
    // The handlers of a page's definition and of the template that
    // definition names; null when there are none.
    std::function<JxCEventHandlerList*(JxCRunTimeObject* page)> pageDefHandlers;
    std::function<JxCEventHandlerList*(JxCRunTimeObject* page)> templateHandlers;
    // The product definition, a run-time object, whose handlers run last.
    std::function<JxCRunTimeObject*()> productDef;
    // The product definition's folder (without the trailing "\").
    std::function<JxCString()> productFolder;
    std::function<void()> markBusy;
    std::function<void()> markIdle;
    // Hands the action to the processor (deleting it when there is none)
    // and schedules a pass.
    std::function<void(JxCAction*)> queueAction;
    std::function<void()> processActions;
};

// Connects the product (none: disconnects); returns the previous link.
std::optional<JxEventLink> SetEventLink(std::optional<JxEventLink> link);
const JxEventLink* GetEventLink();
