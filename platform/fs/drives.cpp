#include "platform/fs/drives.h"

#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/config/ini_document.h"
#include "platform/fs/atomic_file.h"
#include "platform/fs/errors.h"
#include "platform/fs/folder_listing.h"
#include "platform/fs/folders.h"
#include "platform/fs/paths.h"

namespace plat {

namespace {

struct Table {
    std::mutex mutex;
    bool loaded = false;
    std::vector<DriveInfo> drives;  // letter order
};

Table& table()
{
    static Table t;
    return t;
}

void invalidate()
{
    {
        std::lock_guard lock(table().mutex);
        table().loaded = false;
    }
    // A drive may stand for another folder now.
    ForgetFolderListings();
}

UINT typeFromName(const std::string& name)
{
    if (EqualsNoCase(name, "cdrom") || EqualsNoCase(name, "cd-rom") || EqualsNoCase(name, "cd"))
        return DRIVE_CDROM;
    if (EqualsNoCase(name, "remote") || EqualsNoCase(name, "network"))
        return DRIVE_REMOTE;
    if (EqualsNoCase(name, "removable"))
        return DRIVE_REMOVABLE;
    return DRIVE_FIXED;
}

std::string hostFolderFrom(const std::string& value, const std::string& config)
{
    std::string path = value;
    if (path.empty())
        return {};  // a drive without a folder: nothing on it can be reached
    if (path.rfind("~/", 0) == 0) {
        const char* home = std::getenv("HOME");
        path = std::string(home ? home : "") + path.substr(1);
    } else if (path.front() != '/') {
        path = config + "/" + path;
    }
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

bool contains(const std::string& folder, const std::string& path)
{
    if (folder.empty())
        return false;
    if (folder == "/")
        return !path.empty() && path.front() == '/';
    return path == folder || (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
                              path[folder.size()] == '/');
}

void insertSorted(std::vector<DriveInfo>& drives, DriveInfo d)
{
    auto it = drives.begin();
    while (it != drives.end() && it->letter < d.letter)
        ++it;
    drives.insert(it, std::move(d));
}

// Written when the configuration folder has no drive table yet, so that
// the user finds how to give the title its disc.
const char kTemplate[] =
    "; Drives of the emulated Windows, one section per drive letter:\n"
    ";\n"
    "; [Drive D]\n"
    "; Path=/media/cdrom       host folder (absolute, ~/..., or relative to this folder)\n"
    "; Type=cdrom              fixed, cdrom, remote or removable\n"
    "; Label=KELBO             volume label\n"
    "; Network=\\\\server\\share    connection name of a remote drive\n"
    ";\n"
    "; Without a [Drive C] section C: is this folder, so C:\\WINDOWS is its\n"
    "; \"windows\" folder. When no drive holds the program's folder, that folder\n"
    "; is drive P: (or the next free letter). A cdrom drive whose folder is\n"
    "; missing or empty holds no disc.\n";

std::vector<DriveInfo> readTable()
{
    std::string config = ConfigFolder();
    std::vector<DriveInfo> drives;
    std::string text;
    std::string file = config + "/platform.ini";
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0 && errno == ENOENT)
        WriteFileAtomically(file, kTemplate);  // a failure only means no template
    if (ReadWholeFile(file, text)) {
        IniDocument ini = IniDocument::Parse(text);
        for (const std::string& section : ini.Sections()) {
            // "Drive D" (or "Drive D:").
            if (section.size() < 7 || !EqualsNoCase(section.substr(0, 6), "Drive "))
                continue;
            char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(section[6])));
            if (letter < 'A' || letter > 'Z')
                continue;
            bool duplicate = false;
            for (const DriveInfo& d : drives)
                duplicate = duplicate || d.letter == letter;
            if (duplicate)
                continue;
            DriveInfo d;
            d.letter = letter;
            d.hostFolder = hostFolderFrom(ini.Find(section, "Path").value_or(""), config);
            d.type = typeFromName(ini.Find(section, "Type").value_or("fixed"));
            d.label = ini.Find(section, "Label").value_or("");
            d.network = ini.Find(section, "Network").value_or("");
            insertSorted(drives, std::move(d));
        }
    }
    bool haveC = false;
    for (const DriveInfo& d : drives)
        haveC = haveC || d.letter == 'C';
    if (!haveC) {
        DriveInfo c;
        c.letter = 'C';
        c.hostFolder = config;
        insertSorted(drives, std::move(c));
    }
    std::string program = ProgramFolderHost();
    bool reachable = false;
    for (const DriveInfo& d : drives)
        reachable = reachable || (d.type != DRIVE_CDROM && contains(d.hostFolder, program));
    if (!reachable && !program.empty() && program.front() == '/') {
        const char order[] = "PQRSTUVWXYZDEFGHIJKLMNO";
        for (const char* p = order; *p; ++p) {
            bool used = false;
            for (const DriveInfo& d : drives)
                used = used || d.letter == *p;
            if (used)
                continue;
            DriveInfo d;
            d.letter = *p;
            d.hostFolder = program;
            insertSorted(drives, std::move(d));
            break;
        }
    }
    return drives;
}

const std::vector<DriveInfo>& loadedLocked()
{
    static bool registered = false;
    if (!registered) {
        registered = true;
        AddFolderChangeListener(&invalidate);
    }
    if (!table().loaded) {
        table().drives = readTable();
        table().loaded = true;
    }
    return table().drives;
}

// The drive letter named by a root ("X:\", "X:", "x") or the current drive.
char rootLetter(const char* root)
{
    if (!root || !*root)
        return static_cast<char>('A' + _getdrive() - 1);
    if (root[0] == '\\' || root[0] == '/')
        return static_cast<char>('A' + _getdrive() - 1);
    if (!std::isalpha(static_cast<unsigned char>(root[0])) || (root[1] && root[1] != ':'))
        return 0;
    return static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
}

bool copyOut(const std::string& text, char* buffer, DWORD size)
{
    if (!buffer || size == 0)
        return true;
    if (text.size() + 1 > size)
        return false;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return true;
}

}  // namespace

std::optional<DriveInfo> FindDrive(char letter)
{
    char up = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    std::lock_guard lock(table().mutex);
    for (const DriveInfo& d : loadedLocked())
        if (d.letter == up)
            return d;
    return std::nullopt;
}

std::vector<DriveInfo> Drives()
{
    std::lock_guard lock(table().mutex);
    return loadedLocked();
}

bool DriveHasMedium(const DriveInfo& drive)
{
    if (drive.type != DRIVE_CDROM)
        return true;
    return DiscFolderHasEntries(drive.hostFolder);
}

void ReloadDriveTable() { invalidate(); }

UINT GetDriveTypeA(const char* root)
{
    char letter = rootLetter(root);
    if (!letter)
        return DRIVE_NO_ROOT_DIR;
    std::optional<DriveInfo> d = FindDrive(letter);
    return d ? d->type : DRIVE_NO_ROOT_DIR;
}

DWORD GetLogicalDrives()
{
    DWORD mask = 0;
    for (const DriveInfo& d : Drives())
        mask |= DWORD(1) << (d.letter - 'A');
    return mask;
}

BOOL GetVolumeInformationA(const char* root, char* volumeName, DWORD volumeNameSize,
                           DWORD* serialNumber, DWORD* maxComponentLength,
                           DWORD* fileSystemFlags, char* fileSystemName,
                           DWORD fileSystemNameSize)
{
    char letter = rootLetter(root);
    std::optional<DriveInfo> d = letter ? FindDrive(letter) : std::nullopt;
    if (!d) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    if (!DriveHasMedium(*d)) {
        SetLastError(ERROR_NO_DISC);
        return 0;
    }
    struct stat st {};
    if (::stat(d->hostFolder.c_str(), &st) != 0) {
        SetLastError(d->type == DRIVE_REMOTE ? ERROR_BAD_UNIT : ERROR_PATH_NOT_FOUND);
        return 0;
    }
    if (!copyOut(d->label, volumeName, volumeNameSize) ||
        !copyOut(d->type == DRIVE_CDROM ? "CDFS" : "FAT", fileSystemName, fileSystemNameSize)) {
        SetLastError(ERROR_MORE_DATA);
        return 0;
    }
    if (serialNumber) {
        // Stable for a drive and its label, so a changed disc reads as one.
        DWORD h = 2166136261u;
        for (char c : std::string(1, d->letter) + d->label)
            h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
        *serialNumber = h;
    }
    if (maxComponentLength)
        *maxComponentLength = 255;
    if (fileSystemFlags)
        *fileSystemFlags = 0;
    SetLastError(ERROR_SUCCESS);
    return 1;
}

DWORD WNetGetConnectionA(const char* localName, char* remoteName, DWORD* length)
{
    char letter = rootLetter(localName);
    std::optional<DriveInfo> d = letter ? FindDrive(letter) : std::nullopt;
    if (!d || !length)
        return ERROR_BAD_DEVICE;
    if (d->type != DRIVE_REMOTE || d->network.empty())
        return ERROR_NOT_CONNECTED;
    if (!remoteName || *length < d->network.size() + 1) {
        *length = static_cast<DWORD>(d->network.size() + 1);
        return ERROR_MORE_DATA;
    }
    std::memcpy(remoteName, d->network.c_str(), d->network.size() + 1);
    return ERROR_SUCCESS;
}

}  // namespace plat
