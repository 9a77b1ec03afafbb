#include "setup/SetupRegistry.h"

#include <cstdio>
#include <cstring>

#include "platform/config/profile.h"
#include "platform/fs/drives.h"
#include "platform/fs/files.h"
#include "platform/fs/paths.h"
#include "setup/GreekText.h"
#include "setup/InstallJournal.h"
#include "setup/SetupBoxes.h"
#include "setup/SetupState.h"
#include "setup/SetupText.h"
#include "setup/WriteFence.h"

namespace {

constexpr const char* kKeyClass = "Application Global Data";
// The title's Greek name, as the installer keeps its texts (code page 737).
constexpr const char* kGreekTitleUtf8 = "Ταρνέλο";

struct KeyCloser {
    plat::HKEY key;
    ~KeyCloser()
    {
        if (key)
            plat::RegCloseKey(key);
    }
};

}  // namespace

std::string ProductKeyPath()
{
    return std::string("Software\\") + kCompanyName + "\\" + kProductName + "\\" + kProductVersion;
}

std::string UninstallKeyPath()
{
    char path[260];
    std::snprintf(path, sizeof path, kUninstallKeyFormat, kProductName);
    return path;
}

plat::HKEY CreateRegistryKey(const std::string& subKey)
{
    Journal().BeforeRegistryKey(subKey);
    plat::HKEY key = nullptr;
    plat::DWORD disposition = 0;
    if (plat::RegCreateKeyExA(plat::HKEY_LOCAL_MACHINE, subKey.c_str(), 0, kKeyClass, plat::REG_OPTION_NON_VOLATILE,
                              plat::KEY_ALL_ACCESS, nullptr, &key, &disposition) != 0) {
        ShowErrorBox(Setup().mainWindow, LoadText(15));
        return nullptr;
    }
    return key;
}

int SetRegistryValue(plat::HKEY key, const char* name, const std::string& text, plat::DWORD number)
{
    plat::LONG r = text.empty()
                       ? plat::RegSetValueExA(key, name, 0, plat::REG_DWORD, reinterpret_cast<const plat::BYTE*>(&number),
                                              sizeof number)
                       : plat::RegSetValueExA(key, name, 0, plat::REG_SZ, reinterpret_cast<const plat::BYTE*>(text.c_str()),
                                              plat::DWORD(text.size() + 1));
    if (r != 0) {
        ShowErrorBox(Setup().mainWindow, LoadText(15));
        return 0;
    }
    return 1;
}

std::string ReadRegistryString(const std::string& subKey, const char* name)
{
    plat::HKEY key = nullptr;
    if (plat::RegOpenKeyExA(plat::HKEY_LOCAL_MACHINE, subKey.c_str(), 0, plat::KEY_READ, &key) != 0)
        return {};
    KeyCloser closer{key};
    char value[260] = {};
    plat::DWORD size = sizeof value, type = 0;
    if (plat::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<plat::BYTE*>(value), &size) != 0 ||
        type != plat::REG_SZ)
        return {};
    return std::string(value, ::strnlen(value, sizeof value));
}

plat::DWORD ReadRegistryDword(const std::string& subKey, const char* name)
{
    plat::HKEY key = nullptr;
    if (plat::RegOpenKeyExA(plat::HKEY_LOCAL_MACHINE, subKey.c_str(), 0, plat::KEY_READ, &key) != 0)
        return 0;
    KeyCloser closer{key};
    plat::DWORD value = 0, size = sizeof value, type = 0;
    if (plat::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<plat::BYTE*>(&value), &size) != 0 ||
        type != plat::REG_DWORD)
        return 0;
    return value;
}

namespace {

int writeValue(const std::string& subKey, const char* name, plat::DWORD type, const void* data, plat::DWORD size)
{
    // The shared-files key is always there on Windows; a fresh emulated
    // registry has to make it.
    plat::HKEY key = nullptr;
    if (plat::RegCreateKeyExA(plat::HKEY_LOCAL_MACHINE, subKey.c_str(), 0, nullptr, plat::REG_OPTION_NON_VOLATILE,
                              plat::KEY_SET_VALUE, nullptr, &key, nullptr) != 0)
        return 0;
    KeyCloser closer{key};
    return plat::RegSetValueExA(key, name, 0, type, static_cast<const plat::BYTE*>(data), size) == 0 ? 1 : 0;
}

}  // namespace

int WriteRegistryString(const std::string& subKey, const char* name, const std::string& text)
{
    Journal().BeforeRegistryKey(subKey);
    Journal().BeforeRegistryValue(subKey, name);
    return writeValue(subKey, name, plat::REG_SZ, text.c_str(), plat::DWORD(text.size() + 1));
}

int WriteRegistryDword(const std::string& subKey, const char* name, plat::DWORD value)
{
    Journal().BeforeRegistryKey(subKey);
    Journal().BeforeRegistryValue(subKey, name);
    return writeValue(subKey, name, plat::REG_DWORD, &value, sizeof value);
}

namespace {

// One entry of the title's INI file, noted so that a failed run can take
// it back.
bool writeDirectoryEntry(const std::string& ini, const char* key, const std::string& value)
{
    Journal().BeforeIniValue(ini, "Directory", key);
    if (plat::WritePrivateProfileStringA("Directory", key, value.c_str(), ini.c_str()))
        return true;
    Journal().ForgetLast();
    return false;
}

}  // namespace

int WriteDataDirectory()
{
    const SetupState& s = Setup();
    std::string ini = s.targetFolder + "\\kelbo32.ini";
    if (!MayWriteTo(ini))
        return 0;
    const bool fresh = plat::GetFileAttributesA(ini.c_str()) == plat::INVALID_FILE_ATTRIBUTES;
    // The title checks that the disc in the drive is its own by this label.
    char label[64] = {};
    const bool done =
        writeDirectoryEntry(ini, "Data", s.dataDriveRoot) &&
        (!plat::GetVolumeInformationA(s.dataDriveRoot.c_str(), label, sizeof label, nullptr, nullptr, nullptr,
                                      nullptr, 0) ||
         !label[0] || writeDirectoryEntry(ini, "VolumeLabel", label));
    // A file the run made goes again with it, known as its last write left
    // it (each write puts a new file in place); in one that was there, the
    // entries are put back as they were.
    if (fresh && plat::GetFileAttributesA(ini.c_str()) != plat::INVALID_FILE_ATTRIBUTES)
        Journal().FileWritten(ini, false);
    return done ? 1 : 0;
}

namespace {

// A value of a key the installation opened, noted first so that a failed
// run can take it back.
int setNotedValue(plat::HKEY key, const std::string& subKey, const char* name, const std::string& text)
{
    Journal().BeforeRegistryValue(subKey, name);
    return SetRegistryValue(key, name, text, 0);
}

int writeProductKey()
{
    plat::HKEY key = CreateRegistryKey(ProductKeyPath());
    if (!key)
        return 0;
    KeyCloser closer{key};
    if (!setNotedValue(key, ProductKeyPath(), "Path", Setup().targetFolder))
        return 0;
    for (const char* name : {"exelnk", "readmelnk", "uninstlnk"})
        if (!setNotedValue(key, ProductKeyPath(), name, ProductValue(name)))
            return 0;
    return 1;
}

int writeUninstallEntry()
{
    plat::HKEY key = CreateRegistryKey(UninstallKeyPath());
    if (!key)
        return 0;
    KeyCloser closer{key};
    std::string title = ConvertGreekText(plat::Utf8ToCodePage(kGreekTitleUtf8, 737));
    return setNotedValue(key, UninstallKeyPath(), "DisplayName", title) &&
           setNotedValue(key, UninstallKeyPath(), "UninstallString", Setup().targetFolder + "\\delete.exe");
}

}  // namespace

int WriteProductRegistry(plat::HWND, int* dataWritten)
{
    int written = writeProductKey() && writeUninstallEntry();
    int data = WriteDataDirectory();
    if (dataWritten)
        *dataWritten = data;
    return written;
}

int AddSharedDllReference(const std::string& fullPath, int entry)
{
    plat::DWORD count = ReadRegistryDword(kSharedDllsKey, fullPath.c_str());
    char name[16];
    std::snprintf(name, sizeof name, "udll%02d", entry);
    WriteRegistryString(ProductKeyPath(), name, fullPath);
    return WriteRegistryDword(kSharedDllsKey, fullPath.c_str(), count + 1);
}
