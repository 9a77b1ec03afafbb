#include "setup/Installation.h"

#include <strings.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/config/profile.h"
#include "platform/fs/files.h"
#include "platform/fs/find.h"
#include "platform/fs/paths.h"
#include "platform/window/cursor.h"
#include "platform/window/window.h"
#include "setup/Decompress.h"
#include "setup/DesktopEntries.h"
#include "setup/GreekText.h"
#include "setup/SetupBoxes.h"
#include "setup/SetupLog.h"
#include "setup/SetupNames.h"
#include "setup/SetupRegistry.h"
#include "setup/SetupState.h"
#include "setup/SetupText.h"
#include "setup/StatusWindow.h"

namespace {

constexpr int kStatusFolderNotCreated = 19, kStatusFolderDeclined = 20, kStatusFolderUnreachable = 28,
              kStatusExeFile = 29, kStatusScriptCopy = 81, kStatusSharedFile = 121, kStatusTempFolder = 134,
              kStatusInstallerFiles = 135;

std::string join(const std::string& folder, const std::string& name) { return folder + "\\" + name; }

std::string scriptString(const char* section, const char* key, const char* fallback = "")
{
    return ScriptValue(section, key, fallback);
}

bool scriptHasKey(const char* section, const char* key)
{
    // A default no value can have tells a missing key from an empty one.
    return scriptString(section, key, "\x01") != "\x01";
}

int sectionCount(const char* section)
{
    return int(std::strtol(scriptString(section, "max", "1").c_str(), nullptr, 10));
}

bool hasExtension(const std::string& name, const char* ext)
{
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    std::string e = name.substr(dot + 1);
    return e.size() == std::strlen(ext) && ::strncasecmp(e.c_str(), ext, e.size()) == 0;
}

bool fileExists(const std::string& path)
{
    plat::DWORD a = plat::GetFileAttributesA(path.c_str());
    return a != plat::INVALID_FILE_ATTRIBUTES && !(a & plat::FILE_ATTRIBUTE_DIRECTORY);
}

// The progress window's text and position while a list is copied.
class Progress {
public:
    Progress(plat::HWND owner, int range, const std::string& text737)
        : window_(CreateStatusWindow(owner, range))
    {
        Setup().statusWindow = window_;
        setText(ConvertGreekText(text737));
    }
    ~Progress()
    {
        if (window_ && plat::IsWindow(window_))
            plat::DestroyWindow(window_);
        Setup().statusWindow = nullptr;
    }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void setText(const std::string& ansi)
    {
        if (window_)
            plat::SendMessageA(window_, kStatusSetText, 0, plat::LPARAM(ansi.c_str()));
    }
    void setPosition(int position)
    {
        if (window_)
            plat::SendMessageA(window_, kStatusSetPosition, plat::WPARAM(plat::LONG_PTR(position)), 0);
    }

private:
    plat::HWND window_;
};

void expandFailed(plat::HWND owner, const std::string& source, int status)
{
    ShowErrorBox(owner, LoadText(125) + "\n" + source);
    ShowStatusError(owner, status);
}

// Names the entry on the progress window; refuses (with the section's
// status) a name that would leave its folder.
bool beginEntry(plat::HWND owner, const char* section, const std::string& name, const std::string& source, int status)
{
    if (Setup().statusWindow)
        plat::SendMessageA(Setup().statusWindow, kStatusSetText, 0,
                           plat::LPARAM((ConvertGreekText(LoadText(132)) + " " + name).c_str()));
    if (IsPlainFileName(name))
        return true;
    LogSetupNote("refused [" + std::string(section) + "] \"" + name + "\": not a name inside its folder");
    expandFailed(owner, source, status);
    return false;
}

// The section's names in order of their numbers, up to the first missing.
template <typename Fn>
int forEachListed(const char* section, Fn fn)
{
    for (int n = 1;; ++n) {
        char key[16];
        std::snprintf(key, sizeof key, "file%d", n);
        if (!scriptHasKey(section, key))
            return 1;
        if (!fn(n, scriptString(section, key)))
            return 0;
    }
}

// The "system.ini" entry of a driver just copied; true when one was written.
void addDriverEntry(const std::string& name)
{
    std::string upper = name;
    for (char& c : upper)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    if (upper == "DVA.386") {
        plat::WritePrivateProfileStringA("386Enh", "device", "DVA.386", "system.ini");
        Setup().restartNeeded = true;
    } else if (hasExtension(name, "ACM")) {
        const std::string alias = ScriptValue("NAMES", name.c_str(), "", 40);
        plat::WritePrivateProfileStringA("drivers32", ("MSACM." + alias).c_str(), name.c_str(),
                                         "system.ini");
        Setup().restartNeeded = true;
    }
}

// Copies the current script into the target folder, where the last steps
// read it; it becomes the current script.
bool copyScript()
{
    std::string copy = join(Setup().targetFolder, "setup.inf");
    if (!plat::CopyFileA(Setup().scriptPath.c_str(), copy.c_str(), 0))
        return false;
    plat::SetFileAttributesA(copy.c_str(), plat::GetFileAttributesA(copy.c_str()) & ~plat::FILE_ATTRIBUTE_READONLY);
    Setup().scriptPath = copy;
    return true;
}

bool makeTempFolder()
{
    SetupState& s = Setup();
    s.tempFolder = join(s.targetFolder, "Temp");
    if (FolderExists(s.tempFolder))
        return true;
    if (CreateFolderTree(s.tempFolder) != 0)
        return false;
    s.tempFolderMade = true;
    return true;
}

}  // namespace

int FolderExists(const std::string& path)
{
    plat::DWORD a = plat::GetFileAttributesA(path.c_str());
    return a != plat::INVALID_FILE_ATTRIBUTES && (a & plat::FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
}

int CreateFolderTree(const std::string& path)
{
    std::string full = plat::GetFullWindowsPath(path);
    if (full.empty())
        return 1;
    for (std::size_t at = full.find('\\', 3); ; at = full.find('\\', at + 1)) {
        std::string part = at == std::string::npos ? full : full.substr(0, at);
        if (!FolderExists(part) && !plat::CreateDirectoryA(part.c_str(), nullptr))
            return 1;
        if (at == std::string::npos)
            return 0;
    }
}

void ShowStatusError(plat::HWND owner, int status)
{
    ShowErrorBox(owner, LoadText(100) + "\nstatus=" + std::to_string(status));
    Setup().failed = true;
    DeleteTempFolder();
}

void DeleteTempFolder()
{
    SetupState& s = Setup();
    if (s.tempFolder.empty() || !FolderExists(s.tempFolder))
        return;
    // Only what the installation put there goes: a folder of the same name
    // that the user had in an existing target keeps its own files.
    for (const std::string& name : s.tempCopies)
        plat::DeleteFileA(join(s.tempFolder, name).c_str());
    s.tempCopies.clear();
    plat::SetCurrentDirectoryA(s.targetFolder.c_str());
    if (s.tempFolderMade && plat::RemoveDirectoryA(s.tempFolder.c_str()))
        s.tempFolderMade = false;
}

int CopyFolderFiles(const std::string& from, const std::string& to)
{
    std::vector<std::string> names;
    {
        plat::HCURSOR previous = plat::SetCursor(plat::LoadCursorA(nullptr, plat::IDC_WAIT));
        plat::WIN32_FIND_DATAA found;
        plat::HANDLE_FIND search = plat::FindFirstFileA((from + "\\*.*").c_str(), &found);
        for (bool more = search != nullptr; more; more = plat::FindNextFileA(search, &found)) {
            // A subfolder cannot be copied as a file: it is no part of what
            // the installation needs from this folder, so it is left out
            // rather than ending the installation.
            if (!(found.dwFileAttributes & plat::FILE_ATTRIBUTE_DIRECTORY))
                names.emplace_back(found.cFileName);
        }
        if (search)
            plat::FindClose(search);
        plat::SetCursor(previous);
    }
    Progress progress(Setup().mainWindow, int(names.size()), LoadText(119));
    int position = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::string source = join(from, names[i]), target = join(to, names[i]);
        progress.setText(ConvertGreekText(LoadText(119)) + " " + source + " --> " + target);
        while (!plat::CopyFileA(source.c_str(), target.c_str(), 0)) {
            std::string text = ConvertGreekText(LoadText(133)) + "\n" + source;
            if (i == 0 || !AskRetryOrAbort(Setup().mainWindow, text)) {
                ShowErrorBox(Setup().mainWindow, LoadText(133) + "\n" + source);
                return 0;
            }
        }
        Setup().tempCopies.push_back(names[i]);
        plat::SetFileAttributesA(target.c_str(), plat::GetFileAttributesA(target.c_str()) & ~plat::FILE_ATTRIBUTE_READONLY);
        if (i > 0)
            progress.setPosition(++position);
    }
    return 1;
}

int CopyListedFiles(plat::HWND owner, const char* section, const std::string& from, const std::string& to, int status)
{
    return forEachListed(section, [&](int n, const std::string& name) {
        std::string source = join(from, name);
        if (!beginEntry(owner, section, name, source, status))
            return false;
        std::string stored = name.back() == '$' ? name.substr(0, name.size() - 1) + "EXE" : name;
        if (!DecompressFile(source, join(to, stored))) {
            expandFailed(owner, source, status);
            return false;
        }
        // The position is the number of the next key.
        if (Setup().statusWindow)
            plat::SendMessageA(Setup().statusWindow, kStatusSetPosition, plat::WPARAM(n + 1), 0);
        return true;
    });
}

int CopyListedDlls(plat::HWND owner, const char* section, const std::string& from, const std::string& to, int status)
{
    return forEachListed(section, [&](int n, const std::string& name) {
        std::string source = join(from, name);
        if (!beginEntry(owner, section, name, source, status))
            return false;
        std::string folder = to;
        if (Setup().platform == 1 && ::strcasecmp(name.c_str(), "WING32.DLL") == 0)
            folder = join(Setup().windowsFolder, "SYSTEM32");
        std::string target = join(folder, name);
        if (!fileExists(target)) {
            if (!DecompressFile(source, target)) {
                expandFailed(owner, source, status);
                return false;
            }
            addDriverEntry(name);
        }
        AddSharedDllReference(target, n);
        // The position is the number of the next key.
        if (Setup().statusWindow)
            plat::SendMessageA(Setup().statusWindow, kStatusSetPosition, plat::WPARAM(n + 1), 0);
        return true;
    });
}

int CopyExeFiles(plat::HWND owner)
{
    SetupState& s = Setup();
    if (!plat::SetCurrentDirectoryA(s.targetFolder.c_str())) {
        ShowStatusError(owner, kStatusFolderUnreachable);
        return 0;
    }
    Progress progress(owner, sectionCount("EXES"), LoadText(119));
    return CopyListedFiles(owner, "EXES", s.tempFolder, s.targetFolder, kStatusExeFile);
}

int CopyDllFiles(plat::HWND owner)
{
    SetupState& s = Setup();
    std::string system = join(s.windowsFolder, "SYSTEM");
    if (!plat::SetCurrentDirectoryA(s.targetFolder.c_str())) {
        ShowStatusError(owner, kStatusFolderUnreachable);
        return 0;
    }
    Progress progress(owner, sectionCount("DLLS"), LoadText(119));
    return CopyListedDlls(owner, "DLLS", s.tempFolder, system, kStatusSharedFile);
}

int InstallProgram(plat::HWND owner)
{
    SetupState& s = Setup();
    if (s.test)
        return 1;
    if (!FolderExists(s.targetFolder)) {
        if (CreateFolderTree(s.targetFolder) != 0) {
            ShowStatusError(owner, kStatusFolderNotCreated);
            return 0;
        }
    } else if (!AskYesOrNo(owner, LoadText(124), LoadText(117))) {
        ShowStatusError(owner, kStatusFolderDeclined);
        return 0;
    }
    if (!makeTempFolder()) {
        ShowStatusError(owner, kStatusTempFolder);
        return 0;
    }
    if (!CopyFolderFiles(s.installerFolder, s.tempFolder)) {
        ShowStatusError(owner, kStatusInstallerFiles);
        return 0;
    }
    if (!CopyExeFiles(owner))
        return 0;
    int dataWritten = 0;
    WriteProductRegistry(owner, &dataWritten);
    // Without "Data" the title cannot find its disc: the installation
    // failed, whatever the registry says.
    if (!dataWritten)
        return 0;
    if (s.diskettes == 1 && !CopyDllFiles(owner))
        return 0;
    if (!copyScript()) {
        ShowStatusError(owner, kStatusScriptCopy);
        return 0;
    }
    if (!CreateShortcuts())
        ShowErrorBox(owner, LoadText(137));
    return 1;
}

void FinishSetup(plat::HWND)
{
    SetupState& s = Setup();
    if (s.test)
        return;
    std::string qt = scriptString(kProductSection, "qt");
    std::string parent = s.installerFolder.substr(0, s.installerFolder.find_last_of('\\'));
    s.quickTimeInstaller = qt.empty() ? std::string() : join(parent, qt);
    // The copy of the script in the target folder served the last steps;
    // the script on the medium stays.
    std::string copy = join(s.targetFolder, "setup.inf");
    if (!s.targetFolder.empty() && ::strcasecmp(s.scriptPath.c_str(), copy.c_str()) == 0) {
        plat::DeleteFileA(copy.c_str());
        s.scriptPath = join(s.installerFolder, "setup.inf");
    }
    DeleteTempFolder();
}

void EndInstallation()
{
    SetupState& s = Setup();
    if (s.test || s.failed)
        return;
    if (!s.quickTimeInstaller.empty())
        LogSetupNote("skipped: the QuickTime installer \"" + s.quickTimeInstaller +
                     "\" (the title's movies play through our own movie layer)");
    if (s.restartNeeded)
        LogSetupNote("skipped: the restart (the host is never restarted; the drivers' entries are in the "
                     "emulated \"system.ini\")");
}
