#include "objects/actions/JxCClosePageAction.h"

#include "events/JxProperties.h"
#include "foundation/JxCInStrStream.h"
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

std::int16_t JxCClosePageAction::Read(JxCInStrStream& in, JxCRunTimeObject*)
{
    return in.ReadBigEndian32(pageKey_) ? 1 : 0;
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
