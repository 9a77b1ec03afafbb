#pragma once
// Panels holding hotspots and buttons read from their stored records over
// a background bitmap, on a page that draws into one memory slate, with the
// product's main window (timers, message 1024) and action processor. The
// hotspots and buttons note their "on_click" in the click log before
// raising it.

#include <memory>
#include <string>
#include <vector>

#include "events/JxCActionProcessor.h"
#include "objects/tests/panel_fixture.h"
#include "objects/widgets/JxCButton.h"
#include "objects/widgets/JxCHotspot.h"
#include "objects/widgets/JxHighlightMaps.h"
#include "platform/backend/harness.h"
#include "platform/window/window.h"
#include "runtime/JxCWindowClass.h"
#include "runtime/JxKeywordTables.h"

namespace widget_test {

using namespace panel_test;
using Log = std::vector<std::string>;

Log& clicks();

template <class Widget>
class Noted : public Widget {
public:
    void DispatchEvent(std::int16_t eventId, std::int16_t key) override
    {
        if (eventId == std::int16_t(EventId(JxEventKeyword::on_click)))
            clicks().push_back("click");
        Widget::DispatchEvent(eventId, key);
    }
};

class WidgetTest : public PanelTest {
protected:
    // The background picture: colour kBack with its top-left quarter in
    // kCorner, 100 by 50 (the panel's size).
    static constexpr std::uint8_t kBack = 60;
    static constexpr std::uint8_t kCorner = 90;

    void SetUp() override
    {
        PanelTest::SetUp();
        clicks().clear();
        RegisterDisplayObjectType(JxCTableString("Hotspot"),
                                  [] { return static_cast<JxCDisplayObject*>(new Noted<JxCHotspot>); }, hotspotKey_);
        RegisterDisplayObjectType(JxCTableString("Button"),
                                  [] { return static_cast<JxCDisplayObject*>(new Noted<JxCButton>); }, buttonKey_);
        ReleaseTypeRegistries();
        RegisterTypeIds();
        ASSERT_TRUE(RegisterWindowClasses(JxCStartupInfo{}));
        main = openProductWindow(320, 240, plat::WS_POPUP);
        ASSERT_NE(main, nullptr);
        GetProduct()->SetActionProcessor(std::make_unique<JxCActionProcessor>());
        panelDef();
        writePicture("back.dib", testkit::EncodeBmp(twoColourPicture(100, 50, kBack, kCorner)));
        writePicture("up.dib", testkit::EncodeBmp(onePicture(20, 10, 150)));
        writePicture("down.dib", testkit::EncodeBmp(onePicture(20, 10, 160)));
        writePicture("off.dib", testkit::EncodeBmp(onePicture(20, 10, 170)));
    }
    void TearDown() override
    {
        panel.reset();
        page.reset();
        GetProduct()->SetActionProcessor(nullptr);
        GetProduct()->ForgetProductWindow();
        plat::DestroyWindow(main);
        ReleaseHighlightMaps();
        UnregisterDisplayObjectType(JxCTableString("hotspot"));
        UnregisterDisplayObjectType(JxCTableString("button"));
        PanelTest::TearDown();
    }
    static testkit::BmpPicture onePicture(int width, int height, std::uint8_t colour)
    {
        return twoColourPicture(width, height, colour, colour);
    }

    // Reads the definitions and a panel of the objects over the background
    // bitmap, draws it and returns the first object after the bitmap.
    template <class Widget>
    Widget* open(std::vector<testkit::DisplayObjectRecord> objects, bool withBackground = true)
    {
        // A second panel replaces the first.
        panel.reset();
        page.reset();
        testkit::PanelRecord record(2);
        if (withBackground)
            record.add(testkit::BitmapRecord("back"), file);
        for (const auto& object : objects)
            record.add(object, file);
        readDefinitions();
        page = std::make_unique<SlatePage>(200, 100);
        const std::vector<std::uint8_t> bytes = record.Bytes();
        panel = readPanel(bytes, *page);
        panel->CreateResources();
        panel->Draw(nullptr, nullptr, 0);
        JxCDisplayObjectList& list = panel->GetDisplayObjects();
        JxCDisplayObject* first = list.GetFirst();
        if (withBackground && first)
            first = list.GetNext(first);
        return dynamic_cast<Widget*>(first);
    }
    // The pixel at content point (x, y) of the panel (placed at (10, 20)).
    std::uint8_t pixel(int x, int y) { return page->at(10 + x, 20 + y); }
    // The panel's mouse input at content points.
    static JxCPoint onPage(int x, int y) { return JxCPoint(std::int16_t(10 + x), std::int16_t(20 + y)); }
    void press(int x, int y) { panel->MouseDown(onPage(x, y)); }
    void move(int x, int y) { panel->MouseMove(onPage(x, y)); }
    void release(int x, int y) { panel->MouseUp(onPage(x, y)); }

    plat::Harness harness;
    plat::HWND main = nullptr;
    std::unique_ptr<SlatePage> page;
    std::unique_ptr<JxCPanelObject> panel;

private:
    JxCTypeKey hotspotKey_;
    JxCTypeKey buttonKey_;
};

}  // namespace widget_test
