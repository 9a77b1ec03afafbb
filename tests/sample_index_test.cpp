// The sample title's index and visits pages, run whole and headless as a
// user would: a double click in the index opens the chosen page, the index
// opens again at the entry chosen, its sticky button stays pressed as it
// changes to the visits page, and the video hotspot there is set to play
// the movie over its screen and, clicked, leaves it at its end with no timer
// held. (What the movie shows where is the title widgets' tests' concern.)

#include <gtest/gtest.h>

#include "media/JxCQT3Resource.h"
#include "objects/widgets/JxCCollage.h"
#include "objects/widgets/JxCEditBox.h"
#include "platform/screen/screen.h"
#include "platform/tests/colour_movies.h"
#include "runtime/JxCCollArrangementManager.h"
#include "runtime/JxCPanelObject.h"
#include "testkit/sample_index.h"
#include "tests/program_fixture.h"
#include "title/widgets/JxCGvStickyButton.h"
#include "title/widgets/JxCGvVideoHotspot.h"

namespace {

class SampleIndexTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        haveMovie = plat::testing::HaveFfmpegProgram() &&
                    plat::testing::MakeColourMovie(discFolder() + "/SAMPLE.mov", plat::testing::kCinepakIma4);
    }
    // The content panel of the current page.
    static JxCPanelObject* content() { return GetProduct()->GetCurrentPage()->FindPanelById(2); }
    template <class T>
    static T* first()
    {
        JxCDisplayObjectList& list = content()->GetDisplayObjects();
        for (JxCDisplayObject* o = list.GetFirst(); o; o = list.GetNext(o))
            if (auto* found = dynamic_cast<T*>(o))
                return found;
        return nullptr;
    }
    // A content point on the screen.
    static plat::POINT onScreen(plat::HWND main, const JxCPoint& at)
    {
        const JxCRect panel = content()->GetRect();
        plat::POINT p{panel.left + at.x, panel.top + at.y};
        plat::ClientToScreen(main, &p);
        return p;
    }
    static std::int32_t currentPage() { return GetProduct()->GetCurrentPage()->GetPageId(); }

    bool haveMovie = false;
};

TEST_F(SampleIndexTest, TheIndexOpensTheChosenPageAndOpensAgainAtItThenTheStickyButtonLeadsToTheVisits)
{
    int step = 0;
    int waits = 0;
    bool finished = false;
    std::uint64_t clickedAt = 0;
    JxCGvStickyButton* sticky = nullptr;
    run([&](plat::HWND main) {
        JxCBaseProduct* product = GetProduct();
        switch (step++) {
        case 0:
            product->GoToPage(std::int32_t(testkit::kSampleIndexPage), 0);
            return true;
        case 1: {
            EXPECT_EQ(currentPage(), std::int32_t(testkit::kSampleIndexPage));
            auto* list = first<JxCCollage>();
            if (!list) {
                ADD_FAILURE() << "no list";
                break;
            }
            // "Gallery", the second entry.
            const JxCRect item = list->GetArrangementManager()->ItemRect(list, 1);
            harness->advance(1000);
            harness->doubleClick(onScreen(main, JxCPoint(std::int16_t(item.left + 10), std::int16_t(item.top + 4))));
            return true;
        }
        case 2:
            if (currentPage() == std::int32_t(testkit::kSampleIndexPage)) {
                --step;
                return false;
            }
            EXPECT_EQ(currentPage(), 3);
            product->GoToPage(std::int32_t(testkit::kSampleIndexPage), 0);
            return true;
        case 3: {
            if (currentPage() != std::int32_t(testkit::kSampleIndexPage)) {
                --step;
                return false;
            }
            // The index opens at the entry chosen last.
            auto* list = first<JxCCollage>();
            auto* box = first<JxCEditBox>();
            EXPECT_EQ(list ? list->GetSelectedIndex() : -1, 1);
            EXPECT_STREQ(box ? box->GetText().GetText() : "", "Gallery");
            sticky = first<JxCGvStickyButton>();
            if (!sticky) {
                ADD_FAILURE() << "no sticky button";
                break;
            }
            harness->advance(1000);
            const JxCRect r = sticky->GetRect();
            harness->click(onScreen(main, JxCPoint(std::int16_t(r.left + 10), std::int16_t(r.top + 10))));
            return true;
        }
        case 4:
            // Clicks made while the page changes are not delivered.
            if (currentPage() != std::int32_t(testkit::kSampleVisitsPage) || product->IsBusy()) {
                --step;
                return false;
            }
            if (!haveMovie) {
                finished = true;
                break;
            }
            {
                auto* video = first<JxCGvVideoHotspot>();
                if (!video) {
                    ADD_FAILURE() << "no video hotspot";
                    break;
                }
                const JxCRect r = video->GetRect();
                harness->advance(1000);
                clickedAt = harness->now();
                harness->click(onScreen(main, JxCPoint(std::int16_t(r.left + 10), std::int16_t(r.top + 10))));
            }
            return true;
        case 5: {
            // Two seconds on, the movie is over and the hotspot holds no
            // timer.
            auto* video = first<JxCGvVideoHotspot>();
            JxCQT3Resource* movie = video->GetPlayAction().GetMedia();
            if ((video->GetPlayAction().IsPlaying() || harness->now() - clickedAt < 2000) && ++waits < 50) {
                --step;
                return false;
            }
            EXPECT_EQ(video->GetPlayAction().IsPlaying(), 0);
            EXPECT_EQ(movie ? movie->IsFinished() : 0, 1);
            EXPECT_EQ(video->HoldsTimer(), 0);
            // Its place is the screen's (at 40, 180 of the panel).
            EXPECT_EQ(video->GetPlayAction().GetPlace(), JxCPoint(40, 240));
            finished = true;
            break;
        }
        default:
            return false;
        }
        plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
        return true;
    });
    EXPECT_TRUE(finished) << "stopped at step " << step;
}

}  // namespace
