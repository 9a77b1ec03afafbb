#include <memory>
#include <vector>

#include "events/JxCAction.h"
#include "events/JxNotifyTables.h"
#include "events/tests/event_fixture.h"
#include "foundation/JxCInStrStream.h"

namespace event_test {
namespace {

using ActionTest = EventTest;

TEST_F(ActionTest, PostingQueuesAFreshCloneEachTimeNeverTheActionItself)
{
    std::vector<JxCAction*> queued;
    JxEventLink link;
    link.queueAction = [&](JxCAction* a) { queued.push_back(a); };
    SetEventLink(std::move(link));
    std::unique_ptr<PlayingAction> own(play("sound"));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(own->Post(), 1);
    ASSERT_EQ(queued.size(), 3u);
    for (JxCAction* clone : queued) {
        EXPECT_NE(clone, own.get());
        EXPECT_EQ(clone->GetDeleteWhenDone(), 1);
        EXPECT_EQ(clone->GetType(), kPlay);
        delete clone;
    }
    EXPECT_EQ(own->GetDeleteWhenDone(), 0);
}

TEST_F(ActionTest, APostWithoutACloneOrWithoutAProductFails)
{
    std::unique_ptr<PlayingAction> own(play("sound"));
    EXPECT_EQ(own->Post(), 0) << "no product to queue on";
    recordPosts();
    own->SetType(kOpen);  // no class for this type
    EXPECT_EQ(own->Post(), 0);
    EXPECT_EQ(PlayingAction::LiveCount(), 1) << "no clone is left behind";
}

TEST_F(ActionTest, StoppingTellsTheReceiversOncePerStop)
{
    Ear ear("ear", log);
    std::unique_ptr<PlayingAction> a(play("a"));
    ASSERT_EQ(a->AddStopReceiver(&ear), 1);
    a->SetStopped(1);
    a->SetStopped(1);
    a->SetStopped(0);
    a->SetStopped(2);
    EXPECT_EQ(a->IsStopped(), 2);
    EXPECT_EQ(log, (ActionLog{"ear after 11", "ear after 11"}));
}

TEST_F(ActionTest, AReceiverSubscribesOnceAndHearsOnlyItsOwnAction)
{
    Ear ear("ear", log);
    std::unique_ptr<PlayingAction> a(play("a")), b(play("b"));
    EXPECT_EQ(a->AddStopReceiver(&ear), 1);
    EXPECT_EQ(a->AddStopReceiver(&ear), 1);
    EXPECT_EQ(a->AddStopReceiver(nullptr), 0);
    EXPECT_EQ(a->GetStopSubscriptions().GetCount(), 1);
    EXPECT_EQ(ActionStoppedNotifyList(kPlay)->GetCount(), 1);
    b->SetStopped(1);
    EXPECT_TRUE(log.empty());
}

TEST_F(ActionTest, RunTellsTheStartMarksStoppedUnlessPlayingAndReportsFailure)
{
    Ear ear("ear", log);
    std::unique_ptr<PlayingAction> quick(play("quick", false)), longer(play("long")), bad(play("bad"));
    bad->fails = true;
    quick->AddStartReceiver(&ear);
    EXPECT_EQ(quick->Run(), 1);
    EXPECT_EQ(quick->IsStopped(), 1);
    EXPECT_EQ(longer->Run(), 1);
    EXPECT_EQ(longer->IsStopped(), 0) << "a playing action stays unstopped";
    EXPECT_EQ(bad->Run(), 0);
    EXPECT_EQ(bad->HasFailed(), 1);
    EXPECT_EQ(bad->IsStopped(), 1);
    EXPECT_EQ(log, (ActionLog{"ear before 11", "quick", "long", "bad"}));
}

TEST_F(ActionTest, TheTableOwnsARegistrationAndItsRemovalUnlinksItFromTheAction)
{
    Ear ear("ear", log);
    std::unique_ptr<PlayingAction> a(play("a"));
    a->AddStopReceiver(&ear);
    a->AddStartReceiver(&ear);
    RemoveReceiverNotifies(&ear);
    EXPECT_EQ(a->GetStopSubscriptions().GetCount(), 0);
    EXPECT_EQ(a->GetStartSubscriptions().GetCount(), 0);
    a->AddStopReceiver(&ear);
    FreeNotifyTables();
    EXPECT_EQ(a->GetStopSubscriptions().GetCount(), 0);
    a.reset();  // nothing left to free twice
}

TEST_F(ActionTest, AClonesSubscriptionsAreItsOwnAndGoWithIt)
{
    Ear ear("ear", log);
    std::unique_ptr<PlayingAction> a(play("a"));
    a->AddStopReceiver(&ear);
    std::unique_ptr<JxCAction> clone(CloneAction(*a));
    clone->CopySubscriptions(*a);
    EXPECT_EQ(ActionStoppedNotifyList(kPlay)->GetCount(), 2);
    clone->SetStopped(1);
    a->SetStopped(1);
    EXPECT_EQ(log, (ActionLog{"ear after 11", "ear after 11"})) << "each hears its own sender only";
    clone.reset();
    EXPECT_EQ(ActionStoppedNotifyList(kPlay)->GetCount(), 1);
}

TEST_F(ActionTest, CopiesTakeTheDefinitionNotTheRunningState)
{
    JxCRunTimeObject owner;
    std::unique_ptr<PlayingAction> a(play("a"));
    a->SetOwner(&owner);
    a->SetWaiting(0);
    a->SetStopped(3);
    a->SetDeleteWhenDone(1);
    a->SetParameterObject(std::make_unique<JxCObject>());
    PlayingAction copy(*a);
    EXPECT_EQ(copy.GetOwner(), &owner);
    EXPECT_EQ(copy.IsStopped(), 3);
    EXPECT_EQ(copy.GetDeleteWhenDone(), 0);
    EXPECT_EQ(copy.GetParameterObject(), nullptr);
}

// --- Action-list records ------------------------------------------------------

std::vector<std::uint8_t> bytes(std::initializer_list<int> values)
{
    std::vector<std::uint8_t> out;
    for (int v : values)
        out.push_back(std::uint8_t(v));
    return out;
}

std::int16_t readList(JxCActionList& list, const std::vector<std::uint8_t>& data)
{
    JxCInStrStream in(JxMemoryBlock{data.data(), std::uint32_t(data.size())});
    return list.ReadBinary(in, nullptr);
}

TEST_F(ActionTest, AnActionOfNoClassFailsTheListButReadingGoesOn)
{
    JxCActionList list;
    EXPECT_EQ(readList(list, bytes({0, 2, 0, kOpen, 0, kPlay})), 0);
    EXPECT_EQ(list.GetCount(), 1);
    JxCActionList good;
    EXPECT_EQ(readList(good, bytes({0, 2, 0, kPlay, 0, kPlay})), 1);
    EXPECT_EQ(good.GetCount(), 2);
    EXPECT_EQ(good.GetFirst()->GetType(), kPlay);
}

TEST_F(ActionTest, DamagedCountsAndShortRecordsFailCleanly)
{
    JxCActionList list;
    EXPECT_EQ(readList(list, bytes({0x7F, 0xFF, 0, kPlay})), 0) << "count beyond the bytes left";
    EXPECT_EQ(readList(list, bytes({0, 2, 0, kPlay, 0})), 0) << "two actions cannot fit in three bytes";
    EXPECT_EQ(list.GetCount(), 0);
    JxCActionList empty;
    EXPECT_EQ(readList(empty, bytes({0xFF, 0xFF})), 1) << "a negative count reads as none";
    EXPECT_EQ(readList(empty, bytes({0})), 0);
}

TEST_F(ActionTest, ListsAreEqualWhenTheirActionsArePairwiseEqual)
{
    JxCActionList a, b;
    a.Add(play("x"));
    b.Add(play("x"));
    EXPECT_EQ(a.Equals(b), 1);
    b.Add(play("y"));
    EXPECT_EQ(a.Equals(b), 0);
    a.Add(play("z"));
    EXPECT_EQ(a.Equals(b), 0);
}

}  // namespace
}  // namespace event_test
