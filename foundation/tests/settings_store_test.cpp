#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "foundation/JxCSettings.h"
#include "foundation/tests/reporting_fixture.h"
#include "platform/config/registry.h"
#include "platform/fs/folders.h"

namespace {

using plat::testing::TempConfig;

class SettingsStoreTest : public ReportingTest {
protected:
    void SetUp() override
    {
        ReportingTest::SetUp();
        programStrings("1\tkelbo32.ini\n3013\tmmapp\n");
        previous_ = SetSettingsIdentityProvider([this] { return identity; });
        identity.company = "Jx Multimedia";
        identity.product = "Kelbo";
        identity.languageId = 1033;
    }
    void TearDown() override
    {
        SetSettingsIdentityProvider(previous_);
        OverridePlatformId(std::nullopt);
        ReportingTest::TearDown();
    }
    static bool setValue(plat::HKEY root, const char* path, const char* name, const std::string& value)
    {
        plat::HKEY key = nullptr;
        if (plat::RegCreateKeyExA(root, path, 0, nullptr, 0, plat::KEY_ALL_ACCESS, nullptr, &key, nullptr) != 0)
            return false;
        bool ok = plat::RegSetValueExA(key, name, 0, plat::REG_SZ, reinterpret_cast<const plat::BYTE*>(value.c_str()),
                                       static_cast<plat::DWORD>(value.size() + 1)) == 0;
        plat::RegCloseKey(key);
        return ok;
    }
    static std::string get(const JxCSettings& s, const char* name, const char* sub = "")
    {
        JxCString value;
        return s.GetString(name, value, sub, "<default>") ? std::string(value.View()) : "<missing>";
    }

    JxSettingsIdentity identity;

private:
    JxSettingsIdentityProvider previous_;
};

TEST_F(SettingsStoreTest, TheKeyPathComesFromTheLibrarysNamesAndLanguage)
{
    EXPECT_EQ(std::string(JxCSettings().GetKeyPath().View()), "Software\\Jx Multimedia\\Kelbo");
    identity.product = "";
    EXPECT_EQ(std::string(JxCSettings().GetKeyPath().View()), "Software\\Jx Multimedia\\Default");
    identity.product = "Kelbo";
    identity.languageId = 1032;
    identity.languageCode = "GR";
    JxCSettings greek;
    EXPECT_EQ(std::string(greek.GetKeyPath().View()), "Software\\Jx Multimedia\\Kelbo\\GR");
    EXPECT_EQ(std::string(greek.BuildKeyPath("Sub").View()), "Software\\Jx Multimedia\\Kelbo\\GR\\Sub");
    identity.languageId = 2057;
    EXPECT_EQ(std::string(JxCSettings().GetKeyPath().View()), "Software\\Jx Multimedia\\Kelbo");
}

TEST_F(SettingsStoreTest, TheCurrentUserComesFirstAndTheMachineOnlyWithoutTheUsersKey)
{
    const char* key = "Software\\Jx Multimedia\\Kelbo";
    ASSERT_TRUE(setValue(plat::HKEY_LOCAL_MACHINE, key, "Country", "IT"));
    ASSERT_TRUE(setValue(plat::HKEY_LOCAL_MACHINE, key, "Only", "machine"));
    JxCSettings s;
    EXPECT_TRUE(s.IsUsingRegistry());
    EXPECT_EQ(get(s, "Country"), "IT");
    ASSERT_TRUE(setValue(plat::HKEY_CURRENT_USER, key, "Country", "GR"));
    EXPECT_EQ(get(s, "Country"), "GR");
    // The user's key exists, so a value missing there is missing.
    EXPECT_EQ(get(s, "Only"), "<missing>");
}

TEST_F(SettingsStoreTest, LongValuesAreReadWhole)
{
    std::string longValue(1200, 'v');
    ASSERT_TRUE(setValue(plat::HKEY_CURRENT_USER, "Software\\Jx Multimedia\\Kelbo", "Long", longValue));
    EXPECT_EQ(get(JxCSettings(), "Long"), longValue);
}

TEST_F(SettingsStoreTest, AValueWrittenByAnotherProcessIsRead)
{
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        bool ok = setValue(plat::HKEY_LOCAL_MACHINE, "Software\\Jx Multimedia\\Kelbo", "Country", "FR");
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(get(JxCSettings(), "Country"), "FR");
}

TEST_F(SettingsStoreTest, MissingKeysKeepTheDefault)
{
    EXPECT_EQ(get(JxCSettings(), "Country"), "<missing>");
    JxCString value;
    EXPECT_FALSE(JxCSettings().GetString("Country", value, "", "xx"));
    EXPECT_EQ(std::string(value.View()), "xx");
}

TEST_F(SettingsStoreTest, WithoutARegistryTheIniFileAnswers)
{
    OverridePlatformId(0);
    iniFile("[Directory]\nCountry=GR\n");
    JxCSettings s;
    EXPECT_FALSE(s.IsUsingRegistry());
    EXPECT_EQ(std::string(s.GetIniPath().View()), programFolder() + "kelbo32.ini");
    EXPECT_EQ(get(s, "Country", "Directory"), "GR");
    JxCString value;
    EXPECT_FALSE(s.GetString("Missing", value, "Directory", ""));
}

TEST_F(SettingsStoreTest, TheSharedFileIsFoundByPathOrShortPath)
{
    JxCString path;
    EXPECT_FALSE(GetMmappIniPath(path));
    TempConfig::writeFile(plat::WindowsFolderHost() + "/WIN.INI",
                          "[mmapp]\nPath=C:\\WINDOWS\\missing.ini\nShortPath=C:\\SHARED\\\n");
    EXPECT_FALSE(GetMmappIniPath(path));
    TempConfig::writeFile(config.config() + "/SHARED/mmapp.ini", "[x]\n");
    ASSERT_TRUE(GetMmappIniPath(path));
    EXPECT_EQ(std::string(path.View()), "C:\\SHARED\\mmapp.ini");
}

}  // namespace
