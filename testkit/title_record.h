#pragma once
// Writer of the title's record, which follows the product definition in the
// definitions block: the style definitions, the index and the visit data,
// the 330 quiz questions, the title fields, the menu and idle page lists,
// the idle-animation panel, the history-excluded and typed-key templates and
// the typed-key page list; every integer big-endian.
//
//   testkit::ProductData file;
//   testkit::TitleRecord title;
//   title.idlePages = {1, 5, 6};
//   title.keyTemplate = 2;
//   title.index.push_back({"Rivers", {4}});
//   file.titleRecord(title.Bytes(file));   // names interned in file

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "testkit/bmp.h"
#include "testkit/display_objects.h"
#include "testkit/product_data.h"
#include "testkit/quiz_questions.h"
#include "testkit/text_styles.h"

namespace testkit {

// One entry of the index or the visit data: its name and the pages its
// cross-reference names (the first is its page, the others are its further
// pages, written however many there are).
struct IndexEntry {
    std::string name;
    std::vector<std::uint32_t> pages;
    std::int16_t value1 = 0, value2 = 0;
};

// The title fields, in their stored order (16-bit where marked).
struct TitleFields {
    std::array<std::uint32_t, 5> navigationTargets{};
    std::uint32_t code6Target = 0, code7Target = 0, code9Page = 0, sparePage = 0, optionsPage = 0;
    std::uint32_t secondOptionsPage = 0;
    std::uint16_t spareWord = 0;
    std::uint32_t thirdOptionsPage = 0, code21Target = 0, code11Page = 0, secondSparePage = 0, code20Target = 0;
    std::uint16_t specialTemplate1 = 0, specialTemplate3 = 0;
    std::uint32_t quizReopenPage = 0, quizHomePage = 0, testPage = 0, finishedPage = 0;
    std::uint16_t schoolhouseMarkerId = 0;
    std::array<std::uint16_t, 3> spareWords{};
    std::uint32_t code22Target = 0, secondHomeTarget = 0, specialCode22Target = 0;
};

struct TitleRecord {
    StyleDefs styles;
    std::vector<IndexEntry> index;
    std::vector<IndexEntry> visits;
    QuizQuestions quiz;
    TitleFields fields;
    std::vector<std::uint32_t> menuPages, idlePages, keyPages;
    std::uint16_t idleAnimationPanel = 0;
    std::uint16_t excludedTemplate = 0;
    std::uint16_t keyTemplate = 0;
    // Written as the idle list's count when set, to make damaged records.
    std::optional<std::uint32_t> claimedIdleCount;

    std::vector<std::uint8_t> Bytes(ProductData& file) const;
};

// A number display of the title ("Visitedcount", "quizcount",
// "AnsweredCount"): the digit pictures prefix + "0" ... prefix + "9", four
// places of w by h side by side (the thousands on the left), the value.
DisplayObjectRecord DigitsRecord(const std::string& type, ProductData& file, const std::string& prefix,
                                 std::int16_t w, std::int16_t h, std::int16_t value = 0);
// A picture of digit d (0 to 9) for a number display: seven segments, 12 by
// 20 pixels, in the ink on the paper (colour indexes of the colours given).
BmpPicture DigitPicture(int d, std::uint8_t ink, std::uint8_t paper, std::vector<Rgb> colours);
// A bitmap whose record adds one 16-bit number ("quiztick" its topic,
// "QuizLabl" its level).
DisplayObjectRecord NumberedBitmapRecord(const std::string& type, const std::string& file, std::int16_t number);
// A button of the title whose record adds one 16-bit number
// ("CertificateButton" its level threshold).
DisplayObjectRecord NumberedButtonRecord(const std::string& type, std::int16_t number);

// An index with n entries "Page 1" ... "Page n", entry i leading to page i + 1.
std::vector<IndexEntry> NumberedIndex(int n);

}  // namespace testkit
