#pragma once
// Windows paths of the engine ("D:\DATA\PAGE1.BMP") and the host paths
// they stand for. Both separators are accepted; "X:NAME" is relative to the
// current folder of drive X; "\NAME" to the root of the current drive; a
// name without either to the current folder. "\\server\share\..." reaches
// the drive whose network name is "\\server\share". On the host, each
// component is matched without regard to case; the bytes of Windows names
// are text of the current code page, host names are UTF-8.

#include <string>
#include <string_view>

#include "platform/core/types.h"

namespace plat {

// The absolute, normalised form "X:\DIR\NAME" ("." and ".." folded,
// separators made backslashes; a path given with a closing separator keeps
// one backslash, as does a root), or empty for a path without a usable
// drive (error in *error when given).
std::string GetFullWindowsPath(std::string_view path, DWORD* error = nullptr);

struct HostPath {
    DWORD error = 0;         // 0, ERROR_PATH_NOT_FOUND, ERROR_NO_DISC or ERROR_BAD_UNIT
    std::string host;        // the host path (when error is 0)
    bool exists = false;     // the whole path names an existing entry
    bool isFolder = false;   // ... and that entry is a folder
    UINT driveType = 0;      // the GetDriveType code of its drive
};
// Resolves a Windows path. The folders on the way must exist (else
// ERROR_PATH_NOT_FOUND); the last component may be missing, and is then
// spelled as given.
HostPath ResolveHostPath(std::string_view windowsPath);

// The Windows path of a host path on one of the drives, or empty.
std::string HostToWindowsPath(const std::string& hostPath);

// Position of the last path separator of a Windows path, or npos. In a
// double-byte code page a trail byte that looks like a backslash is part
// of its character, not a separator.
std::size_t FindLastSeparator(std::string_view windowsPath);

// Text between UTF-8 and a code page; characters the page lacks become '?'.
std::string Utf8ToCodePage(std::string_view utf8, int codePage);
std::string CodePageToUtf8(std::string_view bytes, int codePage);
// UTF-8 to code points, the one decoder of the platform; each byte of a
// malformed or cut-off sequence becomes U+FFFD.
std::u32string DecodeUtf8(std::string_view utf8);

// Names between the two encodings.
std::string HostNameFromAnsi(std::string_view ansi);
std::string AnsiFromHostName(std::string_view utf8);
// Component comparison without regard to case, over host (UTF-8) names.
bool HostNamesMatch(std::string_view a, std::string_view b);

// The current drive (1 = A:) and each drive's current folder.
int _getdrive();
// 0 on success; -1 for a drive that is not mapped or holds no disc.
int _chdrive(int drive);
DWORD GetCurrentDirectoryA(DWORD size, char* buffer);
BOOL SetCurrentDirectoryA(const char* path);

// The emulated Windows folder ("C:\WINDOWS" with the default table) and
// its SYSTEM folder, both created when missing. The result is the length
// copied, or the size needed (with its terminator) when it does not fit.
UINT GetWindowsDirectoryA(char* buffer, UINT size);
UINT GetSystemDirectoryA(char* buffer, UINT size);
// The folder for temporary files (the Windows folder's TEMP), ending in a
// backslash; the same length rules as GetCurrentDirectoryA.
DWORD GetTempPathA(DWORD size, char* buffer);

// The program's file as a Windows path ("P:\KELBO32").
std::string ProgramFileWindowsPath();

}  // namespace plat
