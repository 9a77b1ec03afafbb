// The change-page action: its record, text and target rows; a wipe keeps
// the old panel of an equal rectangle as its first picture and deletes it
// after; the page shown already is not redrawn; a popup shown over the page
// gets a new window at the same place; the window follows a new size and
// template, and the main window keeps its rectangle.

#include "foundation/JxCInStrStream.h"
#include "objects/actions/JxCChangePageAction.h"
#include "objects/actions/JxCOpenPageAction.h"
#include "objects/tests/page_change_fixture.h"
#include "runtime/JxPageWindows.h"
#include "testkit/event_records.h"

namespace {

using namespace page_change_test;

constexpr std::int16_t kWipeLeftRow = 5;
constexpr std::int16_t kDissolveRow = 2;

TEST(ChangePageRecord, RowsTypesAndText)
{
    RegisterTypeIds();
    JxCChangePageAction action;
    JxCString text;
    const std::vector<std::uint8_t> record = testkit::ChangePageAction(0x01020304, 3).record;
    JxCInStrStream in(JxMemoryBlock{record.data(), std::uint32_t(record.size())});
    ASSERT_EQ(action.Read(in, nullptr), 1);
    EXPECT_EQ(action.GetPageKey(), 0x01020304u);
    EXPECT_EQ(action.Describe(text), 0);
    EXPECT_STREQ(text.GetText(), "m_PageName, wipe_up");
    // A type no row holds, and a row past the table: no transition.
    action.SetTarget(2, 42);
    EXPECT_EQ(action.GetTransitionRow(), -1);
    action.Describe(text);
    EXPECT_STREQ(text.GetText(), "m_PageName, ");
    EXPECT_EQ(ChangePageRowType(7), 0);
    EXPECT_EQ(ChangePageRowType(-1), 0);
    action.SetTarget(2, 0);
    EXPECT_EQ(action.GetTransitionRow(), 0);  // "none", not "zoom"
    action.SetTarget(2, 8);
    JxCChangePageAction copy(action);
    EXPECT_EQ(copy.GetTransitionRow(), kWipeLeftRow);
    EXPECT_EQ(action.SetParameterText(JxCString("x")), 5);
    const std::vector<std::uint8_t> cut(record.begin(), record.end() - 1);
    JxCInStrStream shortIn(JxMemoryBlock{cut.data(), std::uint32_t(cut.size())});
    EXPECT_EQ(JxCChangePageAction().Read(shortIn, nullptr), 0);
    ReleaseTypeRegistries();
}

class ChangePageTest : public PageChangeTest {
protected:
    void SetUp() override
    {
        PageChangeTest::SetUp();
        testkit::TemplateBuilder& base = file.templateDef(1, "BASE_PAGE");
        base.panel(2, "Display").at(0, 0).size(320, 200);
        base.panel(3, "Display").at(0, 200).size(320, 100);
        page(1, 1, {2});
        page(2, 1, {2});
    }
    std::int16_t change(std::uint32_t key, std::int16_t row)
    {
        JxCChangePageAction action;
        const std::vector<std::uint8_t> record = testkit::ChangePageAction(key, row).record;
        JxCInStrStream in(JxMemoryBlock{record.data(), std::uint32_t(record.size())});
        EXPECT_EQ(action.Read(in, nullptr), 1);
        return action.Execute();
    }
    static std::vector<std::string> drawnAndGone(const std::vector<std::string>& log)
    {
        std::vector<std::string> out;
        for (const std::string& line : log)
            if (line.rfind("draw", 0) == 0 || line.rfind("gone", 0) == 0 || line.rfind("start", 0) == 0)
                out.push_back(line);
        return out;
    }
};

// Counts the events it hears raised.
class EventEar : public JxCNotifyRoot {
public:
    void PreNotify(JxCNotify*, JxCObject*) override { ++heard; }
    int heard = 0;
};

TEST_F(ChangePageTest, AWipeKeepsTheOldPanelOfAnEqualRectangleUntilTheNewOneIsDrawn)
{
    readAll();
    JxCPageObject* base = open(1);
    ASSERT_NE(base, nullptr);
    take();
    // The change raises no "on_open" of its own: a new viewing panel
    // raises its own as it starts (these panels raise none).
    EventEar ear;
    ear.AddObjectNotifyBeforeEvent(std::int16_t(EventId(JxEventKeyword::on_open)), 0, nullptr);
    EXPECT_EQ(change(2, kWipeLeftRow), 1);
    EXPECT_EQ(ear.heard, 0);
    // The old panel is the wipe's first picture, then goes.
    EXPECT_EQ(drawnAndGone(take()), (std::vector<std::string>{"draw 2 2", "draw 1 2", "gone 1 2", "start 2 2"}));
    EXPECT_EQ(GetProduct()->FindPageById(2), base);
    EXPECT_EQ(GetProduct()->GetCurrentPage(), base);
    EXPECT_EQ(GetProduct()->GetBusyBits(), 0);
    // The template panel stayed, now the new definition's.
    JxCPanelObject* kept = base->FindPanelById(3);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->GetPage(), base->GetPageDef());
}

TEST_F(ChangePageTest, WithoutAWipeTheOldPanelGoesBeforeTheNewOneIsDrawn)
{
    readAll();
    open(1);
    take();
    EXPECT_EQ(change(2, kDissolveRow), 1);
    EXPECT_EQ(drawnAndGone(take()), (std::vector<std::string>{"gone 1 2", "draw 2 2", "start 2 2"}));
}

TEST_F(ChangePageTest, ChangingToThePageShownRedrawsNothing)
{
    readAll();
    JxCPageObject* base = open(1);
    JxCPanelObject* shown = base->FindPanelById(2);
    take();
    EXPECT_EQ(change(1, kWipeLeftRow), 1);
    const std::vector<std::string> log = take();
    EXPECT_EQ(std::count(log.begin(), log.end(), "draw 1 2"), 0);
    EXPECT_EQ(base->FindPanelById(2), shown);
    EXPECT_EQ(GetProduct()->GetBusyBits(), 0);
}

TEST_F(ChangePageTest, ABasePageChangeToAnotherTemplateKeepsTheMainWindowAndItsSharedPanels)
{
    testkit::TemplateBuilder& other = file.templateDef(4, "BASE_PAGE");
    other.panel(2, "Display").at(0, 0).size(320, 200);
    other.panel(3, "Display").at(0, 200).size(320, 100);  // equal: kept
    other.panel(5, "Display").at(0, 300).size(320, 100);  // new
    page(4, 4, {2});
    readAll();
    JxCPageObject* base = open(1);
    const plat::RECT before = windowRect(main);
    JxCPanelObject* shared = base->FindPanelById(3);
    take();
    EXPECT_EQ(change(4, 0), 1);
    const plat::RECT after = windowRect(main);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_EQ(base->FindPanelById(3), shared);
    EXPECT_NE(base->FindPanelById(5), nullptr);
    const std::vector<std::string> log = drawnAndGone(take());
    EXPECT_EQ(std::count(log.begin(), log.end(), "draw 1 3"), 0);  // not redrawn
}

// The new page's panels cannot make their resources (a missing picture):
// the first page stays in the main window as it was, only the new panels go,
// and the next change works.
TEST_F(ChangePageTest, ANewPageWhosePanelsFailLeavesTheOldPageShown)
{
    page(3, 1, {2});
    readAll();
    failures = {"make 2"};
    JxCPageObject* base = open(1);
    ASSERT_NE(base, nullptr);
    JxCPanelObject* shown = base->FindPanelById(2);
    JxCPanelObject* kept = base->FindPanelById(3);
    take();
    EXPECT_EQ(change(2, kWipeLeftRow), 0);
    EXPECT_EQ(drawnAndGone(take()), (std::vector<std::string>{"gone 2 2"}));
    ASSERT_EQ(GetProduct()->GetFirstPage(), base);
    EXPECT_EQ(base->GetPageId(), 1);
    EXPECT_EQ(base->FindPanelById(2), shown);
    EXPECT_EQ(base->FindPanelById(3), kept);
    EXPECT_TRUE(plat::IsWindow(main));
    EXPECT_EQ(GetProduct()->GetBusyBits(), 0);
    EXPECT_EQ(change(3, 0), 1);
    EXPECT_EQ(base->GetPageId(), 3);
}

// A panel of the new page that cannot draw leaves the page with its panels,
// to be painted again.
TEST_F(ChangePageTest, ANewPanelThatCannotDrawKeepsThePageAndItsPanels)
{
    readAll();
    JxCPageObject* base = open(1);
    failures = {"draw 2"};
    ASSERT_TRUE(plat::ValidateRect(main, nullptr));
    EXPECT_EQ(change(2, 0), 0);
    EXPECT_EQ(base->GetPageId(), 2);
    EXPECT_NE(base->FindPanelById(2), nullptr);
    EXPECT_NE(base->FindPanelById(3), nullptr);
    plat::RECT dirty{};
    EXPECT_TRUE(plat::GetUpdateRect(main, &dirty, 0));
}

// A base page opened over the first one shares the main window: it paints
// there, hears its first paint and takes the clicks; closing it is no end
// of the program (timers, links, the queue and the sounds stay).
TEST_F(ChangePageTest, ABasePageOverTheFirstPaintsTakesClicksAndClosesAlone)
{
    readAll();
    GetProduct()->SetActionProcessor(std::make_unique<JxCActionProcessor>());
    JxCPageObject* first = open(1);
    JxCNotifyRoot ticking;
    ASSERT_EQ(GetProduct()->SetTimer(&ticking, nullptr, 0), 1);
    first->SetLink(1);
    static int stops = 0;
    stops = 0;
    JxMediaListHooks hooks;
    hooks.stopPlaying = []() -> std::int16_t {
        ++stops;
        return 1;
    };
    const JxMediaListHooks previous = SetMediaListHooks(hooks);
    JxCPageObject* over = open(2);
    ASSERT_NE(over, nullptr);
    ASSERT_NE(over, first);
    EXPECT_EQ(over->GetWindow(), main);
    EXPECT_EQ(FindPageByWindow(main), over);
    take();
    plat::InvalidateRect(main, nullptr, 0);
    harness.runUntilIdle();
    const std::vector<std::string> painted = take();
    EXPECT_NE(std::find(painted.begin(), painted.end(), "draw 2 2"), painted.end());
    EXPECT_EQ(std::find(painted.begin(), painted.end(), "draw 1 2"), painted.end());
    EXPECT_NE(std::find(painted.begin(), painted.end(), "start 2 2"), painted.end()) << "its first paint was heard";
    const plat::POINT origin = mainClientOrigin();
    harness.advance(1000);
    harness.click(plat::POINT{origin.x + 20, origin.y + 20});
    harness.runUntilIdle();
    EXPECT_EQ(take(), (std::vector<std::string>{"down 2 2"}));

    JxCAction queued;
    GetProduct()->QueueAction(&queued);
    GetProduct()->GetPageList().ClosePage(over);
    EXPECT_TRUE(plat::IsWindow(main));
    EXPECT_EQ(FindPageByWindow(main), first);
    EXPECT_TRUE(GetProduct()->HasTimer(&ticking));
    EXPECT_EQ(first->IsUnlinked(), 0);
    EXPECT_EQ(GetProduct()->CountPendingActions(), 1);
    EXPECT_EQ(stops, 0);
    SetMediaListHooks(previous);
    GetProduct()->KillTimer(&ticking, -1);
    GetProduct()->SetActionProcessor(nullptr);
}

// An open-page action naming a base page changes the main window's page.
TEST_F(ChangePageTest, OpeningABasePageChangesThePageOfTheMainWindow)
{
    readAll();
    JxCPageObject* base = open(1);
    JxCOpenPageAction action;
    action.SetTarget(2, 0, 0);
    EXPECT_EQ(action.Execute(), 1);
    EXPECT_EQ(GetProduct()->GetPageCount(), 1);
    EXPECT_EQ(GetProduct()->FindPageById(2), base);
}

TEST_F(ChangePageTest, APopupShownOverThePageGetsANewWindowAtTheSameRectangle)
{
    testkit::TemplateBuilder& popup = file.templateDef(5, "POPUP_PAGE").size(200, 100);
    popup.pageWords[1] = 1;  // linked
    popup.pageWords[3] = 1;  // stays above the others
    popup.area(10, 20, 400, 300);
    page(50, 5, {});
    readAll();
    JxCPageObject* base = open(1);
    JxCPageObject* shown = open(50);
    ASSERT_NE(shown, nullptr);
    plat::HWND before = shown->GetWindow();
    const plat::RECT r = windowRect(before);
    EXPECT_EQ(change(2, 0), 1);
    ASSERT_TRUE(GetProduct()->HasPage(shown));
    EXPECT_FALSE(plat::IsWindow(before));
    const plat::RECT now = windowRect(shown->GetWindow());
    EXPECT_EQ(now.left, r.left);
    EXPECT_EQ(now.top, r.top);
    EXPECT_EQ(now.right, r.right);
    EXPECT_EQ(now.bottom, r.bottom);
    EXPECT_TRUE(base->HasMember(shown));
    EXPECT_EQ(shown->GetOpenerPage(), base);
}

TEST_F(ChangePageTest, ThePopupPageChangedToAnotherTemplateAndSizeIsResizedWithItsFrame)
{
    testkit::TemplateBuilder& small = file.templateDef(5, "POPUP_PAGE").size(200, 100).frame(0, 6);
    small.captionHeight = 10;
    small.panel(7, "Display").at(0, 0).size(200, 100);
    testkit::TemplateBuilder& large = file.templateDef(6, "POPUP_PAGE").size(300, 150).frame(0, 6);
    large.captionHeight = 10;
    large.panel(8, "Display").at(0, 0).size(300, 150);
    page(50, 5, {});
    page(60, 6, {});
    readAll();
    open(1);
    JxCPageObject* popup = open(50);
    ASSERT_NE(popup, nullptr);
    const plat::RECT before = windowRect(popup->GetWindow());
    EXPECT_EQ(before.right - before.left, 206);
    EXPECT_EQ(before.bottom - before.top, 116);
    EXPECT_EQ(change(60, 0), 1);
    EXPECT_EQ(GetProduct()->FindPageById(60), popup);
    const plat::RECT after = windowRect(popup->GetWindow());
    EXPECT_EQ(after.right - after.left, 306);
    EXPECT_EQ(after.bottom - after.top, 166);
    EXPECT_EQ(popup->FindPanelById(7), nullptr);
    EXPECT_NE(popup->FindPanelById(8), nullptr);
}

}  // namespace
