#include "setup/FolderTree.h"

#include "platform/fs/files.h"
#include "platform/fs/find.h"
#include "setup/Installation.h"
#include "setup/WriteFence.h"

namespace {

constexpr int kMaxDepth = 8;

std::string join(const std::string& folder, const std::string& name) { return folder + "\\" + name; }

bool copyTree(const std::string& from, const std::string& to, int depth, const TreeCopy& how, std::string* failed,
              plat::DWORD* error)
{
    *failed = to;
    *error = 0;
    if (depth > kMaxDepth || !MayWriteTo(to))
        return false;
    if (!FolderExists(to)) {
        if (!plat::CreateDirectoryA(to.c_str(), nullptr))
            return false;
        how.made(to, true, false);
    }
    for (const FolderEntry& e : ListFolder(from)) {
        std::string source = join(from, e.name), target = join(to, e.name);
        if (e.folder) {
            if (!copyTree(source, target, depth + 1, how, failed, error))
                return false;
            continue;
        }
        *failed = target;
        if (!MayWriteTo(target))
            return false;
        plat::DWORD attributes = plat::GetFileAttributesA(target.c_str());
        if (!how.copyFile(source, target, error))
            return false;
        how.made(target, false, attributes != plat::INVALID_FILE_ATTRIBUTES);
    }
    return true;
}

}  // namespace

std::vector<FolderEntry> ListFolder(const std::string& folder)
{
    std::vector<FolderEntry> entries;
    plat::WIN32_FIND_DATAA found;
    plat::HANDLE_FIND search = plat::FindFirstFileA((folder + "\\*.*").c_str(), &found);
    for (bool more = search != nullptr; more; more = plat::FindNextFileA(search, &found)) {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            entries.push_back({name, (found.dwFileAttributes & plat::FILE_ATTRIBUTE_DIRECTORY) != 0});
    }
    if (search)
        plat::FindClose(search);
    return entries;
}

bool CopyFolderTree(const std::string& from, const std::string& to, const TreeCopy& how, std::string* failed,
                    plat::DWORD* error)
{
    return copyTree(from, to, 0, how, failed, error);
}
