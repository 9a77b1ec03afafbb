#pragma once
// The sample title's rollover page (page 20, template 20): a lamp whose
// hotspot lights a glow above it while the mouse is over it, a spinning
// micon whose click plays a short tone, and a rollover button that lights
// under the mouse and changes back to the welcome page. Its pictures and
// its tone are files of the data folder named "rollover_...".

#include <cstdint>

#include "testkit/title_folder.h"

namespace testkit {

constexpr std::uint32_t kRolloverPage = 20;

// Where the page's objects stand in its content panel (panel 2 at (0, 60)
// of the main window's client area), left, top, right, bottom.
constexpr std::int16_t kRolloverLamp[4] = {120, 180, 240, 220};
constexpr std::int16_t kRolloverGlowRise = 40;  // the glow stands this far above the lamp
constexpr std::int16_t kRolloverMicon[4] = {320, 160, 384, 224};
constexpr std::int16_t kRolloverHome[4] = {460, 300, 580, 340};
// The tone the micon's click plays: its name and its length.
constexpr const char* kRolloverTone = "rollover_tone";
constexpr std::uint32_t kRolloverToneMs = 1200;

// Adds the page, appended to the product's start pages, when the program's
// "Bitmap", "RollHotSpot", "Micon" and "RollOverButton" are registered.
void AddSampleRollover(TitleFolder& title);

}  // namespace testkit
