#pragma once
// The notification registrations of one event id or action type id in one
// of the notification tables; the list owns them.
//
// A stand-in so far: the tables can already be made and freed at start-up
// and exit. The registrations and their delivery come with the
// notifications.

#include "foundation/JxCList.h"

class JxCNotifyList : public JxCList {
public:
    JxCNotifyList() { SetOwnsItems(1); }
    ~JxCNotifyList() override = default;
};
