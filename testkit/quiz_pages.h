#pragma once
// Writers of the records of the quiz's display objects and panels:
//
//   testkit::ProductData file;
//   testkit::PanelRecord panel(1);
//   panel.add(testkit::QuizCardRecord(file, "card1", 1, 0, "tab", {20, 150, 60, 170}).at(20, 100), file);
//
// Texts are interned in the file the record is written for.

#include <array>
#include <cstdint>
#include <string>

#include "testkit/display_objects.h"

namespace testkit {

// A "QuizCard": the bitmap's record with the picture, then the card id, the
// question number (0 to 4), the overlay picture (empty: none) and the
// overlay rectangle (left, top, right, bottom).
DisplayObjectRecord QuizCardRecord(ProductData& file, const std::string& picture, std::int16_t cardId,
                                   std::int16_t question, const std::string& overlay,
                                   const std::array<std::int16_t, 4>& overlayRect);

}  // namespace testkit
