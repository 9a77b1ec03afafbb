#include "foundation/JxCSettings.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "foundation/JxFileUtils.h"
#include "foundation/JxLanguage.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "foundation/JxStringLoader.h"
#include "platform/config/profile.h"
#include "platform/config/registry.h"
#include "platform/fs/errors.h"
#include "platform/modules/module.h"
#include "platform/modules/version.h"

namespace {

constexpr plat::DWORD kQueryBufferSize = 500;

JxSettingsIdentityProvider& provider()
{
    static JxSettingsIdentityProvider current;
    return current;
}

// A text of the module's version block: under its first translation, else
// under "040904e4".
std::string versionText(const std::vector<char>& block, const std::string& prefix, const char* name)
{
    for (const std::string& p : {prefix, std::string("\\StringFileInfo\\040904e4\\")}) {
        void* value = nullptr;
        plat::UINT length = 0;
        if (!p.empty() && plat::VerQueryValueA(block.data(), (p + name).c_str(), &value, &length) && value)
            return std::string(static_cast<const char*>(value));
    }
    return {};
}

JxSettingsIdentity identityFromNewestLibrary()
{
    JxSettingsIdentity identity;
    const auto& libraries = GetResourceLibraryList();
    if (libraries.empty())
        return identity;
    char file[260] = {};
    plat::GetModuleFileNameA(libraries.back(), file, sizeof file);
    plat::DWORD handle = 0;
    plat::DWORD size = plat::GetFileVersionInfoSizeA(file, &handle);
    if (size == 0)
        return identity;
    std::vector<char> block(size);
    if (!plat::GetFileVersionInfoA(file, handle, size, block.data()))
        return identity;
    std::string prefix;
    void* value = nullptr;
    plat::UINT length = 0;
    if (plat::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length) && value &&
        length >= 4) {
        // The table's entries are not aligned within the block.
        plat::WORD pair[2];
        std::memcpy(pair, value, sizeof pair);
        identity.languageId = pair[0];
        char text[32];
        std::snprintf(text, sizeof text, "\\StringFileInfo\\%04x%04x\\", pair[0], pair[1]);
        prefix = text;
    }
    identity.company = versionText(block, prefix, "CompanyName").c_str();
    identity.product = versionText(block, prefix, "ProductName").c_str();
    if (const char* code = GetLanguageCode())
        identity.languageCode = code;
    return identity;
}

std::string textOf(const JxCString& s)
{
    return std::string(s.View());
}

}  // namespace

JxSettingsIdentityProvider SetSettingsIdentityProvider(JxSettingsIdentityProvider p)
{
    return std::exchange(provider(), std::move(p));
}

JxSettingsIdentity GetSettingsIdentity()
{
    return provider() ? provider()() : identityFromNewestLibrary();
}

JxCSettings::JxCSettings()
{
    GetSettingsIniPath(iniPath_);
    useRegistry_ = UsesRegistry() ? 1 : 0;
    if (useRegistry_) {
        iniPath_ = "";
        JxSettingsIdentity id = GetSettingsIdentity();
        std::string key = "Software\\" + textOf(id.company) + "\\" +
                          (id.product.IsEmpty() ? std::string("Default") : textOf(id.product));
        if (id.languageId != 0 && id.languageId != 1033 && id.languageId != 2057 && !id.languageCode.IsEmpty())
            key += "\\" + textOf(id.languageCode);
        keyPath_ = key.c_str();
    }
}

JxCSettings::~JxCSettings() = default;

bool JxCSettings::UsesRegistry()
{
    return !IsWin32s();
}

JxCString JxCSettings::BuildKeyPath(const char* subKey) const
{
    std::string sub = subKey ? subKey : "";
    if (sub.empty() && section_.IsEmpty())
        return keyPath_;
    return (textOf(keyPath_) + "\\" + (sub.empty() ? textOf(section_) : sub)).c_str();
}

bool JxCSettings::GetString(const char* name, JxCString& value, const char* subKey,
                            const char* defaultValue) const
{
    value = defaultValue ? defaultValue : "";
    return useRegistry_ ? readRegistry(name, value, subKey) : readIni(name, value, subKey, defaultValue);
}

bool JxCSettings::readRegistry(const char* name, JxCString& value, const char* subKey) const
{
    JxCString path = BuildKeyPath(subKey);
    const char* keyPath = path.GetText() ? path.GetText() : "";
    plat::HKEY key = nullptr;
    // Read access is all the store needs.
    if (plat::RegOpenKeyExA(plat::HKEY_CURRENT_USER, keyPath, 0, plat::KEY_READ, &key) != 0 &&
        plat::RegOpenKeyExA(plat::HKEY_LOCAL_MACHINE, keyPath, 0, plat::KEY_READ, &key) != 0)
        return false;
    std::vector<plat::BYTE> data(kQueryBufferSize);
    plat::DWORD type = 0;
    plat::DWORD size = kQueryBufferSize;
    plat::LONG result = plat::RegQueryValueExA(key, name, nullptr, &type, data.data(), &size);
    if (result == static_cast<plat::LONG>(plat::ERROR_MORE_DATA)) {
        data.assign(size, 0);
        result = plat::RegQueryValueExA(key, name, nullptr, &type, data.data(), &size);
    }
    bool closed = plat::RegCloseKey(key) == 0;
    if (result != 0)
        return false;
    // The text ends at its terminator or at the size the query reported.
    std::size_t length = 0;
    while (length < size && length < data.size() && data[length] != 0)
        ++length;
    value = std::string(reinterpret_cast<const char*>(data.data()), length).c_str();
    return closed;
}

bool JxCSettings::readIni(const char* name, JxCString& value, const char* subKey,
                          const char* defaultValue) const
{
    std::string section = subKey && *subKey ? subKey : textOf(section_);
    char buffer[kQueryBufferSize];
    plat::DWORD n = plat::GetPrivateProfileStringA(section.c_str(), name, defaultValue ? defaultValue : "",
                                                   buffer, sizeof buffer,
                                                   iniPath_.GetText() ? iniPath_.GetText() : "");
    if (n > 0)
        value = buffer;
    return n > 0;
}

bool GetMmappIniPath(JxCString& path)
{
    std::string mmapp;
    if (!LoadStringText(kMmappSectionId, mmapp))
        return false;
    char buffer[kQueryBufferSize];
    plat::GetProfileStringA(mmapp.c_str(), "Path", "", buffer, sizeof buffer);
    if (buffer[0] && FileExists(buffer)) {
        path = buffer;
        return true;
    }
    plat::GetProfileStringA(mmapp.c_str(), "ShortPath", "", buffer, sizeof buffer);
    if (!buffer[0])
        return false;
    JxCString folder(buffer);
    StripTrailingBackslash(folder);
    std::string candidate = textOf(folder) + "\\mmapp.ini";
    if (!FileExists(candidate.c_str()))
        return false;
    path = candidate.c_str();
    return true;
}

void GetSettingsIniPath(JxCString& path)
{
    FindProductIniPath(&GetMmappIniPath, path);
}
