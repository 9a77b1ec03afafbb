#include <algorithm>
#include <memory>
#include <vector>

#include "events/JxCEventHandler.h"
#include "events/JxCRunTimeObject.h"
#include "events/tests/event_fixture.h"
#include "foundation/JxCInStrStream.h"

namespace event_test {
namespace {

class DispatchTest : public EventTest {
protected:
    DispatchTest()
    {
        recordPosts();
        JxEventLink link = *GetEventLink();
        link.currentOpenPage = [this]() -> JxCRunTimeObject* { return pageOpen ? page.get() : nullptr; };
        link.pageDefHandlers = [this](JxCRunTimeObject*) { return &pageDef.GetEventHandlers(); };
        link.templateHandlers = [this](JxCRunTimeObject*) { return &templateHandlers; };
        link.productDef = [this]() -> JxCRunTimeObject* { return &productDef; };
        SetEventLink(std::move(link));
        bind(object->GetEventHandlers(), "object");
        bind(page->GetEventHandlers(), "page");
        bind(pageDef.GetEventHandlers(), "page definition");
        bind(templateHandlers, "template");
        bind(productDef.GetEventHandlers(), "product");
        before.AddObjectNotifyBeforeEvent(kClick, 0, nullptr);
        after.AddObjectNotify(kClick, 0, nullptr);
    }

    // A click handler posting one playing action of that name.
    void bind(JxCEventHandlerList& list, const std::string& name, std::int16_t event = kClick)
    {
        auto* handler = new JxCEventHandler;
        handler->SetEvent(event);
        auto actions = std::make_unique<JxCActionList>();
        actions->Add(play(name));
        handler->SetActions(std::move(actions));
        list.Add(handler);
    }

    Ear before{"before", log}, after{"after", log};
    std::unique_ptr<JxCRunTimeObject> object = std::make_unique<JxCRunTimeObject>();
    std::unique_ptr<JxCRunTimeObject> page = std::make_unique<JxCRunTimeObject>();
    JxCRunTimeObject pageDef, productDef;
    JxCEventHandlerList templateHandlers;
    bool pageOpen = true;
};

TEST_F(DispatchTest, EveryStageRunsInItsOrder)
{
    object->DispatchEvent(kClick, 0);
    EXPECT_EQ(log, (ActionLog{"before before 4", "post object", "post page", "post page definition",
                              "post template", "post product", "after after 4"}));
}

TEST_F(DispatchTest, AClosedCurrentPageIsSkippedButTheProductStillRuns)
{
    pageOpen = false;
    object->DispatchEvent(kClick, 0);
    EXPECT_EQ(log, (ActionLog{"before before 4", "post object", "post product", "after after 4"}));
}

TEST_F(DispatchTest, HandlersMatchOnTheEventAloneAndRunInListOrder)
{
    bind(object->GetEventHandlers(), "second");
    bind(object->GetEventHandlers(), "other event", kOpen);
    object->DispatchEvent(kClick, 9);
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[1], "post object");
    EXPECT_EQ(log[2], "post second");
    EXPECT_EQ(std::count(log.begin(), log.end(), "post other event"), 0);
}

TEST_F(DispatchTest, AnObjectDeletedBeforeItsHandlersGetsNoStageOfItsOwn)
{
    before.during = [this] { object.reset(); };
    JxCRunTimeObject* raiser = object.get();
    raiser->DispatchEvent(kClick, 0);
    // Its own action went with it, unposted.
    EXPECT_EQ(log, (ActionLog{"before before 4", "~object", "post page", "post page definition", "post template",
                              "post product", "after after 4"}));
}

TEST_F(DispatchTest, AFailedPostEndsTheBusyStateAndTheWalkGoesOn)
{
    JxEventLink link = *GetEventLink();
    link.queueAction = [](JxCAction* a) { delete a; };
    SetEventLink(link);
    // An action whose type has no class cannot be cloned.
    object->GetEventHandlers().GetFirst()->GetActions()->GetFirst()->SetType(kOpen);
    bind(object->GetEventHandlers(), "later");
    pageOpen = false;
    log.clear();
    object->DispatchEvent(kClick, 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "idle"), 1);
    EXPECT_EQ(log.back(), "after after 4");
}

TEST_F(DispatchTest, WithoutAProductOnlyTheObjectAndTheNotificationsRun)
{
    SetEventLink(std::nullopt);
    JxEventLink link;
    link.queueAction = [this](JxCAction* a) {
        log.push_back("post");
        posted.emplace_back(a);
    };
    SetEventLink(std::move(link));
    object->DispatchEvent(kClick, 0);
    EXPECT_EQ(log, (ActionLog{"before before 4", "post", "after after 4"}));
}

TEST_F(DispatchTest, AnEventIsIdleUntilOneOfTheObjectsOwnActionsPlays)
{
    EXPECT_EQ(object->IsEventIdle(kClick), 1);
    auto* own = static_cast<PlayingAction*>(object->GetEventHandlers().GetFirst()->GetActions()->GetFirst());
    own->Run();
    EXPECT_EQ(object->IsEventIdle(kClick), 0);
    EXPECT_EQ(object->IsEventIdle(kOpen), 1);
    own->Finish();
    EXPECT_EQ(object->IsEventIdle(kClick), 1);
}

TEST_F(DispatchTest, SettingAHandlerReplacesTheOneForTheSameEvent)
{
    JxCEventHandlerList& list = object->GetEventHandlers();
    auto* replacement = new JxCEventHandler;
    replacement->SetEvent(kClick);
    list.SetEventHandler(replacement);
    list.SetEventHandler(nullptr);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetFirst(), replacement);
}

// --- Records ---------------------------------------------------------------------

std::int16_t readTrailer(JxCRunTimeObject& object, std::vector<std::uint8_t> data)
{
    JxCInStrStream in(JxMemoryBlock{data.data(), std::uint32_t(data.size())});
    return object.ReadHandlersAndScope(in);
}

TEST_F(DispatchTest, TheTrailerNeedsAZeroScopeWord)
{
    JxCRunTimeObject a, b, c;
    // One click handler with one playing action, then the scope word.
    EXPECT_EQ(readTrailer(a, {0, 1, 0, kClick, 0, 1, 0, kPlay, 0, 0}), 1);
    EXPECT_EQ(a.GetEventHandlers().GetCount(), 1);
    EXPECT_EQ(readTrailer(b, {0, 1, 0, kClick, 0, 1, 0, kPlay, 0, 1}), 0) << "no scope objects exist";
    EXPECT_EQ(readTrailer(c, {0, 0, 0, 0}), 1) << "no handlers";
}

TEST_F(DispatchTest, AHandlerWhoseActionsFailEndsTheListAndIsNotKept)
{
    JxCRunTimeObject a;
    // Two handlers; the first one's action has no class.
    EXPECT_EQ(readTrailer(a, {0, 2, 0, kClick, 0, 1, 0, kOpen, 0, kClick, 0, 0, 0, 0}), 0);
    EXPECT_EQ(a.GetEventHandlers().GetCount(), 0);
    JxCRunTimeObject b;
    EXPECT_EQ(readTrailer(b, {0x40, 0, 0, kClick}), 0) << "count beyond the bytes left";
}

}  // namespace
}  // namespace event_test
