#include "foundation/JxCDirectoryList.h"

#include "foundation/JxErrorMode.h"

JxCDirectoryList::JxCDirectoryList(const char* fileSpec) : fileSpec_(fileSpec) {}

JxCDirectoryList::~JxCDirectoryList()
{
    close();
}

void JxCDirectoryList::close()
{
    if (search_ != plat::INVALID_FIND_HANDLE)
        plat::FindClose(search_);
    search_ = plat::INVALID_FIND_HANDLE;
    haveEntry_ = false;
}

bool JxCDirectoryList::FindFirst()
{
    close();
    JxQuietErrorMode quiet;
    data_ = {};
    search_ = plat::FindFirstFileA(fileSpec_.GetText() ? fileSpec_.GetText() : "", &data_);
    haveEntry_ = search_ != plat::INVALID_FIND_HANDLE;
    return haveEntry_;
}

bool JxCDirectoryList::FindNext()
{
    if (search_ == plat::INVALID_FIND_HANDLE)
        return false;
    JxQuietErrorMode quiet;
    haveEntry_ = plat::FindNextFileA(search_, &data_) != 0;
    return haveEntry_;
}

bool JxCDirectoryList::ensureSearch()
{
    if (search_ == plat::INVALID_FIND_HANDLE)
        FindFirst();
    return haveEntry_;
}

JxCString JxCDirectoryList::GetName()
{
    return ensureSearch() ? JxCString(data_.cFileName) : JxCString();
}

std::uint32_t JxCDirectoryList::GetSize()
{
    return ensureSearch() ? data_.nFileSizeLow : 0;
}

std::uint32_t JxCDirectoryList::GetAttributes()
{
    return ensureSearch() ? data_.dwFileAttributes : 0;
}

plat::FILETIME JxCDirectoryList::GetTime()
{
    return ensureSearch() ? data_.ftLastWriteTime : plat::FILETIME{};
}

std::int32_t JxCDirectoryList::GetCount()
{
    if (!counted_) {
        counted_ = true;
        // A separate search, so that the caller's walk is not disturbed.
        JxCDirectoryList counter(fileSpec_.GetText());
        if (counter.FindFirst()) {
            do
                ++count_;
            while (counter.FindNext());
        }
    }
    return count_;
}
