#include "setup/Installation.h"

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/config/profile.h"
#include "platform/fs/files.h"
#include "platform/fs/find.h"
#include "platform/fs/paths.h"
#include "platform/window/cursor.h"
#include "platform/window/window.h"
#include "setup/Decompress.h"
#include "setup/DesktopEntries.h"
#include "setup/FolderTree.h"
#include "setup/GreekText.h"
#include "setup/InstallJournal.h"
#include "setup/SetupBoxes.h"
#include "setup/SetupLog.h"
#include "setup/SetupNames.h"
#include "setup/SetupRegistry.h"
#include "setup/SetupState.h"
#include "setup/SetupText.h"
#include "setup/StatusWindow.h"
#include "setup/TempFolder.h"
#include "setup/WriteFence.h"

namespace {

constexpr int kStatusFolderNotCreated = 19, kStatusFolderDeclined = 20, kStatusFolderUnreachable = 28,
              kStatusExeFile = 29, kStatusScriptCopy = 81, kStatusSharedFile = 121, kStatusTempFolder = 134,
              kStatusInstallerFiles = 135;

std::string join(const std::string& folder, const std::string& name) { return folder + "\\" + name; }

bool scriptHasKey(const char* section, const char* key)
{
    // A default no value can have tells a missing key from an empty one.
    return ScriptValue(section, key, "\x01") != "\x01";
}

int sectionCount(const char* section)
{
    return int(std::strtol(ScriptValue(section, "max", "1").c_str(), nullptr, 10));
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

// A copy from a pressed disc keeps the disc's read-only mark, which the
// installed file must not.
void clearReadOnly(const std::string& path)
{
    plat::SetFileAttributesA(path.c_str(), plat::GetFileAttributesA(path.c_str()) & ~plat::FILE_ATTRIBUTE_READONLY);
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

constexpr plat::UINT kDiskFullText = 148, kOutsideText = 150;

bool endsWithNoCase(const std::string& name, const char* tail)
{
    std::size_t n = std::strlen(tail);
    return name.size() > n && ::strncasecmp(name.c_str() + name.size() - n, tail, n) == 0;
}

// A resource library travels as a folder "NAME.resources", as the engine
// loads it.
bool isResourceLibrary(const std::string& name) { return endsWithNoCase(name, ".resources"); }

void showProgressText(const std::string& ansi)
{
    if (Setup().statusWindow)
        plat::SendMessageA(Setup().statusWindow, kStatusSetText, 0, plat::LPARAM(ansi.c_str()));
}

// The position is the number of the next key.
void showProgressPosition(int position)
{
    if (Setup().statusWindow)
        plat::SendMessageA(Setup().statusWindow, kStatusSetPosition, plat::WPARAM(position), 0);
}

// An entry that could not be put in place: a full disk is named as such,
// anything else as the file that could not be expanded; then the status.
void entryFailed(plat::HWND owner, const std::string& source, const std::string& target, plat::DWORD error,
                 int status)
{
    if (error == plat::ERROR_DISK_FULL) {
        LogSetupNote("the disk of \"" + target + "\" is full");
        ShowErrorBox(owner, LoadText(kDiskFullText), target.substr(0, 3));
    } else {
        ShowErrorBox(owner, LoadText(125), source);
    }
    ShowStatusError(owner, status);
}

// A name or a write that would land outside the target and system folders.
void entryRefused(plat::HWND owner, const char* section, const std::string& name, int status)
{
    LogSetupNote("refused [" + std::string(section) + "] \"" + name + "\": not a name inside its folder");
    ShowErrorBox(owner, LoadText(kOutsideText), name);
    ShowStatusError(owner, status);
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
        if (!fn(n, ScriptValue(section, key)))
            return 0;
    }
}

// Copies a resource library of the temporary folder into the target,
// noting what it made; a failure is reported with the section's status.
bool deliverLibrary(plat::HWND owner, const std::string& source, const std::string& target, int status)
{
    TreeCopy how{[](const std::string& from, const std::string& to, plat::DWORD* error) {
                     return DecompressFile(from, to, error) != 0;
                 },
                 [](const std::string& path, bool folder, bool existed) {
                     if (folder)
                         Journal().FolderMade(path);
                     else
                         Journal().FileWritten(path, existed);
                 }};
    std::string failed;
    plat::DWORD error = 0;
    if (CopyFolderTree(source, target, how, &failed, &error))
        return true;
    entryFailed(owner, source, failed, error, status);
    return false;
}

// The "system.ini" entry of a driver just copied.
void addDriverEntry(const std::string& name)
{
    std::string upper = name;
    for (char& c : upper)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    if (upper == "DVA.386") {
        Journal().BeforeIniValue("system.ini", "386Enh", "device");
        plat::WritePrivateProfileStringA("386Enh", "device", "DVA.386", "system.ini");
        Setup().restartNeeded = true;
    } else if (hasExtension(name, "ACM")) {
        const std::string alias = ScriptValue("NAMES", name.c_str(), "", 40);
        const std::string key = "MSACM." + alias;
        Journal().BeforeIniValue("system.ini", "drivers32", key);
        plat::WritePrivateProfileStringA("drivers32", key.c_str(), name.c_str(), "system.ini");
        Setup().restartNeeded = true;
    }
}

// Copies the current script into the target folder, where the last steps
// read it; it becomes the current script.
bool copyScript()
{
    std::string copy = join(Setup().targetFolder, "setup.inf");
    bool existed = fileExists(copy);
    if (!MayWriteTo(copy) || !plat::CopyFileA(Setup().scriptPath.c_str(), copy.c_str(), 0))
        return false;
    Journal().FileWritten(copy, existed);
    clearReadOnly(copy);
    Setup().scriptPath = copy;
    return true;
}

// The resource libraries of the medium that no [EXES] entry named go to
// the target too: the title cannot start without them.
int deliverUnlistedLibraries(plat::HWND owner, int status)
{
    const SetupState& s = Setup();
    std::vector<std::string> listed;
    forEachListed("EXES", [&](int, const std::string& name) {
        listed.push_back(name);
        return true;
    });
    for (const FolderEntry& e : ListFolder(s.temp.path)) {
        bool named = std::any_of(listed.begin(), listed.end(),
                                 [&](const std::string& l) { return ::strcasecmp(l.c_str(), e.name.c_str()) == 0; });
        if (!e.folder || named || !isResourceLibrary(e.name))
            continue;
        showProgressText(ConvertGreekText(LoadText(132)) + " " + e.name);
        if (!deliverLibrary(owner, join(s.temp.path, e.name), join(s.targetFolder, e.name), status))
            return 0;
    }
    return 1;
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
        if (!FolderExists(part)) {
            if (!plat::CreateDirectoryA(part.c_str(), nullptr))
                return 1;
            Journal().FolderMade(part);
        }
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

int CopyFolderFiles(const std::string& from, const std::string& to)
{
    std::vector<FolderEntry> entries;
    {
        plat::HCURSOR previous = plat::SetCursor(plat::LoadCursorA(nullptr, plat::IDC_WAIT));
        // A subfolder cannot be copied as a file, and only a resource
        // library is any part of what the installation needs from it.
        for (const FolderEntry& e : ListFolder(from))
            if (!e.folder || isResourceLibrary(e.name))
                entries.push_back(e);
        plat::SetCursor(previous);
    }
    Progress progress(Setup().mainWindow, int(entries.size()), LoadText(119));
    TreeCopy intoTemp{[](const std::string& source, const std::string& target, plat::DWORD* error) {
                          *error = 0;
                          if (!MayReadFrom(source))
                              return false;
                          bool done = plat::CopyFileA(source.c_str(), target.c_str(), 1) != 0;
                          *error = done ? 0 : plat::GetLastError();
                          if (done)
                              clearReadOnly(target);
                          return done;
                      },
                      [&](const std::string& path, bool, bool) { NoteTempEntry(path.substr(to.size() + 1)); }};
    int position = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& name = entries[i].name;
        std::string source = join(from, name), target = join(to, name);
        progress.setText(ConvertGreekText(LoadText(119)) + " " + source + " --> " + target);
        // A link on the medium that leads off it brings nothing of the
        // user's into the target.
        if (!MayReadFrom(source)) {
            ShowErrorBox(Setup().mainWindow, LoadText(133), source);
            return 0;
        }
        if (entries[i].folder) {
            std::string failed;
            plat::DWORD error = 0;
            if (!CopyFolderTree(source, target, intoTemp, &failed, &error)) {
                ShowErrorBox(Setup().mainWindow, LoadText(133), failed);
                return 0;
            }
        } else {
            // The folder is the installer's own and fresh: nothing of the
            // same name is ever overwritten there.
            while (!MayWriteTo(target) || !plat::CopyFileA(source.c_str(), target.c_str(), 1)) {
                std::string text = ConvertGreekText(LoadText(133)) + "\n" + source;
                if (i == 0 || !AskRetryOrAbort(Setup().mainWindow, text)) {
                    ShowErrorBox(Setup().mainWindow, LoadText(133), source);
                    return 0;
                }
            }
            NoteTempEntry(name);
            clearReadOnly(target);
        }
        if (i > 0)
            progress.setPosition(++position);
    }
    return 1;
}

int CopyListedFiles(plat::HWND owner, const char* section, const std::string& from, const std::string& to, int status)
{
    return forEachListed(section, [&](int n, const std::string& name) {
        showProgressText(ConvertGreekText(LoadText(132)) + " " + name);
        std::string source = join(from, name);
        if (!IsPlainFileName(name)) {
            entryRefused(owner, section, name, status);
            return false;
        }
        if (isResourceLibrary(name) && FolderExists(source)) {
            if (!deliverLibrary(owner, source, join(to, name), status))
                return false;
        } else {
            std::string target = join(to, StoredFileName(name));
            if (!MayWriteTo(target)) {
                entryRefused(owner, section, name, status);
                return false;
            }
            bool existed = fileExists(target);
            plat::DWORD error = 0;
            if (!DecompressFile(source, target, &error)) {
                entryFailed(owner, source, target, error, status);
                return false;
            }
            Journal().FileWritten(target, existed);
        }
        showProgressPosition(n + 1);
        return true;
    });
}

int CopyListedDlls(plat::HWND owner, const char* section, const std::string& from, const std::string& to, int status)
{
    return forEachListed(section, [&](int n, const std::string& name) {
        showProgressText(ConvertGreekText(LoadText(132)) + " " + name);
        std::string source = join(from, name);
        std::string folder = to;
        if (Setup().platform == 1 && ::strcasecmp(name.c_str(), "WING32.DLL") == 0)
            folder = join(Setup().windowsFolder, "SYSTEM32");
        std::string target = join(folder, name);
        if (!IsPlainFileName(name) || !MayWriteTo(target)) {
            entryRefused(owner, section, name, status);
            return false;
        }
        if (!fileExists(target)) {
            plat::DWORD error = 0;
            if (!DecompressFile(source, target, &error)) {
                entryFailed(owner, source, target, error, status);
                return false;
            }
            Journal().FileWritten(target, false);
            addDriverEntry(name);
        }
        AddSharedDllReference(target, n);
        showProgressPosition(n + 1);
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
    return CopyListedFiles(owner, "EXES", s.temp.path, s.targetFolder, kStatusExeFile) &&
           deliverUnlistedLibraries(owner, kStatusExeFile);
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
    return CopyListedDlls(owner, "DLLS", s.temp.path, system, kStatusSharedFile);
}

int InstallProgram(plat::HWND owner)
{
    SetupState& s = Setup();
    if (s.test)
        return 1;
    Journal().Clear();
    if (!FolderExists(s.targetFolder)) {
        if (CreateFolderTree(s.targetFolder) != 0) {
            ShowStatusError(owner, kStatusFolderNotCreated);
            return 0;
        }
    } else if (!AskYesOrNo(owner, LoadText(124), LoadText(117))) {
        ShowStatusError(owner, kStatusFolderDeclined);
        return 0;
    }
    if (!MakeTempFolder()) {
        LogSetupNote("no temporary folder of the installer's own could be made in \"" + s.targetFolder + "\"");
        ShowStatusError(owner, kStatusTempFolder);
        return 0;
    }
    if (!CopyFolderFiles(s.installerFolder, s.temp.path)) {
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
    std::string qt = ProductValue("qt");
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
    // A run that did not complete takes back what it made; what cannot be
    // taken back is named in the final box.
    if (s.failed)
        s.leftovers = Journal().TakeBack();
    else
        Journal().Clear();
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
