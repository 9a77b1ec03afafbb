#pragma once
// The clickable area of a display object that is not a rectangle: a
// run-length table of square cells. Entry r of the table (r below the row
// count) is the first run of row r; each run names its first cell, its length
// in cells and the distance in entries to the next run of the same row.
// Rows run across (row from y) when the orientation is non-zero, down (row
// from x) otherwise.

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/JxCObject.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCPointList.h"
#include "foundation/JxCSize.h"

class JxCInStrStream;

class JxCPolyRegion : public JxCObject {
public:
    // The fields of one run entry.
    static constexpr std::uint32_t MakeRun(std::uint32_t first, std::uint32_t length, std::uint32_t distance)
    {
        return (first & 0x3FF) << 22 | (length & 0x3FF) << 12 | (distance & 0xFFF);
    }

    JxCPolyRegion() = default;
    JxCPolyRegion(const JxCPolyRegion&) = delete;
    JxCPolyRegion& operator=(const JxCPolyRegion&) = delete;

    // 1 when p (in the object's coordinates) lies in a cell of the region.
    // Damaged tables, a zero cell size and points left of or above the
    // origin answer 0. A row's runs are followed from its first entry until
    // a run starts past the cell, a distance is zero, or the chain leaves the
    // table or reaches an entry another row has already claimed: every entry
    // belongs to one row at most, so the work is bounded by the table's size
    // however the distances are damaged.
    virtual std::int16_t HitTest(const JxCPoint& p) const;
    // The first point of the region on the line from start to end; start
    // itself when start is inside, when end is not, or when they coincide.
    virtual JxCPoint FindEdge(const JxCPoint& start, const JxCPoint& end) const;

    // Replaces the run table by a zero-filled one of the entry count; 0 when
    // it cannot be allocated.
    std::int16_t AllocEdgeTable();

    void SetGeometry(const JxCPoint& origin, const JxCSize& size, std::int16_t rowCount, std::int16_t cellSize,
                     std::int16_t orientation);
    void SetEntryCount(std::int32_t count)
    {
        entryCount_ = count;
        indexed_ = false;
    }
    std::int32_t GetEntryCount() const { return entryCount_; }
    // The table after AllocEdgeTable: GetEntryCount() entries. Changes made
    // through it count from the next hit test on.
    std::uint32_t* GetTable()
    {
        indexed_ = false;
        return table_.get();
    }

    const JxCPoint& GetOrigin() const { return origin_; }
    const JxCSize& GetSize() const { return size_; }
    std::int16_t GetRowCount() const { return rowCount_; }
    std::int16_t GetCellSize() const { return cellSize_; }
    std::int16_t GetOrientation() const { return orientation_; }
    JxCPointList& GetPoints() { return points_; }

private:
    // The cells of one row as sorted, disjoint column ranges.
    struct Span {
        std::uint32_t first;
        std::uint32_t end;
    };
    // Follows every row's chain once and keeps the columns each row holds.
    void BuildIndex() const;
    bool RowHolds(int row, std::uint32_t column) const;

    JxCPoint origin_;
    JxCSize size_;
    std::int16_t rowCount_ = 0;
    std::int16_t cellSize_ = 2;
    std::unique_ptr<std::uint32_t[]> table_;
    std::int32_t entryCount_ = 0;
    std::int16_t orientation_ = 1;
    std::int16_t word_ = 1;
    JxCPointList points_;  // owns its points

    // Built from the table on the first hit test after it changed.
    mutable bool indexed_ = false;
    mutable std::vector<Span> spans_;
    mutable std::vector<std::uint32_t> rowSpans_;  // row r: spans_[rowSpans_[r]] up to rowSpans_[r + 1]
};

// Reads a region record: origin x and y, width, height, row count, cell
// size, entry count and orientation (16-bit big-endian each), then the run
// table as stored (32-bit little-endian entries). A table that cannot be
// held is skipped and the region left empty; a record cut short fails the
// stream and leaves the region empty.
JxCInStrStream& ReadPolyRegion(JxCInStrStream& stream, JxCPolyRegion& region);
