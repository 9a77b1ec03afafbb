#include "objects/actions/JxCClosePageAction.h"

#include <memory>

#include "events/JxProperties.h"
#include "foundation/JxCInStrStream.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxKeywordTables.h"

JxCClosePageAction::JxCClosePageAction()
{
    SetType(ActionTypeId(JxActionKeyword::Closepage));
    SetResourceKind(ResourceTypeId(JxResourceKind::None));
}

JxCClosePageAction::JxCClosePageAction(const JxCClosePageAction& other)
    : JxCAction(other), pageKey_(other.pageKey_), value_(other.value_)
{
}

std::int16_t JxCClosePageAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    // The object whose handler holds the action (a hotspot's highlight
    // lasts while the close waits).
    SetOwner(owner);
    return in.ReadBigEndian32(pageKey_) ? 1 : 0;
}

std::int16_t JxCClosePageAction::Execute()
{
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* page = product ? product->FindPageById(std::int32_t(pageKey_)) : nullptr;
    if (!page || page == product->GetFirstPage())
        return 1;
    JxCPageObject* opener = page->GetOpenerPage();
    page->ClearKeepOpen();
    product->GetSecondaryPageList().Remove(page);
    if (opener && product->HasPage(opener)) {
        opener->Detach(page);
        product->SetCurrentPage(opener);
    } else {
        product->SetCurrentPage(product->GetFirstPage());
    }
    product->GetPageList().ClosePage(page);
    return 1;
}

std::int16_t JxCClosePageAction::Post()
{
    JxCBaseProduct* product = GetProduct();
    std::unique_ptr<JxCAction> made(CreateActionByType(GetType()));
    auto* action = dynamic_cast<JxCClosePageAction*>(made.get());
    if (!product || !action)
        return 0;
    action->SetTarget(pageKey_, value_);
    action->CopySubscriptions(*this);
    // The clone plays for whoever posted it (a hotspot's highlight lasts
    // until it has run).
    action->SetOwner(GetOwner());
    product->QueueAction(made.release());
    product->ProcessActions();
    return 1;
}

std::int16_t JxCClosePageAction::Describe(JxCString& text)
{
    text = "m_PageName";
    return 0;
}

std::int16_t JxCClosePageAction::SetParameterText(const JxCString&)
{
    return kPropertyReadOnly;
}

std::int16_t JxCClosePageAction::SetPageName(std::uint32_t pageKey)
{
    pageKey_ = pageKey;
    return 1;
}

std::int16_t JxCClosePageAction::SetTarget(std::uint32_t pageKey, std::int32_t value)
{
    pageKey_ = pageKey;
    value_ = value;
    return 1;
}
