// The sample title's whole quiz played by a user from the login, with
// clicks and keys only: every topic at each of the three levels, a wrong
// and a near answer on the way, the fanfare at each topic's end, a level's
// results page, then the finished page; the user's file read after the
// program ended.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "objects/widgets/JxCParaText.h"
#include "testkit/user_file.h"
#include "tests/sample_run_fixture.h"
#include "title/quiz/JxCQuizPage.h"
#include "title/quiz/JxCQuizPanel.h"
#include "title/users/JxCUserRecord.h"
#include "title/quiz/JxQuizState.h"

namespace {

// The sample quiz's pages.
constexpr std::uint32_t kQuizPage = 61;
constexpr std::uint32_t kRightPage = 63;
constexpr std::uint32_t kWrongPage = 64;
constexpr std::uint32_t kNearPage = 65;
constexpr std::uint32_t kResultsPage = 66;
constexpr std::uint32_t kFinishedPage = 67;
constexpr std::uint32_t kTopicDonePage = 68;
constexpr int kTopics = 22;
constexpr int kLevels = 3;
// The topics page's layout: the topics by columns of eight, each a line
// 180 by 24 to click, 206 apart across and 40 down, from (16, 16).
constexpr int kPerColumn = 8;
// The quiz page's answer field, in its window.
constexpr plat::POINT kAnswerField{140, 91};
// The quiz page's question text, in its window.
constexpr plat::POINT kQuestionText{150, 45};
// The quiz page's minimise button, in its window, and the topics page's
// button that brings a minimised quiz page back, in the content panel.
constexpr plat::POINT kMinimiseButton{270, 12};
constexpr plat::POINT kQuizBackButton{590, 332};
// The fanfare, mono: its four notes.
constexpr std::size_t kFanfareSamples = 3 * (22050 / 6) + 22050 / 2;

class QuizRunTest : public SampleRunTest {
protected:
    static JxCQuizPage* quizPage() { return dynamic_cast<JxCQuizPage*>(page(kQuizPage)); }
    static JxCQuizPanel* quizPanel() { return quizPage() ? quizPage()->GetQuizPanel() : nullptr; }

    // The question on the quiz page, as the user reads it ("... what is
    // part N?"): N - 1, or -1 while none shows.
    static int questionShown()
    {
        JxCQuizPanel* panel = quizPanel();
        JxCParaText* shown = panel ? panel->GetQuestionDisplay() : nullptr;
        const char* text = shown ? shown->GetTextBuffer() : nullptr;
        if (!text)
            return -1;
        const std::string question(text, std::size_t(shown->GetTextLength()));
        const std::size_t at = question.rfind("part ");
        return at == std::string::npos ? -1 : std::atoi(question.c_str() + at + 5) - 1;
    }

    // The client point to click for a topic on the topics page.
    static plat::POINT topicPoint(int topic)
    {
        return {16 + (topic / kPerColumn) * 206 + 12, 60 + 16 + (topic % kPerColumn) * 40 + 12};
    }

    // Drags the quiz page by its strip until its top left stands at the
    // client point.
    void dragQuizPage(plat::POINT to)
    {
        const plat::RECT r = screenRect(quizPage());
        const plat::POINT grip{r.left + 100, r.top + 10};
        const plat::POINT target = onScreen(main, to.x + 100, to.y + 10);
        harness->press(grip);
        harness->moveMouse({(grip.x + target.x) / 2, (grip.y + target.y) / 2});
        harness->moveMouse(target);
        harness->release(target);
    }

    // The quiz page is open, not under the point to click: moved aside as
    // the user would when it is.
    bool covers(JxCPageObject* page, plat::POINT client) const
    {
        const plat::POINT at = onScreen(main, client.x, client.y);
        const plat::RECT r = screenRect(page);
        return at.x >= r.left && at.x < r.right && at.y >= r.top && at.y < r.bottom;
    }
    void uncover(plat::POINT client)
    {
        if (!covers(quizPage(), client))
            return;
        const plat::POINT to = client.x >= 250 ? plat::POINT{0, 230} : plat::POINT{250, 230};
        ++drags;
        script.first("the quiz page moved", [this, client] { return !covers(quizPage(), client); }, [] {});
        dragQuizPage(to);
    }

    // The answer field emptied and the text typed in, then Enter.
    void answer(const std::string& text)
    {
        const plat::RECT r = screenRect(quizPage());
        harness->click({r.left + kAnswerField.x, r.top + kAnswerField.y});
        harness->tap(plat::VK_END);
        const std::size_t typed = quizPanel()->GetAnswerText().GetLength();
        for (std::size_t i = 0; i < typed; ++i)
            harness->tap(plat::VK_BACK);
        harness->typeText(text);
        harness->tap(plat::VK_RETURN);
    }

    // A notice page shows (after its fanfare, when it plays one): a click
    // on it closes it.
    void closeNotice(std::uint32_t id, const char* what)
    {
        script.then(std::string(what) + " shown", [id] { return page(id) && quietly(); }, [this, id] { clickPage(id); });
        script.waitFor(std::string(what) + " closed", [id] { return !page(id); });
    }

    // The quiz page minimised with its button, then brought back.
    void minimiseQuizPage()
    {
        script.then("the quiz page's minimise button", [] { return quizPage() != nullptr; }, [this] {
            const plat::RECT r = screenRect(quizPage());
            harness->click({r.left + kMinimiseButton.x, r.top + kMinimiseButton.y});
        });
        script.waitFor("the quiz page minimised", [] { return !quizPage(); });
        ensureQuizPage();
    }

    // The quiz page open, reopened as the user would when it is not: the
    // topics page through the welcome page's link, whose opening brings the
    // quiz page (or the quiz page brought back when it was minimised).
    void ensureQuizPage()
    {
        script.then("the quiz page or a way to it", [] { return true; }, [this] {
            if (quizPage())
                return;
            ++reopened;
            script.first("the quiz page open again", [] { return quizPage() != nullptr; }, [] {});
            if (page(testkit::kSampleTopicsPage)) {
                script.first("the topics page's button that brings it back", [] { return true; },
                             [this] { clickContent(kQuizBackButton.x, kQuizBackButton.y); });
            } else {
                script.first("the welcome page's quiz link", [this] { return showsLink(testkit::kSampleQuizLink); },
                             [this] { clickContent(testkit::kSampleQuizLink); });
            }
            script.pause(kLook, true);
        });
    }

    // One topic at the user's level: picked, its five questions answered
    // (with a wrong and a near answer before the first when asked), the
    // fanfare heard and the topic's or the level's page closed.
    void playTopic(int level, int topic, bool lastOfLevel, bool wrongAndNear)
    {
        ensureQuizPage();
        if (level == 1 && topic == 0)
            minimiseQuizPage();
        script.then(
            "the topics page under the quiz page", [] { return quizPage() && page(testkit::kSampleTopicsPage); },
            [this, topic] {
                const plat::POINT at = topicPoint(topic);
                uncover(at);
                script.first("the topic to click", [] { return true; }, [this, at] { harness->click(onScreen(main, at.x, at.y)); });
            });
        for (int q = 0; q < 5; ++q) {
            if (q == 0 && wrongAndNear) {
                script.then("the first question", [] { return questionShown() == 0; }, [this] { answer("banana"); });
                closeNotice(kWrongPage, "the wrong answer's page");
                script.then("the first question again", [] { return questionShown() == 0; },
                            [this] { answer(testkit::SampleQuizNearAnswer(0)); });
                closeNotice(kNearPage, "the near answer's page");
            }
            script.then("question " + std::to_string(q + 1) + " of topic " + std::to_string(topic) + " at level " +
                            std::to_string(level + 1),
                        [q] { return questionShown() == q && quizPanel()->GetAnswerField(); },
                        [this, q] { answer(testkit::SampleQuizAnswer(q)); });
            if (q < 4)
                closeNotice(kRightPage, "the right answer's page");
        }
        closeNotice(lastOfLevel ? kResultsPage : kTopicDonePage, lastOfLevel ? "the level's results" : "the topic's end");
    }

    // The answer field's text area on the screen, pixel by pixel.
    static std::vector<std::uint32_t> answerFieldPixels()
    {
        const plat::RECT r = screenRect(quizPage());
        std::vector<std::uint32_t> pixels;
        const plat::Screen& screen = plat::TheScreen();
        for (int y = r.top + 80; y < r.top + 102; ++y)
            for (int x = r.left + 12; x < r.left + 268; ++x)
                pixels.push_back(screen.pixels()[y * screen.stride() + x] & 0xFFFFFFu);
        return pixels;
    }

    int drags = 0;
    int reopened = 0;
};

// A wrong answer typed as soon as the topic is picked, its notice closed
// not by a click on it but by one on the quiz page (on the question, or
// straight into the answer field), as most people do: the answer field
// still hears the keyboard, shows what is typed, and Return judges it.
class NoticeClosedElsewhereTest : public QuizRunTest, public ::testing::WithParamInterface<plat::POINT> {};

TEST_P(NoticeClosedElsewhereTest, TheAnswerFieldStillTakesTheTypingAndReturn)
{
    const plat::POINT where = GetParam();
    std::vector<std::uint32_t> empty, wrong, retyped;
    std::string typed;
    logInAsNewUser("Quinn");
    script.then("the welcome page's quiz link", [this] { return showsLink(testkit::kSampleQuizLink); },
                [this] { clickContent(testkit::kSampleQuizLink); });
    script.then("the topics page under the quiz page", [] { return quizPage() && page(testkit::kSampleTopicsPage); },
                [this] {
                    uncover(topicPoint(0));
                    script.first("the first topic", [] { return true; },
                                 [this] { harness->click(onScreen(main, topicPoint(0).x, topicPoint(0).y)); });
                });
    script.then("the first question", [] { return questionShown() == 0; }, [&] {
        empty = answerFieldPixels();
        harness->typeText("gear");
        harness->tap(plat::VK_RETURN);
    });
    script.then("the wrong answer's page", [] { return page(kWrongPage) && quietly(); }, [&] {
        wrong = answerFieldPixels();
        const plat::RECT r = screenRect(quizPage());
        harness->click({r.left + where.x, r.top + where.y});
    });
    script.then("the wrong answer's page closed", [] { return !page(kWrongPage); }, [this] {
        harness->tap(plat::VK_END);
        for (int i = 0; i < 4; ++i)
            harness->tap(plat::VK_BACK);
        harness->typeText(testkit::SampleQuizAnswer(0));
    });
    script.pause(kLook);
    script.then("the answer typed", [] { return true; }, [&] {
        retyped = answerFieldPixels();
        typed = quizPanel()->GetAnswerText().View();
        harness->tap(plat::VK_RETURN);
    });
    script.waitFor("the right answer's page", [] { return page(kRightPage) != nullptr; });
    runScript();

    ASSERT_FALSE(script.failed()) << script.failure() << " (after " << script.taken() << " steps; " << pagesAtTheEnd << ")";
    EXPECT_NE(wrong, empty) << "the wrong answer never showed";
    EXPECT_EQ(typed, testkit::SampleQuizAnswer(0));
    EXPECT_NE(retyped, wrong) << "the field still shows the wrong answer";
    EXPECT_NE(retyped, empty);
}

INSTANTIATE_TEST_SUITE_P(ByAClickOnTheQuizPage, NoticeClosedElsewhereTest, ::testing::Values(kQuestionText, kAnswerField));

TEST_F(QuizRunTest, ANewUserPlaysTheWholeQuizFromTheLoginAndKeepsItAfterTheEnd)
{
    logInAsNewUser("Quinn");
    script.then("the welcome page's quiz link", [this] { return showsLink(testkit::kSampleQuizLink); },
                [this] { clickContent(testkit::kSampleQuizLink); });
    script.waitFor("the quiz page over the topics page", [] { return quizPage() && page(testkit::kSampleTopicsPage); });
    for (int level = 0; level < kLevels; ++level)
        for (int topic = 0; topic < kTopics; ++topic)
            playTopic(level, topic, topic + 1 == kTopics, level == 0 && topic == 0);
    // Every level done: the quiz page minimised and brought back opens the
    // finished page.
    minimiseQuizPage();
    closeNotice(kFinishedPage, "the finished page");
    runScript();

    ASSERT_FALSE(script.failed()) << script.failure() << " (after " << script.taken() << " steps; " << pagesAtTheEnd << ")";
    EXPECT_GT(drags, 0) << "the quiz page never stood in the way";
    EXPECT_GE(reopened, 2);
    int fanfares = 0;
    for (const auto& sound : audio->takeSounds())
        fanfares += sound.samples.size() == kFanfareSamples;
    EXPECT_EQ(fanfares, kLevels * kTopics);

    // The user's file, saved as the program ended: level 3, every answer
    // given with the first alternative.
    testkit::UserFile quinn;
    quinn.name = "Quinn";
    quinn.level = 3;
    for (int level = 0; level < kLevels; ++level)
        for (int topic = 0; topic < kTopics; ++topic)
            for (int q = 0; q < 5; ++q)
                quinn.answer(level, topic, q, 0);
    const std::vector<std::uint8_t> expected = quinn.Bytes();
    const std::string saved = userFile("jx0.Gv3");
    const std::size_t visitedAt = 2 + quinn.name.size() + 4 + testkit::UserFile::kSlots * 4;
    ASSERT_EQ(saved.size(), expected.size());
    EXPECT_TRUE(saved.compare(0, visitedAt, std::string(expected.begin(), expected.begin() + std::ptrdiff_t(visitedAt))) == 0);
}

}  // namespace
