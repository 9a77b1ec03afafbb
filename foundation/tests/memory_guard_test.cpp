#include <gtest/gtest.h>

#include <new>
#include <string>

#include "foundation/tests/reporting_fixture.h"

namespace {

class MemoryGuardTest : public ReportingTest {
protected:
    void SetUp() override
    {
        ReportingTest::SetUp();
        programStrings("1\tkelbo32.ini\n1063\tOut of memory (%s, %s).\n1093\tOnly %s KB of %s KB.\n");
    }
};

TEST_F(MemoryGuardTest, TooLittlePhysicalMemoryAsksAgainOnRetryAndGoesOnAfterIgnore)
{
    // More than any machine reports (the platform caps it below 2 GB).
    iniFile("[Directory]\nMinimumkRAM=3000000\n");
    ReadSettings();
    EXPECT_EQ(GetRequiredPhysicalMemory(), 3000000);
    answers = {4, 5};
    EXPECT_EQ(CheckPhysicalMemory(), 5);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[0].text.find("[1093]: Only "), std::string::npos);
    EXPECT_NE(boxes[0].text.find("KB of 3000000 KB."), std::string::npos);
    EXPECT_EQ(boxes[0].style & ~0x2030u, 0x102u);
}

TEST_F(MemoryGuardTest, EnoughMemoryAsksNothing)
{
    iniFile("[Directory]\nMinimumkRAM=1\n");
    ReadSettings();
    EXPECT_EQ(CheckPhysicalMemory(), 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MemoryGuardTest, AbortOnTheMemoryCheckEndsTheProcess)
{
    iniFile("[Directory]\nMinimumkRAM=3000000\n");
    ReadSettings();
    answers = {3, 6};
    EXPECT_THROW(CheckPhysicalMemory(), ProcessEnded);
}

TEST_F(MemoryGuardTest, TheReserveIsFreedOnceAndTheQuestionStillComes)
{
    ReserveEmergencyMemory();
    EXPECT_TRUE(HoldsEmergencyMemory());
    EXPECT_NE(std::get_new_handler(), nullptr);
    answers = {4, 2};
    EXPECT_TRUE(OutOfMemoryHandler());
    EXPECT_FALSE(HoldsEmergencyMemory());
    ReserveEmergencyMemory();  // not taken again
    EXPECT_FALSE(HoldsEmergencyMemory());
    EXPECT_FALSE(OutOfMemoryHandler());
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "[1063]: Out of memory (1024, -1).");
    EXPECT_EQ(boxes[1].style & ~0x2030u, 0x5u);
    ReleaseEmergencyMemory();  // nothing left to free: harmless
}

TEST_F(MemoryGuardTest, AHandlerThatGivesUpFailsTheAllocation)
{
    ReserveEmergencyMemory();
    answers = {2};
    std::new_handler handler = std::get_new_handler();
    EXPECT_THROW(handler(), std::bad_alloc);
    EXPECT_FALSE(HoldsEmergencyMemory());
}

TEST_F(MemoryGuardTest, ASecondShortageDuringTheReportShowsNothingMore)
{
    ReserveEmergencyMemory();
    std::int32_t inner = -1;
    plat::Responder previous = plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        boxes.push_back(r);
        inner = ReportOutOfMemory();
        return 1;
    });
    EXPECT_EQ(ReportOutOfMemory(), 1);
    plat::SetResponder(previous);
    EXPECT_EQ(inner, 0);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(HoldsEmergencyMemory());
}

}  // namespace
