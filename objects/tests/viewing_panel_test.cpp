// The viewing panel: a release closes the page's unlinked member pages and
// is then spent on them; without members the object under it reacts. Its
// "on_open" is its own: the page's handlers run once for the page.

#include "events/JxCEventHandler.h"
#include "objects/panels/JxCViewingPanel.h"
#include "objects/tests/panel_fixture.h"
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

// An action that counts its posts.
class CountedAction : public JxCAction {
public:
    explicit CountedAction(int& posts) : posts_(posts) {}
    std::int16_t Post() override
    {
        ++posts_;
        return 1;
    }

private:
    int& posts_;
};

TEST_F(ViewingPanelTest, APageWithTwoViewingPanelsRunsItsOnOpenOnce)
{
    auto* second = new JxCViewingPanel;
    ASSERT_EQ(second->Init(2, page->GetPageDef()), 1);
    page->GetPageDef()->GetPanelList().Add(second);
    second->SetOwnerPage(page);
    int posts = 0;
    auto actions = std::make_unique<JxCActionList>();
    actions->Add(new CountedAction(posts));
    auto* handler = new JxCEventHandler;
    const auto onOpen = std::int16_t(EventId(JxEventKeyword::on_open));
    handler->SetEvent(onOpen);
    handler->SetActions(std::move(actions));
    page->GetPageDef()->GetEventHandlers().Add(handler);
    GetProduct()->SetCurrentPage(page);
    // What the page's start raises, then each panel's.
    page->DispatchEvent(onOpen, 0);
    EXPECT_EQ(panel->Start(), 1);
    EXPECT_EQ(second->Start(), 1);
    EXPECT_EQ(posts, 1);
}

}  // namespace
