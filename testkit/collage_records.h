#pragma once
// Writers of the records of the collage display objects: the collage with
// the names of its managers, the group collage with its members' ids, and
// the collage button:
//
//   panel.add(testkit::CollageRecord(testkit::kTextListDataName, {}, styleIdBytes).id(1).rect(...), file);
//   panel.add(testkit::GroupCollageRecord({.collage = 1, .editBox = 2, .scrollBar = 3, .buttons = {4}})
//                 .id(9).rect(...).z(5), file);

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "testkit/bmp.h"
#include "testkit/display_objects.h"

namespace testkit {

// A "Collage": the background colour, the uninterpreted value, the data and
// arrangement manager names, then the managers' own parts (the title's data
// managers read a 16-bit character style id).
DisplayObjectRecord CollageRecord(const std::string& dataManager, Rgb background = {255, 255, 255},
                                  std::vector<std::uint8_t> managerParts = {},
                                  const std::string& arrangement = "Regular", std::int32_t value = 0);

// The ids a group collage names; members without an id are not named.
struct GroupMembers {
    std::optional<std::int16_t> collage;
    std::optional<std::int16_t> editBox;
    std::optional<std::int16_t> scrollBar;
    std::vector<std::int16_t> buttons;
    std::optional<std::int16_t> positionControl;
};
// A "GroupColl" naming its members.
DisplayObjectRecord GroupCollageRecord(const GroupMembers& members);

// A "CollButton": the button's picture names, starts-disabled and
// transparent words, then the visible flag and the activation value.
struct CollButtonFields {
    std::string normal, pressed, disabled;
    std::uint16_t startsDisabled = 0;
    std::uint16_t transparent = 0;
    std::uint16_t visibleFlag = 1;
    std::int32_t activation = 0;
};
DisplayObjectRecord CollButtonRecord(const CollButtonFields& fields);

}  // namespace testkit
