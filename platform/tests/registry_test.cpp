#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/config/registry.h"
#include "platform/fs/atomic_file.h"
#include "platform/fs/errors.h"
#include "platform/tests/temp_config.h"

namespace plat {
namespace {

using testing::TempConfig;

constexpr const char* kProduct = "Software\\Jx Multimedia\\Kelbo\\03.01.0005";

class RegistryTest : public ::testing::Test {
protected:
    void TearDown() override { SetWriteFaultHook({}); }

    static LONG setString(HKEY key, const char* name, const std::string& text)
    {
        return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              DWORD(text.size() + 1));
    }
    static std::string queryString(HKEY root, const char* path, const char* name)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return "<no key>";
        std::string buffer(20000, '\0');
        DWORD size = DWORD(buffer.size()), type = 0;
        LONG r = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
        RegCloseKey(key);
        if (r != ERROR_SUCCESS)
            return "<" + std::to_string(r) + ">";
        return buffer.substr(0, size ? size - 1 : 0);
    }

    TempConfig t;
};

TEST_F(RegistryTest, ValuesPersistAcrossAReload)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kProduct, 0, "Application Global Data",
                              REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    ASSERT_EQ(setString(key, "Path", "C:\\Jx\\Jx Multimedia\\KELBO"), ERROR_SUCCESS);
    DWORD count = 3;
    ASSERT_EQ(RegSetValueExA(key, "Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count), 4), 0);
    const BYTE blob[] = {0, 1, 0xff, '\n', '"'};
    ASSERT_EQ(RegSetValueExA(key, "Blob", 0, REG_BINARY, blob, sizeof blob), 0);
    ASSERT_EQ(setString(key, "Odd \"name\"\\", "line\nbreak\t\x01"), 0);
    RegCloseKey(key);

    ReloadRegistry();
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, "software\\JX MULTIMEDIA\\kelbo\\03.01.0005", "PATH"),
              "C:\\Jx\\Jx Multimedia\\KELBO");
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, kProduct, "odd \"NAME\"\\"), "line\nbreak\t\x01");
    EXPECT_EQ(queryString(HKEY_CURRENT_USER, kProduct, "Path"), "<no key>");  // the other hive

    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProduct, 0, KEY_READ, &key), 0);
    DWORD type = 0, size = 4, number = 0;
    EXPECT_EQ(RegQueryValueExA(key, "count", nullptr, &type, reinterpret_cast<BYTE*>(&number), &size), 0);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(number, 3u);
    BYTE back[8];
    size = sizeof back;
    EXPECT_EQ(RegQueryValueExA(key, "Blob", nullptr, &type, back, &size), 0);
    EXPECT_EQ(type, REG_BINARY);
    ASSERT_EQ(size, sizeof blob);
    EXPECT_EQ(std::memcmp(back, blob, sizeof blob), 0);
    RegCloseKey(key);
    EXPECT_TRUE(TempConfig::readFile(t.config() + "/registry/HKEY_LOCAL_MACHINE.reg").find("\"Path\"=sz:") !=
                std::string::npos);
}

TEST_F(RegistryTest, UnusualValuesKeepTheirExactBytes)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Odd", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr), 0);
    // A text without its terminator, an empty text, a number of the wrong size.
    ASSERT_EQ(RegSetValueExA(key, "NoEnd", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3), 0);
    ASSERT_EQ(RegSetValueExA(key, "Empty", 0, REG_SZ, nullptr, 0), 0);
    ASSERT_EQ(RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("dflt"), 5), 0);
    EXPECT_EQ(RegSetValueExA(key, "Short", 0, REG_DWORD, reinterpret_cast<const BYTE*>("ab"), 2),
              LONG(ERROR_INVALID_PARAMETER));
    RegCloseKey(key);
    ReloadRegistry();

    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\ODD", 0, KEY_READ, &key), 0);
    char buffer[8] = {};
    DWORD size = sizeof buffer, type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "noend", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size), 0);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(std::string(buffer, size), "abc");
    size = sizeof buffer;
    EXPECT_EQ(RegQueryValueExA(key, "Empty", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size), 0);
    EXPECT_EQ(size, 0u);
    size = sizeof buffer;
    EXPECT_EQ(RegQueryValueExA(key, "", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size), 0);
    EXPECT_STREQ(buffer, "dflt");
    EXPECT_EQ(RegQueryValueExA(key, "Short", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_F(RegistryTest, QueriesReportTheSizeTheyNeed)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Jx\\Kelbo", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr), 0);
    std::string longText(700, 'g');
    ASSERT_EQ(setString(key, "Country", longText), 0);
    char small[500];
    DWORD size = sizeof small, type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Country", nullptr, &type, reinterpret_cast<BYTE*>(small), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 701u);
    EXPECT_EQ(type, REG_SZ);
    size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Country", nullptr, nullptr, nullptr, &size), 0);
    EXPECT_EQ(size, 701u);
    EXPECT_EQ(RegQueryValueExA(key, "Nothing", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_F(RegistryTest, HandlesKeysAndDeletes)
{
    HKEY parent = nullptr, child = nullptr, reader = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\A", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &parent, nullptr), 0);
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(parent, "B\\C", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, &disposition), 0);
    ASSERT_EQ(RegCreateKeyExA(parent, "b", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &reader, &disposition), 0);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);  // made on the way to B\C
    RegCloseKey(reader);

    char name[16];
    DWORD nameSize = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(parent, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_STREQ(name, "B");
    nameSize = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(parent, 1, name, &nameSize, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);

    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\A\\B\\C", 0, KEY_READ, &reader), 0);
    EXPECT_EQ(setString(reader, "x", "y"), ERROR_ACCESS_DENIED);
    ASSERT_EQ(setString(child, "x", "y"), 0);
    EXPECT_EQ(RegDeleteValueA(child, "X"), 0);
    EXPECT_EQ(RegDeleteValueA(child, "X"), ERROR_FILE_NOT_FOUND);

    EXPECT_EQ(RegDeleteKeyA(parent, "B"), ERROR_ACCESS_DENIED);  // still has C
    EXPECT_EQ(RegDeleteKeyA(parent, "b\\c"), 0);
    EXPECT_EQ(RegQueryValueExA(reader, "x", nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
    EXPECT_EQ(setString(child, "x", "y"), ERROR_KEY_DELETED);
    EXPECT_EQ(RegDeleteKeyA(parent, "B"), 0);
    RegCloseKey(reader);
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\A\\B", 0, KEY_READ, &reader), ERROR_FILE_NOT_FOUND);

    RegCloseKey(child);
    EXPECT_EQ(RegCloseKey(child), ERROR_INVALID_HANDLE);
    RegCloseKey(parent);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "x", 0, KEY_READ, &reader), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, AFailedHiveWriteChangesNothing)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kProduct, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr), 0);
    ASSERT_EQ(setString(key, "Path", std::string(9000, 'p')), 0);
    std::string hive = t.config() + "/registry/HKEY_LOCAL_MACHINE.reg";
    std::string before = TempConfig::readFile(hive);

    SetWriteFaultHook([](const std::string&, std::size_t written) { return written >= 4096 ? ENOSPC : 0; });
    EXPECT_EQ(setString(key, "Path", std::string(9000, 'q')), LONG(ERROR_WRITE_FAULT));
    SetWriteFaultHook({});
    EXPECT_TRUE(TempConfig::readFile(hive) == before);
    // Not even in memory: the failed change is gone.
    EXPECT_TRUE(queryString(HKEY_LOCAL_MACHINE, kProduct, "Path") == std::string(9000, 'p'));
    ReloadRegistry();
    EXPECT_TRUE(queryString(HKEY_LOCAL_MACHINE, kProduct, "Path") == std::string(9000, 'p'));
    RegCloseKey(key);
}

TEST_F(RegistryTest, AHiveThatCannotBeReadIsNeverOverwritten)
{
    // Something that is not a readable file stands where the hive should be.
    std::string hive = t.config() + "/registry/HKEY_LOCAL_MACHINE.reg";
    std::filesystem::create_directories(hive);
    TempConfig::writeFile(hive + "/keep", "x");
    ReloadRegistry();
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\X", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr), LONG(ERROR_WRITE_FAULT));
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(TempConfig::readFile(hive + "/keep"), "x");
    // The other hive is not affected.
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\X", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr), 0);
    RegCloseKey(key);
}

TEST_F(RegistryTest, DamagedHiveLinesAreSkipped)
{
    TempConfig::writeFile(t.config() + "/registry/HKEY_CURRENT_USER.reg",
                          "[Software\\X]\n\"Good\"=sz:\"yes\"\n\"Bad\"=dword:xyz\n\"Cut\"=sz:\"open\n"
                          "\"Hex\"=hex(3):0\ngarbage\n\"After\"=dword:0000002a\n");
    ReloadRegistry();
    EXPECT_EQ(queryString(HKEY_CURRENT_USER, "Software\\X", "Good"), "yes");
    EXPECT_EQ(queryString(HKEY_CURRENT_USER, "Software\\X", "Bad"), "<2>");
    EXPECT_EQ(queryString(HKEY_CURRENT_USER, "Software\\X", "Cut"), "<2>");
    EXPECT_EQ(queryString(HKEY_CURRENT_USER, "Software\\X", "Hex"), "<2>");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\X", 0, KEY_READ, &key), 0);
    DWORD n = 0, size = 4;
    EXPECT_EQ(RegQueryValueExA(key, "After", nullptr, nullptr, reinterpret_cast<BYTE*>(&n), &size), 0);
    EXPECT_EQ(n, 42u);
    RegCloseKey(key);
}

// A key name that no call could give (a control character, a zero byte)
// makes its section damaged: enumerating never hands out a name that does
// not open the key it names, let alone one that opens its parent again.
TEST_F(RegistryTest, KeysWithNamesNoCallCouldGiveAreSkipped)
{
    TempConfig::writeFile(t.config() + "/registry/HKEY_CURRENT_USER.reg",
                          "[Software\\Bad\x01Name]\n\"Lost\"=dword:00000001\n[Software\\" + std::string(1, '\0') +
                              "Loop]\n\"Lost\"=dword:00000002\n[Software\\Good]\n\"Kept\"=dword:00000003\n");
    ReloadRegistry();
    HKEY software = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &software), 0);
    std::vector<std::string> children;
    char name[64];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(software, i, name, &size, nullptr, nullptr, nullptr, nullptr) != 0)
            break;
        children.emplace_back(name, size);
    }
    RegCloseKey(software);
    EXPECT_EQ(children, std::vector<std::string>{"Good"});
    HKEY good = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Good", 0, KEY_READ, &good), 0);
    DWORD n = 0, size = 4;
    EXPECT_EQ(RegQueryValueExA(good, "Kept", nullptr, nullptr, reinterpret_cast<BYTE*>(&n), &size), 0);
    EXPECT_EQ(n, 3u);
    RegCloseKey(good);
}

}  // namespace
}  // namespace plat
