#include "platform/modules/version.h"

#include <cstring>
#include <string>

#include "platform/config/ini_document.h"
#include "platform/fs/errors.h"
#include "platform/modules/module_table.h"

namespace plat {

namespace {

// The version block of the module file fileName: a loaded module of that
// file name, else the library folder it stands for.
std::string blockFor(const char* fileName)
{
    if (!fileName || !*fileName)
        return {};
    std::lock_guard lock(Modules().mutex);
    ProgramModuleLocked();
    for (auto& m : Modules().all)
        if (EqualsNoCase(m->windowsFile, fileName))
            return m->VersionBlock();
    std::string base;
    std::string folder = FindResourceFolder(fileName, base);
    if (folder.empty())
        return {};
    return Module::Open(Module::Kind::Library, base, folder)->VersionBlock();
}

DWORD read32(const unsigned char* p) { return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24; }

std::string normalise(const char* subBlock)
{
    std::string s;
    for (const char* p = subBlock; *p; ++p) {
        char c = *p == '/' ? '\\' : *p;
        if (c == '\\' && !s.empty() && s.back() == '\\')
            continue;
        s += c;
    }
    if (s.empty() || s[0] != '\\')
        s.insert(s.begin(), '\\');
    if (s.size() > 1 && s.back() == '\\')
        s.pop_back();
    return s;
}

}  // namespace

DWORD GetFileVersionInfoSizeA(const char* fileName, DWORD* handle)
{
    if (handle)
        *handle = 0;
    std::string block = blockFor(fileName);
    if (block.empty())
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return static_cast<DWORD>(block.size());
}

BOOL GetFileVersionInfoA(const char* fileName, DWORD, DWORD size, void* data)
{
    std::string block = blockFor(fileName);
    if (block.empty() || !data) {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return 0;
    }
    if (size < block.size()) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(data, block.data(), block.size());
    return 1;
}

BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer, UINT* length)
{
    if (!block || !subBlock || !buffer || !length)
        return 0;
    const auto* p = static_cast<const unsigned char*>(block);
    if (std::memcmp(p, "KVB1", 4) != 0)
        return 0;
    std::size_t total = read32(p + 4);
    std::string wanted = normalise(subBlock);
    std::size_t pos = 8;
    while (pos + 2 <= total) {
        std::size_t keyLength = p[pos] | (p[pos + 1] << 8);
        if (pos + 2 + keyLength + 4 > total)
            return 0;
        std::string_view key(reinterpret_cast<const char*>(p + pos + 2), keyLength);
        std::size_t valueLength = read32(p + pos + 2 + keyLength);
        std::size_t value = pos + 6 + keyLength;
        if (value + valueLength > total)
            return 0;
        if (EqualsNoCase(key, wanted)) {
            *buffer = const_cast<unsigned char*>(p + value);
            bool text = key.rfind("\\StringFileInfo\\", 0) == 0;
            std::size_t n = valueLength;
            if (text) {
                // A text ends at its NUL, which must lie inside its value.
                n = strnlen(reinterpret_cast<const char*>(p + value), valueLength);
                if (n == valueLength)
                    return 0;
                ++n;
            }
            *length = static_cast<UINT>(n);
            return 1;
        }
        pos = value + valueLength;
    }
    return 0;
}

}  // namespace plat
