#pragma once
// The file dialogs of the program: the prompt that lets a developer point
// at a file that could not be found, the path-splitting helpers, and the
// open and save dialogs that other parts show.

#include "foundation/JxCString.h"
#include "platform/core/types.h"

// Shows an open dialog restricted to the missing file's name and
// extension, starting in its folder. True, with path replaced by the file
// chosen, when the user picked a file of the same name and extension
// (without regard to case) in any folder; false, and path unchanged,
// otherwise.
bool LocateMissingFile(JxCString& path);

// The parts of a path as the C library splits it.
// Drive and folder, ending in a backslash when the path has a folder.
void GetPathFolder(const char* path, JxCString& folder);
// File name and extension.
void GetPathFileName(const char* path, JxCString& name);
// The extension with its dot; empty when there is none.
void GetPathExtension(const char* path, JxCString& extension);

// The open dialog, owned by the window that has the focus. The filter is
// one text whose last character separates its parts ("Text(*.txt)|*.txt|").
// fileName goes in as the name to offer and comes back as the full path
// chosen; true after OK.
bool ShowOpenFileDialog(JxCString& fileName, const char* initialFolder, const char* title, const char* filter);
// The save dialog: the folder must exist, replacing a file asks first; the
// filter's parts are separated by "^". True, with the path chosen, after OK.
bool ShowSaveFileDialog(plat::HWND owner, JxCString& fileName, const char* title, const char* defaultExtension,
                        const char* initialFolder, const char* filter);

// The title of the locate prompt.
constexpr unsigned kLocateFileTitleId = 1067;
