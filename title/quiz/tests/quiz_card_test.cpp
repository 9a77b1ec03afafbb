// Question cards: a card's record and overlay, what a click on each card
// shows in its panel's question display and answer field (golden picture),
// the check of a typed answer and its record in the user's file, a user
// past the last level, and the select-card command.

#include "objects/widgets/JxCEditBox.h"
#include "objects/widgets/JxCParaText.h"
#include "platform/tests/golden.h"
#include "testkit/quiz_pages.h"
#include "testkit/title_panels.h"
#include "title/quiz/JxCQuizCard.h"
#include "title/quiz/JxCQuizWords.h"
#include "title/quiz/tests/quiz_fixture.h"

namespace title_test {
namespace {

constexpr std::uint16_t kCardsTemplate = 7;
constexpr std::int32_t kCardsPage = 20;
constexpr std::int16_t kCardTop = 200;

std::int16_t cardLeft(int c)
{
    return std::int16_t(20 + 120 * c);
}

class QuizCardTest : public QuizTest {
protected:
    void SetUp() override
    {
        QuizTest::SetUp();
        const testkit::Rgb paper = testkit::DistinctColours()[kQuizPaper];
        file.templateDef(kCardsTemplate, "BASE_PAGE").panel(1, "Display").size(640, 480).colour(paper[0], paper[1], paper[2]);
        testkit::PanelRecord panel(1);
        testkit::ParaText question;
        question.styleId = 2;
        panel.add(testkit::ParaTextRecord(question).id(1).rect(20, 20, 620, 80), file);
        panel.add(testkit::EditBoxRecord("field", "field", "", 1).id(2).rect(20, 100, 320, 124), file);
        // Card c asks question 4 - c, so that the cards' order is not the
        // questions'; its overlay is a tab beneath it.
        for (int c = 0; c < 5; ++c) {
            const std::int16_t left = cardLeft(c);
            panel.add(testkit::QuizCardRecord(file, "card" + std::to_string(c), std::int16_t(10 + c), std::int16_t(4 - c),
                                              "tab", {left, std::int16_t(kCardTop + 44), std::int16_t(left + 60),
                                                      std::int16_t(kCardTop + 52)})
                          .id(std::int16_t(10 + c))
                          .at(left, kCardTop),
                      file);
        }
        file.page(kCardsPage, kCardsTemplate).name("Cards").storedPanel("Display", testkit::TitlePanelBytes(panel));
    }
    JxCPanelObject& panel() { return *product().GetCurrentPage()->FindPanelById(1); }
    JxCQuizCard& card(int c) { return *dynamic_cast<JxCQuizCard*>(panel().FindObjectById(10 + c)); }
    std::string shownQuestion()
    {
        auto* para = dynamic_cast<JxCParaText*>(panel().FindObjectById(1));
        return para && para->GetTextBuffer() ? std::string(para->GetTextBuffer(), std::size_t(para->GetTextLength())) : "";
    }
    JxCEditBox& field() { return *dynamic_cast<JxCEditBox*>(panel().FindObjectById(2)); }
    std::string typed() { return std::string(field().GetText().View()); }
    void clickCard(int c)
    {
        // Far enough apart not to make a double click.
        harness.runFor(1000);
        harness.click({cardLeft(c) + 30, kCardTop + 20});
        harness.runUntilIdle();
    }
    // Opens the cards at the level with the topic and clicks one that has no
    // question to show.
    void expectNoQuestion(std::int32_t topic);
    void openCards(std::int16_t level, std::int32_t topic = 3)
    {
        readQuizTitle();
        logInAt(level);
        data().GetQuizInf()->SetTopic(topic);
        changeTo(kCardsPage);
        harness.runUntilIdle();
    }
};

TEST_F(QuizCardTest, ClickingEachCardShowsItsQuestionEmptiesTheFieldAndDrawsItsOverlay)
{
    openCards(1);
    for (int c = 0; c < 5; ++c) {
        SCOPED_TRACE(c);
        ASSERT_NE(panel().FindObjectById(10 + c), nullptr);
        EXPECT_EQ(card(c).GetCardId(), 10 + c);
        EXPECT_EQ(card(c).GetQuestionNumber(), 4 - c);
        ASSERT_NE(card(c).GetOverlay(), nullptr);
        EXPECT_EQ(card(c).IsCardActive(), false);
    }
    for (int c = 0; c < 5; ++c) {
        SCOPED_TRACE(c);
        field().SetText("left over", 1, 1);
        clickCard(c);
        EXPECT_EQ(shownQuestion(), "Electromagnets at level 2: what is part " + std::to_string(5 - c) + "?");
        EXPECT_EQ(typed(), "");
        for (int other = 0; other < 5; ++other)
            EXPECT_EQ(card(other).IsCardActive(), other == c);
        EXPECT_EQ(data().GetQuizInf()->GetCurrentIndex(), JxCQuizInf::QuestionIndex(1, 3, 4 - c));
    }
    // The last card clicked shows its overlay; the others none.
    EXPECT_EQ(plat::testing::CompareWithGolden(nullptr, "quiz_cards", "title/tests/golden"), "");
}

TEST_F(QuizCardTest, ACardKeepsWhatWasTypedForItWhileAnotherIsAnswered)
{
    openCards(0);
    clickCard(0);
    field().SetText("half an answer", 1, 1);
    clickCard(1);
    EXPECT_EQ(card(0).GetTypedAnswer().View(), "half an answer");
    EXPECT_EQ(typed(), "");
    // The select-card command brings the card it names forward, with what
    // was typed for it; a click would have cleared that.
    EXPECT_EQ(card(1).HandleCommand(JxCQuizCard::kSelectCardCommand, 10, 0, 0), 0);
    EXPECT_EQ(card(0).HandleCommand(JxCQuizCard::kSelectCardCommand, 10, 0, 0), 1);
    EXPECT_EQ(typed(), "half an answer");
    EXPECT_TRUE(card(0).IsCardActive());
    EXPECT_FALSE(card(1).IsCardActive());
}

TEST_F(QuizCardTest, ARightAnswerIsRecordedWithTheAlternativeItMatched)
{
    openCards(2);
    clickCard(1);  // question 3
    field().SetText("The FOURTH part", 1, 1);
    std::int32_t value = 0;
    ASSERT_EQ(card(1).Check(value), 1);
    EXPECT_EQ(value, 1);
    EXPECT_FALSE(card(1).IsAnswered());
    card(1).RecordAnswer(value);
    EXPECT_TRUE(card(1).IsAnswered());
    EXPECT_EQ(record().GetAnswer(2, 3, 3), 1);
    EXPECT_EQ(data().GetQuizInf()->GetAnswerPart(2, 3, 3, record().GetAnswer(2, 3, 3)).View(), "fourth part");
    // A wrong one changes nothing.
    clickCard(2);
    field().SetText("not part 3", 1, 1);
    value = 0;
    EXPECT_EQ(card(2).Check(value), 0);
    EXPECT_FALSE(card(2).IsAnswered());
    EXPECT_EQ(record().GetAnswer(2, 3, 2), -1);
}

TEST_F(QuizCardTest, AQuestionMarkedAnsweredIsAnsweredWhateverValueItKeeps)
{
    // A file may keep any value with an answer; one past 16 bits reads back
    // negative.
    readQuizTitle();
    logInAt(1, {{1, 3, 4, -1}, {1, 3, 3, -25536}});
    data().GetQuizInf()->SetTopic(3);
    changeTo(kCardsPage);
    harness.runUntilIdle();
    EXPECT_TRUE(card(0).IsAnswered());  // card c asks question 4 - c
    EXPECT_TRUE(card(1).IsAnswered());
    EXPECT_FALSE(card(2).IsAnswered());
    EXPECT_EQ(record().CountAnsweredOfTopic(1, 3), 2);
}

TEST_F(QuizCardTest, TheActiveCardOnceAnsweredGivesWayToTheNextUnansweredOne)
{
    openCards(0);
    clickCard(0);
    field().SetText("part 5", 1, 1);
    std::int32_t value = 0;
    ASSERT_EQ(card(0).Check(value), 1);
    card(0).RecordAnswer(value);
    // Card 1's question is answered already too.
    record().SetAnswer(0, 3, 3, 0);
    clickCard(0);
    EXPECT_FALSE(card(0).IsCardActive());
    EXPECT_TRUE(card(2).IsCardActive());
    EXPECT_EQ(shownQuestion(), "Electromagnets at level 1: what is part 3?");
    // The last card answered leaves the display and the field empty.
    for (int q : {0, 1, 2})
        record().SetAnswer(0, 3, q, 0);
    clickCard(2);
    EXPECT_EQ(shownQuestion(), "");
    EXPECT_EQ(typed(), "");
    for (int c = 0; c < 5; ++c)
        EXPECT_FALSE(card(c).IsCardActive());
}

// Each case reads the title into a product of its own: a second reading
// would leave the first case's page, the one the main window shows, drawing
// with styles that went with the first title.
void QuizCardTest::expectNoQuestion(std::int32_t topic)
{
    openCards(topic < 0 ? 1 : 3, topic);
    clickCard(2);
    EXPECT_EQ(shownQuestion(), "");
    EXPECT_TRUE(card(2).IsCardActive());
    EXPECT_FALSE(card(2).LoadQuestion());
    EXPECT_EQ(data().GetQuizInf()->GetCurrentQuestion(), nullptr);
    EXPECT_FALSE(card(2).IsAnswered());
    card(2).RecordAnswer(0);  // nowhere to go
    EXPECT_EQ(record().CountAnswered(0) + record().CountAnswered(1) + record().CountAnswered(2), 0);
    EXPECT_TRUE(reports->ids.empty());
}

TEST_F(QuizCardTest, PastTheLastLevelACardShowsNoQuestionAndNothingFails)
{
    expectNoQuestion(3);
}

TEST_F(QuizCardTest, WithoutATopicACardShowsNoQuestionAndNothingFails)
{
    expectNoQuestion(-1);
}

TEST_F(QuizCardTest, TheSharedWordsLiveWhileAnyCardDoesAndACardOutsideAPanelStillClicks)
{
    {
        JxCQuizCard one;
        one.Click();  // no panel to show anything in
        EXPECT_TRUE(one.IsCardActive());
        auto two = std::make_unique<JxCQuizCard>();
        ASSERT_NE(JxCQuizWords::Current(), nullptr);
        two.reset();
        EXPECT_NE(JxCQuizWords::Current(), nullptr);
    }
    EXPECT_EQ(JxCQuizWords::Current(), nullptr);
}

}  // namespace
}  // namespace title_test
