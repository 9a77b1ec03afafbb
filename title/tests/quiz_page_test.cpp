// The quiz pages: a whole quiz played from a new user (wrong and near
// answers on the way, the fanfare of every topic, the results and finished
// pages, the user's file at the end), the research button and minimising
// with the quiz coming back as it was, a topic already done, the quiz page's
// drag rows, and the topics panel's columns (golden picture).

#include <algorithm>

#include "objects/actions/JxCChangePageAction.h"
#include "objects/widgets/JxCButton.h"
#include "objects/widgets/JxCEditBox.h"
#include "platform/screen/screen.h"
#include "platform/tests/golden.h"
#include "testkit/quiz_pages.h"
#include "testkit/rollover_records.h"
#include "testkit/title_panels.h"
#include "title/JxCQTopicsPanel.h"
#include "title/JxCQuizCard.h"
#include "title/JxCGvStickyButton.h"
#include "title/JxCGv2GeneralPurposeAction.h"
#include "title/JxCNavPanel.h"
#include "title/JxCQuizPage.h"
#include "title/JxCQuizPageAction.h"
#include "title/JxCQuizPanel.h"
#include "title/JxQuizState.h"
#include "title/tests/quiz_fixture.h"

namespace title_test {
namespace {

// Counts the close-page actions that start.
class ClosedWatcher : public JxCNotifyRoot {
public:
    void PreNotify(JxCNotify*, JxCObject*) override { ++count; }
    int count = 0;
};

enum Page : std::uint32_t {
    kResearch = 2,
    kTopics = 60,
    kQuiz = 61,
    kRight = 63,
    kWrong = 64,
    kNear = 65,
    kResults = 66,
    kFinished = 67,
    kTopicDone = 68,
    kQuestions0 = 69,
    kQuestions1 = 70,
    kQuestions2 = 71,
};

constexpr std::uint16_t kTopicsTemplate = 10;
constexpr std::uint16_t kQuizTemplate = 11;
constexpr std::uint16_t kNoticeTemplate = 12;
constexpr std::uint16_t kQuestionsTemplate = 13;
constexpr std::int16_t kCardTop = 120;
constexpr std::size_t kFanfareSamples = 441;

class QuizPageTest : public QuizTest {
protected:
    void SetUp() override
    {
        QuizTest::SetUp();
        QuizSavedState() = JxQuizSavedState();
        for (int t = 0; t < JxCQuizInf::kTopicCount; ++t) {
            writePicture(std::string(JxCQuizInf::TopicPicture(t)) + ".dib", block(40, 30, std::uint8_t(100 + t)));
            writePicture(std::string(JxCQuizInf::TopicTitleBitmap(t)) + ".dib", block(80, 12, std::uint8_t(130 + t)));
        }
        writePicture("blank.dib", block(40, 30, kQuizPaper));
        writePicture("done.dib", block(12, 12, kOverlayColour));
        writePicture("button.dib", block(40, 16, 20));
        // "\quiz\fanfare" lies at the root of the title's data.
        const std::vector<std::uint8_t> wave =
            testkit::EncodeWave(testkit::Pcm16Sound(testkit::RampSamples(kFanfareSamples)));
        plat::testing::TempConfig::writeFile(config.program() + "/Data/quiz/fanfare.wav",
                                             std::string(wave.begin(), wave.end()));
        // Every question's answer is found on the research page; topic 0's
        // first question at level 0 also takes a near answer.
        for (int i = 0; i < testkit::QuizQuestions::kCount; ++i)
            title.quiz.record(i).research(kResearch);
        title.quiz.at(0, 0, 0).answers("part 1,spring");
        title.fields.quizReopenPage = kQuiz;
        title.fields.quizHomePage = 59;
        title.fields.testPage = kTopics;
        title.fields.finishedPage = kFinished;
        topicsPage(11);
        quizPage();
        for (std::uint32_t id : {kRight, kWrong, kNear, kResults, kFinished, kTopicDone})
            file.page(id, kNoticeTemplate);
        file.templateDef(kNoticeTemplate, "POPUP_PAGE").size(200, 100).panel(1, "Display").size(200, 100);
        questionPages();
        file.page(kResearch, 1).name("Research");
    }
    void topicsPage(std::int16_t perColumn)
    {
        const testkit::Rgb paper = testkit::DistinctColours()[kQuizPaper];
        file.templateDef(kTopicsTemplate, "BASE_PAGE").panel(1, "QTopicsPanel").size(640, 480).colour(paper[0], paper[1], paper[2]);
        testkit::TopicsLayout layout;
        layout.icon = "done";
        layout.iconTop = 20;
        layout.iconLeft = 20;
        layout.titleLeft = 16;
        layout.titleTop = 0;
        layout.horizontalSpacing = 150;
        layout.verticalSpacing = 20;
        layout.perColumn = perColumn;
        file.page(kTopics, kTopicsTemplate).name("Topics").storedPanel("QTopicsPanel",
                                                                       testkit::QTopicsPanelBytes(testkit::PanelRecord(1), layout, file));
    }
    void quizPage()
    {
        quizTemplate_ = &file.templateDef(kQuizTemplate, "QUIZ_PAGE").offset(100, 100);
        quizTemplate_->panel(1, "QuizPanel").size(379, 203).colour(250, 250, 250);
        testkit::PanelRecord panel(1);
        testkit::ParaText question;
        question.styleId = 2;
        panel.add(testkit::ParaTextRecord(question).id(1).rect(10, 30, 370, 60), file);
        panel.add(testkit::EditBoxRecord("field", "field", "", 1).id(2).rect(10, 70, 310, 94), file);
        const testkit::ButtonPictures pictures{"button", "button", "", 0, 0};
        panel.add(testkit::ButtonRecord(pictures, "StickyButton").id(3).rect(320, 70, 360, 86).on("on_click", {testkit::QuizPageAction(1)}), file);
        panel.add(testkit::ButtonRecord(pictures).id(4).rect(320, 2, 360, 18).on("on_click", {testkit::QuizPageAction(2)}), file);
        panel.add(testkit::ButtonRecord(pictures).id(5).rect(320, 180, 360, 196).on("on_click", {testkit::QuizPageAction(8)}), file);
        panel.add(testkit::BitmapRecord("blank").id(6).at(10, 150), file);
        for (int c = 0; c < 5; ++c) {
            const auto left = std::int16_t(60 + 50 * c);
            panel.add(testkit::QuizCardRecord(file, "card" + std::to_string(c), std::int16_t(20 + c), std::int16_t(c), "tab",
                                              {left, std::int16_t(kCardTop + 44), std::int16_t(left + 40), std::int16_t(kCardTop + 52)})
                          .id(std::int16_t(20 + c))
                          .z(std::int16_t(10 - c))
                          .at(left, kCardTop),
                      file);
        }
        testkit::QuizPanelTail tail;
        tail.right = kRight;
        tail.wrong = kWrong;
        tail.nearly = kNear;
        tail.results = kResults;
        tail.answerButton = 3;
        tail.researchButton = 4;
        tail.testButton = 5;
        tail.picture = 6;
        tail.questionPages = {kQuestions0, kQuestions1, kQuestions2};
        tail.completedPages.fill(kTopicDone);
        file.page(kQuiz, kQuizTemplate).name("Quiz").storedPanel("QuizPanel", testkit::QuizPanelBytes(panel, tail));
    }
    void questionPages()
    {
        file.templateDef(kQuestionsTemplate, "POPUP_PAGE").size(400, 300).panel(1, "QuestionPanel").size(400, 300);
        for (std::int16_t level = 0; level < 3; ++level) {
            testkit::PanelRecord panel(1);
            testkit::QuestionPanelTail tail;
            tail.level = level;
            testkit::ParaText text;
            text.styleId = 2;
            for (std::int16_t q = 0; q < 5; ++q) {
                tail.questionIds[std::size_t(q)] = std::int16_t(10 + q);
                tail.answerIds[std::size_t(q)] = std::int16_t(20 + q);
                panel.add(testkit::ParaTextRecord(text).id(std::int16_t(10 + q)).rect(0, std::int16_t(40 * q), 300, std::int16_t(40 * q + 20)), file);
                panel.add(testkit::ParaTextRecord(text).id(std::int16_t(20 + q)).rect(0, std::int16_t(40 * q + 20), 300, std::int16_t(40 * q + 40)), file);
            }
            file.page(std::uint32_t(kQuestions0 + level), kQuestionsTemplate)
                .storedPanel("QuestionPanel", testkit::QuestionPanelBytes(panel, tail));
        }
    }

    void start(std::int16_t level, const std::vector<std::array<std::int16_t, 4>>& answers = {})
    {
        readQuizTitle();
        logInAt(level, answers);
        changeTo(kTopics);
        harness.runUntilIdle();
        ASSERT_EQ(product().OpenPage(kQuiz, 0, 0, 1), 1);
        harness.runUntilIdle();
        ASSERT_NE(quizPage_(), nullptr);
    }
    JxCQuizPage* quizPage_() { return FindOpenQuizPage(); }
    JxCQuizPanel& panel() { return *quizPage_()->GetQuizPanel(); }
    bool isOpen(std::uint32_t id) { return product().FindPageById(std::int32_t(id)) != nullptr; }
    void post(std::int32_t code, std::int32_t topic = -1)
    {
        JxCQuizPageAction action;
        action.SetCode(code);
        action.SetTopic(topic);
        action.Post();
        harness.runUntilIdle();
    }
    // Types the answer for the front card and presses the answer button.
    void answer(const std::string& text)
    {
        panel().GetAnswerField()->SetText(text.c_str(), 1, 1);
        post(JxCQuizPageAction::kOk);
    }
    void close(std::uint32_t id)
    {
        if (JxCPageObject* page = product().FindPageById(std::int32_t(id)))
            product().RemovePage(page);
        harness.runUntilIdle();
    }
    std::size_t fanfares()
    {
        harness.runFor(200);  // the device closes once the sound ends
        std::size_t n = 0;
        for (const auto& sound : audio->takeSounds())
            n += sound.samples.size() / kFanfareSamples;
        return n;
    }
    JxCPoint quizPosition()
    {
        plat::RECT r{};
        plat::GetWindowRect(quizPage_()->GetWindow(), &r);
        return JxCPoint(std::int16_t(r.left), std::int16_t(r.top));
    }
    std::string typed() { return std::string(panel().GetAnswerField()->GetText().View()); }

    testkit::TemplateBuilder* quizTemplate_ = nullptr;
};

TEST_F(QuizPageTest, ANewUserPlaysTheWholeQuiz)
{
    start(0);
    EXPECT_EQ(panel().GetFrontCard()->IsCardActive(), true);
    EXPECT_EQ(panel().GetAnswerField()->TestStateFlags(JxCDisplayObject::kStateDisabled), 1);  // no topic yet
    std::size_t played = 0;
    for (std::int32_t level = 0; level < 3; ++level) {
        SCOPED_TRACE(level);
        for (std::int32_t topic = 0; topic < 22; ++topic) {
            SCOPED_TRACE(topic);
            post(JxCQuizPageAction::kSetTopic, topic);
            ASSERT_EQ(QuizInformation()->GetTopic(), topic);
            if (level == 0 && topic == 0) {
                answer("not part 1");
                EXPECT_TRUE(isOpen(kWrong));
                answer("coil");
                EXPECT_TRUE(isOpen(kNear));
                EXPECT_EQ(record().CountAnswered(0), 0);
                close(kWrong);
                close(kNear);
            }
            for (int q = 0; q < 5; ++q) {
                JxCQuizCard* front = panel().GetFrontCard();
                ASSERT_NE(front, nullptr);
                ASSERT_TRUE(front->IsCardActive());
                answer(testkit::SampleQuizAnswer(front->GetQuestionNumber()));
                EXPECT_EQ(record().GetAnswer(level, topic, front->GetQuestionNumber()), 0);
                if (q < 4) {
                    EXPECT_TRUE(isOpen(kRight));
                    close(kRight);
                }
            }
            played += fanfares();
            EXPECT_EQ(played, std::size_t(level * 22 + topic + 1));
            if (topic < 21) {
                EXPECT_TRUE(isOpen(kTopicDone));
                close(kTopicDone);
            }
        }
        EXPECT_TRUE(isOpen(kResults));
        EXPECT_EQ(record().GetLevel(), level + 1);
        EXPECT_EQ(data().GetCompletedLevel(), level);
        EXPECT_EQ(QuizInformation()->GetTopic(), -1);
        close(kResults);
    }
    EXPECT_EQ(played, 66u);
    // The next start of the quiz page shows the finished page.
    close(kQuiz);
    ASSERT_EQ(product().OpenPage(kQuiz, 0, 0, 1), 1);
    harness.runUntilIdle();
    EXPECT_TRUE(isOpen(kFinished));
    EXPECT_EQ(panel().GetFrontCard(), nullptr);
    // Leaving saves the user's file: level 3 and every answer.
    const JxCString fileName = record().GetFileName();
    logInAt(0);
    JxCUserRecord saved;
    ASSERT_EQ(saved.Load(fileName), 1);
    EXPECT_EQ(saved.GetLevel(), 3);
    for (std::int32_t level = 0; level < 3; ++level)
        EXPECT_EQ(saved.CountAnswered(level), 110);
}

TEST_F(QuizPageTest, ResearchMinimisesTheQuizWhichComesBackAsItWas)
{
    start(1);
    post(JxCQuizPageAction::kSetTopic, 3);
    JxCQuizCard& second = *panel().FindCard(22);
    harness.runFor(1000);
    harness.click({100 + 60 + 100 + 20, 100 + kCardTop + 20 + quizPage_()->GetCaptionHeight()});
    harness.runUntilIdle();
    ASSERT_EQ(panel().GetFrontCard(), &second);
    panel().GetAnswerField()->SetText("half typed", 1, 1);
    EXPECT_EQ(panel().GetResearchButton()->TestStateFlags(JxCDisplayObject::kStateDisabled), 0);
    post(JxCQuizPageAction::kResearch);
    EXPECT_EQ(product().GetFirstPage()->GetPageId(), std::int32_t(kResearch));
    ASSERT_NE(quizPage_(), nullptr);
    EXPECT_EQ(QuizInformation()->GetTopic(), 3);
    EXPECT_EQ(panel().GetFrontCard()->GetCardId(), 22);
    EXPECT_EQ(typed(), "half typed");
    EXPECT_EQ(quizPosition(), JxCPoint(5, 5));
    EXPECT_FALSE(QuizSavedState().minimised);
    // On the research page itself the research button has nothing to do.
    EXPECT_EQ(panel().GetResearchButton()->TestStateFlags(JxCDisplayObject::kStateDisabled), 1);

    // Minimise and restore keep the cards' answers at the saved position.
    quizPage_()->MoveTo(JxCPoint(120, 90));
    panel().BringToFront(*panel().FindCard(24));
    panel().GetAnswerField()->SetText("for the last", 1, 1);
    post(JxCQuizPageAction::kMinimise);
    EXPECT_EQ(quizPage_(), nullptr);
    EXPECT_TRUE(QuizSavedState().minimised);
    post(JxCQuizPageAction::kUnminimise);
    ASSERT_NE(quizPage_(), nullptr);
    EXPECT_EQ(quizPosition(), JxCPoint(120, 90));
    EXPECT_EQ(panel().GetFrontCard()->GetCardId(), 24);
    EXPECT_EQ(typed(), "for the last");
    EXPECT_EQ(panel().FindCard(22)->GetTypedAnswer().View(), "half typed");
    EXPECT_EQ(panel().GetAnswerField()->TestStateFlags(JxCDisplayObject::kStateDisabled), 0);
    // The answer typed before is ready to go in.
    EXPECT_EQ(panel().GetAnswerButton()->TestStateFlags(JxCDisplayObject::kStateDisabled), 0);
    // A position off the screen comes back on it.
    quizPage_()->MoveTo(JxCPoint(-50, 2000));
    plat::RECT r{};
    plat::GetWindowRect(quizPage_()->GetWindow(), &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.bottom, plat::GetSystemMetrics(plat::SM_CYSCREEN));
}

TEST_F(QuizPageTest, TheNavigationsResetStartsTheOpenQuizAgainToo)
{
    start(1, {{1, 3, 0, 0}});
    post(JxCQuizPageAction::kSetTopic, 3);
    QuizSavedState().topic = 3;
    QuizSavedState().frontCardId = 22;
    JxCGv2GeneralPurposeAction reset;
    reset.SetCode(24);
    EXPECT_EQ(reset.Execute(), 1);
    EXPECT_FALSE(record().HasStartedQuiz());
    EXPECT_EQ(record().GetLevel(), 0);
    EXPECT_EQ(QuizInformation()->GetTopic(), -1) << "the open quiz page has no topic";
    EXPECT_EQ(QuizSavedState().topic, -1);
    EXPECT_EQ(QuizSavedState().frontCardId, -1);
}

TEST_F(QuizPageTest, ATopicAlreadyDoneOpensTheResultsAndQuestionPages)
{
    std::vector<std::array<std::int16_t, 4>> done;
    for (std::int16_t q = 0; q < 5; ++q)
        done.push_back({1, 4, q, 0});
    start(1, done);
    post(JxCQuizPageAction::kSetTopic, 4);
    EXPECT_EQ(quizPage_(), nullptr);
    EXPECT_TRUE(QuizSavedState().minimised);
    EXPECT_TRUE(isOpen(kResults));
    EXPECT_TRUE(isOpen(kQuestions1));
    EXPECT_FALSE(isOpen(kQuestions0));
    EXPECT_EQ(QuizInformation()->GetTopic(), 4);
    // A topic outside the tables is none.
    QuizSavedState() = JxQuizSavedState();
    ASSERT_EQ(product().OpenPage(kQuiz, 0, 0, 1), 1);
    harness.runUntilIdle();
    ASSERT_NE(quizPage_(), nullptr);
    post(JxCQuizPageAction::kSetTopic, 22);
    EXPECT_EQ(QuizInformation()->GetTopic(), -1);
}

TEST_F(QuizPageTest, TheTopRowsDragThePageExceptOnButtons)
{
    start(0);
    const JxCPoint at = quizPosition();
    EXPECT_EQ(quizPage_()->GetWindowRect({at.x + 100, at.y + 10}), JxCPopupPageEx::kHitCaption);
    EXPECT_EQ(quizPage_()->GetWindowRect({at.x + 330, at.y + 10}), JxCPopupPageEx::kHitClient);  // research button
    EXPECT_EQ(quizPage_()->GetWindowRect({at.x + 100, at.y + 100}), JxCPopupPageEx::kHitClient);
    EXPECT_FALSE(quizPage_()->IsOpenedFromHome());
}

TEST_F(QuizPageTest, EnterInTheAnswerFieldSubmitsTheTypedAnswer)
{
    start(0);
    post(JxCQuizPageAction::kSetTopic, 5);
    EXPECT_EQ(panel().GetAnswerButton()->TestStateFlags(JxCDisplayObject::kStateDisabled), 1);  // nothing typed
    harness.typeText("part 1");
    harness.runUntilIdle();
    EXPECT_EQ(typed(), "part 1");
    EXPECT_EQ(panel().GetAnswerButton()->TestStateFlags(JxCDisplayObject::kStateDisabled), 0);
    harness.tap(plat::VK_RETURN);
    harness.runUntilIdle();
    EXPECT_EQ(record().GetAnswer(0, 5, 0), 0);
    EXPECT_TRUE(isOpen(kRight));
    EXPECT_EQ(panel().GetFrontCard()->GetQuestionNumber(), 1);
}

TEST_F(QuizPageTest, EnterPressesTheStickyAnswerButtonWhichComesUpForTheNextAnswer)
{
    start(0);
    post(JxCQuizPageAction::kSetTopic, 5);
    JxCGvStickyButton* sticky = panel().GetStickyButton();
    ASSERT_NE(sticky, nullptr);
    EXPECT_EQ(static_cast<JxCButton*>(sticky), panel().GetAnswerButton());
    for (std::int32_t q = 0; q < 2; ++q) {
        SCOPED_TRACE(q);
        harness.typeText(testkit::SampleQuizAnswer(q));
        harness.tap(plat::VK_RETURN);
        harness.runUntilIdle();
        EXPECT_EQ(record().GetAnswer(0, 5, q), 0);
        EXPECT_EQ(sticky->IsStuck(), 0);
        // Enter on the right-answer page closes it, and the typing goes
        // back to the quiz.
        ASSERT_TRUE(isOpen(kRight));
        harness.tap(plat::VK_RETURN);
        harness.runUntilIdle();
        ASSERT_FALSE(isOpen(kRight));
    }
    // Still down from a click whose answer has not gone in yet, the button
    // takes no Enter: the answer goes in once.
    harness.typeText(testkit::SampleQuizAnswer(2));
    harness.runUntilIdle();
    sticky->Press();
    ASSERT_EQ(sticky->IsStuck(), 1);
    harness.tap(plat::VK_RETURN);
    harness.runUntilIdle();
    EXPECT_EQ(record().CountAnswered(0), 2);
    EXPECT_FALSE(isOpen(kRight));
    post(JxCQuizPageAction::kOk);
    EXPECT_EQ(record().GetAnswer(0, 5, 2), 0);
    EXPECT_EQ(sticky->IsStuck(), 0);
}

// The quiz over pages with the navigation bar (its marker and the quiz's
// micon, which brings the quiz back) and the schoolhouse with its marker.
class QuizMinimiseTest : public QuizPageTest {
protected:
    static constexpr std::uint16_t kBarTemplate = 14;
    static constexpr std::uint32_t kHome = 59;
    static constexpr std::uint32_t kSchool = 72;
    static constexpr std::int16_t kBarTop = 420;
    static constexpr std::int16_t kSchoolMarker = 5;
    static constexpr std::int16_t kBarMarker = 10;
    static constexpr std::int16_t kMicon = 11;
    static constexpr std::uint8_t kMiconColour = 180;

    void SetUp() override
    {
        QuizPageTest::SetUp();
        // The quiz page stays open over page changes, above the others.
        quizTemplate_->pageWords[3] = 1;
        writePicture("micon.dib", block(32, 32, kMiconColour));
        writePicture("mark.dib", block(16, 16, 181));
        title.fields.schoolhouseMarkerId = std::uint16_t(kSchoolMarker);
        testkit::TemplateBuilder& t = file.templateDef(kBarTemplate, "BASE_PAGE");
        t.panel(1, "SchoolhousePanel").at(0, 0).size(640, kBarTop).colour(255, 255, 255);
        t.panel(2, "NavPanel").at(0, kBarTop).size(640, 60).colour(0, 0, 0);
        for (std::uint32_t id : {kHome, kSchool}) {
            testkit::PanelRecord school(1);
            school.add(testkit::BitmapRecord("mark").id(kSchoolMarker).at(500, 350), file);
            testkit::PanelRecord bar(2);
            bar.add(testkit::BitmapRecord("mark").id(kBarMarker).at(4, 10).visible(0), file);
            bar.add(testkit::MiconRecord(file, 5, {{"micon"}}).id(kMicon).rect(300, 10, 332, 42)
                        .on("on_click", {testkit::QuizPageAction(JxCQuizPageAction::kUnminimise)}),
                    file);
            testkit::NavBarIds ids;
            ids.marker = kBarMarker;
            file.page(id, kBarTemplate)
                .storedPanel("SchoolhousePanel", testkit::TitlePanelBytes(school))
                .storedPanel("NavPanel", testkit::NavPanelBytes(bar, ids));
        }
    }
    void changePage(std::uint32_t id)
    {
        JxCChangePageAction change;
        change.SetTarget(id, -1);
        change.Post();
        harness.runUntilIdle();
        ASSERT_EQ(product().GetFirstPage()->GetPageId(), std::int32_t(id));
    }
    JxCNavPanel& bar()
    {
        JxCNavPanel* found = JxCNavPanel::FindCurrentPageEntry();
        EXPECT_NE(found, nullptr);
        return *found;
    }
    JxCDisplayObject* schoolMarker()
    {
        JxCPanelObject* school = product().GetFirstPage()->FindPanelById(1);
        return school ? school->FindObjectById(kSchoolMarker) : nullptr;
    }
    // The colour on the screen in the middle of the micon's place.
    std::uint32_t miconPixel()
    {
        plat::POINT at{316, kBarTop + 26};
        plat::ClientToScreen(main, &at);
        const plat::Screen& screen = plat::TheScreen();
        return screen.pixels()[std::size_t(at.y) * std::size_t(screen.stride()) + std::size_t(at.x)] & 0xFFFFFF;
    }
    static std::uint32_t miconColour()
    {
        const testkit::Rgb c = testkit::DistinctColours()[kMiconColour];
        return std::uint32_t(c[0]) << 16 | std::uint32_t(c[1]) << 8 | c[2];
    }
    static constexpr std::uint32_t kBarColour = 0;
    void clickMicon()
    {
        plat::POINT at{316, kBarTop + 26};
        plat::ClientToScreen(main, &at);
        harness.click(at);
        harness.runUntilIdle();
    }
};

TEST_F(QuizMinimiseTest, AChangeOfThePageBeneathMinimisesTheQuizAndItsMiconBringsItBack)
{
    start(1);
    post(JxCQuizPageAction::kSetTopic, 3);
    quizPage_()->MoveTo(JxCPoint(150, 120));
    panel().GetAnswerField()->SetText("half typed", 1, 1);
    // A drag of the page is under way when the page beneath changes.
    plat::SetCapture(quizPage_()->GetWindow());
    changePage(kSchool);
    EXPECT_EQ(quizPage_(), nullptr);
    EXPECT_EQ(plat::GetCapture(), nullptr);
    const JxQuizSavedState& saved = QuizSavedState();
    EXPECT_TRUE(saved.minimised);
    EXPECT_EQ(saved.topic, 3);
    EXPECT_EQ(saved.position, JxCPoint(150, 120));
    // The bar shows the micon and the schoolhouse hides its marker.
    EXPECT_NE(bar().FindMicon(), nullptr);
    EXPECT_FALSE(bar().HoldsMicon());
    EXPECT_EQ(miconPixel(), miconColour());
    ASSERT_NE(schoolMarker(), nullptr);
    EXPECT_EQ(schoolMarker()->IsVisible(), 0);

    clickMicon();
    ASSERT_NE(quizPage_(), nullptr);
    EXPECT_FALSE(QuizSavedState().minimised);
    EXPECT_EQ(QuizInformation()->GetTopic(), 3);
    EXPECT_EQ(typed(), "half typed");
    EXPECT_EQ(quizPosition(), JxCPoint(150, 120));
    EXPECT_TRUE(bar().HoldsMicon());
    EXPECT_EQ(bar().FindMicon(), nullptr);
    EXPECT_EQ(miconPixel(), kBarColour);
    EXPECT_EQ(schoolMarker()->IsVisible(), 1);
    // Open-page stops update the research button and leave the quiz open.
    ASSERT_EQ(product().OpenPage(kWrong, 0, 0, 1), 1);
    harness.runUntilIdle();
    EXPECT_NE(quizPage_(), nullptr);
}

TEST_F(QuizMinimiseTest, OpenedFromTheHomePageTheQuizStaysWhenThePageBeneathChanges)
{
    readQuizTitle();
    logInAt(0);
    changeTo(std::int32_t(kHome));
    harness.runUntilIdle();
    QuizInformation()->SetTopic(2);
    ASSERT_EQ(product().OpenPage(kQuiz, 0, 0, 1), 1);
    harness.runUntilIdle();
    ASSERT_NE(quizPage_(), nullptr);
    EXPECT_TRUE(quizPage_()->IsOpenedFromHome());
    EXPECT_TRUE(bar().HoldsMicon());
    // The bar's marker tells that the quiz home page shows with the micon
    // held.
    EXPECT_EQ(bar().GetMarker()->IsVisible(), 1);
    changePage(kSchool);
    ASSERT_NE(quizPage_(), nullptr);
    EXPECT_FALSE(QuizSavedState().minimised);
    // The quiz holds the mouse (a press on the page) when a change of page
    // stops: it lets the mouse go.
    quizPage_()->SetCapturePanel(&panel());
    ASSERT_EQ(plat::GetCapture(), quizPage_()->GetWindow());
    NotifyActionStopped(ActionTypeId(JxActionKeyword::CHANGEPAGE), 0, nullptr);
    ASSERT_NE(quizPage_(), nullptr);
    EXPECT_EQ(quizPage_()->GetCapturePanel(), nullptr);
    EXPECT_EQ(product().GetCapturePage(), nullptr);
    EXPECT_EQ(plat::GetCapture(), nullptr);
    EXPECT_EQ(QuizInformation()->GetTopic(), 2);
}

TEST_F(QuizMinimiseTest, TheQuizMinimisesOnceAndClosingItPutsTheMiconBack)
{
    start(0);
    post(JxCQuizPageAction::kSetTopic, 1);
    changePage(kSchool);
    post(JxCQuizPageAction::kUnminimise);
    ASSERT_NE(quizPage_(), nullptr);
    // The research button minimises and then sets the saved position; a
    // second minimise, or the stop of a page change before the first one's
    // close has run, must neither close again nor save over that position.
    ClosedWatcher closes;
    closes.AddObjectNotifyOnActionStart(ActionTypeId(JxActionKeyword::Closepage), 0, nullptr);
    JxCQuizPage* page = quizPage_();
    page->Minimise();
    QuizSavedState().position = JxCPoint(5, 5);
    page->MoveTo(JxCPoint(40, 30));
    page->Minimise();
    JxCChangePageAction change;
    change.SetTarget(kHome, -1);
    NotifyActionStopped(ActionTypeId(JxActionKeyword::CHANGEPAGE), 0, &change);
    harness.runUntilIdle();
    RemoveReceiverNotifies(&closes);
    EXPECT_EQ(closes.count, 1);
    EXPECT_EQ(quizPage_(), nullptr);
    EXPECT_EQ(QuizSavedState().position, JxCPoint(5, 5));
    changePage(kHome);

    post(JxCQuizPageAction::kUnminimise);
    ASSERT_NE(quizPage_(), nullptr);
    EXPECT_TRUE(bar().HoldsMicon());
    post(JxCQuizPageAction::kClose);
    EXPECT_EQ(quizPage_(), nullptr);
    EXPECT_FALSE(QuizSavedState().minimised);
    EXPECT_NE(bar().FindMicon(), nullptr);
    EXPECT_EQ(miconPixel(), miconColour());
}

class TopicsColumnsTest : public QuizPageTest {};

TEST_F(TopicsColumnsTest, TenTopicsAColumnPutTopicTenAtTheHeadOfTheSecond)
{
    topicsPage(10);
    readQuizTitle();
    std::vector<std::array<std::int16_t, 4>> done;
    for (std::int16_t topic : {0, 10, 21})
        for (std::int16_t q = 0; q < 5; ++q)
            done.push_back({2, topic, q, 1});
    logInAt(2, done);
    QuizInformation()->SetTopic(10);
    changeTo(kTopics);
    harness.runUntilIdle();
    auto* topics = dynamic_cast<JxCQTopicsPanel*>(product().GetCurrentPage()->FindPanelById(1));
    ASSERT_NE(topics, nullptr);
    EXPECT_EQ(topics->GetTopicRect(10).top, topics->GetTopicRect(0).top);
    EXPECT_EQ(topics->GetTopicRect(10).left, topics->GetTopicRect(0).left + 150);
    EXPECT_EQ(topics->GetTopicRect(9).top, topics->GetTopicRect(0).top + 9 * 20);
    EXPECT_TRUE(topics->IsTopicDone(10));
    EXPECT_FALSE(topics->IsTopicDone(11));
    EXPECT_EQ(plat::testing::CompareWithGolden(nullptr, "quiz_topics", "title/tests/golden"), "");
}

TEST_F(TopicsColumnsTest, NoTopicsAColumnCountsAsOne)
{
    topicsPage(0);
    readQuizTitle();
    changeTo(kTopics);
    auto* topics = dynamic_cast<JxCQTopicsPanel*>(product().GetCurrentPage()->FindPanelById(1));
    ASSERT_NE(topics, nullptr);
    EXPECT_EQ(topics->GetLayout().perColumn, 1);
    for (std::int32_t t = 1; t < 22; ++t) {
        EXPECT_EQ(topics->GetTopicRect(t).top, topics->GetTopicRect(0).top);
        EXPECT_EQ(topics->GetTopicRect(t).left, topics->GetTopicRect(0).left + 150 * t);
    }
    EXPECT_EQ(topics->TitlePosition(2).x, 2 * 151 + 20 + 16);
}

}  // namespace
}  // namespace title_test
