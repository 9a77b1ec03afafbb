#pragma once
// One notification registration: a receiver that wants to hear of an event
// (before or after its dispatch) or of an action type (its start or its
// stop), filtered by key and sender.
//
// The table list of its id owns it. An action that made the registration
// for its own subscriptions (JxCAction::AddStopReceiver) also lists it, not
// owning; removing the registration from the tables unlinks it there too.

#include <cstdint>

#include "foundation/JxCObject.h"

class JxCAction;
class JxCNotifyRoot;

class JxCNotify : public JxCObject {
public:
    enum Kind : std::int32_t { kActionKind = 0, kEventKind = 1 };

    JxCNotify(Kind kind, std::int16_t id, std::int16_t key, JxCNotifyRoot* receiver, const JxCObject* sender);
    ~JxCNotify() override;
    JxCNotify(const JxCNotify&) = delete;
    JxCNotify& operator=(const JxCNotify&) = delete;

    std::int16_t IsActionNotify() const { return kind_ == kActionKind ? 1 : 0; }
    std::int16_t IsEventNotify() const { return kind_ == kEventKind ? 1 : 0; }
    std::int16_t GetTypeId() const { return id_; }
    std::int16_t GetKey() const { return key_; }
    JxCNotifyRoot* GetReceiver() const { return receiver_; }
    const JxCObject* GetSender() const { return sender_; }

    // Whether a delivery with this key from this sender reaches the receiver.
    bool Accepts(std::int16_t key, const JxCObject* sender) const;

    // The action whose subscription list holds this registration, if any.
    JxCAction* GetSubscriber() const { return subscriber_; }
    void SetSubscriber(JxCAction* action) { subscriber_ = action; }
    // Unique for the life of the program: a walk over a copy of a list
    // tells a registration from a new one made at a freed address.
    std::uint64_t GetSerial() const { return serial_; }

private:
    Kind kind_;
    std::int16_t id_;
    std::int16_t key_;
    JxCNotifyRoot* receiver_;
    const JxCObject* sender_;
    JxCAction* subscriber_ = nullptr;
    std::uint64_t serial_;
};
