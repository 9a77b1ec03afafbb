// A page's routing of mouse and keys to its panels (capture, hover, focus,
// closing panels), its member pages and their closing, the hand-over of
// popups to the opener, and the caret placed in a panel of a page.

#include "platform/window/caret.h"
#include "runtime/JxCCaret.h"
#include "runtime/JxCKeyParams.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/tests/product_fixture.h"

namespace {

using namespace product_test;

class LogPanel : public JxCPanelObject {
public:
    LogPanel(std::string name, const JxCRect& rect, Log& log) : name_(std::move(name)), log_(log) { SetRect(rect); }
    std::int16_t MouseDown(const JxCPoint& p) override { return note("down", p); }
    std::int16_t MouseUp(const JxCPoint& p) override { return note("up", p); }
    std::int16_t MouseMove(const JxCPoint& p) override { return note("move", p); }
    std::int16_t MouseDoubleClick(const JxCPoint& p) override { return note("double", p); }
    std::int16_t MouseLeave() override
    {
        log_.push_back(name_ + " leave");
        return 1;
    }
    std::int16_t ReservedPanelAccept() override
    {
        log_.push_back(name_ + " enter");
        return 1;
    }
    std::int16_t HandleKey(JxCKeyParams&) override
    {
        log_.push_back(name_ + " key");
        return 1;
    }

private:
    std::int16_t note(const char* what, const JxCPoint& p)
    {
        log_.push_back(name_ + " " + what + " " + std::to_string(p.x) + "," + std::to_string(p.y));
        return 1;
    }
    std::string name_;
    Log& log_;
};

class RoutedPage : public JxCPageObject {
public:
    RoutedPage(std::int32_t id, Log& log, plat::HWND window = nullptr) : log_(log), window_(window)
    {
        auto* def = new JxCPageDef;
        def->SetPageId(id);
        Init(def);
    }
    ~RoutedPage() override { log_.push_back("close " + std::to_string(GetPageId())); }
    plat::HWND GetWindow() const override { return window_; }
    void Refresh() override
    {
        log_.push_back("paint");
        plat::ValidateRect(window_, nullptr);
    }
    std::int16_t GetKeepOpen() const override { return keep; }
    std::int16_t MoveToOpener(JxCPageObject* opener) override
    {
        log_.push_back("moved to " + std::to_string(opener->GetPageId()));
        return 1;
    }
    LogPanel* addPanel(const std::string& name, const JxCRect& rect)
    {
        auto* panel = new LogPanel(name, rect, log_);
        GetPanelList()->Add(panel);
        panel->SetOwnerPage(this);
        return panel;
    }
    std::int16_t keep = 0;

private:
    Log& log_;
    plat::HWND window_;
};

class PageObjectTest : public ProductTest {
protected:
    RoutedPage* openPage(std::int32_t id, JxCPageObject* opener = nullptr, plat::HWND w = nullptr)
    {
        auto* page = new RoutedPage(id, log, w);
        product().GetPageList().Add(page);
        if (opener) {
            page->SetOpenerPage(opener);
            opener->AddMember(page);
        }
        return page;
    }
    bool isOpen(std::int32_t id) { return product().FindPageById(id) != nullptr; }
};

TEST_F(PageObjectTest, TheFirstOfOverlappingPanelsGetsTheClickAndACapturePanelGetsEverything)
{
    RoutedPage* page = openPage(1);
    LogPanel* a = page->addPanel("a", JxCRect(0, 0, 50, 50));
    page->addPanel("b", JxCRect(20, 20, 90, 90));
    page->MouseDown(JxCPoint(30, 30));
    page->MouseDoubleClick(JxCPoint(60, 60));
    page->MouseUp(JxCPoint(200, 200));  // no panel there
    EXPECT_EQ(log, (Log{"a down 30,30", "b double 60,60"}));
    log.clear();
    page->SetCapturePanel(a);
    page->MouseDown(JxCPoint(60, 60));
    page->MouseMove(JxCPoint(70, 70));
    page->MouseUp(JxCPoint(200, 200));
    EXPECT_EQ(log, (Log{"a down 60,60", "a move 70,70", "a up 200,200"}));
    EXPECT_EQ(product().GetCapturePage(), page);
}

TEST_F(PageObjectTest, APressPaintsWhatTheWindowLeftUnpaintedFirst)
{
    RoutedPage* page = openPage(1, nullptr, window);
    page->addPanel("a", JxCRect(0, 0, 50, 50));
    plat::ValidateRect(window, nullptr);
    plat::InvalidateRect(window, nullptr, 0);
    page->MouseDown(JxCPoint(5, 5));
    page->MouseDown(JxCPoint(6, 6));
    EXPECT_EQ(log, (Log{"paint", "a down 5,5", "a down 6,6"}));
}

TEST_F(PageObjectTest, KeysGoToTheFocusPanelElseToEveryPanelUpToAClosingOne)
{
    RoutedPage* page = openPage(1);
    page->addPanel("a", JxCRect(0, 0, 10, 10));
    LogPanel* b = page->addPanel("b", JxCRect(0, 0, 10, 10));
    LogPanel* c = page->addPanel("c", JxCRect(0, 0, 10, 10));
    page->addPanel("d", JxCRect(0, 0, 10, 10));
    c->MarkClosing();
    JxCKeyParams key;
    page->HandleKey(key);
    EXPECT_EQ(log, (Log{"a key", "b key"}));
    log.clear();
    auto* object = new JxCDisplayObject;
    object->Attach(b, JxCTypeKey());
    b->GetDisplayObjects().Add(object);
    EXPECT_EQ(page->SetFocusObject(object), nullptr);
    EXPECT_EQ(page->GetFocusObject(), object);
    page->HandleKey(key);
    EXPECT_EQ(log, (Log{"b key"}));
    page->ClearFocus();
    EXPECT_EQ(page->GetFocusObject(), nullptr);
    EXPECT_EQ(b->GetFocusObject(), nullptr);
}

TEST_F(PageObjectTest, TheHoverPanelChangesWithLeaveAndEnterAndAClosingFirstPanelStopsTheWalk)
{
    RoutedPage* page = openPage(1);
    LogPanel* a = page->addPanel("a", JxCRect(0, 0, 40, 40));
    page->addPanel("b", JxCRect(50, 0, 90, 40));
    page->MouseMove(JxCPoint(5, 5));
    page->MouseMove(JxCPoint(6, 6));
    page->MouseMove(JxCPoint(60, 5));
    page->MouseLeave();
    page->MouseLeave();
    EXPECT_EQ(log, (Log{"a enter", "a move 5,5", "a move 6,6", "a leave", "b enter",
                        "b move 60,5", "b leave"}));
    EXPECT_EQ(page->GetHoverPanel(), nullptr);
    log.clear();
    a->MarkClosing();
    page->MouseMove(JxCPoint(60, 5));
    EXPECT_TRUE(log.empty());
}

TEST_F(PageObjectTest, APanelThatGoesIsNoLongerCaptureHoverOrFocus)
{
    RoutedPage* page = openPage(1);
    LogPanel* a = page->addPanel("a", JxCRect(0, 0, 40, 40));
    auto* object = new JxCDisplayObject;
    object->Attach(a, JxCTypeKey());
    a->GetDisplayObjects().Add(object);
    page->MouseMove(JxCPoint(5, 5));
    page->SetFocusObject(object);
    page->SetCapturePanel(a);
    page->GetPanelList()->Remove(a);  // the list owns and deletes it
    EXPECT_EQ(page->GetCapturePanel(), nullptr);
    EXPECT_EQ(page->GetHoverPanel(), nullptr);
    EXPECT_EQ(page->GetFocusPanel(), nullptr);
    EXPECT_EQ(page->GetFocusObject(), nullptr);
    page->MouseLeave();
    page->MouseDown(JxCPoint(5, 5));
}

TEST_F(PageObjectTest, MembersAreAddedOnceAndModeZeroClosesOnlyTheUnlinked)
{
    RoutedPage* base = openPage(1);
    RoutedPage* linked = openPage(2, base);
    openPage(3, base);
    RoutedPage* inner = openPage(4, linked);
    openPage(5, linked);
    base->AddMember(linked);
    EXPECT_EQ(base->GetMembers().size(), 2u);
    linked->SetLink(1);
    inner->SetLink(1);
    EXPECT_EQ(base->HasUnlinkedMember(), 1);
    base->CloseMemberPages(0);
    EXPECT_TRUE(isOpen(2));
    EXPECT_FALSE(isOpen(3));
    EXPECT_TRUE(isOpen(4));
    EXPECT_FALSE(isOpen(5));
    EXPECT_EQ(base->HasUnlinkedMember(), 0);
    base->CloseMemberPages(1);
    EXPECT_FALSE(isOpen(2));
    EXPECT_FALSE(isOpen(4));
    EXPECT_TRUE(base->GetMembers().empty());
}

TEST_F(PageObjectTest, AMemberKeptOpenWaitsInTheSecondListWithItsOwnMembersClosed)
{
    RoutedPage* base = openPage(1);
    RoutedPage* kept = openPage(2, base);
    kept->keep = 1;
    openPage(3, kept);
    base->CloseMemberPages(1);
    EXPECT_TRUE(isOpen(2));
    EXPECT_FALSE(isOpen(3));
    EXPECT_TRUE(product().GetSecondaryPageList().FindNode(kept));
}

TEST_F(PageObjectTest, OnlyChildPagesAmongTheMembersCloseAsChildren)
{
    RoutedPage* base = openPage(1);
    RoutedPage* child = openPage(2, base);
    child->GetPageDef()->SetPageType(PageTypeId(JxPageKeyword::CHILD_PAGE));
    openPage(3, child)->GetPageDef()->SetPageType(PageTypeId(JxPageKeyword::CHILD_PAGE));
    openPage(4, base);
    base->CloseChildMembers(1);
    EXPECT_FALSE(isOpen(2));
    EXPECT_TRUE(isOpen(4));
}

TEST_F(PageObjectTest, ClosingAPageHandsItsTopmostPopupsToItsOpener)
{
    RoutedPage* base = openPage(1);
    RoutedPage* middle = openPage(2, base);
    RoutedPage* popup = openPage(3, middle);
    RoutedPage* plain = openPage(4, middle);
    product().GetTopmostPageList().Add(popup);
    product().GetSecondaryPageList().Add(popup);
    middle->SetCapturePanel(middle->addPanel("a", JxCRect(0, 0, 5, 5)));
    log.clear();
    EXPECT_EQ(product().GetPageList().ClosePage(middle), 1);
    EXPECT_EQ(log, (Log{"moved to 1", "close 2"}));
    EXPECT_EQ(popup->GetOpenerPage(), base);
    EXPECT_TRUE(base->HasMember(popup));
    EXPECT_FALSE(base->HasMember(middle));
    EXPECT_FALSE(product().GetSecondaryPageList().FindNode(popup));
    EXPECT_EQ(plain->GetOpenerPage(), nullptr);
    EXPECT_EQ(product().GetCapturePage(), nullptr);
    EXPECT_EQ(product().GetPageList().ClosePage(middle), 0);
}

// --- The caret ---------------------------------------------------------------

class MeasuringObject : public JxCDisplayObject, public JxCCaretClient {
public:
    void ForgetTextMeasure() override { ++forgotten; }
    int forgotten = 0;
};

class CaretTest : public PageObjectTest {
protected:
    void SetUp() override
    {
        PageObjectTest::SetUp();
        product().SetCaret(std::make_unique<JxCCaret>());
        page = openPage(1, nullptr, window);
        product().SetCurrentPage(page);
        product().SetFocusPage(page);
        panel = page->addPanel("p", JxCRect(30, 40, 200, 200));
        first = addObject(JxCRect(0, 0, 50, 20));
        second = addObject(JxCRect(0, 100, 50, 120));
    }
    MeasuringObject* addObject(const JxCRect& rect)
    {
        auto* object = new MeasuringObject;
        object->Attach(panel, JxCTypeKey());
        object->SetRect(rect);
        panel->GetDisplayObjects().Add(object);
        return object;
    }
    JxCCaret& caret() { return *product().GetCaret(); }
    static JxCPoint caretPos()
    {
        plat::POINT p{};
        plat::GetCaretPos(&p);
        return JxCPoint(std::int16_t(p.x), std::int16_t(p.y));
    }

    RoutedPage* page = nullptr;
    LogPanel* panel = nullptr;
    MeasuringObject* first = nullptr;
    MeasuringObject* second = nullptr;
};

TEST_F(CaretTest, TheCaretStandsInTheOwnersPanelAndASecondOwnerMakesTheFirstMeasureAgain)
{
    EXPECT_EQ(caret().Create(first, JxCPoint(4, 5), 12), 1);
    EXPECT_EQ(caret().GetWindow(), window);
    EXPECT_EQ(caret().IsVisible(), 1);
    EXPECT_EQ(caretPos(), JxCPoint(34, 45));
    EXPECT_EQ(plat::GetCaretWindow(), window);
    EXPECT_EQ(caret().MoveTo(second, JxCPoint(9, 9)), 0);  // not the owner
    EXPECT_EQ(caret().Create(second, JxCPoint(1, 101), 12), 1);
    EXPECT_EQ(first->forgotten, 1);
    EXPECT_EQ(second->forgotten, 0);
    EXPECT_EQ(caret().Hide(first), 0);
    EXPECT_EQ(caret().Release(first), 0);
    EXPECT_EQ(caret().Release(second), 1);
    EXPECT_EQ(caret().GetOwner(), nullptr);
    EXPECT_EQ(caret().GetWindow(), nullptr);
}

TEST_F(CaretTest, AWindowThatIsNotTheFocusPagesRefusesTheCaret)
{
    product().SetFocusPage(nullptr);
    EXPECT_EQ(caret().Create(first, JxCPoint(0, 0), 10), 0);
    EXPECT_EQ(caret().IsVisible(), 0);
    EXPECT_EQ(caret().Create(nullptr, JxCPoint(0, 0), 10), 1);
}

TEST_F(CaretTest, ARedrawAwayFromTheOwnerLeavesTheCaretVisible)
{
    caret().Create(first, JxCPoint(2, 2), 10);
    const JxCRect away(30, 200, 100, 230);
    caret().HideForPaint(window, &away);
    EXPECT_EQ(caret().IsHiddenForPaint(), 0);
    EXPECT_EQ(caret().IsVisible(), 1);
    const JxCRect over(40, 45, 60, 50);
    caret().HideForPaint(window, &over);
    EXPECT_EQ(caret().IsHiddenForPaint(), 1);
    caret().ShowPending();
    EXPECT_EQ(caret().IsHiddenForPaint(), 0);
    EXPECT_EQ(caret().IsVisible(), 1);
    caret().HideForPaint(nullptr, nullptr);  // not its window
    EXPECT_EQ(caret().IsHiddenForPaint(), 0);
}

// Notes, when it is drawn, whether the caret was hidden for the drawing.
class CaretWatcher : public JxCDisplayObject {
public:
    std::int16_t Draw(JxCSlate*, const JxCRect*) override
    {
        seen.push_back(GetProduct()->GetCaret()->IsHiddenForPaint());
        return 1;
    }
    std::vector<int> seen;
};

TEST_F(CaretTest, APanelHidesTheCaretWhileItDrawsOverItsOwnerAndShowsItAfter)
{
    auto* watcher = new CaretWatcher;
    watcher->Attach(panel, JxCTypeKey());
    watcher->SetRect(JxCRect(0, 0, 170, 160));
    panel->GetDisplayObjects().Add(watcher);
    caret().Create(first, JxCPoint(2, 2), 10);
    panel->SetOwnerPage(page);
    const JxCRect overOwner(0, 0, 20, 10);
    panel->Draw(nullptr, &overOwner, 0);
    const JxCRect away(0, 130, 60, 150);
    panel->Draw(nullptr, &away, 0);
    EXPECT_EQ(watcher->seen, (std::vector<int>{1, 0}));
    EXPECT_EQ(caret().IsHiddenForPaint(), 0);
    EXPECT_EQ(caret().IsVisible(), 1);
}

TEST_F(CaretTest, AfterLosingAndRegainingTheFocusTheCaretReturnsWhereItWas)
{
    caret().Create(first, JxCPoint(6, 7), 14);
    caret().Destroy(window);
    EXPECT_EQ(plat::GetCaretWindow(), nullptr);
    EXPECT_EQ(caret().OnSetFocus(window), 0);
    EXPECT_EQ(plat::GetCaretWindow(), window);
    EXPECT_EQ(caretPos(), JxCPoint(36, 47));
    EXPECT_EQ(caret().IsVisible(), 1);
    EXPECT_EQ(caret().OnSetFocus(nullptr), 1);
}

}  // namespace
