#include "foundation/JxCMungeFile.h"

#include <algorithm>

#include "foundation/JxErrorReport.h"
#include "foundation/JxFileUtils.h"
#include "platform/fs/files.h"
#include "foundation/JxStartupSettings.h"

namespace {

std::uint32_t& subFileCounter()
{
    static std::uint32_t last = 0;
    return last;
}

}  // namespace

std::uint32_t NextSubFileId()
{
    std::uint32_t& last = subFileCounter();
    if (++last == 0)
        ++last;
    return last;
}

JxCMungeFile::JxCMungeFile(const char* name) : name_(name)
{
    file_ = OpenFileWithRetry(name_, plat::OF_READ | plat::OF_SHARE_DENY_WRITE, &error_);
    if (file_ == plat::HFILE_ERROR || error_ != 0) {
        if (file_ != plat::HFILE_ERROR)
            CloseFile(file_);
        file_ = plat::HFILE_ERROR;
        return;
    }
    if (!index_.ReadIndex(file_)) {
        ReportErrorOk(kDamagedStoreId, name_);
        CloseFile(file_);
        file_ = plat::HFILE_ERROR;
        return;
    }
    // What the damaged index still holds serves; the damage goes to the log.
    if (index_.IsDamaged())
        OhNoItsAnError(kPartlyDamagedStoreId, name_);
    open_ = 1;
}

JxCMungeFile::~JxCMungeFile()
{
    for (JxCSubFile* s = openSubFiles_.GetFirst(); s; s = openSubFiles_.GetNext(s))
        s->ForgetStore();
    openSubFiles_.RemoveAll();
    openedById_.clear();
    if (file_ != plat::HFILE_ERROR)
        CloseFile(file_);
}

std::uint32_t JxCMungeFile::OpenSubFile(const char* name)
{
    auto subFile = std::make_unique<JxCjxioSubFile>(this, name);
    const std::uint32_t id = subFile->GetId();
    if (id != 0)
        openedById_.push_back(std::move(subFile));
    return id;
}

std::int32_t JxCMungeFile::ReadSubFile(std::uint32_t id, void* buffer, std::int32_t count)
{
    JxCSubFile* subFile = FindSubFile(id);
    return subFile ? subFile->Read(buffer, count) : 0;
}

std::int32_t JxCMungeFile::SeekSubFile(std::uint32_t id, std::int32_t offset, int origin)
{
    JxCSubFile* subFile = FindSubFile(id);
    return subFile ? subFile->Seek(offset, origin) : -1;
}

JxCSubFile* JxCMungeFile::FindSubFile(std::uint32_t id)
{
    return id == 0 ? nullptr : openSubFiles_.Find(id);
}

bool JxCMungeFile::CloseSubFile(std::uint32_t id)
{
    auto it = std::find_if(openedById_.begin(), openedById_.end(),
                           [id](const std::unique_ptr<JxCjxioSubFile>& s) { return s->GetId() == id; });
    if (it == openedById_.end())
        return false;
    openedById_.erase(it);
    return true;
}

const JxCDataIndexEntry* JxCMungeFile::FindEntry(const JxCTableString& name)
{
    return index_.Find(name);
}

JxCString JxCMungeFile::ApplyNamePrefix(const JxCTableString& name)
{
    const JxCString& listPath = GetMungeListPath();
    const JxCString& prefix = listPath.IsEmpty() ? GetDataPathString() : listPath;
    const std::string_view whole = name.View();
    const std::string_view lead = prefix.View();
    if (lead.empty() || lead.size() > whole.size() ||
        JxCTableString::CompareNoCase(whole.substr(0, lead.size()), lead) != 0)
        return JxCString(whole);
    std::string_view rest = whole.substr(lead.size());
    // The prefix must end at a folder: "D:\DATA" is no prefix of
    // "D:\DATABASE\X.BMP".
    const bool prefixEndsFolder = lead.back() == '\\' || lead.back() == ':';
    if (!prefixEndsFolder && !rest.empty() && rest.front() != '\\')
        return JxCString(whole);
    if (!rest.empty() && rest.front() == '\\')
        rest.remove_prefix(1);
    return JxCString(rest);
}

void JxCMungeFile::AddOpenSubFile(JxCSubFile* subFile)
{
    openSubFiles_.Add(subFile);
}

void JxCMungeFile::RemoveOpenSubFile(std::uint32_t id)
{
    openSubFiles_.Remove(id);
}
