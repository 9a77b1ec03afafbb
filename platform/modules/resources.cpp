#include "platform/modules/resources.h"

#include <cstring>

#include "platform/core/codepage.h"
#include "platform/fs/errors.h"
#include "platform/modules/module_table.h"

namespace plat {

namespace {

Module* moduleLocked(HMODULE module)
{
    if (!module)
        return ProgramModuleLocked();
    return IsLiveModuleLocked(module) ? module : nullptr;
}

}  // namespace

int GetModuleCodePage(HMODULE module)
{
    std::lock_guard lock(Modules().mutex);
    Module* m = moduleLocked(module);
    return m ? m->codePage : GetACP();
}

HRSRC FindResourceA(HMODULE module, const char* name, const char* type)
{
    std::lock_guard lock(Modules().mutex);
    Module* m = moduleLocked(module);
    if (!m) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    HRSRC found = m->Find(name, type);
    if (!found)
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return found;
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource)
{
    std::lock_guard lock(Modules().mutex);
    Module* m = moduleLocked(module);
    if (!m || !resource) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    for (auto& e : m->entries) {
        if (e.get() != resource)
            continue;
        const std::string* data = m->Data(*e);
        if (!data) {
            SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
            return nullptr;
        }
        return data;
    }
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
}

const void* LockResource(HGLOBAL data)
{
    return data ? static_cast<const std::string*>(data)->data() : nullptr;
}

DWORD SizeofResource(HMODULE module, HRSRC resource)
{
    HGLOBAL data = LoadResource(module, resource);
    return data ? static_cast<DWORD>(static_cast<const std::string*>(data)->size()) : 0;
}

BOOL FreeResource(HGLOBAL) { return 0; }  // resources live as long as their module

std::string ResourceHostFile(HMODULE module, HRSRC resource)
{
    std::lock_guard lock(Modules().mutex);
    Module* m = moduleLocked(module);
    if (!m || !resource)
        return {};
    for (auto& e : m->entries)
        if (e.get() == resource)
            return e->hostFile;
    return {};
}

std::string ResourceOwnerKey(HMODULE module)
{
    std::lock_guard lock(Modules().mutex);
    Module* m = moduleLocked(module);
    return m ? m->hostFolder + '|' + m->baseName : std::string();
}

int LoadStringA(HMODULE module, UINT id, char* buffer, int size)
{
    std::lock_guard lock(Modules().mutex);
    Module* m = moduleLocked(module);
    if (!m) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    auto it = m->strings.find(id);
    if (!buffer || size <= 0)
        return 0;
    if (it == m->strings.end()) {
        buffer[0] = '\0';
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    std::size_t n = std::min<std::size_t>(it->second.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, it->second.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

}  // namespace plat
