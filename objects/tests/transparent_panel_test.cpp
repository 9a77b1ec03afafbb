// The transparent panel over a page beneath: it paints no colour of its
// own (with an off-screen drawing the page beneath shows through its
// see-through pixels), a release over a see-through pixel reaches the page
// beneath in that page's coordinates, and one whose first object is no
// bitmap is a plain viewing panel.

#include "objects/panels/JxCTransparentPanel.h"
#include "objects/tests/widget_fixture.h"

namespace widget_test {
namespace {

class TransparentPanelTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        // The see-through picture: its top-left quarter is index 255.
        writePicture("holed.dib", testkit::EncodeBmp(twoColourPicture(100, 50, 150, 255)));
    }
    void TearDown() override
    {
        while (JxCPageObject* p = GetProduct()->GetPageList().GetLast())
            GetProduct()->GetPageList().ClosePage(p);
        if (child)
            plat::DestroyWindow(child);
        WidgetTest::TearDown();
    }
    // The page beneath in the main window: a panel over all of it showing
    // the background picture under a recording object.
    void openBeneath()
    {
        readDefinitions();
        beneath = new SlatePage(200, 100);
        beneath->SetWindow(main);
        auto* under = new JxCPanelObject;
        ASSERT_EQ(under->Init(2, beneath->GetPageDef()), 1);
        under->SetRect(JxCRect(0, 0, 200, 100));
        beneath->GetPageDef()->GetPanelList().Add(under);
        under->SetOwnerPage(beneath);
        auto* picture = new JxCBitmap;
        picture->Attach(under, JxCTypeKey(JxCTableString("Bitmap")));
        picture->SetFileName(JxCTableString("back"));
        under->GetDisplayObjects().InsertByZOrder(picture);
        auto* recorder = new testkit::RecordingObject("beneath", log, JxCRect(0, 0, 200, 100), 1);
        recorder->Attach(under, JxCTypeKey());
        under->GetDisplayObjects().InsertByZOrder(recorder);
        ASSERT_EQ(under->CreateResources(), 1);
        GetProduct()->GetPageList().Add(beneath);
    }
    // The page above in a child window at (50, 40) of the main window,
    // with a transparent panel over all of it whose first object is the
    // record given.
    JxCTransparentPanel* openAbove(const testkit::DisplayObjectRecord& first)
    {
        JxCWindowCreateParams p;
        p.x = 50;
        p.y = 40;
        p.width = 100;
        p.height = 50;
        p.style = plat::WS_CHILD | plat::WS_VISIBLE;
        p.parent = main;
        child = CreateAppWindow(kMainWindowClassName, p);
        above = new SlatePage(100, 50);
        above->SetWindow(child);
        testkit::PanelRecord record(2);
        record.add(first, file);
        readDefinitions();
        const std::vector<std::uint8_t> bytes = record.Bytes();
        auto* panel = new JxCTransparentPanel;
        JxCInStrStream in(JxMemoryBlock{bytes.data(), std::uint32_t(bytes.size())});
        EXPECT_EQ(panel->Read(in, above->GetPageDef()), 1);
        panel->SetRect(JxCRect(0, 0, 100, 50));
        above->GetPageDef()->GetPanelList().Add(panel);
        panel->SetOwnerPage(above);
        panel->CreateResources();
        GetProduct()->GetPageList().Add(above);
        return panel;
    }

    Log log;
    plat::HWND child = nullptr;
    SlatePage* beneath = nullptr;
    SlatePage* above = nullptr;
};

TEST_F(TransparentPanelTest, AReleaseOverASeeThroughPixelReachesThePageBeneathInItsCoordinates)
{
    openBeneath();
    JxCTransparentPanel* panel = openAbove(testkit::BitmapRecord("holed").transparent());
    EXPECT_EQ(panel->FindPageBeneath(JxCPoint(5, 5)), beneath);
    panel->MouseDown(JxCPoint(5, 6));
    panel->MouseUp(JxCPoint(5, 6));
    EXPECT_EQ(log, Log{"beneath up 55,46"});
    log.clear();
    // On the picture itself the release stays with the panel.
    panel->MouseUp(JxCPoint(80, 40));
    EXPECT_TRUE(log.empty());
}

TEST_F(TransparentPanelTest, NoColourOfItsOwnAndThePageBeneathShowsThroughAnOffScreenDrawing)
{
    openBeneath();
    JxCTransparentPanel* panel = openAbove(testkit::BitmapRecord("holed").transparent());
    panel->Draw(nullptr, nullptr, 0);
    EXPECT_NE(above->at(2, 2), kPanelColour);
    EXPECT_EQ(above->at(80, 40), 150);
    panel->Draw(nullptr, nullptr, 1);
    // Own (2, 2) lies over (52, 42) of the page beneath: the background
    // picture outside its corner.
    EXPECT_EQ(above->at(2, 2), kBack);
    EXPECT_EQ(above->at(80, 40), 150);
    panel->SetTransparent(0);
    panel->Draw(nullptr, nullptr, 0);
    EXPECT_EQ(above->at(2, 2), kPanelColour);
}

TEST_F(TransparentPanelTest, AFirstObjectThatIsNoBitmapMakesAPlainViewingPanel)
{
    openBeneath();
    JxCTransparentPanel* panel = openAbove(testkit::HotspotRecord(0).rect(0, 0, 10, 10));
    panel->Draw(nullptr, nullptr, 0);
    EXPECT_EQ(above->at(50, 30), kPanelColour);
    EXPECT_FALSE(panel->IsOverTransparentPixel(JxCPoint(5, 5)));
    panel->MouseDown(JxCPoint(5, 5));
    panel->MouseUp(JxCPoint(5, 5));
    EXPECT_EQ(clicks(), Log{"click"});
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(panel->Start(), 1);
}

}  // namespace
}  // namespace widget_test
