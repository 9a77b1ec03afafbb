// Events raised under the product: the current page, its definition and
// template and the product definition take their turns through the
// product's event link, and posted actions reach the product's processor.

#include <memory>
#include <string>
#include <vector>

#include "events/JxCEventHandler.h"
#include "events/JxCTitleHooks.h"
#include "runtime/tests/product_fixture.h"
#include "testkit/playing_action.h"

namespace product_test {
namespace {

constexpr std::int16_t kPlay = 11;
constexpr std::int16_t kClick = 4;

class EventDispatchTest : public ProductTest {
protected:
    void SetUp() override
    {
        ProductTest::SetUp();
        auto def = std::make_unique<JxCProductDef>();
        auto* templateDef = new JxCTemplateDef;
        templateDef->SetTemplateId(3);
        def->AddTemplateDef(templateDef);
        product().SetProductDef(std::move(def));
        product().records[5] = {3, 1, {}};
        ASSERT_TRUE(product().OpenPage(5, 0, 0, 0));
        page = product().FindPageById(5);
        bind(page->GetEventHandlers(), "page");
        bind(page->GetPageDef()->GetEventHandlers(), "page definition");
        bind(*product().GetProductDef()->GetTemplateHandlers(3), "template");
        bind(product().GetProductDef()->GetEventHandlers(), "product");
        bind(object.GetEventHandlers(), "object");
    }

    void bind(JxCEventHandlerList& list, const std::string& name)
    {
        auto* handler = new JxCEventHandler;
        handler->SetEvent(kClick);
        auto actions = std::make_unique<JxCActionList>();
        auto* action = new testkit::PlayingAction(name, ran);
        action->SetType(kPlay);
        action->plays = false;
        actions->Add(action);
        handler->SetActions(std::move(actions));
        list.Add(handler);
    }

    // The names of the queued actions, in queue order.
    std::vector<std::string> queued()
    {
        std::vector<std::string> names;
        JxCProcessActionList* list = product().GetActionProcessor()->GetQueue().GetLast();
        for (std::int32_t i = 0; i < list->GetCount(); ++i)
            names.push_back(static_cast<testkit::PlayingAction*>(list->GetAt(i))->GetName());
        return names;
    }

    testkit::ActionLog ran;
    testkit::PlayingActionFactory factory{kPlay};
    JxCRunTimeObject object;
    JxCPageObject* page = nullptr;
};

TEST_F(EventDispatchTest, TheCurrentPageItsDefinitionTemplateAndTheProductFollowTheObject)
{
    ASSERT_EQ(product().GetCurrentPage(), page);
    object.DispatchEvent(kClick, 0);
    EXPECT_EQ(queued(), (std::vector<std::string>{"object", "page", "page definition", "template", "product"}));
    EXPECT_TRUE(ran.empty()) << "posting only queues";
    harness.runUntilIdle();
    EXPECT_EQ(ran, (testkit::ActionLog{"object", "~object", "page", "~page", "page definition", "~page definition",
                                       "template", "~template", "product", "~product"}));
}

TEST_F(EventDispatchTest, ACurrentPageThatIsNoLongerOpenIsSkipped)
{
    TestPage stray(PageTraits{}, log);
    bind(stray.GetEventHandlers(), "stray");
    product().SetCurrentPage(&stray);
    object.DispatchEvent(kClick, 0);
    EXPECT_EQ(queued(), (std::vector<std::string>{"object", "product"}));
    product().SetCurrentPage(page);
}

TEST_F(EventDispatchTest, AFailedPostEndsTheBusyState)
{
    object.GetEventHandlers().GetFirst()->GetActions()->GetFirst()->SetType(kClick);  // no class: no clone
    product().MarkBusy();
    ASSERT_NE(product().GetBusyBits() & 1, 0);
    object.DispatchEvent(kClick, 0);
    EXPECT_EQ(product().GetBusyBits() & 1, 0);
}

TEST_F(EventDispatchTest, APageDeletedWithItsObjectsClonesQueuedLeavesThemOwnerless)
{
    JxCAction* own = page->GetEventHandlers().GetFirst()->GetActions()->GetFirst();
    own->SetOwner(page);
    page->DispatchEvent(kClick, 0);
    page->DispatchEvent(kClick, 0);
    product().RemovePage(page);
    JxCProcessActionList* list = product().GetActionProcessor()->GetQueue().GetLast();
    for (std::int32_t i = 0; i < list->GetCount(); ++i)
        EXPECT_EQ(list->GetAt(i)->GetOwner(), nullptr);
    harness.runUntilIdle();
    EXPECT_EQ(product().GetActionProcessor()->CountPendingActions(), 0);
}

TEST_F(EventDispatchTest, DataPathsComeFromTheProductFolderUnlessTheObjectStandsAlone)
{
    product().GetProductDef()->SetDataPath("D:\\DATA");
    JxCRunTimeObject contained;
    contained.SetContainer(page);
    EXPECT_EQ(contained.GetDataPath().View(), "D:\\DATA\\");
    EXPECT_EQ(object.GetDataPath().View(), "");
}

class QuizHooks : public JxCTitleHooks {
public:
    JxCRunTimeObject* FindQuizPage() override { return quiz; }
    JxCRunTimeObject* quiz = nullptr;
};

TEST_F(EventDispatchTest, TheBaseProductFindsTheQuizPageThroughTheTitleHooks)
{
    EXPECT_EQ(product().JxCBaseProduct::FindQuizPage(), nullptr);
    QuizHooks hooks;
    hooks.quiz = page;
    JxCTitleHooks* previous = SetTitleHooks(&hooks);
    EXPECT_EQ(product().JxCBaseProduct::FindQuizPage(), page);
    SetTitleHooks(previous);
}

}  // namespace
}  // namespace product_test
