#include "runtime/tests/product_fixture.h"

#include "platform/clock/clock.h"

namespace product_test {
namespace {

class ProductTimersTest : public ProductTest {};

TEST_F(ProductTimersTest, TheSixteenthTimerIsRefusedQuietlyAndAFreedSlotIsReusedFirst)
{
    Client client;
    std::int16_t slot = -1;
    for (std::int16_t i = 0; i < JxCBaseProduct::kTimerCount; ++i) {
        ASSERT_EQ(product().SetTimer(&client, &slot, 50), 1);
        EXPECT_EQ(slot, i);
    }
    slot = -1;
    EXPECT_EQ(product().SetTimer(&client, &slot, 50), 0);
    EXPECT_EQ(slot, -1);
    EXPECT_TRUE(boxes.empty());

    EXPECT_EQ(product().KillTimer(&client, 9), 1);
    EXPECT_EQ(product().KillTimer(&client, 4), 1);
    ASSERT_EQ(product().SetTimer(&client, &slot, 50), 1);
    EXPECT_EQ(slot, 4);
    ASSERT_EQ(product().SetTimer(&client, &slot, 50), 1);
    EXPECT_EQ(slot, 9);
}

TEST_F(ProductTimersTest, ATickReachesItsOwnerWithItsSlotAndAnIntervalOfZeroIs100Ms)
{
    Client early, late;
    std::int16_t slot = -1;
    ASSERT_EQ(product().SetTimer(&early, nullptr, 30), 1);
    ASSERT_EQ(product().SetTimer(&late, &slot, 0), 1);
    EXPECT_EQ(slot, 1);
    harness.runFor(99);
    EXPECT_TRUE(late.events.empty());
    EXPECT_EQ(early.events.size(), 3u);
    harness.runFor(1);
    ASSERT_EQ(late.events.size(), 1u);
    EXPECT_EQ(late.events[0].id, 1);
    for (const JxCTimerParams& tick : early.events)
        EXPECT_EQ(tick.id, 0);
}

TEST_F(ProductTimersTest, OnlyTheOwnerKillsATimer)
{
    Client owner, other;
    std::int16_t slot = -1;
    ASSERT_EQ(product().SetTimer(&owner, &slot, 10), 1);
    EXPECT_EQ(product().KillTimer(&other, slot), 0);
    EXPECT_EQ(product().KillTimer(&other, -1), 0);
    EXPECT_EQ(product().KillTimer(&owner, std::int16_t(slot + 1)), 0) << "a slot it does not hold";
    EXPECT_EQ(product().KillTimer(&owner, 15), 0);
    EXPECT_EQ(product().KillTimer(&owner, -2), 0);
    harness.runFor(10);
    EXPECT_EQ(owner.events.size(), 1u) << "the refused kills left it running";
    EXPECT_EQ(product().KillTimer(&owner, -1), 1);
    harness.runFor(50);
    EXPECT_EQ(owner.events.size(), 1u);
    EXPECT_EQ(product().KillTimer(&owner, -1), 0);
}

TEST_F(ProductTimersTest, KillingWithoutASlotStopsTheFirstTimerTheClientHolds)
{
    Client a, b;
    ASSERT_EQ(product().SetTimer(&a, nullptr, 10), 1);  // slot 0
    ASSERT_EQ(product().SetTimer(&b, nullptr, 10), 1);  // slot 1
    ASSERT_EQ(product().SetTimer(&b, nullptr, 10), 1);  // slot 2
    EXPECT_EQ(product().KillTimer(&b, -1), 1);
    EXPECT_FALSE(product().GetTimerInfo(1).active);
    EXPECT_TRUE(product().GetTimerInfo(2).active);
    EXPECT_TRUE(product().GetTimerInfo(0).active);
}

TEST_F(ProductTimersTest, StopAllTimersFreesEverySlot)
{
    Client a;
    for (int i = 0; i < 4; ++i)
        product().SetTimer(&a, nullptr, 10);
    EXPECT_EQ(product().StopAllTimers(), 1);
    harness.runFor(50);
    EXPECT_TRUE(a.events.empty());
    for (std::int16_t s = 0; s < JxCBaseProduct::kTimerCount; ++s)
        EXPECT_EQ(product().GetTimerInfo(s).owner, nullptr);
}

TEST_F(ProductTimersTest, AnOwnerThatDiesLosesItsTimersAndNoTickReachesIt)
{
    auto dying = std::make_unique<Client>();
    Client survivor;
    ASSERT_EQ(product().SetTimer(dying.get(), nullptr, 10), 1);
    ASSERT_EQ(product().SetTimer(&survivor, nullptr, 10), 1);
    ASSERT_EQ(product().SetTimer(dying.get(), nullptr, 10), 1);
    dying.reset();
    EXPECT_FALSE(product().GetTimerInfo(0).active);
    EXPECT_FALSE(product().GetTimerInfo(2).active);
    // Ticks already due are dropped by the table, not sent to the dead.
    plat::PostMessageA(window, plat::WM_TIMER, 0, 0);
    harness.runFor(30);
    EXPECT_EQ(survivor.events.size(), 3u);
}

TEST_F(ProductTimersTest, ATickForAFreeOrUnknownSlotIsIgnored)
{
    Client a;
    ASSERT_EQ(product().SetTimer(&a, nullptr, 1000), 1);
    for (plat::WPARAM id : {plat::WPARAM(1), plat::WPARAM(14), plat::WPARAM(15), plat::WPARAM(0xFFFF)})
        plat::PostMessageA(window, plat::WM_TIMER, id, 0);
    harness.runUntilIdle();
    EXPECT_TRUE(a.events.empty());
}

// --- The media owner ------------------------------------------------------

TEST_F(ProductTimersTest, WaveCompletionsReachTheMediaOwnerOnly)
{
    Client owner, other;
    plat::PostMessageA(window, plat::MM_WOM_DONE, 3, 77);  // nobody owns media yet
    harness.runUntilIdle();
    EXPECT_EQ(product().SetMediaOwner(&owner), 1);
    plat::PostMessageA(window, plat::MM_WOM_DONE, 3, 77);
    harness.runUntilIdle();
    ASSERT_EQ(owner.events.size(), 1u);
    EXPECT_EQ(owner.events[0].id, 3);
    EXPECT_EQ(owner.events[0].value, 77);
    EXPECT_TRUE(other.events.empty());
}

TEST_F(ProductTimersTest, OnlyTheOwnerOrNobodyReleasesTheMediaRole)
{
    Client owner, other;
    product().SetMediaOwner(&owner);
    EXPECT_EQ(product().ReleaseMediaOwner(&other), 0);
    EXPECT_EQ(product().GetMediaOwner(), &owner);
    EXPECT_EQ(product().ReleaseMediaOwner(&owner), 1);
    EXPECT_EQ(product().GetMediaOwner(), nullptr);
    product().SetMediaOwner(&owner);
    EXPECT_EQ(product().ReleaseMediaOwner(nullptr), 1);
    EXPECT_EQ(product().GetMediaOwner(), nullptr);
    EXPECT_EQ(product().ReleaseMediaOwner(nullptr), 1);
}

TEST_F(ProductTimersTest, AMediaOwnerThatDiesIsForgotten)
{
    auto owner = std::make_unique<Client>();
    product().SetMediaOwner(owner.get());
    owner.reset();
    EXPECT_EQ(product().GetMediaOwner(), nullptr);
    plat::PostMessageA(window, plat::MM_WOM_DONE, 0, 0);
    harness.runUntilIdle();
}

// --- The idle pass -----------------------------------------------------------

TEST_F(ProductTimersTest, AnInactiveApplicationsIdlePassCallsNobody)
{
    Client client;
    client.wantsMore = 1;
    product().GetIdleClients().Add(&client);
    SetAppActive(0);
    EXPECT_EQ(product().OnIdle(5), 0);
    EXPECT_TRUE(client.counts.empty());
    SetAppActive(1);
    EXPECT_EQ(product().OnIdle(5), 1);
    EXPECT_EQ(client.counts, (std::vector<std::int32_t>{5}));
}

TEST_F(ProductTimersTest, TheActivationMessagesKeepTheApplicationActiveWord)
{
    harness.activateApp();
    harness.runUntilIdle();
    EXPECT_EQ(GetAppActive(), 1);
    harness.deactivateApp();
    harness.runUntilIdle();
    EXPECT_EQ(GetAppActive(), 0);
}

TEST_F(ProductTimersTest, TheIdlePassIsTrueWhenAnyClientWantsMoreAndStopsAfterHalfASecond)
{
    SetAppActive(1);
    Client first, slow, last;
    first.wantsMore = 1;
    product().GetIdleClients().Add(&first);
    product().GetIdleClients().Add(&slow);
    product().GetIdleClients().Add(&last);
    EXPECT_EQ(product().OnIdle(0), 1);
    EXPECT_EQ(last.counts.size(), 1u);

    slow.during = [this] { harness.advance(501); };
    EXPECT_EQ(product().OnIdle(1), 1);
    EXPECT_EQ(slow.counts.size(), 2u);
    EXPECT_EQ(last.counts.size(), 1u) << "the budget ran out before the last client";
}

TEST_F(ProductTimersTest, AnIdleClientThatDiesDuringThePassIsNotCalled)
{
    SetAppActive(1);
    Client first;
    auto second = std::make_unique<Client>();
    product().GetIdleClients().Add(&first);
    product().GetIdleClients().Add(second.get());
    first.during = [&] { second.reset(); };
    EXPECT_EQ(product().OnIdle(0), 0);
    EXPECT_EQ(product().GetIdleClients().GetCount(), 1);
}

// --- Busy state --------------------------------------------------------------

TEST_F(ProductTimersTest, BusyIsOneBitSoOneMarkIdleEndsTwoMarkBusy)
{
    harness.advance(10);
    product().MarkBusy();
    const plat::DWORD busyAt = product().GetBusyStamp();
    EXPECT_EQ(busyAt, plat::GetTickCount());
    harness.advance(10);
    product().MarkBusy();
    EXPECT_EQ(product().GetBusyBits(), 1);
    harness.advance(10);
    product().MarkIdle();
    EXPECT_EQ(product().GetBusyBits(), 0);
    EXPECT_EQ(product().GetIdleStamp(), busyAt + 20);
    EXPECT_FALSE(product().IsBusy()) << "busy marks are not waits";
}

TEST_F(ProductTimersTest, WaitsNestAndTheLastEndRefreshesTheObjectUnderTheMouse)
{
    auto* page = new TestPage(PageTraits{}, log);
    page->window = window;
    product().GetPageList().Add(page);
    plat::SetCursorPos(30, 40);
    EXPECT_EQ(product().BeginWait(), 1);
    EXPECT_EQ(product().BeginWait(), 2);
    EXPECT_TRUE(product().IsBusy());
    product().RefreshMouseOver();
    EXPECT_TRUE(log.empty()) << "nothing is refreshed while busy";
    EXPECT_EQ(product().EndWait(), 1);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(product().EndWait(), 0);
    EXPECT_EQ(log, (Log{"move 0 30,40"}));
    EXPECT_FALSE(product().IsBusy());
}

TEST_F(ProductTimersTest, AWaitStateOfZeroEndsAWaitAtAnyDepth)
{
    product().BeginWait();
    product().BeginWait();
    product().BeginWait();
    EXPECT_EQ(product().SetWaitState(0), 0);
    EXPECT_FALSE(product().IsBusy());
    product().CancelWait();
    EXPECT_FALSE(product().IsBusy());
}

TEST_F(ProductTimersTest, AWaitStateBeginsOnlyWhileNotMarkedBusy)
{
    EXPECT_EQ(product().SetWaitState(3), 3);
    EXPECT_EQ(product().GetCursorState().GetWaitFlag(), 3);
    product().CancelWait();
    product().MarkBusy();
    product().SetWaitState(2);
    EXPECT_FALSE(product().IsBusy());
}

// --- The action queue --------------------------------------------------------

class CountedAction : public JxCAction {
public:
    // As a posted clone: the processor deletes it once it has run.
    explicit CountedAction(Log& log) : log_(log) { SetDeleteWhenDone(1); }
    ~CountedAction() override { log_.push_back("action deleted"); }
    std::int16_t Execute() override
    {
        log_.push_back("action runs");
        return 1;
    }

private:
    Log& log_;
};

TEST_F(ProductTimersTest, QueuedActionsRunFromMessage1024ThroughTheMainWindow)
{
    product().QueueAction(new CountedAction(log));
    product().QueueActionFirst(new CountedAction(log));
    EXPECT_EQ(product().CountPendingActions(), 2);
    product().ProcessActions();
    EXPECT_TRUE(log.empty());
    harness.runUntilIdle();
    EXPECT_EQ(log, (Log{"action runs", "action deleted", "action runs", "action deleted"}));
    EXPECT_EQ(product().CountPendingActions(), 0);
}

TEST_F(ProductTimersTest, Message1024StepsTheProductsOwnProcessorWhateverItNames)
{
    product().QueueAction(new CountedAction(log));
    plat::PostMessageA(window, plat::WM_USER, 0, 12345);
    harness.runUntilIdle();
    EXPECT_EQ(log, (Log{"action runs", "action deleted"}));
}

TEST_F(ProductTimersTest, PurgingAndStoppingDropTheQueuedActions)
{
    product().QueueAction(new CountedAction(log));
    product().PurgeQueuedActions(0);
    EXPECT_EQ(log, (Log{"action deleted"}));
    product().QueueAction(new CountedAction(log));
    product().StopQueuedActions();
    EXPECT_EQ(product().CountPendingActions(), 0);
}

TEST_F(ProductTimersTest, WithoutAProcessorTheQueueDoesNothingAndLeaksNothing)
{
    product().SetActionProcessor(nullptr);
    EXPECT_EQ(product().CountPendingActions(), -1);
    product().QueueAction(new CountedAction(log));
    product().QueueActionFirst(new CountedAction(log));
    product().ProcessActions();
    product().PurgeQueuedActions(0);
    EXPECT_EQ(product().StepActionProcessor(), 0);
    EXPECT_EQ(log, (Log{"action deleted", "action deleted"}));
}

// --- First paint -------------------------------------------------------------

TEST_F(ProductTimersTest, APageStartsWhenItsFirstPaintMessageArrivesAndIsIdleThen)
{
    auto* page = new TestPage(PageTraits{}, log);
    product().GetPageList().Add(page);
    product().MarkBusy();
    product().PostFirstPaint(page);
    EXPECT_TRUE(log.empty());
    harness.runUntilIdle();
    EXPECT_EQ(log, (Log{"start 0"}));
    EXPECT_EQ(product().GetBusyBits(), 0);
}

TEST_F(ProductTimersTest, AWaitingFirstPaintIsServedBeforeTheNextIsPosted)
{
    auto* first = new TestPage(PageTraits{}, log);
    auto* second = new TestPage(PageTraits{}, log);
    product().GetPageList().Add(first);
    product().GetPageList().Add(second);
    product().PostFirstPaint(first);
    product().PostFirstPaint(second);
    EXPECT_EQ(log, (Log{"start 0"}));
    harness.runUntilIdle();
    EXPECT_EQ(log, (Log{"start 0", "start 0"}));
}

TEST_F(ProductTimersTest, APageClosedBeforeItsFirstPaintIsNotStarted)
{
    auto* page = new TestPage(PageTraits{}, log);
    product().GetPageList().Add(page);
    product().PostFirstPaint(page);
    product().RemovePage(page);
    harness.runUntilIdle();
    EXPECT_EQ(log, (Log{"close 0"}));
}

TEST_F(ProductTimersTest, TheFirstPaintMessageOfAClosedPageStartsNoPageAtItsAddress)
{
    auto* gone = new TestPage(PageTraits{}, log);
    product().GetPageList().Add(gone);
    ASSERT_EQ(product().PostFirstPaint(gone), 1);
    const std::uint32_t goneSerial = gone->GetFirstPaintSerial();
    product().RemovePage(gone);
    auto* page = new TestPage(PageTraits{}, log);
    product().GetPageList().Add(page);
    // The message the closed page left, as it reads when the new page has
    // the old one's address; then the new page's own.
    plat::PostMessageA(window, JxCBaseProduct::kFirstPaintMessage, plat::WPARAM(goneSerial),
                       reinterpret_cast<plat::LPARAM>(page));
    ASSERT_EQ(product().PostFirstPaint(page), 1);
    harness.runUntilIdle();
    EXPECT_EQ(log, (Log{"close 0", "start 0"}));
}

TEST_F(ProductTimersTest, ClicksWaitingAtTheFirstPaintAreDroppedAndOtherMessagesKept)
{
    auto* page = new TestPage(PageTraits{}, log);
    product().GetPageList().Add(page);
    plat::PostMessageA(window, plat::WM_LBUTTONDOWN, 0, 0);
    plat::PostMessageA(window, plat::WM_USER + 5, 0, 0);
    plat::PostMessageA(window, plat::WM_LBUTTONUP, 0, 0);
    product().OnFirstPaint(page, page->GetFirstPaintSerial());
    EXPECT_EQ(log, (Log{"start 0"}));
    plat::MSG msg;
    EXPECT_FALSE(plat::PeekMessageA(&msg, nullptr, plat::WM_MOUSEFIRST, plat::WM_MOUSELAST, plat::PM_NOREMOVE));
    EXPECT_TRUE(plat::PeekMessageA(&msg, nullptr, plat::WM_USER + 5, plat::WM_USER + 5, plat::PM_NOREMOVE));
}

}  // namespace
}  // namespace product_test
