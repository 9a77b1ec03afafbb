#include "foundation/JxArrayStreamForms.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/JxCOutStream.h"
#include "foundation/JxCPointerArray.h"
#include "stream_test_support.h"

namespace {

using streamtest::TempDrive;

struct Mem {
    explicit Mem(std::string b)
        : bytes(std::move(b)), in(JxMemoryBlock{bytes.data(), static_cast<std::uint32_t>(bytes.size())})
    {
    }
    std::string bytes;
    JxCInStrStream in;
};

TEST(PointerArrayStream, RoundTripsBothForms)
{
    TempDrive drive;
    JxCPointerArray wide;
    JxCPointerArray16 narrow;
    wide.SetOwnsElements();
    narrow.SetOwnsElements();
    for (std::int32_t v : {0, -2, 70000, 2147483647}) {
        wide.Add(new std::int32_t(v));
        narrow.Add(new std::int32_t(v == 70000 ? -300 : (v == 2147483647 ? 32767 : v)));
    }
    {
        JxCOutStream out("E:\\ARRAYS.BIN");
        EXPECT_TRUE(wide.Write(out));
        EXPECT_TRUE(narrow.Write(out));
        EXPECT_TRUE(out.Close());
    }
    EXPECT_EQ(drive.read("ARRAYS.BIN").size(), 4u + 16 + 4 + 8);
    JxCInStrStream in("E:\\ARRAYS.BIN");
    JxCPointerArray wideBack;
    JxCPointerArray16 narrowBack;
    ASSERT_TRUE(wideBack.Read(in));
    ASSERT_TRUE(narrowBack.Read(in));
    ASSERT_EQ(wideBack.GetCount(), 4u);
    ASSERT_EQ(narrowBack.GetCount(), 4u);
    for (std::uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(*wideBack.GetAt(i), *wide.GetAt(i));
        EXPECT_EQ(*narrowBack.GetAt(i), *narrow.GetAt(i));
    }
    EXPECT_EQ(*narrowBack.GetAt(2), -300);  // sign-extended into the cell
}

TEST(PointerArrayStream, CountsAndDamage)
{
    Mem empty(std::string("\0\0\0\0\x01", 5));
    JxCPointerArray a;
    EXPECT_TRUE(a.Read(empty.in));
    EXPECT_EQ(a.GetCount(), 0u);
    EXPECT_EQ(empty.in.Tell(), 4u);

    // A count of four billion over two numbers: the two are kept, the read
    // fails at the end, and no block was made for the stored count.
    Mem huge(std::string("\xFF\xFF\xFF\xFF\x00\x00\x00\x01\x00\x00\x00\x02\x00", 13));
    JxCPointerArray b;
    EXPECT_FALSE(b.Read(huge.in));
    EXPECT_TRUE(huge.in.Fail());
    EXPECT_EQ(b.GetCount(), 2u);
    EXPECT_LE(b.GetCapacity(), 16u);
    EXPECT_EQ(*b.GetAt(1), 2);

    Mem cut(std::string("\x00\x00", 2));
    JxCPointerArray16 c;
    EXPECT_FALSE(c.Read(cut.in));
    EXPECT_EQ(c.GetCount(), 0u);
}

TEST(ArrayTemplateStream, ReadsEveryElementForm)
{
    Mem shorts(std::string("\x00\x03\xFF\xFE\x00\x01\x7F\xFF", 8));
    JxCArray<std::int16_t> s;
    ASSERT_TRUE(s.Read(shorts.in));
    ASSERT_EQ(s.GetSize(), 3);
    EXPECT_EQ(s.GetAt(0), -2);
    EXPECT_EQ(s.GetAt(2), 32767);

    Mem rects(std::string("\x00\x01\x00\x01\x00\x02\x00\x03\xFF\xFF", 10));
    JxCArray<JxCRect> r;
    ASSERT_TRUE(r.Read(rects.in));
    EXPECT_TRUE(r.GetAt(0) == JxCRect(1, 2, 3, -1));

    Mem points(std::string("\x00\x01\x00\x05\xFF\xFB", 6));
    JxCArray<JxCPoint> p;
    ASSERT_TRUE(ReadArray(points.in, p));
    EXPECT_TRUE(p.GetAt(0) == JxCPoint(5, -5));

    Mem reals(std::string("\x00\x01\x3F\xF8\x00\x00\x00\x00\x00\x00", 10));
    JxCArray<double> d;
    ASSERT_TRUE(d.Read(reals.in));
    EXPECT_EQ(d.GetAt(0), 1.5);

    Mem handles(std::string("\x00\x02\x00\x00\x00\x07\x80\x00\x00\x00", 10));
    JxCArray<std::uint32_t> h;
    ASSERT_TRUE(h.Read(handles.in));
    EXPECT_EQ(h.GetAt(1), 0x80000000u);
}

TEST(ArrayTemplateStream, StoredCountBeyondTheStream)
{
    Mem longer(std::string("\x7F\xFF\x00\x00\x00\x09\x00\x00\x00", 9));
    JxCArray<std::int32_t> a;
    EXPECT_FALSE(a.Read(longer.in));
    EXPECT_TRUE(longer.in.Fail());
    EXPECT_EQ(a.GetSize(), 1);  // what the stream held
    EXPECT_EQ(a.GetCapacity(), 1);
    EXPECT_EQ(a.GetAt(0), 9);

    Mem negative(std::string("\xFF\xFF\x00\x00", 4));
    JxCArray<std::int16_t> b;
    b.SetAtGrow(0, 5);
    EXPECT_FALSE(b.Read(negative.in));
    EXPECT_EQ(b.GetSize(), 0);
}

}  // namespace

#include "foundation/JxCStringPtrArray.h"

namespace {

TEST(StringPtrArrayStream, RoundTripAndTruncation)
{
    TempDrive drive;
    JxCStringPtrArray names;
    names.SetOwnsElements();
    names.Add(new JxCString("Home"));
    names.Add(new JxCString());
    names.Add(new JxCString("Quiz page"));
    {
        JxCOutStream out("E:\\NAMES.STR");
        EXPECT_TRUE(names.Write(out));
    }
    const std::string bytes = drive.read("NAMES.STR");
    EXPECT_EQ(bytes, std::string("\0\0\0\3\0\4Home\0\0\0\x09Quiz page", 4 + 6 + 2 + 11));
    {
        JxCInStrStream in("E:\\NAMES.STR");
        JxCStringPtrArray back;
        ASSERT_TRUE(back.Read(in));
        ASSERT_EQ(back.GetCount(), 3u);
        EXPECT_EQ(back.Find("quiz PAGE"), 2);
        EXPECT_TRUE(back.GetAt(1)->IsEmpty());
    }
    // Every cut of the file reads cleanly: whole strings kept, then failure.
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        Mem cut(bytes.substr(0, n));
        JxCStringPtrArray part;
        EXPECT_FALSE(part.Read(cut.in)) << n;
        EXPECT_LE(part.GetCount(), 2u);
    }
}

}  // namespace
