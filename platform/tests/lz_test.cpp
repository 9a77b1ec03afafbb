// Expansion of LZ-compressed files: files compressed by the Debian tool
// expand byte for byte, plain files pass unchanged, and damaged or cut files
// fail with the LZ error codes instead of giving a shorter or longer copy.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/fs/files.h"
#include "platform/lz/lz.h"
#include "platform/tests/temp_config.h"

namespace plat {
namespace {

using testing::TempConfig;

class LzTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(t.root() + "/hd");
        t.writeDriveTable("[Drive E]\nPath=" + t.root() + "/hd\nType=fixed\n");
    }

    std::string host(const std::string& name) const { return t.root() + "/hd/" + name; }

    // The file compressed by mscompress, as the medium's tools made them.
    std::string compressed(const std::string& name, const std::string& bytes) const
    {
        TempConfig::writeFile(host("SOURCE"), bytes);
        std::string command = "mscompress '" + host("SOURCE") + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << "mscompress (package mscompress) is needed";
        std::filesystem::rename(host("SOURCE_"), host(name));
        return TempConfig::readFile(host(name));
    }

    // Opens E:\<from>, creates E:\<to>, copies; the copy's result.
    LONG copy(const std::string& from, const std::string& to)
    {
        OFSTRUCT info;
        int in = LZOpenFileA(("E:\\" + from).c_str(), &info, OF_READ);
        if (in < 0)
            return in;
        int out = LZOpenFileA(("E:\\" + to).c_str(), &info, OF_CREATE | OF_READWRITE);
        LONG result = LZCopy(in, out);
        LZClose(in);
        LZClose(out);
        return result;
    }

    TempConfig t;
};

std::string sample()
{
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "line " + std::to_string(i % 97) + " of the title's program file\n";
    text += std::string("\0\x01\xff binary tail", 15);
    return text;
}

TEST_F(LzTest, CompressedFilesExpandByteForByteAndPlainFilesPassUnchanged)
{
    std::string original = sample();
    std::string packed = compressed("PROG.EX_", original);
    ASSERT_LT(packed.size(), original.size());
    ASSERT_EQ(packed.substr(0, 4), "SZDD");
    EXPECT_EQ(copy("PROG.EX_", "PROG.EXE"), LONG(original.size()));
    EXPECT_EQ(TempConfig::readFile(host("PROG.EXE")), original);

    for (std::string plain : {std::string(), std::string("SZD"), std::string("SZDD\x88\xF0\x27"), original}) {
        TempConfig::writeFile(host("PLAIN"), plain);
        EXPECT_EQ(copy("PLAIN", "OUT"), LONG(plain.size()));
        EXPECT_EQ(TempConfig::readFile(host("OUT")), plain);
    }
}

TEST_F(LzTest, ACutOrDamagedFileFailsInsteadOfGivingAShorterCopy)
{
    std::string packed = compressed("PROG.EX_", sample());
    TempConfig::writeFile(host("CUT"), packed.substr(0, packed.size() / 2));
    EXPECT_EQ(copy("CUT", "OUT"), LZERROR_READ);

    // The signature with a header cut short.
    TempConfig::writeFile(host("HEADER"), packed.substr(0, 10));
    OFSTRUCT info;
    EXPECT_EQ(LZOpenFileA("E:\\HEADER", &info, OF_READ), LZERROR_READ);

    // A header whose length is not the data's, by a little or a lot.
    const long long length = static_cast<long long>(sample().size());
    for (long long claimed : {length - 1, length + 1, 5LL}) {
        SCOPED_TRACE(claimed);
        std::string wrong = packed;
        for (int i = 0; i < 4; ++i)
            wrong[std::size_t(10 + i)] = char((claimed >> (8 * i)) & 0xFF);
        TempConfig::writeFile(host("WRONG"), wrong);
        EXPECT_EQ(copy("WRONG", "OUT"), LZERROR_READ);
    }
}

TEST_F(LzTest, UnknownHandlesAndMissingFilesAreRefused)
{
    OFSTRUCT info;
    EXPECT_EQ(LZOpenFileA("E:\\NONE", &info, OF_READ), LZERROR_BADINHANDLE);
    EXPECT_EQ(info.nErrCode, 2);
    compressed("A", "some text some text");
    int in = LZOpenFileA("E:\\A", &info, OF_READ);
    ASSERT_GE(in, kLzHandleBase);
    EXPECT_EQ(LZCopy(in, in), LZERROR_BADOUTHANDLE) << "an LZ handle is no place to write to";
    EXPECT_EQ(LZCopy(kLzHandleBase + kMaxLzFiles - 1, 999), LZERROR_BADOUTHANDLE);
    int out = LZOpenFileA("E:\\B", &info, OF_CREATE | OF_READWRITE);
    ASSERT_GE(out, 0);
    EXPECT_EQ(LZCopy(kLzHandleBase + kMaxLzFiles - 1, out), LZERROR_BADINHANDLE);
    EXPECT_EQ(LZCopy(-9, out), LZERROR_BADINHANDLE);
    EXPECT_EQ(LZCopy(in, out), 19);
    LZClose(in);
    LZClose(out);
    EXPECT_EQ(TempConfig::readFile(host("B")), "some text some text");
    EXPECT_EQ(LZCopy(in, 999), LZERROR_BADOUTHANDLE);
}

TEST_F(LzTest, OnlyAFewCompressedFilesAreOpenAtOnce)
{
    compressed("A", "abcabcabc");
    OFSTRUCT info;
    std::vector<int> open;
    for (int i = 0; i < kMaxLzFiles; ++i) {
        open.push_back(LZOpenFileA("E:\\A", &info, OF_READ));
        ASSERT_GE(open.back(), kLzHandleBase);
    }
    EXPECT_EQ(LZOpenFileA("E:\\A", &info, OF_READ), LZERROR_GLOBALLOC);
    LZClose(open.front());
    int again = LZOpenFileA("E:\\A", &info, OF_READ);
    EXPECT_EQ(again, open.front()) << "a closed handle is free again";
    open.front() = again;
    for (int h : open)
        LZClose(h);
}

}  // namespace
}  // namespace plat
