#pragma once
// The sample title's navigation pages (pages and templates 80 to 89): two
// pages with the title's navigation bar, whose buttons go home, go to the
// second page, go back and show the options pop-up; the bar underlines the
// button of the page shown (and the options button while the pop-up is
// up) and greys the back button while there is nowhere to go back to. The
// pop-up installs the title's screen saver (a small file of ours, which
// nothing runs) and opens a dialog page whose three buttons answer it.

#include "testkit/title_folder.h"
#include "testkit/title_record.h"

namespace testkit {

constexpr std::uint32_t kSampleNavigationHome = 80;
constexpr std::uint32_t kSampleNavigationSecond = 81;
constexpr std::uint32_t kSampleOptionsPage = 82;
constexpr std::uint32_t kSampleDialogPage = 83;

// Where the bar's buttons lead, in the title record.
void SetSampleNavigationTargets(TitleFields& fields);
// The pages; the program's classes must be registered before the type ids
// are numbered.
void AddSampleNavigation(TitleFolder& title);

}  // namespace testkit
