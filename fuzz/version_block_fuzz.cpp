// Version blocks. The first byte chooses: a module.ini read into a library's
// version block, whose every text must then be found by VerQueryValueA as it
// was written; or raw bytes handed to VerQueryValueA as a block, which must
// stay inside it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "platform/modules/resource_library.h"
#include "platform/modules/version.h"

namespace {

void require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "version_block: %s\n", what);
        std::abort();
    }
}

// A folder of the scratch folders, which go at exit.
const std::string& libraryFolder()
{
    static const std::string folder = [] {
        const std::string f = fuzz::Scratch().root() + "/library";
        std::filesystem::create_directories(f);
        return f;
    }();
    return folder;
}

void queryEveryText(std::string_view ini)
{
    std::ofstream(libraryFolder() + "/module.ini", std::ios::binary | std::ios::trunc)
        .write(ini.data(), static_cast<std::streamsize>(ini.size()));
    auto module = plat::Module::Open(plat::Module::Kind::Library, "FUZZ", libraryFolder());
    std::string block = module->VersionBlock();
    require(block.empty() == !module->version.present, "a version block present and empty, or the reverse");
    if (block.empty())
        return;
    std::vector<char> copy(block.begin(), block.end());  // sized exactly, so a read past it is seen
    void* value = nullptr;
    unsigned length = 0;
    require(plat::VerQueryValueA(copy.data(), "\\", &value, &length) && length == sizeof(plat::VS_FIXEDFILEINFO),
            "no fixed file information");
    for (const auto& [key, table] : module->version.tables)
        for (const auto& [name, text] : table) {
            if (name.find_first_of(std::string_view("\\/\0", 3)) != std::string::npos)
                continue;  // such a name cannot be asked for through a C string path
            std::string path = "\\StringFileInfo\\" + key + "\\" + name;
            require(plat::VerQueryValueA(copy.data(), path.c_str(), &value, &length), "a text is missing");
            std::string expected = text.substr(0, text.find('\0'));
            require(length == expected.size() + 1 && std::memcmp(value, expected.data(), expected.size()) == 0,
                    "a text came back changed");
        }
}

void queryRawBlock(std::string_view bytes)
{
    // The mark and the block's size, which every reader relies on, are
    // made true; the rest is as it came.
    std::vector<unsigned char> block(8 + bytes.size());
    std::memcpy(block.data(), "KVB1", 4);
    std::uint32_t total = static_cast<std::uint32_t>(block.size());
    for (int i = 0; i < 4; ++i)
        block[4 + i] = static_cast<unsigned char>(total >> (8 * i));
    std::memcpy(block.data() + 8, bytes.data(), bytes.size());
    void* value = nullptr;
    unsigned length = 0;
    for (const char* path : {"\\", "\\VarFileInfo\\Translation", "\\StringFileInfo\\040904e4\\ProductName"})
        if (plat::VerQueryValueA(block.data(), path, &value, &length))
            require(static_cast<unsigned char*>(value) + length <= block.data() + block.size(),
                    "a value reaches past the block");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] & 1)
        queryRawBlock(rest);
    else
        queryEveryText(rest);
    return 0;
}
