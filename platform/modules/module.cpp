#include "platform/modules/module.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>

#include "platform/config/ini_document.h"
#include "platform/fs/errors.h"
#include "platform/fs/find.h"
#include "platform/fs/folders.h"
#include "platform/fs/paths.h"
#include "platform/modules/module_table.h"
#include "platform/modules/resource_library.h"
#include "platform/modules/version.h"

namespace plat {

namespace {

ModuleTable& table()
{
    static ModuleTable t;
    return t;
}

void forgetFolders()
{
    // Handles already given out stay valid; later loads look again.
    std::lock_guard lock(table().mutex);
    table().program = nullptr;
    table().byFolder.clear();
}

void listenLocked()
{
    if (!table().listening) {
        table().listening = true;
        AddFolderChangeListener(&forgetFolders);
    }
}

std::string stemOf(const std::string& file)
{
    std::size_t slash = file.find_last_of("/\\");
    std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// The "NAME.resources" folder in folder, matched without regard to case.
std::string resourceFolderIn(const std::string& folder, const std::string& base)
{
    std::string wanted = base + ".resources";
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return {};
    std::string found;
    while (dirent* e = ::readdir(dir)) {
        if (!HostNamesMatch(e->d_name, wanted) || (!found.empty() && found <= e->d_name))
            continue;
        struct stat st {};
        std::string path = (folder == "/" ? "" : folder) + "/" + e->d_name;
        if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            found = e->d_name;
    }
    ::closedir(dir);
    return found.empty() ? std::string() : (folder == "/" ? "" : folder) + "/" + found;
}

std::map<std::string, std::map<std::string, FARPROC>>::const_iterator registeredLocked(const std::string& base)
{
    const auto& r = table().registered;
    for (auto it = r.begin(); it != r.end(); ++it)
        if (EqualsNoCase(it->first, base))
            return it;
    return r.end();
}

Module* builtinLocked(const std::string& base)
{
    const auto registered = registeredLocked(base);
    if (!EqualsNoCase(base, "VERSION") && registered == table().registered.end())
        return nullptr;
    for (auto& m : table().all)
        if (m->kind == Module::Kind::Builtin && EqualsNoCase(m->baseName, base))
            return m.get();
    auto m = Module::Open(Module::Kind::Builtin, registered == table().registered.end() ? "VERSION" : registered->first, "");
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    m->windowsFile = std::string(system) + "\\" + m->baseName + ".DLL";
    if (registered != table().registered.end()) {
        m->exports = registered->second;
    } else {
        m->exports["GetFileVersionInfoSizeA"] = reinterpret_cast<FARPROC>(&GetFileVersionInfoSizeA);
        m->exports["GetFileVersionInfoA"] = reinterpret_cast<FARPROC>(&GetFileVersionInfoA);
        m->exports["VerQueryValueA"] = reinterpret_cast<FARPROC>(&VerQueryValueA);
    }
    m->references = 0;
    table().all.push_back(std::move(m));
    return table().all.back().get();
}

}  // namespace

ModuleTable& Modules() { return table(); }

bool IsLiveModuleLocked(HMODULE module)
{
    for (auto& m : table().all)
        if (m.get() == module)
            return true;
    return false;
}

Module* ProgramModuleLocked()
{
    listenLocked();
    if (!table().program) {
        std::string file = ProgramFileHost();
        std::string base = stemOf(file);
        std::string folder = resourceFolderIn(ProgramFolderHost(), base);
        if (folder.empty() && ExecutableFileHost() != file) {
            // A program file that our engine stands in for (an installed
            // title's) has no resources of ours beside it: they stay beside
            // the executable.
            std::string self = ExecutableFileHost();
            folder = resourceFolderIn(self.substr(0, self.rfind('/')), stemOf(self));
        }
        auto m = Module::Open(Module::Kind::Program, base, folder);
        m->windowsFile = ProgramFileWindowsPath();
        table().all.push_back(std::move(m));
        table().program = table().all.back().get();
    }
    return table().program;
}

std::string FindResourceFolder(const std::string& windowsName, std::string& base)
{
    std::string name = windowsName;
    std::size_t slash = FindLastSeparator(name);
    std::size_t colon = name.rfind(':');
    std::size_t cut = slash == std::string::npos ? colon : (colon == std::string::npos ? slash : std::max(slash, colon));
    base = stemOf(cut == std::string::npos ? name : name.substr(cut + 1));
    base = HostNameFromAnsi(base);
    if (cut != std::string::npos) {
        std::string folderPart;
        if (cut == colon) {
            folderPart = name.substr(0, cut + 1);  // "X:": that drive's current folder
        } else {
            folderPart = name.substr(0, cut);
            if (folderPart.empty() || (folderPart.size() == 2 && folderPart[1] == ':'))
                folderPart += '\\';
        }
        HostPath folder = ResolveHostPath(folderPart);
        if (folder.error || !folder.isFolder)
            return {};
        return resourceFolderIn(folder.host, base);
    }
    std::vector<std::string> path = table().searchPath;
    if (path.empty())
        path.push_back(ProgramFolderHost());
    for (const std::string& folder : path) {
        std::string found = resourceFolderIn(folder, base);
        if (!found.empty())
            return found;
    }
    return {};
}

HMODULE LoadLibraryA(const char* name)
{
    if (!name || !*name) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    std::lock_guard lock(table().mutex);
    listenLocked();
    std::string base;
    std::string folder = FindResourceFolder(name, base);
    if (folder.empty()) {
        if (Module* builtin = builtinLocked(base)) {
            ++builtin->references;
            return builtin;
        }
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    auto it = table().byFolder.find(folder);
    if (it != table().byFolder.end() && IsLiveModuleLocked(it->second)) {
        ++it->second->references;
        return it->second;
    }
    // The library's own spelling of its name, from its folder.
    std::string folderName = folder.substr(folder.rfind('/') + 1);
    std::string own = folderName.substr(0, folderName.size() - std::strlen(".resources"));
    auto m = Module::Open(Module::Kind::Library, own, folder);
    std::string parent = HostToWindowsPath(folder.substr(0, folder.rfind('/')));
    m->windowsFile = (parent.size() == 3 ? parent : parent + "\\") + AnsiFromHostName(own) + ".DLL";
    table().all.push_back(std::move(m));
    Module* loaded = table().all.back().get();
    table().byFolder[folder] = loaded;
    return loaded;
}

BOOL FreeLibrary(HMODULE module)
{
    std::lock_guard lock(table().mutex);
    if (!module || !IsLiveModuleLocked(module) || module->kind == Module::Kind::Program) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (--module->references > 0 || module->kind == Module::Kind::Builtin)
        return 1;
    for (auto it = table().byFolder.begin(); it != table().byFolder.end(); ++it) {
        if (it->second == module) {
            table().byFolder.erase(it);
            break;
        }
    }
    auto& all = table().all;
    all.erase(std::remove_if(all.begin(), all.end(), [&](const auto& m) { return m.get() == module; }), all.end());
    return 1;
}

HMODULE GetModuleHandleA(const char* name)
{
    std::lock_guard lock(table().mutex);
    if (!name)
        return ProgramModuleLocked();
    std::string base;
    std::string folder = FindResourceFolder(name, base);
    auto it = table().byFolder.find(folder);
    if (!folder.empty() && it != table().byFolder.end())
        return it->second;
    for (auto& m : table().all)
        if (m->references > 0 && EqualsNoCase(m->baseName, base))
            return m.get();
    if (EqualsNoCase(ProgramModuleLocked()->baseName, base))
        return table().program;
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size)
{
    std::string file;
    {
        std::lock_guard lock(table().mutex);
        if (!module)
            module = ProgramModuleLocked();
        if (!IsLiveModuleLocked(module)) {
            SetLastError(ERROR_INVALID_HANDLE);
            return 0;
        }
        file = module->windowsFile;
    }
    if (!buffer || size == 0)
        return 0;
    DWORD n = static_cast<DWORD>(std::min<std::size_t>(file.size(), size - 1));
    std::memcpy(buffer, file.data(), n);
    buffer[n] = '\0';
    if (n < file.size())
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return n;
}

FARPROC GetProcAddress(HMODULE module, const char* name)
{
    std::lock_guard lock(table().mutex);
    if (!module || !IsLiveModuleLocked(module)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (name && !IS_INTRESOURCE(name)) {
        auto it = module->exports.find(name);
        if (it != module->exports.end())
            return it->second;
    }
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

void SetModuleSearchPath(std::vector<std::string> hostFolders)
{
    std::lock_guard lock(table().mutex);
    table().searchPath = std::move(hostFolders);
    table().byFolder.clear();
}

void RegisterBuiltinLibrary(const std::string& baseName, std::map<std::string, FARPROC> exports)
{
    std::lock_guard lock(table().mutex);
    auto& all = table().all;
    all.erase(std::remove_if(all.begin(), all.end(),
                             [&](const auto& m) {
                                 return m->kind == Module::Kind::Builtin && EqualsNoCase(m->baseName, baseName);
                             }),
              all.end());
    for (auto it = table().registered.begin(); it != table().registered.end(); ++it) {
        if (EqualsNoCase(it->first, baseName)) {
            table().registered.erase(it);
            break;
        }
    }
    if (!exports.empty())
        table().registered[baseName] = std::move(exports);
}

}  // namespace plat
