#include "foundation/JxFileUtils.h"

#include <cstring>
#include <vector>

#include "foundation/JxCDirectoryList.h"
#include "foundation/JxDataDiscLink.h"
#include "foundation/JxErrorMode.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxFileDialogs.h"
#include "foundation/JxStartupSettings.h"
#include "platform/fs/errors.h"
#include "platform/fs/files.h"

namespace {

// The answer to an open that failed with a device error: on Retry the
// drive's label is read (which waits for its disc); on Ignore the user may
// pick the data's drive, after which the open is tried again.
std::int32_t reactToDeviceError(std::uint32_t code, const JxCString& name)
{
    std::int32_t answer = ReportErrorAbortRetryIgnore(ErrorCodeToMessageId(code), name);
    if (answer == kAnswerRetry) {
        JxCString label;
        if (!name.IsEmpty())
            GetVolumeLabelRoad(name.GetText()[0], label);
    } else if (answer == kAnswerIgnore) {
        answer = RunLocateDialogRoad(2) ? kAnswerRetry : ReportErrorAbortRetryIgnore(kFileNotOnDiscId, name);
    }
    return answer;
}

std::int32_t reactToOpenError(std::uint32_t code, plat::UINT style, JxCString& name, bool& discCheckedAgain)
{
    switch (code) {
    case plat::ERROR_FILE_NOT_FOUND:
    case plat::ERROR_PATH_NOT_FOUND:
        return (style & plat::OF_EXIST) ? 0 : HandleFileNotFound(name, &discCheckedAgain);
    case plat::ERROR_TOO_MANY_OPEN_FILES:
        return ReportErrorAbortRetryIgnore(kTooManyFilesId, name);
    case plat::ERROR_BAD_UNIT:
        return 0;
    case plat::ERROR_DEVICE_FAILURE:
    case plat::ERROR_NO_DISC:
    case plat::ERROR_WRITE_PROTECTED:
    case plat::ERROR_SHARING:
        return reactToDeviceError(code, name);
    default:
        return ReportErrorAbortRetryIgnore(kFileErrorId, name);
    }
}

void setError(std::uint32_t* error, std::uint32_t code)
{
    if (error)
        *error = code;
}

// The code of a transfer that moved fewer bytes than asked for.
std::uint32_t shortTransferCode()
{
    std::uint32_t code = plat::GetLastError();
    return code ? code : plat::ERROR_DISK_FULL;
}

}  // namespace

plat::HFILE OpenFileWithRetry(JxCString& name, plat::UINT style, std::uint32_t* error)
{
    JxQuietErrorMode quiet;
    plat::HFILE file = plat::HFILE_ERROR;
    std::int32_t answer = 0;
    bool discCheckedAgain = false;
    do {
        plat::OFSTRUCT info;
        file = plat::OpenFile(name.GetText() ? name.GetText() : "", &info, style);
        setError(error, info.nErrCode);
        answer = 0;
        if (file == plat::HFILE_ERROR && info.nErrCode != 0)
            answer = reactToOpenError(info.nErrCode, style, name, discCheckedAgain);
    } while (answer == kAnswerRetry);
    return file;
}

plat::HFILE OpenFileWithRetry(const char* name, plat::UINT style, std::uint32_t* error)
{
    JxCString copy(name);
    return OpenFileWithRetry(copy, style, error);
}

std::int32_t HandleFileNotFound(JxCString& name, bool* discCheckedAgain)
{
    if (IsTestingEnabled()) {
        bool located = false;
        std::int32_t answer = 0;
        do {
            answer = ReportErrorAbortRetryIgnore(kFileNotFoundDeveloperId, name);
            if (answer == kAnswerRetry) {
                located = LocateMissingFile(name);
                RelocateDataPathRoad(JxCString(name));
            }
        } while (answer == kAnswerRetry && !located);
        return located ? kAnswerRetry : 0;
    }
    switch (DataDiscStateRoad()) {
    case JxDataDiscState::InDrive:
        // The check may have asked for the disc: once it is back, so may be
        // the file.
        if (FileExists(name.GetText()))
            return kAnswerRetry;
        return ReportErrorAbortRetryIgnore(kFileNotOnDiscId, name);
    case JxDataDiscState::Declined:
        // Asked for the disc, the user goes on without it: the file is not
        // asked about again, nor the disc.
        return kAnswerIgnore;
    case JxDataDiscState::NotInDrive:
        break;
    }
    // A check that succeeds while the file stays missing (a network
    // install whose data path lists) must not send the open round again
    // and again without a word: after one check the user is asked.
    const bool mayCheck = !discCheckedAgain || !*discCheckedAgain;
    if (discCheckedAgain)
        *discCheckedAgain = true;
    if (mayCheck && CheckDataDiscAgainRoad())
        return kAnswerRetry;
    return ReportErrorAbortRetryIgnore(kFileNotOnDiscId, name);
}

void CloseFile(plat::HFILE file)
{
    JxQuietErrorMode quiet;
    plat::_lclose(file);
}

std::uint32_t GetOpenFileSize(plat::HFILE file)
{
    JxQuietErrorMode quiet;
    return plat::GetFileSize(file, nullptr);
}

std::int32_t SeekFile(plat::HFILE file, std::int32_t offset, int origin)
{
    JxQuietErrorMode quiet;
    return plat::_llseek(file, offset, origin);
}

std::int32_t ReadFileHuge(plat::HFILE file, void* buffer, std::int32_t count, std::uint32_t* error)
{
    JxQuietErrorMode quiet;
    plat::SetLastError(0);
    std::int32_t n = plat::_hread(file, buffer, count);
    setError(error, n == -1 ? plat::GetLastError() : 0);
    return n;
}

std::int32_t ReadFileHugeChecked(plat::HFILE file, void* buffer, std::int32_t count, std::uint32_t* error)
{
    return ReadFileHuge(file, buffer, count, error);
}

std::int32_t ReadFileBlock(plat::HFILE file, void* buffer, std::uint32_t count, std::uint32_t* error)
{
    JxQuietErrorMode quiet;
    plat::SetLastError(0);
    std::int32_t n = static_cast<std::int32_t>(plat::_lread(file, buffer, count));
    setError(error, n == -1 ? plat::GetLastError() : 0);
    return n;
}

std::int32_t WriteFileHuge(plat::HFILE file, const void* buffer, std::int32_t count, std::uint32_t* error)
{
    JxQuietErrorMode quiet;
    plat::SetLastError(0);
    std::int32_t n = plat::_hwrite(file, static_cast<const char*>(buffer), count);
    if (n == -1)
        setError(error, plat::GetLastError());
    else
        setError(error, n < count ? shortTransferCode() : 0);
    return n;
}

std::int32_t WriteFileBlock(plat::HFILE file, const void* buffer, std::uint32_t count, std::uint32_t* error)
{
    JxQuietErrorMode quiet;
    plat::SetLastError(0);
    std::int32_t n = static_cast<std::int32_t>(plat::_lwrite(file, static_cast<const char*>(buffer), count));
    if (n == -1)
        setError(error, plat::GetLastError());
    else
        setError(error, static_cast<std::uint32_t>(n) < count ? shortTransferCode() : 0);
    return n;
}

bool FileExists(const char* path)
{
    if (!path || !*path)
        return false;
    JxCDirectoryList list(path);
    return list.FindFirst();
}

namespace {

// 1: a folder, 0: an entry that is not one, -1: nothing found.
int folderState(const std::string& path)
{
    JxQuietErrorMode quiet;
    plat::WIN32_FIND_DATAA data;
    plat::HANDLE_FIND search = plat::FindFirstFileA(path.c_str(), &data);
    if (search == plat::INVALID_FIND_HANDLE)
        return -1;
    plat::FindClose(search);
    return (data.dwFileAttributes & plat::FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
}

}  // namespace

bool DirectoryExists(const char* path)
{
    if (!path || !*path)
        return false;
    std::string p(path);
    int state = folderState(p);
    if (state >= 0)
        return state == 1;
    if (p.back() != '\\' && p.back() != '/')
        return false;
    std::string trimmed = p.substr(0, p.size() - 1);
    if (!trimmed.empty() && folderState(trimmed) == 1)
        return true;
    // A drive root names no entry of its own: it exists when it lists.
    if (!trimmed.empty() && trimmed.back() == ':')
        return FileExists((p + "*").c_str());
    return false;
}

JxCString MakeStringCopy(const char* text)
{
    return JxCString(text);
}

bool CopyInBlocks(const JxBlockReader& read, const JxBlockWriter& write, const JxCString& destinationName)
{
    std::vector<std::uint8_t> block(kCopyBlockSize);
    std::int32_t count = 0;
    do {
        count = read(block.data(), kCopyBlockSize);
        if (count < 0 || count > std::int32_t(kCopyBlockSize))
            return false;
        if (count > 0 && write(block.data(), std::uint32_t(count)) != count) {
            ReportErrorOk(kShortCopyWriteId, destinationName);
            return false;
        }
    } while (count > 0);
    return true;
}
