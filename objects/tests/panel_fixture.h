#pragma once
// A product with a definition read from a testkit product data file, the
// "Bitmap" and "Recorder" display-object types registered, a palette of 256
// distinct colours (colour k is palette index k), and a page that draws
// into one memory slate of its size.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxLanguage.h"
#include "foundation/JxStartupSettings.h"
#include "foundation/tests/reporting_fixture.h"
#include "graphics/JxCMemorySlate.h"
#include "objects/pages/JxCBasePage.h"
#include "objects/widgets/JxCBitmap.h"
#include "graphics/JxDibUtils.h"
#include "platform/draw/draw.h"
#include "platform/screen/screen.h"
#include "platform/window/cursor.h"
#include "platform/window/messages.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCCaret.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxCTypeKey.h"
#include "runtime/JxCWindowClass.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxTypeRegistry.h"
#include "runtime/JxVersionInfo.h"
#include "testkit/bmp.h"
#include "testkit/display_objects.h"
#include "testkit/product_data.h"
#include "testkit/test_objects.h"

namespace panel_test {

// A memory slate that calls a function after every copy into it, so that
// a test sees each step of a transition.
class WatchedSlate : public JxCMemorySlate {
public:
    WatchedSlate(std::int32_t width, std::int32_t height) : JxCMemorySlate(width, height) {}
    std::int16_t CopyFromBits(JxCMemorySlate* source, const plat::RECT& from, const plat::RECT& to,
                              std::int16_t transparent) override
    {
        const std::int16_t result = JxCMemorySlate::CopyFromBits(source, from, to, transparent);
        if (afterCopy)
            afterCopy();
        return result;
    }
    std::function<void()> afterCopy;
};

// A page of the size whose slate is one memory slate, with its definition
// naming template 1.
class SlatePage : public JxCPageObject {
public:
    SlatePage(std::int16_t width, std::int16_t height) : size_(width, height), slate(width, height)
    {
        auto* def = new JxCPageDef;
        def->SetTemplateId(1);
        Init(def);
    }
    JxCSlate* GetSlate() override { return &slate; }
    std::int16_t ReleaseSlate(JxCSlate* given) override
    {
        given->ResetOriginOffset();
        given->SelectClipRect(given->GetRect());
        return 1;
    }
    JxCSize GetPageSize() const override { return size_; }

    // Pixel (x, y) of the page, y from the top.
    std::uint8_t at(int x, int y)
    {
        plat::BITMAPINFOHEADER h;
        std::uint8_t* bits = slate.GetBits(&h);
        const int rows = h.biHeight < 0 ? -h.biHeight : h.biHeight;
        const int row = h.biHeight < 0 ? y : rows - 1 - y;
        return bits[row * plat::DibStride(h.biWidth, 8) + x];
    }

private:
    JxCSize size_;

public:
    WatchedSlate slate;
};

class PanelTest : public ReportingTest {
protected:
    static constexpr std::uint8_t kPanelColour = 40;

    void SetUp() override
    {
        ReportingTest::SetUp();
        programStrings("1\tkelbo32.ini\n1001\tNot on the disc: %s\n1003\tDamaged picture %s\n1097\tPicture missing: %s\n"
                       "1012\tCouldn't find panel definition '%s' in template definition '%s'\n"
                       "1013\tCouldn't find template definition '%s'\n"
                       "1030\tCouldn't find Display Object %d \n1068\tTemporary Error %s\n"
                       "1098\tCannot Create Slate!\n");
        iniFile("[Directory]\nLogErrors=1\nLogFile=" + programFolder() + "error.log\n");
        ReadSettings();
        RegisterDisplayObjectType(JxCTableString("Bitmap"), [] { return static_cast<JxCDisplayObject*>(new JxCBitmap); },
                                  bitmapKey_);
        RegisterDisplayObjectType(JxCTableString("Recorder"),
                                  [] { return static_cast<JxCDisplayObject*>(new JxCDisplayObject); }, plainKey_);
        RegisterTypeIds();
        colours = testkit::DistinctColours();
        const std::vector<std::uint8_t> stored = testkit::EncodeLogPalette(colours);
        SetProduct(std::make_unique<JxCBaseProduct>());
        SetProductPalette(plat::CreatePalette(reinterpret_cast<const plat::LOGPALETTE*>(stored.data())), 1);
    }
    void TearDown() override
    {
        closeWindowPage();
        DeleteProduct();
        DeleteProductPalettes();
        ReleaseTypeRegistries();
        UnregisterDisplayObjectType(JxCTableString("bitmap"));
        UnregisterDisplayObjectType(JxCTableString("recorder"));
        ReportingTest::TearDown();
    }

    // Template 1 with panel 2 at (10, 20), 100 by 50, in colour
    // kPanelColour (a size of 0 takes the content's).
    testkit::PanelDefBuilder& panelDef(std::int16_t width = 100, std::int16_t height = 50)
    {
        const testkit::Rgb& c = colours[kPanelColour];
        return file.templateDef(1, "BASE_PAGE").panel(2, "Display").at(10, 20).size(width, height).colour(c[0], c[1], c[2]);
    }
    // Reads the product data file, with the program folder as the data path.
    void readDefinitions()
    {
        // A record of this program and language: no question about the data.
        file.version().countryCode = GetLanguageCode() ? GetLanguageCode() : "";
        file.version().softwareVersion = std::string(GetVersionCode().View());
        std::vector<std::uint8_t> bytes = file.Bytes();
        JxCInStrStream in(JxMemoryBlock{bytes.data(), std::uint32_t(bytes.size())});
        ASSERT_TRUE(GetProduct()->ReadProductData(in, std::uint32_t(bytes.size())));
        std::string folder = programFolder();
        folder.pop_back();  // without its backslash
        GetProduct()->GetProductDef()->SetDataPath(folder.c_str());
    }
    // A panel read from the record's bytes for the page's definition.
    std::unique_ptr<JxCPanelObject> readPanel(const std::vector<std::uint8_t>& record, SlatePage& page,
                                              std::int16_t* result = nullptr)
    {
        auto panel = std::make_unique<JxCPanelObject>();
        JxCInStrStream in(JxMemoryBlock{record.data(), std::uint32_t(record.size())});
        const std::int16_t read = panel->Read(in, page.GetPageDef());
        if (result)
            *result = read;
        panel->SetOwnerPage(&page);
        return panel;
    }
    // A main window of the program's class, made the product's window;
    // null when it could not be made.
    static plat::HWND openProductWindow(int width, int height, plat::DWORD style, int x = 0, int y = 0)
    {
        JxCWindowCreateParams p;
        p.x = x;
        p.y = y;
        p.width = width;
        p.height = height;
        p.style = style;
        plat::HWND window = CreateAppWindow(kMainWindowClassName, p);
        if (window)
            GetProduct()->SetProductWindow(window);
        return window;
    }
    // A base page (id 1) in a new shown main window of 320 by 240, the
    // product's current and focus page, with the caret, and the panel of
    // the record on it with its resources made; drawn, and the loop idle.
    // The product data file must have been read (panelDef, then
    // readDefinitions). Null when a step fails.
    JxCPanelObject* openWindowPage(testkit::PanelRecord& record)
    {
        if (!RegisterWindowClasses(JxCStartupInfo{}))
            return nullptr;
        window = openProductWindow(320, 240, plat::WS_POPUP | plat::WS_VISIBLE);
        if (!window)
            return nullptr;
        GetProduct()->SetCaret(std::make_unique<JxCCaret>());
        auto* def = new JxCPageDef;
        def->SetPageId(1);
        def->SetTemplateId(1);
        def->SetPageType(PageTypeId(JxPageKeyword::BASE_PAGE));
        windowPage = new JxCBasePage;
        if (windowPage->Init(def) != 1)
            return nullptr;
        GetProduct()->GetPageList().Add(windowPage);
        GetProduct()->SetCurrentPage(windowPage);
        GetProduct()->SetFocusPage(windowPage);
        const std::vector<std::uint8_t> bytes = record.Bytes();
        auto read = std::make_unique<JxCPanelObject>();
        JxCInStrStream in(JxMemoryBlock{bytes.data(), std::uint32_t(bytes.size())});
        if (read->Read(in, def) != 1)
            return nullptr;
        JxCPanelObject* panel = read.release();
        def->GetPanelList().Add(panel);
        if (windowPage->CreatePanelResources() != 1)
            return nullptr;
        windowPage->Refresh();
        harness.runUntilIdle();
        return panel;
    }
    // The pages and the window of openWindowPage go (also at TearDown).
    void closeWindowPage()
    {
        if (!window)
            return;
        while (JxCPageObject* open = GetProduct()->GetPageList().GetLast())
            GetProduct()->GetPageList().ClosePage(open);
        GetProduct()->ForgetProductWindow();
        plat::DestroyWindow(std::exchange(window, nullptr));
        windowPage = nullptr;
    }
    // The colour (0xRRGGBB) shown at a point of the window's client area.
    std::uint32_t shownAt(int x, int y) const
    {
        plat::POINT p{x, y};
        plat::ClientToScreen(window, &p);
        return plat::TheScreen().pixels()[p.y * plat::TheScreen().stride() + p.x] & 0xFFFFFFu;
    }

    void writePicture(const std::string& name, const std::vector<std::uint8_t>& bytes) const
    {
        plat::testing::TempConfig::writeFile(config.program() + "/" + name, std::string(bytes.begin(), bytes.end()));
    }
    // A picture of one colour with its top-left quarter in the second.
    static testkit::BmpPicture twoColourPicture(int width, int height, std::uint8_t colour, std::uint8_t corner)
    {
        testkit::BmpPicture p;
        p.width = width;
        p.height = height;
        p.colours = testkit::DistinctColours();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                p.pixels.push_back(x < width / 2 && y < height / 2 ? corner : colour);
        return p;
    }

    testkit::ProductData file;
    std::vector<testkit::Rgb> colours;
    plat::HWND window = nullptr;
    JxCBasePage* windowPage = nullptr;
    // The error log: every reported message, one line each.
    std::string errorLog() const { return hostFile("error.log"); }

private:
    JxCTypeKey bitmapKey_;
    JxCTypeKey plainKey_;
};

}  // namespace panel_test
