#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/modules/module.h"
#include "platform/tests/temp_config.h"
#include "platform/ui/icons.h"
#include "platform/window/cursor.h"

namespace plat {
namespace {

void put16(std::string& s, unsigned v)
{
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}
void put32(std::string& s, unsigned v)
{
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

// A 16 by 16 one-bit cursor file with hotspot (3, 4). Its top row holds,
// from the left: white, transparent, an inverting pixel, black; the rest is
// transparent.
std::string cursorFile()
{
    std::string image;
    put32(image, 40);
    put32(image, 16);
    put32(image, 32);  // colour picture and mask
    put16(image, 1);
    put16(image, 1);
    for (int i = 0; i < 6; ++i)
        put32(image, 0);
    put32(image, 0x000000);  // colour 0 black
    put32(image, 0xFFFFFF);  // colour 1 white
    for (int row = 15; row >= 0; --row)  // colour bits, bottom row first
        image += row == 0 ? std::string("\xA0\0\0\0", 4) : std::string(4, '\0');
    for (int row = 15; row >= 0; --row)  // mask bits
        image += row == 0 ? std::string("\x6F\xFF\0\0", 4) : std::string("\xFF\xFF\0\0", 4);
    std::string file;
    put16(file, 0);
    put16(file, 2);
    put16(file, 1);
    file += char(16);
    file += char(16);
    file += char(2);
    file += char(0);
    put16(file, 3);
    put16(file, 4);
    put32(file, unsigned(image.size()));
    put32(file, 22);
    return file + image;
}

TEST(CursorTest, StandardCursorsAreSharedAndAlwaysTheSame)
{
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
    EXPECT_EQ(arrow->hotspot, (POINT{0, 0}));
    for (const char* id : {IDC_IBEAM, IDC_WAIT, IDC_CROSS}) {
        HCURSOR c = LoadCursorA(nullptr, id);
        ASSERT_NE(c, nullptr);
        EXPECT_NE(c, arrow);
        EXPECT_GT(c->width, 0);
    }
    EXPECT_EQ(LoadCursorA(nullptr, reinterpret_cast<const char*>(std::uintptr_t(12345))), nullptr);
    EXPECT_TRUE(DestroyCursor(arrow));  // harmless for a shared cursor
    EXPECT_TRUE(IsLiveCursor(arrow));
}

TEST(CursorTest, SetCursorReturnsThePreviousOneAndTellsThePresenter)
{
    std::vector<HCURSOR> shown;
    SetCursorPresenter([&](HCURSOR c) { shown.push_back(c); });
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
    SetCursor(arrow);
    EXPECT_EQ(SetCursor(wait), arrow);
    EXPECT_EQ(GetCursor(), wait);
    EXPECT_EQ(SetCursor(wait), wait);  // no change, no new presentation
    EXPECT_EQ(ShowCursor(0), -1);
    EXPECT_EQ(ShowCursor(1), 0);
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(shown.back(), wait);
    EXPECT_EQ(shown[shown.size() - 2], nullptr);  // hidden while the count was negative
    SetCursorPresenter(nullptr);
}

TEST(CursorTest, CursorFileWithMaskAndHotspot)
{
    HCURSOR c = CreateCursorFromFileData(cursorFile());
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->width, 16);
    EXPECT_EQ(c->height, 16);
    EXPECT_EQ(c->hotspot, (POINT{3, 4}));
    EXPECT_EQ(c->pixels[0], 0xFFFFFFFFu);
    EXPECT_EQ(c->pixels[1] >> 24, 0u);
    EXPECT_TRUE(c->invert[2]);
    EXPECT_EQ(c->pixels[3], 0xFF000000u);
    EXPECT_EQ(c->pixels[16] >> 24, 0u);
    SetCursor(c);
    EXPECT_TRUE(DestroyCursor(c));
    EXPECT_EQ(GetCursor(), nullptr);  // a destroyed current cursor is not shown
    EXPECT_FALSE(DestroyCursor(c));
}

TEST(CursorTest, DamagedCursorFilesAreRefused)
{
    std::string good = cursorFile();
    EXPECT_EQ(CreateCursorFromFileData(""), nullptr);
    EXPECT_EQ(CreateCursorFromFileData(good.substr(0, 21)), nullptr);  // directory cut short
    EXPECT_EQ(CreateCursorFromFileData(good.substr(0, 100)), nullptr);  // image cut short
    std::string badType = good;
    badType[2] = 7;
    EXPECT_EQ(CreateCursorFromFileData(badType), nullptr);
    std::string farOffset = good;
    farOffset[18] = '\x7F';
    EXPECT_EQ(CreateCursorFromFileData(farOffset), nullptr);
    std::string hugeImage = good;
    hugeImage[22 + 4] = '\x7F';  // width 127 with a picture sized for 16
    EXPECT_EQ(CreateCursorFromFileData(hugeImage), nullptr);
    for (char rows : {'\1', '\0'}) {
        std::string noRows = good;
        noRows[22 + 8] = rows;  // a height (picture and mask) under 2 leaves no row
        noRows[7] = rows;       // the directory agrees
        EXPECT_EQ(CreateCursorFromFileData(noRows), nullptr) << int(rows);
    }
    for (std::size_t at : {10u, 12u}) {  // the hotspot's x, then y
        std::string offPicture = good;
        offPicture[at] = 16;
        EXPECT_EQ(CreateCursorFromFileData(offPicture), nullptr) << at;
        offPicture[at] = 15;
        HCURSOR edge = CreateCursorFromFileData(offPicture);
        EXPECT_NE(edge, nullptr) << at;
        DestroyCursor(edge);
    }
}

TEST(CursorTest, CursorsFromAResourceLibrary)
{
    testing::TempConfig t;
    testing::TempConfig::writeFile(t.program() + "/CurLib.resources/cursor/110.cur", cursorFile());
    testing::TempConfig::writeFile(t.program() + "/CurLib.resources/cursor/Hand.cur", cursorFile());
    HMODULE lib = LoadLibraryA("CURLIB.DLL");
    ASSERT_NE(lib, nullptr);
    HCURSOR byId = LoadCursorA(lib, reinterpret_cast<const char*>(std::uintptr_t(110)));
    ASSERT_NE(byId, nullptr);
    EXPECT_EQ(byId->hotspot, (POINT{3, 4}));
    HCURSOR byName = LoadCursorA(lib, "HAND");
    ASSERT_NE(byName, nullptr);
    EXPECT_EQ(LoadCursorA(lib, "hand"), byName);  // one shared handle per resource
    EXPECT_EQ(LoadCursorA(lib, "Missing"), nullptr);
    FreeLibrary(lib);
}

TEST(CursorTest, IconsBelongToTheirLibraryNotToItsHandle)
{
    testing::TempConfig t;
    std::string white = cursorFile();
    white[2] = 1;  // an icon file
    std::string black = white;
    black.replace(22 + 44, 3, 3, '\0');  // colour 1 black too
    testing::TempConfig::writeFile(t.program() + "/IconA.resources/icon/1.ico", white);
    testing::TempConfig::writeFile(t.program() + "/IconB.resources/icon/1.ico", black);
    const char* one = reinterpret_cast<const char*>(std::uintptr_t(1));

    HMODULE a = LoadLibraryA("IconA");
    HICON fromA = LoadIconA(a, one);
    ASSERT_NE(fromA, nullptr);
    EXPECT_EQ(fromA->pixels[0], 0xFFFFFFFFu);
    FreeLibrary(a);
    // The handle of a freed library (which the next library may be given)
    // answers from nothing it held.
    EXPECT_EQ(LoadIconA(a, one), nullptr);

    HMODULE b = LoadLibraryA("IconB");
    HICON fromB = LoadIconA(b, one);
    ASSERT_NE(fromB, nullptr);
    EXPECT_NE(fromB, fromA);
    EXPECT_EQ(fromB->pixels[0], 0xFF000000u);
    HMODULE again = LoadLibraryA("IconA");
    EXPECT_EQ(LoadIconA(again, one), fromA);  // the icon given out before is still good
    FreeLibrary(again);
    FreeLibrary(b);
}

}  // namespace
}  // namespace plat
