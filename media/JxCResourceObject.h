#pragma once
// The shared media objects of the pages: a sound, a PICS animation or a
// movie, under a name and a kind, with the actions bound to it and the one
// that drives it now. Every action that names the same kind and name (case
// does not count) shares one object, kept in the process's list of media
// objects while at least one action is bound to it; that list is also
// what the stops walk.

#include <cstdint>
#include <optional>
#include <vector>

#include "foundation/JxCList.h"
#include "foundation/JxCObject.h"
#include "foundation/JxCString.h"
#include "events/JxCTimerParams.h"

class JxCAction;
class JxCNotifyRoot;

class JxCResourceObject : public JxCObject {
public:
    JxCResourceObject() = default;
    ~JxCResourceObject() override;

    virtual std::int16_t InitWithContext(const JxCString& name, std::int32_t openParam, JxCAction* action);
    virtual std::int16_t Init(const JxCString& name, std::int32_t openParam);
    // Loads the media for the action that asks.
    virtual std::int16_t Open(JxCAction* action) = 0;
    virtual std::int16_t IsAvailable() { return 1; }
    virtual std::int16_t Play(JxCAction* action);
    virtual std::int16_t Stop() { return 1; }
    virtual std::int16_t Rewind(std::int32_t position);
    // A completion or a tick for the driving action.
    virtual std::int16_t HandleEvent(JxCTimerParams* record, JxCAction* action) = 0;
    virtual std::int16_t Register(JxCNotifyRoot* owner);
    virtual std::int16_t Unregister(JxCNotifyRoot* owner);
    virtual std::int32_t GetLength() { return 0; }
    virtual std::int32_t GetPosition() { return 0; }
    virtual std::int16_t IsPlaying() { return 0; }
    virtual std::int16_t IsPaused() { return 0; }
    virtual std::int16_t IsStopped() { return 0; }
    virtual std::int16_t IsFinished() { return 0; }
    virtual std::int16_t IsOpen() { return 1; }
    virtual void ReservedNotify(std::int32_t, std::int32_t) {}

    JxCString GetName() const { return name_; }
    std::int32_t GetKind() const { return kind_; }
    std::int32_t GetOpenParam() const { return openParam_; }
    JxCAction* GetCurrentAction() const { return current_; }
    std::int16_t HasActions() const { return actions_ && !actions_->empty(); }
    std::int32_t CountActions() const { return actions_ ? std::int32_t(actions_->size()) : 0; }
    void AddAction(JxCAction* action);
    // When the action drove the media, the first one left drives it.
    virtual void RemoveAction(JxCAction* action);
    std::int16_t NotifyActionsStopped();
    std::int16_t NotifyActionsAccept();

    // The derived class's constructor sets its kind; objects made by kind
    // that did not get one take the kind they were made for.
    void SetKind(std::int32_t kind) { kind_ = kind; }

    // Sound leaves through devices of each media's own, and several may
    // play at once: a completion (957) comes back to the media that wrote
    // its buffer (the long parameter), whoever holds the product's media
    // owner then. It goes to the object the media was registered for (its
    // owner), else straight to the media.
    virtual bool WroteWaveBuffer(std::intptr_t buffer) const
    {
        (void)buffer;
        return false;
    }
    void OnWaveDone(JxCTimerParams& params);
    JxCNotifyRoot* GetWaveOwner() const { return waveOwner_; }
    // The owner is unregistered or dying: nothing of it is kept.
    virtual void ForgetWaveOwner(const JxCNotifyRoot* dying);

protected:
    void SetCurrentAction(JxCAction* action) { current_ = action; }
    void SetWaveOwner(JxCNotifyRoot* owner) { waveOwner_ = owner; }

private:
    // Tells the driving action, or without one every bound action.
    std::int16_t NotifyActions(std::int16_t (JxCAction::*tell)());

    JxCString name_;
    std::int32_t kind_ = 0;
    std::int32_t openParam_ = 0;
    std::optional<std::vector<JxCAction*>> actions_;  // bound, not owned
    JxCAction* current_ = nullptr;
    JxCNotifyRoot* waveOwner_ = nullptr;
};

// The process's media objects; it owns them. It is emptied on the
// program's way out (EmptyResourceList, which also forgets the missing
// media files named, media/JxMissingMedia.h), while the product still
// lives, never by a static destructor.
class JxCResourceList : public JxCList {
public:
    JxCResourceList() { SetOwnsItems(1); }
    JxCResourceObject* GetFirst() { return static_cast<JxCResourceObject*>(JxCList::GetFirst()); }
    JxCResourceObject* GetNext(const JxCResourceObject* item)
    {
        return static_cast<JxCResourceObject*>(JxCList::GetNext(item));
    }
    std::int16_t Add(JxCResourceObject* item) { return JxCList::Add(item); }
};

JxCResourceList& GetResourceList();
// Whether the list still holds the object: a holder that may outlive the
// list's emptying asks before it calls into what it holds.
bool IsResourceListed(const JxCResourceObject* media);
// Deletes every media object (the program's exit).
void EmptyResourceList();

// The shared media object of that kind and name for the action: found in
// the list (reopened when closed) or made, initialised and opened; the
// action is bound to it. Null when none can be had. The owner is not used.
JxCResourceObject* FindOrOpenResource(std::int32_t kind, const JxCString& name, JxCNotifyRoot* owner,
                                      std::int32_t openParam, JxCAction* action);
// A new media object of the kind; message 1125 when there is no such kind,
// naming the page and object of the action's owner.
JxCResourceObject* CreateResourceByType(std::int32_t kind, const JxCAction* action = nullptr);
// Unbinds the action; a media object left without actions leaves the list
// and is deleted. True when it left.
std::int16_t UnbindResource(JxCAction* action, JxCResourceObject* media);

// Installs the list's stops under the product's StopActiveObjects,
// StopPlayingResources and IsAnyResourcePlaying.
void ConnectResourceList();
