#pragma once
// The sample title's index and visit pages (pages and templates from 90).
//
// Page 90, the index: the title's index in a list grouped with an edit box
// (typing selects, a double click or Enter opens the entry's page, and the
// list opens at the entry chosen last), and a sticky button that stays
// pressed as it changes to the visits page. Page 91, the visits: every
// visited page ticked, the pages visited and those still to visit, and a
// video hotspot that plays the sample's movie where its screen stands.
// Both have a hotspot back to the welcome page.

#include <vector>

#include "testkit/title_folder.h"
#include "testkit/title_record.h"

namespace testkit {

constexpr std::uint32_t kSampleIndexPage = 90;
constexpr std::uint32_t kSampleVisitsPage = 91;

// The pages, and the index page among the start pages; their objects only
// while the program's classes are registered.
void AddSampleIndex(TitleFolder& title);
// The title record's index (sorted by name; "Tour" leads through pages 1,
// 2 and 3) and visit data (in the order of the pages' visit indexes).
std::vector<IndexEntry> SampleIndexEntries();
std::vector<IndexEntry> SampleVisitEntries();

}  // namespace testkit
