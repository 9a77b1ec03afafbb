// The viewing panel: a release closes the page's unlinked member pages and
// is then spent on them; without members the object under it reacts. Its
// "on_open" and its other events reach the current page and the
// definitions around it, as every object's do.

#include "events/JxCEventHandler.h"
#include "objects/panels/JxCViewingPanel.h"
#include "objects/tests/panel_fixture.h"
#include "runtime/JxCProductDef.h"
#include "runtime/JxKeywordTables.h"

namespace {

using namespace panel_test;
using Log = std::vector<std::string>;

class ViewingPanelTest : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        panelDef();
        readDefinitions();
        page = new SlatePage(200, 100);
        GetProduct()->GetPageList().Add(page);
        panel = new JxCViewingPanel;
        ASSERT_EQ(panel->Init(2, page->GetPageDef()), 1);
        page->GetPageDef()->GetPanelList().Add(panel);
        panel->SetRect(JxCRect(10, 20, 110, 70));
        panel->SetOwnerPage(page);
        auto* object = new testkit::RecordingObject("a", log, JxCRect(0, 0, 40, 40), 1);
        object->Attach(panel, JxCTypeKey());
        panel->GetDisplayObjects().InsertByZOrder(object);
    }
    void TearDown() override
    {
        while (JxCPageObject* p = GetProduct()->GetPageList().GetLast())
            GetProduct()->GetPageList().ClosePage(p);
        PanelTest::TearDown();
    }
    SlatePage* openMember(std::int16_t link)
    {
        auto* member = new SlatePage(10, 10);
        member->SetLink(link);
        member->SetOpenerPage(page);
        GetProduct()->GetPageList().Add(member);
        page->AddMember(member);
        GetProduct()->RefreshPanelStates();
        return member;
    }
    int pageCount() const { return GetProduct()->GetPageCount(); }

    Log log;
    SlatePage* page = nullptr;
    JxCViewingPanel* panel = nullptr;
};

TEST_F(ViewingPanelTest, AClickClosesTheUnlinkedMemberAndReachesNoObject)
{
    openMember(0);
    EXPECT_EQ(panel->IsActive(), 1);
    page->MouseDown(JxCPoint(15, 25));
    page->MouseUp(JxCPoint(15, 25));
    EXPECT_EQ(pageCount(), 1);
    EXPECT_EQ(log, (Log{"a down 5,5"}));
    EXPECT_EQ(GetProduct()->GetCapturePage(), nullptr);
    EXPECT_EQ(panel->IsActive(), 0);
}

TEST_F(ViewingPanelTest, ALinkedMemberStaysAndTheObjectGetsTheRelease)
{
    openMember(1);
    page->MouseDown(JxCPoint(15, 25));
    page->MouseUp(JxCPoint(16, 26));
    EXPECT_EQ(pageCount(), 2);
    EXPECT_EQ(log, (Log{"a down 5,5", "a up 6,6"}));
    log.clear();
    // Released outside the object: it does not react.
    page->MouseDown(JxCPoint(15, 25));
    page->MouseUp(JxCPoint(100, 60));
    EXPECT_EQ(log, (Log{"a down 5,5"}));
}

// An action that logs its name when it is posted.
class NamedAction : public JxCAction {
public:
    NamedAction(std::string name, Log& posts) : name_(std::move(name)), posts_(posts) {}
    std::int16_t Post() override
    {
        posts_.push_back(name_);
        return 1;
    }

private:
    std::string name_;
    Log& posts_;
};

TEST_F(ViewingPanelTest, ADisplayPanelsEventsReachThePageItsDefinitionItsTemplateAndTheProduct)
{
    auto* second = new JxCViewingPanel;
    ASSERT_EQ(second->Init(2, page->GetPageDef()), 1);
    page->GetPageDef()->GetPanelList().Add(second);
    second->SetOwnerPage(page);
    GetProduct()->SetCurrentPage(page);
    JxCProductDef* productDef = GetProduct()->GetProductDef();
    ASSERT_NE(productDef->GetTemplateHandlers(1), nullptr);
    const auto onOpen = std::int16_t(EventId(JxEventKeyword::on_open));
    const auto onClick = std::int16_t(EventId(JxEventKeyword::on_click));
    Log posts;
    const std::pair<JxCEventHandlerList*, const char*> scopes[] = {
        {&panel->GetEventHandlers(), "panel"},
        {&page->GetEventHandlers(), "page"},
        {&page->GetPageDef()->GetEventHandlers(), "page definition"},
        {productDef->GetTemplateHandlers(1), "template"},
        {&productDef->GetEventHandlers(), "product"},
    };
    for (const auto& [list, name] : scopes)
        for (const auto& [event, word] : {std::pair{onOpen, " open"}, std::pair{onClick, " click"}}) {
            auto actions = std::make_unique<JxCActionList>();
            actions->Add(new NamedAction(name + std::string(word), posts));
            auto* handler = new JxCEventHandler;
            handler->SetEvent(event);
            handler->SetActions(std::move(actions));
            list->Add(handler);
        }
    const Log around = {"page", "page definition", "template", "product"};
    const auto heard = [&](const char* word, bool own) {
        Log expected = own ? Log{std::string("panel") + word} : Log{};
        for (const std::string& scope : around)
            expected.push_back(scope + word);
        return expected;
    };
    // Each panel's "on_open" as it starts, and a click the panel raises.
    EXPECT_EQ(panel->Start(), 1);
    EXPECT_EQ(posts, heard(" open", true));
    posts.clear();
    EXPECT_EQ(second->Start(), 1);
    EXPECT_EQ(posts, heard(" open", false));
    posts.clear();
    panel->DispatchEvent(onClick, 0);
    EXPECT_EQ(posts, heard(" click", true));
}

}  // namespace
