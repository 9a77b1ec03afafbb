#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <random>
#include <vector>

#include "foundation/JxCInStrStream.h"
#include "graphics/JxCPolyRegion.h"
#include "testkit/poly_region.h"

namespace {

// Row 0 has runs at cells 2-4 and 10-11; row 1 one run at cells 0-1.
void MakeTwoRows(JxCPolyRegion& r, std::int16_t orientation)
{
    r.SetGeometry(JxCPoint(0, 0), JxCSize(40, 4), 2, 2, orientation);
    r.SetEntryCount(3);
    ASSERT_EQ(r.AllocEdgeTable(), 1);
    r.GetTable()[0] = JxCPolyRegion::MakeRun(2, 3, 2);
    r.GetTable()[1] = JxCPolyRegion::MakeRun(0, 2, 0);
    r.GetTable()[2] = JxCPolyRegion::MakeRun(10, 2, 0);
}

}  // namespace

TEST(JxCPolyRegion, FollowsTheRunsOfARow)
{
    JxCPolyRegion r;
    MakeTwoRows(r, 1);
    EXPECT_EQ(r.HitTest(JxCPoint(4, 0)), 1);
    EXPECT_EQ(r.HitTest(JxCPoint(12, 0)), 0);
    EXPECT_EQ(r.HitTest(JxCPoint(20, 0)), 1);
    EXPECT_EQ(r.HitTest(JxCPoint(24, 0)), 0);
    EXPECT_EQ(r.HitTest(JxCPoint(3, 0)), 0);
    EXPECT_EQ(r.HitTest(JxCPoint(9, 1)), 1);
    EXPECT_EQ(r.HitTest(JxCPoint(1, 2)), 1);  // row 1
    EXPECT_EQ(r.HitTest(JxCPoint(4, 3)), 0);
    EXPECT_EQ(r.HitTest(JxCPoint(4, 4)), 0);  // past the rows
}

TEST(JxCPolyRegion, OrientationAndOrigin)
{
    JxCPolyRegion r;
    MakeTwoRows(r, 0);  // rows run down: row from x
    EXPECT_EQ(r.HitTest(JxCPoint(0, 4)), 1);
    EXPECT_EQ(r.HitTest(JxCPoint(4, 0)), 0);
    EXPECT_EQ(r.HitTest(JxCPoint(2, 1)), 1);
    JxCPolyRegion moved;
    MakeTwoRows(moved, 1);
    moved.SetGeometry(JxCPoint(100, 50), JxCSize(40, 4), 2, 2, 1);
    EXPECT_EQ(moved.HitTest(JxCPoint(104, 50)), 1);
    // Just left of and above the origin: truncation would make these row
    // or column 0, but they lie outside.
    EXPECT_EQ(moved.HitTest(JxCPoint(99, 52)), 0);
    JxCPolyRegion left;
    MakeTwoRows(left, 1);
    left.SetGeometry(JxCPoint(10, 10), JxCSize(40, 4), 2, 2, 1);
    left.GetTable()[1] = JxCPolyRegion::MakeRun(0, 2, 0);
    EXPECT_EQ(left.HitTest(JxCPoint(9, 12)), 0);
    EXPECT_EQ(left.HitTest(JxCPoint(10, 12)), 1);
    EXPECT_EQ(left.HitTest(JxCPoint(10, 9)), 0);
}

TEST(JxCPolyRegion, DamagedTablesAnswerOutside)
{
    JxCPolyRegion zeroCell;
    MakeTwoRows(zeroCell, 1);
    zeroCell.SetGeometry(JxCPoint(0, 0), JxCSize(40, 4), 2, 0, 1);
    EXPECT_EQ(zeroCell.HitTest(JxCPoint(4, 0)), 0);

    JxCPolyRegion chain;
    MakeTwoRows(chain, 1);
    chain.GetTable()[0] = JxCPolyRegion::MakeRun(2, 3, 4000);  // past the table
    EXPECT_EQ(chain.HitTest(JxCPoint(20, 0)), 0);

    JxCPolyRegion rows;
    MakeTwoRows(rows, 1);
    rows.SetGeometry(JxCPoint(0, 0), JxCSize(40, 4), 30, 2, 1);  // more rows than entries
    EXPECT_EQ(rows.HitTest(JxCPoint(0, 50)), 0);

    JxCPolyRegion empty;
    EXPECT_EQ(empty.HitTest(JxCPoint(0, 0)), 0);
}

TEST(JxCPolyRegion, FindEdgeWalksTheLineToTheFirstPointInside)
{
    JxCPolyRegion r;
    MakeTwoRows(r, 1);
    // From inside: the start point itself.
    EXPECT_TRUE(r.FindEdge(JxCPoint(4, 0), JxCPoint(20, 0)) == JxCPoint(4, 0));
    // Towards a point outside: the start point.
    EXPECT_TRUE(r.FindEdge(JxCPoint(12, 0), JxCPoint(30, 0)) == JxCPoint(12, 0));
    // Along the row from a gap into the second run (cell 10 starts at x 20).
    EXPECT_TRUE(r.FindEdge(JxCPoint(12, 0), JxCPoint(22, 0)) == JxCPoint(20, 0));
    // Backwards into the first run (cell 4 ends at x 9).
    EXPECT_TRUE(r.FindEdge(JxCPoint(18, 1), JxCPoint(5, 1)) == JxCPoint(9, 1));
    // A diagonal from below the rows into row 1 (cells 0-1, x 0 to 3).
    EXPECT_TRUE(r.FindEdge(JxCPoint(3, 9), JxCPoint(0, 2)) == JxCPoint(0, 3));
}

TEST(JxCPolyRegion, AChainThatRunsIntoAnotherRowEndsThere)
{
    // Row 0's run chains into entry 1, which is row 1's own first run.
    JxCPolyRegion r;
    r.SetGeometry(JxCPoint(0, 0), JxCSize(20, 2), 2, 1, 1);
    r.SetEntryCount(2);
    ASSERT_EQ(r.AllocEdgeTable(), 1);
    r.GetTable()[0] = JxCPolyRegion::MakeRun(0, 2, 1);
    r.GetTable()[1] = JxCPolyRegion::MakeRun(5, 2, 0);
    EXPECT_EQ(r.HitTest(JxCPoint(1, 0)), 1);
    EXPECT_EQ(r.HitTest(JxCPoint(5, 0)), 0);
    EXPECT_EQ(r.HitTest(JxCPoint(5, 1)), 1);
    // A change through the table counts from the next hit test.
    r.GetTable()[0] = JxCPolyRegion::MakeRun(4, 1, 0);
    EXPECT_EQ(r.HitTest(JxCPoint(1, 0)), 0);
    EXPECT_EQ(r.HitTest(JxCPoint(4, 0)), 1);
}

TEST(JxCPolyRegion, ChainsThroughEveryEntryStayQuick)
{
    // A damaged table of the largest size: every row's chain steps one entry
    // at a time through all the rest. Only row 0 has a cell; walking up to it
    // from the bottom row tests every row on the way.
    constexpr std::int32_t kEntries = 65535;
    constexpr std::int16_t kRows = 32767;
    JxCPolyRegion r;
    r.SetGeometry(JxCPoint(0, 0), JxCSize(1, kRows), kRows, 1, 1);
    r.SetEntryCount(kEntries);
    ASSERT_EQ(r.AllocEdgeTable(), 1);
    std::uint32_t* table = r.GetTable();
    for (std::int32_t i = 0; i < kEntries; ++i)
        table[i] = JxCPolyRegion::MakeRun(0, 0, 1);
    table[0] = JxCPolyRegion::MakeRun(0, 1, 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(r.FindEdge(JxCPoint(0, kRows - 1), JxCPoint(0, 0)) == JxCPoint(0, 0));
    for (int y = 1; y < kRows; y += 97)
        EXPECT_EQ(r.HitTest(JxCPoint(0, std::int16_t(y))), 0);
    const auto spent = std::chrono::steady_clock::now() - start;
    // Seconds when each step re-walks the chain; a few milliseconds here,
    // with room for the sanitizers.
    EXPECT_LT(spent, std::chrono::milliseconds(500));
}

namespace {

// The runs of a row followed one by one, as the table describes them.
std::int16_t WalkRow(const std::vector<std::uint32_t>& table, int row, std::uint32_t column)
{
    for (std::size_t e = std::size_t(row); e < table.size();) {
        const std::uint32_t run = table[e];
        const std::uint32_t first = run >> 22, length = (run >> 12) & 0x3FF, distance = run & 0xFFF;
        if (column < first)
            return 0;
        if (column < first + length)
            return 1;
        if (distance == 0)
            return 0;
        e += distance;
    }
    return 0;
}

}  // namespace

TEST(JxCPolyRegion, AnswersAsTheRunsOfEachRowSayWhateverTheirOrder)
{
    std::mt19937 rng(5);
    for (int round = 0; round < 300; ++round) {
        // Rows with chains of their own, runs in any order and overlapping.
        const int rows = 1 + int(rng() % 6);
        std::vector<std::vector<std::uint32_t>> runs(static_cast<std::size_t>(rows));
        for (auto& row : runs) {
            row.resize(1 + rng() % 5);
            for (auto& run : row)
                run = JxCPolyRegion::MakeRun(rng() % 24, rng() % 6, 0);
        }
        std::vector<std::uint32_t> table(static_cast<std::size_t>(rows));
        for (int row = 0; row < rows; ++row) {
            std::size_t at = std::size_t(row);
            table[at] = runs[std::size_t(row)][0];
            for (std::size_t k = 1; k < runs[std::size_t(row)].size(); ++k) {
                const std::size_t next = table.size() + rng() % 3;
                table.resize(next + 1, JxCPolyRegion::MakeRun(30, 1, 0));  // gaps: no row's runs
                table[next] = runs[std::size_t(row)][k];
                table[at] |= std::uint32_t(next - at);
                at = next;
            }
        }
        JxCPolyRegion r;
        r.SetGeometry(JxCPoint(0, 0), JxCSize(40, std::int16_t(rows)), std::int16_t(rows), 1, 1);
        r.SetEntryCount(std::int32_t(table.size()));
        ASSERT_EQ(r.AllocEdgeTable(), 1);
        std::copy(table.begin(), table.end(), r.GetTable());
        for (int row = 0; row < rows; ++row)
            for (std::uint32_t column = 0; column < 40; ++column)
                ASSERT_EQ(r.HitTest(JxCPoint(std::int16_t(column), std::int16_t(row))), WalkRow(table, row, column))
                    << "round " << round << " row " << row << " column " << column;
    }
}

namespace {

using Bytes = std::vector<std::uint8_t>;

testkit::PolyRegionRecord TwoRowRecord()
{
    testkit::PolyRegionRecord rec;
    rec.x = 100;
    rec.y = -20;
    rec.width = 40;
    rec.height = 4;
    rec.rowCount = 2;
    rec.cellSize = 2;
    rec.entries = {rec.Run(2, 3, 2), rec.Run(0, 2, 0), rec.Run(10, 2, 0)};
    return rec;
}

}  // namespace

TEST(ReadPolyRegion, BigEndianHeaderAndLittleEndianRuns)
{
    Bytes data = TwoRowRecord().Bytes();
    data.push_back(0x77);  // the next field of the object's record
    JxCInStrStream in(JxMemoryBlock{data.data(), std::uint32_t(data.size())});
    JxCPolyRegion r;
    ASSERT_TRUE(ReadPolyRegion(in, r));
    EXPECT_TRUE(r.GetOrigin() == JxCPoint(100, -20));
    EXPECT_EQ(r.GetSize().cx, 40);
    EXPECT_EQ(r.GetEntryCount(), 3);
    EXPECT_EQ(r.HitTest(JxCPoint(104, -20)), 1);
    EXPECT_EQ(r.HitTest(JxCPoint(112, -20)), 0);
    EXPECT_EQ(r.HitTest(JxCPoint(120, -19)), 1);
    EXPECT_EQ(r.HitTest(JxCPoint(101, -18)), 1);
    std::uint8_t next = 0;
    EXPECT_TRUE(in.ReadByte(next));
    EXPECT_EQ(next, 0x77);  // the stream kept in step
}

TEST(ReadPolyRegion, ARecordCutShortLeavesAnEmptyRegion)
{
    auto rec = TwoRowRecord();
    rec.claimedCount = 900;  // more entries than the record holds
    const Bytes data = rec.Bytes();
    JxCInStrStream in(JxMemoryBlock{data.data(), std::uint32_t(data.size())});
    JxCPolyRegion r;
    EXPECT_FALSE(ReadPolyRegion(in, r));
    EXPECT_EQ(r.GetEntryCount(), 0);
    EXPECT_EQ(r.HitTest(JxCPoint(104, -20)), 0);
}

TEST(ReadPolyRegion, RandomAndTruncatedRecordsNeverReadOutside)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 2000; ++round) {
        Bytes data;
        if (round % 2 == 0) {
            auto rec = TwoRowRecord();
            rec.rowCount = std::int16_t(rng() % 8 - 2);
            rec.cellSize = std::int16_t(rng() % 4 - 1);
            rec.orientation = std::int16_t(rng() % 2);
            for (auto& e : rec.entries)
                e = std::uint32_t(rng());
            data = rec.Bytes();
            data.resize(rng() % (data.size() + 1));
        } else {
            data.resize(rng() % 40);
            for (auto& b : data)
                b = std::uint8_t(rng());
        }
        // Exactly the record's bytes, so that reading past them is caught.
        const std::unique_ptr<std::uint8_t[]> tight(new std::uint8_t[data.size()]);
        std::copy(data.begin(), data.end(), tight.get());
        JxCInStrStream in(JxMemoryBlock{tight.get(), std::uint32_t(data.size())});
        JxCPolyRegion r;
        ReadPolyRegion(in, r);
        for (int y = -130; y < 130; y += 7)
            for (int x = -130; x < 130; x += 5)
                r.HitTest(JxCPoint(std::int16_t(x), std::int16_t(y)));
        r.FindEdge(JxCPoint(-50, -50), JxCPoint(120, 60));
    }
}
