// The animated hotspot plays its animation on a click, a message of its
// number or its page's start, as the product's media owner, and raises
// "on_finish" at its end; a looping one plays on and a click only raises
// "on_click"; on a child page it draws in the parent page's panel; busy
// while playing marks the product busy once per play and idle again; it
// leaves nothing behind when it goes mid-play.

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "media/JxCAnimHotspot.h"
#include "media/JxPicsActions.h"
#include "media/tests/pics_play_fixture.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxTypeRegistry.h"
#include "runtime/tests/scoped_object_type.h"
#include "testkit/small_records.h"

namespace {

using namespace pics_play;

std::vector<std::string>& events()
{
    static std::vector<std::string> log;
    return log;
}

// Notes the events it raises.
class NotedAnimHotspot : public JxCAnimHotspot {
public:
    void DispatchEvent(std::int16_t eventId, std::int16_t key) override
    {
        if (eventId == std::int16_t(EventId(JxEventKeyword::on_click)))
            events().push_back("click");
        if (eventId == std::int16_t(EventId(JxEventKeyword::on_finish)))
            events().push_back("finish");
        JxCAnimHotspot::DispatchEvent(eventId, key);
    }
};

constexpr std::int32_t kAutoPlay = JxCDisplayObject::kOptionAutoPlay;
constexpr std::int32_t kAutoRewind = JxCDisplayObject::kOptionAutoRewind;

class AnimHotspotTest : public PicsPlayTest {
protected:
    void SetUp() override
    {
        PicsPlayTest::SetUp();
        events().clear();
        ReleaseTypeRegistries();
        animHotspot_.emplace("AnimHotspot", [] { return static_cast<JxCDisplayObject*>(new NotedAnimHotspot); });
        RegisterResourceClass(JxResourceKind::Pics, MakeInstance<JxCResourceObject, JxCPicsResource>);
        RegisterTypeIds();
        writePicture("spin.ani", TenFrames(true).Bytes());
        writePicture("quiet.ani", TenFrames(false).Bytes());
    }
    void TearDown() override
    {
        panel.reset();
        child.reset();
        childPage.reset();
        if (page)
            GetProduct()->GetPageList().Remove(page.get());
        GetProduct()->SetCurrentPage(nullptr);
        page.reset();
        animHotspot_.reset();
        PicsPlayTest::TearDown();
    }

    static testkit::AnimHotspot spin(std::string file = "&spin")
    {
        testkit::AnimHotspot anim;
        anim.file = std::move(file);
        return anim;
    }
    // The hotspot over (0, 0)-(60, 40) of panel 2 (at 10, 20 on the page);
    // the animation's frames fall at (4, 4).
    JxCAnimHotspot* open(const testkit::AnimHotspot& anim, std::uint16_t options = 0)
    {
        panelDef();
        testkit::PanelRecord record(2);
        record.add(testkit::AnimHotspotRecord(anim).rect(0, 0, 60, 40).options(options), file);
        readDefinitions();
        page = std::make_unique<panel_test::SlatePage>(200, 100);
        panel = readPanel(record.Bytes(), *page);
        panel->CreateResources();
        panel->Draw(nullptr, nullptr, 0);
        return dynamic_cast<JxCAnimHotspot*>(panel->GetDisplayObjects().GetFirst());
    }
    void click(int x, int y)
    {
        const JxCPoint at(std::int16_t(10 + x), std::int16_t(20 + y));
        panel->MouseDown(at);
        panel->MouseUp(at);
    }
    // Runs the clock while the hotspot plays (at most limitMs); the
    // furthest frame seen on the page.
    int playOut(JxCAnimHotspot& hotspot, std::uint64_t limitMs = 4000)
    {
        int furthest = 0;
        const std::uint64_t start = harness.now();
        while (hotspot.IsPlaying() && harness.now() - start < limitMs) {
            harness.runFor(20);
            furthest = std::max(furthest, frameOnPage());
        }
        return furthest;
    }

    // The child page and its panel, for the animation shown in the parent.
    std::unique_ptr<panel_test::SlatePage> childPage;
    std::unique_ptr<JxCPanelObject> child;

private:
    std::optional<ScopedObjectType> animHotspot_;
};

TEST_F(AnimHotspotTest, AClickPlaysTheAnimationOnThePanelAndItsEndRaisesOnFinish)
{
    testkit::AnimHotspot anim = spin();
    anim.busyWhilePlaying = 1;
    JxCAnimHotspot* hotspot = open(anim);
    ASSERT_NE(hotspot, nullptr);
    EXPECT_EQ(hotspot->NeedsSetup(), 0) << "set up as it was read";
    EXPECT_EQ(frameOnPage(), 0);
    click(30, 20);
    ASSERT_TRUE(hotspot->IsPlaying());
    EXPECT_EQ(GetProduct()->GetMediaOwner(), hotspot);
    EXPECT_EQ(GetProduct()->GetBusyBits() & 1, 1);
    // A click while it plays does not start it again.
    harness.runFor(400);
    const std::int32_t at = hotspot->GetPlayAction()->GetPosition();
    ASSERT_GT(at, 0);
    GetProduct()->MarkIdle();  // lets the click through
    click(30, 20);
    EXPECT_GE(hotspot->GetPlayAction()->GetPosition(), at);
    GetProduct()->MarkBusy();

    const int furthest = playOut(*hotspot);
    EXPECT_EQ(furthest, 10);
    EXPECT_EQ(frameOnPage(), 10) << "without AutoRewind the last frame stays";
    EXPECT_EQ(events(), std::vector<std::string>{"finish"}) << "a plain click raises no on_click";
    EXPECT_EQ(GetProduct()->GetMediaOwner(), nullptr);
    EXPECT_EQ(GetProduct()->GetBusyBits() & 1, 0);

    // The next click plays it from its start again.
    events().clear();
    click(30, 20);
    ASSERT_TRUE(hotspot->IsPlaying());
    harness.runFor(150);
    EXPECT_LE(hotspot->GetPlayAction()->GetPosition(), 3);
    playOut(*hotspot);
    EXPECT_EQ(events(), std::vector<std::string>{"finish"});
}

TEST_F(AnimHotspotTest, AClickOutsideOrAMessageOfAnotherNumberPlaysNothing)
{
    testkit::AnimHotspot anim = spin();
    anim.messageNumber = 7;
    anim.busyWhilePlaying = 1;
    JxCAnimHotspot* hotspot = open(anim);
    ASSERT_NE(hotspot, nullptr);
    hotspot->MouseUp(JxCPoint(80, 45), 0);
    JxCMessageRecord other{8, 0};
    EXPECT_EQ(hotspot->HandleMessage(&other), 1);
    EXPECT_FALSE(hotspot->IsPlaying());
    EXPECT_EQ(GetProduct()->GetBusyBits(), 0) << "no play, no busy mark";
    EXPECT_EQ(GetProduct()->GetMediaOwner(), nullptr);

    // Its own number plays as a click at its top-left corner.
    JxCMessageRecord seven{7, 0};
    EXPECT_EQ(hotspot->HandleMessage(&seven), 1);
    EXPECT_TRUE(hotspot->IsPlaying());
}

TEST_F(AnimHotspotTest, ALoopingHotspotPlaysFromItsStartForeverAndAClickOnlyRaisesOnClick)
{
    testkit::AnimHotspot anim = spin("&quiet");
    anim.repeat = JxCAnimHotspot::kLoopForever;
    anim.busyWhilePlaying = 1;
    JxCAnimHotspot* hotspot = open(anim, kAutoPlay | kAutoRewind);
    ASSERT_NE(hotspot, nullptr);
    ASSERT_EQ(panel->Start(), 1);
    ASSERT_TRUE(hotspot->IsPlaying());
    // Three passes of ten frames: each reaches the last frame and starts
    // again.
    int passes = 0, last = 0;
    for (int step = 0; step < 400 && passes < 3; ++step) {
        harness.runFor(10);
        const int frame = frameOnPage();
        if (frame > 0 && frame < last)
            ++passes;
        if (frame > 0)
            last = frame;
    }
    EXPECT_EQ(passes, 3);
    EXPECT_TRUE(hotspot->IsPlaying());
    EXPECT_TRUE(events().empty()) << "a loop never finishes";
    EXPECT_EQ(GetProduct()->GetBusyBits(), 0) << "a loop would hold the page's input";

    click(30, 20);
    EXPECT_EQ(events(), std::vector<std::string>{"click"});
    harness.runFor(300);
    EXPECT_TRUE(hotspot->IsPlaying());
    EXPECT_EQ(GetProduct()->GetMediaOwner(), hotspot);
}

TEST_F(AnimHotspotTest, OnAChildPageTheAnimationIsDrawnInTheParentsPanel)
{
    // The parent: the current page, with panel 2 in its definition.
    panelDef();
    file.templateDef(3, "CHILD_PAGE").panel(1, "Display").at(0, 0).size(80, 50).colour(0, 0, 0);
    testkit::AnimHotspot anim = spin();
    anim.targetPanel = 2;
    testkit::PanelRecord childRecord(1);
    childRecord.add(testkit::AnimHotspotRecord(anim).rect(0, 0, 60, 40), file);
    testkit::AnimHotspot missing = anim;
    missing.targetPanel = 9;
    testkit::PanelRecord orphanRecord(1);
    orphanRecord.add(testkit::AnimHotspotRecord(missing).rect(0, 0, 60, 40), file);
    readDefinitions();
    page = std::make_unique<panel_test::SlatePage>(200, 100);
    panel = readPanel(testkit::PanelRecord(2).Bytes(), *page);
    JxCPanelObject* parentPanel = panel.release();
    page->GetPageDef()->GetPanelList().Add(parentPanel);
    parentPanel->Draw(nullptr, nullptr, 0);
    GetProduct()->GetPageList().Add(page.get());
    GetProduct()->SetCurrentPage(page.get());

    childPage = std::make_unique<panel_test::SlatePage>(80, 50);
    childPage->GetPageDef()->SetTemplateId(3);
    child = readPanel(childRecord.Bytes(), *childPage);
    auto* hotspot = dynamic_cast<JxCAnimHotspot*>(child->GetDisplayObjects().GetFirst());
    ASSERT_NE(hotspot, nullptr);
    ASSERT_NE(hotspot->GetAnimationOwner(), hotspot);
    EXPECT_EQ(hotspot->GetAnimationOwner()->GetContainer(), parentPanel);
    EXPECT_EQ(parentPanel->GetDisplayObjects().GetCount(), 0) << "the proxy is none of the panel's objects";

    child->MouseDown(JxCPoint(30, 20));
    child->MouseUp(JxCPoint(30, 20));
    ASSERT_TRUE(hotspot->IsPlaying());
    harness.runFor(300);
    EXPECT_GT(frameOnPage(), 0) << "drawn on the parent page";
    EXPECT_NE(childPage->at(5, 5), kMark);
    playOut(*hotspot);
    EXPECT_EQ(events(), std::vector<std::string>{"finish"});

    // Without the target panel the object cannot be read.
    std::int16_t result = 1;
    auto orphan = readPanel(orphanRecord.Bytes(), *childPage, &result);
    EXPECT_EQ(orphan->GetDisplayObjects().GetCount(), 0);
    orphan.reset();
    child.reset();
    GetProduct()->GetPageList().Remove(page.get());
}

TEST_F(AnimHotspotTest, GoingMidPlayLeavesNoOwnerTimerOrBusyMark)
{
    testkit::AnimHotspot anim = spin("&quiet");
    anim.busyWhilePlaying = 1;
    JxCAnimHotspot* hotspot = open(anim);
    ASSERT_NE(hotspot, nullptr);
    click(30, 20);
    harness.runFor(250);
    ASSERT_TRUE(hotspot->IsPlaying());
    panel.reset();
    EXPECT_EQ(GetProduct()->GetMediaOwner(), nullptr);
    EXPECT_EQ(GetProduct()->GetBusyBits(), 0);
    for (std::int16_t slot = 0; slot < JxCBaseProduct::kTimerCount; ++slot)
        EXPECT_FALSE(GetProduct()->GetTimerInfo(slot).active) << slot;
    harness.runFor(300);
    EXPECT_EQ(GetResourceList().GetCount(), 0);
}

TEST_F(AnimHotspotTest, StoppedFromOutsideItLetsGoOfTheBusyMarkAndTheMedia)
{
    testkit::AnimHotspot anim = spin();
    anim.busyWhilePlaying = 1;
    JxCAnimHotspot* hotspot = open(anim);
    click(30, 20);
    harness.runFor(200);
    ASSERT_TRUE(hotspot->IsPlaying());
    EXPECT_EQ(StopActiveObjects(0), 1);
    EXPECT_FALSE(hotspot->IsPlaying());
    EXPECT_EQ(GetProduct()->GetBusyBits(), 0);
    EXPECT_EQ(GetProduct()->GetMediaOwner(), nullptr);
    harness.runFor(300);
    EXPECT_TRUE(events().empty());
}

}  // namespace
