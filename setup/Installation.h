#pragma once
// The installation driven by "setup.inf": the installer folder copied to a
// temporary folder in the target, the [EXES] files expanded into the target,
// the [DLLS] files into the (emulated) Windows system folder, the INI file,
// the registry, the menu entries, and the end steps. With the script's
// "test" switch set it does nothing at all. Each step returns 1 or 0 and
// reports its own failures.

#include <string>

#include "platform/core/types.h"

// 1 when the installation is done, 0 when it failed (reported).
int InstallProgram(plat::HWND owner);
int CopyExeFiles(plat::HWND owner);
int CopyDllFiles(plat::HWND owner);
// The files "file1", "file2" ... of a section, expanded from one folder into
// another; an entry naming a resource library brings the whole folder. A
// failure shows what failed (string 125 and the source, or the full disk)
// and the status; a name that leaves its folder, or a write that would land
// outside the target, is refused the same way.
int CopyListedFiles(plat::HWND owner, const char* section, const std::string& from, const std::string& to, int status);
// The same for shared files: only those not there yet are copied, every one
// gets its use count, drivers their "system.ini" entry.
int CopyListedDlls(plat::HWND owner, const char* section, const std::string& from, const std::string& to, int status);
// Copies the files of one folder into another, and its resource libraries
// ("NAME.resources" folders) with everything in them; other subfolders are
// left out. Every write must land inside the target or system folders.
int CopyFolderFiles(const std::string& from, const std::string& to);
// 0 when the folder and its parents exist or were made, 1 on failure.
int CreateFolderTree(const std::string& path);
int FolderExists(const std::string& path);
// Error box with string 100 and "status=" N; marks the run failed and
// removes the temporary folder.
void ShowStatusError(plat::HWND owner, int status);
// The end of the wizard, or the confirmation page closed with result 0.
// After a failed run it takes back what the run made (the folders, files,
// keys and INI entries); what stays is in Setup().leftovers.
void FinishSetup(plat::HWND owner);
// When the main window goes: what Windows would do next (the QuickTime
// installer, a restart), which this host does not need; each is logged.
void EndInstallation();
