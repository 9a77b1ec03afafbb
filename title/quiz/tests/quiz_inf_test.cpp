#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/JxCInStrStream.h"
#include "testkit/quiz_questions.h"
#include "title/quiz/JxCQuizInf.h"

namespace {

std::string nameOf(int level, int topic, int question)
{
    return "L" + std::to_string(level) + "T" + std::to_string(topic) + "Q" + std::to_string(question);
}

// Every question names its own place, so a mixed-up index shows.
testkit::QuizQuestions namedQuestions()
{
    testkit::QuizQuestions quiz;
    for (int topic = 0; topic < 22; ++topic)
        for (int level = 0; level < 3; ++level)
            for (int q = 0; q < 5; ++q)
                quiz.at(level, topic, q).text(nameOf(level, topic, q)).answers("a" + nameOf(level, topic, q));
    return quiz;
}

std::unique_ptr<JxCQuizInf> readQuiz(const std::vector<std::uint8_t>& bytes, std::int16_t* result = nullptr)
{
    auto quiz = std::make_unique<JxCQuizInf>();
    JxCInStrStream in(JxMemoryBlock{bytes.data(), std::uint32_t(bytes.size())});
    const std::int16_t r = quiz->Read(in);
    if (result)
        *result = r;
    return quiz;
}

TEST(QuizInf, ReadsEveryQuestionIntoItsPlaceWithItsValuesAndResearchPages)
{
    testkit::QuizQuestions data = namedQuestions();
    data.at(1, 3, 2).values(-2, 32767, -32768).research(120, 121, -1);
    std::int16_t result = 0;
    auto quiz = readQuiz(data.Bytes(), &result);
    EXPECT_EQ(result, 1);

    // Levels run inside topics: level 1 of topic 3 is records 50 to 54.
    EXPECT_EQ(JxCQuizInf::QuestionIndex(1, 3, 2), 52);
    const JxCQuizInf::Question* q = quiz->GetQuestion(52);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->text, "L1T3Q2");
    EXPECT_EQ(q->valueA, -2);
    EXPECT_EQ(q->valueB, 32767);
    EXPECT_EQ(q->valueC, -32768);
    EXPECT_EQ(q->researchPages[0], 120);
    EXPECT_EQ(q->researchPages[1], 121);
    EXPECT_EQ(q->researchPages[2], -1);

    for (int topic : {0, 21})
        for (int level : {0, 2})
            for (int n : {0, 4})
                EXPECT_EQ(quiz->GetQuestionText(level, topic, n), nameOf(level, topic, n).c_str());
    EXPECT_EQ(quiz->GetAnswerList(2, 21, 4), "aL2T21Q4");
    EXPECT_EQ(quiz->GetQuestion(330), nullptr);
    EXPECT_EQ(quiz->GetQuestion(-1), nullptr);
}

TEST(QuizInf, ADamagedRecordKeepsTheWholeRecordsBeforeItAndEmptiesTheRest)
{
    testkit::QuizQuestions data = namedQuestions();
    data.record(99).research(7);
    data.record(100).research(8);
    std::vector<std::uint8_t> bytes = data.Bytes();
    // Record 100 claims a question text longer than everything left.
    std::vector<std::uint8_t> claimed = bytes;
    // Records 0 to 99 belong to topics 0 to 6: "LxTyQz" and "aLxTyQz".
    const std::size_t at = 100 * (6 + 2 + 6 + 2 + 7 + 12);
    ASSERT_EQ(std::string(bytes.begin() + std::ptrdiff_t(at + 8), bytes.begin() + std::ptrdiff_t(at + 14)), "L2T6Q0");
    claimed[at + 6] = 0x7F;
    claimed[at + 7] = 0xFF;

    for (const std::vector<std::uint8_t>& damaged :
         {claimed, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + std::ptrdiff_t(at + 20))}) {
        std::int16_t result = 1;
        auto quiz = readQuiz(damaged, &result);
        EXPECT_EQ(result, 0);
        EXPECT_EQ(quiz->GetQuestion(99)->text, "L1T6Q4");
        EXPECT_EQ(quiz->GetQuestion(99)->researchPages[0], 7);
        EXPECT_TRUE(quiz->GetQuestion(100)->text.IsEmpty());
        EXPECT_EQ(quiz->GetQuestion(100)->researchPages[0], JxCQuizInf::kNoPage);
        EXPECT_TRUE(quiz->GetQuestion(329)->answers.IsEmpty());
    }
    std::int16_t result = 1;
    readQuiz({}, &result);
    EXPECT_EQ(result, 0);
}

TEST(QuizInf, SelectingAQuestionNeedsATopicAndALevelBelowThree)
{
    testkit::QuizQuestions data = namedQuestions();
    data.at(1, 3, 4).research(30, 31, 32);
    auto quiz = readQuiz(data.Bytes());

    EXPECT_EQ(quiz->GetTopic(), -1);
    EXPECT_TRUE(quiz->SelectQuestion(0, 0).IsEmpty());
    EXPECT_EQ(quiz->GetCurrentQuestion(), nullptr);
    EXPECT_EQ(quiz->GetResearchPage(1), JxCQuizInf::kNoPage);

    EXPECT_TRUE(quiz->SetTopic(3));
    EXPECT_FALSE(quiz->SetTopic(3));
    EXPECT_EQ(quiz->SelectQuestion(4, 1), "L1T3Q4");
    EXPECT_EQ(quiz->GetCurrentIndex(), 54);
    EXPECT_EQ(quiz->GetCurrentQuestionNumber(), 4);
    EXPECT_EQ(quiz->GetResearchPage(1), 30);
    EXPECT_EQ(quiz->GetResearchPage(3), 32);
    EXPECT_EQ(quiz->GetResearchPage(0), JxCQuizInf::kNoPage);
    EXPECT_EQ(quiz->GetResearchPage(4), JxCQuizInf::kNoPage);

    // A user at level 3 has no questions left; level 3 must not run into the
    // next topic's first level.
    EXPECT_TRUE(quiz->SelectQuestion(0, 3).IsEmpty());
    EXPECT_EQ(quiz->GetCurrentQuestion(), nullptr);
    EXPECT_EQ(quiz->GetResearchPage(1), JxCQuizInf::kNoPage);
    EXPECT_TRUE(quiz->SelectQuestion(5, 0).IsEmpty());
    EXPECT_TRUE(quiz->SelectQuestion(-1, 0).IsEmpty());
    EXPECT_TRUE(quiz->GetQuestionText(3, 3, 0).IsEmpty());

    // A topic past the tables is no topic.
    EXPECT_TRUE(quiz->SetTopic(22));
    EXPECT_EQ(quiz->GetTopic(), -1);
    EXPECT_TRUE(quiz->SelectQuestion(0, 0).IsEmpty());
    EXPECT_FALSE(quiz->SetTopic(-1));
    EXPECT_FALSE(quiz->SetTopic(-7));
    EXPECT_TRUE(quiz->SelectQuestion(0, 0).IsEmpty());
}

TEST(QuizInf, AnswerPartsAreTheStoredAlternativesUpToTheTenth)
{
    testkit::QuizQuestions data;
    data.at(0, 0, 0).answers(" Gear ,, Wheel+Axle , x-ray");
    data.at(0, 0, 1).answers("a,b,c,d,e,f,g,h,i,j,k");
    auto quiz = readQuiz(data.Bytes());

    EXPECT_EQ(quiz->GetAnswerPart(0, 0, 0, 0), " Gear ");
    EXPECT_TRUE(quiz->GetAnswerPart(0, 0, 0, 1).IsEmpty());
    EXPECT_EQ(quiz->GetAnswerPart(0, 0, 0, 2), " Wheel+Axle ");
    EXPECT_EQ(quiz->GetAnswerPart(0, 0, 0, 3), " x-ray");
    EXPECT_TRUE(quiz->GetAnswerPart(0, 0, 0, 4).IsEmpty());
    EXPECT_TRUE(quiz->GetAnswerPart(0, 0, 0, -1).IsEmpty());

    EXPECT_EQ(quiz->GetAnswerPart(0, 0, 1, 9), "j");
    EXPECT_TRUE(quiz->GetAnswerPart(0, 0, 1, 10).IsEmpty());
    EXPECT_TRUE(quiz->GetAnswerPart(3, 0, 1, 0).IsEmpty());
    EXPECT_TRUE(quiz->GetAnswerPart(0, 22, 1, 0).IsEmpty());
}

TEST(QuizInf, TopicTablesAndLevelWordsGiveAnEmptyTextOutsideTheTables)
{
    EXPECT_STREQ(JxCQuizInf::TopicTitleBitmap(0), "CamCranb");
    EXPECT_STREQ(JxCQuizInf::TopicTitleBitmap(21), "Wheelsb");
    EXPECT_STREQ(JxCQuizInf::TopicShortName(10), "Leve");
    EXPECT_STREQ(JxCQuizInf::TopicShortName(21), "Whee");
    EXPECT_STREQ(JxCQuizInf::TopicPicture(12), "Magnetsm");
    EXPECT_STREQ(JxCQuizInf::TopicPicture(21), "Wheels");
    for (int outside : {-1, 22}) {
        EXPECT_STREQ(JxCQuizInf::TopicTitleBitmap(outside), "");
        EXPECT_STREQ(JxCQuizInf::TopicShortName(outside), "");
        EXPECT_STREQ(JxCQuizInf::TopicPicture(outside), "");
    }
    EXPECT_STREQ(JxCQuizInf::LevelWord(0), "mas");
    EXPECT_STREQ(JxCQuizInf::LevelWord(1), "exp");
    EXPECT_STREQ(JxCQuizInf::LevelWord(2), "gen");
    EXPECT_STREQ(JxCQuizInf::LevelWord(3), "gen");
    EXPECT_STREQ(JxCQuizInf::LevelWord(-1), "");
}

}  // namespace
