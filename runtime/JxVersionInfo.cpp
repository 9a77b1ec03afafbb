#include "runtime/JxVersionInfo.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "platform/modules/module.h"
#include "platform/modules/version.h"
#include "platform/ui/dialog.h"
#include "platform/window/window.h"

namespace {

struct VersionValues {
    JxCString libraryProductName;
    JxCString libraryFileVersion;
    JxCString libraryCompanyName;
    JxCString countryProductName;
    JxCString countryCompanyName;
    JxCString copyright;
    std::uint16_t languageId = 0;
    std::uint16_t codePage = 0;
    bool libraryRead = false;
    bool countryRead = false;
    char versionCode[3] = {};
};

VersionValues& values()
{
    static VersionValues v;
    return v;
}

using SizeFn = plat::DWORD (*)(const char*, plat::DWORD*);
using InfoFn = plat::BOOL (*)(const char*, plat::DWORD, plat::DWORD, void*);
using QueryFn = plat::BOOL (*)(const void*, const char*, void**, plat::UINT*);

// The version library, loaded for one read.
class VersionLibrary {
public:
    VersionLibrary() : module_(plat::LoadLibraryA("VERSION.DLL"))
    {
        if (!module_)
            return;
        size_ = reinterpret_cast<SizeFn>(plat::GetProcAddress(module_, "GetFileVersionInfoSizeA"));
        info_ = reinterpret_cast<InfoFn>(plat::GetProcAddress(module_, "GetFileVersionInfoA"));
        query_ = reinterpret_cast<QueryFn>(plat::GetProcAddress(module_, "VerQueryValueA"));
    }
    ~VersionLibrary()
    {
        if (module_)
            plat::FreeLibrary(module_);
    }
    VersionLibrary(const VersionLibrary&) = delete;
    VersionLibrary& operator=(const VersionLibrary&) = delete;

    // The module's block; empty when it has none or the library lacks a call.
    std::vector<char> Read(plat::HMODULE module) const
    {
        if (!size_ || !info_ || !query_)
            return {};
        char file[260] = {};
        plat::GetModuleFileNameA(module, file, sizeof file);
        plat::DWORD handle = 0;
        const plat::DWORD size = size_(file, &handle);
        if (size == 0)
            return {};
        std::vector<char> block(size);
        if (!info_(file, handle, size, block.data()))
            return {};
        return block;
    }

    // A text value; empty when the block lacks it.
    std::string Text(const std::vector<char>& block, const std::string& name) const
    {
        void* value = nullptr;
        plat::UINT length = 0;
        if (!query_(block.data(), name.c_str(), &value, &length) || !value || length == 0)
            return {};
        // The length counts the terminator; the text ends at either.
        const auto* text = static_cast<const char*>(value);
        return std::string(text, strnlen(text, length));
    }

    bool Translation(const std::vector<char>& block, std::uint16_t& language, std::uint16_t& codePage) const
    {
        void* value = nullptr;
        plat::UINT length = 0;
        if (!query_(block.data(), "\\VarFileInfo\\Translation", &value, &length) || !value || length < 4)
            return false;
        plat::WORD pair[2];
        std::memcpy(pair, value, sizeof pair);  // the table is not aligned in the block
        language = pair[0];
        codePage = pair[1];
        return true;
    }

private:
    plat::HMODULE module_;
    SizeFn size_ = nullptr;
    InfoFn info_ = nullptr;
    QueryFn query_ = nullptr;
};

JxCString queryText(const VersionLibrary& library, const std::vector<char>& block, const char* name)
{
    char prefix[48];
    std::snprintf(prefix, sizeof prefix, "\\StringFileInfo\\%04x%04x\\", values().languageId, values().codePage);
    std::string text = library.Text(block, prefix + std::string(name));
    if (text.empty())
        text = library.Text(block, std::string("\\StringFileInfo\\040904e4\\") + name);
    return JxCString(text.c_str());
}

// The newest library of the resource library list, if any.
plat::HMODULE newestLibrary()
{
    const auto& libraries = GetResourceLibraryList();
    return libraries.empty() ? nullptr : libraries.back();
}

}  // namespace

void ReadVersionInformation(plat::HMODULE module, int country)
{
    VersionLibrary library;
    const std::vector<char> block = library.Read(module);
    if (block.empty())
        return;
    VersionValues& v = values();
    library.Translation(block, v.languageId, v.codePage);
    if (country) {
        v.countryProductName = queryText(library, block, "ProductName");
        v.countryCompanyName = queryText(library, block, "CompanyName");
        v.copyright = queryText(library, block, "LegalCopyright");
    } else {
        v.libraryProductName = queryText(library, block, "ProductName");
        v.libraryFileVersion = queryText(library, block, "FileVersion");
        v.copyright = queryText(library, block, "LegalCopyright");
        v.libraryCompanyName = queryText(library, block, "CompanyName");
    }
}

void LoadLibraryVersionInfo()
{
    VersionValues& v = values();
    if (v.libraryRead)
        return;
    v.libraryRead = true;
    v.libraryProductName = "";
    v.libraryFileVersion = "";
    v.libraryCompanyName = "";
    v.copyright = "";
    if (plat::HMODULE library = newestLibrary())
        ReadVersionInformation(library, 0);
}

void LoadCountryVersionInfo()
{
    LoadLibraryVersionInfo();
    VersionValues& v = values();
    if (v.countryRead)
        return;
    if (LoadCountryResourceLibrary()) {
        v.countryProductName = "";
        v.countryCompanyName = "";
        ReadVersionInformation(newestLibrary(), 1);
    }
    v.countryRead = true;
}

void ResetVersionInfo()
{
    values().libraryRead = false;
    values().countryRead = false;
    LoadLibraryVersionInfo();
}

std::uint16_t GetVersionLanguageId()
{
    LoadLibraryVersionInfo();
    return values().languageId;
}

std::uint16_t GetVersionCodePage()
{
    LoadLibraryVersionInfo();
    return values().codePage;
}

JxCString GetLibraryFileVersion()
{
    LoadLibraryVersionInfo();
    return values().libraryFileVersion;
}

JxCString GetLibraryProductName()
{
    LoadLibraryVersionInfo();
    return values().libraryProductName;
}

JxCString GetLibraryCompanyName()
{
    LoadLibraryVersionInfo();
    return values().libraryCompanyName;
}

JxCString GetCopyright()
{
    LoadCountryVersionInfo();
    return values().copyright;
}

JxCString GetProductNameText()
{
    LoadCountryVersionInfo();
    const VersionValues& v = values();
    return v.countryCompanyName.IsEmpty() ? v.libraryProductName : v.countryProductName;
}

JxCString GetVersionCode()
{
    const JxCString version = GetLibraryFileVersion();
    std::string_view text = version.View();
    // Only characters the version has: a one-character version gives one.
    if (!text.empty()) {
        values().versionCode[0] = text[0];
        values().versionCode[1] = text.size() > 2 ? text[2] : '\0';
    }
    return JxCString(values().versionCode);
}

JxCString MakeAboutText()
{
    std::string text(GetProductNameText().View());
    text += "  ";
    text += GetLibraryFileVersion().View();
    if (IsTestingEnabled()) {
        // __DATE__ is "Mmm dd yyyy" with a blank before a one-digit day.
        std::string date = __DATE__;
        if (date.size() > 4 && date[4] == ' ')
            date.erase(4, 1);
        text += std::string(" (32 bit)") + "\n\nCompiled on: " + date + " at " + __TIME__ + "\n\n";
    } else {
        text += "\n\n";
    }
    const JxCString copyright = GetCopyright();
    for (char c : copyright.View()) {
        if (c == '&')
            text += '\n';
        text += c;
    }
    return JxCString(text.c_str());
}

void BuildAboutText(plat::HWND dialog)
{
    const JxCString caption = GetProductNameText();
    plat::SetWindowTextA(dialog, caption.GetText() ? caption.GetText() : "");
    const JxCString text = MakeAboutText();
    if (plat::HWND item = plat::GetDlgItem(dialog, kAboutTextItemId))
        plat::SendMessageA(item, plat::WM_SETTEXT, 0,
                           reinterpret_cast<plat::LPARAM>(text.GetText() ? text.GetText() : ""));
}
