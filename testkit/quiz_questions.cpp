#include "testkit/quiz_questions.h"

#include "testkit/big_endian.h"

namespace testkit {

QuizQuestion& QuizQuestion::text(std::string t)
{
    questionText = std::move(t);
    return *this;
}

QuizQuestion& QuizQuestion::answers(std::string a)
{
    answerList = std::move(a);
    return *this;
}

QuizQuestion& QuizQuestion::values(std::int16_t a, std::int16_t b, std::int16_t c)
{
    valueWords = {a, b, c};
    return *this;
}

QuizQuestion& QuizQuestion::research(std::int32_t page1, std::int32_t page2, std::int32_t page3)
{
    researchPages = {page1, page2, page3};
    return *this;
}

QuizQuestions::QuizQuestions() : questions_(kCount) {}

QuizQuestion& QuizQuestions::at(int level, int topic, int question)
{
    return record(topic * 15 + level * 5 + question);
}

std::vector<std::uint8_t> QuizQuestions::Bytes() const
{
    std::vector<std::uint8_t> out;
    const auto counted = [&](const std::string& s) {
        PutBigEndian16(out, std::uint16_t(s.size()));
        out.insert(out.end(), s.begin(), s.end());
    };
    for (const QuizQuestion& q : questions_) {
        for (std::int16_t v : q.valueWords)
            PutBigEndian16(out, std::uint16_t(v));
        counted(q.questionText);
        counted(q.answerList);
        for (std::int32_t page : q.researchPages)
            PutBigEndian32(out, std::uint32_t(page));
    }
    return out;
}

}  // namespace testkit
