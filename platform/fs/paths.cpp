#include "platform/fs/paths.h"

#include <sys/stat.h>

#include <array>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <vector>

#include "platform/config/ini_document.h"
#include "platform/core/codepage.h"
#include "platform/fs/drives.h"
#include "platform/fs/errors.h"
#include "platform/fs/folder_listing.h"
#include "platform/fs/folders.h"

namespace plat {

namespace {

// Current drive and the current folder of every drive ("\" or "\DIR\SUB").
struct CurrentState {
    std::mutex mutex;
    bool initialised = false;
    char drive = 'C';
    std::array<std::string, 26> folders;
};

CurrentState& current()
{
    static CurrentState s;
    return s;
}

void resetCurrent()
{
    std::lock_guard lock(current().mutex);
    current().initialised = false;
}

bool isSep(char c) { return c == '\\' || c == '/'; }

// Lead bytes of the double-byte code pages: the byte after one belongs to
// the same character, even when it is 0x5C.
bool isLeadByte(char c)
{
    int cp = GetACP();
    if (!IsDoubleByteCodePage(cp))
        return false;
    auto b = static_cast<unsigned char>(c);
    if (cp == 932)
        return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    return b >= 0x81 && b <= 0xFE;
}
char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

void initialiseLocked()
{
    if (current().initialised)
        return;
    current().initialised = true;
    for (std::string& f : current().folders)
        f = "\\";
    current().drive = 'C';
    static bool registered = false;
    if (!registered) {
        registered = true;
        AddFolderChangeListener(&resetCurrent);
    }
    std::string program = HostToWindowsPath(ProgramFolderHost());
    if (program.size() >= 3) {
        current().drive = program[0];
        current().folders[program[0] - 'A'] = program.substr(2);
    }
}

std::vector<std::string> splitComponents(std::string_view rest)
{
    std::vector<std::string> parts;
    std::size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && isSep(rest[i]))
            ++i;
        std::size_t start = i;
        while (i < rest.size() && !isSep(rest[i]))
            i += isLeadByte(rest[i]) && i + 1 < rest.size() ? 2 : 1;
        if (i > start)
            parts.emplace_back(rest.substr(start, i - start));
    }
    return parts;
}

void appendComponents(std::vector<std::string>& out, const std::vector<std::string>& parts)
{
    for (const std::string& p : parts) {
        if (p == ".")
            continue;
        if (p == "..") {
            if (!out.empty())
                out.pop_back();
            continue;
        }
        out.push_back(p);
    }
}

std::string joinWindows(char drive, const std::vector<std::string>& parts)
{
    std::string out{drive, ':', '\\'};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i)
            out += '\\';
        out += parts[i];
    }
    return out;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Simple case folding: ASCII, Latin-1, Greek and Cyrillic capitals.
char32_t fold(char32_t c)
{
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    switch (c) {
    case 0x386: return 0x3AC;
    case 0x388: return 0x3AD;
    case 0x389: return 0x3AE;
    case 0x38A: return 0x3AF;
    case 0x38C: return 0x3CC;
    case 0x38E: return 0x3CD;
    case 0x38F: return 0x3CE;
    case 0x3C2: return 0x3C3;  // final sigma
    default: return c;
    }
}

bool isFolder(const std::string& host)
{
    struct stat st {};
    return ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string hostJoin(const std::string& folder, const std::string& name)
{
    return folder == "/" ? "/" + name : folder + "/" + name;
}

enum class Entry { Missing, Other, Folder };

// What stands at a host path; a link is what it leads to (a broken one
// exists, as no folder).
Entry entryAt(const std::string& host)
{
    struct stat st {};
    if (::lstat(host.c_str(), &st) != 0)
        return Entry::Missing;
    if (S_ISLNK(st.st_mode))
        return isFolder(host) ? Entry::Folder : Entry::Other;
    return S_ISDIR(st.st_mode) ? Entry::Folder : Entry::Other;
}

// The entry of folder whose name matches name: the exact spelling first,
// else the first match in byte order, so the choice is stable.
Entry matchEntry(const std::string& folder, const std::string& name, bool readOnlyDisc, std::string& found)
{
    if (const Entry entry = entryAt(hostJoin(folder, name)); entry != Entry::Missing) {
        found = name;
        return entry;
    }
    const std::shared_ptr<const FolderListing> listing = ListHostFolder(folder, readOnlyDisc);
    const std::string* match = listing ? listing->find(name) : nullptr;
    if (!match)
        return Entry::Missing;
    found = *match;
    return entryAt(hostJoin(folder, found));
}

std::optional<DriveInfo> driveForNetwork(std::string_view server, std::string_view share)
{
    std::string wanted = "\\\\" + std::string(server) + "\\" + std::string(share);
    for (const DriveInfo& d : Drives()) {
        std::string net = d.network;
        for (char& c : net)
            if (c == '/')
                c = '\\';
        while (!net.empty() && net.back() == '\\')
            net.pop_back();
        if (!net.empty() && EqualsNoCase(net, wanted))
            return d;
    }
    return std::nullopt;
}

}  // namespace

namespace {
bool isAscii(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}
}  // namespace

std::u32string DecodeUtf8(std::string_view s)
{
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size() + (extra == 0 ? 1 : 0)) {
            out += U'\uFFFD';
            ++i;
            continue;
        }
        char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            unsigned char cb = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            ok = ok && (cb & 0xC0) == 0x80;
            c = (c << 6) | (cb & 0x3F);
        }
        out += ok ? c : U'\uFFFD';
        i += ok ? static_cast<std::size_t>(extra) + 1 : 1;
    }
    return out;
}

std::string CodePageToUtf8(std::string_view bytes, int codePage)
{
    if (isAscii(bytes))
        return std::string(bytes);
    std::string out;
    for (char32_t c : DecodeText(bytes, codePage))
        appendUtf8(out, c);
    return out;
}

std::string Utf8ToCodePage(std::string_view utf8, int codePage)
{
    if (isAscii(utf8))
        return std::string(utf8);
    std::string out;
    for (char32_t c : DecodeUtf8(utf8)) {
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        std::string bytes = EncodeChar(c, codePage);
        out += bytes.empty() ? std::string("?") : bytes;
    }
    return out;
}

std::string HostNameFromAnsi(std::string_view ansi) { return CodePageToUtf8(ansi, GetACP()); }
std::string AnsiFromHostName(std::string_view utf8) { return Utf8ToCodePage(utf8, GetACP()); }

bool HostNamesMatch(std::string_view a, std::string_view b)
{
    if (a.size() == b.size() && EqualsNoCase(a, b))
        return true;
    if (isAscii(a) && isAscii(b))
        return false;  // the folding of ASCII is the comparison above
    std::u32string x = DecodeUtf8(a), y = DecodeUtf8(b);
    if (x.size() != y.size())
        return false;
    for (std::size_t i = 0; i < x.size(); ++i)
        if (fold(x[i]) != fold(y[i]))
            return false;
    return true;
}

std::u32string HostNameKey(std::string_view utf8)
{
    std::u32string key = DecodeUtf8(utf8);
    for (char32_t& c : key)
        c = fold(c);
    return key;
}

std::size_t FindLastSeparator(std::string_view path)
{
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (isSep(path[i]))
            last = i;
        else if (isLeadByte(path[i]))
            ++i;
    }
    return last;
}

std::string GetFullWindowsPath(std::string_view path, DWORD* error)
{
    auto fail = [&](DWORD code) {
        if (error)
            *error = code;
        return std::string();
    };
    if (error)
        *error = 0;
    if (path.size() >= 2 && isSep(path[0]) && isSep(path[1])) {
        // A share name: "\\server\share\rest" keeps its form.
        std::vector<std::string> parts = splitComponents(path.substr(2));
        if (parts.size() < 2)
            return fail(ERROR_PATH_NOT_FOUND);
        std::vector<std::string> rest;
        appendComponents(rest, std::vector<std::string>(parts.begin() + 2, parts.end()));
        std::string out = "\\\\" + parts[0] + "\\" + parts[1];
        for (const std::string& p : rest)
            out += "\\" + p;
        if (!rest.empty() && FindLastSeparator(path) == path.size() - 1)
            out += '\\';
        return out;
    }
    char drive;
    std::string_view rest = path;
    std::vector<std::string> parts;
    {
        std::lock_guard lock(current().mutex);
        initialiseLocked();
        drive = current().drive;
        if (path.size() >= 2 && path[1] == ':') {
            if (!isLetter(path[0]))
                return fail(ERROR_PATH_NOT_FOUND);
            drive = upper(path[0]);
            rest = path.substr(2);
        }
        if (rest.empty() || !isSep(rest[0]))
            appendComponents(parts, splitComponents(current().folders[drive - 'A']));
    }
    appendComponents(parts, splitComponents(rest));
    std::string full = joinWindows(drive, parts);
    // A folder named with its closing backslash keeps it, as Windows keeps it.
    if (!parts.empty() && !rest.empty() && FindLastSeparator(rest) == rest.size() - 1)
        full += '\\';
    return full;
}

std::string ResolvedComponent(std::string_view part)
{
    // Windows drops trailing dots and blanks of a name.
    std::string name(part);
    while (name.size() > 1 && (name.back() == '.' || name.back() == ' ') && name != "..")
        name.pop_back();
    return name;
}

HostPath ResolveHostPath(std::string_view windowsPath)
{
    HostPath result;
    DWORD err = 0;
    std::string full = GetFullWindowsPath(windowsPath, &err);
    if (full.empty()) {
        result.error = err ? err : ERROR_PATH_NOT_FOUND;
        return result;
    }
    std::optional<DriveInfo> drive;
    std::vector<std::string> given;
    if (full[0] == '\\') {
        std::vector<std::string> all = splitComponents(full);
        drive = driveForNetwork(all[0], all[1]);
        given.assign(all.begin() + 2, all.end());
    } else {
        drive = FindDrive(full[0]);
        given = splitComponents(std::string_view(full).substr(3));
    }
    // The folding of "." and ".." comes after the trailing dots and blanks
    // are dropped.
    for (std::string& part : given)
        part = ResolvedComponent(part);
    std::vector<std::string> parts;
    appendComponents(parts, given);
    if (!drive) {
        result.error = ERROR_PATH_NOT_FOUND;
        return result;
    }
    if (!DriveHasMedium(*drive)) {
        result.error = ERROR_NO_DISC;
        return result;
    }
    result.driveType = drive->type;
    std::string host = drive->hostFolder;
    // A disc in its drive is a folder that lists (DriveHasMedium).
    if (drive->type != DRIVE_CDROM && !isFolder(host)) {
        // An unreachable share is a missing device; a fixed drive without
        // its folder simply has no such path.
        result.error = drive->type == DRIVE_REMOTE ? ERROR_BAD_UNIT : ERROR_PATH_NOT_FOUND;
        return result;
    }
    Entry entry = Entry::Folder;  // the drive's root
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::string name = HostNameFromAnsi(parts[i]);
        std::string found;
        bool last = i + 1 == parts.size();
        entry = matchEntry(host, name, drive->type == DRIVE_CDROM, found);
        if (entry != Entry::Missing) {
            host = hostJoin(host, found);
            if (!last && entry != Entry::Folder) {
                result.error = ERROR_PATH_NOT_FOUND;
                return result;
            }
        } else if (last) {
            host = hostJoin(host, name);
        } else {
            result.error = ERROR_PATH_NOT_FOUND;
            return result;
        }
    }
    result.host = host;
    result.exists = entry != Entry::Missing;
    result.isFolder = entry == Entry::Folder;
    return result;
}

std::string HostToWindowsPath(const std::string& hostPath)
{
    const DriveInfo* best = nullptr;
    std::vector<DriveInfo> drives = Drives();
    for (const DriveInfo& d : drives) {
        const std::string& f = d.hostFolder;
        if (f.empty())
            continue;
        bool inside = f == "/" ? (!hostPath.empty() && hostPath[0] == '/')
                               : (hostPath == f || (hostPath.size() > f.size() &&
                                                    hostPath.compare(0, f.size(), f) == 0 &&
                                                    hostPath[f.size()] == '/'));
        if (inside && (!best || f.size() > best->hostFolder.size()))
            best = &d;
    }
    if (!best)
        return {};
    std::string rest = best->hostFolder == "/" ? hostPath : hostPath.substr(best->hostFolder.size());
    std::vector<std::string> parts;
    for (const std::string& p : splitComponents(rest))
        parts.push_back(AnsiFromHostName(p));
    return joinWindows(best->letter, parts);
}

int _getdrive()
{
    std::lock_guard lock(current().mutex);
    initialiseLocked();
    return current().drive - 'A' + 1;
}

int _chdrive(int drive)
{
    if (drive < 1 || drive > 26)
        return -1;
    std::optional<DriveInfo> d = FindDrive(static_cast<char>('A' + drive - 1));
    if (!d || !DriveHasMedium(*d) || !isFolder(d->hostFolder))
        return -1;
    std::lock_guard lock(current().mutex);
    initialiseLocked();
    current().drive = d->letter;
    return 0;
}

DWORD GetCurrentDirectoryA(DWORD size, char* buffer)
{
    std::string path;
    {
        std::lock_guard lock(current().mutex);
        initialiseLocked();
        path = std::string{current().drive, ':'} + current().folders[current().drive - 'A'];
    }
    if (!buffer || size < path.size() + 1)
        return static_cast<DWORD>(path.size() + 1);
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

BOOL SetCurrentDirectoryA(const char* path)
{
    if (!path || !*path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string full = GetFullWindowsPath(path);
    if (full.empty() || full[0] == '\\') {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    HostPath host = ResolveHostPath(full);
    if (host.error || !host.isFolder) {
        SetLastError(host.error ? host.error : ERROR_PATH_NOT_FOUND);
        return 0;
    }
    std::lock_guard lock(current().mutex);
    initialiseLocked();
    current().drive = full[0];
    std::string folder = full.substr(2);
    if (folder.size() > 1 && folder.back() == '\\')
        folder.pop_back();  // the current folder is kept without it
    current().folders[full[0] - 'A'] = folder;
    return 1;
}

std::string ProgramFileWindowsPath() { return HostToWindowsPath(ProgramFileHost()); }

namespace {
UINT copyFolderPath(const std::string& host, char* buffer, UINT size)
{
    std::error_code ec;
    std::filesystem::create_directories(host, ec);
    std::string path = HostToWindowsPath(host);
    if (!buffer || size < path.size() + 1)
        return static_cast<UINT>(path.size() + 1);
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<UINT>(path.size());
}
}  // namespace

UINT GetWindowsDirectoryA(char* buffer, UINT size)
{
    // Every Windows folder holds its system folder: a program that puts
    // shared files there finds it before anything asked for it by name.
    std::error_code ec;
    std::filesystem::create_directories(WindowsFolderHost() + "/system", ec);
    return copyFolderPath(WindowsFolderHost(), buffer, size);
}
UINT GetSystemDirectoryA(char* buffer, UINT size)
{
    return copyFolderPath(WindowsFolderHost() + "/system", buffer, size);
}

DWORD GetTempPathA(DWORD size, char* buffer)
{
    std::string host = WindowsFolderHost() + "/temp";
    std::error_code ec;
    std::filesystem::create_directories(host, ec);
    std::string path = HostToWindowsPath(host) + "\\";
    if (!buffer || size < path.size() + 1)
        return static_cast<DWORD>(path.size() + 1);
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

}  // namespace plat
