// The navigation bar and the navigation action: which bitmap marks which
// page (golden picture of the bar), the options pop-up's mark that leaves
// the others alone, stops of other windows' page changes, the special
// pages' code 22, the codes that do nothing, the page definition's own
// targets, and bars whose objects are missing.

#include <filesystem>

#include "events/JxProperties.h"
#include "objects/actions/JxCChangePageAction.h"
#include "objects/widgets/JxCBitmap.h"
#include "platform/screen/screen.h"
#include "platform/tests/golden.h"
#include "testkit/title_panels.h"
#include "title/actions/JxCGv2GeneralPurposeAction.h"
#include "title/panels/JxCNavPanel.h"
#include "title/actions/JxTitlePageActions.h"
#include "title/tests/title_data_fixture.h"

namespace title_test {
namespace {

constexpr std::uint16_t kBarTemplate = 40;
constexpr std::uint16_t kSpecialTemplate = 41;
constexpr std::uint16_t kBareTemplate = 42;
constexpr std::uint16_t kOptionsTemplate = 50;
constexpr std::int32_t kHome = 40;          // the code-22 target
constexpr std::int32_t kOwnTargets = 47;    // a page with targets of its own
constexpr std::int32_t kSpecialHome = 48;   // the special code-22 target
constexpr std::int32_t kSpecialPage = 49;   // on the special template
constexpr std::int32_t kTopics = 46;        // the code-21 target
constexpr std::int32_t kOptions = 50;       // the second options page
constexpr std::int32_t kPlain = 51;         // no target at all
constexpr std::int32_t kBarePage = 52;      // a bar without a record
constexpr std::int16_t kMarkerId = 10;
constexpr std::int16_t kExtraId = 20;       // a bitmap the bar does not name
constexpr std::int16_t kBarTop = 420;

class NavPanelTest : public TitleDataTest {
protected:
    void SetUp() override
    {
        TitleDataTest::SetUp();
        for (int n = 0; n <= 10; ++n)
            writePicture("nav" + std::to_string(n) + ".dib", block(40, 40, std::uint8_t(20 + 20 * n)));
        title.fields.navigationTargets = {41, 42, 43, 44, 45};
        title.fields.code21Target = kTopics;
        title.fields.code22Target = kHome;
        title.fields.secondHomeTarget = kHome;
        title.fields.specialCode22Target = kSpecialHome;
        title.fields.secondOptionsPage = kOptions;
        title.fields.specialTemplate1 = kSpecialTemplate;
        for (std::uint16_t t : {kBarTemplate, kSpecialTemplate, kBareTemplate}) {
            testkit::TemplateBuilder& bar = file.templateDef(t, "BASE_PAGE");
            bar.panel(1, "Display").at(0, 0).size(640, kBarTop).colour(255, 255, 255);
            bar.panel(2, "NavPanel").at(0, kBarTop).size(640, 60).colour(0, 0, 0);
        }
        testkit::TemplateBuilder& options = file.templateDef(kOptionsTemplate, "POPUP_PAGE").size(200, 100);
        options.panel(1, "Display").at(0, 0).size(200, 100).colour(255, 255, 255);
        file.page(kOptions, kOptionsTemplate).at(400, 300);
        for (std::int32_t id : {40, 41, 42, 43, 44, 45, 46, 48, 51})
            barPage(id, kBarTemplate);
        barPage(kOwnTargets, kBarTemplate).targets({71, 72, 73, 74, 75});
        barPage(kSpecialPage, kSpecialTemplate);
        file.page(kBarePage, kBareTemplate);
        file.page(1, 1);
        for (std::uint32_t id : {71, 72, 73, 74, 75})
            file.page(id, kBarTemplate);
    }
    testkit::BmpPicture block(int w, int h, std::uint8_t colour)
    {
        return testkit::BmpPicture{w, h, std::vector<std::uint8_t>(std::size_t(w * h), colour),
                                   testkit::DistinctColours()};
    }
    void writePicture(const std::string& name, const testkit::BmpPicture& picture)
    {
        const std::vector<std::uint8_t> b = testkit::EncodeBmp(picture);
        plat::testing::TempConfig::writeFile(config.program() + "/Data/" + name, std::string(b.begin(), b.end()));
    }
    // The bar: the marker and nine bitmaps in a row, hidden, and one more
    // bitmap the bar's ids do not name.
    testkit::PageBuilder& barPage(std::int32_t id, std::uint16_t templateId)
    {
        testkit::PanelRecord bar(2);
        testkit::NavBarIds ids;
        ids.marker = kMarkerId;
        bar.add(testkit::BitmapRecord("nav0").id(kMarkerId).at(4, 10).visible(0), file);
        for (std::int16_t n = 1; n <= 9; ++n) {
            ids.bitmaps[std::size_t(n - 1)] = std::int16_t(kMarkerId + n);
            bar.add(testkit::BitmapRecord("nav" + std::to_string(n)).id(std::int16_t(kMarkerId + n))
                        .at(std::int16_t(4 + 60 * n), 10).visible(0), file);
        }
        bar.add(testkit::BitmapRecord("nav10").id(kExtraId).at(600, 10).visible(0), file);
        return file.page(std::uint32_t(id), templateId).storedPanel("NavPanel", testkit::NavPanelBytes(bar, ids));
    }
    void read()
    {
        readTitle();
        product().GetProductDef()->SetDataPath("P:\\Data");
    }
    JxCNavPanel& bar()
    {
        JxCNavPanel* found = JxCNavPanel::FindCurrentPageEntry();
        EXPECT_NE(found, nullptr);
        return *found;
    }
    // The bar's marks, the marker first: 1 shown on top, 0 hidden.
    std::vector<int> marks()
    {
        std::vector<int> shown;
        for (int n = 0; n <= 9; ++n) {
            JxCDisplayObject* o = n == 0 ? bar().GetMarker() : bar().GetBitmap(n);
            shown.push_back(o && o->IsVisible() ? 1 : 0);
            if (o && o->IsVisible()) {
                EXPECT_EQ(o->GetZOrder(), 100) << n;
            }
        }
        return shown;
    }
    // Runs a page action as the program does and lets it finish.
    void run(JxCAction& action)
    {
        action.Post();
        harness.runUntilIdle();
    }
    void changeWindowTo(std::int32_t id)
    {
        JxCChangePageAction change;
        change.SetTarget(std::uint32_t(id), -1);
        run(change);
        ASSERT_EQ(product().GetFirstPage()->GetPageId(), id);
    }
    void nav(std::int32_t code)
    {
        JxCGv2GeneralPurposeAction action;
        action.SetCode(code);
        run(action);
    }
    // The colour on the screen at a point of the bar.
    std::uint32_t barPixel(int x, int y)
    {
        plat::POINT at{x, kBarTop + y};
        plat::ClientToScreen(main, &at);
        const plat::Screen& screen = plat::TheScreen();
        return screen.pixels()[at.y * screen.stride() + at.x];
    }
};

TEST_F(NavPanelTest, TheBarMarksThePageShown)
{
    read();
    changeTo(kHome);
    // Bitmap 8 is marked while the history holds one page.
    EXPECT_EQ(bar().MarkPage(43), 1);
    EXPECT_EQ(marks(), (std::vector<int>{0, 0, 0, 0, 0, 1, 0, 0, 1, 0}));
    changeWindowTo(43);
    EXPECT_EQ(marks(), (std::vector<int>{0, 0, 0, 0, 0, 1, 0, 0, 0, 0}));
    changeWindowTo(kTopics);
    changeWindowTo(kHome);
    EXPECT_EQ(marks(), (std::vector<int>{0, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
    changeWindowTo(45);
    EXPECT_EQ(marks(), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 1, 0, 0}));
    EXPECT_EQ(plat::testing::CompareWithGolden(nullptr, "navigation_bar", "title/tests/golden"), "");
    // No target: everything but bitmap 8 unmarked, and MarkPage says so.
    EXPECT_EQ(bar().MarkPage(kPlain), 0);
    EXPECT_EQ(marks(), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(NavPanelTest, TheOptionsPageMarksItsButtonAloneAndCode23UnmarksIt)
{
    read();
    changeTo(kHome);
    changeWindowTo(44);
    const std::vector<int> before = marks();
    harness.moveMouse(plat::POINT{20, 20});
    nav(JxCGv2GeneralPurposeAction::kOptionsToggle);
    ASSERT_NE(product().FindPageById(kOptions), nullptr);
    std::vector<int> withOptions = before;
    withOptions[9] = 1;
    EXPECT_EQ(marks(), withOptions);
    EXPECT_EQ(data().GetBroughtForwardPage(), product().GetFirstPage());
    // The pointer over the pop-up keeps it; outside, it goes.
    plat::RECT r{};
    plat::GetWindowRect(product().FindPageById(kOptions)->GetWindow(), &r);
    harness.moveMouse(plat::POINT{r.left + 50, r.top + 50});
    nav(JxCGv2GeneralPurposeAction::kCloseOptionsOutside);
    EXPECT_NE(product().FindPageById(kOptions), nullptr);
    harness.moveMouse(plat::POINT{20, 20});
    nav(JxCGv2GeneralPurposeAction::kCloseOptionsOutside);
    EXPECT_EQ(product().FindPageById(kOptions), nullptr);
    EXPECT_EQ(marks(), before);
    // The toggle opens and closes, and its mark goes with the pop-up.
    nav(JxCGv2GeneralPurposeAction::kOptionsToggle);
    EXPECT_EQ(marks(), withOptions);
    nav(JxCGv2GeneralPurposeAction::kOptionsToggle);
    EXPECT_EQ(product().FindPageById(kOptions), nullptr);
    EXPECT_EQ(marks(), before);
}

TEST_F(NavPanelTest, AnotherWindowsChangeNeitherMarksNorRedrawsAndAnOpenAlwaysRedraws)
{
    read();
    changeTo(kHome);
    changeWindowTo(42);
    harness.runUntilIdle();
    const std::uint32_t blank = barPixel(610, 20);
    auto* extra = dynamic_cast<JxCBitmap*>(bar().FindObjectById(kExtraId));
    ASSERT_NE(extra, nullptr);
    extra->SetState(1);  // shown, not yet drawn
    const std::vector<int> before = marks();
    JxCChangePageAction elsewhere;
    elsewhere.SetTarget(43, -1);
    NotifyActionStopped(ActionTypeId(JxActionKeyword::CHANGEPAGE), 0, &elsewhere);
    EXPECT_EQ(marks(), before);
    EXPECT_EQ(barPixel(610, 20), blank);
    JxCOpenPageAction open;
    open.SetTarget(kPlain, 0, 0);
    NotifyActionStopped(ActionTypeId(JxActionKeyword::OPENPAGE), 0, &open);
    EXPECT_NE(barPixel(610, 20), blank);
}

TEST_F(NavPanelTest, Code22GoesToTheSpecialTargetFromASpecialPage)
{
    read();
    changeTo(kSpecialPage);
    EXPECT_EQ(JxCNavPanel::IsSpecialPage(product().GetFirstPage()), 1);
    nav(22);
    EXPECT_EQ(product().GetFirstPage()->GetPageId(), kSpecialHome);
    EXPECT_EQ(JxCNavPanel::IsSpecialPage(product().GetFirstPage()), 0);
    nav(22);
    EXPECT_EQ(product().GetFirstPage()->GetPageId(), kHome);
    // On a special page the special target also marks bitmap 1.
    changeTo(kSpecialPage);
    bar().MarkPage(kSpecialHome);
    EXPECT_EQ(marks()[1], 1);
}

TEST_F(NavPanelTest, CodesWithoutAnEffectReportDone)
{
    read();
    changeTo(kHome);
    for (std::int32_t code : {0, 17, 19, 26, 1000}) {
        SCOPED_TRACE(code);
        JxCGv2GeneralPurposeAction action;
        action.SetCode(code);
        EXPECT_EQ(action.Execute(), 1);
        EXPECT_EQ(product().CountPendingActions(), 0);
    }
    EXPECT_EQ(product().GetFirstPage()->GetPageId(), kHome);
}

TEST_F(NavPanelTest, APageWithTargetsOfItsOwnSendsCodesOneToFiveToThem)
{
    read();
    changeTo(kOwnTargets);
    std::vector<std::int32_t> got;
    for (std::int32_t code = 1; code <= 5; ++code)
        got.push_back(JxCGv2GeneralPurposeAction::NavigationTarget(code));
    EXPECT_EQ(got, (std::vector<std::int32_t>{75, 72, 71, 74, 73}));
    nav(2);
    EXPECT_EQ(product().GetFirstPage()->GetPageId(), 72);
    changeTo(kHome);
    got.clear();
    for (std::int32_t code = 0; code <= 6; ++code)
        got.push_back(JxCGv2GeneralPurposeAction::NavigationTarget(code));
    EXPECT_EQ(got, (std::vector<std::int32_t>{0, 41, 42, 43, 44, 45, 0}));
}

TEST_F(NavPanelTest, ABarWithoutItsObjectsMarksNothingAndBreaksNothing)
{
    read();
    changeTo(kBarePage);
    JxCNavPanel& bare = bar();
    EXPECT_EQ(bare.GetMarker(), nullptr);
    EXPECT_EQ(bare.MarkPage(43), 1);  // the target matched, nothing to mark
    EXPECT_EQ(bare.MarkPage(kOptions), 1);
    bare.ResetButtons();
    bare.UnmarkOptionsButton();
    EXPECT_EQ(bare.TakeOutMicon(), 1);
    EXPECT_EQ(bare.PutBackMicon(), 1);
    EXPECT_EQ(bare.GetMicon(), nullptr);
    nav(25);
    // Without a bar at all (the fixture's template has none).
    changeTo(1);
    EXPECT_EQ(JxCNavPanel::FindCurrentPageEntry(), nullptr);
    EXPECT_EQ(GetTitleHooks().FindCurrentPageEntry(), nullptr);
    nav(25);
}

}  // namespace
}  // namespace title_test
