#pragma once
// Writers of the event records: action lists, event-handler lists and the
// records of the page actions.
//
//   std::vector<std::uint8_t> bytes = HandlerListBytes({
//       {"on_activateapp", {OpenPageAction(2), OpenPageAction(3)}},
//   });
//
// Event and action ids are looked up in the engine's numbered keyword
// tables, so the type ids must be numbered first (RegisterTypeIds).

#include <cstdint>
#include <string>
#include <vector>

class JxCTableString;

namespace testkit {

// One action: its keyword and its own record (what follows the type id).
struct ActionRecord {
    std::string keyword;
    std::vector<std::uint8_t> record;
};

// "OPENPAGE": u32 page key, s16 transition index, s16 parameter.
ActionRecord OpenPageAction(std::uint32_t pageKey, std::int16_t transition = 0, std::int16_t parameter = 0);
// "CHANGEPAGE": u32 page key, s16 row of the change-page transition table
// (0 "none" ... 6 "wipe_right").
ActionRecord ChangePageAction(std::uint32_t pageKey, std::int16_t transitionRow = 0);
// "Closepage": u32 page key.
ActionRecord ClosePageAction(std::uint32_t pageKey);

// One handler: its event keyword and its actions.
struct HandlerRecord {
    std::string event;
    std::vector<ActionRecord> actions;
};

// s16 count, then each action's s16 type id and its record.
std::vector<std::uint8_t> ActionListBytes(const std::vector<ActionRecord>& actions);
// s16 count, then each handler's s16 event id and its action list.
std::vector<std::uint8_t> HandlerListBytes(const std::vector<HandlerRecord>& handlers);

// The numbered id of a keyword of one family through the family's look-up;
// std::logic_error for an unknown keyword or before the ids are numbered.
using KeywordLookUp = std::int16_t (*)(const JxCTableString& keyword);
std::uint16_t KeywordId(KeywordLookUp find, const char* family, const std::string& keyword);
std::uint16_t ActionId(const std::string& keyword);
std::uint16_t EventIdOf(const std::string& keyword);

}  // namespace testkit
