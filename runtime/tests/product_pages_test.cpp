#include "runtime/tests/product_fixture.h"

namespace product_test {
namespace {

constexpr std::int16_t kBasePageType = 2;
constexpr std::int16_t kPopupPageType = 1;
constexpr std::int16_t kPanelType = 1;

class ProductPagesTest : public ProductTest {
protected:
    void SetUp() override
    {
        ProductTest::SetUp();
        auto def = std::make_unique<JxCProductDef>();
        def->AddTemplateDef(makeTemplate(1, kBasePageType, 0));
        def->AddTemplateDef(makeTemplate(2, kPopupPageType, 0));
        def->AddTemplateDef(makeTemplate(3, kPopupPageType, 1));
        product().SetProductDef(std::move(def));
        product().records = {
            {1, {1, kBasePageType, {}}}, {2, {2, kPopupPageType, {}}}, {3, {2, kPopupPageType, {}}},
            {4, {2, kPopupPageType, {}}}, {5, {3, kPopupPageType, {}}}, {6, {3, kPopupPageType, {}}},
            {7, {42, kPopupPageType, {}}}, {8, {2, 0, {}}},
        };
    }
    static JxCTemplateDef* makeTemplate(std::int16_t id, std::int16_t type, std::int16_t reuse)
    {
        auto* t = new JxCTemplateDef;
        t->SetTemplateId(id);
        t->SetPageType(JxCPageTypeId(type));
        t->SetReuse(reuse);
        return t;
    }
    static JxCPanelDef* panelDef(std::int16_t id, std::int16_t type, std::int16_t present, std::int32_t record = 0)
    {
        auto* d = new JxCPanelDef;
        d->SetPanelId(id);
        d->SetPanelType(JxCPanelTypeId(type));
        d->SetPresent(present);
        d->SetRecordIndex(record);
        return d;
    }
    JxCPageObject* open(std::int32_t id)
    {
        EXPECT_EQ(product().OpenPage(id, 0, 0, 0), 1) << "page " << id;
        return product().FindPageById(id);
    }
    static std::vector<std::int16_t> panelIds(JxCPageObject* page)
    {
        std::vector<std::int16_t> ids;
        JxCPanelObjectList& panels = page->GetPageDef()->GetPanelList();
        for (JxCPanelObject* p = panels.GetFirst(); p; p = panels.GetNext(p))
            ids.push_back(p->GetId());
        return ids;
    }
};

TEST_F(ProductPagesTest, TheFirstPageBecomesCurrentAndFocusAndLaterPagesAreOpenedFromIt)
{
    JxCPageObject* base = open(1);
    ASSERT_NE(base, nullptr);
    EXPECT_EQ(product().GetCurrentPage(), base);
    EXPECT_EQ(product().GetFocusPage(), base);
    EXPECT_EQ(base->GetOpenerPage(), nullptr);

    ASSERT_EQ(product().OpenPage(2, 7, 8, 0), 1);
    JxCPageObject* popup = product().FindPageById(2);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(product().GetCurrentPage(), base);
    EXPECT_EQ(product().GetFocusPage(), base);
    EXPECT_EQ(popup->GetOpenerPage(), base);
    EXPECT_TRUE(base->HasMember(popup));
    EXPECT_EQ(popup->GetPageDef()->GetOpenParameter1(), 7);
    EXPECT_EQ(popup->GetPageDef()->GetOpenParameter2(), 8);
    EXPECT_EQ(product().GetFirstPage(), base);
    EXPECT_EQ(product().GetPageCount(), 2);
    EXPECT_EQ(product().GetTopPage(), base) << "no child windows: the first page";
}

TEST_F(ProductPagesTest, APageThatCannotBeActivatedLeavesTheFocusWhereItIs)
{
    product().traits[2].canActivate = 0;
    product().traits[3].canActivate = 0;
    JxCPageObject* child = open(3);
    EXPECT_EQ(product().GetFocusPage(), nullptr);
    EXPECT_EQ(product().GetCurrentPage(), child);
    JxCPageObject* base = open(1);
    EXPECT_EQ(product().GetFocusPage(), base);
    open(2);
    EXPECT_EQ(product().GetFocusPage(), base);
}

TEST_F(ProductPagesTest, APageThatKeepsItsOpenerPassesItOn)
{
    product().traits[2].keepOpen = 1;
    JxCPageObject* base = open(1);
    JxCPageObject* keeper = open(2);
    product().SetCurrentPage(keeper);
    JxCPageObject* third = open(3);
    EXPECT_EQ(third->GetOpenerPage(), base);
    EXPECT_EQ(product().GetCurrentPage(), base);
    EXPECT_TRUE(base->HasMember(third));
    EXPECT_FALSE(keeper->HasMember(third));
}

TEST_F(ProductPagesTest, AKeeperWhoseOpenerClosedStaysThePrevious)
{
    product().traits[3].keepOpen = 1;
    open(1);
    JxCPageObject* second = open(2);
    product().SetCurrentPage(second);
    JxCPageObject* keeper = open(3);
    ASSERT_EQ(keeper->GetOpenerPage(), second);
    product().SetCurrentPage(keeper);
    product().RemovePage(second);
    EXPECT_EQ(keeper->GetOpenerPage(), nullptr);
    JxCPageObject* fourth = open(4);
    EXPECT_EQ(fourth->GetOpenerPage(), keeper);
    EXPECT_EQ(product().GetCurrentPage(), keeper);
}

TEST_F(ProductPagesTest, AnOpenPageAskedForWithExistingOpensNothingAndEndsTheBusyState)
{
    open(1);
    product().MarkBusy();
    EXPECT_EQ(product().OpenPage(1, 0, 0, 1), 1);
    EXPECT_EQ(product().GetPageCount(), 1);
    EXPECT_EQ(product().GetBusyBits(), 0);
    // Without the flag a second page of that id opens.
    EXPECT_EQ(product().OpenPageDefault(1, 0, 0), 1);
    EXPECT_EQ(product().GetPageCount(), 2);
}

TEST_F(ProductPagesTest, ASecondPageOfAReusedTemplateOpensNothing)
{
    open(1);
    open(5);
    product().MarkBusy();
    EXPECT_EQ(product().OpenPage(6, 0, 0, 0), 1);
    EXPECT_EQ(product().GetPageCount(), 2);
    EXPECT_EQ(product().FindPageById(6), nullptr);
    EXPECT_EQ(product().GetBusyBits(), 0);
    // A template without the reuse word opens a page for each.
    open(2);
    open(3);
    EXPECT_EQ(product().GetPageCount(), 4);
}

TEST_F(ProductPagesTest, APageThatCannotBeBuiltOpensNothingAndEndsTheBusyState)
{
    open(1);
    for (std::int32_t id : {99, 7, 8}) {  // no record, no template, no page class
        product().MarkBusy();
        EXPECT_EQ(product().OpenPage(id, 0, 0, 0), 0) << id;
        EXPECT_EQ(product().GetBusyBits(), 0) << id;
        EXPECT_EQ(product().GetPageCount(), 1) << id;
    }
    EXPECT_EQ(product().ChangePage(nullptr), 0);
    product().SetProductDef(nullptr);
    EXPECT_EQ(product().OpenPage(2, 0, 0, 0), 0);
    auto* def = new JxCPageDef;
    EXPECT_EQ(product().ChangePage(def), 0) << "without definitions the page definition is dropped";
}

TEST_F(ProductPagesTest, APageWithoutResourcesIsTakenOutAndThePreviousPageRestored)
{
    product().traits[2].resourcesMade = false;
    JxCPageObject* base = open(1);
    product().MarkBusy();
    EXPECT_EQ(product().OpenPage(2, 0, 0, 0), 0);
    EXPECT_EQ(product().GetPageCount(), 1);
    EXPECT_EQ(product().FindPageById(2), nullptr);
    EXPECT_EQ(product().GetCurrentPage(), base);
    EXPECT_EQ(product().GetFocusPage(), base);
    EXPECT_FALSE(base->HasMember(nullptr));
    EXPECT_EQ(product().GetBusyBits(), 0);
    EXPECT_EQ(boxes.size(), 1u) << "the out-of-memory report";
}

TEST_F(ProductPagesTest, AFailedPageThatTookTheFocusGivesItUp)
{
    product().traits[1].canActivate = 0;
    product().traits[2].resourcesMade = false;
    JxCPageObject* base = open(1);
    EXPECT_EQ(product().OpenPage(2, 0, 0, 0), 0);
    EXPECT_EQ(product().GetFocusPage(), nullptr);
    EXPECT_EQ(product().GetCurrentPage(), base);
}

TEST_F(ProductPagesTest, AFirstPageWithoutResourcesStaysForTheStartToFail)
{
    product().traits[1].resourcesMade = false;
    EXPECT_EQ(product().OpenPage(1, 0, 0, 0), 0);
    EXPECT_EQ(product().GetPageCount(), 1);
}

TEST_F(ProductPagesTest, TheTemplatesPanelsAreBuiltUnlessTheDefinitionHasThemAlready)
{
    JxCProductDef* def = product().GetProductDef();
    JxCTemplateDef* base = def->FindTemplateDef(1);
    base->GetPanelDefs().Add(panelDef(10, kPanelType, 0));
    base->GetPanelDefs().Add(panelDef(11, kPanelType, 1, 1));
    base->GetPanelDefs().Add(panelDef(12, kPanelType, 0));
    product().records[1].panels = {12};
    // Stored records: the panel type word, then the test panel's id.
    static const std::uint8_t pageData[] = {0xEE, 0xEE, 0x00, 0x01, 0x00, 0x0B};
    product().SetCompiledData(1);
    product().SetRecordTable({0, 2});
    product().SetDataStream(std::make_unique<JxCInStrStream>(JxMemoryBlock{pageData, sizeof pageData}));
    JxCPageObject* page = open(1);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(panelIds(page), (std::vector<std::int16_t>{12, 10, 11}));
}

TEST_F(ProductPagesTest, AStoredPanelOutsideThePageDataFailsThePage)
{
    JxCTemplateDef* base = product().GetProductDef()->FindTemplateDef(1);
    base->GetPanelDefs().Add(panelDef(11, kPanelType, 1, 5));
    static const std::uint8_t pageData[] = {0x00, 0x01, 0x00};
    product().SetCompiledData(1);
    product().SetRecordTable({0, 2, JxCBaseProduct::kNoRecord});
    product().SetDataStream(std::make_unique<JxCInStrStream>(JxMemoryBlock{pageData, sizeof pageData}));
    EXPECT_EQ(product().OpenPage(1, 0, 0, 0), 0) << "index past the record table";
    base->GetPanelDefs().GetFirst()->SetRecordIndex(2);
    EXPECT_EQ(product().OpenPage(1, 0, 0, 0), 0) << "no record";
    base->GetPanelDefs().GetFirst()->SetRecordIndex(1);
    EXPECT_EQ(product().OpenPage(1, 0, 0, 0), 0) << "a short record";
    product().SetDataStream(nullptr);
    EXPECT_EQ(product().OpenPage(1, 0, 0, 0), 0) << "no page data";
    EXPECT_EQ(product().GetPageCount(), 0);
    // Without compiled data stored panels are not built, and the page opens.
    product().SetCompiledData(0);
    EXPECT_TRUE(panelIds(open(1)).empty());
}

TEST_F(ProductPagesTest, AnUnknownPanelTypeFailsThePage)
{
    product().GetProductDef()->FindTemplateDef(1)->GetPanelDefs().Add(panelDef(10, 0, 0));
    EXPECT_EQ(product().OpenPage(1, 0, 0, 0), 0);
    EXPECT_EQ(product().GetPageCount(), 0);
}

TEST_F(ProductPagesTest, APageWithAnOpenModeStaysOnTop)
{
    product().traits[2].openMode = 1;
    open(1);
    JxCPageObject* top = open(2);
    EXPECT_EQ(product().GetTopmostPageList().GetCount(), 1);
    EXPECT_EQ(product().GetTopmostPageList().GetFirst(), top);
    product().RemovePage(top);
    EXPECT_EQ(product().GetTopmostPageList().GetCount(), 0);
}

TEST_F(ProductPagesTest, TheQuizPageIsOpenedFromTheFirstPage)
{
    product().quizId = 3;
    JxCPageObject* base = open(1);
    JxCPageObject* popup = open(2);
    product().SetCurrentPage(popup);
    JxCPageObject* quiz = open(3);
    EXPECT_EQ(quiz->GetOpenerPage(), base);
    EXPECT_EQ(product().GetCurrentPage(), base);
}

TEST_F(ProductPagesTest, AClosedPageIsForgottenEverywhere)
{
    JxCPageObject* base = open(1);
    auto* popup = static_cast<TestPage*>(open(2));
    product().SetCurrentPage(popup);
    product().SetFocusPage(popup);
    product().SetSavedCurrentPage(popup);
    product().SetSavedFocusPage(popup);
    product().SetMousePage(popup);
    product().SetCapturePage(popup);
    product().GetSecondaryPageList().Add(popup);
    product().RemovePage(popup);
    EXPECT_EQ(log, (Log{"end capture 2", "close 2"}));
    EXPECT_EQ(product().GetCurrentPage(), nullptr);
    EXPECT_EQ(product().GetFocusPage(), nullptr);
    EXPECT_EQ(product().GetSavedCurrentPage(), nullptr);
    EXPECT_EQ(product().GetSavedFocusPage(), nullptr);
    EXPECT_EQ(product().GetMousePage(), nullptr);
    EXPECT_EQ(product().GetCapturePage(), nullptr);
    EXPECT_EQ(product().GetSecondaryPageList().GetCount(), 0);
    EXPECT_FALSE(base->HasMember(popup));
    EXPECT_EQ(product().HasPage(popup), 0);
    EXPECT_EQ(product().HasPage(nullptr), 0);
    EXPECT_EQ(product().GetPageList().ClosePage(popup), 0) << "closed once";
}

TEST_F(ProductPagesTest, SavedPagesComeBackOnlyWhileOpen)
{
    JxCPageObject* base = open(1);
    JxCPageObject* popup = open(2);
    product().SetSavedCurrentPage(popup);
    product().SetSavedFocusPage(popup);
    product().RestoreCurrentPage();
    product().RestoreFocusPage();
    EXPECT_EQ(product().GetCurrentPage(), popup);
    EXPECT_EQ(product().GetFocusPage(), popup);
    product().SetCurrentPage(base);
    product().SetSavedCurrentPage(base);
    product().RemovePage(base);
    product().RestoreCurrentPage();
    EXPECT_EQ(product().GetCurrentPage(), nullptr);
}

TEST_F(ProductPagesTest, OpeningAPageTakesTheMouseCaptureUnlessTheObjectKeepsIt)
{
    auto* base = static_cast<TestPage*>(open(1));
    TestPanel panel;
    JxCDisplayObject object;
    panel.capture = &object;
    base->capturePanel = &panel;
    product().SetCapturePage(base);
    object.SetOptionFlags(JxCDisplayObject::kOptionOwnCapture);
    open(2);
    EXPECT_EQ(product().GetCapturePage(), base);
    object.ClearOptionFlags(JxCDisplayObject::kOptionOwnCapture);
    open(3);
    EXPECT_EQ(product().GetCapturePage(), nullptr);
    EXPECT_EQ(log, (Log{"end capture 1"}));
    base->capturePanel = nullptr;
}

TEST_F(ProductPagesTest, TheProductClosesItsPagesFirstAndThenForgetsItself)
{
    open(1);
    open(2);
    open(3);
    DeleteProduct();
    EXPECT_EQ(log, (Log{"close 1", "close 2", "close 3"}));
    EXPECT_EQ(GetProduct(), nullptr);
    // Objects that die now find no product to tell.
    delete new Client;
}

TEST_F(ProductPagesTest, TheTopPageOwnsTheTopmostChildWindowOfTheFirstPagesWindow)
{
    auto* base = static_cast<TestPage*>(open(1));
    auto* popup = static_cast<TestPage*>(open(2));
    base->window = window;
    EXPECT_EQ(product().GetTopPage(), base);
    auto child = [this] {
        return plat::CreateWindowA("JxTovel", "child", plat::WS_CHILD | plat::WS_VISIBLE, 0, 0, 10, 10, window,
                                   nullptr, nullptr, nullptr);
    };
    popup->window = child();
    EXPECT_EQ(product().GetTopPage(), popup);
    child();  // above it, and no page's window
    EXPECT_EQ(product().GetTopPage(), nullptr);
}

TEST_F(ProductPagesTest, CaptionAndFrameOfTheFirstPagesWindow)
{
    EXPECT_EQ(GetPageCaptionHeight(), 0);
    EXPECT_EQ(GetPageFrameWidth(), 0);
    auto* base = static_cast<TestPage*>(open(1));
    base->window = window;  // a popup without caption or border
    EXPECT_EQ(GetPageCaptionHeight(), 0);
    EXPECT_EQ(GetPageFrameWidth(), 0);
    plat::SetWindowLongA(window, plat::GWL_STYLE, plat::LONG(plat::WS_POPUP | plat::WS_CAPTION));
    EXPECT_EQ(GetPageCaptionHeight(), plat::GetSystemMetrics(plat::SM_CYCAPTION));
    EXPECT_EQ(GetPageFrameWidth(), plat::GetSystemMetrics(plat::SM_CXBORDER));
    plat::SetWindowLongA(window, plat::GWL_EXSTYLE, plat::LONG(plat::WS_EX_WINDOWEDGE));
    EXPECT_EQ(GetPageFrameWidth(), plat::GetSystemMetrics(plat::SM_CXDLGFRAME));
}

}  // namespace
}  // namespace product_test
