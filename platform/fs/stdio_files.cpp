#include "platform/fs/stdio_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/fs/drives.h"
#include "platform/fs/errors.h"
#include "platform/fs/files.h"
#include "platform/fs/paths.h"

namespace plat {

namespace {

bool writesWithMode(const char* mode)
{
    return std::strpbrk(mode, "wa+") != nullptr;
}

// The host file for a Windows path and mode, or empty with the last error
// set when the path cannot be used that way.
std::string resolveForMode(const char* windowsPath, const char* mode)
{
    if (!windowsPath || !*windowsPath || !mode || !*mode) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return {};
    }
    HostPath where = ResolveHostPath(windowsPath);
    if (where.error) {
        SetLastError(where.error);
        return {};
    }
    if (where.isFolder) {
        SetLastError(ERROR_ACCESS_DENIED);
        return {};
    }
    bool writes = writesWithMode(mode);
    if (writes && where.driveType == DRIVE_CDROM) {
        SetLastError(ERROR_WRITE_PROTECTED);
        return {};
    }
    if (writes && where.exists && IsReadOnlyHostFile(where.host)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return {};
    }
    return where.host;
}

}  // namespace

std::FILE* OpenStdioFile(const char* windowsPath, const char* mode)
{
    std::string host = resolveForMode(windowsPath, mode);
    if (host.empty())
        return nullptr;
    errno = 0;
    std::FILE* f = std::fopen(host.c_str(), mode);
    SetLastError(f ? ERROR_SUCCESS : ErrorFromErrno(errno));
    return f;
}

std::FILE* ReopenStdioFile(const char* windowsPath, const char* mode, std::FILE* stream)
{
    std::string host = resolveForMode(windowsPath, mode);
    if (host.empty()) {
        if (stream)
            std::fclose(stream);
        return nullptr;
    }
    errno = 0;
    std::FILE* f = stream ? std::freopen(host.c_str(), mode, stream) : std::fopen(host.c_str(), mode);
    SetLastError(f ? ERROR_SUCCESS : ErrorFromErrno(errno));
    return f;
}

void SetLastErrorFromErrno()
{
    SetLastError(ErrorFromErrno(errno));
}

bool GetStdioFileLength(std::FILE* stream, std::uint32_t& length)
{
    struct stat st {};
    if (!stream || std::fflush(stream) != 0 || ::fstat(::fileno(stream), &st) != 0) {
        SetLastError(stream ? ErrorFromErrno(errno) : ERROR_INVALID_HANDLE);
        return false;
    }
    if (st.st_size > 0xFFFFFFFFll) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    length = static_cast<std::uint32_t>(st.st_size);
    SetLastError(ERROR_SUCCESS);
    return true;
}

bool SetStdioFileLength(std::FILE* stream, std::uint32_t length)
{
    if (!stream || std::fflush(stream) != 0 || ::ftruncate(::fileno(stream), length) != 0) {
        SetLastError(stream ? ErrorFromErrno(errno) : ERROR_INVALID_HANDLE);
        return false;
    }
    SetLastError(ERROR_SUCCESS);
    return true;
}

}  // namespace plat
