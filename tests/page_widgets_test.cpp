// A title's first page with a bitmap, a hotspot and a button in its
// "Display" panel, run whole and headless: "on_open" after the first paint
// opens a child page, a click on the panel closes that unlinked child
// without reaching the object under it, the hotspot's next click greys its
// area until its close-page action has run, and the button follows the
// held mouse and clicks on release, unless its release was spent on
// closing the child.

#include <gtest/gtest.h>

#include <map>

#include "events/JxCNotifyRoot.h"
#include "events/JxCNotify.h"
#include "objects/widgets/JxCButton.h"
#include "objects/widgets/JxCHotspot.h"
#include "platform/draw/draw.h"
#include "platform/screen/screen.h"
#include "platform/tests/golden.h"
#include "platform/window/window.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxTypeRegistry.h"
#include "testkit/display_objects.h"
#include "testkit/title_panels.h"
#include "testkit/type_ids.h"
#include "tests/program_fixture.h"

namespace {

using testkit::SampleColour;

// Counts the event and action notifications it hears, by their type id.
class Ear : public JxCNotifyRoot {
public:
    void PreNotify(JxCNotify* registration, JxCObject*) override { ++heard[registration->GetTypeId()]; }
    void Notify(JxCNotify* registration, JxCObject*) override { ++heard[registration->GetTypeId()]; }
    std::map<std::int16_t, int> heard;
};

const JxCRect kHotspot(40, 40, 120, 100);
const JxCPoint kButton(200, 40);

class PageWidgetsTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        ProgramClasses classes;
        RegisterTypeIds();
        testkit::TitleFolder title;
        title.palette = testkit::SamplePalette();
        testkit::ProductData& data = title.data;
        data.product().name("Widgets").size(646, 506).startPages({1});
        data.templateDef(1, "BASE_PAGE").panel(1, "Display").at(0, 0).size(640, 480).colour(255, 255, 255);
        testkit::TemplateBuilder& child = data.templateDef(2, "CHILD_PAGE").size(100, 80).offset(400, 300);
        child.panel(1, "Display").at(0, 0).size(100, 80).colour(24, 40, 96);
        testkit::PanelRecord panel(1);
        panel.add(testkit::BitmapRecord("back").at(0, 0), data);
        panel.add(testkit::HotspotRecord(3)
                      .rect(kHotspot.left, kHotspot.top, kHotspot.right, kHotspot.bottom)
                      .on("on_click", {testkit::ClosePageAction(2)}),
                  data);
        panel.add(testkit::ButtonRecord({"up", "down", ""}).rect(kButton.x, kButton.y, kButton.x + 40, kButton.y + 20),
                  data);
        data.page(1, 1).name("Home").storedPanel("Display", testkit::TitlePanelBytes(panel)).on("on_open", {testkit::OpenPageAction(2)});
        data.page(2, 2).name("Child");
        install(title);
        ReleaseTypeRegistries();

        writePicture("back", 320, 240, testkit::kSampleRust);
        writePicture("up", 40, 20, testkit::kSampleTeal);
        writePicture("down", 40, 20, testkit::kSampleNavy);
    }
    void writePicture(const std::string& name, int width, int height, std::uint8_t colour)
    {
        testkit::BmpPicture picture{width, height, std::vector<std::uint8_t>(std::size_t(width * height), colour),
                                    testkit::SamplePalette()};
        testkit::WriteHostFile(discFolder() + "/" + name + ".dib", testkit::EncodeBmp(picture));
    }
    static JxCButton* findButton(JxCBaseProduct& product)
    {
        JxCPanelObject* panel = product.GetFirstPage()->GetPanelList()->GetFirst();
        for (JxCDisplayObject* o = panel->GetDisplayObjects().GetFirst(); o; o = panel->GetDisplayObjects().GetNext(o))
            if (auto* button = dynamic_cast<JxCButton*>(o))
                return button;
        return nullptr;
    }
};

TEST_F(PageWidgetsTest, OnOpenOpensAChildAClickClosesItTheHotspotGreysAndTheButtonFollowsTheMouse)
{
    const std::uint32_t rust = paletteColour(testkit::kSampleRust);
    // Rust's luminance is 99, and the sample palette holds every grey.
    const std::uint32_t grey = 0x636363;
    const std::uint32_t up = paletteColour(testkit::kSampleTeal);
    const std::uint32_t down = paletteColour(testkit::kSampleNavy);
    Ear ear;
    JxCButton* button = nullptr;
    JxCHotspot* hotspot = nullptr;
    int step = 0;
    bool finished = false;
    run([&](plat::HWND main) {
        JxCBaseProduct* product = GetProduct();
        const plat::POINT inButton = onScreen(main, 210, 45);
        switch (step++) {
        case 0: {
            // The page and its child: "on_open" ran once the page was
            // painted, and opened the child in the base page's window.
            EXPECT_EQ(product->GetPageCount(), 2);
            JxCPageObject* childPage = product->FindPageById(2);
            EXPECT_NE(childPage, nullptr);
            EXPECT_EQ(colourAt(main, 60, 50), rust);
            EXPECT_EQ(colourAt(main, 210, 45), up);
            EXPECT_EQ(colourAt(main, 450, 340), paletteColour(testkit::kSampleNavy)) << "the child's panel";
            ear.AddObjectNotifyOnActionStart(std::int16_t(ActionTypeId(JxActionKeyword::Closepage)), 0, nullptr);
            button = findButton(*product);
            ear.AddObjectNotify(std::int16_t(EventId(JxEventKeyword::on_click)), 0, button);
            harness->click(onScreen(main, 60, 50));
            return true;
        }
        case 1:
            // The click was spent on closing the child: the hotspot under it
            // neither greyed nor raised its click.
            EXPECT_EQ(product->GetPageCount(), 1);
            EXPECT_EQ(product->GetCurrentPage(), product->GetFirstPage());
            EXPECT_EQ(colourAt(main, 60, 50), rust);
            EXPECT_EQ(ear.heard[std::int16_t(ActionTypeId(JxActionKeyword::Closepage))], 0);
            // Painted again, the page raises no second "on_open".
            plat::InvalidateRect(main, nullptr, 1);
            return true;
        case 2:
            EXPECT_EQ(product->GetPageCount(), 1);
            // Later and elsewhere in the hotspot: a click, not a double click.
            harness->advance(1000);
            harness->click(onScreen(main, 100, 80));
            return true;
        case 3:
            EXPECT_EQ(colourAt(main, 60, 50), grey);
            EXPECT_EQ(colourAt(main, 119, 99), grey);
            EXPECT_EQ(colourAt(main, 121, 50), rust) << "outside the hotspot";
            EXPECT_EQ(ear.heard[std::int16_t(ActionTypeId(JxActionKeyword::Closepage))], 1);
            hotspot = dynamic_cast<JxCHotspot*>(
                product->GetFirstPage()->GetPanelList()->GetFirst()->FindObjectAtPoint(JxCPoint(60, 50)));
            if (!hotspot || !hotspot->IsHighlightTimerRunning()) {
                ADD_FAILURE() << "no highlight";
                plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
                return true;
            }
            return false;  // the highlight timer's tick comes while the program waits
        case 4:
            if (hotspot->IsHighlightTimerRunning()) {
                --step;
                return false;
            }
            EXPECT_EQ(colourAt(main, 60, 50), rust);
            harness->press(inButton);
            return true;
        case 5:
            EXPECT_EQ(colourAt(main, 210, 45), down);
            harness->moveMouse(onScreen(main, 300, 200));
            return true;
        case 6:
            EXPECT_EQ(colourAt(main, 210, 45), up);
            harness->moveMouse(onScreen(main, 220, 50));
            return true;
        case 7:
            EXPECT_EQ(colourAt(main, 210, 45), down);
            EXPECT_EQ(ear.heard[std::int16_t(EventId(JxEventKeyword::on_click))], 0);
            harness->release(onScreen(main, 220, 50));
            return true;
        case 8:
            EXPECT_EQ(colourAt(main, 210, 45), up);
            EXPECT_EQ(ear.heard[std::int16_t(EventId(JxEventKeyword::on_click))], 1);
            finished = true;
            plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
            return true;
        default:
            return false;
        }
    });
    EXPECT_TRUE(finished) << "stopped at step " << step;
}

// A press on the button while the child is open: the release closes the
// child and is spent on it, so the button clicks not, and it no longer
// shows its pressed picture.
TEST_F(PageWidgetsTest, AReleaseSpentOnClosingTheChildLeavesTheButtonUp)
{
    Ear ear;
    int step = 0;
    bool finished = false;
    run([&](plat::HWND main) {
        JxCBaseProduct* product = GetProduct();
        const plat::POINT inButton = onScreen(main, 210, 45);
        switch (step++) {
        case 0:
            EXPECT_EQ(product->GetPageCount(), 2);
            ear.AddObjectNotify(std::int16_t(EventId(JxEventKeyword::on_click)), 0, findButton(*product));
            harness->press(inButton);
            return true;
        case 1:
            EXPECT_EQ(colourAt(main, 210, 45), paletteColour(testkit::kSampleNavy));
            harness->release(inButton);
            return true;
        case 2:
            EXPECT_EQ(product->GetPageCount(), 1);
            EXPECT_EQ(colourAt(main, 210, 45), paletteColour(testkit::kSampleTeal));
            EXPECT_EQ(ear.heard[std::int16_t(EventId(JxEventKeyword::on_click))], 0);
            finished = true;
            plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
            return true;
        default:
            return false;
        }
    });
    EXPECT_TRUE(finished) << "stopped at step " << step;
}

// The sample title's first page as the program paints it: its panels'
// colours, the welcome picture and the button.
TEST_F(ProgramTest, TheSampleTitlesFirstPageMatchesItsGoldenPicture)
{
    std::string differences = "not painted";
    run([&](plat::HWND main) {
        if (differences != "not painted")
            return false;
        plat::HDC window = plat::GetDC(main);
        plat::HDC memory = plat::CreateCompatibleDC(window);
        plat::BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 640;
        info.bmiHeader.biHeight = -480;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        plat::HBITMAP picture = plat::CreateDIBSection(window, &info, plat::DIB_RGB_COLORS, &bits);
        plat::HGDIOBJ previous = plat::SelectObject(memory, picture);
        plat::BitBlt(memory, 0, 0, 640, 480, window, 0, 0, plat::SRCCOPY);
        plat::SelectObject(memory, previous);
        plat::DeleteDC(memory);
        plat::ReleaseDC(main, window);
        differences = plat::testing::CompareWithGolden(picture, "sample_first_page", "tests/golden");
        plat::DeleteObject(picture);
        plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
        return true;
    });
    EXPECT_EQ(differences, "");
}

// The sample title's first page: its hotspot opens the notes page beside
// the picture, and its button closes it again.
TEST_F(ProgramTest, TheSampleHotspotOpensTheNotesPageAndTheButtonClosesIt)
{
    int step = 0;
    std::vector<int> pages;
    run([&](plat::HWND main) {
        JxCBaseProduct* product = GetProduct();
        plat::POINT at{0, 0};
        switch (step++) {
        case 0:
            at = {200, 160};
            break;
        case 1: {
            pages.push_back(product->GetPageCount());
            // The notes page shows, in its panel's teal, beside the picture.
            plat::POINT notes{460, 150};
            plat::ClientToScreen(main, &notes);
            EXPECT_EQ(plat::TheScreen().pixels()[notes.y * plat::TheScreen().stride() + notes.x] & 0xFFFFFFu,
                      0x208080u);
            harness->advance(1000);
            at = {400, 320};
            break;
        }
        case 2:
            pages.push_back(product->GetPageCount());
            plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
            return true;
        default:
            return false;
        }
        plat::ClientToScreen(main, &at);
        harness->click(at);
        return true;
    });
    EXPECT_EQ(pages, (std::vector<int>{2, 1}));
}

}  // namespace
