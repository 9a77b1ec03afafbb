// The installer's expansion of one file from its medium: any bytes as the
// source either expand (a compressed file, to exactly the length its header
// gives) or pass unchanged (any other file), or fail with nothing put in
// place of the target.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_support.h"
#include "platform/backend/harness.h"
#include "setup/Decompress.h"

namespace {

// The target's hard disk E: in the scratch folders, which go at exit.
struct Medium {
    std::string root = fuzz::Scratch().root();
    plat::Harness harness;

    Medium()
    {
        std::filesystem::create_directories(root + "/hd");
        fuzz::Scratch().writeDriveTable("[Drive E]\nPath=" + root + "/hd\nType=fixed\n");
        // The boxes that name a failure are answered at once.
        plat::SetResponder([](const plat::UiRequest&) -> std::optional<int> { return 1; });
    }
};

Medium& medium()
{
    static Medium m;
    return m;
}

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Medium& m = medium();
    std::string input(reinterpret_cast<const char*>(data), size);
    std::ofstream(m.root + "/hd/IN", std::ios::binary | std::ios::trunc) << input;
    std::filesystem::remove(m.root + "/hd/OUT");
    int done = DecompressFile("E:\\IN", "E:\\OUT");
    bool present = std::filesystem::exists(m.root + "/hd/OUT");
    if (done != int(present))
        std::abort();  // a failure put something in place, or a success nothing
    bool compressed = size >= 8 && (input.compare(0, 8, std::string("SZDD\x88\xF0\x27\x33", 8)) == 0 ||
                                     input.compare(0, 8, std::string("SZ \x88\xF0\x27\x33\xD1", 8)) == 0);
    if (done && !compressed && readAll(m.root + "/hd/OUT") != input)
        std::abort();  // a plain file must pass unchanged
    if (done && compressed && input[2] == 'D' && size >= 14) {
        std::uint32_t length = std::uint32_t(data[10]) | std::uint32_t(data[11]) << 8 |
                               std::uint32_t(data[12]) << 16 | std::uint32_t(data[13]) << 24;
        if (std::filesystem::file_size(m.root + "/hd/OUT") != length)
            std::abort();  // exactly the header's length, never shorter
    }
    return 0;
}
