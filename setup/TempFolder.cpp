#include "setup/TempFolder.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "platform/fs/errors.h"
#include "platform/fs/files.h"
#include "platform/fs/paths.h"
#include "setup/SetupLog.h"
#include "setup/SetupState.h"

namespace {

constexpr int kNamesTried = 100;

// The entry itself, a link not followed; false when there is none.
bool look(const std::string& windowsPath, struct stat* st)
{
    plat::HostPath where = plat::ResolveHostPath(windowsPath);
    return !where.error && ::lstat(where.host.c_str(), st) == 0;
}

// Still the folder the installer made: a real folder, not a link, with
// the identity it had when it was made.
bool stillOurs(const TempFolderState& t)
{
    struct stat st {};
    return !t.path.empty() && look(t.path, &st) && S_ISDIR(st.st_mode) && st.st_dev == t.device &&
           st.st_ino == t.inode;
}

// The entry lies in the folder itself, not behind a link that was put in
// place of one of its subfolders.
bool insideOurs(const TempFolderState& t, const std::string& relative)
{
    plat::HostPath top = plat::ResolveHostPath(t.path), entry = plat::ResolveHostPath(t.path + "\\" + relative);
    if (top.error || entry.error)
        return false;
    std::error_code error;
    std::string parent = std::filesystem::canonical(std::filesystem::path(entry.host).parent_path(), error).string();
    std::string folder = std::filesystem::canonical(top.host, error).string();
    return !error && (parent == folder || parent.rfind(folder + "/", 0) == 0);
}

}  // namespace

bool MakeTempFolder()
{
    SetupState& s = Setup();
    s.temp = TempFolderState{};
    for (int n = 0; n < kNamesTried; ++n) {
        std::string path = s.targetFolder + "\\Temp" + (n == 0 ? std::string() : std::to_string(n));
        struct stat st {};
        if (look(path, &st))
            continue;  // taken, by a folder, a file or a link
        // Made here and now, or not at all: a name taken meanwhile fails.
        if (!plat::CreateDirectoryA(path.c_str(), nullptr)) {
            if (plat::GetLastError() == plat::ERROR_ALREADY_EXISTS)
                continue;
            return false;
        }
        if (!look(path, &st) || !S_ISDIR(st.st_mode))
            return false;
        s.temp.path = path;
        s.temp.device = st.st_dev;
        s.temp.inode = st.st_ino;
        return true;
    }
    return false;
}

void NoteTempEntry(const std::string& relative) { Setup().temp.entries.push_back(relative); }

void DeleteTempFolder()
{
    TempFolderState& t = Setup().temp;
    if (t.path.empty())
        return;
    if (!stillOurs(t)) {
        LogSetupNote("left alone: \"" + t.path + "\" is no longer the temporary folder the installer made");
        t = TempFolderState{};
        return;
    }
    // Newest first, so that a folder is empty when its turn comes.
    for (auto it = t.entries.rbegin(); it != t.entries.rend(); ++it) {
        std::string path = t.path + "\\" + *it;
        struct stat st {};
        if (!insideOurs(t, *it) || !look(path, &st))
            continue;
        if (S_ISDIR(st.st_mode))
            plat::RemoveDirectoryA(path.c_str());
        else
            plat::DeleteFileA(path.c_str());
    }
    plat::SetCurrentDirectoryA(Setup().targetFolder.c_str());
    if (!plat::RemoveDirectoryA(t.path.c_str()))
        LogSetupNote("left: the temporary folder \"" + t.path + "\" holds files the installer did not put there");
    t = TempFolderState{};
}
