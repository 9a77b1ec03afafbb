#include "testkit/event_records.h"

#include <stdexcept>

#include "foundation/JxCTableString.h"
#include "runtime/JxKeywordTables.h"
#include "testkit/big_endian.h"

namespace testkit {

std::uint16_t KeywordId(KeywordLookUp find, const char* family, const std::string& keyword)
{
    const std::int16_t id = find(JxCTableString(keyword.c_str()));
    if (id < 0)
        throw std::logic_error(std::string(family) + " '" + keyword + "' is unknown or the type ids are not numbered");
    return std::uint16_t(id);
}

std::uint16_t ActionId(const std::string& keyword)
{
    return KeywordId(&FindActionTypeId, "action", keyword);
}

std::uint16_t EventIdOf(const std::string& keyword)
{
    return KeywordId(&FindEventId, "event", keyword);
}

ActionRecord OpenPageAction(std::uint32_t pageKey, std::int16_t transition, std::int16_t parameter)
{
    ActionRecord a{"OPENPAGE", {}};
    PutBigEndian32(a.record, pageKey);
    PutBigEndian16(a.record, std::uint16_t(transition));
    PutBigEndian16(a.record, std::uint16_t(parameter));
    return a;
}

ActionRecord ChangePageAction(std::uint32_t pageKey, std::int16_t transitionRow)
{
    ActionRecord a{"CHANGEPAGE", {}};
    PutBigEndian32(a.record, pageKey);
    PutBigEndian16(a.record, std::uint16_t(transitionRow));
    return a;
}

ActionRecord ClosePageAction(std::uint32_t pageKey)
{
    ActionRecord a{"Closepage", {}};
    PutBigEndian32(a.record, pageKey);
    return a;
}

std::vector<std::uint8_t> ActionListBytes(const std::vector<ActionRecord>& actions)
{
    std::vector<std::uint8_t> out;
    PutBigEndian16(out, std::uint16_t(actions.size()));
    for (const ActionRecord& a : actions) {
        PutBigEndian16(out, ActionId(a.keyword));
        out.insert(out.end(), a.record.begin(), a.record.end());
    }
    return out;
}

std::vector<std::uint8_t> HandlerListBytes(const std::vector<HandlerRecord>& handlers)
{
    std::vector<std::uint8_t> out;
    PutBigEndian16(out, std::uint16_t(handlers.size()));
    for (const HandlerRecord& h : handlers) {
        PutBigEndian16(out, EventIdOf(h.event));
        const std::vector<std::uint8_t> list = ActionListBytes(h.actions);
        out.insert(out.end(), list.begin(), list.end());
    }
    return out;
}

}  // namespace testkit
