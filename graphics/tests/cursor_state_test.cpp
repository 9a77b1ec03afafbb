#include <gtest/gtest.h>

#include "graphics/JxCCursorState.h"
#include "platform/backend/harness.h"
#include "platform/window/cursor.h"

namespace {

class CursorStateTest : public ::testing::Test {
protected:
    static plat::HCURSOR system(const char* id) { return plat::LoadCursorA(nullptr, id); }

    plat::Harness harness;
    JxCCursorState state;
};

TEST_F(CursorStateTest, NestedBusyPeriodsEndOnlyWithTheLastEnd)
{
    state.BeginEndBusy(0);
    const plat::DWORD firstBegin = state.GetBeginTick();
    EXPECT_NE(firstBegin, 0u);
    EXPECT_EQ(plat::GetCursor(), system(plat::IDC_WAIT));
    harness.advance(50);
    state.BeginEndBusy(0);
    EXPECT_EQ(state.GetBeginTick(), firstBegin) << "the begin tick is the first begin's";
    EXPECT_EQ(state.BeginEndBusy(1), 0);
    EXPECT_TRUE(state.IsBusy());
    harness.advance(50);
    EXPECT_EQ(state.BeginEndBusy(1), 1);
    EXPECT_FALSE(state.IsBusy());
    EXPECT_EQ(state.GetEndTick(), firstBegin + 100);
}

TEST_F(CursorStateTest, AnEndWithoutABeginLeavesTheCountAtZero)
{
    EXPECT_EQ(state.BeginEndBusy(1), 0);
    EXPECT_EQ(state.GetWaitFlag(), 0);
    EXPECT_FALSE(state.IsBusy());
    state.BeginEndBusy(0);
    EXPECT_EQ(state.BeginEndBusy(1), 1);
}

TEST_F(CursorStateTest, SystemCursorNamesIgnoreCase)
{
    for (const char* name : {"arrow", "ARROW", "Arrow"}) {
        plat::SetCursor(nullptr);
        EXPECT_EQ(state.LoadCursorByName(name), 1) << name;
        EXPECT_EQ(plat::GetCursor(), system(plat::IDC_ARROW)) << name;
    }
    EXPECT_EQ(state.LoadCursorByName("ibeam"), 1);
    EXPECT_EQ(plat::GetCursor(), system(plat::IDC_IBEAM));
    EXPECT_EQ(state.LoadCursorByName("plus"), 1);
    EXPECT_EQ(plat::GetCursor(), system(plat::IDC_CROSS));
}

TEST_F(CursorStateTest, AnEmptyNameChangesNothingAndAnUnknownOneFallsBackToTheArrow)
{
    state.ShowWaitCursor();
    EXPECT_EQ(state.LoadCursorByName(""), 1);
    EXPECT_EQ(plat::GetCursor(), system(plat::IDC_WAIT));
    EXPECT_EQ(state.LoadCursorByName("NoSuchCursor"), 0);
    EXPECT_EQ(plat::GetCursor(), system(plat::IDC_ARROW));
}

}  // namespace
