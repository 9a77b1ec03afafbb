#pragma once
// A panel of the scrolling objects: "ScrollBitmap" and "ScrollBaa" are
// registered, the program's scroll-bar pictures lie in its resources, the
// product has a main window so that its timers run on the virtual clock,
// and panel 2 (at 10, 20) of a 200 by 100 page is read from a record.

#include <filesystem>
#include <fstream>
#include <list>
#include <utility>

#include "objects/tests/panel_fixture.h"
#include "objects/widgets/JxCScrollBar.h"
#include "objects/widgets/JxCScrollBitmap.h"
#include "platform/window/window.h"
#include "runtime/JxCWindowClass.h"
#include "testkit/scroll_records.h"

namespace scroll_test {

using namespace panel_test;

class ScrollTest : public PanelTest {
protected:
    void SetUp() override
    {
        RegisterDisplayObjectType(JxCTableString("ScrollBitmap"), scrollBitmapFactory, bitmapKey_);
        for (const auto& [name, factory] : extraTypes)
            extraNames_.push_back(RegisterDisplayObjectType(JxCTableString(name), factory, extraKeys_.emplace_back()));
        RegisterDisplayObjectType(JxCTableString("ScrollBaa"),
                                  [] { return static_cast<JxCDisplayObject*>(new JxCScrollBar); }, barKey_);
        PanelTest::SetUp();
        copyProgramPictures();
        ASSERT_TRUE(RegisterWindowClasses(JxCStartupInfo{}));
        main_ = openProductWindow(320, 240, plat::WS_POPUP | plat::WS_VISIBLE);
        ASSERT_NE(main_, nullptr);
        panelDef(200, 100);
        page = std::make_unique<SlatePage>(220, 130);
    }
    void TearDown() override
    {
        panel.reset();
        page.reset();
        GetProduct()->ForgetProductWindow();
        plat::DestroyWindow(main_);
        PanelTest::TearDown();
        UnregisterDisplayObjectType(JxCTableString("scrollbitmap"));
        UnregisterDisplayObjectType(JxCTableString("scrollbaa"));
        for (const JxCString& name : extraNames_)
            UnregisterDisplayObjectType(JxCTableString(name.GetText()));
    }
    void copyProgramPictures() const
    {
        const std::filesystem::path from = std::filesystem::path(KELBO_SOURCE_DIR) / "resources/kelbo32.resources/bitmap";
        for (const char* name : {"LINEUP", "LINEDOWN", "THUMB", "THUMBTRACK", "LINEUPALT", "LINEDOWNALT", "THUMBALT",
                                 "THUMBTRACKALT"}) {
            std::ifstream in(from / (std::string(name) + ".bmp"), std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            plat::testing::TempConfig::writeFile(config.program() + "/kelbo32.resources/bitmap/" + name + ".bmp",
                                                 bytes);
        }
    }
    // Reads the product data file, which holds the texts the records
    // interned, then panel 2 of the record.
    std::unique_ptr<JxCPanelObject> readStored(testkit::PanelRecord& record, std::int16_t* read = nullptr)
    {
        readDefinitions();
        return readPanel(record.Bytes(), *page, read);
    }
    // Reads panel 2 with the objects; resources made, objects started.
    std::int16_t build(testkit::PanelRecord& record)
    {
        std::int16_t read = 0;
        panel = readStored(record, &read);
        if (!read) {
            ADD_FAILURE() << "the panel's record was not read";
            return 0;
        }
        if (!panel->CreateResources()) {
            for (const plat::UiRequest& box : boxes)
                ADD_FAILURE() << box.text;
            return 0;
        }
        return panel->Start();
    }
    template <class T>
    T* object(std::int32_t id)
    {
        return dynamic_cast<T*>(panel->FindObjectById(id));
    }
    // A page point of a content point (the panel stands at 10, 20); the
    // page has no window, so it is also the screen point.
    static JxCPoint at(int x, int y) { return JxCPoint(std::int16_t(x + 10), std::int16_t(y + 20)); }
    static void pointerAt(int x, int y) { plat::SetCursorPos(x + 10, y + 20); }

    // What "ScrollBitmap" makes; a derived fixture may set it in its
    // constructor.
    JxDisplayObjectFactory scrollBitmapFactory = [] { return static_cast<JxCDisplayObject*>(new JxCScrollBitmap); };
    // Further types a derived fixture registers (set in its constructor).
    std::vector<std::pair<const char*, JxDisplayObjectFactory>> extraTypes;
    std::unique_ptr<SlatePage> page;
    std::unique_ptr<JxCPanelObject> panel;

private:
    JxCTypeKey bitmapKey_;
    JxCTypeKey barKey_;
    std::list<JxCTypeKey> extraKeys_;
    std::vector<JxCString> extraNames_;
    plat::HWND main_ = nullptr;
};

// A listener that notes the commands it hears.
class Listener : public JxCDisplayObject {
public:
    std::int32_t HandleCommand(std::int32_t code, std::int32_t, std::int32_t, std::int32_t) override
    {
        codes.push_back(code);
        return 0;
    }
    std::vector<std::int32_t> codes;
};

}  // namespace scroll_test
