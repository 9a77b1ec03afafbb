// Base and child pages: the main window and the template's parameters, the
// first paint announced once and "on_open" raised when it comes back, the
// child window placed at the anchor panel plus the offsets, and the parent
// made current again when the child closes.

#include <utility>

#include "objects/actions/JxCClosePageAction.h"
#include "objects/pages/JxCBasePage.h"
#include "objects/pages/JxCChildPage.h"
#include "objects/tests/panel_fixture.h"
#include "platform/backend/harness.h"
#include "platform/window/window.h"
#include "runtime/JxCWindowClass.h"
#include "runtime/JxKeywordTables.h"

namespace {

using namespace panel_test;

template <class Page>
class Spied : public Page {
public:
    explicit Spied(std::vector<std::string>& log) : log_(log) {}
    void DispatchEvent(std::int16_t eventId, std::int16_t key) override
    {
        log_.push_back("event " + std::to_string(eventId) + " key " + std::to_string(key));
    }

private:
    std::vector<std::string>& log_;
};

JxCPageDef* pageDef(std::int32_t id, std::int16_t templateId, JxPageKeyword type)
{
    auto* def = new JxCPageDef;
    def->SetPageId(id);
    def->SetTemplateId(templateId);
    def->SetPageType(PageTypeId(type));
    return def;
}

class PageKindTest : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        ASSERT_TRUE(RegisterWindowClasses(JxCStartupInfo{}));
        testkit::TemplateBuilder& base = file.templateDef(1, "BASE_PAGE");
        base.panel(2, "Display").at(10, 20).size(100, 50);
        base.pageWords[4] = 7;
        base.pageWords[5] = 8;
        file.templateDef(2, "CHILD_PAGE").anchor(1, 2).offset(5, 6).size(40, 30).pageWords[4] = 9;
        file.templateDef(3, "CHILD_PAGE").size(20, 20);
        readDefinitions();
        main = openProductWindow(320, 240, plat::WS_POPUP | plat::WS_VISIBLE);
        ASSERT_NE(main, nullptr);
    }
    void TearDown() override
    {
        while (JxCPageObject* page = GetProduct()->GetPageList().GetLast())
            GetProduct()->GetPageList().ClosePage(page);
        GetProduct()->ForgetProductWindow();
        plat::DestroyWindow(main);
        PanelTest::TearDown();
    }
    JxCBasePage* openBase()
    {
        auto* page = new Spied<JxCBasePage>(log);
        EXPECT_EQ(page->Init(pageDef(1, 1, JxPageKeyword::BASE_PAGE)), 1);
        GetProduct()->GetPageList().Add(page);
        GetProduct()->SetCurrentPage(page);
        return page;
    }
    static int firstPaintsQueued()
    {
        int count = 0;
        plat::MSG msg;
        while (plat::PeekMessageA(&msg, nullptr, JxCBaseProduct::kFirstPaintMessage,
                                  JxCBaseProduct::kFirstPaintMessage, plat::PM_REMOVE))
            ++count;
        return count;
    }

    plat::Harness harness;
    plat::HWND main = nullptr;
    std::vector<std::string> log;
};

TEST_F(PageKindTest, TheBasePageTakesTheMainWindowAndAnnouncesItsFirstPaintOnce)
{
    JxCBasePage* page = openBase();
    EXPECT_EQ(page->GetWindow(), main);
    EXPECT_EQ(page->GetTemplateParam1(), 7);
    EXPECT_EQ(page->GetTemplateParam2(), 8);
    EXPECT_EQ(page->CanActivate(), 1);
    page->Refresh();
    page->Refresh();
    EXPECT_EQ(firstPaintsQueued(), 1);
    EXPECT_TRUE(log.empty());  // "on_open" waits for the product's start
    EXPECT_EQ(page->Start(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"event " + std::to_string(EventId(JxEventKeyword::on_open)) + " key " +
                                             std::to_string(PageTypeId(JxPageKeyword::BASE_PAGE))}));
}

TEST_F(PageKindTest, ARefusedFirstPaintMessageIsPostedAgainByTheNextRefresh)
{
    JxCBasePage* page = openBase();
    harness.refusePosts(1);
    page->Refresh();
    EXPECT_EQ(firstPaintsQueued(), 0);
    page->Refresh();
    EXPECT_EQ(firstPaintsQueued(), 1);
    page->Refresh();
    EXPECT_EQ(firstPaintsQueued(), 0);
}

// A page whose "on_open" closes another page (a refused post serves the
// queue at once).
class ClosesOnOpen : public JxCBasePage {
public:
    explicit ClosesOnOpen(JxCPageObject*& victim) : victim_(victim) {}
    void DispatchEvent(std::int16_t, std::int16_t) override
    {
        GetProduct()->GetPageList().ClosePage(std::exchange(victim_, nullptr));
    }

private:
    JxCPageObject*& victim_;
};

// The first paint that a refresh serves before it posts its own may close
// the refreshing page: nothing of it is touched after that.
TEST_F(PageKindTest, ARefreshWhoseServedFirstPaintClosesThePageTouchesItNoMore)
{
    JxCPageObject* victim = nullptr;
    auto* closer = new ClosesOnOpen(victim);
    ASSERT_EQ(closer->Init(pageDef(1, 1, JxPageKeyword::BASE_PAGE)), 1);
    GetProduct()->GetPageList().Add(closer);
    JxCBasePage* page = openBase();
    victim = page;
    closer->Refresh();
    page->Refresh();
    EXPECT_EQ(victim, nullptr) << "the served message closed the page";
    EXPECT_FALSE(GetProduct()->HasPage(page));
    EXPECT_EQ(firstPaintsQueued(), 0);
}

TEST_F(PageKindTest, AChildPageWithoutACurrentPageFails)
{
    JxCChildPage child;
    std::unique_ptr<JxCPageDef> def(pageDef(2, 2, JxPageKeyword::CHILD_PAGE));
    EXPECT_EQ(child.Init(def.get()), 0);  // the definition stays the caller's
}

TEST_F(PageKindTest, AChildWindowStandsAtTheAnchorPanelPlusTheOffsetAndClosingMakesTheParentCurrent)
{
    JxCBasePage* base = openBase();
    auto* child = new JxCChildPage;
    ASSERT_EQ(child->Init(pageDef(2, 2, JxPageKeyword::CHILD_PAGE)), 1);
    EXPECT_EQ(child->GetParentPage(), base);
    EXPECT_EQ(child->GetTemplateParam1(), 9);
    EXPECT_EQ(child->CanActivate(), 0);
    ASSERT_EQ(child->CreateResources(), 1);
    GetProduct()->GetPageList().Add(child);
    GetProduct()->SetCurrentPage(child);
    plat::HWND window = child->GetWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(plat::GetParent(window), main);
    plat::RECT r;
    plat::GetWindowRect(window, &r);
    plat::POINT origin{0, 0};
    plat::ClientToScreen(main, &origin);
    EXPECT_EQ(r.left - origin.x, 15);
    EXPECT_EQ(r.top - origin.y, 26);
    EXPECT_EQ(r.right - r.left, 40);
    EXPECT_EQ(r.bottom - r.top, 30);
    GetProduct()->GetPageList().ClosePage(child);
    EXPECT_FALSE(plat::IsWindow(window));
    EXPECT_EQ(GetProduct()->GetCurrentPage(), base);
}

TEST_F(PageKindTest, ClosingTheBasePageStopsTimersClosesEveryOtherPageAndStopsMedia)
{
    testkit::PlayingResource sound;
    JxCBasePage* base = openBase();
    auto* kept = new JxCChildPage;
    ASSERT_EQ(kept->Init(pageDef(2, 2, JxPageKeyword::CHILD_PAGE)), 1);
    GetProduct()->GetPageList().Add(kept);
    kept->SetOpenerPage(base);
    kept->SetKeepOpen(1);
    kept->SetLink(1);
    base->AddMember(kept);
    auto* waiting = new JxCChildPage;
    ASSERT_EQ(waiting->Init(pageDef(3, 3, JxPageKeyword::CHILD_PAGE)), 1);
    GetProduct()->GetPageList().Add(waiting);
    GetProduct()->GetSecondaryPageList().Add(waiting);
    ASSERT_EQ(GetProduct()->SetTimer(base, nullptr, 0), 1);
    ASSERT_EQ(GetProduct()->SetTimer(kept, nullptr, 0), 1);
    sound.Play();

    GetProduct()->GetPageList().ClosePage(base);
    EXPECT_EQ(GetProduct()->GetPageCount(), 0);
    EXPECT_EQ(GetProduct()->GetSecondaryPageList().GetCount(), 0);
    for (std::int16_t slot = 0; slot < JxCBaseProduct::kTimerCount; ++slot)
        EXPECT_EQ(GetProduct()->GetTimerInfo(slot).active, 0);
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_FALSE(plat::IsWindow(main));
}

TEST_F(PageKindTest, ABasePageOpenedOverTheFirstLeavesTheMainWindowWhenItCloses)
{
    JxCBasePage* first = openBase();
    JxCBasePage* over = openBase();
    over->SetOpenerPage(first);
    first->AddMember(over);
    ASSERT_EQ(over->GetWindow(), main);

    // Closed as a member of the first page (a click beside it does this).
    first->CloseMemberPages(0);
    EXPECT_FALSE(GetProduct()->HasPage(over));
    EXPECT_TRUE(plat::IsWindow(main)) << "closing the page over the first one ended the program";
    plat::MSG msg;
    EXPECT_FALSE(plat::PeekMessageA(&msg, nullptr, plat::WM_QUIT, plat::WM_QUIT, plat::PM_NOREMOVE));

    // The last page in the main window still ends it.
    GetProduct()->GetPageList().ClosePage(first);
    EXPECT_FALSE(plat::IsWindow(main));
}

TEST_F(PageKindTest, AChildWithoutAnchorOrOffsetOpensAtTheParentsClientOrigin)
{
    openBase();
    auto* child = new JxCChildPage;
    ASSERT_EQ(child->Init(pageDef(3, 3, JxPageKeyword::CHILD_PAGE)), 1);
    ASSERT_EQ(child->CreateResources(), 1);
    GetProduct()->GetPageList().Add(child);
    plat::RECT r;
    plat::GetWindowRect(child->GetWindow(), &r);
    plat::POINT origin{0, 0};
    plat::ClientToScreen(main, &origin);
    EXPECT_EQ(r.left, origin.x);
    EXPECT_EQ(r.top, origin.y);
}

}  // namespace

namespace {

TEST_F(PageKindTest, CloseOpenPageClosesAPageButNeverTheBasePageAndItsOpenerBecomesCurrent)
{
    JxCBasePage* base = openBase();
    auto* child = new JxCChildPage;
    ASSERT_EQ(child->Init(pageDef(2, 2, JxPageKeyword::CHILD_PAGE)), 1);
    GetProduct()->GetPageList().Add(child);
    child->SetOpenerPage(base);
    base->AddMember(child);
    GetProduct()->SetCurrentPage(child);

    JxCClosePageAction action;
    action.SetPageName(99);  // not open
    EXPECT_EQ(action.Execute(), 1);
    action.SetPageName(1);  // the base page
    EXPECT_EQ(action.Execute(), 1);
    EXPECT_EQ(GetProduct()->FindPageById(1), base);
    action.SetPageName(2);
    EXPECT_EQ(action.Execute(), 1);
    EXPECT_EQ(GetProduct()->FindPageById(2), nullptr);
    EXPECT_EQ(GetProduct()->GetCurrentPage(), base);
    EXPECT_FALSE(base->HasMember(child));
}

TEST_F(PageKindTest, ClosingAPageWhoseOpenerWentMakesTheFirstPageCurrent)
{
    JxCBasePage* base = openBase();
    auto* opener = new JxCChildPage;
    ASSERT_EQ(opener->Init(pageDef(3, 3, JxPageKeyword::CHILD_PAGE)), 1);
    GetProduct()->GetPageList().Add(opener);
    auto* page = new JxCChildPage;
    ASSERT_EQ(page->Init(pageDef(2, 2, JxPageKeyword::CHILD_PAGE)), 1);
    GetProduct()->GetPageList().Add(page);
    page->SetOpenerPage(opener);
    GetProduct()->GetPageList().ClosePage(opener);
    EXPECT_EQ(page->GetOpenerPage(), nullptr);
    GetProduct()->SetCurrentPage(page);
    JxCClosePageAction action;
    action.SetPageName(2);
    EXPECT_EQ(action.Execute(), 1);
    EXPECT_EQ(GetProduct()->GetCurrentPage(), base);
}

}  // namespace
