// Panels read from their records with bitmaps that share the cache, drawn
// into a page's slate; damaged and missing definitions.

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

#include "events/JxRetainedImages.h"
#include "objects/tests/panel_fixture.h"
#include "platform/tests/quick_settle.h"
#include "runtime/JxSharedBitmaps.h"
#include "testkit/png.h"

namespace {

using namespace panel_test;

constexpr std::uint8_t kSeeThrough = 255;  // the product's transparent index

class BitmapPanelTest : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        // "pic" is a DIB file, "other" a PNG.
        writePicture("pic.dib", testkit::EncodeBmp(twoColourPicture(20, 10, 7, kSeeThrough)));
        writePicture("other.png", testkit::EncodePalettePng(twoColourPicture(30, 30, 9, 9)));
    }
    std::vector<JxCBitmap*> bitmaps(JxCPanelObject& panel)
    {
        std::vector<JxCBitmap*> out;
        JxCDisplayObjectList& list = panel.GetDisplayObjects();
        for (JxCDisplayObject* o = list.GetFirst(); o; o = list.GetNext(o))
            out.push_back(dynamic_cast<JxCBitmap*>(o));
        return out;
    }
};

TEST_F(BitmapPanelTest, BitmapsOfOneFileShareOneRecordAndDrawInZOrderWithSeeThroughPixels)
{
    panelDef();
    testkit::PanelRecord record(2);
    record.add(testkit::BitmapRecord("Pic").at(5, 5).z(3).transparent(), file);
    record.add(testkit::BitmapRecord("other").rect(0, 0, 500, 500).z(1), file);
    record.add(testkit::BitmapRecord("PIC").at(50, 5).z(2), file);
    readDefinitions();
    SlatePage page(200, 100);
    std::int16_t read = 0;
    auto panel = readPanel(record.Bytes(), page, &read);
    ASSERT_EQ(read, 1);

    // Bottom first: other (1), PIC (2), Pic (3).
    std::vector<JxCBitmap*> list = bitmaps(*panel);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0]->GetFileName().View(), "other");
    EXPECT_EQ(list[1]->GetFileName().View(), "PIC");
    EXPECT_EQ(list[2]->GetFileName().View(), "Pic");

    ASSERT_EQ(panel->CreateResources(), 1);
    EXPECT_EQ(GetBitmapCache().GetCount(), 2);
    ASSERT_EQ(list[1]->GetRecord(), list[2]->GetRecord());
    EXPECT_EQ(list[1]->GetRecord()->GetUseCount(), 2);
    // The second found the record in the cache: only the first holds the
    // shared reference.
    ASSERT_NE(FindBitmapRef("pic"), nullptr);
    EXPECT_EQ(FindBitmapRef("pic")->GetUseCount(), 1);
    // Each rectangle takes its picture's size at its top-left corner.
    EXPECT_EQ(list[0]->GetRect(), JxCRect(0, 0, 30, 30));
    EXPECT_EQ(list[2]->GetRect(), JxCRect(5, 5, 25, 15));

    ASSERT_EQ(panel->Draw(nullptr, nullptr, 0), 1);
    EXPECT_EQ(page.at(108, 68), kPanelColour);  // the background
    EXPECT_EQ(page.at(9, 19), 0);               // outside the panel
    EXPECT_EQ(page.at(12, 22), 9);              // other
    EXPECT_EQ(page.at(16, 26), 9);              // Pic's see-through corner shows other
    EXPECT_EQ(page.at(30, 32), 7);              // Pic above other
    EXPECT_EQ(page.at(61, 26), kSeeThrough);    // PIC is drawn whole
    EXPECT_EQ(page.at(75, 32), 7);

    // One release leaves the picture, though the shared reference went
    // with the object that held it: the record keeps its own share; the
    // second release frees the record.
    list[1]->ReleaseResources();
    EXPECT_EQ(list[2]->GetRecord()->GetUseCount(), 1);
    EXPECT_EQ(FindBitmapRef("pic"), nullptr);
    page.slate.SelectClipRect(page.slate.GetRect());
    panel->Draw(nullptr, nullptr, 0);
    EXPECT_EQ(page.at(30, 32), 7);
    list[2]->ReleaseResources();
    EXPECT_EQ(GetBitmapCache().GetCount(), 1);
    panel.reset();
    EXPECT_EQ(GetBitmapCache().GetCount(), 0);
    EXPECT_EQ(GetBitmapRefs().GetCount(), 0);
}

TEST_F(BitmapPanelTest, ChangingTheFileToTheSameNameKeepsTheRecord)
{
    panelDef();
    testkit::PanelRecord record(2);
    record.add(testkit::BitmapRecord("pic").at(0, 0), file);
    readDefinitions();
    SlatePage page(200, 100);
    auto panel = readPanel(record.Bytes(), page);
    ASSERT_EQ(panel->CreateResources(), 1);
    JxCBitmap* bitmap = bitmaps(*panel)[0];
    const JxCBitmapRecord* before = bitmap->GetRecord();

    EXPECT_EQ(bitmap->SetStringProperty(kPropFile, JxCString("PIC")), kPropertyOk);
    EXPECT_EQ(bitmap->GetRecord(), before);
    EXPECT_EQ(before->GetUseCount(), 1);
    JxCString name;
    EXPECT_EQ(bitmap->GetStringProperty(kPropFile, &name), kPropertyOk);
    EXPECT_EQ(name.View(), "PIC");

    EXPECT_EQ(bitmap->SetStringProperty(kPropFile, JxCString("other")), kPropertyOk);
    EXPECT_EQ(bitmap->GetRect(), JxCRect(0, 0, 30, 30));
    EXPECT_EQ(GetBitmapCache().GetCount(), 1);
    // "Disabled" is no bitmap property, "Transparent" is.
    std::int16_t flag = 0;
    EXPECT_EQ(bitmap->GetPropertyInfo(kPropDisabled, nullptr), JxPropertyKind::None);
    EXPECT_EQ(bitmap->GetFlagProperty(kPropDisabled, &flag), kPropertyMissing);
    EXPECT_EQ(bitmap->GetPropertyInfo(kPropTransparent, nullptr), JxPropertyKind::Flag);
}

TEST_F(BitmapPanelTest, AMissingPictureKeepsNoRecordAndNoReference)
{
    panelDef();
    testkit::PanelRecord record(2);
    record.add(testkit::BitmapRecord("absent").at(0, 0), file);
    record.add(testkit::BitmapRecord("pic").at(0, 0), file);
    readDefinitions();
    SlatePage page(200, 100);
    answers = {kAnswerOk, kAnswerOk};
    auto panel = readPanel(record.Bytes(), page);
    EXPECT_EQ(panel->CreateResources(), 0);
    EXPECT_EQ(GetBitmapCache().GetCount(), 0);
    EXPECT_EQ(GetBitmapRefs().GetCount(), 0);
    // Missing, and said so by name: not taken for a lack of memory.
    ASSERT_FALSE(boxes.empty());
    EXPECT_NE(boxes[0].text.find("Picture missing: "), std::string::npos) << boxes[0].text;
    EXPECT_NE(boxes[0].text.find("absent.dib"), std::string::npos) << boxes[0].text;
    EXPECT_EQ(bitmaps(*panel)[0]->GetImageSize().cx, 0);
}

TEST_F(BitmapPanelTest, AReferenceIsCountedOncePerObjectThatHoldsIt)
{
    readDefinitions();
    JxCDisplayObject a, b;
    ASSERT_TRUE(LoadSharedBitmap(a, JxCTableString("pic")));
    ASSERT_TRUE(LoadSharedBitmap(a, JxCTableString("PIC")));
    ASSERT_TRUE(LoadSharedBitmap(b, JxCTableString("pic")));
    EXPECT_EQ(GetBitmapRefs().GetCount(), 1);
    EXPECT_EQ(FindBitmapRef("pic")->GetUseCount(), 2);
    // The image outlives the reference for whoever keeps a share of it.
    JxSharedImage kept = LoadSharedBitmap(a, JxCTableString("pic"));
    a.ReleaseResources();
    b.ReleaseResources();
    EXPECT_EQ(GetBitmapRefs().GetCount(), 0);
    ASSERT_TRUE(kept);
    EXPECT_EQ(GetBitmapWidth(*kept), 20);
}

// A picture of a disc that has stood unchanged is kept, decoded, after its
// last use: the next use takes the same picture, until its file changes or
// another file of its name takes its place. Pictures of other folders are
// read again.
TEST_F(BitmapPanelTest, PicturesOfAnUnchangedDiscAreTakenAgainAfterTheirLastUse)
{
    plat::testing::QuickSettle quick;
    readDefinitions();
    JxCDisplayObject user;
    // The picture a second use gets after the first let it go (the first
    // is held here, so a picture read again is another).
    const auto again = [&user] {
        JxSharedImage first = LoadSharedBitmap(user, JxCTableString("pic"));
        user.ReleaseResources();
        JxSharedImage second = LoadSharedBitmap(user, JxCTableString("pic"));
        user.ReleaseResources();
        return first && first == second;
    };
    const auto putTimesBack = [](const std::string& path) {
        const timespec past[2] = {{std::time(nullptr) - 3600, 0}, {std::time(nullptr) - 3600, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), past, 0), 0);
    };
    const auto width = [&user] {
        const JxSharedImage image = LoadSharedBitmap(user, JxCTableString("pic"));
        user.ReleaseResources();
        return image ? GetBitmapWidth(*image) : 0;
    };
    plat::testing::QuickSettle::wait();
    EXPECT_FALSE(again());  // the program's folder on a fixed drive
    config.writeDriveTable("[Drive D]\nPath=" + config.program() + "\nType=cdrom\nLabel=KELBO\n");
    GetProduct()->GetProductDef()->SetDataPath("D:");
    writePicture("pic.dib", testkit::EncodeBmp(twoColourPicture(20, 10, 7, kSeeThrough)));
    putTimesBack(config.program() + "/pic.dib");
    EXPECT_FALSE(again());  // changed a moment ago, though its times say otherwise
    plat::testing::QuickSettle::wait();
    EXPECT_TRUE(again());
    EXPECT_GT(GetRetainedImages().HeldBytes(), 0u);
    // Rewritten in place while it waits, larger, with its times put back.
    writePicture("pic.dib", testkit::EncodeBmp(twoColourPicture(64, 10, 7, kSeeThrough)));
    putTimesBack(config.program() + "/pic.dib");
    plat::testing::QuickSettle::wait();
    EXPECT_EQ(width(), 64);
    // A picture of the name that is looked for first comes beside it.
    writePicture("pic.png", testkit::EncodePalettePng(twoColourPicture(30, 30, 9, 9)));
    plat::testing::QuickSettle::wait();
    EXPECT_EQ(width(), 30);
    user.ReleaseResources();
    ClearBitmapRefs();
    EXPECT_EQ(GetRetainedImages().HeldBytes(), 0u);
}

TEST_F(BitmapPanelTest, AMissingPanelDefinitionFailsReadInitAndResources)
{
    panelDef();
    testkit::PanelRecord record(9);
    record.add(testkit::BitmapRecord("pic").at(0, 0), file);
    readDefinitions();
    SlatePage page(200, 100);
    std::int16_t read = 1;
    auto panel = readPanel(record.Bytes(), page, &read);
    EXPECT_EQ(read, 0);
    EXPECT_EQ(panel->GetDisplayObjects().GetCount(), 0);
    EXPECT_EQ(panel->CreateResources(), 0);
    // Reported by the read and again by the resources.
    const std::string log = errorLog();
    const std::string missing = "Couldn't find panel definition '9' in template definition '1'";
    ASSERT_NE(log.find(missing), std::string::npos);
    EXPECT_NE(log.find(missing, log.find(missing) + 1), std::string::npos);

    JxCPanelObject made;
    EXPECT_EQ(made.Init(9, page.GetPageDef()), 0);
    EXPECT_EQ(made.Init(2, page.GetPageDef()), 1);
    EXPECT_EQ(made.GetRect(), JxCRect(10, 20, 110, 70));
    EXPECT_EQ(made.Draw(nullptr, nullptr, 1), 1);  // no owner page, no slate: nothing drawn
}

TEST_F(BitmapPanelTest, ADefinitionOfSizeZeroTakesTheContentSize)
{
    panelDef(0, 0);
    testkit::PanelRecord record(2);
    record.add(testkit::BitmapRecord("other").at(5, 7), file);
    readDefinitions();
    SlatePage page(200, 100);
    auto panel = readPanel(record.Bytes(), page);
    EXPECT_EQ(panel->GetRect(), JxCRect(10, 20, 10, 20));
    ASSERT_EQ(panel->CreateResources(), 1);
    EXPECT_EQ(panel->GetRect(), JxCRect(10, 20, 45, 57));
    EXPECT_EQ(panel->GetContentExtent().cx, 35);
    EXPECT_EQ(panel->GetContentExtent().cy, 37);
}

TEST_F(BitmapPanelTest, DamagedRecordsFailWithoutReadingPastThem)
{
    panelDef();
    testkit::PanelRecord negative(2);
    negative.claimCount(-3);
    testkit::PanelRecord unknown(2);
    unknown.objects.push_back({0x03, 0xE7, 0, 0});
    testkit::PanelRecord good(2);
    good.add(testkit::BitmapRecord("pic").at(0, 0), file);
    good.add(testkit::DisplayObjectRecord("Recorder").rect(1, 2, 3, 4).z(-4), file);
    readDefinitions();
    SlatePage page(200, 100);

    // A negative count reads no object.
    std::int16_t read = 0;
    auto panel = readPanel(negative.Bytes(), page, &read);
    EXPECT_EQ(read, 1);
    EXPECT_EQ(panel->GetDisplayObjects().GetCount(), 0);

    panel = readPanel(unknown.Bytes(), page, &read);
    EXPECT_EQ(read, 0);
    EXPECT_NE(errorLog().find("Couldn't find Display Object 999"), std::string::npos);

    const std::vector<std::uint8_t> bytes = good.Bytes();
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        const std::vector<std::uint8_t> part(bytes.begin(), bytes.begin() + std::ptrdiff_t(cut));
        panel = readPanel(part, page, &read);
        EXPECT_EQ(read, 0) << cut;
    }
    panel = readPanel(bytes, page, &read);
    EXPECT_EQ(read, 1);
    ASSERT_EQ(panel->GetDisplayObjects().GetCount(), 2);
    // The recorder (Z -4) is below the bitmap.
    EXPECT_EQ(panel->GetDisplayObjects().GetFirst()->GetRect(), JxCRect(1, 2, 3, 4));
}

}  // namespace
