#include <memory>

#include "events/JxNotifyTables.h"
#include "events/tests/event_fixture.h"

namespace event_test {
namespace {

using NotifyTest = EventTest;

TEST_F(NotifyTest, KeyAndSenderFiltersChooseWhatReachesAReceiver)
{
    Ear any("any", log), five("five", log), fromA("fromA", log);
    JxCObject a, b;
    any.AddObjectNotify(kClick, 0, nullptr);
    five.AddObjectNotify(kClick, 5, nullptr);
    fromA.AddObjectNotify(kClick, 0, &a);

    NotifyAfterEvent(kClick, 5, &b);
    NotifyAfterEvent(kClick, 6, &a);
    EXPECT_EQ(log, (ActionLog{"any after 4", "five after 4", "any after 4", "fromA after 4"}));
}

TEST_F(NotifyTest, BeforeAndStartTablesCallPreNotifyTheOthersNotify)
{
    Ear ear("ear", log);
    ear.AddObjectNotifyBeforeEvent(kClick, 0, nullptr);
    ear.AddObjectNotifyOnActionStart(kPlay, 0, nullptr);
    ear.AddObjectNotifyOnActionStopped(kPlay, 0, nullptr);
    NotifyBeforeEvent(kClick, 0, nullptr);
    NotifyAfterEvent(kClick, 0, nullptr);
    NotifyActionStart(kPlay, 0, nullptr);
    NotifyActionStopped(kPlay, 0, nullptr);
    EXPECT_EQ(log, (ActionLog{"ear before 4", "ear before 11", "ear after 11"}));
}

TEST_F(NotifyTest, IdsOutsideTheTablesRegisterNothing)
{
    Ear ear("ear", log);
    EXPECT_EQ(ear.AddObjectNotify(kEventCount, 0, nullptr), nullptr);
    EXPECT_EQ(ear.AddObjectNotifyOnActionStopped(-1, 0, nullptr), nullptr);
    FreeNotifyTables();
    EXPECT_EQ(ear.AddObjectNotify(kClick, 0, nullptr), nullptr);
    NotifyAfterEvent(kClick, 0, nullptr);
    EXPECT_TRUE(log.empty());
}

TEST_F(NotifyTest, RemovalFindsTheRegistrationInEitherListOfItsKind)
{
    Ear ear("ear", log);
    RemoveNotify(ear.AddObjectNotifyOnActionStart(kPlay, 0, nullptr));
    RemoveNotify(ear.AddObjectNotifyBeforeEvent(kClick, 0, nullptr));
    NotifyActionStart(kPlay, 0, nullptr);
    NotifyBeforeEvent(kClick, 0, nullptr);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(ActionStartNotifyList(kPlay)->IsEmpty());
}

TEST_F(NotifyTest, ReceiverRemovalTakesEveryRegistrationOfTheReceiverOnly)
{
    Ear ear("ear", log), other("other", log);
    ear.AddObjectNotifyOnActionStopped(kPlay, 0, nullptr);
    ear.AddObjectNotifyOnActionStopped(kOpen, 0, nullptr);
    other.AddObjectNotifyOnActionStopped(kPlay, 0, nullptr);
    RemoveReceiverNotifies(&ear);
    NotifyActionStopped(kPlay, 0, nullptr);
    NotifyActionStopped(kOpen, 0, nullptr);
    EXPECT_EQ(log, (ActionLog{"other after 11"}));
}

TEST_F(NotifyTest, ARegistrationRemovedDuringADeliveryIsNotToldAndNewOnesWait)
{
    Ear first("first", log), second("second", log), third("third", log);
    JxCNotify* secondsOwn = nullptr;
    first.during = [&] {
        RemoveNotify(secondsOwn);
        third.AddObjectNotify(kClick, 0, nullptr);
    };
    first.AddObjectNotify(kClick, 0, nullptr);
    secondsOwn = second.AddObjectNotify(kClick, 0, nullptr);
    NotifyAfterEvent(kClick, 0, nullptr);
    EXPECT_EQ(log, (ActionLog{"first after 4"}));
}

TEST_F(NotifyTest, AReceiverThatDiesIsNeverToldAgain)
{
    auto ear = std::make_unique<Ear>("ear", log);
    ear->AddObjectNotify(kClick, 0, nullptr);
    ear->AddObjectNotifyOnActionStopped(kPlay, 0, nullptr);
    ear.reset();
    NotifyAfterEvent(kClick, 0, nullptr);
    NotifyActionStopped(kPlay, 0, nullptr);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(AfterEventNotifyList(kClick)->IsEmpty());
}

}  // namespace
}  // namespace event_test
