#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "events/JxCTimerParams.h"
#include "foundation/JxProductLink.h"
#include "graphics/JxCAnimationTransition.h"
#include "graphics/tests/transition_fixture.h"

namespace {

// A play-PICS action that plays nothing: it finishes after a number of
// wave-output completions, or when the test says so.
class FakePics : public JxCAction {
public:
    std::int16_t Execute() override { return startResult; }

    std::int16_t startResult = 1;
    bool resource = true;
    bool finished = false;
    int completions = 0;
    int completionsToFinish = 3;
    JxCString file;
    JxCRunTimeObject* panel = nullptr;
    bool transitionFlag = false;
};

class AnimationTransitionTest : public TransitionTest {
protected:
    void SetUp() override
    {
        TransitionTest::SetUp();
        JxTransitionMediaLink media;
        media.newPicsAction = [this]() -> std::unique_ptr<JxCAction> {
            auto action = std::make_unique<FakePics>();
            pics = action.get();
            return action;
        };
        media.setPicsParameters = [](JxCAction& a, const JxCString& file, JxCRunTimeObject* panel) {
            auto& pics = static_cast<FakePics&>(a);
            pics.file = file;
            pics.panel = panel;
            return std::int16_t(1);
        };
        media.setTransitionFlag = [](JxCAction& a) { static_cast<FakePics&>(a).transitionFlag = true; };
        media.handleEvent = [this](JxCAction& a, JxCTimerParams*) {
            auto& pics = static_cast<FakePics&>(a);
            captureSeen.push_back(plat::GetCapture());
            ownerSeen.push_back(mediaOwner);
            if (++pics.completions >= pics.completionsToFinish)
                pics.finished = true;
        };
        media.hasResource = [](JxCAction& a) { return static_cast<FakePics&>(a).resource; };
        media.isFinished = [](JxCAction& a) { return static_cast<FakePics&>(a).finished; };
        SetTransitionMediaLink(media);

        // The main window hands wave completions to the media owner.
        plat::WNDCLASSA wc;
        wc.lpfnWndProc = [](plat::HWND h, plat::UINT m, plat::WPARAM w, plat::LPARAM l) -> plat::LRESULT {
            if (m == plat::MM_WOM_DONE && Owner()) {
                JxCTimerParams params;
                Owner()->OnSystemEvent(&params);
                return 0;
            }
            if (m >= plat::WM_USER)
                TransitionTest::Dispatched().push_back(m);
            if (m == plat::WM_TIMER) {
                auto* running = dynamic_cast<JxCAnimationTransition*>(Owner());
                Ticks().push_back({w, running && running->IsRunning()});
            }
            return plat::DefWindowProcA(h, m, w, l);
        };
        wc.lpszClassName = "AnimationMain";
        plat::RegisterClassA(wc);
        main = plat::CreateWindowExA(0, "AnimationMain", "", plat::WS_POPUP | plat::WS_VISIBLE, 0, 0, 640, 480,
                                     nullptr, nullptr, nullptr, nullptr);
        JxProductLink product;
        product.mainWindow = [this] { return main; };
        product.palette = [this] { return palette; };
        previousProduct_ = SetProductLink(product);
        Dispatched().clear();
        Ticks().clear();
        Owner() = nullptr;
    }
    void TearDown() override
    {
        Owner() = nullptr;
        SetProductLink(previousProduct_);
        plat::DestroyWindow(main);
        TransitionTest::TearDown();
    }

    // The main window's timer ticks, and whether the transition was running.
    struct Tick {
        plat::WPARAM id;
        bool duringRun;
    };
    static std::vector<Tick>& Ticks()
    {
        static std::vector<Tick> ticks;
        return ticks;
    }
    static JxCNotifyRoot*& Owner()
    {
        static JxCNotifyRoot* owner = nullptr;
        return owner;
    }
    // The transition, read and connected as the media owner's receiver.
    std::unique_ptr<JxCAnimationTransition> Ready()
    {
        auto transition = std::make_unique<JxCAnimationTransition>();
        EXPECT_EQ(transition->Read("D:\\NAV\\IN.ANI", nullptr), 1);
        Owner() = transition.get();
        return transition;
    }
    void PostCompletions(int n)
    {
        for (int i = 0; i < n; ++i)
            plat::PostMessageA(main, plat::MM_WOM_DONE, 0, 0);
    }

    plat::HWND main = nullptr;
    FakePics* pics = nullptr;
    std::vector<plat::HWND> captureSeen;
    std::vector<JxCNotifyRoot*> ownerSeen;

private:
    std::optional<JxProductLink> previousProduct_;
};

TEST_F(AnimationTransitionTest, NothingRunsWithoutAnActionThatStarts)
{
    JxCAnimationTransition empty;
    EXPECT_EQ(empty.Run(), 0);

    auto noResource = Ready();
    pics->resource = false;
    EXPECT_EQ(noResource->Run(), 0);

    auto refused = Ready();
    pics->startResult = 0;
    EXPECT_EQ(refused->Run(), 0);
    EXPECT_EQ(plat::GetCapture(), nullptr) << "no capture";
    EXPECT_EQ(marksBusy, 0) << "and no busy mark";
    EXPECT_EQ(mediaOwner, nullptr);

    SetTransitionMediaLink(std::nullopt);
    JxCAnimationTransition unconnected;
    EXPECT_EQ(unconnected.Read("D:\\NAV\\IN.ANI", nullptr), 0);
}

TEST_F(AnimationTransitionTest, TheAnimationPlaysToItsEndWhileInputIsDiscarded)
{
    auto transition = Ready();
    EXPECT_EQ(pics->file, JxCString("D:\\NAV\\IN.ANI"));
    plat::HWND other = Recorder();
    plat::SetCapture(other);
    Dispatched().clear();
    PostCompletions(1);
    plat::PostMessageA(main, plat::WM_USER, 0, 0);
    plat::PostMessageA(main, plat::WM_USER + 1, 0, 0);
    onWait = [&] {
        if (waits == 1)
            harness.click({100, 100});
        else
            PostCompletions(2);
    };
    EXPECT_EQ(transition->Run(), 1);
    EXPECT_EQ(pics->completions, 3);
    EXPECT_EQ(captureSeen, std::vector<plat::HWND>(3, main)) << "the main window holds the capture";
    EXPECT_EQ(ownerSeen, std::vector<JxCNotifyRoot*>(3, transition.get()));
    EXPECT_EQ(plat::GetCapture(), other) << "the capture goes back";
    EXPECT_EQ(mediaOwner, nullptr);
    EXPECT_EQ(marksBusy, 1);
    EXPECT_EQ(marksIdle, 1);
    EXPECT_EQ(CountDispatched(plat::WM_USER) + CountDispatched(plat::WM_USER + 1), 0)
        << "the private messages wait for the end";

    // The click is gone; the private messages wait, in their order.
    plat::MSG msg{};
    EXPECT_FALSE(plat::PeekMessageA(&msg, nullptr, plat::WM_MOUSEFIRST, plat::WM_MOUSELAST, plat::PM_REMOVE));
    ASSERT_TRUE(plat::PeekMessageA(&msg, nullptr, plat::WM_USER, plat::WM_USER + 1, plat::PM_REMOVE));
    EXPECT_EQ(msg.message, plat::WM_USER);
    ASSERT_TRUE(plat::PeekMessageA(&msg, nullptr, plat::WM_USER, plat::WM_USER + 1, plat::PM_REMOVE));
    EXPECT_EQ(msg.message, plat::WM_USER + 1);
    plat::ReleaseCapture();
    plat::DestroyWindow(other);
}

TEST_F(AnimationTransitionTest, OnlyTheAnimationsOwnTimerTicksAndTheOthersWaitForTheEnd)
{
    auto transition = Ready();
    // Timer 1 is another client's (the title's tick), timer 2 the
    // animation's frame timer.
    JxCNotifyRoot other;
    std::optional<JxTransitionProductLink> link = SetTransitionProductLink(std::nullopt);
    link->timerClient = [&](plat::HWND window, std::uintptr_t id) -> const JxCNotifyRoot* {
        if (window != main)
            return nullptr;
        return id == 1 ? &other : id == 2 ? transition.get() : nullptr;
    };
    SetTransitionProductLink(link);
    plat::SetTimer(main, 1, 100, nullptr);
    plat::SetTimer(main, 2, 100, nullptr);
    const std::uint64_t start = harness.now();
    onWait = [&] {
        if (harness.now() - start >= 1000)
            PostCompletions(3);
    };
    EXPECT_EQ(transition->Run(), 1);
    auto ticks = [](plat::WPARAM id, bool duringRun) {
        return std::count_if(Ticks().begin(), Ticks().end(),
                             [&](const Tick& t) { return t.id == id && t.duringRun == duringRun; });
    };
    EXPECT_GE(ticks(2, true), 5) << "the frame timer drives the animation";
    EXPECT_EQ(ticks(1, true), 0) << "no other timer runs in the middle of the transition";

    // The other timer's tick waited, once: it comes first after the end.
    onWait = {};
    plat::MSG msg{};
    ASSERT_TRUE(plat::PeekMessageA(&msg, main, plat::WM_TIMER, plat::WM_TIMER, plat::PM_REMOVE));
    EXPECT_EQ(msg.wParam, 1u);
    plat::DispatchMessageA(&msg);
    EXPECT_EQ(ticks(1, false), 1);
    plat::KillTimer(main, 1);
    plat::KillTimer(main, 2);
}

TEST_F(AnimationTransitionTest, AQuitEndsTheWaitAndIsPostedAgain)
{
    auto transition = Ready();
    PostCompletions(1);
    plat::PostQuitMessage(3);
    EXPECT_EQ(transition->Run(), 1);
    EXPECT_EQ(pics->completions, 1);
    EXPECT_EQ(mediaOwner, nullptr) << "the media owner is cleared on every way out";
    EXPECT_EQ(marksIdle, 1);
    plat::MSG msg{};
    ASSERT_TRUE(plat::PeekMessageA(&msg, nullptr, 0, 0, plat::PM_REMOVE));
    EXPECT_EQ(msg.message, plat::WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(AnimationTransitionTest, ACaptureWindowDestroyedMeanwhileIsNotGivenTheCaptureAgain)
{
    auto transition = Ready();
    plat::HWND other = Recorder();
    plat::SetCapture(other);
    onWait = [&] {
        if (plat::IsWindow(other))
            plat::DestroyWindow(other);
        PostCompletions(3);
    };
    EXPECT_EQ(transition->Run(), 1);
    EXPECT_EQ(plat::GetCapture(), nullptr);
}

TEST_F(AnimationTransitionTest, ASilentAnimationEndsOnItsOwnAndNeverHangs)
{
    auto transition = Ready();
    const std::uint64_t start = harness.now();
    onWait = [&] {
        if (harness.now() - start >= 1000)
            pics->finished = true;
    };
    EXPECT_EQ(transition->Run(), 1);
    EXPECT_LT(harness.now() - start, 1300u);
    EXPECT_EQ(pics->completions, 0);

    auto endless = Ready();
    onWait = {};
    const std::uint64_t again = harness.now();
    EXPECT_EQ(endless->Run(), 1);
    EXPECT_GE(harness.now() - again, JxCAnimationTransition::kSafetyLimitMilliseconds);
    EXPECT_LT(harness.now() - again, JxCAnimationTransition::kSafetyLimitMilliseconds + 500);
}

TEST_F(AnimationTransitionTest, AnAnimEntryWithoutItsFileStillOpensTheWindow)
{
    // The "anim" entry has no name of its own: its file would be "nav\.ani".
    dataPath = programFolder();
    JxCRunTimeObject panel;
    firstPanel = &panel;
    JxZoomTarget target;
    target.width = 10;
    target.height = 10;
    target.transition = 3;
    plat::HWND window = ZoomToPage(target);
    EXPECT_NE(window, nullptr);
    EXPECT_EQ(pics, nullptr) << "no file, no action";
    EXPECT_EQ(waits, 0);
    EXPECT_EQ(marksBusy, marksIdle);
    plat::DestroyWindow(window);
}

}  // namespace
