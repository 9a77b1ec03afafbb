#include "platform/fs/find.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/config/ini_document.h"
#include "platform/fs/drives.h"
#include "platform/fs/errors.h"
#include "platform/fs/files.h"
#include "platform/fs/folder_listing.h"
#include "platform/fs/paths.h"

namespace plat {

struct FindSearch {
    std::vector<WIN32_FIND_DATAA> entries;
    std::size_t next = 0;
};

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// Whether pattern p matches name n, by dynamic programming over the two
// positions so that patterns with many stars stay cheap.
bool matchFrom(std::string_view p, std::string_view n)
{
    const std::size_t cols = n.size() + 1;
    // can[i * cols + j]: p from i matches n from j.
    std::vector<char> can((p.size() + 1) * cols, 0);
    can[p.size() * cols + n.size()] = 1;
    for (std::size_t i = p.size(); i-- > 0;) {
        for (std::size_t j = n.size() + 1; j-- > 0;) {
            bool atEnd = j == n.size();
            char c = p[i];
            bool ok;
            if (c == '*') {
                ok = can[(i + 1) * cols + j] || (!atEnd && can[i * cols + j + 1]);
            } else if (c == '?') {
                // One character, or none where the name has a dot or ends.
                ok = (!atEnd && can[(i + 1) * cols + j + 1]) ||
                     ((atEnd || n[j] == '.') && can[(i + 1) * cols + j]);
            } else {
                ok = !atEnd && lower(c) == lower(n[j]) && can[(i + 1) * cols + j + 1];
            }
            can[i * cols + j] = ok;
        }
    }
    return can[0];
}

FILETIME fileTimeFrom(const timespec& t)
{
    // 100-nanosecond steps since 1 January 1601.
    constexpr std::uint64_t kEpochDelta = 116444736000000000ull;
    std::uint64_t v = kEpochDelta + static_cast<std::uint64_t>(t.tv_sec) * 10000000ull +
                      static_cast<std::uint64_t>(t.tv_nsec) / 100;
    return FILETIME{static_cast<DWORD>(v), static_cast<DWORD>(v >> 32)};
}

bool fillEntry(const std::string& hostPath, const std::string& ansiName, bool readOnlyDrive,
               WIN32_FIND_DATAA& out)
{
    struct stat st {};
    if (::stat(hostPath.c_str(), &st) != 0 || ansiName.size() >= MAX_PATH)
        return false;
    out = WIN32_FIND_DATAA{};
    out.dwFileAttributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (readOnlyDrive || !(st.st_mode & S_IWUSR))
        out.dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
    out.ftCreationTime = fileTimeFrom(st.st_ctim);
    out.ftLastAccessTime = fileTimeFrom(st.st_atim);
    out.ftLastWriteTime = fileTimeFrom(st.st_mtim);
    if (!S_ISDIR(st.st_mode)) {
        auto size = static_cast<std::uint64_t>(st.st_size);
        out.nFileSizeHigh = static_cast<DWORD>(size >> 32);
        out.nFileSizeLow = static_cast<DWORD>(size);
    }
    std::memcpy(out.cFileName, ansiName.c_str(), ansiName.size() + 1);
    return true;
}

HANDLE_FIND failFind(DWORD code)
{
    SetLastError(code);
    return INVALID_FIND_HANDLE;
}

}  // namespace

bool MatchesWildcard(std::string_view pattern, std::string_view name)
{
    if (matchFrom(pattern, name))
        return true;
    // "NAME.*" also matches "NAME", and "NAME." matches "NAME" only.
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
        name.find('.') == std::string_view::npos)
        return matchFrom(pattern.substr(0, pattern.size() - 2), name);
    if (!pattern.empty() && pattern.back() == '.' && name.find('.') == std::string_view::npos)
        return matchFrom(pattern.substr(0, pattern.size() - 1), name);
    return false;
}

HANDLE_FIND FindFirstFileA(const char* fileSpec, WIN32_FIND_DATAA* data)
{
    if (!fileSpec || !*fileSpec || !data)
        return failFind(ERROR_INVALID_PARAMETER);
    std::string_view spec(fileSpec);
    if (FindLastSeparator(spec) == spec.size() - 1)
        return failFind(ERROR_FILE_NOT_FOUND);
    DWORD err = 0;
    std::string full = GetFullWindowsPath(spec, &err);
    if (full.empty())
        return failFind(err ? err : ERROR_PATH_NOT_FOUND);
    std::size_t cut = FindLastSeparator(full);
    std::string folder = full.substr(0, cut);
    std::string pattern = full.substr(cut + 1);
    bool root = folder.size() == 2 && folder[1] == ':';
    if (pattern.empty())
        return failFind(ERROR_FILE_NOT_FOUND);  // a root names no entry
    if (root)
        folder += '\\';
    if (folder.find_first_of("*?") != std::string::npos)
        return failFind(ERROR_PATH_NOT_FOUND);

    HostPath where = ResolveHostPath(folder);
    if (where.error)
        return failFind(where.error);
    if (!where.isFolder)
        return failFind(ERROR_PATH_NOT_FOUND);
    bool readOnly = where.driveType == DRIVE_CDROM;

    auto search = new FindSearch;
    bool wild = pattern.find_first_of("*?") != std::string::npos;
    if (!root && wild) {
        for (const char* dot : {".", ".."}) {
            WIN32_FIND_DATAA entry;
            if (MatchesWildcard(pattern, dot) && fillEntry(where.host + "/" + dot, dot, readOnly, entry))
                search->entries.push_back(entry);
        }
    }
    const std::shared_ptr<const FolderListing> listing = ListHostFolder(where.host, readOnly);
    const auto add = [&](const std::string& hostName, const std::string& ansi) {
        WIN32_FIND_DATAA entry;
        if (fillEntry(where.host == "/" ? "/" + hostName : where.host + "/" + hostName, ansi, readOnly, entry))
            search->entries.push_back(entry);
    };
    // Host dot-files (and our own temporary files) are not part of the
    // Windows view.
    const auto hidden = [](const std::string& hostName) { return hostName[0] == '.'; };
    if (listing && wild) {
        for (const std::string& hostName : listing->names()) {
            if (hidden(hostName))
                continue;
            std::string ansi = AnsiFromHostName(hostName);
            if (MatchesWildcard(pattern, ansi))
                add(hostName, ansi);
        }
    } else if (listing) {
        const std::string* hostName = listing->find(HostNameFromAnsi(pattern));
        if (hostName && !hidden(*hostName))
            add(*hostName, AnsiFromHostName(*hostName));
    }
    if (search->entries.empty()) {
        delete search;
        return failFind(ERROR_FILE_NOT_FOUND);
    }
    *data = search->entries[0];
    search->next = 1;
    SetLastError(ERROR_SUCCESS);
    return search;
}

BOOL FindNextFileA(HANDLE_FIND search, WIN32_FIND_DATAA* data)
{
    if (!search || !data) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (search->next >= search->entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return 0;
    }
    *data = search->entries[search->next++];
    return 1;
}

BOOL FindClose(HANDLE_FIND search)
{
    if (!search) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    delete search;
    return 1;
}

}  // namespace plat
