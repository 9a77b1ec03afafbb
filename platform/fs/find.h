#pragma once
// Directory search with the Windows wildcard rules: '*' matches any run of
// characters, '?' one character (or none before a dot or at the end),
// letters without regard to case, and "*.*" matches every name, with or
// without a dot. Folders other than a drive's root list "." and "..".

#include <string_view>

#include "platform/core/types.h"

namespace plat {

struct FILETIME {
    DWORD dwLowDateTime = 0;
    DWORD dwHighDateTime = 0;
};

constexpr std::size_t MAX_PATH = 260;

struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes = 0;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh = 0;
    DWORD nFileSizeLow = 0;
    DWORD dwReserved0 = 0;
    DWORD dwReserved1 = 0;
    char cFileName[MAX_PATH] = {};
    char cAlternateFileName[14] = {};
};

struct FindSearch;
using HANDLE_FIND = FindSearch*;
// The failed search, as the engine tests it.
inline HANDLE_FIND const INVALID_FIND_HANDLE = nullptr;

// The first entry matching the pattern (a path whose last component
// may hold wildcards); INVALID_FIND_HANDLE with GetLastError (2 nothing
// matches, 3 the folder is missing, 101 no disc) when there is none.
HANDLE_FIND FindFirstFileA(const char* fileSpec, WIN32_FIND_DATAA* data);
// The next entry; false with ERROR_NO_MORE_FILES at the end.
BOOL FindNextFileA(HANDLE_FIND search, WIN32_FIND_DATAA* data);
BOOL FindClose(HANDLE_FIND search);

// The matching rule on its own (names in the current code page).
bool MatchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace plat
