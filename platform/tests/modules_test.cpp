#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/fs/errors.h"
#include "platform/modules/module.h"
#include "platform/modules/resources.h"
#include "platform/modules/version.h"
#include "platform/tests/temp_config.h"

namespace plat {
namespace {

using testing::TempConfig;

class ModulesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string p = t.program();
        TempConfig::writeFile(p + "/KelboRes.resources/module.ini",
                              "[Module]\nCodePage=1252\nLanguage=0x0409\n"
                              "[Version]\nCompanyName=Jx Multimedia\nProductName=Kelbo\nFileVersion=3.1.0.5\n"
                              "LegalCopyright=Jx & Co\nTranslation=0409 04E4\n");
        TempConfig::writeFile(p + "/KelboRes.resources/strings.txt",
                              "# id, tab, text\n1\tkelbo32.ini\n17\tonly in the main library\n"
                              "20\tmain\\ttext\\n\n20\tsecond text of 20 is ignored\nbad line\n70000\ttoo big\n");
        TempConfig::writeFile(p + "/KelboRes.resources/bitmap/1900.bmp", "BM" + std::string(12, 'h') + "DIB");
        TempConfig::writeFile(p + "/KelboRes.resources/PALETTE/TITLE.pal", "palette");
        TempConfig::writeFile(p + "/KelboRes.resources/dialog/1107.dlg", "CAPTION \"Data\"\n");
        TempConfig::writeFile(p + "/kelboresGR.resources/module.ini",
                              "[Module]\nCodePage=1253\nLanguage=0x0408\n"
                              "[Version]\nCompanyName=Jx Hellas\nProductName=\xce\xa4\xce\xb1\n");
        TempConfig::writeFile(p + "/kelboresGR.resources/strings.txt", "1\tgr.ini\n16\t\xce\xb1\xce\xb2\n");
        TempConfig::writeFile(p + "/kelboresGR.resources/dialog/1107.dlg", "CAPTION \"\xce\xb1\"\n");
        TempConfig::writeFile(p + "/kelbo32.resources/strings.txt", "17\tfrom the program\n");
        TempConfig::writeFile(p + "/kelbo32.resources/icon/1900.ico", "icon");
    }

    static std::string text(HMODULE m, UINT id, int size = 256)
    {
        char buffer[256];
        int n = LoadStringA(m, id, buffer, size);
        return std::string(buffer, static_cast<std::size_t>(n));
    }
    static std::string data(HMODULE m, const char* name, const char* type)
    {
        HRSRC r = FindResourceA(m, name, type);
        if (!r)
            return "<none>";
        HGLOBAL g = LoadResource(m, r);
        return std::string(static_cast<const char*>(LockResource(g)), SizeofResource(m, r));
    }

    // The engine's search: the libraries, most recently loaded first, then
    // the program; a block found in a library that lacks the id itself
    // sends the look-up to the program.
    static std::string engineString(const std::vector<HMODULE>& libraries, UINT id)
    {
        for (auto it = libraries.rbegin(); it != libraries.rend(); ++it) {
            if (!FindResourceA(*it, MAKEINTRESOURCEA(WORD(id / 16 + 1)), RT_STRING))
                continue;
            std::string s = text(*it, id);
            return s.empty() ? text(nullptr, id) : s;
        }
        return text(nullptr, id);
    }

    TempConfig t;
};

TEST_F(ModulesTest, LookupOrderBetweenTwoLibraries)
{
    HMODULE main = LoadLibraryA("kelbores.DLL");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(engineString({main}, 1), "kelbo32.ini");
    HMODULE country = LoadLibraryA("KELBORESGR.DLL");
    ASSERT_NE(country, nullptr);
    std::vector<HMODULE> libraries = {main, country};
    EXPECT_EQ(engineString(libraries, 1), "gr.ini");                  // in both: the country library's
    EXPECT_EQ(engineString(libraries, 16), "\xe1\xe2");              // its code page's bytes
    EXPECT_EQ(engineString(libraries, 17), "from the program");     // block 2 is in the country library
    // The block rule: block 2 belongs to the country library now, so the
    // main library's id 20 is no longer reached.
    EXPECT_EQ(engineString({main}, 20), "main\ttext\n");
    EXPECT_EQ(engineString(libraries, 20), "");
    EXPECT_EQ(engineString(libraries, 99), "");
    EXPECT_EQ(text(main, 20, 5), "main");  // cut to size - 1

    EXPECT_EQ(data(country, MAKEINTRESOURCEA(1107), RT_DIALOG), "CAPTION \"\xe1\"\n");
    EXPECT_EQ(data(main, MAKEINTRESOURCEA(1107), RT_DIALOG), "CAPTION \"Data\"\n");
    EXPECT_EQ(data(country, MAKEINTRESOURCEA(1900), RT_BITMAP), "<none>");
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
    FreeLibrary(country);
    FreeLibrary(main);
}

TEST_F(ModulesTest, ResourcesByIdNameAndType)
{
    HMODULE main = LoadLibraryA("kelbores");  // ".DLL" is implied
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(data(main, MAKEINTRESOURCEA(1900), RT_BITMAP), "DIB");  // without the file header
    EXPECT_EQ(data(main, "#1900", RT_BITMAP), "DIB");
    EXPECT_EQ(data(main, "title", "palette"), "palette");
    EXPECT_EQ(data(main, "TITLE", "WAVE"), "<none>");
    EXPECT_EQ(data(main, MAKEINTRESOURCEA(1900), RT_GROUP_ICON), "<none>");
    EXPECT_EQ(data(nullptr, MAKEINTRESOURCEA(1900), RT_GROUP_ICON), "icon");  // the program's own
    EXPECT_NE(FindResourceA(main, MAKEINTRESOURCEA(2), RT_STRING), nullptr);
    EXPECT_EQ(FindResourceA(main, MAKEINTRESOURCEA(3), RT_STRING), nullptr);  // ids 32 to 47: none
    // A string block: sixteen entries of a 16-bit length and the bytes.
    std::string block = data(main, MAKEINTRESOURCEA(1), RT_STRING);
    ASSERT_EQ(block.size(), 32u + 11u);
    EXPECT_EQ(block.substr(2, 4), std::string("\x0b\x00kel", 5).substr(0, 4));
    FreeLibrary(main);
}

TEST_F(ModulesTest, SparseAndDamagedFoldersStillLoad)
{
    // No module.ini, a bitmap too short for a file header, odd names.
    TempConfig::writeFile(t.program() + "/bare.resources/bitmap/7.bmp", "BMshort");
    TempConfig::writeFile(t.program() + "/bare.resources/strings.txt", "x\tno id\n\t\n3\n4\ttext\r\n");
    HMODULE bare = LoadLibraryA("bare");
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(data(bare, MAKEINTRESOURCEA(7), RT_BITMAP), "BMshort");
    EXPECT_EQ(data(bare, "#x7", RT_BITMAP), "<none>");
    EXPECT_EQ(text(bare, 3), "");
    EXPECT_EQ(text(bare, 4), "text");
    char file[64];
    GetModuleFileNameA(bare, file, sizeof file);
    EXPECT_EQ(GetFileVersionInfoSizeA(file, nullptr), 0u);  // no version block
    EXPECT_EQ(FindResourceA(bare, MAKEINTRESOURCEA(1), RT_VERSION), nullptr);
    FreeLibrary(bare);
    EXPECT_EQ(FindResourceA(bare, MAKEINTRESOURCEA(7), RT_BITMAP), nullptr);  // a freed handle
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(ModulesTest, HandlesNamesAndAbsentLibraries)
{
    HMODULE a = LoadLibraryA("KELBORES.DLL");
    HMODULE b = LoadLibraryA("p:\\kelbores.dll");  // the program's folder as a Windows path
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, b);
    char name[64];
    EXPECT_EQ(GetModuleFileNameA(a, name, sizeof name), 15u);
    EXPECT_STREQ(name, "P:\\KelboRes.DLL");
    EXPECT_EQ(GetModuleFileNameA(nullptr, name, sizeof name), 10u);
    EXPECT_STREQ(name, "P:\\kelbo32");
    EXPECT_EQ(GetModuleFileNameA(a, name, 4), 3u);
    EXPECT_EQ(GetModuleHandleA("kelbores.dll"), a);
    EXPECT_EQ(GetProcAddress(a, "Anything"), nullptr);
    EXPECT_TRUE(FreeLibrary(a));
    EXPECT_TRUE(FreeLibrary(b));
    EXPECT_FALSE(FreeLibrary(a));  // the handle is gone now

    for (const char* absent : {"WINNLS.DLL", "LAUNCH32.DLL", "nothing", ""}) {
        SetLastError(0);
        EXPECT_EQ(LoadLibraryA(absent), nullptr) << absent;
        EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND) << absent;
    }

    // Tests and tools can point the search elsewhere.
    TempConfig::writeFile(t.root() + "/elsewhere/other.resources/strings.txt", "5\tfive\n");
    EXPECT_EQ(LoadLibraryA("other.dll"), nullptr);
    SetModuleSearchPath({t.root() + "/elsewhere"});
    HMODULE other = LoadLibraryA("other.dll");
    SetModuleSearchPath({});
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(text(other, 5), "five");
    FreeLibrary(other);
}

TEST_F(ModulesTest, VersionInformationThroughTheBuiltInLibrary)
{
    HMODULE version = LoadLibraryA("VERSION.DLL");
    ASSERT_NE(version, nullptr);
    auto size = reinterpret_cast<DWORD (*)(const char*, DWORD*)>(GetProcAddress(version, "GetFileVersionInfoSizeA"));
    auto read = reinterpret_cast<BOOL (*)(const char*, DWORD, DWORD, void*)>(GetProcAddress(version, "GetFileVersionInfoA"));
    auto query = reinterpret_cast<BOOL (*)(const void*, const char*, void**, UINT*)>(GetProcAddress(version, "VerQueryValueA"));
    ASSERT_TRUE(size && read && query);

    HMODULE main = LoadLibraryA("kelbores.dll");
    char file[64];
    GetModuleFileNameA(main, file, sizeof file);
    DWORD handle = 0;
    DWORD n = size(file, &handle);
    ASSERT_GT(n, 0u);
    std::vector<char> block(n);
    EXPECT_FALSE(read(file, handle, n - 1, block.data()));
    ASSERT_TRUE(read(file, handle, n, block.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(query(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    WORD pair[2];
    std::memcpy(pair, value, 4);
    EXPECT_EQ(pair[0], 0x0409);
    EXPECT_EQ(pair[1], 0x04E4);
    ASSERT_TRUE(query(block.data(), "\\StringFileInfo\\040904E4\\FileVersion", &value, &length));
    EXPECT_STREQ(static_cast<char*>(value), "3.1.0.5");
    EXPECT_EQ(length, 8u);
    EXPECT_FALSE(query(block.data(), "\\StringFileInfo\\04080000\\FileVersion", &value, &length));
    ASSERT_TRUE(query(block.data(), "\\", &value, &length));
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, value, sizeof fixed);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00030001u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0x00000005u);

    // Without a translation table the texts are under 040904e4; texts are
    // in the library's code page.
    HMODULE country = LoadLibraryA("kelboresGR");
    GetModuleFileNameA(country, file, sizeof file);
    block.assign(size(file, &handle), 0);
    ASSERT_TRUE(read(file, handle, DWORD(block.size()), block.data()));
    EXPECT_FALSE(query(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_TRUE(query(block.data(), "\\StringFileInfo\\040904e4\\ProductName", &value, &length));
    EXPECT_STREQ(static_cast<char*>(value), "\xd4\xe1");

    // The program has no version block here.
    GetModuleFileNameA(nullptr, file, sizeof file);
    EXPECT_EQ(size(file, &handle), 0u);
    FreeLibrary(country);
    FreeLibrary(main);
    FreeLibrary(version);
}

TEST_F(ModulesTest, AVersionBlockThatCannotBeReadBackIsRefused)
{
    // A text name whose whole key is 64 KB would wrap its 16-bit length and
    // hide every entry after it: the library gets no version block at all.
    std::string longName(0x10000 - std::string("\\StringFileInfo\\040904e4\\").size(), 'N');
    TempConfig::writeFile(t.program() + "/LongKey.resources/module.ini",
                          "[Version]\nCompanyName=Jx\n" + longName + "=x\nProductName=Kelbo\n");
    TempConfig::writeFile(t.program() + "/JustFits.resources/module.ini",
                          "[Version]\nCompanyName=Jx\n" + longName.substr(1) + "=x\nProductName=Kelbo\n");
    DWORD handle = 0;
    EXPECT_EQ(GetFileVersionInfoSizeA("LongKey.DLL", &handle), 0u);
    HMODULE lib = LoadLibraryA("LongKey");
    EXPECT_EQ(FindResourceA(lib, MAKEINTRESOURCEA(1), RT_VERSION), nullptr);
    FreeLibrary(lib);

    std::vector<char> block(GetFileVersionInfoSizeA("JustFits.DLL", &handle));
    ASSERT_TRUE(GetFileVersionInfoA("JustFits.DLL", handle, DWORD(block.size()), block.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904e4\\ProductName", &value, &length));
    EXPECT_STREQ(static_cast<char*>(value), "Kelbo");

    // A text is measured inside its value: without its NUL it is not there.
    std::vector<unsigned char> raw = {'K', 'V', 'B', '1', 0, 0, 0, 0};
    std::string key = "\\StringFileInfo\\040904e4\\Name";
    raw.push_back(static_cast<unsigned char>(key.size()));
    raw.push_back(0);
    raw.insert(raw.end(), key.begin(), key.end());
    raw.insert(raw.end(), {3, 0, 0, 0, 'a', 'b', 'c'});
    raw[4] = static_cast<unsigned char>(raw.size());
    EXPECT_FALSE(VerQueryValueA(raw.data(), key.c_str(), &value, &length));
    raw.back() = '\0';
    ASSERT_TRUE(VerQueryValueA(raw.data(), key.c_str(), &value, &length));
    EXPECT_EQ(length, 3u);
}

}  // namespace
}  // namespace plat
