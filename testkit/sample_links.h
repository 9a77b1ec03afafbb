#pragma once
// The sample title's links between its parts, so that one run from the
// login can reach them all: the welcome page's row of link buttons (the
// quiz's topics page, the index and, when the title has it, the logbook),
// and the home button back to the welcome page that every page of the main
// window without another way there carries. Each link is a picture of our own under a hotspot: a
// question mark for the quiz, a list for the index, an open book for the
// logbook, a house for home.
//
// The rectangles are in the content panel's coordinates (the panel stands
// at (0, 60) of the main window's client area).

#include <array>
#include <cstdint>

#include "testkit/display_objects.h"
#include "testkit/title_folder.h"

namespace testkit {

using SampleRect = std::array<std::int16_t, 4>;  // left, top, right, bottom

constexpr std::uint32_t kSampleWelcomePage = 1;
constexpr std::uint32_t kSampleTopicsPage = 60;
constexpr std::uint32_t kSampleLogbookPage = 5;

constexpr SampleRect kSampleQuizLink = {40, 240, 104, 280};
constexpr SampleRect kSampleLogbookLink = {120, 240, 184, 280};
constexpr SampleRect kSampleIndexLink = {200, 240, 264, 280};
constexpr SampleRect kSampleHomeLink = {16, 324, 80, 356};

// The welcome page's links (the logbook's only withLogbook), with
// their pictures.
void AddSampleWelcomeLinks(TitleFolder& title, PanelRecord& content, bool withLogbook);
// The home link back to the welcome page, with its pictures.
void AddSampleHomeLink(TitleFolder& title, PanelRecord& content);

}  // namespace testkit
