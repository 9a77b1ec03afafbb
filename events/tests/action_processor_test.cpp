#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "events/JxCActionProcessor.h"
#include "events/JxCNotifyRoot.h"
#include "events/tests/event_fixture.h"
#include "foundation/JxProductLink.h"
#include "platform/backend/harness.h"
#include "platform/window/window.h"

namespace event_test {
namespace {

JxCActionProcessor*& steppedProcessor()
{
    static JxCActionProcessor* p = nullptr;
    return p;
}

// The main window's part: message 1024 steps the processor.
plat::LRESULT mainProc(plat::HWND h, plat::UINT m, plat::WPARAM w, plat::LPARAM l)
{
    if (m == JxCActionProcessor::kPassMessage && steppedProcessor())
        steppedProcessor()->Step();
    return plat::DefWindowProcA(h, m, w, l);
}

class ProcessorTest : public EventTest {
protected:
    void SetUp() override
    {
        plat::WNDCLASSA wc;
        wc.lpfnWndProc = &mainProc;
        wc.lpszClassName = "ProcessorMain";
        ASSERT_NE(plat::RegisterClassA(wc), 0);
        window = plat::CreateWindowA("ProcessorMain", "main", plat::WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     nullptr, nullptr);
        JxProductLink product;
        product.mainWindow = [this] { return window; };
        SetProductLink(std::move(product));
        connect(*processor);
    }
    void TearDown() override
    {
        processor.reset();
        steppedProcessor() = nullptr;
        SetProductLink(std::nullopt);
    }

    // Posts and triggers reach this processor, and message 1024 steps it.
    void connect(JxCActionProcessor& p)
    {
        steppedProcessor() = &p;
        JxEventLink link;
        link.queueAction = [&p](JxCAction* a) { p.QueueAction(a); };
        link.processActions = [&p] { p.SchedulePass(); };
        SetEventLink(std::move(link));
    }

    // The handler's own copy of an action, which stays the test's.
    PlayingAction* own(const std::string& name, bool plays = false, bool waits = true)
    {
        owned.emplace_back(play(name, plays, waits));
        return owned.back().get();
    }
    void finish(const std::string& name)
    {
        PlayingAction* a = PlayingAction::Find(name);
        ASSERT_NE(a, nullptr) << name;
        a->Finish();
    }

    plat::Harness harness;
    plat::HWND window = nullptr;
    // Before the processor: the processor goes first.
    std::vector<std::unique_ptr<PlayingAction>> owned;
    std::unique_ptr<JxCActionProcessor> processor = std::make_unique<JxCActionProcessor>();
};

TEST_F(ProcessorTest, ActionsPostedTogetherRunInOnePassInPostingOrderFromTheMessage)
{
    own("a")->Post();
    own("b")->Post();
    EXPECT_TRUE(log.empty()) << "nothing runs from inside the code that posts";
    EXPECT_EQ(processor->CountPendingActions(), 2);
    harness.runUntilIdle();
    EXPECT_EQ(log, (ActionLog{"a", "~a", "b", "~b"}));
    EXPECT_EQ(processor->CountPendingActions(), 0);
    EXPECT_EQ(processor->GetQueue().GetCount(), 1) << "the background list stays";
}

TEST_F(ProcessorTest, ThreePostsQueueThreeClonesNeverTheHandlersAction)
{
    PlayingAction* a = own("a");
    for (int i = 0; i < 3; ++i)
        a->Post();
    JxCProcessActionList* list = processor->GetQueue().GetLast();
    ASSERT_EQ(list->GetCount(), 3);
    for (std::int32_t i = 0; i < 3; ++i)
        EXPECT_NE(list->GetAt(i), a);
    harness.runUntilIdle();
    EXPECT_EQ(log, (ActionLog{"a", "~a", "a", "~a", "a", "~a"}));
}

TEST_F(ProcessorTest, AWaitingSoundHoldsWhatFollowsUntilItStops)
{
    own("sound", true)->Post();
    own("page")->Post();
    harness.runUntilIdle();
    EXPECT_EQ(log, (ActionLog{"sound"}));
    finish("sound");
    harness.runUntilIdle();
    EXPECT_EQ(log, (ActionLog{"sound", "~sound", "page", "~page"}));
}

TEST_F(ProcessorTest, ASoundThatNeedNotBeWaitedForPlaysOnBesideThePage)
{
    own("sound", true, false)->Post();
    own("page")->Post();
    harness.runUntilIdle();
    EXPECT_EQ(log, (ActionLog{"sound", "page", "~page"}));
    finish("sound");
    harness.runUntilIdle();
    EXPECT_EQ(log.back(), "~sound");
    EXPECT_EQ(processor->CountPendingActions(), 0);
}

TEST_F(ProcessorTest, ASecondClickWhileAWaitingSoundPlaysWaitsBehindIt)
{
    own("sound", true)->Post();
    harness.runUntilIdle();
    own("click")->Post();
    harness.runUntilIdle();
    EXPECT_EQ(log, (ActionLog{"sound"}));
    finish("sound");
    harness.runUntilIdle();
    EXPECT_EQ(log, (ActionLog{"sound", "~sound", "click", "~click"}));
}

TEST_F(ProcessorTest, AMediaActionWaitsWhileAnotherPlaysTheSameKindOfMedia)
{
    PlayingAction* first = own("first", true, false);
    PlayingAction* second = own("second", true, false);
    first->SetResourceKind(2);
    second->SetResourceKind(2);
    first->Post();
    second->Post();
    harness.runUntilIdle();
    EXPECT_EQ(log, (ActionLog{"first"}));
    finish("first");
    harness.runUntilIdle();
    EXPECT_EQ(log, (ActionLog{"first", "~first", "second"}));
    finish("second");
}

TEST_F(ProcessorTest, AFailingActionIsDroppedAndThePassGoesOn)
{
    own("bad")->fails = true;
    owned.back()->Post();
    own("good")->Post();
    harness.runUntilIdle();
    EXPECT_EQ(log, (ActionLog{"bad", "~bad", "good", "~good"}));
}

TEST_F(ProcessorTest, AStepFromInsideARunningActionDoesNothing)
{
    std::int16_t nested = -1;
    own("a")->during = [&] { nested = processor->Step(); };
    owned.back()->Post();
    own("b")->Post();
    harness.runUntilIdle();
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(log, (ActionLog{"a", "~a", "b", "~b"}));
}

TEST_F(ProcessorTest, CancellingDuringAPassKeepsTheRunningActionAndDropsTheRest)
{
    own("a")->during = [&] { processor->CancelQueue(0); };
    owned.back()->Post();
    own("b")->Post();
    own("c", true)->Post();
    harness.runUntilIdle();
    EXPECT_EQ(log, (ActionLog{"a", "~b", "~c", "~a"}));
    EXPECT_EQ(processor->GetQueue().GetCount(), 1);
}

TEST_F(ProcessorTest, CancellingStopsEveryQueuedActionAndTellsItsReceivers)
{
    Ear ear("ear", log);
    own("sound", true)->AddStopReceiver(&ear);
    owned.back()->Post();
    own("page")->Post();
    harness.runUntilIdle();
    processor->CancelQueue(0);
    EXPECT_EQ(log, (ActionLog{"sound", "ear after 11", "~sound", "~page"}));
    EXPECT_EQ(processor->CountPendingActions(), 0);
}

TEST_F(ProcessorTest, AFailedPostKeepsTheQueueForTheNextSchedule)
{
    harness.refusePosts(2);
    own("a")->Post();
    EXPECT_FALSE(processor->IsPassScheduled());
    harness.runUntilIdle();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(processor->CountPendingActions(), 1);
    own("b")->Post();
    harness.runUntilIdle();
    EXPECT_EQ(log, (ActionLog{"a", "~a", "b", "~b"}));
}

TEST_F(ProcessorTest, OnePassMessageWaitsHoweverOftenAPassIsScheduled)
{
    own("a")->Post();
    processor->SchedulePass();
    int waiting = 0;
    plat::MSG msg;
    while (plat::PeekMessageA(&msg, window, JxCActionProcessor::kPassMessage, JxCActionProcessor::kPassMessage,
                              plat::PM_REMOVE))
        ++waiting;
    EXPECT_EQ(waiting, 1);
}

TEST_F(ProcessorTest, WithoutAMainWindowNoPassIsScheduled)
{
    plat::DestroyWindow(window);
    own("a")->Post();
    EXPECT_FALSE(processor->IsPassScheduled());
}

// --- Lifetimes ------------------------------------------------------------------

TEST_F(ProcessorTest, AnOwnerThatDiesLeavesItsQueuedClonesWithoutAnOwner)
{
    auto page = std::make_unique<JxCRunTimeObject>();
    auto object = std::make_unique<JxCRunTimeObject>();
    PlayingAction* a = own("a");
    a->SetOwner(object.get());
    a->Post();
    a->Post();
    // The page goes, and with it its object, while the clones wait.
    object.reset();
    page.reset();
    JxCProcessActionList* list = processor->GetQueue().GetLast();
    ASSERT_EQ(list->GetCount(), 2);
    EXPECT_EQ(list->GetAt(0)->GetOwner(), nullptr);
    EXPECT_EQ(list->GetAt(1)->GetOwner(), nullptr);
    harness.runUntilIdle();
    EXPECT_EQ(log, (ActionLog{"a", "~a", "a", "~a"}));
}

TEST_F(ProcessorTest, TheRunningActionLosesAnOwnerThatDiesWhileItRuns)
{
    auto object = std::make_unique<JxCRunTimeObject>();
    const JxCRunTimeObject* seen = object.get();
    PlayingAction* a = own("a", true);
    a->SetOwner(object.get());
    a->during = [&] {
        object.reset();
        seen = processor->GetCurrentAction()->GetOwner();
    };
    a->Post();
    harness.runUntilIdle();
    EXPECT_EQ(seen, nullptr);
    finish("a");
}

TEST_F(ProcessorTest, ATriggeredActionDeletedByItsOwnerLeavesTheQueue)
{
    auto* a = play("a");
    a->Trigger(0);
    EXPECT_EQ(processor->CountPendingActions(), 1);
    delete a;
    EXPECT_EQ(processor->CountPendingActions(), 0);
    harness.runUntilIdle();
    EXPECT_EQ(log, (ActionLog{"~a"}));
}

TEST_F(ProcessorTest, ATriggeredActionIsRunButNotDeleted)
{
    PlayingAction* a = own("a");
    EXPECT_EQ(a->Trigger(0), 1);
    harness.runUntilIdle();
    EXPECT_EQ(log, (ActionLog{"a"}));
    EXPECT_EQ(processor->CountPendingActions(), 0);
}

TEST_F(ProcessorTest, AProcessorDeletedWhileTriggeredActionsHoldSubscriptionsLeavesThemClean)
{
    PlayingAction* a = own("a", true);
    PlayingAction* b = own("b", true, false);
    b->Trigger(0);
    a->Trigger(0);
    harness.runUntilIdle();
    ASSERT_EQ(a->GetStopSubscriptions().GetCount(), 1);
    ASSERT_EQ(b->GetStopSubscriptions().GetCount(), 1);
    processor.reset();
    steppedProcessor() = nullptr;
    EXPECT_EQ(a->GetStopSubscriptions().GetCount(), 0);
    EXPECT_EQ(b->GetStopSubscriptions().GetCount(), 0);
    a->Finish();
    b->Finish();
    owned.clear();
    EXPECT_EQ(log, (ActionLog{"b", "a", "~a", "~b"}));
}

TEST_F(ProcessorTest, TheProcessorDeletesTheClonesStillQueuedOnly)
{
    PlayingAction* mine = own("mine");
    mine->Trigger(0);
    own("clone")->Post();
    processor.reset();
    EXPECT_EQ(log, (ActionLog{"~clone"}));
}

// --- The death notice of notify roots ----------------------------------------

std::vector<const JxCNotifyRoot*>& dead()
{
    static std::vector<const JxCNotifyRoot*> d;
    return d;
}

void noteDeath(JxCNotifyRoot* dying)
{
    dead().push_back(dying);
}

TEST(NotifyRootTest, EveryDyingNotifyRootIsReportedToTheInstalledHookOnly)
{
    dead().clear();
    JxNotifyRootDeathHook previous = SetNotifyRootDeathHook(noteDeath);
    auto* action = new JxCAction;
    const JxCNotifyRoot* address = action;
    delete action;
    {
        JxCNotifyRoot plain;
    }
    EXPECT_EQ(SetNotifyRootDeathHook(previous), &noteDeath);
    ASSERT_EQ(dead().size(), 2u);
    EXPECT_EQ(dead()[0], address);
    delete new JxCAction;
    EXPECT_EQ(dead().size(), 2u);
}

}  // namespace
}  // namespace event_test
