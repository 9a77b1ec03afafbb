#pragma once
// Page statistics of the testing mode: how often each page is opened. Two
// xBase tables in the program folder: "Coverage" (PAGE:C8, ACCESSED:N10),
// one access count per page name, and "Offsets" (PAGE:C8, OFFSET:N10),
// which maps page names to the offsets of their records in the product
// data. Whoever prepares a testing run fills Offsets; the program only
// reads it. The mode is on while the switch is: it starts from the
// setting "Coverage" and goes off for the run when a table cannot be
// opened. The product keeps its statistics from its construction, when the
// settings have been read, to its end.

#include <cstdint>

#include "foundation/DBTable.h"
#include "foundation/JxCString.h"

class JxCPageStatistics {
public:
    static constexpr std::uint32_t kBlockSize = 4096;

    JxCPageStatistics();
    ~JxCPageStatistics();
    JxCPageStatistics(const JxCPageStatistics&) = delete;
    JxCPageStatistics& operator=(const JxCPageStatistics&) = delete;

    // The switch (16-bit, as the setting gives it).
    std::int16_t IsCoverageOn() const { return on_; }
    void SetCoverageOn(std::int16_t on) { on_ = on; }

    // Opens or creates both tables in the folder (which ends in a
    // separator); with either failing the switch goes off. Nothing while
    // the switch is off.
    void OpenCoverageFiles(const JxCString& folder);
    void CloseCoverageFiles();
    // Counts an opening of the page whose record lies at the offset; pages
    // without an Offsets record are not counted.
    void RecordAccessAt(std::uint32_t recordOffset);
    // The same by page number, through the product's record table.
    void RecordPageAccess(std::int32_t pageNumber);

    DBTable& GetCoverageTable() { return coverage_; }
    DBTable& GetOffsetsTable() { return offsets_; }

private:
    DBTable coverage_;
    DBTable offsets_;
    std::int16_t on_ = 0;
    bool open_ = false;
};
