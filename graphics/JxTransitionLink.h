#pragma once
// What the transitions, the zoom box and the animation transition ask of
// the layers above graphics: the product (its busy state, its flags, its
// pages and its media owner) and the media (the play-sound and play-PICS
// actions). Each layer connects its part at start and disconnects when it
// goes; without them the answers are those of an idle product with no
// pages, no data path and no media, so nothing is played.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "foundation/JxCPoint.h"
#include "foundation/JxCString.h"
#include "platform/core/types.h"

class JxCAction;
class JxCNotifyRoot;
class JxCRunTimeObject;
struct JxCTimerParams;
struct JxZoomTarget;

struct JxTransitionProductLink {
    std::function<bool()> isBusy;
    std::function<void()> markBusy;
    std::function<void()> markIdle;
    std::function<bool()> isClosingPopup;
    std::function<bool()> isSoundSuppressed;
    std::function<JxCPoint()> lastMousePoint;
    // Null clears the media owner.
    std::function<void(JxCNotifyRoot*)> setMediaOwner;
    // Clears the media owner when it is this object.
    std::function<void(const JxCNotifyRoot*)> releaseMediaOwner;
    // The client of the product timer a WM_TIMER of that window and id
    // stands for; null for any other timer.
    std::function<const JxCNotifyRoot*(plat::HWND, std::uintptr_t)> timerClient;
    // The folder media files are read from, ending in a separator.
    std::function<JxCString()> dataPath;
    // The windows of the open pages, in the order of the page list.
    std::function<std::vector<plat::HWND>()> pageWindows;
    // None without a current page; else the first panel of its definition
    // (null when it has none).
    std::function<std::optional<JxCRunTimeObject*>()> currentPageFirstPanel;
    // Makes the current palette the base one again; returns it.
    std::function<plat::HPALETTE()> restorePalette;
    // Creates a page window of class "JxTovel" for the target.
    std::function<plat::HWND(const JxZoomTarget&)> createPageWindow;
};

struct JxTransitionMediaLink {
    // Plays a sound once at once (a play-sound action, posted).
    std::function<void(const JxCString& name)> playSound;
    // A new play-PICS action, null when it cannot be made.
    std::function<std::unique_ptr<JxCAction>()> newPicsAction;
    // Sets the action's flag word, then its parameters for the file in
    // the panel at the action's default place; the parameter result.
    std::function<std::int16_t(JxCAction&, const JxCString& file, JxCRunTimeObject* panel)> setPicsParameters;
    // Marks the action as playing a transition.
    std::function<void(JxCAction&)> setTransitionFlag;
    std::function<void(JxCAction&, JxCTimerParams*)> handleEvent;
    std::function<bool(JxCAction&)> hasResource;
    std::function<bool(JxCAction&)> isFinished;
};

// Connect (none: disconnect); each returns the previous link.
std::optional<JxTransitionProductLink> SetTransitionProductLink(std::optional<JxTransitionProductLink> link);
std::optional<JxTransitionMediaLink> SetTransitionMediaLink(std::optional<JxTransitionMediaLink> link);

// The product's side; each is harmless without a product.
bool TransitionProductIsBusy();
void TransitionMarkBusy();
void TransitionMarkIdle();
bool TransitionIsClosingPopup();
bool TransitionSoundSuppressed();
JxCPoint TransitionLastMousePoint();
void TransitionSetMediaOwner(JxCNotifyRoot* owner);
void TransitionReleaseMediaOwner(const JxCNotifyRoot* owner);
const JxCNotifyRoot* TransitionTimerClient(plat::HWND window, std::uintptr_t id);
JxCString TransitionDataPath();
std::vector<plat::HWND> TransitionPageWindows();
std::optional<JxCRunTimeObject*> TransitionCurrentPageFirstPanel();
plat::HPALETTE TransitionRestorePalette();
plat::HWND TransitionCreatePageWindow(const JxZoomTarget& target);

// The media's side, or null when the media are not connected.
const JxTransitionMediaLink* TransitionMedia();

// Marks the product busy for the life of the scope when it was not busy;
// the mark is taken back on every way out.
class JxBusyScope {
public:
    JxBusyScope();
    ~JxBusyScope();
    JxBusyScope(const JxBusyScope&) = delete;
    JxBusyScope& operator=(const JxBusyScope&) = delete;

private:
    bool marked_ = false;
};
