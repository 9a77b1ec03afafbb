#pragma once
// What the file and folder dialogs share: walking the platform's folders
// and filling the drive, folder and file lists. Internal to the ui module.

#include <string>
#include <vector>

#include "platform/core/types.h"

namespace plat::ui {

// "X:\DIR" joined with a name (absolute names stay), normalised; empty for a
// path that cannot be.
std::string JoinPath(const std::string& folder, const std::string& name);
// The full path of a folder as the dialogs keep it: without a closing
// backslash except on a root.
std::string FullFolderPath(const std::string& path);
bool IsFolder(const std::string& windowsPath);
bool Exists(const std::string& windowsPath);
bool HasWildcard(const std::string& s);

// The drive combo box: every drive ("c: label"), item data the drive index
// (0 = A:); the drive of `folder` selected.
void FillDrives(HWND combo, const std::string& folder);
// The folder list: ".." (except at a root) and the sub-folders.
void FillFolders(HWND list, const std::string& folder);
// The file list: the files matching any of the patterns ("*.bmp;*.dib").
void FillFiles(HWND list, const std::string& folder, const std::string& patterns);
// The text of a list item.
std::string ItemText(HWND list, int index, bool combo);

}  // namespace plat::ui
