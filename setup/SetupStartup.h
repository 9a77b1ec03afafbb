#pragma once
// What the installer finds out before its wizard starts: the folders, the
// script's switches and the display's colours.

#include <string>

#include "platform/core/types.h"

// Empty when someone can answer the installer's pages and boxes: a person
// at a display, or a KELBO_SCRIPT run headless; else what to tell the
// user who started it.
std::string WhyNobodyCanAnswer();
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
enum class StartResult {
    Ready,
    NotAdministrator,  // string 10 has been shown; the wizard does not start
    ScriptRefused,     // "setup.inf" is missing, not a file, or has no [kelbo]: named in a box
};
// Platform, installer folder, data drive root, script path (checked),
// "diskettes", "test", "spaceneed" (held in 32 bits), Windows folder and
// colours.
StartResult ReadStartState(plat::HWND mainWindow, const std::string& installerFolder);
