#pragma once
// What the installer finds out before its wizard starts: the folders, the
// script's switches and the display's colours.

#include <string>

#include "platform/core/types.h"

// The program-files folder of the registry, else "C:\Jx".
std::string GetProgramFilesDir();
// The installer folder's drive letter in upper case and ":\".
std::string SetDataDriveRoot(const std::string& installerFolder);
// The medium folder named on the command line (a Windows path, or a host
// folder that lies on one of the drives), else the program's own folder;
// without a trailing backslash. Empty when the named folder is on no drive.
std::string FindInstallerFolder(const std::string& commandLine);
// 1 when the user may install; always 1 where the platform is not NT.
int IsUserAdministrator();
// The default target folder and product folder name (before the classes
// are registered).
void SetDefaultTarget();
// Platform, installer folder, data drive root, script path, "diskettes",
// "test", "spaceneed", Windows folder and colours. False when the user may
// not install (string 10 has then been shown).
bool ReadStartState(plat::HWND mainWindow, const std::string& installerFolder);
