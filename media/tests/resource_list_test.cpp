// The shared media objects: one object per kind and name whatever the
// case, the driving action handed on, objects leaving the list with their
// last action, and the stops with their rewinds and their refusal to run
// twice at once.

#include <string>

#include "events/JxCAction.h"
#include "media/JxCResourceObject.h"
#include "media/JxCResourcePlayer.h"
#include "media/tests/media_fixture.h"
#include "runtime/JxCDisplayObject.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxClassFactories.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxTypeRegistry.h"
#include "runtime/tests/report_log.h"

namespace media_test {
namespace {

// What the fake media do, and what happened to them.
struct World {
    std::vector<std::string> log;
    std::int16_t openResult = 1;
    std::function<void()> onStop;
};
World& world()
{
    static World w;
    return w;
}

class FakeMedia : public JxCResourceObject {
public:
    std::int16_t Open(JxCAction*) override
    {
        world().log.push_back("open " + std::string(GetName().GetText()));
        open = world().openResult != 0;
        return world().openResult;
    }
    std::int16_t Play(JxCAction* action) override
    {
        playing = true;
        stopped = false;
        return JxCResourceObject::Play(action);
    }
    std::int16_t Stop() override
    {
        world().log.push_back("stop " + std::string(GetName().GetText()));
        playing = false;
        stopped = true;
        if (world().onStop)
            world().onStop();
        return 1;
    }
    std::int16_t Rewind(std::int32_t position) override
    {
        world().log.push_back("rewind " + std::string(GetName().GetText()) + " " + std::to_string(position));
        return 1;
    }
    std::int16_t HandleEvent(JxCTimerParams*, JxCAction*) override { return 1; }
    std::int16_t Register(JxCNotifyRoot*) override { return 1; }
    std::int16_t Unregister(JxCNotifyRoot*) override
    {
        world().log.push_back("unregister " + std::string(GetName().GetText()));
        return 1;
    }
    std::int16_t IsPlaying() override { return playing; }
    std::int16_t IsStopped() override { return stopped; }
    std::int16_t IsOpen() override { return open; }

    bool playing = false;
    bool stopped = true;
    bool open = false;
};

class Sound : public FakeMedia {};
class Pics : public FakeMedia {};

class Listener : public JxCAction {
public:
    explicit Listener(std::string name) : name_(std::move(name)) {}
    std::int16_t OnResourceStopped() override
    {
        world().log.push_back("told " + name_);
        return 1;
    }

private:
    std::string name_;
};

// An action that hands the player the media it was bound to.
class Holder : public Listener {
public:
    Holder() : Listener("holder") {}
    JxCResourceObject* GetResource() override { return media; }
    JxCResourceObject* media = nullptr;
};

class ResourceListTest : public MediaTest {
protected:
    void SetUp() override
    {
        MediaTest::SetUp();
        world() = World{};
        RegisterResourceClass(JxResourceKind::Sound, MakeInstance<JxCResourceObject, Sound>);
        RegisterResourceClass(JxResourceKind::Pics, MakeInstance<JxCResourceObject, Pics>);
        RegisterTypeIds();
        ConnectResourceList();
        sound = ResourceTypeId(JxResourceKind::Sound);
        pics = ResourceTypeId(JxResourceKind::Pics);
    }
    void TearDown() override
    {
        EmptyResourceList();
        SetMediaListHooks({});
        UnregisterFactoryClasses();
        MediaTest::TearDown();
    }
    FakeMedia* find(std::int32_t kind, const char* name, JxCAction* action, std::int32_t param = 0)
    {
        return static_cast<FakeMedia*>(FindOrOpenResource(kind, JxCString(name), nullptr, param, action));
    }

    std::int32_t sound = 0;
    std::int32_t pics = 0;
    Listener a{"a"}, b{"b"}, c{"c"};
};

TEST_F(ResourceListTest, NamesOfOneKindAreSharedWhateverTheirCase)
{
    FakeMedia* lower = find(pics, "intro.ani", &a, 7);
    FakeMedia* upper = find(pics, "INTRO.ANI", &b);
    FakeMedia* other = find(sound, "intro.ani", &c);
    ASSERT_NE(lower, nullptr);
    EXPECT_EQ(lower, upper);
    EXPECT_NE(other, lower);
    EXPECT_NE(dynamic_cast<Sound*>(other), nullptr);
    EXPECT_EQ(GetResourceList().GetCount(), 2);
    EXPECT_EQ(lower->CountActions(), 2);
    EXPECT_EQ(lower->GetOpenParam(), 7);
    EXPECT_EQ(world().log, (std::vector<std::string>{"open intro.ani", "open intro.ani"}));
}

TEST_F(ResourceListTest, AClosedObjectIsOpenedAgainByTheNextActionThatFindsIt)
{
    FakeMedia* m = find(sound, "ding", &a);
    m->open = false;
    world().openResult = 0;
    EXPECT_EQ(find(sound, "DING", &b), m) << "returned even when the reopening failed";
    world().openResult = 1;
    EXPECT_EQ(find(sound, "ding", &c), m);
    EXPECT_TRUE(m->IsOpen());
    EXPECT_EQ(world().log.size(), 3u);
}

TEST_F(ResourceListTest, AnObjectThatCannotOpenOrAKindWithoutClassGivesNothing)
{
    world().openResult = 0;
    EXPECT_EQ(find(sound, "bad", &a), nullptr);
    EXPECT_EQ(GetResourceList().GetCount(), 0);
    world().openResult = 1;
    EXPECT_EQ(find(ResourceTypeId(JxResourceKind::Movie), "film", &a), nullptr);
    EXPECT_EQ(GetResourceList().GetCount(), 0);
}

TEST_F(ResourceListTest, AKindWithoutClassIsReportedWithTheActionsPageAndObject)
{
    JxCPageDef page;
    page.SetName(JxCTableString("Gallery"));
    JxCPanelObject panel;
    panel.SetPage(&page);
    auto* object = new JxCDisplayObject;
    object->Attach(&panel, JxCTypeKey());
    object->SetId(7);
    panel.GetDisplayObjects().InsertByZOrder(object);
    a.SetOwner(object);
    ReportLog reports;
    EXPECT_EQ(find(ResourceTypeId(JxResourceKind::Movie), "film", &a), nullptr);
    a.SetOwner(nullptr);
    EXPECT_EQ(find(ResourceTypeId(JxResourceKind::Movie), "film", &a), nullptr);
    EXPECT_EQ(reports.ids, (std::vector<std::int32_t>{1125, 1125}));
    EXPECT_EQ(reports.firstArgs, (std::vector<std::string>{" (Page: Gallery, Object: 7)", ""}));
}

TEST_F(ResourceListTest, TheDrivingActionIsHandedOnAndTheLastUnbindingEmptiesTheList)
{
    FakeMedia* m = find(sound, "ding", &a);
    find(sound, "ding", &b);
    m->Play(&a);
    EXPECT_EQ(m->GetCurrentAction(), &a);
    EXPECT_EQ(UnbindResource(&a, m), 0);
    EXPECT_EQ(m->GetCurrentAction(), &b);
    m->NotifyActionsStopped();
    EXPECT_EQ(world().log.back(), "told b");
    EXPECT_EQ(UnbindResource(&b, m), 1);
    EXPECT_EQ(GetResourceList().GetCount(), 0);
    EXPECT_EQ(UnbindResource(&b, nullptr), 0);
}

TEST_F(ResourceListTest, WithoutADrivingActionEveryBoundActionIsTold)
{
    FakeMedia* m = find(sound, "ding", &a);
    find(sound, "ding", &b);
    world().log.clear();
    m->NotifyActionsStopped();
    EXPECT_EQ(world().log, (std::vector<std::string>{"told a", "told b"}));
}

TEST_F(ResourceListTest, StopActiveObjectsStopsRewindsAndEndsTheBusyMark)
{
    EXPECT_EQ(IsAnyResourcePlaying(), 0);
    FakeMedia* playing = find(sound, "one", &a);
    FakeMedia* idle = find(sound, "two", &b);
    FakeMedia* midway = find(pics, "three", &c);
    playing->Play(&a);
    midway->stopped = false;  // neither stopped nor finished
    EXPECT_EQ(IsAnyResourcePlaying(), 1);
    product().SetMediaOwner(&a);
    product().MarkBusy();
    world().log.clear();
    EXPECT_EQ(StopActiveObjects(0), 1);
    EXPECT_EQ(world().log, (std::vector<std::string>{"stop one", "rewind one 0", "rewind three 0"}));
    EXPECT_EQ(product().GetMediaOwner(), nullptr);
    EXPECT_EQ(product().GetBusyBits(), 0);
    (void)idle;

    // Nothing plays: every object is rewound with the flag; the busy mark stays.
    product().MarkBusy();
    world().log.clear();
    EXPECT_EQ(StopActiveObjects(1), 0);
    EXPECT_EQ(world().log, (std::vector<std::string>{"rewind one 0", "rewind two 0", "rewind three 0"}));
    EXPECT_EQ(product().GetBusyBits(), 1);
    product().MarkIdle();
}

TEST_F(ResourceListTest, AStopThatStartsAnotherStopIsNotRunTwice)
{
    FakeMedia* m = find(sound, "one", &a);
    m->Play(&a);
    std::vector<std::int16_t> inner;
    world().onStop = [&] { inner.push_back(StopActiveObjects(1)); };
    EXPECT_EQ(StopActiveObjects(0), 1);
    EXPECT_EQ(inner, (std::vector<std::int16_t>{0}));
    world().onStop = nullptr;
    m->Play(&a);
    EXPECT_EQ(StopActiveObjects(0), 1) << "runs again once the first is over";
}

TEST_F(ResourceListTest, AStopThatUnbindsTheObjectLeavesTheWalkSound)
{
    FakeMedia* m = find(sound, "one", &a);
    find(sound, "two", &b)->Play(&b);
    m->Play(&a);
    world().onStop = [&] {
        if (GetResourceList().FindNode(m))
            UnbindResource(&a, m);
    };
    EXPECT_EQ(StopActiveObjects(0), 1);
    EXPECT_EQ(GetResourceList().GetCount(), 1);
    EXPECT_EQ(IsAnyResourcePlaying(), 0);
}

TEST_F(ResourceListTest, StopPlayingResourcesStopsWithoutRewinding)
{
    FakeMedia* m = find(sound, "one", &a);
    find(sound, "two", &b);
    m->Play(&a);
    world().log.clear();
    EXPECT_EQ(StopPlayingResources(), 1);
    EXPECT_EQ(world().log, (std::vector<std::string>{"stop one"}));
    EXPECT_EQ(StopPlayingResources(), 0);
}

TEST_F(ResourceListTest, APlayerOutlivingTheEmptiedListNoLongerCallsItsMedia)
{
    Holder holder;
    holder.media = find(sound, "chime", &holder);
    JxCResourcePlayer player;
    ASSERT_TRUE(player.Prepare(&holder));
    EmptyResourceList();
    world().log.clear();
    JxCTimerParams done{0, 0};
    player.OnSystemEvent(&done);
    player.Stop();
    EXPECT_TRUE(world().log.empty()) << world().log.front();
    EXPECT_FALSE(player.IsRegistered());
}

}  // namespace
}  // namespace media_test
