#pragma once
// The sample title: a small title that exercises what the engine can show,
// written beside the program by the build (tools/sample_title) and used by
// the end-to-end tests. It grows with the engine.
//
// The main window's outer size gives a client area of 640 by 480 pixels.
// Three pages of one base-page template: a banner panel across the top, a
// content panel and a navigation bar, each in its own colour; page 3 uses a
// second template whose content panel has another colour. A third, child-page,
// template holds the notes page (page 4). A palette of primary colours, a
// splash bitmap, the pictures as files of the data folder and a data store
// holding one bitmap.
//
// Pages whose objects need the program's display-object classes get them
// only while those classes are registered (as the sample-title tool does):
// the first page's content shows a picture with a hotspot (mode 3) that
// opens the notes page beside it, a hotspot that changes to the second page
// with a wipe to the left, and a button that closes the notes page; the
// second page shows its own picture, which changes back with a wipe to the
// right, and a tall picture in a window with a linked scroll bar; the third
// a paragraph above an edit box for a name, in the title's styles (which
// the title record carries), and the home link; its content panel plays the
// title's movie as it opens.
//
// The welcome page plays a chime now and then, and a page left alone for
// two minutes asks whether anyone is still there; its links lead to the quiz's topics
// page and the logbook (testkit/sample_links.h). Later start pages, in this order:
// page 10 plays an animation under its bar (testkit/sample_animation.h);
// page 20 has a rollover, a micon and a rollover button
// (testkit/sample_rollover.h); page 30 plays an animation in an animated
// hotspot (testkit/sample_animation_hotspot.h); page 8 holds a web link
// (testkit/sample_link.h); page 90 is the index (testkit/sample_index.h);
// the login's greeting page 40 (testkit/sample_login.h), which the
// sample-title tool makes the first start page; the quiz's topics page 60
// (testkit/sample_quiz.h); the navigation bar's page 80
// (testkit/sample_navigation.h); page 5, the last, can be the logbook with
// its counters (AddSampleLogbook, which the sample-title tool adds, with
// the welcome page's link to it).

#include "testkit/title_folder.h"

namespace testkit {

// Colours of the sample palette (index: colour). Sand lies clear of the
// places 256-colour palettes keep for the system's colours.
enum SampleColour : std::uint8_t {
    kSampleBlack = 0,
    kSampleWhite = 1,
    kSampleNavy = 2,
    kSampleTeal = 3,
    kSampleRust = 5,
    kSampleMoss = 6,
    kSampleSand = 10,
};

// Rows of the change-page transition table the sample's page changes use.
constexpr std::int16_t kSampleWipeLeft = 5;
constexpr std::int16_t kSampleWipeRight = 6;

// The tall picture and the height of its window on the contents page.
constexpr std::int16_t kTallPictureWidth = 300;
constexpr std::int16_t kTallPictureHeight = 900;
constexpr std::int16_t kTallPictureWindow = 300;

// An edit box's picture: a white field between a line along its top and a
// double line along its bottom, in the line's colour (navy while the box
// has the focus, teal otherwise). The box writes its text from its very
// left edge, so no frame stands there for the first letter to cover.
BmpPicture SampleEditBoxPicture(std::int32_t width, std::int32_t height, std::uint8_t line);

// The palette: the colours above, and greys in the other entries (entry n
// (n, n, n)), but for the system's dark blue at 4, light grey at 7, dark
// grey at 248 and blue at 252.
std::vector<Rgb> SamplePalette();
// A picture in the sample palette filled with one colour, and a rectangle
// of it filled with another.
BmpPicture SamplePicture(std::int32_t width, std::int32_t height, std::uint8_t background);
void FillSampleRect(BmpPicture& p, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint8_t index);
// The title; the type ids must be numbered first (RegisterTypeIds).
TitleFolder SampleTitle();
// Page 5, the logbook: the shares of the pages visited and of the quiz done,
// the current topic's answers, the page-turning button and the home link,
// on the logbook's own panel, and the welcome page's link to it. Its display objects are the title's, so the title's
// classes must be registered before the type ids are numbered.
void AddSampleLogbook(TitleFolder& title);
// Writes the sample title into the folder, numbering the type ids for the
// writing and releasing them after: call it while no program runs. The
// title opens on the welcome page, or with opensOnLogin on the login
// (testkit/sample_login.h), whose page is otherwise the last start page.
// The country code of its version records says whose language the data is
// in (a program of another language asks before it opens the data).
void WriteSampleTitle(const std::string& folder, bool withLogbook = false, bool opensOnLogin = false,
                      const std::string& countryCode = "US");

}  // namespace testkit
