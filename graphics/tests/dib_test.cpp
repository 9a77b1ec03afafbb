// Pictures from files, the data store and resources; the DIB checks and
// palettes; drawing bitmap records and stamping text under them.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "graphics/JxBitmapLoaders.h"
#include "graphics/JxCDisplaySlate.h"
#include "graphics/tests/slate_fixture.h"
#include "platform/fs/files.h"
#include "platform/tests/golden.h"
#include "testkit/data_store.h"

namespace {

constexpr const char* kGoldenFolder = "graphics/tests/golden";

using Bytes = std::vector<std::uint8_t>;
using testkit::BmpCoding;
using testkit::BmpRows;

struct Coding {
    const char* name;
    BmpCoding coding;
    BmpRows rows;
};
constexpr Coding kCodings[] = {
    {"PLAIN.BMP", BmpCoding::Plain, BmpRows::BottomUp},
    {"TOPDOWN.BMP", BmpCoding::Plain, BmpRows::TopDown},
    {"RLE.BMP", BmpCoding::Rle8, BmpRows::BottomUp},
    {"RLETOP.BMP", BmpCoding::Rle8, BmpRows::TopDown},
};

class DibTest : public SlateTest {
protected:
    void write(const std::string& name, const Bytes& bytes) const
    {
        plat::testing::TempConfig::writeFile(config.program() + "/" + name, std::string(bytes.begin(), bytes.end()));
    }
    std::string path(const std::string& name) const { return programFolder() + name; }
    // The packed DIB of a BMP file with a header field changed.
    template <class T>
    static Bytes Patched(Bytes dib, std::size_t offset, T value)
    {
        std::memcpy(dib.data() + offset, &value, sizeof value);
        return dib;
    }
    // Draws the record on a memory slate of its size and checks every
    // pixel against the picture.
    void ExpectPicture(const JxObjectRef& record, const testkit::BmpPicture& picture, JxCMemorySlate& slate)
    {
        ASSERT_NE(record.handle, nullptr);
        EXPECT_EQ(GetBitmapWidth(record), picture.width);
        EXPECT_EQ(GetBitmapHeight(record), picture.height);
        Fill(slate, [](int, int) { return 0; });
        ASSERT_EQ(BlitBitmapToSlate(&slate, record, JxCPoint(0, 0), palette, 0), 1);
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                ASSERT_EQ(Px(slate, x, y), picture.at(x, y)) << x << "," << y;
    }
};

TEST_F(DibTest, EveryCodingFromFilesAndTheStoreGivesTheSamePicture)
{
    const testkit::BmpPicture picture = testkit::PatternPicture(37, 23);
    testkit::DataStore items;
    for (const Coding& c : kCodings) {
        write(c.name, testkit::EncodeBmp(picture, c.coding, c.rows));
        items.item(c.name, testkit::EncodeBmp(picture, c.coding, c.rows));
    }
    write("DATA.MNG", items.Bytes());
    store = std::make_unique<JxCMungeFile>(path("DATA.MNG").c_str());
    ASSERT_TRUE(store->IsOpen());

    plat::HWND window = Window(40, 30, 2 * picture.width, picture.height);
    for (bool pooled : {true, false}) {
        useWinG = pooled;
        JxCMemorySlate slate(picture.width, picture.height);
        JxCDisplaySlate screen(window, 0, 0);
        for (const Coding& c : kCodings) {
            SCOPED_TRACE(testing::Message() << c.name << (pooled ? " pooled" : " plain"));
            JxObjectRef fromFile = LoadBitmapFile(path(c.name).c_str());
            JxObjectRef fromStore = ReadDibFromStore(c.name);
            EXPECT_EQ(fromFile.topDown, pooled ? 1 : 0);
            ExpectPicture(fromFile, picture, slate);
            EXPECT_EQ(plat::testing::CompareWithGolden(static_cast<plat::HBITMAP>(slate.GetBitmap().handle),
                                                       "pattern_slate", kGoldenFolder),
                      "");
            ExpectPicture(fromStore, picture, slate);
            // On the screen, beside each other.
            ASSERT_EQ(BlitBitmapToSlate(&screen, fromFile, JxCPoint(0, 0), palette, 0), 1);
            ASSERT_EQ(BlitBitmapToSlate(&screen, fromStore, JxCPoint(std::int16_t(picture.width), 0), palette, 0), 1);
            EXPECT_EQ(plat::testing::CompareWithGolden(nullptr, "pattern_screen", kGoldenFolder), "");
            DeleteBitmapRecord(fromFile);
            DeleteBitmapRecord(fromStore);
        }
    }
    EXPECT_EQ(log(), "");
    plat::DestroyWindow(window);
}

TEST_F(DibTest, HeaderRulesForColourCounts)
{
    plat::BITMAPINFOHEADER h;
    h.biBitCount = 8;
    EXPECT_EQ(DibHeaderColorCount(h), 256u);
    h.biClrUsed = 12;
    EXPECT_EQ(DibHeaderColorCount(h), 12u);
    h.biClrUsed = 0;
    h.biBitCount = 24;
    EXPECT_EQ(DibHeaderColorCount(h), 0u);
    h.biBitCount = 4;
    EXPECT_EQ(DibHeaderColorCount(h), 16u);

    testkit::BmpPicture small = testkit::PatternPicture(3, 2);
    const Bytes full = testkit::EncodePackedDib(small);
    EXPECT_EQ(GetDibColorTableSize(full.data()), 1024u);
    EXPECT_EQ(GetDibBits(full.data()), full.data() + 40 + 1024);
    EXPECT_EQ(GetDibWidth(full.data()), 3);
    small.colours.resize(5);
    const Bytes five = testkit::EncodePackedDib(small, BmpCoding::Plain, BmpRows::TopDown);
    EXPECT_EQ(GetDibColorCount(five.data()), 5);
    EXPECT_EQ(GetDibHeight(five.data()), 2);
    EXPECT_TRUE(CheckPackedDib(five));
}

TEST_F(DibTest, DamagedPicturesAreRefusedAndReported)
{
    const testkit::BmpPicture picture = testkit::PatternPicture(9, 7);
    const Bytes plain = testkit::EncodePackedDib(picture);
    const Bytes rle = testkit::EncodePackedDib(picture, BmpCoding::Rle8);

    // Every cut of a plain picture short of its bits is refused; every cut
    // of a coded one is at worst a picture that ends early.
    for (std::size_t n = 0; n < plain.size(); ++n)
        ASSERT_FALSE(CheckPackedDib({plain.data(), n})) << n;
    for (std::size_t n = 0; n <= rle.size(); ++n) {
        JxObjectRef r = CreateBitmapFromDib({rle.data(), n}, palette);
        DeleteBitmapRecord(r);
    }

    const std::vector<Bytes> damaged = {
        Patched(plain, 0, std::uint32_t(39)),           // header too short
        Patched(plain, 0, std::uint32_t(0x7FFFFFFF)),   // header beyond the block
        Patched(plain, 14, std::uint16_t(24)),          // not 8 bits per pixel
        Patched(plain, 14, std::uint16_t(4)),
        Patched(plain, 32, std::uint32_t(257)),         // more colours than a palette
        Patched(plain, 32, std::uint32_t(0xFFFFFFFF)),
        Patched(plain, 4, std::int32_t(0)),             // no width
        Patched(plain, 4, std::int32_t(-9)),
        Patched(plain, 4, std::int32_t(1 << 30)),       // bits beyond the block
        Patched(plain, 8, std::int32_t(0)),             // no height
        Patched(plain, 8, std::int32_t(INT32_MIN)),
        Patched(plain, 8, std::int32_t(8)),             // one row too many
        Patched(plain, 16, std::uint32_t(2)),           // RLE4
        Patched(plain, 16, std::uint32_t(3)),           // bit fields
        Patched(rle, 4, std::int32_t(kMaxDibSide + 1)), // huge and coded
        Patched(rle, 8, std::int32_t(kMaxDibSide + 1)),
    };
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(CheckPackedDib(damaged[i]));
        JxObjectRef r = CreateBitmapFromDib(damaged[i], palette);
        EXPECT_EQ(r.handle, nullptr);
    }

    // Code that draws outside the picture.
    Bytes wild = rle;
    const Bytes code = {0, 2, 200, 200, 3, 5, 0, 1};
    wild.resize(40 + 1024);
    wild.insert(wild.end(), code.begin(), code.end());
    EXPECT_EQ(CreateBitmapFromDib(wild, palette).handle, nullptr);

    // From a file: the name is reported, the record is empty.
    Bytes file = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    file.insert(file.end(), damaged[8].begin(), damaged[8].end());
    write("BAD.BMP", file);
    EXPECT_EQ(LoadBitmapFile(path("BAD.BMP").c_str()).handle, nullptr);
    EXPECT_EQ(log(), "Damaged picture " + path("BAD.BMP") + "\r\n");
}

TEST_F(DibTest, OnlyBmpPicturesAreLoaded)
{
    write("A.BMP", testkit::EncodeBmp(testkit::PatternPicture(2, 2)));
    write("B.GIF", {'G', 'I', 'F', '8', '9', 'a', 1, 0});
    write("C.PNG", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0});
    write("D.TXT", {'B'});
    plat::HFILE file = plat::HFILE_ERROR;
    EXPECT_EQ(DetectImageFileType(path("A.BMP").c_str(), &file), kImageBmp);
    ASSERT_NE(file, plat::HFILE_ERROR);
    char first = 0;
    EXPECT_EQ(plat::_lread(file, &first, 1), 1u);  // handed back at its start
    EXPECT_EQ(first, 'B');
    plat::_lclose(file);
    EXPECT_EQ(DetectImageFileType(path("B.GIF").c_str(), nullptr), kImageGif);
    EXPECT_EQ(DetectImageFileType(path("C.PNG").c_str(), nullptr), kImagePng);
    EXPECT_EQ(DetectImageFileType(path("D.TXT").c_str(), nullptr), kImageUnknown);
    EXPECT_EQ(DetectImageFileType(path("NONE.BMP").c_str(), &file), kImageUnknown);
    EXPECT_EQ(file, plat::HFILE_ERROR);

    // A sub-file that starts with "GIF" is not loaded; a missing one or no
    // store at all gives an empty record without a report.
    EXPECT_EQ(ReadDibFromStore("PIC.BMP").handle, nullptr);
    testkit::DataStore items;
    items.item("PIC.BMP", Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0});
    write("DATA.MNG", items.Bytes());
    store = std::make_unique<JxCMungeFile>(path("DATA.MNG").c_str());
    EXPECT_EQ(ReadDibFromStore("PIC.BMP").handle, nullptr);
    EXPECT_EQ(ReadDibFromStore("OTHER.BMP").handle, nullptr);
    EXPECT_EQ(log(), "");
}

TEST_F(DibTest, BitmapAndPaletteResources)
{
    const testkit::BmpPicture picture = testkit::PatternPicture(5, 4);
    write("kelbo32.resources/bitmap/7.bmp", testkit::EncodeBmp(picture, BmpCoding::Rle8));
    write("kelbo32.resources/bitmap/LOGO.bmp", testkit::EncodeBmp(picture));
    std::vector<testkit::Rgb> colours = testkit::DistinctColours();
    write("kelbo32.resources/palette/1907.pal", testkit::EncodeLogPalette(colours));
    write("kelbo32.resources/palette/1908.pal", Bytes{0, 3, 10, 0, 1, 2});

    JxCMemorySlate slate(5, 4);
    JxObjectRef byId = LoadBitmapResourceById(7, 0);
    ExpectPicture(byId, picture, slate);
    JxObjectRef byName = LoadBitmapResourceByName("logo", 0);
    ExpectPicture(byName, picture, slate);
    DeleteBitmapRecord(byId);
    DeleteBitmapRecord(byName);

    EXPECT_EQ(LoadBitmapResourceById(8, 1).handle, nullptr);
    EXPECT_EQ(log(), "");
    EXPECT_EQ(LoadBitmapResourceById(8, 0).handle, nullptr);
    EXPECT_EQ(log(), "Cannot find  resource id 8\r\n");

    plat::HPALETTE stored = LoadPaletteResource(1907);
    ASSERT_NE(stored, nullptr);
    plat::PALETTEENTRY e;
    ASSERT_EQ(plat::GetPaletteEntries(stored, 77, 1, &e), 1u);
    EXPECT_EQ(e.peRed, colours[77][0]);
    EXPECT_EQ(e.peGreen, colours[77][1]);
    plat::DeleteObject(stored);
    EXPECT_EQ(LoadPaletteResource(1908), nullptr);  // ten entries promised, one there

    plat::HPALETTE fromBitmap = LoadPaletteFromBitmapResource(7);
    ASSERT_NE(fromBitmap, nullptr);
    ASSERT_EQ(plat::GetPaletteEntries(fromBitmap, 200, 1, &e), 1u);
    EXPECT_EQ(e.peBlue, colours[200][2]);
    EXPECT_EQ(e.peFlags, plat::PC_NOCOLLAPSE);  // a true-colour screen reserves nothing
    plat::DeleteObject(fromBitmap);
    EXPECT_EQ(LoadPaletteFromNamedBitmap("nothing"), nullptr);
}

TEST_F(DibTest, PalettesOfFilesAndTheSectionsColourTable)
{
    write("A.BMP", testkit::EncodeBmp(testkit::PatternPicture(2, 2)));
    plat::HPALETTE identity = LoadDibFile(path("A.BMP").c_str());
    ASSERT_NE(identity, nullptr);
    plat::WORD count = 0;
    plat::GetObject(identity, sizeof count, &count);
    EXPECT_EQ(count, 256);
    plat::DeleteObject(identity);
    write("B.TXT", Bytes{'h', 'i'});
    EXPECT_EQ(LoadDibFile(path("B.TXT").c_str()), nullptr);
    EXPECT_EQ(log(), "Damaged picture " + path("B.TXT") + "\r\n");

    // A full palette keeps black and white at its ends in a section.
    std::vector<testkit::Rgb> colours(256, testkit::Rgb{10, 20, 30});
    const Bytes stored = testkit::EncodeLogPalette(colours);
    plat::HPALETTE grey = plat::CreatePalette(reinterpret_cast<const plat::LOGPALETTE*>(stored.data()));
    JxObjectRef section = CreateDibSectionForPalette(4, 4, grey);
    JxCMemorySlate slate(section);
    std::array<plat::RGBQUAD, 256> table{};
    ASSERT_EQ(GetSlateColorTable(slate.GetHDC(), 0, 256, table.data()), 256u);
    EXPECT_EQ(table[0], (plat::RGBQUAD{0, 0, 0, 0}));
    EXPECT_EQ(table[1], (plat::RGBQUAD{30, 20, 10, 0}));
    EXPECT_EQ(table[255], (plat::RGBQUAD{255, 255, 255, 0}));
    DeleteBitmapRecord(section);
    plat::DeleteObject(grey);
}

TEST_F(DibTest, BitmapsDrawSeeThroughOnTheTransparentIndex)
{
    key = 9;
    testkit::BmpPicture picture = testkit::PatternPicture(4, 4);
    picture.pixels[5] = 9;  // (1, 1)
    JxObjectRef record = CreateBitmapFromDib(testkit::EncodePackedDib(picture), palette);
    JxCMemorySlate slate(6, 6);
    Fill(slate, [](int, int) { return 3; });
    EXPECT_EQ(BlitBitmapToSlate(&slate, JxObjectRef(), JxCPoint(0, 0), palette, 1), 0);
    ASSERT_EQ(BlitBitmapToSlate(&slate, record, JxCPoint(2, 2), palette, 1), 1);
    EXPECT_EQ(Px(slate, 3, 3), 3);
    EXPECT_EQ(Px(slate, 2, 2), picture.at(0, 0));
    EXPECT_EQ(Px(slate, 1, 1), 3);
    DeleteBitmapRecord(record);
}

TEST_F(DibTest, StampingAddsABandForEachText)
{
    const testkit::BmpPicture picture = testkit::PatternPicture(30, 10);
    JxObjectRef record = CreateBitmapFromDib(testkit::EncodePackedDib(picture), palette);

    // Without a stamper the bands stay blank.
    const auto installed = SetTextStamper(std::nullopt);
    JxObjectRef stamped = StampTextOnBitmap(record, "first", "second");
    SetTextStamper(installed);
    EXPECT_EQ(GetBitmapWidth(stamped), 30);
    EXPECT_EQ(GetBitmapHeight(stamped), 10 + 2 * kStampBandHeight + 1);
    {
        JxCMemorySlate view(stamped);
        EXPECT_EQ(Px(view, 4, 9), picture.at(4, 9));
        EXPECT_EQ(Px(view, 4, 10), 255);
    }
    DeleteBitmapRecord(stamped);

    std::vector<std::string> drawn;
    JxTextStamper stamper;
    stamper.measure = [](const char* text) { return std::int32_t(std::strlen(text) * 10); };
    stamper.draw = [&drawn](JxCSlate&, const JxCRect& band, const char* text) {
        drawn.push_back(std::string(text) + " " + std::to_string(band.top) + "-" + std::to_string(band.bottom) +
                        " " + std::to_string(band.right));
    };
    const auto previous = SetTextStamper(stamper);
    stamped = StampTextOnBitmap(record, "a", "sixty!");
    SetTextStamper(previous);
    EXPECT_EQ(GetBitmapWidth(stamped), 60);
    EXPECT_EQ(GetBitmapHeight(stamped), 91);
    EXPECT_EQ(drawn, (std::vector<std::string>{"a 10-50 60", "sixty! 50-90 60"}));
    DeleteBitmapRecord(stamped);
    EXPECT_EQ(StampTextOnBitmap(JxObjectRef(), "a", nullptr).handle, nullptr);
    DeleteBitmapRecord(record);
}

}  // namespace
