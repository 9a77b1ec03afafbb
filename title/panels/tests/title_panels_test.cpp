// The title's viewing and schoolhouse panels and the smaller title actions:
// the panel text that must fit its record, the schoolhouse standing for the
// logbook and hiding its marker while the quiz runs, the first log-in page
// that opens only while nobody is registered, and a print-file action whose
// picture is missing.

#include "objects/widgets/JxCBitmap.h"
#include "testkit/title_panels.h"
#include "title/panels/JxCGavoPanel.h"
#include "title/panels/JxCSchoolhousePanel.h"
#include "title/JxLogBook.h"
#include "title/quiz/JxQuizState.h"
#include "title/actions/JxTitleOutputActions.h"
#include "title/actions/JxTitlePageActions.h"
#include "title/tests/title_data_fixture.h"

namespace title_test {
namespace {

constexpr std::int32_t kTextPage = 60;
constexpr std::int32_t kLongTextPage = 61;
constexpr std::int32_t kSchoolPage = 62;
constexpr std::int32_t kWelcome = 63;
constexpr std::int16_t kMarkerId = 5;

class TitlePanelsTest : public TitleDataTest {
protected:
    void SetUp() override
    {
        TitleDataTest::SetUp();
        const testkit::BmpPicture dot{4, 4, std::vector<std::uint8_t>(16, 3), testkit::DistinctColours()};
        const std::vector<std::uint8_t> b = testkit::EncodeBmp(dot);
        plat::testing::TempConfig::writeFile(config.program() + "/Data/dot.dib", std::string(b.begin(), b.end()));
        title.fields.schoolhouseMarkerId = std::uint16_t(kMarkerId);
        file.templateDef(60, "BASE_PAGE").panel(1, "SchoolhousePanel").size(640, 480);
        testkit::PanelRecord plain(1);
        file.page(1, 1);
        file.page(kTextPage, 1).storedPanel("Display", testkit::TitlePanelBytes(plain, "Rivers"));
        file.page(kLongTextPage, 1).storedPanel("Display", testkit::TitlePanelBytes(plain, "Rivers", 7));
        testkit::PanelRecord school(1);
        school.add(testkit::BitmapRecord("dot").id(kMarkerId).at(10, 10), file);
        file.page(kSchoolPage, 60).storedPanel("SchoolhousePanel", testkit::TitlePanelBytes(school));
        file.page(kWelcome, 1);
    }
    void read()
    {
        readTitle();
        product().GetProductDef()->SetDataPath("P:\\Data");
    }
    JxCPanelObject* firstPanel()
    {
        JxCPanelObjectList* panels = product().GetFirstPage()->GetPanelList();
        return panels ? panels->GetFirst() : nullptr;
    }
};

TEST_F(TitlePanelsTest, ThePanelTextMustFitItsRecord)
{
    read();
    changeTo(kTextPage);
    auto* panel = dynamic_cast<JxCGavoPanel*>(firstPanel());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->GetText(), "Rivers");
    // A text longer than the record fails the page's reading.
    JxCPageDef* def = product().NewPageDef();
    EXPECT_EQ(def->Load(kLongTextPage), 0);
    delete def;
}

TEST_F(TitlePanelsTest, TheSchoolhouseStandsForTheLogbookAndHidesItsMarkerDuringTheQuiz)
{
    read();
    EXPECT_EQ(IsLogbookShowing(), 0);
    changeTo(kSchoolPage);
    auto* school = dynamic_cast<JxCSchoolhousePanel*>(firstPanel());
    ASSERT_NE(school, nullptr);
    EXPECT_EQ(IsLogbookShowing(), 1);
    auto* marker = dynamic_cast<JxCBitmap*>(school->FindObjectById(kMarkerId));
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->IsVisible(), 1);
    QuizSavedState().minimised = true;
    EXPECT_EQ(school->CreateResources(), 1);
    EXPECT_EQ(marker->IsVisible(), 0);
    EXPECT_EQ(school->SetMarker(1), 1);
    EXPECT_EQ(marker->IsVisible(), 1);
    QuizSavedState().minimised = false;
    product().GetPageList().ClosePage(product().GetFirstPage());
    EXPECT_EQ(IsLogbookShowing(), 0);
    // Without a marker of its own: nothing to hide.
    JxCSchoolhousePanel bare;
    EXPECT_EQ(bare.SetMarker(0), 0);
}

TEST_F(TitlePanelsTest, TheFirstLogInPageOpensOnlyWhileNobodyIsRegistered)
{
    read();
    changeTo(1);
    JxCFirstLogAction first;
    first.SetTarget(kWelcome, 0, 0);
    EXPECT_EQ(first.Execute(), 1);
    ASSERT_NE(product().FindPageById(kWelcome), nullptr);
    product().GetPageList().ClosePage(product().FindPageById(kWelcome));
    writeUser("jx0.Gv3", "Ann");
    EXPECT_EQ(first.Execute(), 1);
    EXPECT_EQ(product().FindPageById(kWelcome), nullptr);
}

TEST_F(TitlePanelsTest, APrintFileWhosePictureIsMissingFails)
{
    read();
    changeTo(1);
    JxCGv2PrintFileAction print;
    print.SetOwner(product().GetFirstPage());
    print.SetFileName(JxCString("missing.dib"));
    EXPECT_EQ(print.Execute(), 0);
}

}  // namespace
}  // namespace title_test
