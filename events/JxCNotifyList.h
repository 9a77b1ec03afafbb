#pragma once
// A list of notification registrations. The lists of the notification
// tables own their registrations; the subscription lists of an action only
// point at the registrations it made.

#include "events/JxCNotify.h"
#include "foundation/JxCList.h"

class JxCNotifyList : public JxCTypedList<JxCNotify> {
public:
    explicit JxCNotifyList(std::int16_t owns = 1) { SetOwnsItems(owns); }
    ~JxCNotifyList() override = default;
};

// The first registration of the list whose receiver is the object, or null.
JxCNotify* FindNotifyByReceiver(JxCNotifyList& list, const class JxCNotifyRoot* receiver);
