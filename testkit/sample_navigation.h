#pragma once
// The sample title's navigation pages (pages and templates 80 to 89): two
// pages with the title's navigation bar, whose buttons go home, go to the
// second page, go back and show the options pop-up; the bar underlines the
// button of the page shown, the first one included (and the options button
// while the pop-up is up), and greys the back button while there is
// nowhere to go back to. The
// pop-up installs the title's screen saver (a small file of ours, which
// nothing runs), opens a dialog page whose three buttons answer it, and
// prints the page under it or copies it to the clipboard. Each page's
// content also holds the home link to the title's welcome page
// (testkit/sample_links.h).

#include "testkit/title_folder.h"
#include "testkit/title_record.h"

namespace testkit {

constexpr std::uint32_t kSampleNavigationHome = 80;
constexpr std::uint32_t kSampleNavigationSecond = 81;
constexpr std::uint32_t kSampleOptionsPage = 82;
constexpr std::uint32_t kSampleDialogPage = 83;

// The options pop-up's place on the main window's client area, and its
// buttons' left edges (40 by 40, 10 below its top) within it.
constexpr std::int16_t kSampleOptionsLeft = 400, kSampleOptionsTop = 356;
constexpr std::int16_t kSampleOptionsSaverX = 12, kSampleOptionsDialogX = 68, kSampleOptionsPrintX = 124,
                       kSampleOptionsCopyX = 180;

// Where the bar's buttons lead, in the title record.
void SetSampleNavigationTargets(TitleFields& fields);
// The pages; the program's classes must be registered before the type ids
// are numbered.
void AddSampleNavigation(TitleFolder& title);

}  // namespace testkit
