// The sample title run whole and headless, for what keeps a user's
// progress: each answer and newly visited page is in the user's file while
// the program still runs (so that a run killed there keeps it), and a disc
// that fills during the session is shown, with Retry saving the session
// once it has room again.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#include "objects/widgets/JxCParaText.h"
#include "platform/fs/atomic_file.h"
#include "testkit/user_file.h"
#include "tests/sample_run_fixture.h"
#include "title/JxCProductData.h"
#include "title/JxCQuizPage.h"
#include "title/JxCQuizPanel.h"
#include "title/JxCUserRecord.h"

namespace {

constexpr std::uint32_t kQuizPage = 61;
constexpr std::uint32_t kRightPage = 63;
// Where a click picks the first topic on the topics page (client point).
constexpr plat::POINT kFirstTopic{28, 88};
// The quiz page's answer field, in its window.
constexpr plat::POINT kAnswerField{140, 91};

class ProgressRunTest : public SampleRunTest {
protected:
    void TearDown() override
    {
        plat::SetWriteFaultHook({});
        SampleRunTest::TearDown();
    }

    // The user's file as it lies on the disc now: its answer to question q
    // of topic 0 at level 0 (-1 when none) and its visited marks.
    struct OnDisc {
        std::int32_t answer = -1;
        std::vector<std::uint16_t> visited;
    };
    OnDisc onDisc(const std::string& name) const
    {
        const std::string bytes = userFile("jx0.Gv3");
        OnDisc seen;
        const std::size_t slots = 2 + name.size() + 4;
        const std::size_t marks = slots + testkit::UserFile::kSlots * 4;
        if (bytes.size() < marks + testkit::UserFile::kPages * 2)
            return seen;
        auto word = [&](std::size_t at) { return std::uint16_t(std::uint8_t(bytes[at]) << 8 | std::uint8_t(bytes[at + 1])); };
        if (word(slots) == 1)
            seen.answer = std::int16_t(word(slots + 2));
        for (int page = 0; page < testkit::UserFile::kPages; ++page)
            seen.visited.push_back(word(marks + std::size_t(page) * 2));
        return seen;
    }
    // The logged-in user's visited marks as the program holds them.
    static std::vector<std::uint16_t> visitedInMemory()
    {
        std::vector<std::uint16_t> marks;
        const JxCUserRecord* record = GetTitleData() ? GetTitleData()->GetUserRecord() : nullptr;
        for (int page = 0; record && page < testkit::UserFile::kPages; ++page)
            marks.push_back(record->IsVisited(page));
        return marks;
    }

    void toTheQuiz()
    {
        script.then("the welcome page's quiz link", [this] { return showsLink(testkit::kSampleQuizLink); },
                    [this] { clickContent(testkit::kSampleQuizLink); });
        script.waitFor("the quiz page over the topics page", [] { return page(kQuizPage) && page(testkit::kSampleTopicsPage); });
        script.pause(kLook);
    }
};

TEST_F(ProgressRunTest, AnAnswerAndTheNewPagesAreInTheFileWhileTheProgramRuns)
{
    logInAsNewUser("Kit");
    toTheQuiz();
    OnDisc beforeAnswer;
    script.then("the topics page", [] { return true; }, [&, this] {
        beforeAnswer = onDisc("Kit");
        harness->click(onScreen(main, kFirstTopic.x, kFirstTopic.y));
    });
    script.then("the first question", [] {
        auto* quiz = dynamic_cast<JxCQuizPage*>(page(kQuizPage));
        JxCQuizPanel* panel = quiz ? quiz->GetQuizPanel() : nullptr;
        JxCParaText* question = panel ? panel->GetQuestionDisplay() : nullptr;
        return question && question->GetTextLength() > 0 && panel->GetAnswerField();
    }, [this] {
        const plat::RECT r = screenRect(page(kQuizPage));
        harness->click({r.left + kAnswerField.x, r.top + kAnswerField.y});
        harness->typeText(testkit::SampleQuizAnswer(0));
        harness->tap(plat::VK_RETURN);
    });
    OnDisc afterAnswer;
    std::vector<std::uint16_t> held;
    script.then("the right answer's page", [] { return page(kRightPage) != nullptr; }, [&, this] {
        afterAnswer = onDisc("Kit");
        held = visitedInMemory();
    });
    runScript();
    ASSERT_FALSE(script.failed()) << script.failure() << " (after " << script.taken() << " steps; " << pagesAtTheEnd << ")";

    // Before any answer: the pages seen so far, already on the disc.
    EXPECT_EQ(beforeAnswer.answer, -1);
    ASSERT_FALSE(beforeAnswer.visited.empty());
    EXPECT_EQ(beforeAnswer.visited[0], 1) << "the welcome page";
    // The answer as soon as it was given, with every page the program
    // knew the user had seen.
    EXPECT_EQ(afterAnswer.answer, 0);
    EXPECT_EQ(afterAnswer.visited, held);
}

TEST_F(ProgressRunTest, AFullDiscIsShownAndRetryOnceItHasRoomSavesTheSession)
{
    std::vector<std::string> saveBoxes;
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        if (r.text.find("Your progress could not be saved in C:\\Users\\jx0.Gv3") == std::string::npos) {
            unexpected.push_back(r.text);
            return kAnswerOk;
        }
        saveBoxes.push_back(r.text);
        // Cancel to the first, during the session; the second comes as
        // the program ends, once the user has made room.
        if (saveBoxes.size() == 1)
            return kAnswerCancel;
        plat::SetWriteFaultHook({});
        return kAnswerRetry;
    });
    logInAsNewUser("Kit");
    script.then("the welcome page", [] { return true; }, [] {
        plat::SetWriteFaultHook([](const std::string& host, std::size_t) { return host.ends_with("jx0.Gv3") ? ENOSPC : 0; });
    });
    script.then("the welcome page's logbook link", [this] { return showsLink(testkit::kSampleLogbookLink); },
                [this] { clickContent(testkit::kSampleLogbookLink); });
    // Its visit's save fails; the box is answered and the change is over
    // before the user goes on (the box keeps the program's window from input).
    script.waitFor("the logbook, the box answered", [&] {
        return page(testkit::kSampleLogbookPage) && saveBoxes.size() == 1 && !GetProduct()->GetBusyBits();
    });
    std::vector<std::uint16_t> held;
    script.then("the end", [] { return true; }, [&] { held = visitedInMemory(); });
    runScript();
    ASSERT_FALSE(script.failed()) << script.failure() << " (after " << script.taken() << " steps; " << pagesAtTheEnd << ")";

    EXPECT_EQ(saveBoxes.size(), 2u) << "once when the disc filled, once more as the program ended";
    ASSERT_FALSE(held.empty());
    EXPECT_EQ(std::count(held.begin(), held.end(), 1), 2) << "the welcome page and the logbook";
    EXPECT_EQ(onDisc("Kit").visited, held);
}

}  // namespace
