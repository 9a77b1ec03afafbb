#pragma once
// A product that builds base and popup pages and logging panels from a
// testkit product data file whose page records it reads, over a main window
// of 640 by 480 pixels, headless.

#include <iostream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "objects/pages/JxCBasePage.h"
#include "objects/pages/JxCPopupPageEx.h"
#include "objects/tests/panel_fixture.h"
#include "platform/backend/harness.h"
#include "platform/window/window.h"
#include "runtime/JxCWindowClass.h"
#include "runtime/JxKeywordTables.h"

namespace page_change_test {

// A panel that notes its draws, starts, presses and end as "<verb> <page>
// <id>"; the panels of a page named in the failures ("make <page>" or
// "draw <page>") fail to make their resources or to draw.
class LogPanel : public JxCPanelObject {
public:
    LogPanel(std::vector<std::string>& log, const std::set<std::string>& failures) : log_(log), failures_(failures) {}
    ~LogPanel() override { note("gone"); }
    std::int16_t Read(JxCInStrStream& in, JxCPageDef* pageDef) override
    {
        page_ = pageDef ? pageDef->GetPageId() : 0;
        return JxCPanelObject::Read(in, pageDef);
    }
    std::int16_t Init(const JxCPanelDef& def, JxCPageDef* pageDef) override
    {
        page_ = pageDef ? pageDef->GetPageId() : 0;
        return JxCPanelObject::Init(def, pageDef);
    }
    std::int16_t CreateResources() override
    {
        return fails("make") ? 0 : JxCPanelObject::CreateResources();
    }
    std::int16_t Draw(JxCSlate* slate, const JxCRect* clip, std::int16_t transition) override
    {
        note("draw");
        return fails("draw") ? 0 : JxCPanelObject::Draw(slate, clip, transition);
    }
    std::int16_t MouseDown(const JxCPoint& point) override
    {
        note("down");
        return JxCPanelObject::MouseDown(point);
    }
    std::int16_t Start() override
    {
        note("start");
        return JxCPanelObject::Start();
    }

private:
    void note(const char* verb) { log_.push_back(std::string(verb) + " " + std::to_string(page_) + " " + std::to_string(GetId())); }
    bool fails(const char* verb) const { return failures_.count(std::string(verb) + " " + std::to_string(page_)) != 0; }

    std::vector<std::string>& log_;
    const std::set<std::string>& failures_;
    std::int32_t page_ = 0;
};

class PageProduct : public JxCBaseProduct {
public:
    PageProduct(std::vector<std::string>& log, const std::set<std::string>& failures) : log_(log), failures_(failures) {}
    JxCPageObject* NewPageForDef(const JxCPageDef& def) override
    {
        if (def.GetPageType() == PageTypeId(JxPageKeyword::BASE_PAGE))
            return new JxCBasePage;
        return new JxCPopupPageEx;
    }
    JxCPanelObject* NewPanelById(JxCPanelTypeId) override { return new LogPanel(log_, failures_); }

private:
    std::vector<std::string>& log_;
    const std::set<std::string>& failures_;
};

class PageChangeTest : public panel_test::PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        // The product before goes first: its end disconnects the links.
        DeleteProduct();
        SetProduct(std::make_unique<PageProduct>(log, failures));
        const std::vector<std::uint8_t> stored = testkit::EncodeLogPalette(colours);
        SetProductPalette(plat::CreatePalette(reinterpret_cast<const plat::LOGPALETTE*>(stored.data())), 1);
        ASSERT_TRUE(RegisterWindowClasses(JxCStartupInfo{}));
        main = openProductWindow(640, 480, plat::WS_POPUP | plat::WS_VISIBLE, 50, 40);
        ASSERT_NE(main, nullptr);
    }
    void TearDown() override
    {
        if (HasFailure())
            std::cerr << errorLog();
        while (JxCPageObject* page = GetProduct()->GetPageList().GetLast())
            GetProduct()->GetPageList().ClosePage(page);
        GetProduct()->ForgetProductWindow();
        if (plat::IsWindow(main))
            plat::DestroyWindow(main);
        PanelTest::TearDown();
    }
    // Reads the definitions and keeps the page data for the page records.
    void readAll()
    {
        file.version().countryCode = GetLanguageCode() ? GetLanguageCode() : "";
        file.version().softwareVersion = std::string(GetVersionCode().View());
        bytes = file.Bytes();
        JxCInStrStream in(JxMemoryBlock{bytes.data(), std::uint32_t(bytes.size())});
        JxCBaseProduct* product = GetProduct();
        ASSERT_TRUE(product->ReadProductData(in, std::uint32_t(bytes.size())));
        const std::uint32_t at = product->GetPageDataOffset();
        product->SetDataStream(
            std::make_unique<JxCInStrStream>(JxMemoryBlock{bytes.data() + at, std::uint32_t(bytes.size() - at)}));
        product->SetCompiledData(1);
    }
    // A page record with stored panels of the ids.
    void page(std::uint32_t number, std::uint16_t templateId, std::vector<std::uint16_t> panels)
    {
        testkit::PageBuilder& p = file.page(number, templateId);
        for (std::uint16_t id : panels)
            p.storedPanel("Display", testkit::PanelRecord(id).Bytes());
    }
    JxCPageObject* open(std::int32_t id)
    {
        EXPECT_EQ(GetProduct()->OpenPage(id, 0, 0, 0), 1);
        return GetProduct()->FindPageById(id);
    }
    static plat::RECT windowRect(plat::HWND window)
    {
        plat::RECT r{};
        plat::GetWindowRect(window, &r);
        return r;
    }
    plat::POINT mainClientOrigin() const
    {
        plat::POINT origin{0, 0};
        plat::ClientToScreen(main, &origin);
        return origin;
    }
    std::vector<std::string> take()
    {
        std::vector<std::string> out;
        out.swap(log);
        return out;
    }

    plat::Harness harness;
    plat::HWND main = nullptr;
    std::vector<std::string> log;
    std::set<std::string> failures;
    std::vector<std::uint8_t> bytes;
};

}  // namespace page_change_test
