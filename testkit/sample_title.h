#pragma once
// The sample title: a small title that exercises what the engine can show,
// written beside the program by the build (tools/sample_title) and used by
// the end-to-end tests. It grows with the engine.
//
// The main window's outer size gives a client area of 640 by 480 pixels.
// Three pages of one base-page template: a banner panel across the top, a
// content panel and a navigation bar, each in its own colour; page 3 uses a
// second template whose content panel has another colour; page 4 can be
// the logbook with its counters (AddSampleLogbook). The welcome page plays a chime now and then,
// and a page left alone for two minutes gives way to another. A palette of
// primary colours, a splash bitmap and a data store holding one bitmap.

#include "testkit/title_folder.h"

namespace testkit {

// Colours of the sample palette (index: colour).
enum SampleColour : std::uint8_t {
    kSampleBlack = 0,
    kSampleWhite = 1,
    kSampleNavy = 2,
    kSampleTeal = 3,
    kSampleSand = 4,
    kSampleRust = 5,
    kSampleMoss = 6,
};

// The palette: the colours above, then greys to fill 256 entries.
std::vector<Rgb> SamplePalette();
// The title; the type ids must be numbered first (RegisterTypeIds).
TitleFolder SampleTitle();
// Page 4, the logbook: the shares of the pages visited and of the quiz done,
// the current topic's answers and the page-turning button, on the
// logbook's own panel. Its display objects are the title's, so the title's
// classes must be registered before the type ids are numbered.
void AddSampleLogbook(TitleFolder& title);
// Writes the sample title into the folder, numbering the type ids for the
// writing and releasing them after: call it while no program runs.
void WriteSampleTitle(const std::string& folder, bool withLogbook = false);

}  // namespace testkit
