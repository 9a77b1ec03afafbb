// The queue: posted order, synthesised paint and timer messages, filters,
// quitting, posts from other threads, and the clock behind it.

#include <cstdlib>
#include <thread>

#include "platform/clock/clock.h"
#include "platform/draw/dc.h"
#include "platform/window/cursor.h"
#include "platform/tests/window_fixture.h"

namespace plat::testing {
namespace {

using Queue = WindowTest;

std::vector<UINT> drain(HWND filter = nullptr, UINT first = 0, UINT last = 0)
{
    std::vector<UINT> out;
    MSG m;
    while (PeekMessageA(&m, filter, first, last, PM_REMOVE)) {
        out.push_back(m.message);
        if (m.message == WM_PAINT)
            ValidateRect(m.hwnd, nullptr);
        if (out.size() > 1000)
            break;
    }
    return out;
}

TEST_F(Queue, PostedMessagesComeInOrderBeforePaintAndTimers)
{
    HWND w = top(0, 0, 100, 100, WS_POPUP);
    harness.runUntilIdle();
    SetTimer(w, 7, 50, nullptr);
    harness.advance(60);
    InvalidateRect(w, nullptr, 1);
    PostMessageA(w, WM_USER + 1, 1, 0);
    PostMessageA(w, MM_WOM_DONE, 2, 0);
    PostMessageA(w, WM_USER, 3, 0);
    EXPECT_EQ(drain(), (std::vector<UINT>{WM_USER + 1, MM_WOM_DONE, WM_USER, WM_PAINT, WM_TIMER}));
}

TEST_F(Queue, PaintIsMadeOnceHoweverOftenTheWindowIsInvalidated)
{
    HWND w = top(0, 0, 100, 100, WS_POPUP);
    harness.runUntilIdle();
    InvalidateRect(w, nullptr, 0);
    RECT r{1, 1, 5, 5};
    InvalidateRect(w, &r, 1);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_PAINT);
    // Taking it does not validate: it comes again until the window paints.
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, WM_PAINT);
    PAINTSTRUCT ps;
    BeginPaint(w, &ps);
    EXPECT_TRUE(ps.fErase);  // no device context yet: the window erases itself
    EXPECT_EQ(ps.rcPaint, (RECT{0, 0, 100, 100}));
    EndPaint(w, &ps);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(Queue, AParentIsPaintedBeforeItsChildren)
{
    HWND p = top(0, 0, 100, 100, WS_POPUP);
    HWND c = child(p, 10, 10, 20, 20);
    seen.clear();
    harness.runUntilIdle();
    auto paints = of(WM_PAINT);
    ASSERT_EQ(paints.size(), 2u);
    EXPECT_EQ(paints[0].hwnd, p);
    EXPECT_EQ(paints[1].hwnd, c);
}

TEST_F(Queue, UpdateWindowPaintsAtOnceAndOnlyWhenThereIsSomethingToPaint)
{
    HWND w = top(0, 0, 100, 100, WS_POPUP);
    harness.runUntilIdle();
    seen.clear();
    UpdateWindow(w);
    EXPECT_TRUE(of(WM_PAINT).empty());
    RECT r{10, 10, 20, 20};
    InvalidateRect(w, &r, 0);
    RECT u;
    EXPECT_TRUE(GetUpdateRect(w, &u, 0));
    EXPECT_EQ(u, r);
    UpdateWindow(w);
    EXPECT_EQ(of(WM_PAINT).size(), 1u);
    EXPECT_FALSE(GetUpdateRect(w, &u, 0));
    ValidateRect(w, nullptr);
}

TEST_F(Queue, PixelByPixelInvalidationsKeepTheUpdateRegionSmall)
{
    // 100,000 one-pixel invalidations between two updates, row by row and
    // then column by column: the update region is the block they fill, kept
    // in a handful of rectangles all the way.
    HWND w = top(0, 0, 640, 480, WS_POPUP);
    harness.runUntilIdle();
    ValidateRect(w, nullptr);
    std::size_t most = 0;
    Region update;
    auto invalidate = [&](LONG x, LONG y, int i) {
        RECT r{x, y, x + 1, y + 1};
        InvalidateRect(w, &r, 0);
        if (i % 997 == 0) {
            GetUpdateRgn(w, &update, 0);
            most = std::max(most, update.rectCount());
        }
    };
    int i = 0;
    for (LONG y = 0; y < 250; ++y)
        for (LONG x = 0; x < 400; ++x)
            invalidate(x + 20, y + 30, i++);
    EXPECT_EQ(GetUpdateRgn(w, &update, 0), SIMPLEREGION);
    EXPECT_EQ(update.box(), (RECT{20, 30, 420, 280}));
    ValidateRect(w, nullptr);
    for (LONG x = 0; x < 400; ++x)
        for (LONG y = 0; y < 250; ++y)
            invalidate(x, y, i++);
    EXPECT_EQ(GetUpdateRgn(w, &update, 0), SIMPLEREGION);
    EXPECT_EQ(update.box(), (RECT{0, 0, 400, 250}));
    EXPECT_LE(most, 3u);
    ValidateRect(w, nullptr);
}

TEST_F(Queue, ATimerNeverHasTwoMessagesOutstandingAndIsNotCaughtUp)
{
    HWND w = top(0, 0, 100, 100, WS_POPUP);
    harness.runUntilIdle();
    SetTimer(w, 1, 100, nullptr);
    harness.advance(1000);  // ten periods late
    EXPECT_EQ(drain(), (std::vector<UINT>{WM_TIMER}));
    harness.advance(99);
    EXPECT_TRUE(drain().empty());
    harness.advance(1);
    EXPECT_EQ(drain(), (std::vector<UINT>{WM_TIMER}));
}

TEST_F(Queue, TimersFireInTheirTimeAndDieWithTheirWindow)
{
    HWND w = top(0, 0, 100, 100, WS_POPUP);
    SetTimer(w, 1, 100, nullptr);
    SetTimer(w, 2, 250, nullptr);
    harness.runUntilIdle();
    seen.clear();
    harness.runFor(500);
    std::vector<WPARAM> ids;
    for (const Seen& s : of(WM_TIMER))
        ids.push_back(s.wParam);
    EXPECT_EQ(ids, (std::vector<WPARAM>{1, 1, 2, 1, 1, 1, 2}));  // at 500 both: set first, first
    EXPECT_TRUE(KillTimer(w, 2));
    EXPECT_FALSE(KillTimer(w, 2));
    DestroyWindow(w);
    EXPECT_FALSE(KillTimer(w, 1));
    seen.clear();
    harness.runFor(500);
    EXPECT_TRUE(of(WM_TIMER).empty());
}

TEST_F(Queue, SettingATimerAgainRestartsIt)
{
    HWND w = top(0, 0, 100, 100, WS_POPUP);
    harness.runUntilIdle();
    SetTimer(w, 1, 100, nullptr);
    harness.advance(90);
    SetTimer(w, 1, 100, nullptr);
    harness.advance(20);
    EXPECT_TRUE(drain().empty());
    harness.advance(80);
    EXPECT_EQ(drain(), (std::vector<UINT>{WM_TIMER}));
}

TEST_F(Queue, TimerProceduresAreCalledByDispatch)
{
    static int calls;
    calls = 0;
    std::uintptr_t id = SetTimer(nullptr, 0, 10, [](HWND, UINT, std::uintptr_t, DWORD) { ++calls; });
    EXPECT_NE(id, 0u);
    harness.runFor(35);
    EXPECT_EQ(calls, 3);
    KillTimer(nullptr, id);
}

TEST_F(Queue, FiltersSelectByWindowAndRangeAndLeaveTheRest)
{
    HWND a = top(0, 0, 100, 100, WS_POPUP);
    HWND b = top(0, 0, 100, 100, WS_POPUP);
    HWND ca = child(a, 0, 0, 10, 10);
    harness.runUntilIdle();
    PostMessageA(b, WM_USER, 0, 0);
    PostMessageA(ca, WM_USER + 5, 0, 0);
    PostMessageA(a, WM_USER + 9, 0, 0);
    PostAppMessage(WM_USER + 2, 0, 0);
    MSG m;
    // A window filter takes the window's children too.
    ASSERT_TRUE(PeekMessageA(&m, a, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.hwnd, ca);
    ASSERT_TRUE(PeekMessageA(&m, a, WM_USER + 6, WM_USER + 10, PM_REMOVE));
    EXPECT_EQ(m.message, WM_USER + 9);
    EXPECT_FALSE(PeekMessageA(&m, b, WM_USER + 1, WM_USER + 3, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&m, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_USER + 2);
    EXPECT_EQ(drain(), (std::vector<UINT>{WM_USER, WM_USER + 5}));
}

TEST_F(Queue, QuitComesAfterPostedMessagesWithItsExitCode)
{
    HWND w = top(0, 0, 100, 100, WS_POPUP);
    harness.runUntilIdle();
    PostQuitMessage(3);
    PostMessageA(w, WM_USER, 0, 0);
    MSG m;
    EXPECT_EQ(GetMessageA(&m, nullptr, 0, 0), 1);
    EXPECT_EQ(m.message, WM_USER);
    EXPECT_EQ(GetMessageA(&m, nullptr, 0, 0), 0);
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 3u);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Queue, ABlockingGetWaitsForTheNextTimer)
{
    HWND w = top(0, 0, 100, 100, WS_POPUP);
    harness.runUntilIdle();
    std::uint64_t start = harness.now();
    SetTimer(w, 4, 250, nullptr);
    MSG m;
    ASSERT_EQ(GetMessageA(&m, nullptr, 0, 0), 1);
    EXPECT_EQ(m.message, WM_TIMER);
    EXPECT_EQ(m.wParam, 4u);
    EXPECT_EQ(harness.now() - start, 250u);  // the virtual clock jumped to it
    EXPECT_EQ(m.time, DWORD(harness.now()));
}

TEST_F(Queue, PostsFromAnotherThreadArriveInOrderAndWakeABlockedGet)
{
    HWND w = top(0, 0, 100, 100, WS_POPUP);
    harness.runUntilIdle();
    std::thread other([w] {
        for (int i = 0; i < 1000; ++i)
            PostMessageA(w, MM_WOM_DONE, WPARAM(i), 0);
    });
    std::vector<WPARAM> got;
    MSG m;
    while (got.size() < 1000 && GetMessageA(&m, nullptr, 0, 0) > 0)
        if (m.message == MM_WOM_DONE)
            got.push_back(m.wParam);
    other.join();
    ASSERT_EQ(got.size(), 1000u);
    for (size_t i = 0; i < got.size(); ++i)
        ASSERT_EQ(got[i], i);
}

TEST_F(Queue, SendIsSynchronousAndReturnsTheResult)
{
    HWND w = top(0, 0, 100, 100, WS_POPUP);
    handlers[WM_USER] = [](HWND, WPARAM wp, LPARAM lp) { return LRESULT(wp + WPARAM(lp)); };
    EXPECT_EQ(SendMessageA(w, WM_USER, 40, 2), 42);
    EXPECT_FALSE(InSendMessage());
}

TEST_F(Queue, DestroyingAWindowDropsItsQueuedMessages)
{
    HWND a = top(0, 0, 100, 100, WS_POPUP);
    HWND b = top(0, 0, 100, 100, WS_POPUP);
    harness.runUntilIdle();
    PostMessageA(a, WM_USER, 0, 0);
    PostMessageA(b, WM_USER + 1, 0, 0);
    DestroyWindow(a);
    seen.clear();
    harness.runUntilIdle();
    EXPECT_EQ(messagesOf(nullptr, {WM_USER, WM_USER + 1}), (std::vector<UINT>{WM_USER + 1}));
}

TEST_F(Queue, MessagesCarryTheirTime)
{
    HWND w = top(0, 0, 100, 100, WS_POPUP);
    harness.runUntilIdle();
    DWORD t0 = GetTickCount();
    PostMessageA(w, WM_USER, 0, 0);
    harness.advance(30);
    harness.runUntilIdle();
    auto got = of(WM_USER);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].time, t0);
    EXPECT_EQ(GetMessageTime(), t0);
}

TEST_F(Queue, ARunawayProgramIsStoppedNotSpunOnForever)
{
    HWND w = top(0, 0, 100, 100, WS_POPUP);
    handlers[WM_USER] = [](HWND h, WPARAM, LPARAM) {
        PostMessageA(h, WM_USER, 0, 0);
        return LRESULT(0);
    };
    PostMessageA(w, WM_USER, 0, 0);
    EXPECT_THROW(harness.runUntilIdle(1000), std::runtime_error);
}

TEST(StartUpDeathTest, AnotherThreadNeverMakesTheBackendOrTheDesktop)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // In a fresh process nothing is made yet: a sound thread's completion
    // posted before start-up must not make the host window on its thread.
    // The children stay headless: a host window would take the display's
    // focus from the tests that run beside them.
    EXPECT_DEATH(
        {
            setenv("KELBO_BACKEND", "headless", 1);
            std::thread([] { PostAppMessage(WM_USER, 0, 0); }).join();
        },
        "first needed on a thread other than the main thread");
    EXPECT_EXIT(
        {
            setenv("KELBO_BACKEND", "headless", 1);
            StartPlatform();
            std::thread([] { PostAppMessage(WM_USER, 1, 0); }).join();
            MSG m;
            std::exit(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE) && m.wParam == 1 ? 7 : 1);
        },
        ::testing::ExitedWithCode(7), "");
}

TEST(Clock, TickCountsWrapAt32BitsWhileDeadlinesDoNot)
{
    auto vc = std::make_shared<VirtualClock>(0xFFFFFFF0ull);
    auto previous = InstallClock(vc);
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
    vc->advanceBy(0x20);
    EXPECT_EQ(GetTickCount(), 0x10u);
    EXPECT_EQ(timeGetTime(), 0x10u);
    EXPECT_EQ(vc->now(), 0x100000010ull);
    vc->advanceTo(5);  // never backwards
    EXPECT_EQ(vc->now(), 0x100000010ull);
    InstallClock(previous);
}

TEST(Clock, AHeldClockOutlivesItsReplacement)
{
    auto first = std::make_shared<VirtualClock>(1234);
    auto previous = InstallClock(first);
    Clock& held = TheClock();
    first.reset();
    InstallClock(std::make_shared<VirtualClock>(5678));  // the only owner of `first` lets go
    EXPECT_EQ(held.now(), 1234u);
    EXPECT_EQ(GetTickCount(), 5678u);
    InstallClock(previous);
}

TEST(Clock, TheRealClockIsMonotonic)
{
    RealClock c;
    auto a = c.now();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    auto b = c.now();
    EXPECT_GE(b - a, 19u);
    EXPECT_LT(b - a, 2000u);
}

}  // namespace
}  // namespace plat::testing

namespace plat::testing {
namespace {

TEST_F(Queue, AFilteredWaitIgnoresOtherMessagesAndEndsAtItsTimeOut)
{
    HWND w = top(0, 0, 100, 100, WS_POPUP);
    harness.runUntilIdle();
    PostMessageA(w, WM_USER, 0, 0);
    harness.click({50, 50});
    const std::uint64_t start = harness.now();
    EXPECT_EQ(WaitMessageTimeout(MM_WOM_DONE, MM_WOM_DONE, 80), 0);
    EXPECT_EQ(harness.now() - start, 80u) << "it slept the whole time out";
    PostMessageA(w, MM_WOM_DONE, 0, 0);
    EXPECT_EQ(WaitMessageTimeout(MM_WOM_DONE, MM_WOM_DONE, 80), 1);
    EXPECT_EQ(harness.now() - start, 80u) << "a waiting completion ends it at once";
    // Without a range any message ends it; everything is still queued.
    EXPECT_EQ(WaitMessageTimeout(0, 0, 80), 1);
    EXPECT_EQ(drain(), (std::vector<UINT>{WM_USER, MM_WOM_DONE, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}));
    // A timer due before the time out ends a wait that admits timers.
    SetTimer(w, 1, 30, nullptr);
    drain();
    EXPECT_EQ(WaitMessageTimeout(WM_TIMER, WM_TIMER, 80), 1);
    EXPECT_EQ(harness.now() - start, 110u);
}

TEST_F(Queue, TheClassCursorIsSetForEveryWindowOfTheClass)
{
    HWND a = top(0, 0, 10, 10, WS_POPUP);
    HWND b = top(20, 0, 10, 10, WS_POPUP);
    HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
    EXPECT_EQ(GetClassLongPtrA(a, GCL_HCURSOR), 0u);
    EXPECT_EQ(SetClassLongPtrA(a, GCL_HCURSOR, reinterpret_cast<std::uintptr_t>(wait)), 0u);
    EXPECT_EQ(GetClassLongPtrA(b, GCL_HCURSOR), reinterpret_cast<std::uintptr_t>(wait));
    EXPECT_EQ(GetClassLongA(b, GCL_HCURSOR), 1u);
    EXPECT_EQ(SetClassLongPtrA(a, GCL_HCURSOR, 0), reinterpret_cast<std::uintptr_t>(wait));
    EXPECT_EQ(SetClassLongPtrA(a, GCL_STYLE, 1), 0u) << "only the cursor is pointer-sized here";
    EXPECT_EQ(GetClassLongPtrA(nullptr, GCL_HCURSOR), 0u);
}

}  // namespace
}  // namespace plat::testing
