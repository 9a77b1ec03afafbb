#include <memory>
#include <new>

#include "runtime/JxCBaseProduct.h"
#include "runtime/JxKeywordTables.h"
#include "title/links/JxFindBrowser.h"
#include "title/links/JxOnlineLinks.h"
#include "title/links/JxTitleActions.h"

namespace {

// Takes over a new action with the source's subscriptions, queues it on
// the product and schedules a pass; the queue owns it from then on.
std::int16_t queueOnProduct(std::unique_ptr<JxCAction> action, const JxCAction& source)
{
    JxCBaseProduct* product = GetProduct();
    if (!action || !product)
        return 0;
    action->CopySubscriptions(source);
    product->QueueAction(action.release());
    product->ProcessActions();
    return 1;
}

void setTypes(JxCAction& action, JxActionKeyword keyword)
{
    action.SetType(ActionTypeId(keyword));
    action.SetResourceKind(ResourceTypeId(JxResourceKind::None));
}

}  // namespace

JxCGoUrlAction::JxCGoUrlAction()
{
    setTypes(*this, JxActionKeyword::GO_URL);
}

JxCGoUrlAction::JxCGoUrlAction(const JxCGoUrlAction& other)
    : JxCAction(other), address_(other.address_), serviceAddress_(other.serviceAddress_)
{
}

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
    SetOwner(owner);
    in.ReadCountedString(address_);
    in.ReadCountedString(serviceAddress_);
    return 1;
}

std::int16_t JxCGoUrlAction::Setup(const JxCString& address, JxCRunTimeObject* owner, const JxCString& serviceAddress)
{
    address_ = address;
    SetOwner(owner);
    serviceAddress_ = serviceAddress;
    return 1;
}

std::int16_t JxCGoUrlAction::Execute()
{
    return OpenLink(address_, serviceAddress_, GetOwner());
}

std::int16_t JxCGoUrlAction::Post()
{
    if (address_.IsEmpty())
        return 0;
    std::unique_ptr<JxCGoUrlAction> posted(new (std::nothrow) JxCGoUrlAction);
    if (!posted)
        return 0;
    posted->Setup(address_, GetOwner(), serviceAddress_);
    return queueOnProduct(std::move(posted), *this);
}

JxCOnlineSetupAction::JxCOnlineSetupAction()
{
    setTypes(*this, JxActionKeyword::onlineSetup);
}

std::int16_t JxCOnlineSetupAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    (void)in;
    SetOwner(owner);
    return 1;
}

std::int16_t JxCOnlineSetupAction::Execute()
{
    FindBrowser(nullptr);
    return 1;
}

std::int16_t JxCOnlineSetupAction::Post()
{
    std::unique_ptr<JxCOnlineSetupAction> posted(new (std::nothrow) JxCOnlineSetupAction);
    if (!posted)
        return 0;
    posted->SetOwner(GetOwner());
    return queueOnProduct(std::move(posted), *this);
}
