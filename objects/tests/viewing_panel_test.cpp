// The viewing panel: a release closes the page's unlinked member pages and
// is then spent on them; without members the object under it reacts.

#include "objects/panels/JxCViewingPanel.h"
#include "objects/tests/panel_fixture.h"

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

}  // namespace
