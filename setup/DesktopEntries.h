#pragma once
// The Start-menu shortcuts of the title, as desktop menu entries: one
// ".desktop" file per shortcut, named after the shortcut's link as its
// shortcut file was, in the "Jx Multimedia" folder of the user's
// applications folder ($XDG_DATA_HOME/applications, ~/.local/share without
// it). The program's entry starts our kelbo32 as the installed program
// file, so that it reads the installed "kelbo32.ini", and is shown only
// while that engine is there; the readme's entry opens the file with the
// desktop's own viewer. The uninstall shortcut names a Windows program and
// is skipped with a logged reason.

#include <string>
#include <vector>

// Host path of the applications folder and of the title's menu folder.
std::string ApplicationsFolderHost();
std::string MenuFolderHost();

// Host path of our kelbo32: beside the installer, in the build tree's
// sibling folder, else the name alone (found through PATH). A test or a
// packager sets it.
std::string EngineProgramHost();
void SetEngineProgramHost(const std::string& hostPath);

// One argument of an Exec line, quoted as the Desktop Entry rules ask.
std::string QuoteExecArgument(const std::string& argument);
// A string value with the Desktop Entry escapes.
std::string EscapeDesktopValue(const std::string& value);

// The three shortcuts of the script's product section. 1 when each entry
// that can be made was made (and the uninstall one skipped), else 0.
int CreateShortcuts();
// One entry: what it runs, the program whose presence shows it, its menu
// name (UTF-8), comment (UTF-8), working folder (host) and the entry's
// file name. 1 when written.
int CreateShortcut(const std::vector<std::string>& exec, const std::string& tryExec, const std::string& name,
                   const std::string& comment, const std::string& workingFolder, const std::string& fileName);
