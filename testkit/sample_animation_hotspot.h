#pragma once
// The sample title's animation page (page 30 on template 30): a picture
// frame in which an animated hotspot plays a small animation of a block
// crossing a field, once as the page starts and again at each click, and
// the home link (testkit/sample_links.h).

#include "testkit/title_folder.h"

namespace testkit {

// Where the animation's frames lie on the content panel, and their size.
constexpr std::int16_t kSampleAnimX = 220, kSampleAnimY = 110;
constexpr std::int16_t kSampleAnimWidth = 160, kSampleAnimHeight = 100;
constexpr int kSampleAnimFrames = 12;

// Adds the page, its template, its picture and its animation, and makes
// the page the next of the product's start pages. Needs the "Bitmap" and
// "AnimHotspot" display-object types.
void AddSampleAnimationHotspot(TitleFolder& title);

}  // namespace testkit
