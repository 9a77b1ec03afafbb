#pragma once
// The sample title's animation page: a stage on which an animation of a
// rolling ball plays with its sound, the animation's controller bar (play
// and pause, rewind, the meter) below it, and a "go on" arrow whose click
// plays the animation through to its end and only then opens a small page
// beside the stage, which a click closes again; the home link leads back to
// the welcome page (testkit/sample_links.h). Once the idle tick runs
// (it starts with the first page an action opens or changes to), the page
// left alone plays a short twinkle beside the stage now and then (its
// random animation, played on the idle-animation panel).
//
// Its objects are the program's ("Bitmap", "Hotspot", "AnimationControl"),
// so the page is added only while those classes are registered. It
// appends its page to the product's start pages.

#include <cstdint>

#include "testkit/title_folder.h"

namespace testkit {

constexpr std::uint32_t kSampleAnimationPage = 10;
// The small page the "go on" picture opens after the animation.
constexpr std::uint32_t kSampleAnimationEncorePage = 11;
// The content panel, with the stage, the bar and the "go on" arrow.
constexpr std::uint16_t kSampleAnimationContentPanel = 2;
// The panel beside it, which the title names as the idle tick's animation
// panel: the twinkle plays there, and the panel drawn again at the
// twinkle's end is that one alone, so the stage keeps what the ball left.
constexpr std::uint16_t kSampleIdleAnimationPanel = 4;

// The places on the animation page's content panel (panel coordinates;
// the panel lies at (0, 60) of the page).
constexpr std::int16_t kSampleStageX = 40, kSampleStageY = 30;
constexpr std::int16_t kSampleBarX = 40, kSampleBarY = 200;
constexpr std::int16_t kSampleGoX = 180, kSampleGoY = 196;
// The rolling ball's frames and their size; each lasts a tenth of a second.
constexpr int kSampleRollFrames = 16;
constexpr std::int16_t kSampleRollX = 56, kSampleRollY = 46;
constexpr std::int16_t kSampleRollWidth = 208, kSampleRollHeight = 128;

// The animation files' names, as the page's records give them.
inline constexpr const char* kSampleRollAnimation = "animroll.ani";
inline constexpr const char* kSampleTwinkleAnimation = "animwink.ani";

void AddSampleAnimation(TitleFolder& title);

}  // namespace testkit
