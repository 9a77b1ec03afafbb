#pragma once
// What the installation writes into the registry and the title's INI file:
// the product key, the uninstall entry, the shared-file use counts and the
// "Data" key through which the title finds its disc. Keys go to the
// platform's hives under HKEY_LOCAL_MACHINE; there are no security
// descriptors to build.

#include <string>

#include "platform/config/registry.h"
#include "platform/core/types.h"

inline constexpr const char* kCompanyName = "Jx Multimedia";
inline constexpr const char* kProductName = "Kelbo";
inline constexpr const char* kProductVersion = "03.01.0005";
inline constexpr const char* kSharedDllsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
inline constexpr const char* kUninstallKeyFormat = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\%s";

// "Software\Jx Multimedia\Kelbo\03.01.0005".
std::string ProductKeyPath();
// "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelbo".
std::string UninstallKeyPath();

// Creates (or opens) a key of HKEY_LOCAL_MACHINE with full access and the
// class "Application Global Data"; null after string 15 when it cannot.
plat::HKEY CreateRegistryKey(const std::string& subKey);
// Writes text (REG_SZ with its terminator) when it is not empty, else the
// number (REG_DWORD); 0 after string 15 when the write fails.
int SetRegistryValue(plat::HKEY key, const char* name, const std::string& text, plat::DWORD number);
// The plain readers and writers of one value under HKEY_LOCAL_MACHINE: they
// report nothing. The writers create the key when it is missing.
std::string ReadRegistryString(const std::string& subKey, const char* name);
plat::DWORD ReadRegistryDword(const std::string& subKey, const char* name);
int WriteRegistryString(const std::string& subKey, const char* name, const std::string& text);
int WriteRegistryDword(const std::string& subKey, const char* name, plat::DWORD value);

// Writes "kelbo32.ini" in the target folder: section "Directory", key
// "Data" = the data drive root and, when that drive has one, "VolumeLabel"
// = its label, by which the title knows its disc. 1 when written.
int WriteDataDirectory();
// The product key ("Path" and the three link names), then the uninstall
// entry, stopping at the first failure; WriteDataDirectory runs on every
// path and its result lands in *dataWritten. 1 when the registry was
// written.
int WriteProductRegistry(plat::HWND owner, int* dataWritten);
// Adds one use to the shared file's SharedDLLs count and names the file as
// "udll%02d" with the entry number in the product key; the result of the
// count write.
int AddSharedDllReference(const std::string& fullPath, int entry);
