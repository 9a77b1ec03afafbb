#include "foundation/JxResourceLibraries.h"

#include <string>
#include <utility>

#include "foundation/JxCSettings.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxFileUtils.h"
#include "foundation/JxStartupSettings.h"
#include "foundation/JxStringLoader.h"
#include "platform/fs/system_info.h"
#include "platform/modules/module.h"
#include "platform/ui/icons.h"
#include "platform/window/cursor.h"

namespace {

struct LibraryState {
    std::vector<plat::HMODULE> libraries;
    bool mainLoaded = false;
    plat::HMODULE country = nullptr;
    bool countryTried = false;
    plat::HMODULE instance = nullptr;
    bool haveInstance = false;
    JxCString programFolder;
    std::optional<std::uint32_t> platformId;
    std::optional<std::uint32_t> platformOverride;
};

LibraryState& state()
{
    static LibraryState s;
    return s;
}

// Strings are at most 65535 bytes long (the length of a string-block entry).
constexpr int kLongestString = 65536;

plat::HMODULE loadLibrary(std::string name)
{
    if (name.find('.') == std::string::npos)
        name += ".DLL";
    return plat::LoadLibraryA(name.c_str());
}

bool containsNoCase(const std::string& text, const std::string& part)
{
    if (part.size() > text.size())
        return false;
    for (std::size_t i = 0; i + part.size() <= text.size(); ++i)
        if (JxCTableString::CompareNoCase(std::string_view(text).substr(i, part.size()), part) == 0)
            return true;
    return false;
}

const char* stringBlockName(unsigned id)
{
    return plat::MAKEINTRESOURCEA(static_cast<plat::WORD>(id / 16 + 1));
}

}  // namespace

plat::HMODULE GetInstanceHandle()
{
    LibraryState& s = state();
    if (!s.haveInstance) {
        s.instance = plat::GetModuleHandleA(nullptr);
        s.haveInstance = true;
    }
    return s.instance;
}

void LoadMainResourceLibrary()
{
    LibraryState& s = state();
    if (s.mainLoaded)
        return;
    s.mainLoaded = true;
    if (plat::HMODULE m = loadLibrary(kMainResourceLibraryName))
        s.libraries.push_back(m);
}

plat::HMODULE LoadCountryResourceLibrary()
{
    LibraryState& s = state();
    if (s.country || s.countryTried)
        return s.country;
    s.countryTried = true;
    auto base = LoadStringFromLibraries(kCountryLibraryNameId);
    if (!base || base->empty())
        return nullptr;
    std::string name = *base;
    if (!containsNoCase(name, ".DLL")) {
        JxCSettings settings;
        JxCString country;
        settings.GetString("Country", country, settings.IsUsingRegistry() ? "" : "Directory", "");
        if (country.GetLength() == 2)
            name += country.View();
        name += ".DLL";
    }
    if (plat::HMODULE m = plat::LoadLibraryA(name.c_str())) {
        s.country = m;
        s.libraries.push_back(m);
    }
    return s.country;
}

const std::vector<plat::HMODULE>& GetResourceLibraryList()
{
    return state().libraries;
}

JxCResourceLocator FindResourceInLibraries(const char* nameOrId, const char* type)
{
    LoadMainResourceLibrary();
    const auto& libraries = state().libraries;
    for (auto it = libraries.rbegin(); it != libraries.rend(); ++it)
        if (*it)
            if (plat::HRSRC r = plat::FindResourceA(*it, nameOrId, type))
                return {r, *it};
    plat::HMODULE self = GetInstanceHandle();
    if (plat::HRSRC r = plat::FindResourceA(self, nameOrId, type))
        return {r, self};
    return {};
}

int LoadStringFromLibraries(unsigned id, char* buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    buffer[0] = '\0';
    LoadMainResourceLibrary();
    const char* block = stringBlockName(id);
    // Each module that holds the id's block is asked in turn; one whose
    // block lacks the id hands the question on.
    const auto& libraries = state().libraries;
    for (auto it = libraries.rbegin(); it != libraries.rend(); ++it)
        if (*it && plat::FindResourceA(*it, block, plat::RT_STRING))
            if (int n = plat::LoadStringA(*it, id, buffer, size); n > 0)
                return n;
    plat::HMODULE self = GetInstanceHandle();
    if (plat::FindResourceA(self, block, plat::RT_STRING))
        if (int n = plat::LoadStringA(self, id, buffer, size); n > 0)
            return n;
    buffer[0] = '\0';
    return 0;
}

std::optional<std::string> LoadStringFromLibraries(unsigned id)
{
    // Most texts fit the usual buffer; a text that fills it is loaded again
    // whole.
    for (int size : {512, kLongestString}) {
        std::string buffer(static_cast<std::size_t>(size), '\0');
        int n = LoadStringFromLibraries(id, buffer.data(), size);
        if (n <= 0)
            return std::nullopt;
        if (n < size - 1 || size == kLongestString) {
            buffer.resize(static_cast<std::size_t>(n));
            return buffer;
        }
    }
    return std::nullopt;
}

plat::HICON LoadIconFromLibraries(int fromLibraries, const char* id)
{
    if (!fromLibraries)
        return plat::LoadIconA(nullptr, id);
    JxCResourceLocator found = FindResourceInLibraries(id, plat::RT_GROUP_ICON);
    return found.GetResource() ? plat::LoadIconA(found.GetModule(), id) : nullptr;
}

plat::HCURSOR LoadCursorFromLibraries(int fromLibraries, const char* id)
{
    if (!fromLibraries)
        return plat::LoadCursorA(nullptr, id);
    JxCResourceLocator found = FindResourceInLibraries(id, plat::RT_GROUP_CURSOR);
    return found.GetResource() ? plat::LoadCursorA(found.GetModule(), id) : nullptr;
}

JxCString GetModuleFolder()
{
    char name[512] = {};
    plat::DWORD n = plat::GetModuleFileNameA(GetInstanceHandle(), name, sizeof name);
    if (n == 0)
        return {};
    std::string path(name, n);
    std::size_t cut = path.find_last_of(":\\");
    return cut == std::string::npos ? JxCString() : JxCString(path.substr(0, cut + 1).c_str());
}

JxCString GetProgramFolderString()
{
    if (state().programFolder.IsEmpty())
        SetProgramFolder(GetModuleFolder().GetText());
    return state().programFolder;
}

bool SetProgramFolder(const char* path)
{
    if (!path || !*path)
        return false;
    JxCString folder(path);
    AddTrailingBackslash(folder);
    if (!DirectoryExists(folder.GetText())) {
        OhNoItsAnError(1178, path);
        return false;
    }
    state().programFolder = folder;
    return true;
}

std::uint32_t GetPlatformId()
{
    LibraryState& s = state();
    if (s.platformOverride)
        return *s.platformOverride;
    if (!s.platformId) {
        plat::OSVERSIONINFOA info;
        s.platformId = plat::GetVersionExA(&info) ? info.dwPlatformId : 1u;
    }
    return *s.platformId;
}

bool IsWin32s()
{
    return GetPlatformId() == plat::VER_PLATFORM_WIN32s;
}

void ConnectStringLoader()
{
    SetStringLoader([](unsigned id, std::string& text) {
        auto found = LoadStringFromLibraries(id);
        if (!found)
            return false;
        text = std::move(*found);
        return true;
    });
}

void ResetResourceLibraries()
{
    LibraryState& s = state();
    for (plat::HMODULE m : s.libraries)
        plat::FreeLibrary(m);
    s = LibraryState();
}

void OverridePlatformId(std::optional<std::uint32_t> id)
{
    state().platformOverride = id;
}
