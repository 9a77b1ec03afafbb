// The sample title's logbook reached from the login through the welcome
// page's links: its visited counter grows as the user visits pages, and the
// welcome page left alone plays its chime on the virtual clock.

#include <gtest/gtest.h>

#include "tests/sample_run_fixture.h"
#include "title/widgets/JxProgressDisplays.h"

namespace {

// The chime, mono: half a second.
constexpr std::size_t kChimeSamples = 22050 / 2;
// The welcome picture's rust block, and the contents picture's teal block,
// in the content panel.
constexpr plat::POINT kRustBlock{100, 110};
constexpr plat::POINT kTealBlock{150, 110};

class LogbookRunTest : public SampleRunTest {
protected:
    // The logbook's visited counter as it shows, or -1 while it is not open.
    static std::int32_t visitedShown()
    {
        JxCPageObject* logbook = page(testkit::kSampleLogbookPage);
        JxCPanelObject* panel = logbook ? logbook->GetPanelList()->FindById(2) : nullptr;
        JxCDisplayObjectList* objects = panel ? &panel->GetDisplayObjects() : nullptr;
        for (JxCDisplayObject* o = objects ? objects->GetFirst() : nullptr; o; o = objects->GetNext(o))
            if (auto* count = dynamic_cast<JxCVisitedCount*>(o))
                return count->GetValue();
        return -1;
    }

    // The logbook opened from the welcome page, its counter read, and home.
    void readTheLogbook(std::vector<std::int32_t>& seen)
    {
        script.waitFor("the welcome page's logbook link", [this] { return showsLink(testkit::kSampleLogbookLink); });
        script.pause(kLook);
        script.then("the logbook link", [] { return true; }, [this] { clickContent(testkit::kSampleLogbookLink); });
        script.then("the logbook", [this] { return showsLink(testkit::kSampleHomeLink); }, [&seen] { seen.push_back(visitedShown()); });
        script.pause(kLook);
        script.then("the logbook's home link", [] { return true; }, [this] { clickContent(testkit::kSampleHomeLink); });
    }
    // A page through the welcome picture's rust block, and back.
    void visitTheContentsPage()
    {
        script.waitFor("the welcome page", [this] { return showsLink(testkit::kSampleQuizLink); });
        script.pause(kLook);
        script.then("the rust block", [] { return true; }, [this] { clickContent(kRustBlock.x, kRustBlock.y); });
        script.waitFor("the contents page", [this] {
            return isCurrent(2) && colourAt(main, kTealBlock.x, 60 + kTealBlock.y) == paletteColour(testkit::kSampleTeal);
        });
        script.pause(kLook);
        script.then("the teal block", [] { return true; }, [this] { clickContent(kTealBlock.x, kTealBlock.y); });
    }
    int chimes()
    {
        int heard = 0;
        for (const auto& sound : audio->takeSounds())
            heard += sound.samples.size() == kChimeSamples;
        return heard;
    }
};

TEST_F(LogbookRunTest, TheVisitedCounterGrowsAsTheUserVisitsPages)
{
    std::vector<std::int32_t> seen;
    logInAsNewUser("Lee");
    readTheLogbook(seen);
    visitTheContentsPage();
    readTheLogbook(seen);
    script.waitFor("the welcome page again", [this] { return showsLink(testkit::kSampleQuizLink); });
    runScript();

    ASSERT_FALSE(script.failed()) << script.failure() << " (after " << script.taken() << " steps; " << pagesAtTheEnd << ")";
    // Six pages in the index. The counter counts as the logbook opens:
    // first the welcome page, then the logbook's first visit and the
    // contents page too.
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], 1 * 100 / 6);
    EXPECT_EQ(seen[1], 3 * 100 / 6);
}

TEST_F(LogbookRunTest, TheWelcomePageLeftAlonePlaysItsChime)
{
    logInAsNewUser("Lee");
    std::uint64_t since = 0;
    int heard = 0;
    bool stillWelcome = false;
    script.then("the welcome page drawn", [this] { return showsLink(testkit::kSampleQuizLink); }, [&] {
        chimes();  // what played before
        since = harness->now();
    });
    // Within half a minute, before the idle page asks whether anyone is
    // still there.
    script.waitFor("a chime", [&] {
        stillWelcome = isCurrent(testkit::kSampleWelcomePage);
        return (heard = chimes()) > 0;
    });
    runScript();

    ASSERT_FALSE(script.failed()) << script.failure() << " (after " << script.taken() << " steps; " << pagesAtTheEnd << ")";
    EXPECT_EQ(heard, 1);
    EXPECT_LE(harness->now() - since, 31000u);
    EXPECT_TRUE(stillWelcome);
}

}  // namespace
