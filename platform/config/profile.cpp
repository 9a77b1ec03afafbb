#include "platform/config/profile.h"

#include <dirent.h>

#include <filesystem>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "platform/config/ini_document.h"
#include "platform/fs/atomic_file.h"
#include "platform/fs/drives.h"
#include "platform/fs/errors.h"
#include "platform/fs/files.h"
#include "platform/fs/folders.h"
#include "platform/fs/paths.h"

namespace plat {

namespace {

// One profile change at a time, so that two writers in the process never
// lose each other's keys.
std::mutex& profileMutex()
{
    static std::mutex m;
    return m;
}

constexpr std::size_t kMaxProfileBytes = 16u << 20;

// The host file of a profile name (WIN.INI for none), or empty when its
// folder does not exist (or, for a change, when it lies on a disc).
std::string profileHostPath(const char* fileName, bool forWriting = false)
{
    std::string name = fileName ? fileName : "WIN.INI";
    if (name.empty())
        return {};
    if (FindLastSeparator(name) == std::string::npos && name.find(':') == std::string::npos) {
        std::string folder = WindowsFolderHost();
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        std::string hostName = HostNameFromAnsi(name);
        if (DIR* dir = ::opendir(folder.c_str())) {
            std::string found;
            while (dirent* e = ::readdir(dir))
                if (HostNamesMatch(e->d_name, hostName) && (found.empty() || found > e->d_name))
                    found = e->d_name;
            ::closedir(dir);
            if (!found.empty())
                hostName = found;
        }
        return folder + "/" + hostName;
    }
    HostPath where = ResolveHostPath(name);
    if (forWriting && !where.error && where.driveType == DRIVE_CDROM)
        where.error = ERROR_WRITE_PROTECTED;
    if (forWriting)
        SetLastError(where.error ? where.error : where.isFolder ? ERROR_ACCESS_DENIED : ERROR_SUCCESS);
    return where.error || where.isFolder ? std::string() : where.host;
}

IniDocument readProfile(const std::string& host)
{
    std::string text;
    if (host.empty() || !ReadWholeFile(host, text, kMaxProfileBytes))
        return IniDocument{};
    return IniDocument::Parse(text);
}

DWORD copyValue(const std::string& value, char* buffer, DWORD size)
{
    if (!buffer || size == 0)
        return 0;
    std::size_t n = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
    return static_cast<DWORD>(n);
}

// A list of NUL-ended names and a closing NUL. With `roomToSpare` (the
// section names) only a list with room left over is whole: one that its
// closing NUL would exactly fill is cut, as Windows cuts it.
DWORD copyList(const std::vector<std::string>& names, char* buffer, DWORD size, bool roomToSpare)
{
    if (!buffer || size == 0)
        return 0;
    if (size == 1) {
        buffer[0] = '\0';
        return 0;
    }
    std::string list;
    for (const std::string& n : names) {
        list += n;
        list += '\0';
    }
    if (list.size() + 1 < size || (!roomToSpare && list.size() + 1 == size)) {
        std::memcpy(buffer, list.data(), list.size());
        buffer[list.size()] = '\0';
        return static_cast<DWORD>(list.size());
    }
    // Cut: the list ends with two NULs inside the buffer.
    std::memcpy(buffer, list.data(), size - 2);
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    return size - 2;
}

std::string trimmedDefault(const char* value)
{
    std::string d = value ? value : "";
    while (!d.empty() && (d.back() == ' ' || d.back() == '\t'))
        d.pop_back();
    return d;
}

// The number at the start of a value (blanks, a sign, digits), as Windows
// reads it; the default for a missing or empty value.
UINT numberOf(const std::optional<std::string>& value, int defaultValue)
{
    if (!value || value->empty())
        return static_cast<UINT>(defaultValue);
    const char* p = value->c_str();
    while (*p == ' ' || *p == '\t')
        ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    std::uint32_t n = 0;
    while (*p >= '0' && *p <= '9')
        n = n * 10u + static_cast<std::uint32_t>(*p++ - '0');  // wraps as 32-bit arithmetic does
    return negative ? 0u - n : n;
}

}  // namespace

DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                               char* buffer, DWORD size, const char* fileName)
{
    return GetProfileStringOf(ReadPrivateProfile(fileName), section, key, defaultValue, buffer, size);
}

IniDocument ReadPrivateProfile(const char* fileName)
{
    std::lock_guard lock(profileMutex());
    return readProfile(profileHostPath(fileName));
}

DWORD GetProfileStringOf(const IniDocument& ini, const char* section, const char* key, const char* defaultValue,
                         char* buffer, DWORD size)
{
    if (!section)
        return copyList(ini.Sections(), buffer, size, true);
    if (!key)
        return copyList(ini.Keys(section), buffer, size, false);
    std::optional<std::string> value = ini.Find(section, key);
    return copyValue(value ? *value : trimmedDefault(defaultValue), buffer, size);
}

UINT GetPrivateProfileIntA(const char* section, const char* key, int defaultValue, const char* fileName)
{
    if (section && key)
        return GetProfileIntOf(ReadPrivateProfile(fileName), section, key, defaultValue);
    // The number is read from what the string call gives: the first name of
    // the list of sections or keys.
    std::optional<std::string> value;
    char list[256];
    if (GetPrivateProfileStringA(section, key, "", list, sizeof list, fileName) > 0)
        value = std::string(list);
    return numberOf(value, defaultValue);
}

UINT GetProfileIntOf(const IniDocument& ini, const char* section, const char* key, int defaultValue)
{
    return numberOf(ini.Find(section, key), defaultValue);
}


BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* fileName)
{
    if (!section && !key && !value)
        return 1;  // a flush, and nothing is cached
    if (fileName && !*fileName) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    std::lock_guard lock(profileMutex());
    if (!section) {
        // A key or value without its section: an absent or empty file is
        // not found, any other refuses the call.
        std::string text;
        const std::string host = profileHostPath(fileName);
        const bool empty = host.empty() || !ReadWholeFile(host, text, kMaxProfileBytes) || text.empty();
        SetLastError(empty ? ERROR_FILE_NOT_FOUND : ERROR_INVALID_PARAMETER);
        return 0;
    }
    SetLastError(ERROR_SUCCESS);
    std::string host = profileHostPath(fileName, true);
    if (host.empty()) {
        if (GetLastError() == ERROR_SUCCESS)
            SetLastError(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    if (IsReadOnlyHostFile(host)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    std::string before;
    bool existed = ReadWholeFile(host, before, kMaxProfileBytes);
    if (!existed && errno != ENOENT) {
        // A file that is there but cannot be read is not replaced by one
        // that would hold only this change.
        SetLastError(ErrorFromErrno(errno));
        return 0;
    }
    IniDocument ini = existed ? IniDocument::Parse(before) : IniDocument{};
    if (!key)
        ini.DeleteSection(section);
    else if (!value)
        ini.DeleteKey(section, key);
    else {
        // A line break would end the value and start lines of its own.
        std::string oneLine = value;
        for (char& c : oneLine)
            if (c == '\r' || c == '\n')
                c = ' ';
        ini.Set(section, key, oneLine);
    }
    std::string after = ini.Serialize();
    if (existed && after == before)
        return 1;
    if (!existed && after.empty())
        return 1;  // deleting from a missing file creates nothing
    if (int err = WriteFileAtomically(host, after)) {
        SetLastError(ErrorFromErrno(err));
        return 0;
    }
    return 1;
}

DWORD GetPrivateProfileSectionNamesA(char* buffer, DWORD size, const char* fileName)
{
    return GetPrivateProfileStringA(nullptr, nullptr, nullptr, buffer, size, fileName);
}

DWORD GetProfileStringA(const char* section, const char* key, const char* defaultValue, char* buffer,
                        DWORD size)
{
    return GetPrivateProfileStringA(section, key, defaultValue, buffer, size, "WIN.INI");
}

UINT GetProfileIntA(const char* section, const char* key, int defaultValue)
{
    return GetPrivateProfileIntA(section, key, defaultValue, "WIN.INI");
}

BOOL WriteProfileStringA(const char* section, const char* key, const char* value)
{
    return WritePrivateProfileStringA(section, key, value, "WIN.INI");
}

}  // namespace plat
