// The widgets that react to the mouse passing over them: the rollover
// hotspot shows its picture at its offset (also above itself) while the
// mouse is over it, the rollover button draws its picture as the mouse
// comes and its normal one as it goes (not while disabled), both raising
// "on_rollon" and "on_rolloff"; the micon steps through its frames on one
// timer and holds its frame while the actions of its click play; damaged
// records fail and pictures are only shared.

#include "events/JxCBitmapRef.h"
#include "events/JxCEventHandler.h"
#include "objects/tests/widget_fixture.h"
#include "objects/widgets/JxCMicon.h"
#include "objects/widgets/JxCRollOverButton.h"
#include "objects/widgets/JxCRollOverHotspot.h"
#include "testkit/playing_action.h"
#include "testkit/rollover_records.h"
#include "testkit/test_objects.h"

namespace widget_test {
namespace {

Log& events()
{
    static Log log;
    return log;
}

// Notes the mouse-over events and clicks it raises.
template <class Widget>
class Heard : public Widget {
public:
    void DispatchEvent(std::int16_t eventId, std::int16_t key) override
    {
        if (eventId == std::int16_t(EventId(JxEventKeyword::on_rollon)))
            events().push_back("on");
        else if (eventId == std::int16_t(EventId(JxEventKeyword::on_rolloff)))
            events().push_back("off");
        else if (eventId == std::int16_t(EventId(JxEventKeyword::on_click)))
            events().push_back("click");
        Widget::DispatchEvent(eventId, key);
    }
};

template <class Widget>
JxCDisplayObject* make()
{
    return new Heard<Widget>;
}

class RollOverTest : public WidgetTest {
protected:
    static constexpr std::uint8_t kUp = 150, kDown = 160, kOff = 170, kLit = 180;

    void SetUp() override
    {
        WidgetTest::SetUp();
        events().clear();
        RegisterDisplayObjectType(JxCTableString("RollHotSpot"), make<JxCRollOverHotspot>, keys_[0]);
        RegisterDisplayObjectType(JxCTableString("Micon"), make<JxCMicon>, keys_[1]);
        RegisterDisplayObjectType(JxCTableString("RollOverButton"), make<JxCRollOverButton>, keys_[2]);
        ReleaseTypeRegistries();
        RegisterTypeIds();
        writePicture("lit.dib", testkit::EncodeBmp(onePicture(20, 8, kLit)));
    }
    void TearDown() override
    {
        panel.reset();
        page.reset();
        for (const char* name : {"RollHotSpot", "Micon", "RollOverButton"})
            UnregisterDisplayObjectType(JxCTableString(name));
        WidgetTest::TearDown();
    }
    static std::string bytesOf(const std::vector<std::uint8_t>& b) { return std::string(b.begin(), b.end()); }
    int activeTimers() const
    {
        int count = 0;
        for (std::int16_t slot = 0; slot < JxCBaseProduct::kTimerCount; ++slot)
            count += GetProduct()->GetTimerInfo(slot).active ? 1 : 0;
        return count;
    }
    JxCMicon* openMicon(std::int16_t interval, std::vector<testkit::MiconFrame> frames, std::int16_t highlight = 0)
    {
        JxCMicon* micon = open<JxCMicon>({testkit::MiconRecord(file, interval, frames, highlight).rect(40, 15, 60, 25)});
        if (micon)
            panel->Start();
        return micon;
    }
    // The frame shown (0, 1, 2 by its colour), -1 for another colour.
    int shownFrame()
    {
        const std::uint8_t c = pixel(50, 20);
        return c == kUp ? 0 : c == kDown ? 1 : c == kOff ? 2 : -1;
    }

    testkit::ActionLog actions;

private:
    JxCTypeKey keys_[3];
};

const std::vector<testkit::MiconFrame> kThreeFrames = {{"up"}, {"down"}, {"off"}};

// --- Rollover hotspot ----------------------------------------------------------

TEST_F(RollOverTest, ARollOverHotspotShowsItsPictureFortyPixelsAboveWhileTheMouseIsOver)
{
    auto* hotspot = open<JxCRollOverHotspot>({testkit::RollOverHotspotRecord(file, 0, "lit", 0, -40).rect(40, 42, 60, 50)});
    ASSERT_NE(hotspot, nullptr);
    EXPECT_STREQ(hotspot->GetRollOverName().GetText(), "lit");
    EXPECT_EQ(hotspot->GetOffset(), JxCPoint(0, -40));
    EXPECT_EQ(hotspot->GetRollOverRect(), JxCRect(40, 2, 60, 10));
    EXPECT_EQ(pixel(45, 5), kCorner);

    move(45, 45);
    EXPECT_EQ(hotspot->IsOver(), 1);
    EXPECT_EQ(events(), Log{"on"});
    // The picture stands above the hotspot, outside its rectangle; the
    // hotspot's own area keeps the background.
    EXPECT_EQ(pixel(40, 2), kLit);
    EXPECT_EQ(pixel(59, 9), kLit);
    EXPECT_EQ(pixel(45, 10), kCorner);
    EXPECT_EQ(pixel(61, 5), kBack);
    EXPECT_EQ(pixel(45, 45), kBack);
    move(50, 46);
    EXPECT_EQ(events(), Log{"on"}) << "a move within raises nothing";

    move(80, 45);
    EXPECT_EQ(hotspot->IsOver(), 0);
    EXPECT_EQ(events(), (Log{"on", "off"}));
    EXPECT_EQ(pixel(45, 5), kCorner);
    EXPECT_EQ(pixel(50, 9), kBack);
}

TEST_F(RollOverTest, RollOverPicturesAreSharedAndOnlyTheirSharesAreDropped)
{
    auto* first = open<JxCRollOverHotspot>({testkit::RollOverHotspotRecord(file, 0, "lit", 0, -40).rect(40, 42, 60, 50),
                                            testkit::RollOverHotspotRecord(file, 0, "lit", 30, -40).rect(10, 42, 30, 50)});
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetBitmapRefs().GetCount(), 2) << "the background and the one rollover picture";
    // One lets go: the other still draws the picture.
    first->ReleaseResources();
    first->ReleaseResources();
    EXPECT_EQ(GetBitmapRefs().GetCount(), 2);
    move(15, 45);
    EXPECT_EQ(pixel(45, 5), kLit);
    panel->ReleaseResources();
    EXPECT_EQ(GetBitmapRefs().GetCount(), 0);
}

TEST_F(RollOverTest, ARollOverHotspotWithoutAPictureStillRaisesItsEventsAndAMissingPictureFailsItsLoad)
{
    auto* bare = open<JxCRollOverHotspot>({testkit::RollOverHotspotRecord(file, 0, "", 0, 0).rect(40, 15, 60, 35)});
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->CreateResources(), 1);
    move(45, 20);
    move(90, 45);
    EXPECT_EQ(events(), (Log{"on", "off"}));

    answers = {kAnswerOk, kAnswerOk};
    auto* missing = open<JxCRollOverHotspot>({testkit::RollOverHotspotRecord(file, 0, "gone", 0, 0).rect(40, 15, 60, 35)});
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->CreateResources(), 0);
    ASSERT_FALSE(boxes.empty());
    EXPECT_NE(boxes[0].text.find("gone.dib"), std::string::npos) << boxes[0].text;
}

// --- Rollover button -------------------------------------------------------------

TEST_F(RollOverTest, ARollOverButtonDrawsItsPictureAsTheMouseComesAndItsOwnAsItGoes)
{
    auto* button = open<JxCRollOverButton>({testkit::RollOverButtonRecord(file, {"up", "down", ""}, "lit").rect(40, 15, 60, 25)});
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->HasRollOverImage());
    EXPECT_EQ(pixel(45, 20), kUp);
    move(45, 20);
    EXPECT_EQ(pixel(45, 20), kLit);
    EXPECT_EQ(events(), Log{"on"});
    move(80, 40);
    EXPECT_EQ(pixel(45, 20), kUp);
    EXPECT_EQ(events(), (Log{"on", "off"}));

    // Disabled (the panel's hit test passes it by, so the calls come
    // straight): the events come, the picture stays.
    events().clear();
    button->Disable(1);
    EXPECT_EQ(pixel(45, 20), kUp);
    button->MouseEnter();
    EXPECT_EQ(pixel(45, 20), kUp);
    button->MouseLeave();
    EXPECT_EQ(events(), (Log{"on", "off"}));

    JxCRollOverButton made;
    EXPECT_STREQ(made.GetCursorName().GetText(), "Hand");
}

TEST_F(RollOverTest, ARollOverButtonDropsItsRollOverShareWithItsPictures)
{
    auto* button = open<JxCRollOverButton>({testkit::RollOverButtonRecord(file, {"up", "down", ""}, "lit").rect(40, 15, 60, 25)});
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(GetBitmapRefs().GetCount(), 4);
    button->ReleaseResources();
    EXPECT_FALSE(button->HasRollOverImage());
    EXPECT_EQ(GetBitmapRefs().GetCount(), 1);
    EXPECT_EQ(button->CreateResources(), 1);
    EXPECT_EQ(GetBitmapRefs().GetCount(), 4);
}

// --- Micon -------------------------------------------------------------------------

TEST_F(RollOverTest, AThreeFrameMiconAtIntervalFiveStepsEveryHalfSecondOnOneTimer)
{
    JxCMicon* micon = openMicon(5, kThreeFrames);
    ASSERT_NE(micon, nullptr);
    EXPECT_EQ(micon->GetInterval(), 5);
    EXPECT_EQ(micon->GetFrameCount(), 3);
    EXPECT_EQ(activeTimers(), 1);
    panel->Start();
    EXPECT_EQ(activeTimers(), 1) << "a second start keeps the one timer";
    std::vector<int> seen{shownFrame()};
    harness.runFor(250);
    seen.push_back(shownFrame());
    for (int tick = 0; tick < 4; ++tick) {
        harness.runFor(500);
        seen.push_back(shownFrame());
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 0, 1, 2, 0, 1}));
    panel.reset();
    EXPECT_EQ(activeTimers(), 0);
}

TEST_F(RollOverTest, AMiconsStepsLeaveALitRollOverButtonBesideItLit)
{
    auto* micon = open<JxCMicon>({testkit::MiconRecord(file, 5, kThreeFrames).rect(40, 15, 60, 25),
                                  testkit::RollOverButtonRecord(file, {"up", "down", ""}, "lit").rect(70, 15, 90, 25)});
    ASSERT_NE(micon, nullptr);
    panel->Start();
    move(75, 20);
    ASSERT_EQ(pixel(75, 20), kLit);
    harness.runFor(1250);
    EXPECT_EQ(micon->GetFrameIndex(), 2);
    EXPECT_EQ(shownFrame(), 2);
    EXPECT_EQ(pixel(75, 20), kLit);
}

TEST_F(RollOverTest, AMiconHoldsItsFrameWhileTheActionsOfItsClickPlay)
{
    const auto type = std::int16_t(testkit::ActionId("GO_URL"));
    testkit::PlayingActionFactory factory(type);
    JxCMicon* micon = openMicon(5, kThreeFrames, 3);
    ASSERT_NE(micon, nullptr);
    auto* sound = new testkit::PlayingAction("sound", actions);
    sound->SetType(type);
    sound->SetOwner(micon);
    auto list = std::make_unique<JxCActionList>();
    list->Add(sound);
    auto* handler = new JxCEventHandler;
    handler->SetEvent(std::int16_t(EventId(JxEventKeyword::on_click)));
    handler->SetActions(std::move(list));
    micon->GetEventHandlers().Add(handler);

    harness.runFor(750);
    ASSERT_EQ(micon->GetFrameIndex(), 1);
    press(45, 20);
    release(45, 20);
    EXPECT_EQ(events(), Log{"click"});
    EXPECT_EQ(micon->IsClicked(), 1);
    harness.runFor(1500);
    ASSERT_EQ(actions, testkit::ActionLog{"sound"});
    EXPECT_EQ(micon->GetFrameIndex(), 1) << "held while the sound plays";

    testkit::PlayingAction::Find("sound")->Finish();
    harness.runFor(500);
    EXPECT_EQ(micon->IsClicked(), 0);
    EXPECT_EQ(micon->GetFrameIndex(), 1) << "the tick that ends the hold does not step";
    harness.runFor(500);
    EXPECT_EQ(micon->GetFrameIndex(), 2);
    EXPECT_EQ(shownFrame(), 2);
}

TEST_F(RollOverTest, AMiconReleaseThatStopsMediaIsSpentOnThatUnlessAlwaysActive)
{
    testkit::PlayingResource playing;
    JxCMicon* micon = openMicon(5, kThreeFrames);
    ASSERT_NE(micon, nullptr);
    playing.Play();
    press(45, 20);
    release(45, 20);
    EXPECT_FALSE(playing.IsPlaying());
    EXPECT_TRUE(events().empty());
    EXPECT_EQ(micon->IsClicked(), 0);

    micon->SetOptionFlags(JxCDisplayObject::kOptionAlwaysActive);
    playing.Play();
    press(45, 20);
    release(45, 20);
    EXPECT_EQ(events(), Log{"click"});
}

TEST_F(RollOverTest, AOneFrameMiconTakesNoTimerAndAReloadDropsTheFirstLoadsPictures)
{
    JxCMicon* micon = openMicon(5, {{"down"}});
    ASSERT_NE(micon, nullptr);
    EXPECT_EQ(activeTimers(), 0);
    EXPECT_EQ(shownFrame(), 1);
    const std::int32_t cached = GetBitmapRefs().GetCount();
    auto usesOfDown = [] {
        JxCBitmapRef* ref = FindBitmapRef(JxCTableString("down"));
        return ref ? ref->GetUseCount() : -1;
    };
    const std::int32_t uses = usesOfDown();
    EXPECT_GT(uses, 0);
    EXPECT_EQ(micon->CreateResources(), 1);
    EXPECT_EQ(micon->CreateResources(), 1);
    EXPECT_EQ(GetBitmapRefs().GetCount(), cached);
    EXPECT_EQ(usesOfDown(), uses);
    panel->ReleaseResources();
    EXPECT_EQ(GetBitmapRefs().GetCount(), 0);
}

TEST_F(RollOverTest, AMiconFrameTakenFromInsideItsPicture)
{
    // Frame 0 is the background's top-left 20 by 10 from (40, 20): its
    // corner colour ends at x 50, so the micon's left half shows the corner.
    JxCMicon* micon = openMicon(5, {{"back", 40, 20}, {"up"}});
    ASSERT_NE(micon, nullptr);
    EXPECT_EQ(micon->GetFramePosition(0), JxCPoint(40, 20));
    EXPECT_EQ(pixel(41, 16), kCorner);
    EXPECT_EQ(pixel(55, 16), kBack);
}

TEST_F(RollOverTest, AnAtFrameNameIsAPictureOfTheProgramsOwnResourcesNotOfTheDataFolder)
{
    plat::testing::TempConfig::writeFile(config.program() + "/kelbo32.resources/bitmap/Glow.bmp",
                                         bytesOf(testkit::EncodeBmp(onePicture(20, 10, kLit))));
    writePicture("Glow.dib", testkit::EncodeBmp(onePicture(20, 10, kOff)));
    JxCMicon* micon = openMicon(5, {{"@Glow"}});
    ASSERT_NE(micon, nullptr);
    EXPECT_EQ(pixel(50, 20), kLit);
}

TEST_F(RollOverTest, DamagedMiconRecordsAreDropped)
{
    std::int16_t result = 1;
    auto readOne = [&](const testkit::DisplayObjectRecord& record) {
        panel.reset();
        page.reset();
        testkit::PanelRecord stored(2);
        stored.add(record, file);
        readDefinitions();
        page = std::make_unique<SlatePage>(200, 100);
        panel = readPanel(stored.Bytes(), *page, &result);
        return panel->GetDisplayObjects().GetCount();
    };
    EXPECT_EQ(readOne(testkit::MiconRecord(file, 5, kThreeFrames, 0, std::int16_t(-1)).rect(0, 0, 20, 10)), 0);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(readOne(testkit::MiconRecord(file, 5, kThreeFrames, 0, std::int16_t(200)).rect(0, 0, 20, 10)), 0);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(readOne(testkit::MiconRecord(file, 5, kThreeFrames).rect(0, 0, 20, 10)), 1);
    EXPECT_EQ(result, 1);
}

}  // namespace
}  // namespace widget_test
