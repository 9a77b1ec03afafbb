#include "platform/fs/errors.h"

#include <atomic>
#include <cerrno>

namespace plat {

namespace {
thread_local DWORD t_lastError = 0;
std::atomic<UINT> g_errorMode{0};
}  // namespace

DWORD GetLastError() { return t_lastError; }
void SetLastError(DWORD code) { t_lastError = code; }

DWORD ErrorFromErrno(int err)
{
    switch (err) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return ERROR_PATH_NOT_FOUND;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case EACCES:
    case EPERM:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EBADF: return ERROR_INVALID_HANDLE;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case ENODEV:
    case ENXIO: return ERROR_BAD_UNIT;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ENOMEDIUM: return ERROR_NO_DISC;
    case EROFS: return ERROR_WRITE_PROTECTED;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return ERROR_DISK_FULL;
    case EBUSY:
    case ETXTBSY: return ERROR_SHARING;
    default: return ERROR_DEVICE_FAILURE;
    }
}

UINT SetErrorMode(UINT mode) { return g_errorMode.exchange(mode); }
UINT SetHandleCount(UINT count) { return count; }

}  // namespace plat
