// The product data file as testkit writes it, read back by the engine: the
// definitions and page records, the look-ups, damaged files and the
// product's start on a title written into the program's folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "events/JxCAction.h"
#include "foundation/JxCInStrStream.h"
#include "foundation/JxErrorHook.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxLanguage.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "foundation/JxStringLoader.h"
#include "graphics/JxGraphicsLink.h"
#include "platform/backend/harness.h"
#include "platform/screen/screen.h"
#include "platform/tests/temp_config.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCWindowClass.h"
#include "runtime/JxClassFactories.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxMainWindowProc.h"
#include "runtime/JxTypeRegistry.h"
#include "runtime/JxVersionInfo.h"
#include "testkit/sample_index.h"
#include "testkit/sample_title.h"
#include "testkit/type_ids.h"

namespace {

std::uint32_t bigEndian32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return std::uint32_t(bytes[at]) << 24 | std::uint32_t(bytes[at + 1]) << 16 | std::uint32_t(bytes[at + 2]) << 8 |
           bytes[at + 3];
}

// A product that builds plain pages and panels: what the start and the
// reader do, without the page classes.
class PlainProduct : public JxCBaseProduct {
public:
    JxCPageObject* NewPageForDef(const JxCPageDef&) override { return new JxCPageObject; }
    JxCPanelObject* NewPanelById(JxCPanelTypeId) override { return new JxCPanelObject; }
};

class ProductDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::copy(std::string(KELBO_SOURCE_DIR) + "/resources/kelbo32.resources",
                              config.program() + "/kelbo32.resources", std::filesystem::copy_options::recursive);
        ResetResourceLibraries();
        ResetMainWindowState();
        // The sample's display objects are numbered as the program numbers
        // them.
        types = std::make_unique<testkit::StandInObjectTypes>();
        RegisterTypeIds();
        char line[] = "";
        RegisterWindowClasses(JxCStartupInfo{nullptr, nullptr, line});
        plat::SetResponder([this](const plat::UiRequest& r) -> std::optional<int> {
            boxes.push_back(r.text);
            // A file that is not there: go on without it. Data of another
            // country or version: do not look for other data.
            if (r.text.rfind("[1001]", 0) == 0)
                return kAnswerIgnore;
            if (r.text.rfind("[1251]", 0) == 0 || r.text.rfind("[1266]", 0) == 0)
                return kAnswerCancel;
            return kAnswerOk;
        });
        SetProgramStarted();
        ConnectErrorReporting();
        title = testkit::SampleTitle();
        // The first two pages without the widgets of their stored panels,
        // which only the program's classes read.
        title.data.page(1, 1).name("Welcome");
        title.data.page(2, 1).name("Contents");
        // The language the version record is checked against.
        title.Write(config.program());
        ResetResourceLibraries();
        SelectLanguage(0x0409);
        LoadMainResourceLibrary();
        ResetVersionInfo();
    }
    void TearDown() override
    {
        DeleteProduct();
        plat::SetResponder(nullptr);
        SetStringLoader({});
        SetErrorReporter({});
        ResetErrorReporting();
        for (const char* name : {kMainWindowClassName, kVideoWindowClassName})
            plat::UnregisterClassA(name, GetInstanceHandle());
        ReleaseTypeRegistries();
        types.reset();
        ResetResourceLibraries();
        ResetStartupSettings();
    }

    PlainProduct& newProduct()
    {
        SetProduct(std::make_unique<PlainProduct>());
        return static_cast<PlainProduct&>(*GetProduct());
    }
    // Reads the file's bytes as the start does, from memory.
    std::int16_t read(const std::vector<std::uint8_t>& bytes)
    {
        PlainProduct& product = newProduct();
        JxCInStrStream in(JxMemoryBlock{bytes.data(), std::uint32_t(bytes.size())});
        return product.ReadProductData(in, std::uint32_t(bytes.size()));
    }
    std::int16_t start(std::int32_t startPage = 1)
    {
        title.Write(config.program());
        ResetResourceLibraries();
        PlainProduct& product = newProduct();
        product.SetStartPage(startPage);
        return product.Start();
    }

    static std::uint32_t screenPixel(int x, int y)
    {
        return plat::TheScreen().pixels()[y * plat::TheScreen().stride() + x] & 0xFFFFFFu;
    }

    // Where the header's words stand: A, S and E follow the version record.
    std::size_t headerAt() { return testkit::VersionBytes(title.data.version()).size(); }

    plat::testing::TempConfig config;
    plat::Harness harness;
    std::unique_ptr<testkit::StandInObjectTypes> types;
    testkit::TitleFolder title;
    std::vector<std::string> boxes;
};

// --- The definitions ----------------------------------------------------

TEST_F(ProductDataTest, TheProductDefinitionReadsItsFieldsTemplatesAndPanels)
{
    testkit::TemplateBuilder& popup = title.data.templateDef(7, "POPUP_PAGE");
    popup.anchor(1, 2).offset(-5, 9).area(10, 20, 300, 200).frame(2, 4).ownerPanels({1, 2}).printPanels({2}).reuse();
    popup.panel(4, "TransparentPanel").stored(6).colour(1, 2, 3).at(7, 8).size(90, 80);
    ASSERT_TRUE(read(title.data.Bytes()));

    JxCProductDef* def = GetProduct()->GetProductDef();
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def->GetName().View(), "Kelbo Sample");
    EXPECT_EQ(def->GetSize().cx, 646);
    EXPECT_EQ(def->GetTransparentIndex(), 255);
    // The sample's own three first; the pages of its later parts follow.
    const std::vector<std::int32_t>& starts = def->GetStartPages();
    ASSERT_GE(starts.size(), 3u);
    EXPECT_EQ(std::vector<std::int32_t>(starts.begin(), starts.begin() + 3), (std::vector<std::int32_t>{1, 2, 3}));

    JxCTemplateDef* t = def->FindTemplateDef(7);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(std::int16_t(t->GetPageType()), std::int16_t(PageTypeId(JxPageKeyword::POPUP_PAGE)));
    EXPECT_TRUE(t->HasAnchor());
    EXPECT_EQ(t->GetAnchorTemplateId(), 1);
    EXPECT_EQ(t->GetAnchorPanelId(), 2);
    EXPECT_EQ(t->GetOffset().x, -5);
    EXPECT_EQ(t->GetOffset().y, 9);
    EXPECT_TRUE(t->HasArea());
    EXPECT_EQ(t->GetArea().right, 300);  // the width
    EXPECT_EQ(t->GetFrameStyle(), 2);
    EXPECT_EQ(t->GetFrameInset(), 4);
    EXPECT_EQ(t->GetReuse(), 1);
    EXPECT_EQ(t->GetOwnerPanels(), (JxCPanelIdList{1, 2}));
    EXPECT_EQ(t->GetPrintPanels(), (JxCPanelIdList{2}));

    JxCPanelDef* panel = def->FindPanelDef(7, 4, 1);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->GetPresent(), 1);
    EXPECT_EQ(panel->GetRecordIndex(), 6);
    EXPECT_EQ(panel->position.x, 7);
    EXPECT_EQ(panel->size.cx, 90);
    EXPECT_EQ(panel->colour.blue, 3);
}

TEST_F(ProductDataTest, ATemplateWithoutItsOptionalPartsReadsTheNextFieldAtOnce)
{
    ASSERT_TRUE(read(title.data.Bytes()));
    JxCTemplateDef* t = GetProduct()->GetProductDef()->FindTemplateDef(1);
    ASSERT_NE(t, nullptr);
    EXPECT_FALSE(t->HasAnchor());
    EXPECT_FALSE(t->HasOffset());
    EXPECT_FALSE(t->HasArea());
    EXPECT_EQ(t->GetPanelDefs().GetCount(), 3);
}

TEST_F(ProductDataTest, LookUpsFindTheFirstOfTwinsAndReportOnlyWhenAsked)
{
    title.data.templateDef(1, "CHILD_PAGE");  // a second template 1
    ASSERT_TRUE(read(title.data.Bytes()));
    JxCProductDef* def = GetProduct()->GetProductDef();
    EXPECT_EQ(std::int16_t(def->GetTemplatePageType(1)), std::int16_t(PageTypeId(JxPageKeyword::BASE_PAGE)));
    EXPECT_EQ(std::int16_t(def->GetTemplatePageType(99)), std::int16_t(PageTypeId(JxPageKeyword::NULL_PAGE)));
    EXPECT_EQ(def->FindPanelDef(1, 42, 0), nullptr);
    EXPECT_EQ(def->GetTemplateHandlers(99), nullptr);
    JxCPanelDef* a = def->FindPanelDef(1, 2, 1);
    JxCPanelDef* b = def->FindPanelDef(2, 2, 1);
    ASSERT_TRUE(a && b);
    EXPECT_FALSE(*a == *b) << "the content panels differ in colour";
    EXPECT_TRUE(*def->FindPanelDef(1, 1, 1) == *def->FindPanelDef(2, 1, 1));
}

TEST_F(ProductDataTest, TheStartIndexOutsideTheListGivesTheFirstStartPage)
{
    title.data.product().startPages({4, 5});
    ASSERT_TRUE(read(title.data.Bytes()));
    JxCProductDef* def = GetProduct()->GetProductDef();
    for (std::int32_t index : {0, 3, -1}) {
        def->SetStartIndex(index);
        EXPECT_EQ(def->GetStartPage(), 4) << index;
        EXPECT_EQ(def->GetStartIndex(), 1);
    }
    def->SetStartIndex(2);
    EXPECT_EQ(def->GetStartPage(), 5);
}

TEST_F(ProductDataTest, TheStringTableHoldsEmptyTextsAndInternsOnlyWhatItHolds)
{
    const std::uint16_t empty = title.data.Intern("");
    ASSERT_TRUE(read(title.data.Bytes()));
    JxCBaseProduct* product = GetProduct();
    EXPECT_EQ(product->GetTableString(empty - 1).View(), "");
    EXPECT_NE(product->GetTableString(empty - 1).GetText(), nullptr);
    EXPECT_EQ(product->InternString("Welcome").View(), "Welcome");
    EXPECT_EQ(product->InternString("Welcome").GetText(), product->InternString("Welcome").GetText());
    product->SetCompiledData(1);
    EXPECT_TRUE(product->InternString("welcome").IsEmpty()) << "the comparison keeps case";
    product->SetCompiledData(0);
    EXPECT_EQ(product->InternString("new text").View(), "new text");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ProductDataTest, APageWithoutARecordHasNoStream)
{
    ASSERT_TRUE(read(title.data.Bytes()));
    JxCBaseProduct* product = GetProduct();
    EXPECT_EQ(product->GetPageRecordStream(0), nullptr) << "entry 0 is 0xFFFFFFFF";
    EXPECT_EQ(product->GetPageRecordStream(4), nullptr) << "past the table";
    EXPECT_EQ(product->GetPageRecordStream(-1), nullptr);
}

// --- Damaged files ------------------------------------------------------

TEST_F(ProductDataTest, EveryTruncationOfTheFileFailsCleanly)
{
    const std::vector<std::uint8_t> whole = title.data.Bytes();
    // The page data is not read until a page opens: cuts inside it leave
    // the definitions whole.
    const std::size_t pageData = bigEndian32(whole, headerAt());
    for (std::size_t n = 0; n < pageData; ++n) {
        std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(n));
        EXPECT_FALSE(read(cut)) << "cut to " << n << " bytes";
    }
    EXPECT_TRUE(read(whole));
}

TEST_F(ProductDataTest, EveryByteOfTheHeaderAndDefinitionsCanBeDamagedSafely)
{
    // No value of any byte may crash, hang or read outside the file; the
    // sanitizers watch every read.
    const std::vector<std::uint8_t> whole = title.data.Bytes();
    for (std::size_t at = 0; at < whole.size(); ++at)
        for (std::uint8_t value : {std::uint8_t(0x00), std::uint8_t(0x7F), std::uint8_t(0xFF)}) {
            std::vector<std::uint8_t> damaged = whole;
            damaged[at] = value;
            read(damaged);
        }
}

TEST_F(ProductDataTest, DataOfAnotherCountryOrVersionIsRefusedWithItsMessage)
{
    testkit::ProductData other = title.data;
    other.version().countryCode = "GR";
    EXPECT_FALSE(read(other.Bytes()));
    other.version().countryCode = "us";
    other.version().softwareVersion = "30";
    EXPECT_FALSE(read(other.Bytes()));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].rfind("[1251]", 0), 0u) << boxes[0];
    EXPECT_EQ(boxes[1].rfind("[1266]", 0), 0u) << boxes[1];
    // Refused at the start, the question alone says why: the file is not
    // reported as one that cannot be opened.
    boxes.clear();
    title.data.version().countryCode = "GR";
    EXPECT_FALSE(start());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("[1251]", 0), 0u) << boxes[0];
}

TEST_F(ProductDataTest, BlocksThatDoNotFollowOneAnotherAreRefused)
{
    const std::uint32_t size = std::uint32_t(title.data.Bytes().size());
    EXPECT_FALSE(read(testkit::ProductData(title.data).claimPageData(size + 1).Bytes())) << "A past the end";
    EXPECT_FALSE(read(testkit::ProductData(title.data).claimDefinitionsEnd(size).Bytes())) << "E past A";
    EXPECT_FALSE(read(testkit::ProductData(title.data).claimStrings(0xFFFFFFF0).Bytes())) << "P + S wraps";
    EXPECT_FALSE(read(testkit::ProductData(title.data).claimDefinitionsEnd(std::uint32_t(headerAt() + 13)).Bytes()))
        << "E before P + S";
}

TEST_F(ProductDataTest, ATableStringIndexPastTheTableFailsTheRead)
{
    testkit::ProductData data = title.data;
    std::vector<std::uint8_t> bytes = data.Bytes();
    // The product's name is the first field of the definitions, right
    // after the string table.
    const std::size_t definitions = headerAt() + 12 + bigEndian32(bytes, headerAt() + 4);
    bytes[definitions] = 0x7F;
    EXPECT_FALSE(read(bytes));
}

TEST_F(ProductDataTest, TheProductTemplateAndPageDefinitionsReadTheirHandlers)
{
    // The plain action stands for a class of "PLAYWAVE"; "GO_URL" has none.
    RegisterActionClass(JxActionKeyword::PLAYWAVE, MakeInstance<JxCAction, JxCAction>,
                        CopyInstance<JxCAction, JxCAction>);
    const testkit::ActionRecord wave{"PLAYWAVE", {}};
    title.data.product().on("on_activateapp", {wave, wave}).on("on_close", {});
    title.data.templateDef(7, "BASE_PAGE").on("on_click", {wave});
    title.data.page(4, 7).on("on_open", {wave}).on("on_open", {wave, wave});
    ASSERT_TRUE(start());

    JxCProductDef* def = GetProduct()->GetProductDef();
    JxCEventHandlerList& product = def->GetEventHandlers();
    ASSERT_EQ(product.GetCount(), 2);
    EXPECT_EQ(product.GetFirst()->GetEvent(), EventId(JxEventKeyword::on_activateapp));
    EXPECT_EQ(product.GetFirst()->GetActions()->GetCount(), 2);
    EXPECT_EQ(product.GetFirst()->GetActions()->GetFirst()->GetType(), ActionTypeId(JxActionKeyword::PLAYWAVE));
    EXPECT_EQ(product.GetLast()->GetActions()->GetCount(), 0);
    ASSERT_NE(def->GetTemplateHandlers(7), nullptr);
    EXPECT_EQ(def->GetTemplateHandlers(7)->GetCount(), 1);
    EXPECT_EQ(def->GetTemplateHandlers(99), nullptr);
    EXPECT_TRUE(boxes.empty()) << "a missing template has no handlers, quietly";

    JxCPageDef page;
    ASSERT_TRUE(page.Load(4));
    ASSERT_EQ(page.GetEventHandlers().GetCount(), 2);
    EXPECT_EQ(page.GetEventHandlers().GetLast()->GetActions()->GetFirst()->GetOwner(), nullptr)
        << "the base action keeps no owner";
    UnregisterFactoryClasses();
}

TEST_F(ProductDataTest, AnActionWithoutAClassFailsTheDefinitions)
{
    title.data.product().on("on_close", {{"GO_URL", {}}});
    EXPECT_FALSE(read(title.data.Bytes()));
}

// --- The start ----------------------------------------------------------

TEST_F(ProductDataTest, TheStartOpensTheFirstPageWithTheSplashForStartPagesUpToOne)
{
    for (std::int32_t startPage : {0, 1}) {
        ASSERT_TRUE(start(startPage));
        JxCBaseProduct* product = GetProduct();
        ASSERT_NE(product->GetSplashWindow(), nullptr) << startPage;
        // The splash shows its picture: a navy border round a sand field.
        plat::RECT r;
        plat::GetWindowRect(product->GetSplashWindow(), &r);
        EXPECT_EQ(r.right - r.left, 320);
        EXPECT_EQ(screenPixel(r.left + 5, r.top + 5), 0x182860u);
        EXPECT_EQ(screenPixel(r.left + 30, r.top + 30), 0xE8D8B0u);
        if (const char* shot = std::getenv("KELBO_SCREENSHOT"))
            harness.writeScreenPng(shot);
        EXPECT_EQ(product->GetPageCount(), 1);
        EXPECT_EQ(product->GetFirstPage()->GetPageId(), 1);
        EXPECT_EQ(product->GetBusyBits(), 0);
        plat::RECT client;
        plat::GetClientRect(product->GetProductWindow(), &client);
        EXPECT_EQ(client.right, 640);
        EXPECT_EQ(client.bottom, 480);
        product->DestroySplash();
        EXPECT_EQ(product->GetSplashWindow(), nullptr);
        DeleteProduct();
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ProductDataTest, StartPagesPastOneShowNoSplash)
{
    ASSERT_TRUE(start(2));
    EXPECT_EQ(GetProduct()->GetSplashWindow(), nullptr);
    EXPECT_EQ(GetProduct()->GetFirstPage()->GetPageId(), 2);
}

TEST_F(ProductDataTest, ASplashLargerThanTheScreenStandsAtTheCorner)
{
    title.splash = testkit::PatternPicture(2000, 1500);
    ASSERT_TRUE(start(1));
    plat::RECT r;
    plat::GetWindowRect(GetProduct()->GetSplashWindow(), &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
}

TEST_F(ProductDataTest, ATitleWithoutASplashStartsWithoutOne)
{
    title.splash.reset();
    ASSERT_TRUE(start(1));
    EXPECT_EQ(GetProduct()->GetSplashWindow(), nullptr);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ProductDataTest, AMissingPaletteFailsTheStartWithItsMessages)
{
    title.palette.clear();
    EXPECT_FALSE(start());
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].rfind("[1019]", 0), 0u);
    EXPECT_EQ(boxes[1].rfind("[1037]: Error loading palette resource", 0), 0u);
}

TEST_F(ProductDataTest, AMissingOrDamagedFileFailsTheStartNamingIt)
{
    title.dataFileName = "OTHER.DAT";
    title.Write(config.program());
    std::filesystem::remove(config.program() + "/OTHER.DAT");
    ResetResourceLibraries();
    EXPECT_FALSE(newProduct().Start());
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].rfind("[1001]", 0), 0u) << "the file opener asks for the disc first";
    EXPECT_NE(boxes[1].find("[1134]: Unable to open"), std::string::npos) << boxes[1];
    EXPECT_NE(boxes[1].find("OTHER.DAT"), std::string::npos) << boxes[1];
    EXPECT_EQ(GetProduct()->GetBusyBits(), 0);

    boxes.clear();
    title.data.claimPageData(0);
    EXPECT_FALSE(start());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("OTHER.DAT"), std::string::npos) << boxes[0];
}

TEST_F(ProductDataTest, WithMungedSpritesTheStartOpensTheDataStoreForThePictures)
{
    plat::testing::TempConfig::writeFile(config.program() + "/kelbo32.ini", "[Directory]\r\nMungedSprites=1\r\n");
    ReadSettings();
    ASSERT_TRUE(start());
    JxCMungeFile* store = GetProduct()->GetDataStore();
    ASSERT_NE(store, nullptr);
    EXPECT_TRUE(store->IsOpen());
    EXPECT_EQ(GraphicsDataStore(), store);
    DeleteProduct();
    EXPECT_EQ(GraphicsDataStore(), nullptr);

    // A store that is not there ends the start.
    title.withStore = false;
    std::filesystem::remove(config.program() + "/DATA.MNG");
    EXPECT_FALSE(start());
    EXPECT_EQ(GetProduct()->GetPageCount(), 0);
}

TEST_F(ProductDataTest, AnEmptyStartPageListFailsTheStart)
{
    title.data.product().startPages({});
    EXPECT_FALSE(start());
    EXPECT_EQ(GetProduct()->GetPageCount(), 0);
}

TEST_F(ProductDataTest, AStartPageWithoutARecordFailsTheStart)
{
    title.data.product().startPages({7});
    EXPECT_FALSE(start());
    EXPECT_EQ(GetProduct()->GetPageCount(), 0);
}

TEST_F(ProductDataTest, APageWhoseTemplateIsMissingLoadsWithTheNullPageType)
{
    title.data.page(4, 99).name("Lost");
    ASSERT_TRUE(start());
    JxCPageDef def;
    ASSERT_TRUE(def.Load(4));
    EXPECT_EQ(std::int16_t(def.GetPageType()), std::int16_t(PageTypeId(JxPageKeyword::NULL_PAGE)));
    EXPECT_EQ(def.GetName().View(), "Lost");
    EXPECT_EQ(def.GetPanelList().GetCount(), 0);
}

}  // namespace
