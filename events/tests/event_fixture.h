#pragma once
// Notification tables and an action factory for the event layer's tests,
// with the product's part played by the test: its event link hands posted
// actions to a processor or records them.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "events/JxCActionProcessor.h"
#include "events/JxEventLink.h"
#include "events/JxNotifyTables.h"
#include "testkit/playing_action.h"

namespace event_test {

using testkit::ActionLog;
using testkit::PlayingAction;

// The ids the tests use; the tables are as large as the engine's.
constexpr std::int16_t kActionCount = 30;
constexpr std::int16_t kEventCount = 12;
constexpr std::int16_t kPlay = 11;  // the type of every playing action
constexpr std::int16_t kClick = 4;
constexpr std::int16_t kOpen = 1;

// A receiver that notes what reaches it.
class Ear : public JxCNotifyRoot {
public:
    explicit Ear(std::string name, ActionLog& log) : name_(std::move(name)), log_(log) {}
    void PreNotify(JxCNotify* n, JxCObject*) override
    {
        log_.push_back(name_ + " before " + std::to_string(n->GetTypeId()));
        if (during)
            during();
    }
    void Notify(JxCNotify* n, JxCObject*) override
    {
        log_.push_back(name_ + " after " + std::to_string(n->GetTypeId()));
        if (during)
            during();
    }
    std::function<void()> during;

private:
    std::string name_;
    ActionLog& log_;
};

class EventTest : public ::testing::Test {
protected:
    EventTest() { AllocateNotifyTables(std::size_t(kActionCount), std::size_t(kEventCount)); }
    ~EventTest() override
    {
        SetEventLink(std::nullopt);
        FreeNotifyTables();
    }

    // A playing action of the test type, owned by the caller.
    PlayingAction* play(const std::string& name, bool plays = true, bool waits = true)
    {
        auto* a = new PlayingAction(name, log);
        a->SetType(kPlay);
        a->plays = plays;
        a->waits = waits;
        return a;
    }

    // Posted actions go to the log by name and are kept until the test ends.
    void recordPosts()
    {
        JxEventLink link;
        link.queueAction = [this](JxCAction* a) {
            auto* p = dynamic_cast<PlayingAction*>(a);
            log.push_back("post " + (p ? p->GetName() : std::string("?")));
            posted.emplace_back(a);
        };
        link.markIdle = [this] { log.push_back("idle"); };
        SetEventLink(std::move(link));
    }

    testkit::PlayingActionFactory factory{kPlay};
    ActionLog log;
    std::vector<std::unique_ptr<JxCAction>> posted;
};

}  // namespace event_test
