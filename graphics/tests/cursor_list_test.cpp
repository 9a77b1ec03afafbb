#include <gtest/gtest.h>

#include <optional>

#include "foundation/JxProductLink.h"
#include "foundation/tests/reporting_fixture.h"
#include "graphics/JxCCursorList.h"
#include "graphics/JxCCursorState.h"
#include "platform/window/cursor.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"
#include "testkit/cursor.h"

namespace {

plat::HCURSOR system(const char* id)
{
    return plat::LoadCursorA(nullptr, id);
}

// A main window of a class whose cursor is the arrow, connected as the
// product's main window; and a cursor resource "Hand" in the program's
// own resources.
class CursorListTest : public ReportingTest {
protected:
    void SetUp() override
    {
        ReportingTest::SetUp();
        plat::testing::TempConfig::writeFile(config.program() + "/kelbo32.resources/cursor/Hand.cur",
                                             testkit::EncodeCursor(2, 3));
        plat::WNDCLASSA wc;
        wc.lpfnWndProc = &plat::DefWindowProcA;
        wc.lpszClassName = "CursorListTest";
        wc.hCursor = system(plat::IDC_ARROW);
        plat::RegisterClassA(wc);
        main = plat::CreateWindowExA(0, "CursorListTest", "", plat::WS_POPUP | plat::WS_VISIBLE, 0, 0, 100, 100,
                                     nullptr, nullptr, nullptr, nullptr);
        JxProductLink link;
        link.mainWindow = [this] { return main; };
        previous_ = SetProductLink(link);
    }
    void TearDown() override
    {
        SetProductLink(previous_);
        plat::DestroyWindow(main);
        plat::UnregisterClassA("CursorListTest", nullptr);
        ReportingTest::TearDown();
    }

    plat::HCURSOR classCursor() const
    {
        return reinterpret_cast<plat::HCURSOR>(plat::GetClassLongPtrA(main, plat::GCL_HCURSOR));
    }
    void add(const char* name, plat::HCURSOR cursor) { list.Add(new JxCCursorEntry(JxCString(name), cursor)); }

    plat::HWND main = nullptr;
    JxCCursorList list;

private:
    std::optional<JxProductLink> previous_;
};

TEST_F(CursorListTest, AnEntryIsFoundWithoutCaseAndBecomesTheClassCursor)
{
    add("Pointer", system(plat::IDC_CROSS));
    add("pointer", system(plat::IDC_IBEAM));
    list.SetWaitCursor("POINTER");
    EXPECT_EQ(plat::GetCursor(), system(plat::IDC_CROSS)) << "the first entry of the name wins";
    EXPECT_EQ(classCursor(), system(plat::IDC_CROSS));
    ASSERT_NE(list.GetCurrent(), nullptr);
    EXPECT_EQ(list.GetCurrent()->GetCursor(), system(plat::IDC_CROSS));

    list.SetWaitCursor("Unknown");
    EXPECT_EQ(plat::GetCursor(), system(plat::IDC_CROSS)) << "a name without an entry changes nothing";
    list.SetHold(1);
    list.SetWaitCursor("Watch");
    EXPECT_EQ(plat::GetCursor(), system(plat::IDC_CROSS)) << "nothing while held";
}

TEST_F(CursorListTest, WatchWithoutAnEntryShowsTheHourglassAndRestoringEndsIt)
{
    list.ShowWatchCursor();
    EXPECT_EQ(plat::GetCursor(), system(plat::IDC_WAIT));
    EXPECT_EQ(classCursor(), system(plat::IDC_WAIT));
    list.RestoreCursor();
    EXPECT_EQ(classCursor(), system(plat::IDC_ARROW)) << "the class cursor from before the watch";
    EXPECT_EQ(plat::GetCursor(), system(plat::IDC_ARROW));

    // Twice in a row: the second watch must not take the hourglass for the
    // cursor to come back to.
    list.ShowWatchCursor();
    list.ShowWatchCursor();
    list.RestoreCursor();
    EXPECT_EQ(classCursor(), system(plat::IDC_ARROW));
}

TEST_F(CursorListTest, RestoringShowsTheEntryThatWasCurrentBeforeTheWatch)
{
    add("Finger", system(plat::IDC_CROSS));
    list.SetWaitCursor("Finger");
    list.SetHold(1);
    list.RestoreCursor();
    EXPECT_EQ(list.GetHold(), 1) << "nothing saved: the hold stays";
    list.SetHold(0);
    list.ShowWatchCursor();
    EXPECT_EQ(list.GetSaved(), list.GetCurrent());
    EXPECT_EQ(plat::GetCursor(), system(plat::IDC_WAIT));
    list.SetHold(1);
    list.RestoreCursor();
    EXPECT_EQ(list.GetHold(), 0);
    EXPECT_EQ(plat::GetCursor(), system(plat::IDC_CROSS));
    EXPECT_EQ(classCursor(), system(plat::IDC_CROSS));
}

TEST_F(CursorListTest, ANamedCursorShownTwiceKeepsOneHandle)
{
    {
        JxCCursorState state;
        EXPECT_EQ(state.LoadCursorByName("hand"), 1);
        const plat::HCURSOR hand = plat::GetCursor();
        ASSERT_NE(hand, system(plat::IDC_ARROW));
        EXPECT_EQ(state.LoadCursorByName("Hand"), 1);
        EXPECT_EQ(plat::GetCursor(), hand);
        EXPECT_TRUE(plat::IsLiveCursor(hand));
    }
    // The state is gone; the shared cursors live on.
    EXPECT_TRUE(plat::IsLiveCursor(system(plat::IDC_WAIT)));
    EXPECT_NE(LoadCursorFromLibraries(1, "Hand"), nullptr);
}

}  // namespace
