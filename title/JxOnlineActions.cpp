#include <new>

#include "runtime/JxCBaseProduct.h"
#include "title/JxFindBrowser.h"
#include "title/JxOnlineLinks.h"
#include "title/JxTitleActions.h"

namespace {

// Hands the action to the product's queue and schedules a pass; the queue
// owns it from then on.
std::int16_t queueOnProduct(JxCAction* action)
{
    if (!action)
        return 0;
    JxCBaseProduct* product = GetProduct();
    if (!product) {
        delete action;
        return 0;
    }
    product->QueueAction(action);
    product->ProcessActions();
    return 1;
}

}  // namespace

JxCGoUrlAction& JxCGoUrlAction::operator=(const JxCGoUrlAction& other)
{
    if (this != &other) {
        address_ = other.address_;
        serviceAddress_ = other.serviceAddress_;
    }
    return *this;
}

std::int16_t JxCGoUrlAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    owner_ = owner;
    in.ReadCountedString(address_);
    in.ReadCountedString(serviceAddress_);
    return 1;
}

std::int16_t JxCGoUrlAction::Setup(const JxCString& address, JxCRunTimeObject* owner, const JxCString& serviceAddress)
{
    address_ = address;
    owner_ = owner;
    serviceAddress_ = serviceAddress;
    return 1;
}

std::int16_t JxCGoUrlAction::Execute()
{
    return OpenLink(address_, serviceAddress_, owner_);
}

std::int16_t JxCGoUrlAction::Post()
{
    if (address_.IsEmpty())
        return 0;
    auto* posted = new (std::nothrow) JxCGoUrlAction;
    if (!posted)
        return 0;
    posted->Setup(address_, owner_, serviceAddress_);
    return queueOnProduct(posted);
}

std::int16_t JxCOnlineSetupAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    (void)in;
    owner_ = owner;
    return 1;
}

std::int16_t JxCOnlineSetupAction::Execute()
{
    FindBrowser(nullptr);
    return 1;
}

std::int16_t JxCOnlineSetupAction::Post()
{
    auto* posted = new (std::nothrow) JxCOnlineSetupAction;
    if (!posted)
        return 0;
    posted->owner_ = owner_;
    return queueOnProduct(posted);
}
