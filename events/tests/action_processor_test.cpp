#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "events/JxCActionProcessor.h"
#include "events/JxCNotifyRoot.h"
#include "foundation/JxProductLink.h"
#include "platform/backend/harness.h"
#include "platform/window/window.h"

namespace {

using Log = std::vector<std::string>;

// An action that notes its run and can do more while it runs.
class NoteAction : public JxCAction {
public:
    NoteAction(Log& log, std::string name, std::function<void()> during = {})
        : log_(log), name_(std::move(name)), during_(std::move(during))
    {
    }
    ~NoteAction() override { log_.push_back("~" + name_); }
    std::int16_t Execute() override
    {
        log_.push_back(name_);
        if (during_)
            during_();
        return 1;
    }

private:
    Log& log_;
    std::string name_;
    std::function<void()> during_;
};

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

class ActionProcessorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        plat::WNDCLASSA wc;
        wc.lpfnWndProc = &mainProc;
        wc.lpszClassName = "ProcessorMain";
        ASSERT_NE(plat::RegisterClassA(wc), 0);
        window = plat::CreateWindowA("ProcessorMain", "main", plat::WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     nullptr, nullptr);
        JxProductLink link;
        link.mainWindow = [this] { return window; };
        SetProductLink(std::move(link));
        steppedProcessor() = &processor;
    }
    void TearDown() override
    {
        steppedProcessor() = nullptr;
        SetProductLink(std::nullopt);
    }

    NoteAction* note(const std::string& name, std::function<void()> during = {})
    {
        return new NoteAction(log, name, std::move(during));
    }
    int passMessagesWaiting()
    {
        int n = 0;
        plat::MSG msg;
        while (plat::PeekMessageA(&msg, window, JxCActionProcessor::kPassMessage, JxCActionProcessor::kPassMessage,
                                  plat::PM_REMOVE))
            ++n;
        return n;
    }

    plat::Harness harness;
    plat::HWND window = nullptr;
    Log log;
    JxCActionProcessor processor;
};

TEST_F(ActionProcessorTest, QueuedActionsRunFromTheMessageInQueueOrderAndAreThenDeleted)
{
    processor.QueueAction(note("b"));
    processor.QueueActionFirst(note("a"));
    processor.QueueAction(note("c"));
    processor.SchedulePass();
    EXPECT_TRUE(log.empty()) << "nothing runs from inside the code that queues";
    EXPECT_EQ(processor.CountPendingActions(), 3);
    harness.runUntilIdle();
    EXPECT_EQ(log, (Log{"a", "~a", "b", "~b", "c", "~c"}));
    EXPECT_EQ(processor.CountPendingActions(), 0);
    EXPECT_FALSE(processor.IsPassScheduled());
}

TEST_F(ActionProcessorTest, OnePassMessageWaitsHoweverOftenAPassIsScheduled)
{
    processor.QueueAction(note("a"));
    processor.SchedulePass();
    processor.SchedulePass();
    EXPECT_TRUE(processor.IsPassScheduled());
    EXPECT_EQ(passMessagesWaiting(), 1);
}

TEST_F(ActionProcessorTest, WithoutAMainWindowNoPassIsScheduled)
{
    plat::DestroyWindow(window);
    processor.QueueAction(note("a"));
    processor.SchedulePass();
    EXPECT_FALSE(processor.IsPassScheduled());
}

TEST_F(ActionProcessorTest, AnActionQueuedDuringAPassRunsInThatPass)
{
    processor.QueueAction(note("a", [this] { processor.QueueAction(note("b")); }));
    processor.Step();
    EXPECT_EQ(log, (Log{"a", "~a", "b", "~b"}));
}

TEST_F(ActionProcessorTest, AStepFromInsideARunningActionDoesNothing)
{
    std::int16_t nested = -1;
    processor.QueueAction(note("a", [&] { nested = processor.Step(); }));
    processor.QueueAction(note("b"));
    processor.Step();
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(log, (Log{"a", "~a", "b", "~b"}));
}

TEST_F(ActionProcessorTest, CancellingDuringAPassKeepsTheRunningActionAndDropsTheRest)
{
    processor.QueueAction(note("a", [this] { processor.CancelQueue(0); }));
    processor.QueueAction(note("b"));
    processor.QueueAction(note("c"));
    processor.Step();
    // b and c are deleted by the cancel, unrun; a finishes its run.
    EXPECT_EQ(log, (Log{"a", "~b", "~c", "~a"}));
}

TEST_F(ActionProcessorTest, StoppedActionsAreNotPendingAndDoNotRun)
{
    NoteAction* b = note("b");
    processor.QueueAction(note("a"));
    processor.QueueAction(b);
    b->SetStopped(1);
    EXPECT_EQ(processor.CountPendingActions(), 1);
    processor.Step();
    EXPECT_EQ(log, (Log{"a", "~a", "~b"}));
}

TEST_F(ActionProcessorTest, QueueingClearsTheStoppedWordAndNullIsIgnored)
{
    NoteAction* a = note("a");
    a->SetStopped(1);
    processor.QueueAction(a);
    processor.QueueAction(nullptr);
    processor.QueueActionFirst(nullptr);
    EXPECT_EQ(processor.CountPendingActions(), 1);
}

TEST_F(ActionProcessorTest, TheProcessorDeletesWhatIsStillQueued)
{
    {
        JxCActionProcessor other;
        other.QueueAction(note("a"));
        other.QueueAction(note("b"));
    }
    EXPECT_EQ(log, (Log{"~a", "~b"}));
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
