#pragma once
// The quiz's questions and where the quiz stands. There are 22 topics, each
// with five questions at each of three levels; question index = topic x 15
// + level x 5 + question, the index the user's record keeps its answers by.
// The questions are read with the title's record; the current topic and the
// question being answered change as the user goes through the quiz.
//
// The user's level is given by the caller: a user at level 3 has done every
// level, and asking for a question there gives an empty text, as does any
// topic, level, question or alternative outside the tables.

#include <array>
#include <cstdint>

#include "foundation/JxCObject.h"
#include "foundation/JxCString.h"

class JxCInStrStream;

class JxCQuizInf : public JxCObject {
public:
    static constexpr std::int32_t kTopicCount = 22;
    static constexpr std::int32_t kLevelCount = 3;
    static constexpr std::int32_t kQuestionsPerLevel = 5;
    static constexpr std::int32_t kQuestionCount = kTopicCount * kLevelCount * kQuestionsPerLevel;
    // The answer list's alternatives that can be named by a stored value.
    static constexpr std::int32_t kMaxAnswerParts = 10;
    static constexpr std::int32_t kNoPage = -1;

    struct Question {
        // Kept with the question; the quiz does not use them.
        std::int32_t valueA = 0;
        std::int32_t valueB = 0;
        std::int32_t valueC = 0;
        JxCString text;
        // The accepted answers, separated by commas (see JxCAnswerMatcher).
        JxCString answers;
        // Where the answer can be found; kNoPage for none.
        std::array<std::int32_t, 3> researchPages{kNoPage, kNoPage, kNoPage};
    };

    JxCQuizInf() = default;
    ~JxCQuizInf() override = default;

    // The 330 question records in index order: three 16-bit values (widened
    // with their sign), the question text and the answer list (each a signed
    // 16-bit length and the bytes), three 32-bit research pages. The records
    // read whole stay; the rest are left empty and the answer is 0.
    std::int16_t Read(JxCInStrStream& in);

    // The index of a question; -1 when any part lies outside the tables.
    static std::int32_t QuestionIndex(std::int32_t level, std::int32_t topic, std::int32_t question);
    // Question `index`; null outside 0 ... 329.
    const Question* GetQuestion(std::int32_t index) const;

    // -1, or any topic outside 0 ... 21, is no topic. False when the topic
    // was current already.
    bool SetTopic(std::int32_t topic);
    std::int32_t GetTopic() const { return topic_; }

    // Makes question `question` of the current topic at `level` the current
    // question and gives its text. Without a current topic, or with an index
    // outside the tables, there is no current question and the text is empty.
    JxCString SelectQuestion(std::int32_t question, std::int32_t level);
    // The current question, or null.
    const Question* GetCurrentQuestion() const { return GetQuestion(current_); }
    std::int32_t GetCurrentIndex() const { return current_; }
    std::int32_t GetCurrentQuestionNumber() const { return questionNumber_; }
    // Research page n (1 to 3) of the current question; kNoPage without one.
    std::int32_t GetResearchPage(std::int32_t n) const;

    JxCString GetQuestionText(std::int32_t level, std::int32_t topic, std::int32_t question) const;
    JxCString GetAnswerList(std::int32_t level, std::int32_t topic, std::int32_t question) const;
    // Alternative n (0 first) of the question's answer list, as stored; the
    // value a right answer records names it. Empty past the tenth.
    JxCString GetAnswerPart(std::int32_t level, std::int32_t topic, std::int32_t question,
                            std::int32_t n) const;

    // The topic tables; an empty text outside 0 ... 21.
    static const char* TopicTitleBitmap(std::int32_t topic);  // topics panel
    static const char* TopicShortName(std::int32_t topic);    // question panel
    static const char* TopicPicture(std::int32_t topic);      // quiz panel
    // "mas", "exp", then "gen" for level 2 and above; empty below 0.
    static const char* LevelWord(std::int32_t level);

private:
    std::array<Question, kQuestionCount> questions_;
    std::int32_t current_ = -1;
    std::int32_t topic_ = -1;
    std::int32_t questionNumber_ = -1;
};
