// The registry's text hives: any hive file is read without harm, every key
// it holds can be opened, walked and queried, and what a save writes reads
// back as the same registry (saving it again writes the same text).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/config/registry.h"
#include "platform/fs/errors.h"

namespace {

using namespace plat;

constexpr int kMaxDepth = 12;
constexpr DWORD kMaxChildren = 64;

// Every key under key (its path and its default value's type and bytes),
// depth first, in the order the registry enumerates them.
void walk(HKEY key, const std::string& path, int depth, std::vector<std::string>& out)
{
    DWORD type = 0;
    DWORD size = 0;
    std::string entry = path;
    if (RegQueryValueExA(key, "", nullptr, &type, nullptr, &size) == 0) {
        std::string data(size, '\0');
        DWORD small = size / 2;
        // A buffer too small answers "more data" with the size needed.
        if (size > 1 && RegQueryValueExA(key, "", nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &small) != 234)
            std::abort();
        if (RegQueryValueExA(key, "", nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) != 0)
            std::abort();
        entry += "=" + std::to_string(type) + ":" + data.substr(0, size);
    }
    out.push_back(entry);
    if (depth >= kMaxDepth)
        return;
    for (DWORD i = 0; i < kMaxChildren; ++i) {
        char name[256];
        DWORD nameSize = sizeof name;
        LONG r = RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr);
        if (r == LONG(ERROR_NO_MORE_ITEMS))
            break;
        if (r != 0)
            continue;
        HKEY child = nullptr;
        if (RegOpenKeyExA(key, name, 0, KEY_READ, &child) != 0)
            continue;
        walk(child, path + "\\" + name, depth + 1, out);
        RegCloseKey(child);
    }
}

std::vector<std::string> walkMachine()
{
    std::vector<std::string> keys;
    walk(HKEY_LOCAL_MACHINE, "", 0, keys);
    return keys;
}

// Saves the machine hive by setting one value; the text written.
std::string save(const std::string& hive)
{
    const DWORD mark = 27;
    if (RegSetValueExA(HKEY_LOCAL_MACHINE, "fuzz mark", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&mark), 4) != 0)
        std::abort();
    return plat::testing::TempConfig::readFile(hive);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    plat::testing::TempConfig& folders = fuzz::Scratch();
    const std::string hive = folders.config() + "/registry/HKEY_LOCAL_MACHINE.reg";
    plat::testing::TempConfig::writeFile(hive, std::string(reinterpret_cast<const char*>(data), size));
    ReloadRegistry();

    const std::vector<std::string> read = walkMachine();
    const std::string first = save(hive);
    ReloadRegistry();
    const std::vector<std::string> again = walkMachine();
    const std::string second = save(hive);
    if (first != second)
        std::abort();  // what was saved did not read back as itself
    if (read != again)
        std::abort();  // a key or a default value changed on the way
    ReloadRegistry();
    return 0;
}
