#pragma once
// The PICS animation actions: "PLAYNONQPICS" (plays at once), "PLAYPICS"
// (plays through a resource player), "STOPPICS" (pauses) and "SEEKPICS"
// (rewinds). Each binds itself, when set up, read or copied, to the shared
// animation of its name and unbinds when it goes; an action that could not
// be bound does nothing.
//
// Play record (big-endian): counted name; parameters 1 to 5 (s16 each,
// parameter 3 being the animation's preload flag); transparency flag;
// rewind on stop; x, y where the animation's origin lies on the slate.
// Stop record: the counted name. Seek: the base action's record.

#include <array>
#include <cstdint>
#include <memory>

#include "events/JxCAction.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCString.h"

class JxCPicsResource;
class JxCResourcePlayer;

class JxCPlayPicsAction : public JxCAction {
public:
    JxCPlayPicsAction();
    // A copy for the action processor: the same fields, bound to the same
    // animation.
    JxCPlayPicsAction(const JxCPlayPicsAction& other);
    ~JxCPlayPicsAction() override;

    // Parameter 4 given as 0 or -1 is kept as 1. True when bound.
    std::int16_t Setup(const JxCString& name, std::int16_t p1, std::int16_t p2, std::int16_t p3, std::int16_t p4,
                       std::int16_t p5, JxCRunTimeObject* owner, std::int16_t x, std::int16_t y);
    // Takes the other's fields and joins its animation (without one, stays
    // unbound).
    void CopyFrom(const JxCPlayPicsAction& other);

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    std::int16_t Execute() override;
    std::int16_t HandleEvent(JxCTimerParams* record) override;
    std::int32_t GetPosition() override;
    std::int16_t Resume() override;
    std::int16_t OnResourceStopped() override;
    std::int16_t Stop() override;
    std::int32_t GetLength() override;
    std::int16_t IsPlaying() override;
    std::int16_t IsPaused() override;
    std::int16_t UsesResource(std::int16_t actionTypeId, std::int16_t resourceKind) override;
    std::int16_t Rewind(std::int32_t position) override;
    std::int16_t Register(JxCRunTimeObject* owner) override;
    std::int16_t Unregister(JxCRunTimeObject* owner) override;
    std::int16_t HandleResourceEvent(JxCTimerParams* record) override;
    std::int16_t Describe(JxCString& text) override;
    std::int16_t SetParameterText(const JxCString& text) override;
    std::int16_t IsMediaAction() override { return 1; }
    JxCResourceObject* GetResource() override;

    std::int16_t RewindsOnStop() const { return rewindOnStop_; }
    std::int16_t GetTransparent() const { return transparent_; }
    std::int16_t GetNoBackground() const { return noBackground_; }
    void SetNoBackground(std::int16_t flag) { noBackground_ = flag; }
    void SetRewindOnStop(std::int16_t flag) { rewindOnStop_ = flag; }
    void SetTransparent(std::int16_t flag) { transparent_ = flag; }
    const JxCPoint& GetPlace() const { return place_; }
    void SetPlace(const JxCPoint& place) { place_ = place; }
    const JxCString& GetName() const { return name_; }
    // Parameter n (1 to 5) as stored; 0 for another n.
    std::int16_t GetParameter(int n) const;
    JxCPicsResource* GetMedia() const { return media_; }

protected:
    // The resource player that a queued play holds; the media stops it
    // before the action leaves.
    std::unique_ptr<JxCResourcePlayer>& Player() { return player_; }
    // For actions that bind late: the name and parameters 1 to 5 (in that
    // order, kept as given) without binding; the binding to the animation
    // of the name for the owner; and the unbinding, with UnbindResource's
    // answer (1 when nothing was bound).
    void SetUnbound(const JxCString& name, const std::array<std::int16_t, 5>& parameters);
    std::int16_t BindMedia() { return bind(GetOwner()); }
    std::int16_t UnbindMedia() { return unbind(); }

private:
    std::int16_t bind(JxCRunTimeObject* owner);
    std::int16_t unbind();

    JxCPicsResource* media_ = nullptr;
    JxCString name_;
    // Kept in the order 1, 2, 4, 3, 5.
    std::array<std::int16_t, 5> parameters_{};
    std::int16_t rewindOnStop_ = 1;
    std::int16_t transparent_ = 0;
    std::int16_t noBackground_ = 0;
    JxCPoint place_;
    std::unique_ptr<JxCResourcePlayer> player_;
};

class JxCPlayQueuePicsAction : public JxCPlayPicsAction {
public:
    JxCPlayQueuePicsAction();
    JxCPlayQueuePicsAction(const JxCPlayQueuePicsAction& other) : JxCPlayPicsAction(other) {}
    ~JxCPlayQueuePicsAction() override;

    // Plays through a new resource player; 0 without an animation.
    std::int16_t Execute() override;
};

class JxCStopPicsAction : public JxCAction {
public:
    JxCStopPicsAction();
    JxCStopPicsAction(const JxCStopPicsAction& other);
    ~JxCStopPicsAction() override;

    std::int16_t Setup(const JxCString& name, JxCRunTimeObject* owner);
    void CopyFrom(const JxCStopPicsAction& other);
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    // Pauses the animation; true when it was playing. 1 without one.
    std::int16_t Execute() override;
    JxCResourceObject* GetResource() override;

private:
    JxCPicsResource* media_ = nullptr;
    JxCString name_;
};

class JxCSeekPicsAction : public JxCAction {
public:
    JxCSeekPicsAction();
    JxCSeekPicsAction(const JxCSeekPicsAction& other);
    ~JxCSeekPicsAction() override;

    std::int16_t Setup(const JxCString& name, std::int32_t position, JxCRunTimeObject* owner);
    // Rewinds the animation to the position (0 and 1 only); 1 without one.
    std::int16_t Execute() override;
    JxCResourceObject* GetResource() override;

private:
    JxCPicsResource* media_ = nullptr;
    JxCString name_;
    std::int32_t position_ = 0;
    std::int32_t openParameter_ = 1;
};
