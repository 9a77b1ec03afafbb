#include "runtime/JxCPageStatistics.h"

#include <cstdlib>
#include <string>

#include "foundation/DBRecord.h"
#include "foundation/JxStartupSettings.h"
#include "runtime/JxCBaseProduct.h"

namespace {

constexpr const char* kCoverageName = "Coverage";
constexpr const char* kOffsetsName = "Offsets";
constexpr const char* kCoverageFields = "PAGE:C8|ACCESSED:N10";
constexpr const char* kOffsetsFields = "PAGE:C8|OFFSET:N10";
constexpr int kOpenExisting = 1;
constexpr std::size_t kPageNameSize = 8 + 1;

}  // namespace

// The setting's switch, not the member of the same name that this sets.
JxCPageStatistics::JxCPageStatistics() : on_(::IsCoverageOn() ? 1 : 0) {}

JxCPageStatistics::~JxCPageStatistics()
{
    CloseCoverageFiles();
}

void JxCPageStatistics::OpenCoverageFiles(const JxCString& folder)
{
    if (!on_ || open_)
        return;
    const std::string base = folder.GetText() ? folder.GetText() : "";
    coverage_.OpenOrCreate((base + kCoverageName).c_str(), kCoverageFields, kBlockSize, kOpenExisting);
    if (coverage_.IsOk())
        offsets_.OpenOrCreate((base + kOffsetsName).c_str(), kOffsetsFields, kBlockSize, kOpenExisting);
    if (!coverage_.IsOk() || !offsets_.IsOk()) {
        // The counts of earlier runs stay: the table is closed, not deleted.
        on_ = 0;
        coverage_.Close(false);
        offsets_.Close(false);
        return;
    }
    open_ = true;
}

void JxCPageStatistics::CloseCoverageFiles()
{
    if (!on_ || !open_)
        return;
    offsets_.Close(false);
    coverage_.Close(false);
    open_ = false;
}

void JxCPageStatistics::RecordAccessAt(std::uint32_t recordOffset)
{
    if (!on_ || !open_ || offsets_.GetRecordCount() == 0)
        return;
    DBRecord record(&offsets_);
    for (DBError e = offsets_.GoFirst(); e == kDbOk; e = offsets_.GoNext()) {
        char offset[16] = {};
        if (offsets_.ReadRecord(record) != kDbOk || record.GetText(1u, offset, sizeof offset) != kDbOk)
            return;
        char* end = nullptr;
        const unsigned long long value = std::strtoull(offset, &end, 10);
        if (end == offset || value != recordOffset)
            continue;
        char page[kPageNameSize] = {};
        if (record.GetText(0u, page, sizeof page) == kDbOk)
            coverage_.AddToValueForKey(page, 1);
        return;
    }
}

void JxCPageStatistics::RecordPageAccess(std::int32_t pageNumber)
{
    if (!on_)
        return;
    JxCBaseProduct* product = GetProduct();
    const std::uint32_t offset = product ? product->GetRecordOffset(pageNumber) : JxCBaseProduct::kNoRecord;
    if (offset != JxCBaseProduct::kNoRecord)
        RecordAccessAt(offset);
}
