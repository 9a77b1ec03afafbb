#include "foundation/JxCInStrStream.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "foundation/JxCOutStream.h"
#include "platform/fs/atomic_file.h"
#include "platform/fs/files.h"
#include "stream_test_support.h"

namespace {

using streamtest::ReportLog;
using streamtest::TempDrive;

// A memory stream together with the bytes it reads.
struct Mem {
    explicit Mem(std::string b)
        : bytes(std::move(b)), in(JxMemoryBlock{bytes.data(), static_cast<std::uint32_t>(bytes.size())})
    {
    }
    std::string bytes;
    JxCInStrStream in;
};

TEST(BinaryStream, BigEndianValuesFromMemory)
{
    const std::string bytes("\x01\x02\xFF\xFE\xFF\xFE\xFF\xFF\xFF\xFE\x00\x03" "abc\xFF\xFF", 17);
    JxCInStrStream in(JxMemoryBlock{bytes.data(), 17});
    std::uint16_t u16 = 0;
    std::int32_t s32 = 0;
    std::uint32_t u32from16 = 0, u32 = 0;
    JxCString text("old");
    in.ReadBigEndian16(u16);
    EXPECT_EQ(u16, 258);
    in.ReadBigEndian16To32(s32);
    EXPECT_EQ(s32, -2);
    in.Seek(2).ReadBigEndian16To32(u32from16);
    EXPECT_EQ(u32from16, 0xFFFFFFFEu);
    in.Seek(6).ReadBigEndian32(u32);
    EXPECT_EQ(u32, 4294967294u);
    in.ReadCountedString(text);
    EXPECT_EQ(std::string(text.View()), "abc");
    in.ReadCountedString(text);  // length -1: empty, only the length taken
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(in.Tell(), 17u);
    EXPECT_TRUE(in.Good());
    std::uint8_t b = 7;
    in.ReadByte(b);
    EXPECT_TRUE(in.Fail());
    EXPECT_TRUE(in.Eof());
    EXPECT_EQ(b, 7);
}

TEST(BinaryStream, EveryFormRoundTripsThroughAFile)
{
    TempDrive drive;
    {
        JxCOutStream out("E:\\ROUND.BIN");
        ASSERT_TRUE(out.IsOpen());
        out.WriteByte(0xAB)
            .WriteBigEndian16(std::int16_t{-300})
            .WriteBigEndian16(std::uint16_t{65000})
            .WriteBigEndian32(std::int32_t{-70000})
            .WriteBigEndian32(std::uint32_t{0xDEADBEEF})
            .WriteBigEndian64(0x89ABCDEFu, 0x01234567u)
            .WriteBigEndian64(-2.5)
            .WriteCountedString(JxCString("hello"))
            .WriteCountedString(JxCString())
            .WriteRect(JxCRect(-1, 2, 640, 480))
            .WritePoint(JxCPoint(-5, 7))
            .WriteSize(JxCSize(100, -100))
            .WriteRGB(JxCRGB(1, 2, 3))
            .WriteTypedId(JxCPageTypeId(4))
            .WriteTypedId(JxCPanelTypeId(5))
            .WriteTypedId(JxCActionTypeId(6))
            .WriteTypedId(JxCEventId(-7))
            .WriteTypedId(JxCResourceTypeId(8))
            .WriteBlock("xyz", 3);
        EXPECT_TRUE(out.Close());
    }
    JxCInStrStream in("E:\\round.bin");
    ASSERT_TRUE(in.IsOpen());
    std::uint8_t byte = 0;
    std::int16_t s16 = 0;
    std::uint16_t u16 = 0;
    std::int32_t s32 = 0;
    std::uint32_t u32 = 0;
    std::uint64_t u64 = 0;
    double real = 0;
    JxCString hello, empty("x");
    JxCRect rect;
    JxCPoint point;
    JxCSize size;
    JxCRGB colour;
    JxCPageTypeId page;
    JxCPanelTypeId panel;
    JxCActionTypeId action;
    JxCEventId event;
    JxCResourceTypeId resource;
    char block[4] = {};
    in.ReadByte(byte).ReadBigEndian16(s16).ReadBigEndian16(u16).ReadBigEndian32(s32).ReadBigEndian32(u32);
    in.ReadBigEndian64(u64).ReadBigEndian64(real).ReadCountedString(hello).ReadCountedString(empty);
    in.ReadBigEndianRect(rect).ReadBigEndianPoint(point).ReadBigEndian16Pair(size).ReadRGB(colour);
    in.ReadPageTypeId(page).ReadPanelTypeId(panel).ReadActionTypeId(action).ReadEventId(event);
    in.ReadResourceTypeId(resource).ReadBlock(block, 3);
    ASSERT_TRUE(in.Good());
    EXPECT_EQ(byte, 0xAB);
    EXPECT_EQ(s16, -300);
    EXPECT_EQ(u16, 65000);
    EXPECT_EQ(s32, -70000);
    EXPECT_EQ(u32, 0xDEADBEEFu);
    EXPECT_EQ(u64, 0x0123456789ABCDEFull);
    EXPECT_EQ(real, -2.5);
    EXPECT_EQ(std::string(hello.View()), "hello");
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_TRUE(rect == JxCRect(-1, 2, 640, 480));
    EXPECT_TRUE(point == JxCPoint(-5, 7));
    EXPECT_EQ(size.cx, 100);
    EXPECT_EQ(size.cy, -100);
    EXPECT_TRUE(colour == JxCRGB(1, 2, 3));
    EXPECT_EQ(short(page), 4);
    EXPECT_EQ(short(panel), 5);
    EXPECT_EQ(short(action), 6);
    EXPECT_EQ(short(event), -7);
    EXPECT_EQ(short(resource), 8);
    EXPECT_EQ(std::string(block), "xyz");
    EXPECT_EQ(in.Remaining(), 0u);
    // The empty counted string is the two bytes 00 00 and nothing else.
    const std::string raw = drive.read("ROUND.BIN");
    EXPECT_EQ(raw.substr(1 + 2 + 2 + 4 + 4 + 8 + 8 + 7, 2), std::string("\0\0", 2));
}

// Each reader given one byte too few fails and leaves its target as it was.
TEST(BinaryStream, TruncatedReadsLeaveTargetsUnchanged)
{
    const std::string full("\x12\x34\x56\x78\x9A\xBC\xDE\xF0", 8);
    auto shortBy1 = [&](std::size_t n) { return full.substr(0, n - 1); };
    {
        std::int16_t v = 11;
        Mem m_in(shortBy1(2));
        JxCInStrStream& in = m_in.in;
        in.ReadBigEndian16(v);
        EXPECT_TRUE(in.Fail());
        EXPECT_EQ(v, 11);
    }
    {
        std::int32_t v = 11;
        Mem m_in(shortBy1(4));
        JxCInStrStream& in = m_in.in;
        in.ReadBigEndian32(v);
        EXPECT_EQ(v, 11);
        Mem m_in2(shortBy1(2));
        JxCInStrStream& in2 = m_in2.in;
        in2.ReadBigEndian16To32(v);
        EXPECT_EQ(v, 11);
    }
    {
        std::uint64_t v = 11;
        double d = 1.5;
        Mem m_in(shortBy1(8));
        JxCInStrStream& in = m_in.in;
        in.ReadBigEndian64(v);
        EXPECT_EQ(v, 11u);
        Mem m_in2(shortBy1(8));
        JxCInStrStream& in2 = m_in2.in;
        in2.ReadBigEndian64(d);
        EXPECT_EQ(d, 1.5);
    }
    {
        JxCRect r(1, 2, 3, 4);
        Mem m_in(shortBy1(8));
        JxCInStrStream& in = m_in.in;
        in.ReadBigEndianRect(r);
        EXPECT_TRUE(r == JxCRect(1, 2, 3, 4));
        JxCPoint p(1, 2);
        Mem m_in2(shortBy1(4));
        JxCInStrStream& in2 = m_in2.in;
        in2.ReadBigEndianPoint(p);
        EXPECT_TRUE(p == JxCPoint(1, 2));
        JxCSize s(1, 2);
        Mem m_in3(shortBy1(4));
        JxCInStrStream& in3 = m_in3.in;
        in3.ReadBigEndian16Pair(s);
        EXPECT_EQ(s.cx, 1);
        JxCRGB c(9, 9, 9);
        Mem m_in4(shortBy1(3));
        JxCInStrStream& in4 = m_in4.in;
        in4.ReadRGB(c);
        EXPECT_TRUE(c == JxCRGB(9, 9, 9));
        JxCEventId e(3);
        Mem m_in5(shortBy1(2));
        JxCInStrStream& in5 = m_in5.in;
        in5.ReadEventId(e);
        EXPECT_EQ(short(e), 3);
        char block[8] = "keep";
        Mem m_in6(shortBy1(8));
        JxCInStrStream& in6 = m_in6.in;
        in6.ReadBlock(block, 8);
        EXPECT_STREQ(block, "keep");
        EXPECT_TRUE(in6.Fail());
    }
    {
        // A counted string whose bytes run past the end, even one that
        // claims 32,767 of them.
        JxCString s("keep");
        Mem m_in(std::string("\x00\x05" "abcd", 6));
        JxCInStrStream& in = m_in.in;
        in.ReadCountedString(s);
        EXPECT_TRUE(in.Fail());
        EXPECT_EQ(std::string(s.View()), "keep");
        Mem m_in2(std::string("\x7F\xFF" "ab", 4));
        JxCInStrStream& in2 = m_in2.in;
        in2.ReadCountedString(s);
        EXPECT_EQ(std::string(s.View()), "keep");
        Mem m_in3(std::string("\x00", 1));
        JxCInStrStream& in3 = m_in3.in;
        in3.ReadCountedString(s);
        EXPECT_EQ(std::string(s.View()), "keep");
    }
}

TEST(BinaryStream, AFailedStreamStaysFailedUntilSeek)
{
    Mem m_in(std::string("\x00\x01\x00\x02", 4));
        JxCInStrStream& in = m_in.in;
    std::int32_t v = 0;
    in.Seek(3).ReadBigEndian16To32(v);
    EXPECT_TRUE(in.Fail());
    in.Seek(0);
    EXPECT_TRUE(in.Good());
    in.ReadBigEndian16To32(v);
    EXPECT_EQ(v, 1);
    JxCInStrStream none;
    none.ReadBigEndian16To32(v);
    EXPECT_TRUE(none.Fail());
    EXPECT_FALSE(none.IsOpen());
}

TEST(BinaryStream, SubFileOfAnOpenHandleStopsAtItsEnd)
{
    TempDrive drive;
    drive.write("STORE.MNG", std::string("AAAA\x00\x01\x00\x02" "CCCC", 12));
    const plat::HFILE file = plat::_lopen("E:\\STORE.MNG", 0);
    ASSERT_NE(file, plat::HFILE_ERROR);
    {
        JxCInStrStream item(file, 4, 8);
        std::int16_t a = 0, b = 0, c = 99;
        item.ReadBigEndian16(a).ReadBigEndian16(b);
        EXPECT_EQ(a, 1);
        EXPECT_EQ(b, 2);
        EXPECT_EQ(item.Tell(), 4u);
        item.ReadBigEndian16(c);  // would read the next item
        EXPECT_TRUE(item.Fail());
        EXPECT_EQ(c, 99);
        item.Seek(2).ReadBigEndian16(c);
        EXPECT_EQ(c, 2);
        // Another reader moving the shared handle does not disturb the item.
        char junk[4];
        plat::_llseek(file, 0, plat::FILE_BEGIN);
        plat::_lread(file, junk, 4);
        item.Seek(0).ReadBigEndian16(c);
        EXPECT_EQ(c, 1);
        JxCInStrStream rest(file, 8);  // without an end: to the end of the file
        EXPECT_EQ(rest.Remaining(), 4u);
    }
    // The streams left the handle open for its owner.
    EXPECT_NE(plat::_llseek(file, 0, plat::FILE_BEGIN), -1);
    plat::_lclose(file);
}

TEST(BinaryStream, LargeFileReadsAcrossTheBuffer)
{
    TempDrive drive;
    std::string bytes;
    for (int i = 0; i < 40000; ++i)
        bytes.push_back(static_cast<char>(i * 7));
    drive.write("BIG.DAT", bytes);
    JxCInStrStream in("E:\\BIG.DAT", 100);
    std::vector<char> got(39900);
    in.ReadBlock(got.data(), 32760);
    std::uint32_t v = 0;
    in.ReadBigEndian32(v);  // straddles the end of the first buffer
    in.ReadBlock(got.data() + 32764, 39900 - 32764);
    ASSERT_TRUE(in.Good());
    EXPECT_EQ(v, (std::uint32_t(std::uint8_t(bytes[32860])) << 24) | (std::uint32_t(std::uint8_t(bytes[32861])) << 16) |
                     (std::uint32_t(std::uint8_t(bytes[32862])) << 8) | std::uint8_t(bytes[32863]));
    EXPECT_EQ(std::string(got.data() + 32764, 39900 - 32764), bytes.substr(32864));
}

TEST(OutStream, FailuresAreReportedAndVisible)
{
    TempDrive drive;
    ReportLog log;
    JxCOutStream out("E:\\NO\\SUCH\\FOLDER\\X.BIN");
    EXPECT_FALSE(out.IsOpen());
    out.WriteBigEndian32(std::uint32_t{1});
    EXPECT_FALSE(out.Close());
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].id, 1136);
    EXPECT_EQ(log.reports[0].args[0], "E:\\NO\\SUCH\\FOLDER\\X.BIN");

    JxCOutStream big("E:\\BIG.STR");
    big.WriteCountedString(JxCString(std::string(40000, 'x')));
    EXPECT_TRUE(big.Fail());
    EXPECT_FALSE(big.Close());
}

TEST(OutStream, ReplacesTheFileOnlyWhenClosed)
{
    TempDrive drive;
    drive.write("KEEP.DAT", "old");
    {
        JxCOutStream out("E:\\KEEP.DAT");
        out.WriteLine(JxCString("one")).WriteLine(JxCString());
        EXPECT_EQ(drive.read("KEEP.DAT"), "old");
    }
    EXPECT_EQ(drive.read("KEEP.DAT"), "one\n\n");
}

// However a write fails, the stream abandons its temporary file: the file it
// was to replace keeps its old contents, nothing is left beside it, and
// Close answers false.
TEST(OutStream, AFailedStreamLeavesTheOldFileInPlace)
{
    const std::string old = "old contents";
    struct Way {
        const char* name;
        std::function<int(const std::string&, std::size_t)> disk;
        std::function<void(JxCOutStream&)> write;
        bool closeExplicitly;
    };
    const std::string bigText(40000, 'x');
    const std::vector<Way> ways{
        {"a counted string too long to read back", {},
         [&](JxCOutStream& out) {
             out.WriteBigEndian32(std::uint32_t{7});
             out.WriteCountedString(JxCString(bigText));
             out.WriteLine(JxCString("after"));
         },
         true},
        {"the same, closed by the destructor", {},
         [&](JxCOutStream& out) { out.WriteCountedString(JxCString(bigText)); }, false},
        {"a full disc while the buffer is flushed",
         [](const std::string&, std::size_t written) { return written >= 4096 ? ENOSPC : 0; },
         [&](JxCOutStream& out) { out.WriteBlock(bigText.data(), 40000); }, true},
        {"a full disc at the last flush in Close",
         [](const std::string&, std::size_t) { return ENOSPC; },
         [](JxCOutStream& out) { out.WriteLine(JxCString("new")); }, true},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        TempDrive drive;
        drive.write("KEEP.DAT", old);
        plat::SetWriteFaultHook(way.disk);
        {
            JxCOutStream out("E:\\KEEP.DAT");
            ASSERT_TRUE(out.IsOpen());
            way.write(out);
            if (way.closeExplicitly) {
                EXPECT_FALSE(out.Close());
            }
        }
        plat::SetWriteFaultHook({});
        EXPECT_EQ(drive.read("KEEP.DAT"), old);
        std::vector<std::string> left;
        for (const auto& e : std::filesystem::directory_iterator(drive.host("")))
            left.push_back(e.path().filename().string());
        EXPECT_EQ(left, std::vector<std::string>{"KEEP.DAT"});
    }
}

TEST(ExclStream, OpenedLaterAndReadLikeAnyInputStream)
{
    TempDrive drive;
    drive.write("USER.GV3", std::string("\x00\x2A", 2));
    JxCExclStream user;
    EXPECT_FALSE(user.IsOpen());
    EXPECT_FALSE(user.Open("E:\\MISSING.GV3", plat::OF_READWRITE, plat::OF_SHARE_DENY_WRITE));
    ASSERT_TRUE(user.Open("E:\\USER.GV3", plat::OF_READWRITE, plat::OF_SHARE_DENY_WRITE));
    std::int16_t v = 0;
    user.ReadBigEndian16(v);
    EXPECT_EQ(v, 42);
    EXPECT_NE(user.FileHandle(), plat::HFILE_ERROR);
    user.CloseFile();
    EXPECT_EQ(user.FileHandle(), plat::HFILE_ERROR);
}

// Registry keys are made from the integer id.
struct FakeKey {
    explicit FakeKey(int v = -1) : value(v) {}
    int value;
};

TEST(BinaryStream, TypeKeysAreMadeFromTheRegistryId)
{
    Mem m_in(std::string("\x00\x2A\x01", 3));
        JxCInStrStream& in = m_in.in;
    FakeKey key;
    in.ReadTypeKey(key);
    EXPECT_EQ(key.value, 42);
    in.ReadTypeKey(key);
    EXPECT_EQ(key.value, 42);
    EXPECT_TRUE(in.Fail());
}

}  // namespace
