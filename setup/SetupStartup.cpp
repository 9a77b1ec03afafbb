#include "setup/SetupStartup.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/backend/backend.h"
#include "platform/config/profile.h"
#include "platform/config/registry.h"
#include "platform/draw/draw.h"
#include "platform/fs/folders.h"
#include "platform/fs/paths.h"
#include "platform/fs/system_info.h"
#include "platform/window/window.h"
#include "setup/SetupBoxes.h"
#include "setup/SetupLog.h"
#include "setup/SetupState.h"
#include "setup/SetupText.h"

namespace {

constexpr plat::UINT kScriptFaultText = 147;

// A script value of at most three characters read as a number, as the
// installer reads its switches.
long shortNumber(const char* key, const char* fallback)
{
    return std::strtol(ScriptValue(kProductSection, key, fallback, 4).c_str(), nullptr, 10);
}

// A number of the script as the installer's 32-bit C library read it: a
// value past the range is held at its end, not wrapped.
long number(const char* key, const char* fallback)
{
    long n = std::strtol(ScriptValue(kProductSection, key, fallback, 32).c_str(), nullptr, 10);
    return std::clamp<long>(n, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
}

// Why the script cannot drive an installation, or empty when it can: it
// must be a file, and one that holds the product section.
std::string scriptFault(const std::string& scriptPath)
{
    plat::HostPath where = plat::ResolveHostPath(scriptPath);
    if (where.error || !where.exists)
        return "missing";
    if (where.isFolder)
        return "a folder, not a file";
    char keys[16] = {};
    if (plat::GetPrivateProfileStringA(kProductSection, nullptr, "", keys, sizeof keys, scriptPath.c_str()) == 0)
        return std::string("no [") + kProductSection + "] section";
    return {};
}

std::string withoutTrailingBackslash(std::string path)
{
    if (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    else if (path.size() == 3 && path.back() == '\\')
        path.pop_back();  // "D:\" is the folder "D:" joined with names
    return path;
}

SetupColours chooseColours(bool hasColourTable)
{
    SetupColours c;
    c.edit = plat::RGB(255, 255, 255);
    c.page = hasColourTable ? plat::RGB(192, 192, 192) : plat::RGB(228, 161, 59);
    c.frame = hasColourTable ? plat::RGB(128, 128, 128) : plat::RGB(255, 0, 0);
    return c;
}

}  // namespace

std::string WhyNobodyCanAnswer()
{
    const char* script = std::getenv("KELBO_SCRIPT");
    if (std::strcmp(plat::TheBackend().name(), "headless") != 0 || (script && *script))
        return {};
    return "the installer asks its questions on the screen and needs a display (run it on the desktop, or with "
           "KELBO_SCRIPT naming a script that answers its pages and boxes)";
}

std::string GetProgramFilesDir()
{
    plat::HKEY key = nullptr;
    std::string dir = "C:\\Jx";
    if (plat::RegOpenKeyExA(plat::HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", 0,
                            plat::KEY_READ, &key) == 0) {
        char value[260] = {};
        plat::DWORD size = sizeof value, type = 0;
        if (plat::RegQueryValueExA(key, "ProgramFilesDir", nullptr, &type, reinterpret_cast<plat::BYTE*>(value),
                                   &size) == 0 &&
            type == plat::REG_SZ && value[0])
            dir = std::string(value, ::strnlen(value, sizeof value));
        plat::RegCloseKey(key);
    }
    return dir;
}

std::string SetDataDriveRoot(const std::string& installerFolder)
{
    if (installerFolder.empty())
        return {};
    return std::string(1, char(std::toupper(static_cast<unsigned char>(installerFolder[0])))) + ":\\";
}

std::string FindInstallerFolder(const std::string& commandLine)
{
    std::string named = commandLine;
    while (!named.empty() && std::isspace(static_cast<unsigned char>(named.back())))
        named.pop_back();
    std::size_t start = named.find_first_not_of(" \t");
    named = start == std::string::npos ? std::string() : named.substr(start);
    if (named.size() >= 2 && named.front() == '"' && named.back() == '"')
        named = named.substr(1, named.size() - 2);
    std::string windows;
    if (named.empty())
        windows = plat::HostToWindowsPath(plat::ProgramFolderHost());
    else if (named.size() >= 2 && named[1] == ':')
        windows = plat::GetFullWindowsPath(named);
    else
        windows = plat::HostToWindowsPath(named);
    return withoutTrailingBackslash(windows);
}

int IsUserAdministrator()
{
    // Only Windows NT keeps users without the right to install; the
    // platform reports the other family.
    return 1;
}

void SetDefaultTarget()
{
    Setup().targetFolder = GetProgramFilesDir() + "\\Jx Multimedia\\KELBO";
    Setup().productFolderName = "KELBO";
}

StartResult ReadStartState(plat::HWND mainWindow, const std::string& installerFolder)
{
    SetupState& s = Setup();
    s.platform = (plat::GetVersion() & 0x80000000u) ? 2 : 1;
    if (s.platform == 1 && !IsUserAdministrator()) {
        ShowErrorBox(mainWindow, LoadText(10));
        return StartResult::NotAdministrator;
    }
    s.installerFolder = installerFolder;
    s.dataDriveRoot = SetDataDriveRoot(installerFolder);
    s.scriptPath = installerFolder + "\\setup.inf";
    // A script that is missing or damaged is found before the wizard asks
    // anything and before anything is written.
    if (std::string fault = scriptFault(s.scriptPath); !fault.empty()) {
        LogSetupNote("\"" + s.scriptPath + "\": " + fault);
        ShowErrorBox(mainWindow, LoadText(kScriptFaultText), s.scriptPath);
        return StartResult::ScriptRefused;
    }
    s.diskettes = int(shortNumber("diskettes", "2"));
    s.test = static_cast<unsigned char>(shortNumber("test", "0"));
    s.spaceNeed = number("spaceneed", "3500");
    char windows[260] = {};
    plat::GetWindowsDirectoryA(windows, sizeof windows);
    s.windowsFolder = windows;
    plat::HDC screen = plat::GetDC(nullptr);
    s.hasColourTable = (plat::GetDeviceCaps(screen, plat::RASTERCAPS) & plat::RC_PALETTE) != 0;
    plat::ReleaseDC(nullptr, screen);
    s.colours = chooseColours(s.hasColourTable);
    return StartResult::Ready;
}
