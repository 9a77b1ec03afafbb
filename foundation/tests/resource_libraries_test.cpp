#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/tests/reporting_fixture.h"
#include "platform/config/registry.h"
#include "platform/ui/icons.h"
#include "platform/window/cursor.h"

namespace {

using plat::testing::TempConfig;

class ResourceLibrariesTest : public ReportingTest {
protected:
    void mainLibrary(const std::string& strings) const
    {
        TempConfig::writeFile(config.program() + "/kelbores.resources/module.ini",
                              "[Version]\nCompanyName=Jx Multimedia\nProductName=Kelbo\n"
                              "FileVersion=3.1.0.5\nTranslation=0409 04E4\n");
        libraryStrings("kelbores", strings);
    }
    static std::string text(unsigned id)
    {
        return LoadStringFromLibraries(id).value_or("<none>");
    }
    static void setRegistryCountry(plat::HKEY root, const char* value)
    {
        plat::HKEY key = nullptr;
        ASSERT_EQ(plat::RegCreateKeyExA(root, "Software\\Jx Multimedia\\Kelbo", 0, nullptr, 0,
                                        plat::KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  0);
        plat::RegSetValueExA(key, "Country", 0, plat::REG_SZ, reinterpret_cast<const plat::BYTE*>(value),
                             static_cast<plat::DWORD>(std::strlen(value) + 1));
        plat::RegCloseKey(key);
    }
};

TEST_F(ResourceLibrariesTest, TheNewestLibraryWinsAndTheProgramComesLast)
{
    programStrings("4\tfrom the program\n17\tprogram 17\n30\tprogram only\n");
    mainLibrary("4\tmain 4\n5408\tkelbores\n17\tmain 17\n");
    libraryStrings("kelboresGR", "4\tgreek 4\n20\tgreek 20\n");
    setRegistryCountry(plat::HKEY_CURRENT_USER, "GR");
    EXPECT_EQ(text(4), "main 4");
    ASSERT_NE(LoadCountryResourceLibrary(), nullptr);
    EXPECT_EQ(GetResourceLibraryList().size(), 2u);
    EXPECT_EQ(text(4), "greek 4");
    // The Greek block 2 (ids 16 to 31) lacks 17 and 30: the search goes on.
    EXPECT_EQ(text(17), "main 17");
    EXPECT_EQ(text(30), "program only");
    EXPECT_EQ(text(31), "<none>");
}

TEST_F(ResourceLibrariesTest, WithoutLibrariesTheProgramsOwnStringsServe)
{
    programStrings("4\tfrom the program\n");
    EXPECT_EQ(text(4), "from the program");
    EXPECT_EQ(text(5), "<none>");
    EXPECT_EQ(LoadCountryResourceLibrary(), nullptr);  // no 5408
    char small[5];
    EXPECT_EQ(LoadStringFromLibraries(4, small, sizeof small), 4);
    EXPECT_STREQ(small, "from");
}

TEST_F(ResourceLibrariesTest, NoModuleAtAllGivesNoText)
{
    EXPECT_EQ(text(4), "<none>");
    EXPECT_FALSE(FindResourceInLibraries(plat::MAKEINTRESOURCEA(1), plat::RT_STRING).GetResource());
}

TEST_F(ResourceLibrariesTest, TheCurrentUsersCountryComesFirstThenTheMachines)
{
    mainLibrary("5408\tkelbores\n");
    libraryStrings("kelboresGR", "4\tgreek\n");
    libraryStrings("kelboresIT", "4\titalian\n");
    setRegistryCountry(plat::HKEY_LOCAL_MACHINE, "IT");
    setRegistryCountry(plat::HKEY_CURRENT_USER, "GR");
    LoadCountryResourceLibrary();
    EXPECT_EQ(text(4), "greek");
}

TEST_F(ResourceLibrariesTest, OnlyATwoLetterCountryIsAppended)
{
    mainLibrary("5408\tkelboint\n");
    libraryStrings("kelboint", "4\tinternational\n");
    libraryStrings("kelbointGRE", "4\twrong\n");
    setRegistryCountry(plat::HKEY_CURRENT_USER, "GRE");
    ASSERT_NE(LoadCountryResourceLibrary(), nullptr);
    EXPECT_EQ(text(4), "international");
}

TEST_F(ResourceLibrariesTest, ANameWithItsExtensionIsLoadedAsItIs)
{
    mainLibrary("5408\tkelboint.dll\n");
    libraryStrings("kelboint", "4\tinternational\n");
    libraryStrings("kelbointGR", "4\twrong\n");
    setRegistryCountry(plat::HKEY_CURRENT_USER, "GR");
    ASSERT_NE(LoadCountryResourceLibrary(), nullptr);
    EXPECT_EQ(text(4), "international");
    // Tried once per run.
    EXPECT_EQ(LoadCountryResourceLibrary(), LoadCountryResourceLibrary());
    EXPECT_EQ(GetResourceLibraryList().size(), 2u);
}

TEST_F(ResourceLibrariesTest, WithoutARegistryTheCountryComesFromTheIniFile)
{
    OverridePlatformId(0);
    programStrings("1\tkelbo32.ini\n");
    mainLibrary("5408\tkelbores\n");
    libraryStrings("kelboresGR", "4\tgreek\n");
    setRegistryCountry(plat::HKEY_CURRENT_USER, "IT");
    iniFile("[Directory]\nCountry=GR\n");
    LoadCountryResourceLibrary();
    EXPECT_EQ(text(4), "greek");
    OverridePlatformId(std::nullopt);
}

TEST_F(ResourceLibrariesTest, TheProgramFolderEndsInABackslashAndMustExist)
{
    programStrings("1178\tThe program folder %s does not exist.\n");
    std::string folder = programFolder();
    ASSERT_GE(folder.size(), 3u);
    EXPECT_EQ(folder.substr(1), ":\\");
    EXPECT_EQ(std::string(GetModuleFolder().View()), folder);
    EXPECT_FALSE(SetProgramFolder((folder + "missing").c_str()));
    EXPECT_EQ(programFolder(), folder);
    std::filesystem::create_directories(config.program() + "/sub");
    EXPECT_TRUE(SetProgramFolder((folder + "sub").c_str()));
    EXPECT_EQ(programFolder(), folder + "sub\\");
    EXPECT_TRUE(boxes.empty());  // reported quietly
}

TEST_F(ResourceLibrariesTest, CursorsAndIconsComeFromTheLibrariesOrTheSystem)
{
    EXPECT_NE(LoadIconFromLibraries(0, plat::IDI_APPLICATION), nullptr);
    EXPECT_EQ(LoadIconFromLibraries(1, plat::MAKEINTRESOURCEA(1900)), nullptr);
    EXPECT_NE(LoadCursorFromLibraries(0, plat::IDC_WAIT), nullptr);
    EXPECT_EQ(LoadCursorFromLibraries(1, plat::MAKEINTRESOURCEA(110)), nullptr);
}

}  // namespace

namespace {

TEST_F(ResourceLibrariesTest, LongTextsAreLoadedWhole)
{
    std::string longText(3000, 'x');
    programStrings("40\t" + longText + "\n41\t" + std::string(511, 'y') + "\n");
    EXPECT_EQ(LoadStringFromLibraries(40).value_or(""), longText);
    EXPECT_EQ(LoadStringFromLibraries(41).value_or("").size(), 511u);
}

}  // namespace
