// The play-sound action read from its record and played through the action
// processor on the headless sound device: one sound shared by every action
// that names it, bound when read or only while it runs, the list held
// behind a waiting sound until the device has played it out, the sound
// that starts again instead of stopping, and an owner that goes while its
// sound plays.

#include <gtest/gtest.h>

#include <cmath>

#include "events/JxCActionProcessor.h"
#include "events/JxCEventHandler.h"
#include "events/JxProperties.h"
#include "foundation/JxCInStrStream.h"
#include "media/JxCPlaySoundAction.h"
#include "media/JxCResourcePlayer.h"
#include "media/JxCSoundResource.h"
#include "media/tests/media_fixture.h"
#include "runtime/JxClassFactories.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxTypeRegistry.h"
#include "testkit/rollover_records.h"
#include "testkit/wave.h"

namespace media_test {
namespace {

constexpr std::uint32_t kRate = 11025;
constexpr std::uint64_t kToneMs = 1000;

// The virtual time at which each mark ran.
std::vector<std::uint64_t>& marks()
{
    static std::vector<std::uint64_t> list;
    return list;
}
plat::Harness* clockOf = nullptr;

class MarkAction : public JxCAction {
public:
    std::int16_t Execute() override
    {
        marks().push_back(clockOf->now());
        return 1;
    }
};

class PlaySoundTest : public MediaTest {
protected:
    void SetUp() override
    {
        MediaTest::SetUp();
        marks().clear();
        clockOf = &harness;
        using K = JxActionKeyword;
        RegisterActionClass(K::PLAYWAVE, MakeInstance<JxCAction, JxCPlaySoundAction>,
                            CopyInstance<JxCAction, JxCPlaySoundAction>);
        RegisterActionClass(K::BLEND, MakeInstance<JxCAction, MarkAction>, CopyInstance<JxCAction, MarkAction>);
        RegisterResourceClass(JxResourceKind::Sound, MakeInstance<JxCResourceObject, JxCSoundResource>);
        RegisterTypeIds();
        ConnectResourceList();
        // The first page's window hears the sounds' completions.
        page = new product_test::TestPage({}, log);
        page->window = window;
        product().GetPageList().Add(page);
        product().SetCurrentPage(page);
        owner = new JxCDisplayObject;
        owner->SetContainer(&panel);
        panel.GetDisplayObjects().Add(owner);
        std::vector<std::int16_t> samples(kRate * kToneMs / 1000);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = std::int16_t(8000 * std::sin(double(i) * 0.25));
        plat::testing::TempConfig::writeFile(config.program() + "/tone.wav",
                                             bytesOf(testkit::EncodeWave(testkit::Pcm16Sound(samples, kRate))));
    }
    void TearDown() override
    {
        handlerLists.clear();
        product().PurgeQueuedActions(0);
        EmptyResourceList();
        SetMediaListHooks({});
        UnregisterFactoryClasses();
        ReleaseTypeRegistries();
        clockOf = nullptr;
        MediaTest::TearDown();
    }
    static std::string bytesOf(const std::vector<std::uint8_t>& b) { return std::string(b.begin(), b.end()); }

    // The actions of the records, read for the owner.
    JxCActionList& read(const std::vector<testkit::ActionRecord>& records, std::int16_t expected = 1)
    {
        const std::vector<std::uint8_t> bytes = testkit::ActionListBytes(records);
        JxCInStrStream in(JxMemoryBlock{bytes.data(), std::uint32_t(bytes.size())});
        handlerLists.push_back(std::make_unique<JxCActionList>());
        EXPECT_EQ(handlerLists.back()->ReadBinary(in, owner), expected);
        return *handlerLists.back();
    }
    static JxCPlaySoundAction* play(JxCActionList& list, std::int32_t i = 0)
    {
        return dynamic_cast<JxCPlaySoundAction*>(list.GetAt(i));
    }
    // Posts each action as a handler does.
    static void post(JxCActionList& list)
    {
        for (JxCAction* a = list.GetFirst(); a; a = list.GetNext(a))
            a->Post();
    }
    static JxCSoundResource* firstSound()
    {
        return dynamic_cast<JxCSoundResource*>(GetResourceList().GetFirst());
    }
    void runUntil(const std::function<bool()>& done, std::uint64_t limitMs = 5000)
    {
        const std::uint64_t start = harness.now();
        while (!done() && harness.now() - start < limitMs)
            harness.runFor(10);
    }

    product_test::TestPage* page = nullptr;
    JxCPanelObject panel;
    JxCDisplayObject* owner = nullptr;
    std::vector<std::unique_ptr<JxCActionList>> handlerLists;
};

TEST_F(PlaySoundTest, RecordsReadBackShareOneSoundByNameAndDescribeThemselves)
{
    testkit::PlaySound bound{"&tone", 1, 2, 1, 3, 0, 1};
    testkit::PlaySound sameName{"&TONE"};
    testkit::PlaySound atRun{"&tone", 1, 2, -1, 3, 0, 0};
    JxCActionList& list = read({bound.Action(), sameName.Action(), atRun.Action()});
    ASSERT_EQ(list.GetCount(), 3);
    JxCPlaySoundAction* a = play(list, 0);
    JxCPlaySoundAction* b = play(list, 1);
    JxCPlaySoundAction* c = play(list, 2);
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(a->GetOwner(), owner);
    EXPECT_EQ(a->IsWaiting(), 1);
    EXPECT_EQ(b->IsWaiting(), 0);
    // The first two bound as they were read, to one sound; the third waits
    // for its run.
    ASSERT_NE(a->GetSound(), nullptr);
    EXPECT_EQ(a->GetSound(), b->GetSound());
    EXPECT_EQ(c->GetSound(), nullptr);
    EXPECT_EQ(GetResourceList().GetCount(), 1);
    EXPECT_EQ(a->GetSound()->CountActions(), 2);

    JxCString text;
    EXPECT_EQ(c->Describe(text), 0);
    EXPECT_STREQ(text.GetText(), "&tone, 1,2,-1,3,0");
    EXPECT_EQ(c->SetParameterText(JxCString("x")), kPropertyReadOnly);
    EXPECT_EQ(a->UsesResource(0, ResourceTypeId(JxResourceKind::Sound)), 1);
    EXPECT_EQ(a->UsesResource(0, ResourceTypeId(JxResourceKind::Last)), 1);
    EXPECT_EQ(a->UsesResource(0, ResourceTypeId(JxResourceKind::Pics)), 0);
    EXPECT_EQ(a->IsMediaAction(), 1);

    // Each action that goes lets go of its share; the last takes the sound.
    list.Remove(a);
    EXPECT_EQ(GetResourceList().GetCount(), 1);
    list.Remove(b);
    EXPECT_EQ(GetResourceList().GetCount(), 0);
}

TEST_F(PlaySoundTest, AnActionBuiltInCodeIsPostedAsAPlaySoundAndPlays)
{
    JxCPlaySoundAction built;
    EXPECT_EQ(built.GetType(), ActionTypeId(JxActionKeyword::PLAYWAVE));
    ASSERT_EQ(built.SetParameters(JxCString("&tone"), 0, 0, 1, 0, 0, owner), 1);
    ASSERT_EQ(built.Post(), 1);
    runUntil([] { return firstSound() && !firstSound()->IsPlaying() && firstSound()->GetPosition() > 0; });
    EXPECT_EQ(audio->takeSounds().size(), 1u);
    EXPECT_EQ(product().GetActionProcessor()->CountPendingActions(), 0);
}

TEST_F(PlaySoundTest, ACutRecordKeepsNoActionAndAMissingSoundFailsItsRun)
{
    testkit::ActionRecord cut = testkit::PlaySound{"&tone"}.Action();
    cut.record.resize(cut.record.size() - 1);
    JxCActionList& damaged = read({cut}, 0);
    EXPECT_EQ(damaged.GetCount(), 0);

    // A sound file that is not there: named, its load's failure reported,
    // the run fails and nothing plays.
    JxCActionList& list = read({testkit::PlaySound{"&nothing", 0, 0, -1}.Action()});
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(play(list)->Execute(), 0);
    EXPECT_EQ(play(list)->IsPlaying(), 0);
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(PlaySoundTest, AWaitingSoundHoldsTheListUntilTheDeviceHasPlayedItOut)
{
    testkit::PlaySound sound{"&tone"};
    sound.waiting = 1;
    JxCActionList& list = read({sound.Action(), testkit::ActionRecord{"BLEND", {}}});
    const std::uint64_t start = harness.now();
    post(list);
    runUntil([] { return !marks().empty(); });
    ASSERT_EQ(marks().size(), 1u);
    EXPECT_GE(marks()[0] - start, kToneMs);
    EXPECT_EQ(firstSound()->IsPlaying(), 0);
    EXPECT_EQ(firstSound()->GetPosition(), firstSound()->GetLength());
    const auto sounds = audio->takeSounds();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].samples.size(), kRate * kToneMs / 1000);
    EXPECT_EQ(product().GetActionProcessor()->CountPendingActions(), 0);
    EXPECT_EQ(product().ReleaseMediaOwner(nullptr), 1);
}

TEST_F(PlaySoundTest, ASoundThatDoesNotWaitLetsTheNextActionRunWhileItPlays)
{
    JxCActionList& list = read({testkit::PlaySound{"&tone"}.Action(), testkit::ActionRecord{"BLEND", {}}});
    const std::uint64_t start = harness.now();
    post(list);
    runUntil([] { return !marks().empty(); });
    ASSERT_EQ(marks().size(), 1u);
    EXPECT_LT(marks()[0] - start, 100u);
    EXPECT_EQ(firstSound()->IsPlaying(), 1);
    runUntil([this] { return !firstSound()->IsPlaying(); });
    EXPECT_EQ(product().GetActionProcessor()->CountPendingActions(), 0);
}

TEST_F(PlaySoundTest, ASoundBoundAtRunIsOpenedForEachRunAndLetGoWhenItStops)
{
    JxCActionList& list = read({testkit::PlaySound{"&tone", 0, 0, -1}.Action()});
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        EXPECT_EQ(GetResourceList().GetCount(), 0);
        post(list);
        runUntil([] { return firstSound() && firstSound()->IsPlaying(); });
        ASSERT_NE(firstSound(), nullptr);
        runUntil([] { return GetResourceList().GetCount() == 0; });
        EXPECT_EQ(GetResourceList().GetCount(), 0);
        EXPECT_EQ(product().GetActionProcessor()->CountPendingActions(), 0);
    }
    EXPECT_EQ(audio->takeSounds().size(), 2u);
}

TEST_F(PlaySoundTest, ASecondRunWhileTheSharedSoundPlaysIsRefused)
{
    JxCActionList& list = read({testkit::PlaySound{"&tone"}.Action(), testkit::PlaySound{"&tone"}.Action()});
    EXPECT_EQ(play(list, 0)->Execute(), 1);
    EXPECT_EQ(play(list, 0)->IsPlaying(), 1);
    EXPECT_EQ(play(list, 1)->IsPlaying(), 1) << "the sound is shared";
    EXPECT_EQ(play(list, 1)->Execute(), 0);
    StopActiveObjects(0);
    EXPECT_EQ(play(list, 0)->IsPlaying(), 0);
}

TEST_F(PlaySoundTest, AThirdValueOfMinusTwoStartsTheSoundAgainInsteadOfStopping)
{
    testkit::PlaySound looping{"&tone"};
    looping.third = -2;
    looping.waiting = 1;
    JxCActionList& list = read({looping.Action(), testkit::ActionRecord{"BLEND", {}}});
    post(list);
    runUntil([] { return firstSound() && firstSound()->IsPlaying(); });
    ASSERT_NE(firstSound(), nullptr);
    EXPECT_EQ(firstSound()->GetParameterWord(2), -2);
    // Past its end it plays on, and the list behind it still waits.
    harness.runFor(kToneMs + 500);
    EXPECT_EQ(firstSound()->IsPlaying(), 1);
    EXPECT_TRUE(marks().empty());
    EXPECT_GE(audio->takeSounds().size(), 1u);
    // Stopping every playing object ends it.
    StopActiveObjects(0);
    harness.runFor(500);
    ASSERT_NE(firstSound(), nullptr);
    EXPECT_EQ(firstSound()->IsPlaying(), 0);
    EXPECT_EQ(product().GetActionProcessor()->CountPendingActions(), 0);
}

TEST_F(PlaySoundTest, AStopOfARestartingActionLeavesTheSoundPlaying)
{
    testkit::PlaySound looping{"&tone"};
    looping.third = -1;
    JxCActionList& list = read({looping.Action()});
    JxCPlaySoundAction* action = play(list);
    EXPECT_EQ(action->Stop(), 1) << "no player yet: nothing to restart";
    EXPECT_EQ(action->IsStopped(), 0);
    ASSERT_EQ(action->Execute(), 1);
    EXPECT_EQ(action->Stop(), 0) << "the player cannot start what plays";
    EXPECT_EQ(action->IsPlaying(), 1);
    EXPECT_EQ(action->IsStopped(), 0);
    StopActiveObjects(0);
}

TEST_F(PlaySoundTest, AnOwnerThatGoesWhileItsSoundPlaysLeavesNothingBehind)
{
    auto* handler = new JxCEventHandler;
    handler->SetEvent(std::int16_t(EventId(JxEventKeyword::on_click)));
    const std::vector<std::uint8_t> bytes = testkit::ActionListBytes(
        {testkit::PlaySound{"&tone", 0, 0, 1, 0, 0, 1}.Action(), testkit::ActionRecord{"BLEND", {}}});
    JxCInStrStream in(JxMemoryBlock{bytes.data(), std::uint32_t(bytes.size())});
    auto actions = std::make_unique<JxCActionList>();
    ASSERT_EQ(actions->ReadBinary(in, owner), 1);
    handler->SetActions(std::move(actions));
    owner->GetEventHandlers().Add(handler);
    owner->DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_click)), 0);
    runUntil([] { return firstSound() && firstSound()->IsPlaying(); });
    ASSERT_NE(firstSound(), nullptr);
    harness.runFor(200);

    // The page goes: its objects with it, the handler's action first.
    panel.GetDisplayObjects().Remove(owner);
    owner = nullptr;
    runUntil([] { return GetResourceList().GetCount() == 0; });
    EXPECT_EQ(GetResourceList().GetCount(), 0);
    EXPECT_EQ(product().GetActionProcessor()->CountPendingActions(), 0);
    EXPECT_EQ(product().ReleaseMediaOwner(nullptr), 1);
    harness.runFor(kToneMs);
    EXPECT_EQ(plat::OpenWaveOutCount(), 0u);
}

}  // namespace
}  // namespace media_test
