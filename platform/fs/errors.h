#pragma once
// The last-error code of the calling thread, and the error codes the
// platform's Windows calls report. Host errno values become these codes.

#include "platform/core/types.h"

namespace plat {

constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_TOO_MANY_OPEN_FILES = 4;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_NO_MORE_FILES = 18;
// The device behind a path does not exist (host ENODEV, ENXIO).
constexpr DWORD ERROR_BAD_UNIT = 20;
constexpr DWORD ERROR_WRITE_FAULT = 29;
constexpr DWORD ERROR_READ_FAULT = 30;
constexpr DWORD ERROR_FILE_EXISTS = 80;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
// A name holding a character no Windows file name may hold.
constexpr DWORD ERROR_INVALID_NAME = 123;
constexpr DWORD ERROR_DIR_NOT_EMPTY = 145;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;
constexpr DWORD ERROR_MORE_DATA = 234;
constexpr DWORD ERROR_NO_MORE_ITEMS = 259;
constexpr DWORD ERROR_KEY_DELETED = 1018;
constexpr DWORD ERROR_BAD_DEVICE = 1200;
constexpr DWORD ERROR_NOT_CONNECTED = 2250;

// The file errors of the engine's own open call, which its reports know:
// a general device failure, no disc in a cdrom drive, a write to a medium
// that cannot be written, a full disk, and a file held open by another
// handle whose share mode forbids this access.
constexpr DWORD ERROR_DEVICE_FAILURE = 100;
constexpr DWORD ERROR_NO_DISC = 101;
constexpr DWORD ERROR_WRITE_PROTECTED = 102;
constexpr DWORD ERROR_DISK_FULL = 103;
constexpr DWORD ERROR_SHARING = 104;

DWORD GetLastError();
void SetLastError(DWORD code);
// The code for a host errno value.
DWORD ErrorFromErrno(int err);

// Kept for the engine's calls around every file operation; nothing on this
// platform shows a system error box, so the mode changes nothing else.
constexpr UINT SEM_FAILCRITICALERRORS = 0x0001;
constexpr UINT SEM_NOOPENFILEERRORBOX = 0x8000;
UINT SetErrorMode(UINT mode);
// The engine asks for a number of file handles; the host has enough.
UINT SetHandleCount(UINT count);

}  // namespace plat
