// What the product keeps for the rest of the program: the named cursors the
// definitions choose from, the title's styles, the data path picked while
// the title runs, the printer chosen last, the testing statistics' switch,
// and the page and object that an error report names.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "foundation/JxProductLink.h"
#include "foundation/JxStartupSettings.h"
#include "foundation/tests/reporting_fixture.h"
#include "graphics/JxCStyleDef.h"
#include "platform/window/cursor.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCDisplayObject.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxErrorContext.h"
#include "runtime/JxPrinting.h"

namespace {

class StyledData : public JxCBaseProductData {
public:
    std::int16_t Initialise() override { return 1; }
    JxCStyleDef* GetStyleDef() const override { return styles.get(); }
    std::unique_ptr<JxCStyleDef> styles = std::make_unique<JxCStyleDef>();
};

class IdPanel : public JxCPanelObject {
public:
    explicit IdPanel(std::int32_t id) { SetId(id); }
};

class ProductServicesTest : public ReportingTest {
protected:
    void TearDown() override
    {
        DeleteProduct();
        ReportingTest::TearDown();
    }
    JxCBaseProduct& product()
    {
        if (!GetProduct())
            SetProduct(std::make_unique<JxCBaseProduct>());
        return *GetProduct();
    }
    static std::string cursorOf(JxCDisplayObject& object)
    {
        JxCString text;
        EXPECT_EQ(object.GetStringProperty(kPropCursor, &text), kPropertyOk);
        return std::string(text.View());
    }
};

TEST_F(ProductServicesTest, TheCursorPropertyNamesOnlyCursorsOfTheProductsList)
{
    product().GetCursorList().Add(new JxCCursorEntry(JxCString("Hand"), plat::LoadCursorA(nullptr, plat::IDC_CROSS)));
    JxCDisplayObject object;
    // A name the list does not hold changes nothing, and says so by 0 alone.
    EXPECT_EQ(object.SetStringProperty(kPropCursor, JxCString("Finger")), kPropertyOk);
    EXPECT_EQ(cursorOf(object), "");
    // Any case finds the entry; the object takes the entry's own name.
    EXPECT_EQ(object.SetStringProperty(kPropCursor, JxCString("HAND")), kPropertyOk);
    EXPECT_EQ(cursorOf(object), "Hand");
    EXPECT_EQ(object.SetStringProperty(kPropCursor, JxCString("")), kPropertyOk);
    EXPECT_EQ(cursorOf(object), "Hand");
}

TEST_F(ProductServicesTest, TheTitlesStylesAreFoundThroughTheProductWhileItLives)
{
    EXPECT_EQ(GetProductStyleDef(), nullptr);
    auto data = std::make_unique<StyledData>();
    JxCStyleDef* styles = data->styles.get();
    product().SetProductData(std::move(data));
    EXPECT_EQ(GetProductStyleDef(), styles);
    DeleteProduct();
    EXPECT_EQ(GetProductStyleDef(), nullptr);
}

TEST_F(ProductServicesTest, ADataPathPickedWhileTheTitleRunsReachesTheProductDefinition)
{
    product().SetProductDef(std::make_unique<JxCProductDef>());
    ProductSetDataPath(JxCString("E:\\MOVED"));
    EXPECT_EQ(product().GetProductDef()->GetSecondText().View(), "E:\\MOVED");
}

TEST_F(ProductServicesTest, ThePrinterChosenLastGoesWithTheProduct)
{
    product();
    auto mode = std::make_shared<plat::DEVMODEA>();
    std::weak_ptr<plat::DEVMODEA> watched = mode;
    GetPrintSettings().hDevMode = std::move(mode);
    GetPrintSettings().hDevNames = std::make_shared<plat::DEVNAMES>();
    DeleteProduct();
    EXPECT_TRUE(watched.expired());
    EXPECT_EQ(GetPrintSettings().hDevNames, nullptr);
}

TEST_F(ProductServicesTest, EachProductTakesTheStatisticsSwitchFromTheSettingsBeforeIt)
{
    programStrings("1\tkelbo32.ini\n");
    iniFile("[Directory]\nCoverage=1\n");
    ReadSettings();
    EXPECT_EQ(product().GetPageStatistics().IsCoverageOn(), 1);
    DeleteProduct();
    ResetStartupSettings();
    EXPECT_EQ(product().GetPageStatistics().IsCoverageOn(), 0);
}

TEST(ErrorContext, NamesThePageByItsNameOrNumberAndTheObjectByItsId)
{
    JxCPageDef def;
    def.SetPageId(12);
    IdPanel panel(4);
    panel.SetPage(&def);
    auto* object = new JxCDisplayObject;
    object->Attach(&panel, JxCTypeKey());
    object->SetId(7);
    panel.GetDisplayObjects().InsertByZOrder(object);

    EXPECT_EQ(ErrorContextOf(object).View(), " (Page: 12, Object: 7)");
    def.SetName(JxCTableString("Home"));
    EXPECT_EQ(ErrorContextOf(object).View(), " (Page: Home, Object: 7)");
    EXPECT_EQ(ErrorContextOf(&panel).View(), " (Page: Home, Object: 4)");
    EXPECT_EQ(ErrorContextOf(&def).View(), " (Page: Home)");
    panel.SetPage(nullptr);
    EXPECT_EQ(ErrorContextOf(object).View(), " (Object: 7)");
    EXPECT_EQ(ErrorContextOf(nullptr).View(), "");
    JxCDisplayObject loose;
    loose.SetId(3);
    EXPECT_EQ(ErrorContextOf(&loose).View(), " (Object: 3)");
}

}  // namespace
