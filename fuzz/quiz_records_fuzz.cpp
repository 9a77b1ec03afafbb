// The quiz's question records on arbitrary bytes, then every question and
// its alternatives asked for through the quiz's own look-ups. Lengths must
// be bounded by the bytes, and a failed read must leave every record whole
// or empty.
#include <cstddef>
#include <cstdint>

#include "foundation/JxCInStrStream.h"
#include "fuzz_support.h"
#include "title/quiz/JxCQuizInf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    JxCInStrStream in(JxMemoryBlock{data, static_cast<std::uint32_t>(size)});
    JxCQuizInf quiz;
    const std::int16_t whole = quiz.Read(in);
    fuzz::Check(whole == 0 || whole == 1);
    for (std::int32_t topic = -1; topic <= JxCQuizInf::kTopicCount; ++topic) {
        quiz.SetTopic(topic);
        for (std::int32_t level = -1; level <= JxCQuizInf::kLevelCount; ++level)
            for (std::int32_t q = -1; q <= JxCQuizInf::kQuestionsPerLevel; ++q) {
                const JxCString text = quiz.SelectQuestion(q, level);
                const bool inside = JxCQuizInf::QuestionIndex(level, topic, q) >= 0;
                fuzz::Check(inside || text.IsEmpty());
                fuzz::Check(inside == (quiz.GetCurrentQuestion() != nullptr));
                for (std::int32_t n = 1; n <= 3; ++n)
                    quiz.GetResearchPage(n);
                for (std::int32_t part = 0; part <= JxCQuizInf::kMaxAnswerParts; ++part) {
                    const JxCString alternative = quiz.GetAnswerPart(level, topic, q, part);
                    fuzz::Check(alternative.GetLength() <= quiz.GetAnswerList(level, topic, q).GetLength());
                }
            }
    }
    return 0;
}
