#pragma once
// The animated hotspot (object type "AnimHotspot"): a clickable area that
// plays a PICS animation at a place of its panel when it is clicked, when a
// message of its number arrives, or as its page starts ("AutoPlay"). It
// drives the animation itself, through a play and a stop action of its own
// that it runs directly, and is the product's media owner while the
// animation plays, so the sound completions and the frame timer reach it;
// when the animation has run out it raises "on_finish". A repeat of -2
// loops the animation for as long as the page lives; a click on a looping
// hotspot only raises "on_click".
//
// On a child page the animation is shown in a panel of the parent page
// (unless "PlayInChild" is set), through an empty proxy object that has
// that panel as its container without being one of its objects.
//
// With "busy while playing" the product is marked busy once when a play
// starts and idle again when it ends or stops, so a play that never starts
// leaves no busy mark behind. A looping animation never marks the product
// busy: it would hold the page's input for as long as it loops.
//
// Record, after the display object's (big-endian): u16 file name
// (string-table reference: 0 none, else index + 1); s16 target panel id;
// s16 x, s16 y of the animation; s16 repeat; u16 a word kept for the
// record's sake; u16 busy while playing; s16 message number. Without
// "LoadOnDemand" the actions are made as the record is read, and the read
// fails when they cannot be.

#include <cstdint>
#include <memory>

#include "foundation/JxCPoint.h"
#include "foundation/JxCTableString.h"
#include "runtime/JxCDisplayObject.h"

class JxCPanelObject;
class JxCPicsResource;
class JxCPlayPicsAction;
class JxCStopPicsAction;

class JxCAnimHotspot : public JxCDisplayObject {
public:
    static constexpr std::int32_t kLoopForever = -2;

    JxCAnimHotspot();
    // Lets go of the media ownership, stops the animation it plays and
    // its timers, then deletes its actions and proxy.
    ~JxCAnimHotspot() override;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    std::int16_t ResetFlags() override;
    // The animation's steps: a completed sound buffer or a frame tick.
    void OnSystemEvent(JxCTimerParams* record) override;
    // A message of the hotspot's number acts as a click at its top-left.
    std::int16_t HandleMessage(JxCMessageRecord* message) override;
    // The animation was stopped from outside (or is stopped here with
    // "LoadOnDemand"): "on_picsrewind", and the busy mark and the media
    // ownership go.
    std::int16_t Stop() override;
    std::int16_t MouseDown(const JxCPoint& point) override;
    std::int16_t MouseUp(const JxCPoint& point, std::int16_t flag) override;
    // With "AutoPlay", starts the animation.
    std::int16_t Start() override;
    void ApplyScrollOffset(const JxCSize& offset) override;

    // Makes the actions (once), or places the animation again and reopens
    // it; 0 when they cannot be made.
    std::int16_t SetupActions();

    std::int32_t GetMessageNumber() const { return messageNumber_; }
    std::int32_t GetTargetPanelId() const { return targetPanelId_; }
    std::int32_t GetRepeat() const { return repeat_; }
    std::int16_t GetBusyWhilePlaying() const { return busyWhilePlaying_; }
    const JxCTableString& GetFileName() const { return fileName_; }
    const JxCPoint& GetPosition() const { return position_; }
    std::int16_t NeedsSetup() const { return needsSetup_; }
    // The object the animation draws through: the proxy on a child page,
    // else the hotspot; null before the set-up.
    JxCDisplayObject* GetAnimationOwner() const;
    JxCPlayPicsAction* GetPlayAction() const { return play_.get(); }
    std::int16_t IsPlaying() const;

private:
    JxCPicsResource* media() const;
    // The panel of the parent page with the target id when the hotspot's
    // page is a child page that does not play in itself; *needed tells
    // whether it is such a page.
    JxCPanelObject* findParentPanel(bool* needed) const;
    // Whether the panel the animation draws into is still open.
    bool targetLives() const;
    // Plays from where the animation stands: becomes the media owner and
    // true when it runs; otherwise leaves the ownership as it was before.
    bool play();
    void releaseOwnership();
    void markBusy();
    void markIdle();
    void killTimers();
    void finished();

    std::int32_t messageNumber_ = 0;
    std::int32_t length_ = 0;
    std::int32_t targetPanelId_ = 0;
    std::unique_ptr<JxCDisplayObject> proxy_;
    std::unique_ptr<JxCPlayPicsAction> play_;
    std::unique_ptr<JxCStopPicsAction> stop_;
    JxCTableString fileName_;
    std::int16_t needsSetup_ = 1;
    std::uint16_t keptWord_ = 0;
    std::int32_t repeat_ = 0;
    JxCPoint position_;
    JxCPoint home_;
    std::int16_t busyWhilePlaying_ = 0;
    bool busy_ = false;
    // While a loop rewinds itself for its next pass.
    bool rewinding_ = false;
};
