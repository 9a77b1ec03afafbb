#pragma once
// The sample title's web link: page 8, on a template of its own, shows a
// line of text over a picture whose hotspot opens a web address in the
// user's browser ("GO_URL"), and the home link (testkit/sample_links.h).

#include "testkit/title_folder.h"

namespace testkit {

// The page the link is on, and the address it opens.
constexpr std::uint32_t kSampleLinkPage = 8;
constexpr const char* kSampleLinkAddress = "https://example.org/";
// The link's picture in the page's content panel, which lies 60 pixels
// below the top of the window.
constexpr std::int16_t kSampleLinkLeft = 220, kSampleLinkTop = 120;
constexpr std::int16_t kSampleLinkWidth = 200, kSampleLinkHeight = 120;

// Adds the page and its template (the program's "Bitmap", "Hotspot" and
// "ParaText" classes must be registered) and appends the page to the start
// pages.
void AddSampleLink(TitleFolder& title);

}  // namespace testkit
