#pragma once
// A product on the headless desktop with its main window, and pages,
// definitions and panels whose behaviour each test chooses.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxErrorReport.h"
#include "platform/backend/harness.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCBaseWindowObject.h"
#include "runtime/JxCDisplayObject.h"
#include "runtime/JxCWindowClass.h"
#include "runtime/JxMainWindowProc.h"

namespace product_test {

using Log = std::vector<std::string>;

// What the test product finds when it loads a page id.
struct PageRecord {
    std::int16_t templateId = 0;
    std::int16_t pageType = 0;  // 0: a type without a page class
    // Panels the definition already holds when it is loaded.
    std::vector<std::int16_t> panels;
};

// How a page behaves.
struct PageTraits {
    std::int16_t canActivate = 1;
    std::int16_t keepOpen = 0;
    std::int16_t openMode = 0;
    bool resourcesMade = true;
};

class TestPage : public JxCPageObject {
public:
    TestPage(PageTraits traits, Log& log) : traits_(traits), log_(log) {}
    ~TestPage() override
    {
        // What a closing page may still reach of the product.
        JxCBaseProduct* product = GetProduct();
        const bool reachable = product && product->GetActionProcessor() && product->GetProductData();
        log_.push_back("close " + std::to_string(GetPageId()) + (reachable ? "" : " alone"));
    }
    std::int16_t CanActivate() const override { return traits_.canActivate; }
    std::int16_t GetKeepOpen() const override { return traits_.keepOpen; }
    std::int16_t GetOpenMode() const override { return traits_.openMode; }
    std::int16_t CreateResources() override { return traits_.resourcesMade ? 1 : 0; }
    std::int16_t Start() override
    {
        log_.push_back("start " + std::to_string(GetPageId()));
        return JxCPageObject::Start();
    }
    void MouseMove(const JxCPoint& point) override
    {
        log_.push_back("move " + std::to_string(GetPageId()) + " " + std::to_string(point.x) + "," +
                       std::to_string(point.y));
    }
    JxCPanelObject* GetCapturePanel() const override { return capturePanel; }
    void EndCapture() override { log_.push_back("end capture " + std::to_string(GetPageId())); }
    plat::HWND GetWindow() const override { return window; }

    JxCPanelObject* capturePanel = nullptr;
    plat::HWND window = nullptr;

private:
    PageTraits traits_;
    Log& log_;
};

// A panel whose stored record is its id as a big-endian word.
class TestPanel : public JxCPanelObject {
public:
    explicit TestPanel(std::int16_t id = 0) { SetId(id); }
    JxCDisplayObject* GetCaptureObject() const override { return capture; }
    JxCDisplayObject* capture = nullptr;
    std::int16_t Read(JxCInStrStream& in, JxCPageDef*) override
    {
        std::int16_t id = 0;
        if (!in.ReadBigEndian16(id))
            return 0;
        SetId(id);
        return 1;
    }
};

class TestPageDef : public JxCPageDef {
public:
    explicit TestPageDef(const std::map<std::int32_t, PageRecord>& records) : records_(records) {}
    std::int16_t Load(std::int32_t pageId) override
    {
        SetPageId(pageId);
        auto it = records_.find(pageId);
        if (it == records_.end())
            return 0;
        SetTemplateId(it->second.templateId);
        SetPageType(JxCPageTypeId(it->second.pageType));
        for (std::int16_t id : it->second.panels)
            GetPanelList().Add(new TestPanel(id));
        return 1;
    }

private:
    const std::map<std::int32_t, PageRecord>& records_;
};

class Data : public JxCBaseProductData {
public:
    std::int16_t Initialise() override { return 1; }
};

class TestProduct : public JxCBaseProduct {
public:
    explicit TestProduct(Log& log) : log_(log) {}
    std::int16_t Start() override { return 1; }
    JxCPageDef* NewPageDef() override { return new TestPageDef(records); }
    JxCPageObject* NewPageForDef(const JxCPageDef& def) override
    {
        if (def.GetPageType() == 0)
            return JxCBaseProduct::NewPageForDef(def);
        return new TestPage(traits[def.GetPageId()], log_);
    }
    JxCPanelObject* NewPanelById(JxCPanelTypeId type) override
    {
        if (type == 0)
            return JxCBaseProduct::NewPanelById(type);
        return new TestPanel;
    }
    JxCPageObject* FindQuizPage() override { return quizId ? FindPageById(quizId) : nullptr; }

    std::map<std::int32_t, PageRecord> records;
    std::map<std::int32_t, PageTraits> traits;
    std::int32_t quizId = 0;

private:
    Log& log_;
};

// A client of timers, idle time and media that notes what reaches it.
class Client : public JxCNotifyRoot {
public:
    void OnSystemEvent(JxCTimerParams* record) override { events.push_back(*record); }
    std::int16_t OnIdle(std::int32_t count) override
    {
        counts.push_back(count);
        if (during)
            during();
        return wantsMore;
    }
    std::vector<JxCTimerParams> events;
    std::vector<std::int32_t> counts;
    std::int16_t wantsMore = 0;
    std::function<void()> during;
};

class ProductTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetMainWindowState();
        SetProgramStarted();
        plat::SetResponder([this](const plat::UiRequest& r) -> std::optional<int> {
            boxes.push_back(r.text);
            return 1;
        });
        ASSERT_TRUE(RegisterWindowClasses(JxCStartupInfo{}));
        SetProduct(std::make_unique<TestProduct>(log));
        JxCWindowCreateParams p;
        p.title = "main";
        p.width = 640;
        p.height = 480;
        p.style = plat::WS_POPUP | plat::WS_VISIBLE;
        window = CreateAppWindow("JxTovel", p);
        ASSERT_NE(window, nullptr);
        product().SetProductWindow(window);
        product().SetProductData(std::make_unique<Data>());
        product().SetActionProcessor(std::make_unique<JxCActionProcessor>());
    }
    void TearDown() override
    {
        DeleteProduct();
        plat::SetResponder(nullptr);
        ResetErrorReporting();
    }

    TestProduct& product() { return static_cast<TestProduct&>(*GetProduct()); }

    plat::Harness harness;
    plat::HWND window = nullptr;
    Log log;
    std::vector<std::string> boxes;
};

}  // namespace product_test
