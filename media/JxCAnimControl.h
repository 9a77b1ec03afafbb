#pragma once
// The resource controller and the animation controller bar (object type
// "AnimationControl"): a play/pause button, a rewind button and a position
// meter for a media action of the page, drawn from bitmaps, with a timer of
// 100 ms that follows the playing media.
//
// Controller record, after the display-object record: two 32-bit values
// (kept, not used), the cursor name and the animation name (string-table
// references), auto play and rewind at end (16-bit), then the play button,
// rewind button and meter positions (x, y each). The bar's record adds a
// 32-bit message id (a message with it acts as a click on Play) and a
// 32-bit second id: when it is not 0 and equals the id of the page that
// holds the bar, the animation plays at (-22, 7) from the panel's origin,
// else at (0, 0).
//
// The bar's bitmaps ("Play", "GreyPlay", "Pause", "Rewind", "GreyRewind",
// "Meter", "Background" and the held-down "DPlay", "DPause", "DRewind") are
// the program's own. The meter shows the played part: its width times the
// position over the length.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "events/JxCBitmapRef.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCRect.h"
#include "foundation/JxCString.h"
#include "runtime/JxCDisplayObject.h"

class JxCAction;
class JxCPlayPicsAction;
class JxCStopPicsAction;
class JxCSeekPicsAction;

class JxCResourceController : public JxCDisplayObject {
public:
    JxCResourceController() = default;
    // Stops its timer; the bitmaps go with their shares.
    ~JxCResourceController() override;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    std::int16_t Start() override;
    std::int16_t Draw(JxCSlate* slate, const JxCRect* clip) override;
    std::int16_t MouseDown(const JxCPoint& point) override;
    std::int16_t MouseUp(const JxCPoint& point, std::int16_t flag) override;
    std::int16_t MouseMove(const JxCPoint& point) override;
    // Playing cleared, redrawn; 1.
    std::int16_t Stop() override;
    void OnSystemEvent(JxCTimerParams* record) override;
    void PreNotify(JxCNotify* registration, JxCObject* sender) override;
    void Notify(JxCNotify* registration, JxCObject* sender) override;

    // A product timer of 100 ms for the owner, and its end.
    virtual std::int16_t StartTimer(JxCNotifyRoot* owner);
    virtual std::int16_t StopTimer(JxCNotifyRoot* owner);
    virtual JxCPoint ReservedPoint1() const { return JxCPoint(15, 0); }
    virtual JxCPoint ReservedPoint2() const { return JxCPoint(0, 0); }
    virtual JxCPoint ReservedPoint3() const { return JxCPoint(4, 3); }

    const JxCString& GetAnimationName() const { return animationName_; }
    std::int16_t IsLoaded() const { return loaded_; }
    std::int16_t IsPlayingNow() const { return playing_; }
    JxCPlayPicsAction* GetPlayAction() const { return play_; }
    JxCStopPicsAction* GetStopAction() const { return stop_; }
    JxCSeekPicsAction* GetSeekAction() const { return seek_; }

protected:
    // The three actions the controller drives (not owned here).
    void SetActions(JxCPlayPicsAction* play, JxCStopPicsAction* stop, JxCSeekPicsAction* seek);
    // The named picture, or null.
    const JxObjectRef* Image(const char* name) const;
    // Loads "@name" of the program's pictures for this object; false when
    // it cannot be had.
    bool LoadImage(const char* name);
    void ForgetImages() { images_.clear(); }
    // The button and meter places, their hit rectangles from the pictures.
    void Place(const JxCPoint& play, const JxCPoint& rewind, const JxCPoint& meter);
    std::int16_t GetAutoPlay() const { return autoPlay_; }
    const JxCPoint& PlayButtonPlace() const { return playAt_; }
    // The three held-down pictures, which must load for the object to work.
    static constexpr std::array<const char*, 3> kHeldDown = {"DPlay", "DPause", "DRewind"};

private:
    bool bound() const;
    void redraw();
    // The play action's position and length.
    std::int32_t position() const;
    std::int32_t length() const;
    void drawImage(JxCSlate& slate, const char* name, const JxCPoint& at);

    std::int32_t value1_ = 0, value2_ = 0;
    JxCString cursor_;
    JxCString animationName_;
    std::int16_t autoPlay_ = 0;
    std::int16_t rewindAtEnd_ = 0;
    JxCPoint playAt_, rewindAt_, meterAt_;
    JxCRect playRect_, rewindRect_;
    JxCPlayPicsAction* play_ = nullptr;
    JxCStopPicsAction* stop_ = nullptr;
    JxCSeekPicsAction* seek_ = nullptr;
    std::int16_t loaded_ = 0;
    std::int16_t pressed_ = 0, playPressed_ = 0, rewindPressed_ = 0;
    std::int16_t playing_ = 0;
    std::int32_t lastPosition_ = 0;
    std::int16_t timerSlot_ = -1;
    std::map<std::string, JxSharedImage> images_;
};

class JxCAnimControl : public JxCResourceController {
public:
    // Offsets of the animation from the bar's page origin when the second
    // id names the bar's page.
    static constexpr std::int16_t kShiftedX = -22, kShiftedY = 7;

    JxCAnimControl();
    // Deletes its play, stop and seek actions, so nothing stays bound to
    // the animation once the bar is gone.
    ~JxCAnimControl() override;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    std::int16_t CreateResources() override;
    std::int16_t ReleaseResources() override;
    // A message whose first word is the bar's message id is a click on Play.
    std::int16_t HandleMessage(JxCMessageRecord* message) override;

    std::int32_t GetMessageId() const { return messageId_; }
    std::int32_t GetSecondId() const { return secondId_; }

private:
    void deleteActions();

    std::int32_t messageId_ = 0;
    std::int32_t secondId_ = 0;
    std::unique_ptr<JxCPlayPicsAction> ownPlay_;
    std::unique_ptr<JxCStopPicsAction> ownStop_;
    std::unique_ptr<JxCSeekPicsAction> ownSeek_;
};
