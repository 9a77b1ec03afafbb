// The store of pictures kept after their last use: taken again only from
// the same source, and never holding more than its bound.

#include <gtest/gtest.h>

#include <filesystem>

#include "events/JxRetainedImages.h"
#include "platform/draw/draw.h"
#include "platform/tests/temp_config.h"

namespace {

// A picture of the size (8 bits a pixel: one byte each, rows of 4).
JxSharedImage picture(int width, int height)
{
    JxObjectRef bitmap;
    bitmap.handle = plat::CreateBitmap(width, height, 1, 8, nullptr);
    return JxSharedImage(new JxObjectRef(bitmap), [](const JxObjectRef* p) {
        plat::DeleteObject(p->handle);
        delete p;
    });
}

JxImageSource disc(std::int64_t modified)
{
    JxImageSource source;
    source.file = plat::HostStamp{1, 2, 100, modified, modified};
    return source;
}

TEST(RetainedImages, APictureIsTakenAgainOnlyFromItsOwnSource)
{
    JxRetainedImages store(1000);
    const JxSharedImage a = picture(10, 10);
    store.Keep("pic", "D:\\pic", disc(5), a);
    EXPECT_EQ(store.HeldBytes(), 120u);  // rows of 12 bytes
    EXPECT_EQ(store.Take("PIC", "d:\\PIC", disc(5)), a);
    EXPECT_EQ(store.HeldBytes(), 0u);  // taken out
    EXPECT_EQ(store.Take("pic", "D:\\pic", disc(5)), nullptr);

    store.Keep("pic", "D:\\pic", disc(5), a);
    EXPECT_EQ(store.Take("pic", "D:\\other\\pic", disc(5)), nullptr);  // another file of that name
    EXPECT_EQ(store.Take("pic", "D:\\pic", disc(6)), nullptr);        // the disc changed: dropped
    EXPECT_EQ(store.HeldBytes(), 0u);
    EXPECT_EQ(store.Take("pic", "D:\\pic", disc(5)), nullptr);
}

TEST(RetainedImages, TheBoundLetsTheLongestKeptGoFirst)
{
    JxRetainedImages store(300);
    const JxSharedImage a = picture(10, 10), b = picture(10, 10), c = picture(10, 10), big = picture(20, 20);
    store.Keep("a", "a", disc(1), a);
    store.Keep("b", "b", disc(1), b);
    store.Keep("a", "a", disc(1), a);  // kept again: the most recent, counted once
    EXPECT_EQ(store.HeldBytes(), 240u);
    store.Keep("c", "c", disc(1), c);
    EXPECT_EQ(store.HeldBytes(), 240u);
    EXPECT_EQ(store.Take("b", "b", disc(1)), nullptr);
    EXPECT_EQ(store.Take("a", "a", disc(1)), a);
    store.Keep("big", "big", disc(1), big);  // larger than the bound: never kept
    EXPECT_EQ(store.Take("big", "big", disc(1)), nullptr);
    EXPECT_EQ(store.Take("c", "c", disc(1)), c);
    store.Keep("c", "c", disc(1), c);
    store.Clear();
    EXPECT_EQ(store.HeldBytes(), 0u);
    EXPECT_EQ(store.Take("c", "c", disc(1)), nullptr);
}

// A disc taken out and put back may be another whose files have the same
// names and times.
TEST(RetainedImages, ADiscTakenOutAndPutBackLetsEveryPictureGo)
{
    plat::testing::TempConfig config;
    const std::string folder = config.root() + "/disc", away = config.root() + "/away";
    plat::testing::TempConfig::writeFile(folder + "/pic.dib", "a picture");
    config.writeDriveTable("[Drive D]\nPath=" + folder + "\nType=cdrom\nLabel=KELBO\n");
    const auto inDrive = [] {
        return plat::GetVolumeInformationA("D:\\", nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0) != 0;
    };
    ASSERT_TRUE(inDrive());
    JxRetainedImages store(1000);
    const JxSharedImage a = picture(10, 10), b = picture(10, 10);
    store.Keep("a", "D:\\a", disc(5), a);
    std::filesystem::rename(folder, away);
    EXPECT_FALSE(inDrive());
    std::filesystem::rename(away, folder);
    ASSERT_TRUE(inDrive());
    store.Keep("b", "D:\\b", disc(5), b);
    EXPECT_EQ(store.HeldBytes(), 120u);
    EXPECT_EQ(store.Take("a", "D:\\a", disc(5)), nullptr);
    EXPECT_EQ(store.Take("b", "D:\\b", disc(5)), b);
}

}  // namespace
