#include "objects/actions/JxCBackPageAction.h"

#include "events/JxCTitleHooks.h"

std::int16_t JxCBackPageAction::Read(JxCInStrStream&, JxCRunTimeObject* owner)
{
    SetOwner(owner);
    return 1;
}

std::int16_t JxCBackPageAction::Execute()
{
    return GetTitleHooks().GoBack();
}
