#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "foundation/DBRecord.h"
#include "platform/fs/files.h"
#include "platform/tests/temp_config.h"
#include "runtime/JxCPageStatistics.h"

namespace {

class PageStatisticsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(config.root() + "/e");
        config.writeDriveTable("[Drive E]\nPath=" + config.root() + "/e\nType=fixed\n");
    }
    bool exists(const std::string& name) const
    {
        return std::filesystem::exists(config.root() + "/e/" + name + ".DBF") ||
               std::filesystem::exists(config.root() + "/e/" + name + ".dbf");
    }
    // Fills the Offsets table as the preparation of a testing run does.
    void offsets(std::initializer_list<std::pair<const char*, std::int32_t>> rows)
    {
        DBTable table;
        ASSERT_EQ(table.OpenOrCreate("E:\\Offsets", "PAGE:C8|OFFSET:N10", 4096, 1), kDbOk);
        for (const auto& [page, offset] : rows)
            ASSERT_EQ(table.SetValueForKey(page, offset), kDbOk);
        table.Close(false);
    }
    std::int32_t count(const char* page)
    {
        DBTable table;
        EXPECT_EQ(table.OpenOrCreate("E:\\Coverage", "PAGE:C8|ACCESSED:N10", 4096, 1), kDbOk);
        std::int32_t value = -1;
        if (table.GetValueForKey(page, value) != kDbOk)
            value = -1;
        // Looking appends a missing page with 0: that is a count of 0 too.
        table.Close(false);
        return value;
    }

    plat::testing::TempConfig config;
};

TEST_F(PageStatisticsTest, WithTheSwitchOffNothingIsOpenedOrCounted)
{
    JxCPageStatistics stats;
    stats.SetCoverageOn(0);
    stats.OpenCoverageFiles("E:\\");
    stats.RecordAccessAt(100);
    stats.CloseCoverageFiles();
    EXPECT_FALSE(exists("Coverage"));
    EXPECT_FALSE(exists("Offsets"));
}

TEST_F(PageStatisticsTest, OpeningAPageTwiceAddsTwo)
{
    offsets({{"PAGE1", 100}, {"PAGE2", 200}});
    {
        JxCPageStatistics stats;
        stats.SetCoverageOn(1);
        stats.OpenCoverageFiles("E:\\");
        stats.RecordAccessAt(100);
        stats.RecordAccessAt(100);
        stats.RecordAccessAt(7);  // no Offsets record: not counted
        stats.CloseCoverageFiles();
    }
    EXPECT_EQ(count("PAGE1"), 2);
    EXPECT_EQ(count("PAGE2"), 0);
    {
        JxCPageStatistics stats;
        stats.SetCoverageOn(1);
        stats.OpenCoverageFiles("E:\\");
        stats.RecordAccessAt(100);
    }  // closed by its end
    EXPECT_EQ(count("PAGE1"), 3) << "counts go on from run to run";
}

TEST_F(PageStatisticsTest, AMissingOffsetsTableIsCreatedEmptyAndCountsNothing)
{
    JxCPageStatistics stats;
    stats.SetCoverageOn(1);
    stats.OpenCoverageFiles("E:\\");
    EXPECT_EQ(stats.IsCoverageOn(), 1);
    EXPECT_TRUE(exists("Offsets"));
    stats.RecordAccessAt(100);
    stats.CloseCoverageFiles();
    EXPECT_EQ(stats.GetOffsetsTable().GetRecordCount(), 0u);
}

TEST_F(PageStatisticsTest, ATableThatCannotBeOpenedTurnsTheModeOffAndKeepsTheCounts)
{
    offsets({{"PAGE1", 100}});
    {
        JxCPageStatistics stats;
        stats.SetCoverageOn(1);
        stats.OpenCoverageFiles("E:\\");
        stats.RecordAccessAt(100);
    }
    // An Offsets file that is not a table.
    std::filesystem::remove(config.root() + "/e/Offsets.DBF");
    std::filesystem::remove(config.root() + "/e/Offsets.dbf");
    plat::testing::TempConfig::writeFile(config.root() + "/e/Offsets.DBF", "not a table");
    JxCPageStatistics stats;
    stats.SetCoverageOn(1);
    stats.OpenCoverageFiles("E:\\");
    EXPECT_EQ(stats.IsCoverageOn(), 0);
    stats.RecordAccessAt(100);
    EXPECT_EQ(count("PAGE1"), 1);
}

}  // namespace
