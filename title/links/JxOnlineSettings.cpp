#include "title/links/JxOnlineSettings.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "foundation/JxCString.h"
#include "foundation/JxStartupSettings.h"
#include "platform/clipboard/clipboard.h"
#include "platform/config/profile.h"
#include "platform/config/registry.h"
#include "runtime/JxCBaseProduct.h"

namespace {

using namespace plat;

struct OnlineSettings {
    JxCString section;
    JxCString browserPathKey;
    JxCString browserDeclinedKey;
    JxCString onlineServiceKey;
    JxCString registryKeyPath;
    JxCString settingsFile;
    std::int16_t loaded = 0;
};

OnlineSettings& settings()
{
    static OnlineSettings s;
    return s;
}

const char* text(const JxCString& s)
{
    return s.GetText() ? s.GetText() : "";
}

// Chosen again at every read and write.
bool usesRegistry()
{
    return GetProductPlatformId() != 0;
}

// The settings' key, opened or created with all access; null on failure.
HKEY openKey(bool create)
{
    HKEY key = nullptr;
    const char* path = text(settings().registryKeyPath);
    const LONG rc = create ? RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, "", REG_OPTION_NON_VOLATILE,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr)
                           : RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, &key);
    return rc == 0 ? key : nullptr;
}

std::int16_t writeFileValue(const JxCString& key, const char* value)
{
    return WritePrivateProfileStringA(text(settings().section), text(key), value, text(settings().settingsFile)) ? 1
                                                                                                                 : 0;
}

}  // namespace

std::int16_t LoadOnlineSettings()
{
    OnlineSettings& s = settings();
    if (s.loaded)
        return 1;
    if (!s.section.LoadString(kOnlineSectionId) || !s.browserPathKey.LoadString(kBrowserPathKeyId) ||
        !s.browserDeclinedKey.LoadString(kBrowserDeclinedKeyId) ||
        !s.onlineServiceKey.LoadString(kOnlineServiceKeyId))
        return 0;
    if (usesRegistry()) {
        JxCString company;
        if (!company.LoadString(kOnlineCompanyId))
            return 0;
        const std::string path = "Software\\" + std::string(company.View()) + "\\" + std::string(s.section.View());
        s.registryKeyPath = path.c_str();
    }
    if (!GetProfilePath(s.settingsFile))
        GetProductIniPath(s.settingsFile);
    s.loaded = 1;
    return 1;
}

std::int16_t ReadBrowserPath(char* buffer, std::uint32_t size)
{
    if (!LoadOnlineSettings() || !buffer || size == 0)
        return 0;
    buffer[0] = '\0';
    if (!usesRegistry())
        return GetPrivateProfileStringA(text(settings().section), text(settings().browserPathKey), "", buffer, size,
                                        text(settings().settingsFile)) > 0
                   ? 1
                   : 0;
    HKEY key = openKey(false);
    if (!key)
        return 0;
    DWORD type = 0;
    DWORD length = size;
    const LONG rc = RegQueryValueExA(key, text(settings().browserPathKey), nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer), &length);
    RegCloseKey(key);
    if (rc != 0 || type != REG_SZ) {
        buffer[0] = '\0';
        return 0;
    }
    // A stored text may lack its terminator: never read past the buffer.
    buffer[std::min<std::uint32_t>(length, size - 1)] = '\0';
    return 1;
}

std::int16_t WriteBrowserPath(const char* path)
{
    if (!LoadOnlineSettings())
        return 0;
    if (!usesRegistry())
        return writeFileValue(settings().browserPathKey, path);
    HKEY key = openKey(true);
    if (!key)
        return 0;
    const char* name = text(settings().browserPathKey);
    const LONG rc = path ? RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(path),
                                          DWORD(std::strlen(path) + 1))
                         : RegDeleteValueA(key, name);
    RegCloseKey(key);
    return rc == 0 ? 1 : 0;
}

std::int32_t ReadBrowserDeclined()
{
    if (!LoadOnlineSettings())
        return 0;
    if (!usesRegistry())
        return std::int32_t(GetPrivateProfileIntA(text(settings().section), text(settings().browserDeclinedKey), 0,
                                                  text(settings().settingsFile)));
    HKEY key = openKey(false);
    if (!key)
        return 0;
    DWORD type = 0;
    std::uint32_t value = 0;
    DWORD length = sizeof value;
    const LONG rc = RegQueryValueExA(key, text(settings().browserDeclinedKey), nullptr, &type,
                                     reinterpret_cast<BYTE*>(&value), &length);
    RegCloseKey(key);
    return rc == 0 && length == sizeof value ? std::int32_t(value) : 0;
}

std::int16_t WriteBrowserDeclined(std::int32_t declined)
{
    if (!LoadOnlineSettings())
        return 0;
    if (!usesRegistry()) {
        char number[16];
        std::snprintf(number, sizeof number, "%d", int(declined));
        return writeFileValue(settings().browserDeclinedKey, number);
    }
    HKEY key = openKey(true);
    if (!key)
        return 0;
    const std::uint32_t value = std::uint32_t(declined);
    const LONG rc = RegSetValueExA(key, text(settings().browserDeclinedKey), 0, REG_DWORD,
                                   reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
    return rc == 0 ? 1 : 0;
}

std::int32_t ReadOnlineServiceFlag()
{
    if (!LoadOnlineSettings())
        return 0;
    return std::int32_t(GetPrivateProfileIntA(text(settings().section), text(settings().onlineServiceKey), 0,
                                              text(settings().settingsFile)));
}

std::int16_t SetOnlineServiceFlag()
{
    return LoadOnlineSettings() ? writeFileValue(settings().onlineServiceKey, "1") : 0;
}

std::int16_t DeleteOnlineServiceFlag()
{
    return LoadOnlineSettings() ? writeFileValue(settings().onlineServiceKey, nullptr) : 0;
}

void CopyTextToClipboard(const char* copied)
{
    if (!copied || !OpenClipboard(GetProductWindow()))
        return;
    EmptyClipboard();
    SetClipboardText(copied);
    CloseClipboard();
}

void ResetOnlineSettings()
{
    settings() = OnlineSettings();
}
