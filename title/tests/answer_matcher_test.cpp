#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "foundation/JxCInStrStream.h"
#include "foundation/tests/reporting_fixture.h"
#include "testkit/quiz_questions.h"
#include "testkit/title_folder.h"
#include "testkit/word_data.h"
#include "title/JxCAnswerMatcher.h"
#include "title/JxCQuizInf.h"
#include "title/JxCQuizWords.h"

namespace {

using plat::testing::TempConfig;

struct Result {
    int result;
    std::int32_t value;
};

// The program's own strings beside the program, so that the separators and
// the tolerated word are the ones the program ships with.
class AnswerMatcherTest : public ReportingTest {
protected:
    void SetUp() override
    {
        ReportingTest::SetUp();
        programStrings(TempConfig::readFile(std::string(KELBO_SOURCE_DIR) +
                                            "/resources/kelbo32.resources/strings.txt"));
    }
    std::string wordFilePath() const { return config.program() + "/WordData.dat"; }
    void wordFile(const testkit::WordData& words) const { testkit::WriteHostFile(wordFilePath(), words.Bytes()); }

    static Result check(JxCAnswerMatcher& matcher, const char* answers, const char* typed)
    {
        matcher.SetAnswerList(answers);
        Result r{0, 0};
        r.result = matcher.CheckAnswer(typed, r.value);
        return r;
    }
    static Result check(const char* answers, const char* typed)
    {
        JxCAnswerMatcher matcher;
        return check(matcher, answers, typed);
    }
};

TEST_F(AnswerMatcherTest, TheProgramsSeparatorsNeverSplitAlternativesOrTheirParts)
{
    JxCAnswerMatcher matcher;
    matcher.SetAnswerList("x");
    const JxCQuizWords* words = JxCQuizWords::Current();
    ASSERT_NE(words, nullptr);
    EXPECT_TRUE(words->IsSeparator(' '));
    EXPECT_TRUE(words->IsSeparator('.'));
    EXPECT_TRUE(words->IsSeparator(','));
    EXPECT_FALSE(words->IsSeparator('+'));
    EXPECT_FALSE(words->IsSeparator('\0'));
    EXPECT_FALSE(words->GetToleratedWord().IsEmpty());
}

TEST_F(AnswerMatcherTest, ACommaTypedBetweenOrAfterTheWordsKeepsARightAnswerRight)
{
    for (const char* typed : {"wheel, axle", "axle,wheel", "wheel and axle,"}) {
        const Result r = check("gear,wheel+axle", typed);
        EXPECT_EQ(r.result, 1) << typed;
        EXPECT_EQ(r.value, 1) << typed;
    }
    EXPECT_EQ(check("lever", "lever,").result, 1);
    EXPECT_EQ(check("lever", "Lever.").result, 1);
}

TEST_F(AnswerMatcherTest, WordSetsAndPhrasesOverTheWordFile)
{
    wordFile(testkit::SampleWordData());
    // Parts in any order with a conjunction among them; the second
    // alternative matched.
    Result r = check("gear,wheel+axle", "axle and wheel");
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(r.value, 1);
    r = check("lever", "the lever");
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(r.value, 0);
    // The longest phrase wins: "i think it is" goes whole, "probably" too.
    EXPECT_EQ(check("lever", "I think it is a lever probably").result, 1);
    EXPECT_EQ(check("lever", "um... the lever!").result, 1);
    // A negation anywhere makes the answer wrong, even before a right one.
    EXPECT_EQ(check("lever", "not the lever").result, 0);
    EXPECT_EQ(check("lever", "the lever never").result, 0);
    // A word that is neither a part nor a conjunction spoils a set.
    EXPECT_EQ(check("wheel+axle", "axle big wheel").result, 0);
    EXPECT_EQ(check("wheel+axle", "axle").result, 0);
    // A word may serve several parts, and a part may be typed twice.
    EXPECT_EQ(check("wheel+wheel", "wheel").result, 1);
    EXPECT_EQ(check("wheel+axle", "wheel axle wheel").result, 1);
    // Only removable words, or only separators, leave nothing to match.
    EXPECT_EQ(check("lever", "the").result, 0);
    EXPECT_EQ(check("lever", " ..!? ").result, 0);
}

TEST_F(AnswerMatcherTest, SubstitutionsCountOneForTheFirstListAndTwoForTheSecond)
{
    wordFile(testkit::SampleWordData());
    EXPECT_EQ(check("lever", "levers").result, 1);
    EXPECT_EQ(check("spring", "coils").result, 2);
    // The passes build on each other: "cog" becomes "gear" through the first
    // list, then "wheel" through the second.
    EXPECT_EQ(check("wheel", "cog").result, 2);
    EXPECT_EQ(check("gear", "cog").result, 1);
    // Substitution happens word by word, inside sets too.
    Result r = check("pin,spring+lever", "levers and coil");
    EXPECT_EQ(r.result, 2);
    EXPECT_EQ(r.value, 1);
    EXPECT_EQ(check("spring", "rubber").result, 0);
}

TEST_F(AnswerMatcherTest, CapitalsNeverMatter)
{
    wordFile(testkit::SampleWordData());
    EXPECT_EQ(check("Lever", "THE LEVER").result, 1);
    EXPECT_EQ(check("wheel+AXLE", "Axle AND Wheel").result, 1);
    EXPECT_EQ(check("spring", "COIL").result, 2);
    EXPECT_EQ(check("lever", "NOT the lever").result, 0);
    EXPECT_EQ(check("x", "VeXoR").result, 1);
}

TEST_F(AnswerMatcherTest, WithoutTheWordFileOnlyEqualWordsAndWholeSetsMatch)
{
    ASSERT_FALSE(std::filesystem::exists(wordFilePath()));
    EXPECT_EQ(check("lever", "lever").result, 1);
    EXPECT_EQ(check("lever", "the lever").result, 0);
    EXPECT_EQ(check("lever", "levers").result, 0);
    EXPECT_EQ(check("wheel+axle", "axle wheel").result, 1);
    EXPECT_EQ(check("wheel+axle", "axle and wheel").result, 1);  // the tolerated word
    EXPECT_EQ(check("wheel+axle", "axle or wheel").result, 0);
    EXPECT_EQ(check("lever", "not lever").result, 0);
    // No file is no fault: the lists count as loaded, empty.
    JxCAnswerMatcher matcher;
    matcher.SetAnswerList("x");
    EXPECT_TRUE(JxCQuizWords::Current()->IsLoaded());
    EXPECT_EQ(JxCQuizWords::Current()->GetCategories().GetCount(), 0);
}

TEST_F(AnswerMatcherTest, SixteenWordsAreStoredAndASeventeenthMakesTheAnswerWrong)
{
    wordFile(testkit::SampleWordData());
    std::string sixteen;
    for (int i = 0; i < 15; ++i)
        sixteen += "the ";
    sixteen += "lever";
    JxCAnswerMatcher matcher;
    EXPECT_EQ(check(matcher, "lever", sixteen.c_str()).result, 1);
    EXPECT_EQ(check(matcher, "lever", ("the " + sixteen).c_str()).result, 0);
    EXPECT_TRUE(matcher.GetWords().empty());
    // Separators around the words do not count as words.
    EXPECT_EQ(check(matcher, "lever", ("  " + sixteen + " .. ").c_str()).result, 1);
}

TEST_F(AnswerMatcherTest, EveryPartOfASetIsCheckedHoweverShortTheFirst)
{
    wordFile(testkit::SampleWordData());
    EXPECT_EQ(check("x+ray", "and").result, 0);
    EXPECT_EQ(check("x+ray", "ray").result, 0);
    EXPECT_EQ(check("x+ray", "x ray").result, 1);
    // The hyphen separates words, in the list and in the typed text alike.
    EXPECT_EQ(check("x-ray", "X-Ray").result, 1);
    EXPECT_EQ(check("x-ray", "x ray").result, 1);
}

TEST_F(AnswerMatcherTest, ShortCutEmptyTextAndEmptyList)
{
    wordFile(testkit::SampleWordData());
    Result r = check("gear,wheel", "vexor");
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(r.value, 0);
    // Only on its own.
    EXPECT_EQ(check("gear", "vexor gear").result, 0);
    EXPECT_EQ(check("gear", "vexor.").result, 0);
    EXPECT_EQ(check("vexor", "").result, 0);
    // A question without accepted answers takes any answer but none.
    EXPECT_EQ(check("", "anything at all").result, 1);
    EXPECT_EQ(check("", "").result, 0);
}

TEST_F(AnswerMatcherTest, TheListIsNormalisedAndItsValuesNameTheStoredAlternatives)
{
    JxCAnswerMatcher matcher;
    matcher.SetAnswerList("  Gear ,,  Wheel + Axle;Pin , X-ray. ");
    EXPECT_EQ(std::string(matcher.GetAnswerList().View()), "gear,,wheel+axle pin,x ray");

    const char* stored = " Gear ,, Wheel+Axle , x-ray";
    testkit::QuizQuestions data;
    data.at(0, 4, 2).answers(stored);
    const std::vector<std::uint8_t> bytes = data.Bytes();
    JxCInStrStream in(JxMemoryBlock{bytes.data(), std::uint32_t(bytes.size())});
    JxCQuizInf quiz;
    ASSERT_EQ(quiz.Read(in), 1);
    struct Case {
        const char* typed;
        std::int32_t value;
        const char* stored;
    };
    for (const Case& c : {Case{"gear", 0, " Gear "}, Case{"axle wheel", 2, " Wheel+Axle "},
                          Case{"X ray", 3, " x-ray"}}) {
        Result r = check(matcher, stored, c.typed);
        EXPECT_EQ(r.result, 1) << c.typed;
        EXPECT_EQ(r.value, c.value) << c.typed;
        // What the record keeps names the alternative the user typed.
        EXPECT_EQ(quiz.GetAnswerPart(0, 4, 2, r.value), c.stored) << c.typed;
    }
    // Past the tenth alternative a match still counts on.
    Result r = check(matcher, "a,b,c,d,e,f,g,h,i,j,k,l", "l");
    EXPECT_EQ(r.value, 11);
}

TEST_F(AnswerMatcherTest, TheWordsAreSharedLoadedOnceAndFreedWithTheLastMatcher)
{
    EXPECT_EQ(JxCQuizWords::Current(), nullptr);
    wordFile(testkit::SampleWordData());
    {
        JxCAnswerMatcher first;
        JxCAnswerMatcher second;
        EXPECT_FALSE(JxCQuizWords::Current()->IsLoaded());
        first.SetAnswerList("lever");
        // The file changes, but the loaded lists stay until nobody uses them.
        wordFile(testkit::WordData{});
        EXPECT_EQ(check(second, "lever", "the lever").result, 1);
    }
    EXPECT_EQ(JxCQuizWords::Current(), nullptr);
    EXPECT_EQ(check("lever", "the lever").result, 0);
}

TEST_F(AnswerMatcherTest, AFileThatCannotBeOpenedIsTriedAgainWithTheNextList)
{
    std::filesystem::create_directories(wordFilePath());
    JxCAnswerMatcher matcher;
    EXPECT_EQ(check(matcher, "lever", "the lever").result, 0);
    EXPECT_FALSE(JxCQuizWords::Current()->IsLoaded());
    std::filesystem::remove(wordFilePath());
    wordFile(testkit::SampleWordData());
    EXPECT_EQ(check(matcher, "lever", "the lever").result, 1);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(AnswerMatcherTest, ADamagedFileKeepsTheWholeItemsAndStaysQuiet)
{
    testkit::WordData words = testkit::SampleWordData();
    words.categories = {"DET:the", "NEG:not"};
    words.claimedCategoryCount = 1000000;
    wordFile(words);
    EXPECT_EQ(check("lever", "the lever").result, 1);
    EXPECT_EQ(check("lever", "not lever").result, 0);
    // The lists after the cut are empty.
    EXPECT_EQ(check("lever", "levers").result, 0);
    EXPECT_EQ(JxCQuizWords::Current(), nullptr);

    std::vector<std::uint8_t> cut = testkit::SampleWordData().Bytes();
    cut.resize(13);  // inside the first item
    testkit::WriteHostFile(wordFilePath(), cut);
    EXPECT_EQ(check("lever", "the lever").result, 0);
    EXPECT_EQ(check("lever", "lever").result, 1);
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
