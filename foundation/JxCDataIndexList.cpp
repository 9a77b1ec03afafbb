#include "foundation/JxCDataIndexList.h"

#include <algorithm>
#include <memory>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxFileUtils.h"
#include "platform/fs/files.h"

namespace {

// The smallest entry: an empty name's length and the four values.
constexpr std::uint32_t kMinEntrySize = 2 + 4 * 4;

}  // namespace

bool JxCDataIndexEntry::Read(JxCInStrStream& in)
{
    valid_ = 0;
    JxCString name;
    std::uint32_t a = 0, b = 0, size = 0, offset = 0;
    in.ReadCountedString(name).ReadBigEndian32(a).ReadBigEndian32(b).ReadBigEndian32(size).ReadBigEndian32(offset);
    if (in.Fail())
        return false;
    name_ = std::move(name);
    a_ = a;
    b_ = b;
    size_ = size;
    offset_ = offset;
    valid_ = 1;
    return true;
}

void JxCDataIndexList::ReadIndexFile(const char* name)
{
    std::uint32_t error = 0;
    plat::HFILE file = OpenFileWithRetry(name, plat::OF_READ | plat::OF_SHARE_DENY_WRITE, &error);
    if (file == plat::HFILE_ERROR || error != 0)
        return;
    ReadIndex(file);
    CloseFile(file);
}

bool JxCDataIndexList::ReadIndex(plat::HFILE file)
{
    clear();
    const std::uint32_t fileSize = GetOpenFileSize(file);
    if (fileSize == plat::INVALID_FILE_SIZE || fileSize < kTrailerSize) {
        status_ = 0;
        return false;
    }
    // Items and index lie before the trailer; nothing may reach into it.
    const std::uint32_t dataEnd = fileSize - kTrailerSize;
    std::uint32_t indexOffset = 0;
    {
        JxCInStrStream trailer(file, dataEnd);
        trailer.ReadBigEndian32(indexOffset);
        if (trailer.Fail() || indexOffset > dataEnd || dataEnd - indexOffset < 2) {
            status_ = 0;
            return false;
        }
    }
    JxCInStrStream in(file, 0, dataEnd);
    in.Seek(indexOffset);
    std::int32_t count = 0;
    in.ReadBigEndian16To32(count);
    if (in.Fail()) {
        clear();
        status_ = 0;
        return false;
    }
    if (count > 0)
        readEntries(in, count, dataEnd);
    return true;
}

// Reads up to `count` entries, ending at the end of the index's data; an
// entry whose item lies outside the data is left out.
void JxCDataIndexList::readEntries(JxCInStrStream& in, std::int32_t count, std::uint32_t dataEnd)
{
    if (!hasTable_) {
        table_.reserve(std::size_t(std::min<std::uint64_t>(std::uint64_t(count), in.Remaining() / kMinEntrySize)));
        hasTable_ = true;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        auto entry = std::make_unique<JxCDataIndexEntry>();
        if (in.Remaining() < kMinEntrySize || !entry->Read(in)) {
            damaged_ = true;
            return;
        }
        if (std::uint64_t(entry->GetOffset()) + entry->GetSize() > dataEnd) {
            damaged_ = true;
            continue;
        }
        totalSize_ += entry->GetSize();
        if (table_.size() < table_.capacity())
            table_.push_back(entry.get());
        Add(entry.release());
    }
}

void JxCDataIndexList::clear()
{
    RemoveAll();
    table_.clear();
    table_.shrink_to_fit();
    hasTable_ = false;
    totalSize_ = 0;
    status_ = 1;
    damaged_ = false;
}

const JxCDataIndexEntry* JxCDataIndexList::Find(const JxCTableString& name)
{
    if (!hasTable_) {
        for (JxCDataIndexEntry* e = GetFirst(); e; e = GetNext(e))
            if (e->GetName() == name)
                return e;
        return nullptr;
    }
    std::int32_t low = 0;
    std::int32_t high = std::int32_t(table_.size()) - 1;
    while (high >= low) {
        const std::int32_t middle = (low + high) / 2;
        const int order = JxCTableString::CompareNoCase(name.View(), table_[std::size_t(middle)]->GetName().View());
        if (order == 0)
            return table_[std::size_t(middle)];
        if (order < 0)
            high = middle - 1;
        else
            low = middle + 1;
    }
    return nullptr;
}
