#pragma once
// The engine's file calls: OpenFile with its flags and error codes, the
// _l and _h read, write and seek calls, and the whole-file operations.
// Files created (OF_CREATE, _lcreat) are written into a temporary file
// beside the target and renamed over it when the handle is closed, so a
// crash or a failed write never leaves a half-written file in place.
// Files opened for writing without OF_CREATE are changed in place.
// Share modes hold between handles of this process and between running
// copies of the program (through advisory marks on the host file), and a
// file that is open anywhere cannot be deleted (ERROR_SHARING). An open
// that finds, once its marks are in place, that the name has been given to
// a new file meanwhile (another copy saved it) lets go and opens the new
// one: what it holds is always the file of that name.

#include <functional>
#include <string>

#include "platform/core/types.h"

namespace plat {

constexpr UINT OF_READ = 0x0000;
constexpr UINT OF_WRITE = 0x0001;
constexpr UINT OF_READWRITE = 0x0002;
constexpr UINT OF_SHARE_COMPAT = 0x0000;
constexpr UINT OF_SHARE_EXCLUSIVE = 0x0010;
constexpr UINT OF_SHARE_DENY_WRITE = 0x0020;
constexpr UINT OF_SHARE_DENY_READ = 0x0030;
constexpr UINT OF_SHARE_DENY_NONE = 0x0040;
constexpr UINT OF_PARSE = 0x0100;
constexpr UINT OF_DELETE = 0x0200;
constexpr UINT OF_VERIFY = 0x0400;
constexpr UINT OF_CANCEL = 0x0800;
constexpr UINT OF_CREATE = 0x1000;
constexpr UINT OF_PROMPT = 0x2000;
constexpr UINT OF_EXIST = 0x4000;
constexpr UINT OF_REOPEN = 0x8000;

constexpr std::size_t OFS_MAXPATHNAME = 128;
struct OFSTRUCT {
    BYTE cBytes = sizeof(OFSTRUCT);
    BYTE fFixedDisk = 0;
    WORD nErrCode = 0;
    WORD Reserved1 = 0;
    WORD Reserved2 = 0;
    char szPathName[OFS_MAXPATHNAME] = {};
};

// Opens, creates, tests (OF_EXIST: opened and closed again, the result is
// not a usable handle), deletes (OF_DELETE) or only names (OF_PARSE) a
// file. HFILE_ERROR with the error in nErrCode (and GetLastError) on
// failure: 2 file not found, 3 path not found, 4 too many open files, 5
// access denied, 20 bad unit, 100 device failure, 101 no disc, 102 write
// protected, 103 disk full, 104 sharing violation.
HFILE OpenFile(const char* fileName, OFSTRUCT* info, UINT style);
HFILE _lopen(const char* path, int readWrite);
HFILE _lcreat(const char* path, int attribute);
// Like _lcreat, but the file takes its name when closed only where no file
// of that name exists then, so two writers never replace each other's new
// file: ERROR_FILE_EXISTS from the open when the file is there already, and
// from _lclose when another writer put one there meanwhile.
HFILE CreateNewFile(const char* path);
// A created file that takes the place of the file `held` has open: closed
// whole, it replaces that file at its path and `held` moves onto it, with
// the same access and share mode. The new file carries held's share marks
// before it takes the name and the old one keeps them until then, so no
// other open, here or in another running copy, can take the file in
// between. A failed write or DiscardFile leaves `held` on the old file, as
// it was; so does closing after `held` was closed. HFILE_ERROR
// (ERROR_INVALID_HANDLE) when `held` is unknown or a created file itself.
HFILE CreateReplacement(HFILE held);
// Closes; for a created file this is when it replaces the target. HFILE_ERROR
// when the handle is unknown or the file could not be put in place.
HFILE _lclose(HFILE file);
// Closes without putting anything in place: a created file's temporary file
// is removed and its target keeps its old contents; any other file is only
// closed. For a writer that finds its own output unusable. HFILE_ERROR when
// the handle is unknown.
HFILE DiscardFile(HFILE file);

// Test hook: asked before each open of a host file; a non-zero errno value
// fails the open with it, as a full descriptor table (EMFILE) would. An empty
// function removes the hook.
using OpenFaultHook = std::function<int(const std::string& hostPath)>;
void SetOpenFaultHook(OpenFaultHook hook);
// Test hook: asked before each read of an open file, with the file's host
// path and where the read starts; a non-zero errno value fails the read with
// it, as a bad sector of a disc would. An empty function removes the hook.
using ReadFaultHook = std::function<int(const std::string& hostPath, std::size_t offset)>;
void SetReadFaultHook(ReadFaultHook hook);

constexpr int FILE_BEGIN = 0;
constexpr int FILE_CURRENT = 1;
constexpr int FILE_END = 2;
LONG _llseek(HFILE file, LONG offset, int origin);
// Bytes read or written, HFILE_ERROR (as UINT or LONG) on failure with
// GetLastError set; 0 is set on success. Writing 0 bytes with _lwrite or
// _hwrite truncates the file at the current position.
UINT _lread(HFILE file, void* buffer, UINT count);
UINT _lwrite(HFILE file, const char* buffer, UINT count);
LONG _hread(HFILE file, void* buffer, LONG count);
LONG _hwrite(HFILE file, const char* buffer, LONG count);

constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFF;
DWORD GetFileSize(HFILE file, DWORD* sizeHigh);
// Truncates or extends the file to the current position.
BOOL SetEndOfFile(HFILE file);

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x04;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
DWORD GetFileAttributesA(const char* path);
// Only the read-only attribute has a host meaning (the write permission).
BOOL SetFileAttributesA(const char* path, DWORD attributes);

// Whether a host file carries the read-only attribute.
bool IsReadOnlyHostFile(const std::string& hostPath);

BOOL DeleteFileA(const char* path);
// Removes what writers ended half-way left in a folder (see
// RemoveAbandonedTemporaryFiles); the number removed.
std::size_t RemoveAbandonedTemporaryFilesIn(const char* folder);
// Copies atomically; with failIfExists an existing target is an error.
BOOL CopyFileA(const char* existing, const char* target, BOOL failIfExists);
BOOL MoveFileA(const char* existing, const char* target);
// Names with ? * < > | " or a control character fail with ERROR_INVALID_NAME.
BOOL CreateDirectoryA(const char* path, const void* security);
BOOL RemoveDirectoryA(const char* path);

}  // namespace plat
