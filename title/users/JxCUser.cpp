#include "title/users/JxCUser.h"

#include <algorithm>
#include <string>

#include "foundation/JxCDirectoryList.h"
#include "foundation/JxCInStrStream.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxFileUtils.h"
#include "foundation/JxLanguage.h"
#include "platform/fs/files.h"

namespace {

// How often a new user's file is tried under the next free name when
// another running copy takes each one first.
constexpr int kCreateAttempts = 16;

// The name at the start of a user file opened with the share mode; empty
// when the file cannot be opened so.
JxCString readNameShared(const JxCString& fileName, plat::UINT share)
{
    plat::OFSTRUCT info;
    const plat::HFILE file = plat::OpenFile(UserFilePath(fileName).GetText(), &info, plat::OF_READ | share);
    if (file == plat::HFILE_ERROR)
        return {};
    JxCString name;
    {
        JxCInStrStream in(file, 0);
        JxCUserRecord::ReadName(in, name);
    }
    plat::_lclose(file);
    return name;
}

}  // namespace

JxCUser::JxCUser() = default;
JxCUser::~JxCUser() = default;

void JxCUser::SetVisited(std::int32_t page)
{
    if (record_ && page >= 0 && page < JxCUserRecord::kPages)
        record_->SetVisited(page);
}

std::int32_t JxCUser::LoadList()
{
    entries_.clear();
    JxCDirectoryList files((GetUserFolder() + JxCString("*.Gv3")).GetText());
    for (bool found = files.FindFirst(); found; found = files.FindNext()) {
        JxCUserEntry entry;
        entry.fileName = files.GetName();
        entry.userName = ReadUserName(entry.fileName);
        if (!entry.userName.IsEmpty())
            entries_.push_back(std::move(entry));
    }
    SortList();
    return GetEntryCount();
}

void JxCUser::SortList()
{
    std::stable_sort(entries_.begin(), entries_.end(), [](const JxCUserEntry& a, const JxCUserEntry& b) {
        return CompareNoCase(a.userName.GetText(), b.userName.GetText()) < 0;
    });
}

JxCString JxCUser::ReadUserName(const JxCString& fileName)
{
    if (record_ && record_->IsFileName(fileName))
        return record_->GetName();
    // Opened for exclusive use: a file that another running copy holds (its
    // user is logged in there) is not opened, and its user not listed.
    return readNameShared(fileName, plat::OF_SHARE_EXCLUSIVE);
}

void JxCUser::RemoveAbandonedSaves()
{
    plat::RemoveAbandonedTemporaryFilesIn(GetUserFolder().GetText());
}

JxCString JxCUser::MakeFileName() const
{
    for (std::int32_t n = 0; n <= kMaxFileNumber; ++n) {
        const JxCString name(("jx" + std::to_string(n) + ".Gv3").c_str());
        if (!FileExists(UserFilePath(name).GetText()))
            return name;
    }
    return {};
}

std::int16_t JxCUser::Login(std::int32_t entry)
{
    const JxCUserEntry* picked = GetEntry(entry);
    if (!picked)
        return 0;
    const JxCUserEntry chosen = *picked;
    if (record_ && record_->IsFileName(chosen.fileName)) {
        currentName_ = chosen.userName;
        return 1;
    }
    auto record = std::make_unique<JxCUserRecord>();
    if (!record->Load(chosen.fileName)) {
        if (record->IsUnwritable())
            ReportErrorOk(JxCUserRecord::kCannotLogInId, UserFilePath(chosen.fileName));
        return 0;
    }
    record_ = std::move(record);
    currentName_ = chosen.userName;
    return 1;
}

JxCString JxCUser::CreateUser(const JxCString& name)
{
    if (name.IsEmpty() || name.GetLength() > kMaxNameLength)
        return {};
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        const JxCString fileName = MakeFileName();
        if (fileName.IsEmpty())
            break;
        JxCUserRecord record;
        record.SetFileName(fileName);
        switch (record.Create(name)) {
        case JxCUserRecord::Creation::kWritten:
            return fileName;
        case JxCUserRecord::Creation::kNameTaken:
            continue;
        case JxCUserRecord::Creation::kFailed:
            return {};  // reported
        }
    }
    ReportErrorOk(JxCUserRecord::kFolderNotWritableId, GetUserFolderName());
    return {};
}

std::int16_t JxCUser::DeleteUser(std::int32_t entry)
{
    // The login lists its users before anyone has logged in; a user picked
    // there can be deleted then too, or the question it asks would lead to
    // nothing.
    const JxCUserEntry* picked = GetEntry(entry);
    if (!picked || IsCurrentEntry(entry))
        return 0;
    return plat::DeleteFileA(UserFilePath(picked->fileName).GetText()) ? 1 : 0;
}

bool JxCUser::IsNameTaken(const JxCTableString& name) const
{
    if (FindName(name) >= 0)
        return true;
    // The list leaves out users logged in in another running copy; their
    // files can still be read.
    JxCDirectoryList files((GetUserFolder() + JxCString("*.Gv3")).GetText());
    for (bool found = files.FindFirst(); found; found = files.FindNext()) {
        const JxCString fileName = files.GetName();
        const JxCString held = record_ && record_->IsFileName(fileName) ? record_->GetName()
                                                                       : readNameShared(fileName, plat::OF_SHARE_DENY_NONE);
        if (!held.IsEmpty() && held.EqualsTextNoCase(name))
            return true;
    }
    return false;
}

std::int32_t JxCUser::GetCurrentIndex() const
{
    return record_ ? std::max(FindFile(record_->GetFileName()), 0) : 0;
}

bool JxCUser::IsCurrentEntry(std::int32_t entry) const
{
    const JxCUserEntry* e = GetEntry(entry);
    return e && record_ && record_->IsFileName(e->fileName);
}

std::int32_t JxCUser::FindName(const JxCTableString& name) const
{
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].userName.View() == name.View())
            return static_cast<std::int32_t>(i);
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].userName.EqualsTextNoCase(name))
            return static_cast<std::int32_t>(i);
    return -1;
}

std::int32_t JxCUser::FindFile(const JxCTableString& fileName) const
{
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].fileName.EqualsNoCase(fileName))
            return static_cast<std::int32_t>(i);
    return -1;
}

const JxCUserEntry* JxCUser::GetEntry(std::int32_t i) const
{
    return i >= 0 && i < GetEntryCount() ? &entries_[std::size_t(i)] : nullptr;
}
