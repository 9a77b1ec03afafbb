// Files compressed by testkit's LZ writer expand, through the platform's
// expander, to exactly what was compressed: empty and tiny files, long runs
// (matches that overlap what they copy), repeats farther back than the
// window reaches, and bytes with no repeats at all.

#include <gtest/gtest.h>

#include <string>

#include "platform/lz/lz.h"
#include "platform/tests/temp_config.h"
#include "testkit/lz_file.h"

namespace {

using plat::testing::TempConfig;

std::string expanded(const TempConfig& t, const std::string& packed)
{
    TempConfig::writeFile(t.root() + "/e/PACKED", packed);
    plat::OFSTRUCT info;
    const int in = plat::LZOpenFileA("E:\\PACKED", &info, plat::OF_READ);
    const int out = plat::LZOpenFileA("E:\\PLAIN", &info, plat::OF_CREATE | plat::OF_READWRITE);
    const plat::LONG copied = plat::LZCopy(in, out);
    plat::LZClose(in);
    plat::LZClose(out);
    return copied < 0 ? "LZ error " + std::to_string(copied) : TempConfig::readFile(t.root() + "/e/PLAIN");
}

TEST(LzFile, CompressedFilesExpandToTheirBytes)
{
    TempConfig t;
    t.writeDriveTable("[Drive E]\nPath=" + t.root() + "/e\nType=fixed\n");
    std::string text, noise, farRepeat;
    for (int i = 0; i < 2000; ++i)
        text += "line " + std::to_string(i % 37) + " of the program\n";
    unsigned seed = 7;
    for (int i = 0; i < 9000; ++i)
        noise += char((seed = seed * 1103515245u + 12345u) >> 16);
    farRepeat = noise.substr(0, 100) + noise.substr(100, 6000) + noise.substr(0, 100);
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {{"empty", ""}, {"one byte", "x"}, {"a run", std::string(5000, 'z')}, {"text", text},
                 {"noise", noise}, {"a repeat beyond the window", farRepeat}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string packed = testkit::LzCompress(c.bytes, 'E');
        EXPECT_EQ(packed.substr(0, 10), std::string("SZDD\x88\xF0\x27\x33" "AE", 10));
        EXPECT_EQ(expanded(t, packed), c.bytes);
    }
    EXPECT_LT(testkit::LzCompress(text).size(), text.size() / 4) << "it does compress";
}

}  // namespace
