// Going back and forth between two pages of the sample title whose data
// lies on a disc written long before: each page shows its pictures every
// time it opens, while its pictures are read from the disc only the first
// time and the disc's folder is listed once.

#include "events/JxCBitmapRef.h"
#include "events/JxRetainedImages.h"
#include "platform/fs/folder_listing.h"
#include "platform/tests/quick_settle.h"
#include "tests/program_fixture.h"

namespace {

// Where the two pages show what marks them (client coordinates of the main
// window) and the colours there: the welcome picture's rust block, which
// changes to the contents page, and the contents picture's teal block,
// which changes back.
constexpr plat::POINT kRustBlock{100, 170};
constexpr plat::POINT kTealBlock{160, 170};
constexpr std::uint32_t kRust = 0xB04828u;
constexpr std::uint32_t kTeal = 0x208080u;
constexpr int kVisits = 3;

class PageReturnTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        // The disc was written a while ago.
        plat::testing::QuickSettle::wait();
    }
    plat::testing::QuickSettle quick;
};

TEST_F(PageReturnTest, APageOpenedAgainShowsItsPicturesWithoutReadingThemAgain)
{
    struct Visit {
        bool shown = false;
        JxSharedImage picture;  // the contents page's picture, kept alive here
        std::uint64_t listings = 0;            // the folders listed so far
    };
    std::vector<Visit> visits;
    bool onContents = false, closing = false;
    bool keptWhileAway = true;
    run([&](plat::HWND main) {
        JxCBaseProduct* product = GetProduct();
        if (closing || product->GetBusyBits() || product->CountPendingActions() > 0)
            return false;
        JxCPageObject* page = product->GetFirstPage();
        if (onContents) {
            // Arrived: the contents page and its picture.
            JxCBitmapRef* ref = FindBitmapRef(JxCTableString("contents"));
            visits.push_back({page && page->GetPageId() == 2 && colourAt(main, kTealBlock.x, kTealBlock.y) == kTeal,
                              ref ? ref->GetImage() : nullptr, plat::FolderListingsRead()});
            harness->click(onScreen(main, kTealBlock.x, kTealBlock.y));
            onContents = false;
            return true;
        }
        const bool welcome = page && page->GetPageId() == 1 && colourAt(main, kRustBlock.x, kRustBlock.y) == kRust;
        if (int(visits.size()) == kVisits || !welcome) {
            EXPECT_TRUE(welcome) << "back on the welcome page after " << visits.size() << " visits";
            closing = true;
            plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
            return true;
        }
        // Away from the contents page, its picture waits decoded.
        keptWhileAway = keptWhileAway && (visits.empty() || GetRetainedImages().HeldBytes() > 0);
        harness->click(onScreen(main, kRustBlock.x, kRustBlock.y));
        onContents = true;
        return true;
    });
    ASSERT_EQ(visits.size(), std::size_t(kVisits));
    EXPECT_TRUE(keptWhileAway);
    for (const Visit& visit : visits) {
        EXPECT_TRUE(visit.shown);
        ASSERT_NE(visit.picture, nullptr);
        EXPECT_EQ(visit.picture, visits.front().picture) << "the picture was decoded again";
        EXPECT_EQ(visit.listings, visits.front().listings) << "a folder of the disc was listed again";
    }
    // The program's end lets the kept pictures go.
    EXPECT_EQ(GetRetainedImages().HeldBytes(), 0u);
}

}  // namespace
