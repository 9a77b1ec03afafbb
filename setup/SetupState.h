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

// The temporary folder: its Windows path (empty until the installation
// makes it), its host identity, and what the installer put in it.
struct TempFolderState {
    std::string path;
    unsigned long long device = 0, inode = 0;
    std::vector<std::string> entries;  // relative paths, folders before their contents
};

struct SetupState {
    std::string installerFolder;   // the medium folder, no trailing backslash
    std::string dataDriveRoot;     // "D:\"
    std::string scriptPath;        // the current "setup.inf"
    std::string targetFolder;      // where the title goes
    std::string productFolderName = "KELBO";
    TempFolderState temp;          // the installer's own temporary folder
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
    bool installing = false;       // the installation is running (the copy under way)
    std::vector<std::string> leftovers;  // what a failed run could not take back
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
// A value of the script's product section.
inline std::string ProductValue(const char* key) { return ScriptValue(kProductSection, key); }
