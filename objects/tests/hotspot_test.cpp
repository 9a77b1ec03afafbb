// The hotspot: a release inside raises "on_click" (a press alone or a
// release outside does not); "ResetResources" spends a click on stopping
// media unless "AlwaysActive" is set; a highlight mode shows the background
// bitmap's pixels under the hotspot through its colour map until the
// click's actions have finished, with one timer however often it is
// clicked; its properties stay inside the panel.

#include <climits>

#include "events/JxCEventHandler.h"
#include "events/JxCNotify.h"
#include "events/JxCNotifyRoot.h"
#include "objects/actions/JxCOpenPageAction.h"
#include "runtime/JxClassFactories.h"
#include "objects/tests/widget_fixture.h"
#include "testkit/playing_action.h"

namespace widget_test {

Log& clicks()
{
    static Log log;
    return log;
}

namespace {

constexpr std::int32_t kResetResources = JxCDisplayObject::kOptionResetResources;
constexpr std::int32_t kAlwaysActive = JxCDisplayObject::kOptionAlwaysActive;

class HotspotTest : public WidgetTest {
protected:
    // A hotspot over the background's corner and its edge: (40, 15) to
    // (60, 35) in content coordinates.
    JxCHotspot* openHotspot(std::int16_t mode, std::uint16_t options = 0, bool withBackground = true)
    {
        return open<JxCHotspot>({testkit::HotspotRecord(mode, 7).rect(40, 15, 60, 35).options(options)},
                                withBackground);
    }
    int activeTimers() const
    {
        int count = 0;
        for (std::int16_t slot = 0; slot < JxCBaseProduct::kTimerCount; ++slot)
            count += GetProduct()->GetTimerInfo(slot).active ? 1 : 0;
        return count;
    }

    // Outlives the panel, whose actions note into it as they go.
    testkit::ActionLog actions;
};

TEST_F(HotspotTest, TheRecordGivesModeKeptValueFlagsAndCursorWhileAMadeHotspotHasItsDefaults)
{
    JxCHotspot* hotspot = openHotspot(3, kAlwaysActive);
    ASSERT_NE(hotspot, nullptr);
    EXPECT_EQ(hotspot->GetHighlightMode(), 3);
    EXPECT_EQ(hotspot->GetKeptValue(), 7);
    EXPECT_EQ(hotspot->GetOptionFlags(), kAlwaysActive);
    EXPECT_TRUE(hotspot->GetCursorName().IsEmpty());

    JxCHotspot made;
    EXPECT_EQ(made.GetOptionFlags(), kResetResources);
    EXPECT_STREQ(made.GetCursorName().GetText(), "hand");
    EXPECT_EQ(made.GetHighlightMode(), 0);
}

TEST_F(HotspotTest, AReleaseInsideClicksAndOneOutsideAfterAPressInsideDoesNot)
{
    openHotspot(0);
    press(45, 20);
    EXPECT_TRUE(clicks().empty());
    release(80, 40);
    EXPECT_TRUE(clicks().empty());
    press(45, 20);
    release(50, 25);
    EXPECT_EQ(clicks(), Log{"click"});
    EXPECT_EQ(activeTimers(), 0) << "mode 0 takes no timer";
}

TEST_F(HotspotTest, ResetResourcesSpendsTheClickOnStoppingMediaUnlessAlwaysActive)
{
    testkit::PlayingResource sound;
    openHotspot(0, kResetResources);
    sound.Play();
    press(45, 20);
    release(45, 20);
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_TRUE(clicks().empty());
    press(45, 20);
    release(45, 20);
    EXPECT_EQ(clicks(), Log{"click"});

    clicks().clear();
    auto* hotspot = dynamic_cast<JxCHotspot*>(panel->GetDisplayObjects().GetNext(panel->GetDisplayObjects().GetFirst()));
    hotspot->SetOptionFlags(kAlwaysActive);
    sound.Play();
    press(45, 20);
    release(45, 20);
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_EQ(clicks(), Log{"click"});
}

TEST_F(HotspotTest, ModeThreeGreysTheAreaUntilTheClicksActionsFinishThenThePicturesPixelsReturn)
{
    const auto type = std::int16_t(testkit::ActionId("GO_URL"));
    testkit::PlayingActionFactory factory(type);
    JxCHotspot* hotspot = openHotspot(3);
    ASSERT_NE(hotspot, nullptr);
    auto* sound = new testkit::PlayingAction("sound", actions);
    sound->SetType(type);
    sound->SetOwner(hotspot);
    auto list = std::make_unique<JxCActionList>();
    list->Add(sound);
    auto* handler = new JxCEventHandler;
    handler->SetEvent(std::int16_t(EventId(JxEventKeyword::on_click)));
    handler->SetActions(std::move(list));
    hotspot->GetEventHandlers().Add(handler);

    // The corner colour at (45, 20) and the rest at (55, 30); outside the
    // hotspot at (35, 20).
    ASSERT_EQ(pixel(45, 20), kCorner);
    ASSERT_EQ(pixel(55, 30), kBack);
    press(45, 20);
    release(45, 20);
    const std::uint8_t grey = pixel(45, 20);
    const testkit::Rgb& seen = colours[grey];
    EXPECT_NE(grey, kCorner);
    EXPECT_LE(std::abs(int(seen[0]) - int(seen[1])), 40) << "a grey, as near as the palette has one";
    EXPECT_NE(pixel(55, 30), kBack);
    EXPECT_EQ(pixel(35, 20), kCorner);
    EXPECT_EQ(activeTimers(), 1);

    // The sound plays in the processor: ticks leave the highlight on, and
    // a second click keeps the one timer.
    harness.runFor(350);
    ASSERT_EQ(actions, testkit::ActionLog{"sound"});
    EXPECT_EQ(pixel(45, 20), grey);
    press(45, 20);
    release(45, 20);
    EXPECT_EQ(activeTimers(), 1);

    while (testkit::PlayingAction* playing = testkit::PlayingAction::Find("sound")) {
        if (!playing->IsPlayingNow())
            break;
        playing->Finish();
        harness.runUntilIdle();
    }
    harness.runFor(250);
    EXPECT_EQ(pixel(45, 20), kCorner);
    EXPECT_EQ(pixel(55, 30), kBack);
    EXPECT_EQ(activeTimers(), 0);
    EXPECT_EQ(hotspot->IsHighlightTimerRunning(), 0);
}

TEST_F(HotspotTest, AHighlightWhoseTimerWasStoppedEndsAfterTheNextClick)
{
    JxCHotspot* hotspot = openHotspot(3);
    ASSERT_NE(hotspot, nullptr);
    press(45, 20);
    release(45, 20);
    const std::uint8_t grey = pixel(45, 20);
    ASSERT_NE(grey, kCorner);
    // Every timer stops (a base page closing): the area stays grey, and the
    // hotspot knows its timer has gone.
    GetProduct()->StopAllTimers();
    EXPECT_EQ(hotspot->IsHighlightTimerRunning(), 0);
    harness.runFor(250);
    EXPECT_EQ(pixel(45, 20), grey);
    press(45, 20);
    release(45, 20);
    EXPECT_EQ(activeTimers(), 1);
    harness.runFor(250);
    EXPECT_EQ(pixel(45, 20), kCorner);
    EXPECT_EQ(activeTimers(), 0);
}

TEST_F(HotspotTest, TheHighlightLastsUntilTheClicksPageActionHasRun)
{
    RegisterActionClass(JxActionKeyword::OPENPAGE, MakeInstance<JxCAction, JxCOpenPageAction>,
                        CopyInstance<JxCAction, JxCOpenPageAction>);
    auto* hotspot = open<JxCHotspot>({testkit::HotspotRecord(3).rect(40, 15, 60, 35).on("on_click", {testkit::OpenPageAction(9)})});
    ASSERT_NE(hotspot, nullptr);
    press(45, 20);
    release(45, 20);
    const std::uint8_t grey = pixel(45, 20);
    // A tick while the page action waits in the queue: it is the hotspot's.
    hotspot->OnSystemEvent(nullptr);
    EXPECT_EQ(hotspot->IsHighlightTimerRunning(), 1);
    EXPECT_EQ(pixel(45, 20), grey);
    GetProduct()->PurgeQueuedActions(0);
    hotspot->OnSystemEvent(nullptr);
    EXPECT_EQ(hotspot->IsHighlightTimerRunning(), 0);
    EXPECT_EQ(pixel(45, 20), kCorner);
}

// Deletes the panel as soon as the hotspot raises "on_click".
class PanelCloser : public JxCNotifyRoot {
public:
    explicit PanelCloser(std::unique_ptr<JxCPanelObject>& panel) : panel_(panel) {}
    void PreNotify(JxCNotify*, JxCObject*) override { panel_.reset(); }

private:
    std::unique_ptr<JxCPanelObject>& panel_;
};

TEST_F(HotspotTest, AHotspotDeletedByItsClickIsNotTouchedAfterIt)
{
    JxCHotspot* hotspot = openHotspot(3);
    ASSERT_NE(hotspot, nullptr);
    PanelCloser closer(panel);
    closer.AddObjectNotifyBeforeEvent(std::int16_t(EventId(JxEventKeyword::on_click)), 0, hotspot);
    JxCMessageRecord message{0, 0};
    EXPECT_EQ(hotspot->HandleMessage(&message), 1);
    EXPECT_EQ(panel, nullptr);
    EXPECT_EQ(activeTimers(), 0);
}

TEST_F(HotspotTest, WithoutABitmapTheClickWorksAndNothingIsDrawn)
{
    JxCHotspot* hotspot = openHotspot(3, 0, false);
    ASSERT_NE(hotspot, nullptr);
    const std::uint8_t before = pixel(45, 20);
    press(45, 20);
    release(45, 20);
    EXPECT_EQ(clicks(), Log{"click"});
    EXPECT_EQ(pixel(45, 20), before);
}

TEST_F(HotspotTest, AnyMessageClicksAndADeletedHotspotLeavesNoTimer)
{
    JxCHotspot* hotspot = openHotspot(2);
    JxCMessageRecord message{5, 6};
    EXPECT_EQ(hotspot->HandleMessage(&message), 1);
    EXPECT_EQ(clicks(), Log{"click"});
    EXPECT_EQ(activeTimers(), 1);
    panel.reset();
    EXPECT_EQ(activeTimers(), 0);
}

TEST_F(HotspotTest, PropertiesKeepTheModeInRangeAndTheHotspotInsideItsPanel)
{
    JxCHotspot* hotspot = openHotspot(1);
    EXPECT_EQ(hotspot->SetNumberProperty(kPropHighlight, 5), kPropertyNoPlace);
    EXPECT_EQ(hotspot->SetNumberProperty(kPropHighlight, -1), kPropertyNoPlace);
    std::int32_t mode = 0;
    EXPECT_EQ(hotspot->GetNumberProperty(kPropHighlight, &mode), kPropertyOk);
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(hotspot->SetNumberProperty(kPropHighlight, 4), kPropertyOk);
    EXPECT_EQ(hotspot->GetHighlightMode(), 4);

    // The panel is 100 wide and the hotspot 20: left 81 crosses the edge.
    EXPECT_EQ(hotspot->SetNumberProperty(kPropLeft, 81), kPropertyDoesNotFit);
    EXPECT_EQ(hotspot->GetRect().left, 40);
    EXPECT_EQ(hotspot->SetNumberProperty(kPropLeft, 80), kPropertyOk);
    EXPECT_EQ(hotspot->GetRect(), JxCRect(80, 15, 100, 35));
    EXPECT_EQ(hotspot->SetNumberProperty(kPropHeight, 36), kPropertyDoesNotFit);
    EXPECT_EQ(hotspot->SetNumberProperty(kPropHeight, -2), kPropertyDoesNotFit);
    // Far past the edge, where the far edge would not fit 32 bits.
    EXPECT_EQ(hotspot->SetNumberProperty(kPropLeft, INT32_MAX), kPropertyDoesNotFit);
    EXPECT_EQ(hotspot->SetNumberProperty(kPropWidth, INT32_MAX), kPropertyDoesNotFit);
    EXPECT_EQ(hotspot->GetRect(), JxCRect(80, 15, 100, 35));

    std::int32_t nameId = 0;
    EXPECT_EQ(hotspot->GetPropertyInfo(kPropOnClick, &nameId), JxPropertyKind::Event);
    EXPECT_EQ(nameId, PropertyNameId(kPropOnClick));
    EXPECT_EQ(hotspot->SetNumberProperty(kPropName, 1), kPropertyOtherKind);
}

TEST_F(HotspotTest, TheMapsFollowTheirColourRules)
{
    const JxCMappedPalette* none = GetHighlightMap(0);
    const JxCMappedPalette* grey = GetHighlightMap(3);
    const JxCMappedPalette* blue = GetHighlightMap(4);
    ASSERT_TRUE(none && grey && blue);
    EXPECT_EQ(GetHighlightMap(5), nullptr);
    EXPECT_EQ(GetHighlightMap(-1), nullptr);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(none->indices[std::size_t(i)], i);
    // White stays white; every other colour of map 4 is the palette's
    // nearest to (0, 0, 200), whatever it was.
    EXPECT_EQ(grey->indices[255], 255);
    EXPECT_EQ(blue->indices[255], 255);
    EXPECT_EQ(blue->indices[10], blue->indices[200]);
}

}  // namespace
}  // namespace widget_test
