#pragma once
// Writers of the records of the quiz's display objects and panels:
//
//   testkit::ProductData file;
//   testkit::PanelRecord panel(1);
//   panel.add(testkit::QuizCardRecord(file, "card1", 1, 0, "tab", {20, 150, 60, 170}).at(20, 100), file);
//
//   testkit::QuizPanelTail tail;
//   tail.pages.right = 63;
//   file.page(61, 8).storedPanel("QuizPanel", testkit::QuizPanelBytes(panel, tail));
//
// Texts are interned in the file the record is written for.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "testkit/display_objects.h"

namespace testkit {

// A "QuizCard": the bitmap's record with the picture, then the card id, the
// question number (0 to 4), the overlay picture (empty: none) and the
// overlay rectangle (left, top, right, bottom).
DisplayObjectRecord QuizCardRecord(ProductData& file, const std::string& picture, std::int16_t cardId,
                                   std::int16_t question, const std::string& overlay,
                                   const std::array<std::int16_t, 4>& overlayRect);

// The topics panel's own fields, after the panel's record.
struct TopicsLayout {
    std::string icon;
    std::int16_t iconTop = 0, iconLeft = 0, titleLeft = 0, titleTop = 0;
    std::int16_t horizontalSpacing = 0, verticalSpacing = 0, perColumn = 11;
};
std::vector<std::uint8_t> QTopicsPanelBytes(const PanelRecord& panel, const TopicsLayout& layout, ProductData& file);

// The question panel's own fields: its level, the question and answer text
// ids of its five questions and its picture's id.
struct QuestionPanelTail {
    std::int16_t level = 0;
    std::array<std::int16_t, 5> questionIds{};
    std::array<std::int16_t, 5> answerIds{};
    std::int16_t pictureId = 0;
};
std::vector<std::uint8_t> QuestionPanelBytes(const PanelRecord& panel, const QuestionPanelTail& tail);

// The quiz panel's own fields.
struct QuizPanelTail {
    std::int16_t kept = 0;
    std::uint32_t right = 0, wrong = 0, nearly = 0, results = 0;
    std::int16_t answerButton = 0, researchButton = 0, testButton = 0, keptId = 0, picture = 0;
    std::array<std::uint32_t, 3> questionPages{};
    // Entry level x 22 + topic: the page opened when the topic is done.
    std::array<std::uint32_t, 330> completedPages{};
};
std::vector<std::uint8_t> QuizPanelBytes(const PanelRecord& panel, const QuizPanelTail& tail);

// "QuizPageAction": the code; code 6 (set topic) adds the topic.
ActionRecord QuizPageAction(std::int16_t code, std::int16_t topic = -1);
// "OpenQuestion": the open-page action's record (the page of levels above
// 1), the pages of levels 0 and 1, the topic.
ActionRecord OpenQuestionAction(std::uint32_t otherLevels, std::uint32_t level0, std::uint32_t level1,
                                std::int16_t topic);

}  // namespace testkit
