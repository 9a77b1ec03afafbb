#pragma once
// Writer of the quiz's 330 question records, as the title's record holds
// them after its styles, index and visit data.
//
//   testkit::QuizQuestions quiz;
//   quiz.at(0, 3, 1).text("What turns on an axle?").answers("gear,wheel+axle").research(12);
//   std::vector<std::uint8_t> bytes = quiz.Bytes();
//
// Questions not given are written empty, with no research pages.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace testkit {

struct QuizQuestion {
    QuizQuestion& text(std::string t);
    QuizQuestion& answers(std::string a);
    QuizQuestion& values(std::int16_t a, std::int16_t b, std::int16_t c);
    QuizQuestion& research(std::int32_t page1, std::int32_t page2 = -1, std::int32_t page3 = -1);

    std::array<std::int16_t, 3> valueWords{0, 0, 0};
    std::string questionText;
    std::string answerList;
    std::array<std::int32_t, 3> researchPages{-1, -1, -1};
};

class QuizQuestions {
public:
    static constexpr int kCount = 330;

    QuizQuestions();
    // The question of that level (0 to 2), topic (0 to 21) and number (0 to
    // 4): record topic x 15 + level x 5 + question.
    QuizQuestion& at(int level, int topic, int question);
    QuizQuestion& record(int index) { return questions_.at(std::size_t(index)); }

    std::vector<std::uint8_t> Bytes() const;

private:
    std::vector<QuizQuestion> questions_;
};

}  // namespace testkit
