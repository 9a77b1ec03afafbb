#include "foundation/JxCSubFile.h"

#include <algorithm>
#include <limits>

#include "foundation/JxCDataIndexList.h"
#include "foundation/JxCMungeFile.h"
#include "foundation/JxFileUtils.h"
#include "platform/fs/files.h"

JxCSubFile::JxCSubFile(const char* name, JxCMungeFile* store) : JxCBaseFile(name), store_(store)
{
    SetName(JxCMungeFile::ApplyNamePrefix(GetName()));
    if (!store_ || store_->GetFileHandle() == plat::HFILE_ERROR)
        return;
    entry_ = store_->FindEntry(GetName());
    if (!entry_)
        return;
    id_ = NextSubFileId();
    store_->AddOpenSubFile(this);
    status_ = 1;
}

JxCSubFile::~JxCSubFile()
{
    if (store_ && id_ != 0)
        store_->RemoveOpenSubFile(id_);
}

std::int32_t JxCSubFile::Read(void*, std::int32_t)
{
    return 0;
}

std::int32_t JxCSubFile::Seek(std::int32_t, int)
{
    return 0;
}

plat::HFILE JxCSubFile::GetHandle() const
{
    return store_ ? store_->GetFileHandle() : plat::HFILE_ERROR;
}

void JxCSubFile::ForgetStore()
{
    store_ = nullptr;
    entry_ = nullptr;
    status_ = 0;
}

std::uint32_t JxCjxioSubFile::GetSize() const
{
    return GetEntry() ? GetEntry()->GetSize() : 0;
}

std::int32_t JxCjxioSubFile::Seek(std::int32_t offset, int origin)
{
    status_ = 0;
    const JxCDataIndexEntry* entry = GetEntry();
    if (!entry || GetHandle() == plat::HFILE_ERROR)
        return -1;
    std::int64_t base = 0;
    switch (origin) {
    case plat::FILE_BEGIN:
        break;
    case plat::FILE_CURRENT:
        base = position_;
        break;
    case plat::FILE_END:
        base = entry->GetSize();
        break;
    default:
        return -1;
    }
    const std::int64_t target = base + offset;
    if (target < 0 || target > entry->GetSize())
        return -1;
    const std::int64_t absolute = std::int64_t(entry->GetOffset()) + target;
    if (absolute > std::numeric_limits<std::int32_t>::max())
        return -1;
    if (SeekFile(GetHandle(), std::int32_t(absolute), plat::FILE_BEGIN) != absolute)
        return -1;
    position_ = std::uint32_t(target);
    status_ = 1;
    return std::int32_t(position_);
}

std::int32_t JxCjxioSubFile::Read(void* buffer, std::int32_t count)
{
    status_ = 0;
    if (!GetEntry() || GetHandle() == plat::HFILE_ERROR)
        return 0;
    // The store's one handle is shared: put it where this sub-file stands.
    if (Seek(std::int32_t(position_), plat::FILE_BEGIN) != std::int32_t(position_))
        return 0;
    status_ = 0;
    const std::uint32_t left = GetSize() - position_;
    const std::uint32_t wanted = std::min<std::uint32_t>(std::uint32_t(std::max(count, 0)), left);
    std::uint32_t error = 0;
    const std::int32_t got = ReadFileHuge(GetHandle(), buffer, std::int32_t(wanted), &error);
    if (got < 0)
        return 0;
    position_ += std::uint32_t(got);
    status_ = std::uint32_t(got) == wanted ? 1 : 0;
    return got;
}

std::int16_t JxCSubFileList::Remove(std::uint32_t id)
{
    JxCSubFile* subFile = Find(id);
    return subFile ? JxCTypedList<JxCSubFile>::Remove(subFile) : 0;
}

JxCSubFile* JxCSubFileList::Find(std::uint32_t id)
{
    for (JxCSubFile* s = GetFirst(); s; s = GetNext(s))
        if (s->GetId() == id)
            return s;
    return nullptr;
}
