#include "events/JxCNotify.h"

#include "events/JxCAction.h"
#include "events/JxCNotifyList.h"

namespace {

std::uint64_t nextSerial()
{
    static std::uint64_t serial = 0;
    return ++serial;
}

}  // namespace

JxCNotify::JxCNotify(Kind kind, std::int16_t id, std::int16_t key, JxCNotifyRoot* receiver, const JxCObject* sender)
    : kind_(kind), id_(id), key_(key), receiver_(receiver), sender_(sender), serial_(nextSerial())
{
}

JxCNotify::~JxCNotify()
{
    // However the registration goes (removed, or with the tables), the
    // action that lists it must not keep a dangling pointer.
    if (JxCAction* action = subscriber_) {
        subscriber_ = nullptr;
        action->ForgetSubscription(this);
    }
}

bool JxCNotify::Accepts(std::int16_t key, const JxCObject* sender) const
{
    if (key_ != 0 && key_ != key)
        return false;
    return !sender_ || sender_ == sender;
}

JxCNotify* FindNotifyByReceiver(JxCNotifyList& list, const JxCNotifyRoot* receiver)
{
    for (JxCNotify* n = list.GetFirst(); n; n = list.GetNext(n))
        if (n->GetReceiver() == receiver)
            return n;
    return nullptr;
}
