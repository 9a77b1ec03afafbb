// The title's animated hotspot keeps the wait cursor up from its click
// until its animation finishes or is stopped, holding one wait at most, so
// the cursor always comes back.

#include <memory>
#include <optional>
#include <string>

#include "media/JxPicsActions.h"
#include "media/tests/pics_play_fixture.h"
#include "runtime/JxTypeRegistry.h"
#include "runtime/tests/scoped_object_type.h"
#include "testkit/small_records.h"
#include "title/widgets/JxCGavoAnimHotspot.h"

namespace {

using namespace pics_play;

class GavoAnimHotspotTest : public PicsPlayTest {
protected:
    void SetUp() override
    {
        PicsPlayTest::SetUp();
        ReleaseTypeRegistries();
        animHotspot_.emplace("AnimHotspot", [] { return static_cast<JxCDisplayObject*>(new JxCGavoAnimHotspot); });
        RegisterResourceClass(JxResourceKind::Pics, MakeInstance<JxCResourceObject, JxCPicsResource>);
        RegisterTypeIds();
        writePicture("spin.ani", TenFrames(false).Bytes());
    }
    void TearDown() override
    {
        panel.reset();
        if (page)
            GetProduct()->GetPageList().Remove(page.get());
        GetProduct()->SetCurrentPage(nullptr);
        page.reset();
        animHotspot_.reset();
        PicsPlayTest::TearDown();
    }
    // The hotspot over (0, 0)-(60, 40) of panel 2, at (10, 20) on the page.
    JxCGavoAnimHotspot* open(std::int16_t repeat = 0, std::uint16_t options = 0)
    {
        testkit::AnimHotspot anim;
        anim.file = "&spin";
        anim.repeat = repeat;
        panelDef();
        testkit::PanelRecord record(2);
        record.add(testkit::AnimHotspotRecord(anim).rect(0, 0, 60, 40).options(options), file);
        readDefinitions();
        page = std::make_unique<panel_test::SlatePage>(200, 100);
        panel = readPanel(record.Bytes(), *page);
        panel->CreateResources();
        return dynamic_cast<JxCGavoAnimHotspot*>(panel->GetDisplayObjects().GetFirst());
    }
    void click(int x, int y)
    {
        const JxCPoint at(std::int16_t(10 + x), std::int16_t(20 + y));
        panel->MouseDown(at);
        panel->MouseUp(at);
    }
    void playOut(JxCGavoAnimHotspot& hotspot)
    {
        for (int i = 0; i < 200 && hotspot.IsPlaying(); ++i)
            harness.runFor(20);
    }

private:
    std::optional<ScopedObjectType> animHotspot_;
};

TEST_F(GavoAnimHotspotTest, TheWaitLastsFromTheClickToTheEndOfTheAnimationOnce)
{
    JxCGavoAnimHotspot* hotspot = open();
    ASSERT_NE(hotspot, nullptr);
    EXPECT_FALSE(GetProduct()->IsBusy());
    click(30, 20);
    ASSERT_TRUE(hotspot->IsPlaying());
    EXPECT_TRUE(hotspot->IsWaiting());
    EXPECT_TRUE(GetProduct()->IsBusy());
    // A second click while it plays begins no second wait.
    harness.runFor(200);
    click(30, 20);
    playOut(*hotspot);
    EXPECT_FALSE(hotspot->IsWaiting());
    EXPECT_FALSE(GetProduct()->IsBusy()) << "one end for the one wait";
    // A stop after the finish ends nothing more.
    hotspot->Stop();
    EXPECT_FALSE(GetProduct()->IsBusy());
}

TEST_F(GavoAnimHotspotTest, AStopEndsTheWait)
{
    JxCGavoAnimHotspot* hotspot = open();
    ASSERT_NE(hotspot, nullptr);
    click(30, 20);
    ASSERT_TRUE(GetProduct()->IsBusy());
    hotspot->Stop();
    EXPECT_FALSE(hotspot->IsWaiting());
    EXPECT_FALSE(GetProduct()->IsBusy());
}

TEST_F(GavoAnimHotspotTest, AReleaseThatPlaysNothingLeavesNoWait)
{
    JxCGavoAnimHotspot* hotspot = open();
    ASSERT_NE(hotspot, nullptr);
    hotspot->MouseUp(JxCPoint(80, 45), 0);
    EXPECT_FALSE(hotspot->IsPlaying());
    EXPECT_FALSE(hotspot->IsWaiting());
    EXPECT_FALSE(GetProduct()->IsBusy());
}

TEST_F(GavoAnimHotspotTest, AHotspotGoingMidPlayLeavesNoWait)
{
    JxCGavoAnimHotspot* hotspot = open();
    ASSERT_NE(hotspot, nullptr);
    click(30, 20);
    ASSERT_TRUE(GetProduct()->IsBusy());
    panel.reset();
    EXPECT_FALSE(GetProduct()->IsBusy());
}

}  // namespace
