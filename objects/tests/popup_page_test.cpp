// Popup pages: where the template places them, the caption bar and its hit
// codes, the dependant count and focus given back on closing (and the quiz
// told), and the new window a popup gets over a new opener at the same
// place on the screen, with the caret of its edit box.

#include "events/JxCTitleHooks.h"
#include "objects/actions/JxCChangePageAction.h"
#include "objects/tests/page_change_fixture.h"
#include "platform/window/caret.h"
#include "runtime/JxCCaret.h"
#include "testkit/test_objects.h"

namespace {

using namespace page_change_test;

class PopupPageTest : public PageChangeTest {
protected:
    void SetUp() override
    {
        PageChangeTest::SetUp();
        file.templateDef(1, "BASE_PAGE").panel(2, "Display").at(10, 20).size(100, 50);
        page(1, 1, {2});
    }
    // A popup template of a 200 by 100 page.
    testkit::TemplateBuilder& popupTemplate(std::uint16_t id)
    {
        testkit::TemplateBuilder& t = file.templateDef(id, "POPUP_PAGE").size(200, 100);
        t.panel(7, "Display").at(0, 0).size(200, 100);
        page(id * 10, id, {});
        return t;
    }
    JxCPopupPageEx* openPopup(std::uint16_t templateId)
    {
        readAll();
        open(1);
        return dynamic_cast<JxCPopupPageEx*>(open(templateId * 10));
    }
    // The window's top-left corner from the main window's client origin.
    plat::POINT placed(JxCPageObject* page)
    {
        const plat::RECT r = windowRect(page->GetWindow());
        const plat::POINT origin = mainClientOrigin();
        return {r.left - origin.x, r.top - origin.y};
    }
};

TEST_F(PopupPageTest, AnAreaCentresThePageFromItsOwnCorner)
{
    popupTemplate(5).area(10, 20, 400, 300);
    JxCPopupPageEx* popup = openPopup(5);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetPageDef()->GetPosition(), JxCPoint(95, 90));
    const plat::POINT at = placed(popup);
    EXPECT_EQ(at.x, 10 + 95);
    EXPECT_EQ(at.y, 20 + 90);
    EXPECT_EQ(plat::GetWindow(popup->GetWindow(), plat::GW_OWNER), main);
}

TEST_F(PopupPageTest, CentringCentresInTheMainPage)
{
    popupTemplate(5).centring = 1;
    JxCPopupPageEx* popup = openPopup(5);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(placed(popup).x, (640 - 200) / 2);
    EXPECT_EQ(placed(popup).y, (480 - 100) / 2);
}

TEST_F(PopupPageTest, APanelAnchorTakesThePanelsRectangle)
{
    popupTemplate(5).anchor(1, 2).placement = JxCPopupPageEx::kAnchorToPanel;
    JxCPopupPageEx* popup = openPopup(5);
    ASSERT_NE(popup, nullptr);
    JxCRect rect;
    popup->GetScreenRect(popup->GetPageSize(), rect);
    const plat::POINT origin = mainClientOrigin();
    EXPECT_EQ(rect, JxCRect(std::int16_t(origin.x + 10), std::int16_t(origin.y + 20), std::int16_t(origin.x + 110),
                            std::int16_t(origin.y + 70)));
    EXPECT_EQ(placed(popup).x, 10);
    EXPECT_EQ(placed(popup).y, 20);
}

TEST_F(PopupPageTest, AFixedPointWinsAndNoPlacementKeepsTheDefinitionPoint)
{
    popupTemplate(5).offset(30, 40).area(10, 20, 400, 300);
    popupTemplate(6);
    file.page(60, 6).at(7, 9);
    JxCPopupPageEx* fixed = openPopup(5);
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(placed(fixed).x, 30);
    EXPECT_EQ(placed(fixed).y, 40);
    JxCPageObject* plain = open(60);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetPageDef()->GetPosition(), JxCPoint(7, 9));
    EXPECT_EQ(placed(plain).x, 7);
}

TEST_F(PopupPageTest, TheCaptionBarStartsAtTwelveAtLeastAndItsLeftEndIsTheCloseBox)
{
    popupTemplate(5).captionHeight = 5;
    popupTemplate(6).captionHeight = 20;
    JxCPopupPageEx* small = openPopup(5);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->GetCaptionBarStart(), 12);
    EXPECT_EQ(small->GetCaptionHeight(), 4);
    const plat::RECT r = windowRect(small->GetWindow());
    EXPECT_EQ(r.bottom - r.top, 100 + 5);
    EXPECT_EQ(small->GetWindowRect({r.left + 11, r.top + 2}), JxCPopupPageEx::kHitCloseBox);
    EXPECT_EQ(small->GetWindowRect({r.left + 12, r.top + 2}), JxCPopupPageEx::kHitCaption);
    EXPECT_EQ(small->GetWindowRect({r.left + 12, r.top + 5}), JxCPopupPageEx::kHitClient);
    // Panels are hit below the bar.
    EXPECT_EQ(small->FindPanelAtPoint(JxCPoint(5, 3)), nullptr);
    EXPECT_NE(small->FindPanelAtPoint(JxCPoint(5, 4)), nullptr);
    auto* large = dynamic_cast<JxCPopupPageEx*>(open(60));
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(large->GetCaptionBarStart(), 20);
}

TEST_F(PopupPageTest, TheShadowOfAnUnlinkedPopupClosesItAndIsDrawnDarkened)
{
    popupTemplate(5).frame(0, 6);
    JxCPopupPageEx* popup = openPopup(5);
    ASSERT_NE(popup, nullptr);
    const plat::RECT r = windowRect(popup->GetWindow());
    EXPECT_EQ(r.right - r.left, 206);
    EXPECT_EQ(popup->GetWindowRect({r.right - 3, r.top + 50}), JxCPopupPageEx::kHitCloseBox);
    EXPECT_EQ(popup->GetWindowRect({r.left + 50, r.top + 50}), JxCPopupPageEx::kHitClient);
    EXPECT_EQ(popup->DrawShadow(JxCPopupPageEx::kRightStrip | JxCPopupPageEx::kBottomStrip), 1);
    EXPECT_NE(GetProduct()->GetPaletteTable(), nullptr);
}

TEST_F(PopupPageTest, ClosingGivesTheFocusAndTheCurrentPageBackAndCountsDown)
{
    popupTemplate(5);
    JxCPopupPageEx* popup = openPopup(5);
    ASSERT_NE(popup, nullptr);
    JxCPageObject* base = GetProduct()->FindPageById(1);
    EXPECT_EQ(base->GetDependantCount(), 1);
    EXPECT_EQ(GetProduct()->GetFocusPage(), popup);
    EXPECT_EQ(GetProduct()->GetCurrentPage(), popup);
    plat::HWND window = popup->GetWindow();
    popup->SetWindowTransition(nullptr);  // the window goes at once
    GetProduct()->GetPageList().ClosePage(popup);
    EXPECT_FALSE(plat::IsWindow(window));
    EXPECT_EQ(base->GetDependantCount(), 0);
    EXPECT_EQ(GetProduct()->GetFocusPage(), base);
    EXPECT_EQ(GetProduct()->GetCurrentPage(), base);
}

// The title's quiz page, as the hooks find it, and its research button.
class QuizHooks : public JxCTitleHooks {
public:
    JxCRunTimeObject* FindQuizPage() override { return quiz; }
    void UpdateResearchButton(JxCRunTimeObject* page) override { updated += page == quiz ? 1 : 100; }
    JxCRunTimeObject* quiz = nullptr;
    int updated = 0;
};

TEST_F(PopupPageTest, ClosingAPopupTellsTheQuizPageToUpdateItsResearchButton)
{
    popupTemplate(5);
    JxCPopupPageEx* popup = openPopup(5);
    ASSERT_NE(popup, nullptr);
    QuizHooks hooks;
    hooks.quiz = GetProduct()->FindPageById(1);
    JxCTitleHooks* previous = SetTitleHooks(&hooks);
    popup->SetWindowTransition(nullptr);
    GetProduct()->GetPageList().ClosePage(popup);
    SetTitleHooks(previous);
    EXPECT_EQ(hooks.updated, 1);
}

TEST_F(PopupPageTest, APopupCarriedOverAPageChangeKeepsTheCaretOfItsFocusedObject)
{
    popupTemplate(5).pageWords[3] = 1;  // stays above the others
    page(2, 1, {2});
    JxCPopupPageEx* popup = openPopup(5);
    ASSERT_NE(popup, nullptr);
    GetProduct()->SetCaret(std::make_unique<JxCCaret>());
    JxCCaret* caret = GetProduct()->GetCaret();
    JxCPanelObject* panel = popup->FindPanelById(7);
    ASSERT_NE(panel, nullptr);
    auto* box = new testkit::RecordingObject("box", log, JxCRect(10, 10, 100, 30));
    box->Attach(panel, JxCTypeKey());
    panel->GetDisplayObjects().InsertByZOrder(box);
    ASSERT_EQ(caret->Create(box, JxCPoint(12, 12), 14), 1);
    plat::HWND before = popup->GetWindow();
    JxCChangePageAction change;
    change.SetTarget(2, 0);
    ASSERT_EQ(change.Execute(), 1);
    ASSERT_NE(popup->GetWindow(), before);
    EXPECT_EQ(caret->GetWindow(), popup->GetWindow());
    EXPECT_EQ(caret->GetOwner(), box);
    EXPECT_EQ(caret->IsVisible(), 1);
    EXPECT_EQ(plat::GetCaretWindow(), popup->GetWindow());
    GetProduct()->SetCaret(nullptr);
}

TEST_F(PopupPageTest, APopupOpeningTakesOverTheShownPopupsOnce)
{
    popupTemplate(5).pageWords[3] = 1;  // stays above the others
    popupTemplate(6);
    JxCPopupPageEx* above = openPopup(5);
    ASSERT_NE(above, nullptr);
    plat::HWND before = above->GetWindow();
    const plat::RECT r = windowRect(before);
    JxCPageObject* second = open(60);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(above->GetOpenerPage(), second);
    EXPECT_TRUE(second->HasMember(above));
    EXPECT_FALSE(GetProduct()->FindPageById(1)->HasMember(above));
    EXPECT_FALSE(plat::IsWindow(before));
    const plat::RECT now = windowRect(above->GetWindow());
    EXPECT_EQ(now.left, r.left);
    EXPECT_EQ(now.top, r.top);
    EXPECT_EQ(now.right, r.right);
    EXPECT_EQ(plat::GetWindow(above->GetWindow(), plat::GW_OWNER), second->GetWindow());
}

}  // namespace
