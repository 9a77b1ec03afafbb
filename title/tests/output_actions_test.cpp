// The title's output actions on the headless desktop: the options pop-up's
// copy and print act on the page the pop-up was opened over while that page
// is open, else on the current page; a print-file action prints its picture.

#include <filesystem>
#include <optional>

#include "objects/actions/JxCOpenPageAction.h"
#include "platform/clipboard/clipboard.h"
#include "platform/print/printer.h"
#include "platform/tests/png_file.h"
#include "runtime/JxPrinting.h"
#include "title/JxTitleOutputActions.h"
#include "title/tests/title_data_fixture.h"

namespace title_test {
namespace {

constexpr std::int32_t kRedPage = 70;
constexpr std::int32_t kBluePopup = 71;
constexpr std::uint16_t kRedTemplate = 70;
constexpr std::uint16_t kPopupTemplate = 71;

class OutputActionsTest : public TitleDataTest {
protected:
    void SetUp() override
    {
        TitleDataTest::SetUp();
        documents = std::filesystem::path(config.root()) / "documents";
        plat::SetDocumentsFolderHost(documents.string());
        // Each print tells where its page went.
        plat::SetResponder([this](const plat::UiRequest& r) -> std::optional<int> {
            boxes.push_back(r.text);
            return 1;
        });
        plat::ResetClipboard();
        file.templateDef(kRedTemplate, "BASE_PAGE").size(640, 480).panel(1, "Display").size(640, 480).colour(255, 0, 0);
        file.templateDef(kPopupTemplate, "POPUP_PAGE").size(200, 100)
            .panel(1, "Display").size(200, 100).colour(0, 0, 255);
        file.page(kRedPage, kRedTemplate);
        file.page(kBluePopup, kPopupTemplate).at(100, 100);
        file.page(1, 1);
        readTitle();
        changeTo(kRedPage);
        JxCOpenPageAction open;
        open.SetTarget(std::uint32_t(kBluePopup), 0, 0);
        open.Post();
        harness.runUntilIdle();
    }
    void TearDown() override
    {
        plat::SetResponder(nullptr);
        plat::SetDocumentsFolderHost("");
        plat::ResetClipboard();
        TitleDataTest::TearDown();
    }
    JxCPageObject* page(std::int32_t id) { return product().FindPageById(id); }
    // What the clipboard holds after the page is copied to it directly.
    std::optional<std::vector<std::uint8_t>> copiedDirectly(std::int32_t id)
    {
        plat::ResetClipboard();
        EXPECT_EQ(CopyPageToClipboard(page(id)), 1);
        auto dib = plat::GetClipboardDib();
        plat::ResetClipboard();
        return dib;
    }
    std::optional<std::vector<std::uint8_t>> copiedByOptions()
    {
        JxCGavoOptionsAction copy;
        copy.SetCode(JxCGavoOptionsAction::kCopy);
        EXPECT_EQ(copy.Execute(), 1);
        return plat::GetClipboardDib();
    }
    std::vector<std::filesystem::path> printed() const
    {
        std::vector<std::filesystem::path> files;
        if (std::filesystem::exists(documents))
            for (const auto& entry : std::filesystem::directory_iterator(documents))
                files.push_back(entry.path());
        return files;
    }

    // The box that names the one printed file, and nothing else, was shown.
    void expectToldWherePrinted()
    {
        const auto files = printed();
        ASSERT_EQ(files.size(), 1u);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].find(files[0].string()), std::string::npos) << boxes[0];
    }

    std::filesystem::path documents;
    std::vector<std::string> boxes;
};

TEST_F(OutputActionsTest, CopyTakesThePageTheOptionsWereOpenedOverElseTheCurrentPage)
{
    ASSERT_NE(page(kRedPage), nullptr);
    ASSERT_NE(page(kBluePopup), nullptr);
    ASSERT_EQ(product().GetCurrentPage(), page(kBluePopup));
    const auto red = copiedDirectly(kRedPage);
    const auto blue = copiedDirectly(kBluePopup);
    ASSERT_TRUE(red && blue);
    ASSERT_NE(*red, *blue);

    data().SetBroughtForwardPage(page(kRedPage));
    EXPECT_EQ(copiedByOptions(), red);

    plat::ResetClipboard();
    data().SetBroughtForwardPage(nullptr);
    EXPECT_EQ(copiedByOptions(), blue);
}

TEST_F(OutputActionsTest, PrintTakesThePageTheOptionsWereOpenedOver)
{
    data().SetBroughtForwardPage(page(kRedPage));
    JxCGavoOptionsAction print;
    print.SetCode(JxCGavoOptionsAction::kPrint);
    EXPECT_EQ(print.Execute(), 1);
    const auto files = printed();
    ASSERT_EQ(files.size(), 1u);
    const plat::testing::PngFile png = plat::testing::ReadPngFile(files[0].string());
    ASSERT_GT(png.width, 0);
    // The page is scaled to the paper's width, at its top: the middle of
    // the picture is the red page's nearest palette colour, not the pop-up's.
    const plat::COLORREF middle = png.at(png.width / 2, png.width * 3 / 8);
    EXPECT_GT(plat::GetRValue(middle), 200) << std::hex << middle;
    EXPECT_LT(plat::GetBValue(middle), 64) << std::hex << middle;
    expectToldWherePrinted();
}

TEST_F(OutputActionsTest, APrintFileActionPrintsItsPicture)
{
    const testkit::BmpPicture green{8, 8, std::vector<std::uint8_t>(64, 2), testkit::DistinctColours()};
    const std::vector<std::uint8_t> b = testkit::EncodeBmp(green);
    plat::testing::TempConfig::writeFile(config.program() + "/Data/sheet.dib", std::string(b.begin(), b.end()));
    product().GetProductDef()->SetDataPath("P:\\Data");
    JxCGv2PrintFileAction print;
    print.SetOwner(page(kRedPage)->GetPanelList()->GetFirst());
    print.SetFileName(JxCString("sheet.dib"));
    EXPECT_EQ(print.Execute(), 1);
    expectToldWherePrinted();
}

}  // namespace
}  // namespace title_test
