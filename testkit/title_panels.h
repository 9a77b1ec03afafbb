#pragma once
// Writers of the title's panel and action records: the navigation bar, the
// dialog panel and the title's viewing panel (each the panel's own record
// followed by the class's fields), and the navigation, options, print-file,
// append-page and first-log actions.
//
//   testkit::PanelRecord bar(3);
//   bar.add(testkit::BitmapRecord("navhome").id(11).at(10, 8), file);
//   testkit::NavBarIds ids;
//   ids.bitmaps[0] = 11;
//   file.page(80, 80).storedPanel("NavPanel", testkit::NavPanelBytes(bar, ids));
//   ... .on("on_click", {testkit::NavAction(22)})

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "testkit/display_objects.h"
#include "testkit/event_records.h"

namespace testkit {

// The navigation bar's eleven ids: a spare value, the marker's id and the
// ids of navigation bitmaps 1 to 9 (0: none).
struct NavBarIds {
    std::int16_t spare = 0;
    std::int16_t marker = 0;
    std::array<std::int16_t, 9> bitmaps{};
};
std::vector<std::uint8_t> NavPanelBytes(const PanelRecord& panel, const NavBarIds& ids);

// The dialog panel's ids: a spare word, the seven buttons' ids and the
// default button's id.
struct DialogIds {
    std::int16_t spare = 0;
    std::array<std::int16_t, 7> buttons{};
    std::int16_t defaultButton = 0;
};
std::vector<std::uint8_t> DialogPanelBytes(const PanelRecord& panel, const DialogIds& ids);

// The title's viewing panel ("Display", "SchoolhousePanel"): the panel and
// its text (u16 length, the bytes; the length written as `claimedLength`
// when given).
std::vector<std::uint8_t> TitlePanelBytes(const PanelRecord& panel, const std::string& text = "",
                                          int claimedLength = -1);

// "NavAct" and "GAVOOPTION": u16 operation code.
ActionRecord NavAction(std::uint16_t code);
ActionRecord OptionsAction(std::uint16_t code);
// "PRINTFILE": a counted string.
ActionRecord PrintFileAction(const std::string& fileName);
// "AppendPageAction" and "Firstlog": the open-page action's record.
ActionRecord AppendPageAction(std::uint32_t pageKey, std::int16_t transition = 0, std::int16_t parameter = 0);
ActionRecord FirstLogAction(std::uint32_t pageKey, std::int16_t transition = 0, std::int16_t parameter = 0);

}  // namespace testkit
