#pragma once
// Folders of the medium listed and copied whole: a resource library
// travels as a folder "NAME.resources" with everything in it.

#include <functional>
#include <string>
#include <vector>

#include "platform/core/types.h"

struct FolderEntry {
    std::string name;
    bool folder = false;
};

// The entries of a folder (a Windows path), "." and ".." left out.
std::vector<FolderEntry> ListFolder(const std::string& folder);

// What copying a tree does with each file, and with each folder it makes
// and file it writes (existed: a file of that name was there before).
struct TreeCopy {
    std::function<bool(const std::string& from, const std::string& to, plat::DWORD* error)> copyFile;
    std::function<void(const std::string& path, bool folder, bool existed)> made;
};

// Copies the tree under `from` to `to`, at most eight folders deep, every
// write first judged by MayWriteTo. False with the target that failed in
// *failed and its Windows error (or 0) in *error.
bool CopyFolderTree(const std::string& from, const std::string& to, const TreeCopy& how, std::string* failed,
                    plat::DWORD* error);
