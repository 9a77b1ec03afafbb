#include "events/JxCEventHandler.h"

#include <new>

#include "events/JxCAction.h"
#include "foundation/JxCInStrStream.h"

namespace {

// The least a handler record takes: its event id and an action count.
constexpr std::uint32_t kSmallestHandler = 4;

}  // namespace

JxCEventHandler::JxCEventHandler() = default;

JxCEventHandler::~JxCEventHandler() = default;

void JxCEventHandler::SetActions(std::unique_ptr<JxCActionList> actions)
{
    actions_ = std::move(actions);
}

std::int16_t JxCEventHandler::Load(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    actions_.reset();
    if (!in.ReadEventId(event_))
        return 0;
    std::unique_ptr<JxCActionList> actions(new (std::nothrow) JxCActionList);
    if (!actions || !actions->ReadBinary(in, owner))
        return 0;
    actions_ = std::move(actions);
    return 1;
}

std::int16_t JxCEventHandlerList::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    std::int16_t count = 0;
    if (!in.ReadBigEndian16(count))
        return 0;
    // A negative count reads as none, as a loop up to it would.
    if (count > 0 && std::uint32_t(count) > in.Remaining() / kSmallestHandler)
        return 0;
    for (std::int16_t i = 0; i < count; ++i) {
        std::unique_ptr<JxCEventHandler> handler(new (std::nothrow) JxCEventHandler);
        if (!handler || !handler->Load(in, owner) || !Add(handler.get()))
            return 0;
        handler.release();
    }
    return 1;
}

void JxCEventHandlerList::SetEventHandler(JxCEventHandler* handler)
{
    if (!handler)
        return;
    for (JxCEventHandler* h = GetFirst(); h; h = GetNext(h))
        if (h->GetEvent() == handler->GetEvent()) {
            Remove(h);
            break;
        }
    Add(handler);
}

std::int16_t JxReadEventHandlers(JxCInStrStream& in, JxCEventHandlerList& list, JxCRunTimeObject* owner)
{
    return list.Read(in, owner);
}
