#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStringLoader.h"
#include "graphics/JxBitmapLoaders.h"
#include "graphics/JxCMemorySlate.h"
#include "platform/clipboard/clipboard.h"
#include "platform/draw/draw.h"
#include "platform/fs/folders.h"
#include "platform/print/printer.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/tests/png_file.h"
#include "runtime/JxPrinting.h"
#include "runtime/tests/product_fixture.h"

namespace {

using namespace plat;
using namespace product_test;

constexpr BYTE kBlackIndex = 0, kRedIndex = 1, kGreenIndex = 2, kWhiteIndex = 255;

// A panel that fills its rectangle with one colour, in page coordinates.
class ColourPanel : public JxCPanelObject {
public:
    ColourPanel(std::int16_t id, RECT rect, COLORREF colour, std::vector<int>& drawn)
        : rect_(rect), colour_(colour), drawn_(drawn)
    {
        SetId(id);
    }
    void DrawForOutput(JxCSlate& slate) override
    {
        drawn_.push_back(GetId());
        RECT d = slate.TransformRect(JxCRect(std::int16_t(rect_.left), std::int16_t(rect_.top),
                                             std::int16_t(rect_.right), std::int16_t(rect_.bottom)));
        HBRUSH brush = CreateSolidBrush(colour_);
        FillRect(slate.GetHDC(), &d, brush);
        DeleteObject(brush);
    }

private:
    RECT rect_;
    COLORREF colour_;
    std::vector<int>& drawn_;
};

class OutputPage : public JxCPageObject {
public:
    JxCSize GetPageSize() const override { return size; }
    std::vector<std::int16_t> GetPrintPanelIds() const override { return printPanels; }
    HWND GetWindow() const override { return window; }
    JxCSize size;
    std::vector<std::int16_t> printPanels;
    HWND window = nullptr;
};

using Png = plat::testing::PngFile;

Png readPng(const std::string& path)
{
    return plat::testing::ReadPngFile(path);
}

// Cancels the print job from inside it, as a click on the progress box's
// button would while the printer works.
LRESULT CALLBACK_CancelProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l)
{
    if (msg == WM_USER + 7) {
        HWND box = FindWindowA(nullptr, "Printing");
        if (box)
            SendMessageA(box, WM_COMMAND, IDCANCEL, 0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, w, l);
}

// Asks for a second print and a copy from inside the print job, as two
// quick clicks on a print button would while the printer works.
struct SecondRequest {
    JxCPageObject* page = nullptr;
    std::optional<std::int16_t> printed, copied;
    int progressBoxes = 0;
};
SecondRequest& secondRequest()
{
    static SecondRequest request;
    return request;
}

LRESULT CALLBACK_SecondPrintProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l)
{
    if (msg == WM_USER + 8) {
        SecondRequest& r = secondRequest();
        r.progressBoxes = FindWindowA(nullptr, "Printing") ? 1 : 0;
        r.printed = PrintPage(r.page, "");
        r.copied = CopyPageToClipboard(r.page);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, w, l);
}

class PrintingTest : public ProductTest {
protected:
    void SetUp() override
    {
        ProductTest::SetUp();
        SetProgramFileHost(std::string(KELBO_SOURCE_DIR) + "/resources/kelbo32");
        ResetResourceLibraries();
        ConnectStringLoader();
        documents = std::filesystem::temp_directory_path() / ("kelbo-print-" + std::to_string(::getpid()));
        std::filesystem::remove_all(documents);
        SetDocumentsFolderHost(documents.string());
        ResetClipboard();
        // Stamped texts narrower than the page: the picture keeps its width.
        JxTextStamper stamper;
        stamper.measure = [](const char*) { return 100; };
        stamper.draw = [](JxCSlate&, const JxCRect&, const char*) {};
        previousStamper = SetTextStamper(stamper);

        LOGPALETTE lp;
        lp.palNumEntries = 256;
        for (int i = 0; i < 256; ++i)
            lp.palPalEntry[i] = PALETTEENTRY{BYTE(i), BYTE(i), BYTE(i), 0};
        lp.palPalEntry[kRedIndex] = PALETTEENTRY{255, 0, 0, 0};
        lp.palPalEntry[kGreenIndex] = PALETTEENTRY{0, 255, 0, 0};
        SetProductPalette(CreatePalette(&lp), 1);

        // Template 1: panels 1 (0,0 100x50), 2 (200,100 60x40), 3 (50,50 10x10).
        auto def = std::make_unique<JxCProductDef>();
        auto* tmpl = new JxCTemplateDef;
        tmpl->SetTemplateId(1);
        const RECT places[] = {{0, 0, 100, 50}, {200, 100, 260, 140}, {50, 50, 60, 60}};
        for (int i = 0; i < 3; ++i) {
            auto* panelDef = new JxCPanelDef;
            panelDef->SetPanelId(std::int16_t(i + 1));
            panelDef->position = JxCPoint(std::int16_t(places[i].left), std::int16_t(places[i].top));
            panelDef->size = JxCSize(std::int16_t(places[i].right - places[i].left),
                                     std::int16_t(places[i].bottom - places[i].top));
            tmpl->GetPanelDefs().Add(panelDef);
        }
        def->AddTemplateDef(tmpl);
        product().SetProductDef(std::move(def));

        auto* pageDef = new JxCPageDef;
        pageDef->SetTemplateId(1);
        const COLORREF colours[] = {RGB(0, 0, 255), RGB(255, 0, 0), RGB(0, 255, 0)};
        for (int i = 0; i < 3; ++i)
            pageDef->GetPanelList().Add(new ColourPanel(std::int16_t(i + 1), places[i], colours[i], drawn));
        ASSERT_TRUE(page.Init(pageDef));
        page.size = JxCSize(320, 200);
        page.printPanels = {2, 3};
    }
    void TearDown() override
    {
        SetPrinterFactory(nullptr);
        SetTextStamper(previousStamper);
        SetDocumentsFolderHost("");
        ResetClipboard();
        std::filesystem::remove_all(documents);
        SetStringLoader({});
        ResetResourceLibraries();
        SetProgramFileHost("");
        ProductTest::TearDown();
        DeleteProductPalettes();
    }
    std::vector<std::filesystem::path> printed() const
    {
        std::vector<std::filesystem::path> files;
        if (std::filesystem::exists(documents))
            for (const auto& e : std::filesystem::directory_iterator(documents))
                files.push_back(e.path());
        return files;
    }

    std::optional<JxTextStamper> previousStamper;
    std::vector<int> drawn;
    OutputPage page;
    std::filesystem::path documents;
};

TEST_F(PrintingTest, APageWithPrintPanelsRendersOnlyThemInTheirUnion)
{
    JxObjectRef bitmap = RenderPageForOutput(&page);
    ASSERT_TRUE(bitmap.Get());
    EXPECT_EQ(drawn, (std::vector<int>{2, 3}));
    EXPECT_EQ(GetBitmapWidth(bitmap), 210);
    EXPECT_EQ(GetBitmapHeight(bitmap), 90);
    JxDibBlock dib = ConvertBitmapToPackedDib(bitmap);
    ASSERT_TRUE(CheckPackedDib(dib));
    const std::uint8_t* bits = GetDibBits(dib.data());
    const auto stride = std::size_t(DibStride(210, 8));
    auto index = [&](int x, int y) { return bits[std::size_t(90 - 1 - y) * stride + std::size_t(x)]; };
    EXPECT_EQ(index(150, 50), kRedIndex);    // page (200, 100)
    EXPECT_EQ(index(209, 89), kRedIndex);    // page (259, 139)
    EXPECT_EQ(index(150, 49), kBlackIndex);  // above panel 2: nothing drawn
    EXPECT_EQ(index(0, 0), kGreenIndex);     // page (50, 50)
    DeleteBitmapRecord(bitmap);

    // Without print panels: the whole page, every panel of the template.
    drawn.clear();
    page.printPanels.clear();
    bitmap = RenderPageForOutput(&page);
    EXPECT_EQ(drawn, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(GetBitmapWidth(bitmap), 320);
    DeleteBitmapRecord(bitmap);

    page.size = JxCSize(0, 200);
    EXPECT_FALSE(RenderPageForOutput(&page).Get()) << "an empty page makes no picture";
}

TEST_F(PrintingTest, PlacementFillsThePrintableWidthOfA640PixelPage)
{
    HDC printer = CreatePrinterDC(DefaultPrinterNames(), DEVMODEA{});
    RECT r = PrintPlacement(printer, RECT{0, 0, 640, 480}, kPrintPageWidth, 640, 480);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, kA4WidthPixels);
    EXPECT_EQ(r.bottom, kA4WidthPixels * 480 / 640);
    r = PrintPlacement(printer, RECT{0, 0, 210, 171}, kPrintPageWidth, 210, 171);
    EXPECT_EQ(r.right - r.left, 813);  // 2480 * 210 / 640
    EXPECT_EQ(r.bottom, 662);          // 813 * 171 / 210
    EXPECT_EQ(r.left, (2480 - 813) / 2);
    // Too tall for a landscape page: H / 520 of the printable height, centred.
    DEVMODEA landscape;
    landscape.dmOrientation = DMORIENT_LANDSCAPE;
    HDC wide = CreatePrinterDC(DefaultPrinterNames(), landscape);
    r = PrintPlacement(wide, RECT{0, 0, 640, 480}, kPrintPageWidth, 640, 480);
    EXPECT_EQ(r.bottom, 2289);  // 2480 * 480 / 520
    EXPECT_EQ(r.right - r.left, 3052);
    EXPECT_EQ(r.left, (3508 - 3052) / 2);
    // Taller than 520 pixels: never beyond the page.
    r = PrintPlacement(wide, RECT{0, 0, 640, 561}, kPrintPageWidth, 640, 561);
    EXPECT_EQ(r.bottom, 2480);
    r = PrintPlacement(printer, RECT{0, 0, 100, 2000}, kPrintPageWidth, 100, 2000);
    EXPECT_EQ(r.bottom, kA4HeightPixels);
    EXPECT_GE(r.left, 0);
    DeleteDC(wide);
    r = PrintPlacement(printer, RECT{0, 0, 210, 170}, kPrintFullPage, 210, 170);
    EXPECT_EQ(r.right, kA4WidthPixels);
    EXPECT_EQ(r.bottom, kA4HeightPixels);
    DeleteDC(printer);
}

TEST_F(PrintingTest, APrintedPageComesOutScaledAndCentred)
{
    EXPECT_EQ(PrintPage(&page, ""), 1);
    const auto files = printed();
    ASSERT_EQ(files.size(), 1u);
    Png png = readPng(files[0].string());
    ASSERT_EQ(png.width, kA4WidthPixels);
    // 210 by 171 (two stamped bands) scaled to 813 by 662 at x 833.
    EXPECT_EQ(png.at(1530, 270), RGB(255, 0, 0));      // panel 2
    EXPECT_EQ(png.at(850, 20), RGB(0, 255, 0));        // panel 3
    EXPECT_EQ(png.at(1530, 150), RGB(0, 0, 0));        // the page above panel 2
    EXPECT_EQ(png.at(1000, 600), RGB(255, 255, 255));  // the stamped bands
    EXPECT_EQ(png.at(820, 10), RGB(255, 255, 255));    // left of the picture
    EXPECT_EQ(png.at(1500, 700), RGB(255, 255, 255));  // under it
}

TEST_F(PrintingTest, AFullPagePrintCoversThePrintableArea)
{
    JxObjectRef bitmap = RenderPageForOutput(&page);
    EXPECT_EQ(PrintPageBitmap(bitmap, 1, "A text", 0, 1), 1);
    DeleteBitmapRecord(bitmap);
    const auto files = printed();
    ASSERT_EQ(files.size(), 1u);
    Png png = readPng(files[0].string());
    EXPECT_EQ(png.at(5, 5), RGB(0, 255, 0));
    EXPECT_EQ(png.at(kA4WidthPixels - 5, 5), RGB(0, 0, 0));
    EXPECT_EQ(png.at(kA4WidthPixels - 5, kA4HeightPixels - 5), RGB(255, 0, 0));
}

TEST_F(PrintingTest, WithoutAPrinterNothingIsPrinted)
{
    SetPrinterFactory([](const DEVNAMES&, const DEVMODEA&) { return HDC(nullptr); });
    EXPECT_EQ(PrintPage(&page, ""), 0);
    EXPECT_TRUE(printed().empty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("No printer"), std::string::npos);
}

TEST_F(PrintingTest, TheProgressBoxCancelsTheJob)
{
    WNDCLASSA wc;
    wc.lpfnWndProc = &CALLBACK_CancelProc;
    wc.lpszClassName = "PrintCanceller";
    RegisterClassA(wc);
    HWND canceller = CreateWindowExA(0, "PrintCanceller", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    PostMessageA(canceller, WM_USER + 7, 0, 0);
    EXPECT_EQ(PrintPage(&page, ""), 0);
    EXPECT_TRUE(IsPrintCancelled());
    EXPECT_TRUE(printed().empty()) << "an aborted job leaves no page";
    EXPECT_EQ(FindWindowA(nullptr, "Printing"), nullptr) << "the progress box is gone";
    DestroyWindow(canceller);

    EXPECT_EQ(PrintPage(&page, ""), 1) << "the next job starts uncancelled";
}

TEST_F(PrintingTest, APrintOrCopyAskedForDuringAJobIsRefusedAndLeavesNoBox)
{
    WNDCLASSA wc;
    wc.lpfnWndProc = &CALLBACK_SecondPrintProc;
    wc.lpszClassName = "SecondPrint";
    RegisterClassA(wc);
    HWND asker = CreateWindowExA(0, "SecondPrint", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    secondRequest() = SecondRequest{};
    secondRequest().page = &page;
    PostMessageA(asker, WM_USER + 8, 0, 0);
    EXPECT_EQ(PrintPage(&page, ""), 1);
    const SecondRequest& r = secondRequest();
    EXPECT_EQ(r.progressBoxes, 1) << "asked while the job ran";
    EXPECT_EQ(r.printed, std::optional<std::int16_t>(0));
    EXPECT_EQ(r.copied, std::optional<std::int16_t>(0));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
    EXPECT_EQ(FindWindowA(nullptr, "Printing"), nullptr) << "no progress box is left";
    const auto files = printed();
    ASSERT_EQ(files.size(), 1u);
    // The one box said where the page went.
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(files[0].string()), std::string::npos) << boxes[0];
    EXPECT_FALSE(IsPrintOrCopyRunning());
    EXPECT_EQ(CopyPageToClipboard(&page), 1) << "after the job, a copy goes through";
    DestroyWindow(asker);
}

TEST_F(PrintingTest, ThePrinterChosenInTheSetUpIsUsedWithoutADialog)
{
    SetResponder([](const UiRequest& r) -> std::optional<int> {
        if (r.kind == "PrintDlg")
            SendDlgItemMessageA(r.window, 1057, BM_CLICK, 0, 0);  // landscape
        return IDOK;
    });
    ASSERT_EQ(PrinterSetupDialog(), 1);
    SetResponder(nullptr);  // a dialog now would fail the test
    HDC printer = GetPrinterDC();
    ASSERT_TRUE(printer);
    EXPECT_EQ(GetDeviceCaps(printer, HORZRES), kA4HeightPixels);
    DeleteDC(printer);
}

TEST_F(PrintingTest, TheClipboardGetsThePageAndThePalette)
{
    ASSERT_EQ(CopyPageToClipboard(&page), 1);
    auto dib = GetClipboardDib();
    ASSERT_TRUE(dib && CheckPackedDib(*dib));
    EXPECT_EQ(GetDibWidth(dib->data()), 210);
    EXPECT_EQ(GetDibHeight(dib->data()), 90 + 2 * kStampBandHeight + 1);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(dib->data());
    const std::uint8_t* bits = GetDibBits(dib->data());
    const auto stride = std::size_t(DibStride(210, 8));
    const int height = GetDibHeight(dib->data());
    const RGBQUAD red = info->bmiColors[bits[std::size_t(height - 1 - 60) * stride + 160]];
    EXPECT_EQ(red, (RGBQUAD{0, 0, 255, 0}));
    ASSERT_TRUE(GetClipboardPalette());
    EXPECT_NE(GetClipboardPalette(), GetProductPalette()) << "a copy the clipboard owns";

    // Held open by another: nothing changes.
    ResetClipboard();
    ASSERT_TRUE(OpenClipboard(window));
    EXPECT_EQ(CopyPageToClipboard(&page), 0);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
    CloseClipboard();
}

}  // namespace
