#pragma once
// The installer's global state: what start-up found (folders, the script's
// switches, the display's colours), the user's choices on the wizard pages,
// and what the installation has done. The installer is one plain program,
// so this is one record behind an accessor.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/core/types.h"

struct SetupColours {
    plat::COLORREF page = 0;   // pages, buttons and static texts
    plat::COLORREF frame = 0;  // the frame control of the pages
    plat::COLORREF edit = 0;   // edit boxes
};

struct SetupState {
    std::string installerFolder;   // the medium folder, no trailing backslash
    std::string dataDriveRoot;     // "D:\"
    std::string scriptPath;        // the current "setup.inf"
    std::string targetFolder;      // where the title goes
    std::string productFolderName = "KELBO";
    std::string tempFolder;        // empty until the installation makes it
    bool tempFolderMade = false;   // the installation created it (else a user's own)
    std::vector<std::string> tempCopies;  // names the installation copied into it
    std::string windowsFolder;
    std::string productTitle;      // string 120, code page 737
    std::string quickTimeInstaller;
    int platform = 2;              // 1 Windows NT, 2 otherwise
    unsigned char test = 0;        // non-zero: install nothing
    int diskettes = 2;             // 1: install the shared libraries
    long spaceNeed = 3500;         // units of 1000 bytes
    bool installProgram = true;
    bool installQuickTime = false;  // nothing to install on this host
    bool restartNeeded = false;
    bool failed = false;
    bool hasColourTable = false;   // a display of 256 colours or fewer
    SetupColours colours;
    plat::HWND mainWindow = nullptr;
    plat::HWND statusWindow = nullptr;
};

SetupState& Setup();
// A fresh state (for a new run of the installer in the same process).
void ResetSetup();

// The product section of the script.
inline constexpr const char* kProductSection = "kelbo";

// A value of the current script, read as the profile functions read it: at
// most capacity - 1 characters, the fallback when the key is missing.
std::string ScriptValue(const char* section, const char* key, const char* fallback = "",
                        std::size_t capacity = 260);
