#include "testkit/sample_index.h"

#include "testkit/collage_records.h"
#include "testkit/display_objects.h"
#include "testkit/sample_title.h"
#include "testkit/title_widgets.h"
#include "testkit/type_ids.h"
#include "testkit/title_panels.h"

namespace testkit {

namespace {

constexpr std::uint16_t kIndexTemplate = 90;
constexpr std::int16_t kListStyle = 1;  // the sample's edit-box style
constexpr std::int16_t kLabelStyle = 2;

BmpPicture framed(std::int32_t width, std::int32_t height, std::uint8_t frame, std::uint8_t field)
{
    BmpPicture p = SamplePicture(width, height, frame);
    FillSampleRect(p, 3, 3, width - 6, height - 6, field);
    return p;
}

// A right-pointing triangle in the middle of a framed box.
BmpPicture playPicture()
{
    BmpPicture p = framed(120, 40, kSampleNavy, kSampleMoss);
    for (std::int32_t row = 0; row < 20; ++row) {
        const std::int32_t half = row < 10 ? row : 19 - row;
        FillSampleRect(p, 52, 10 + row, half + 1, 1, kSampleWhite);
    }
    return p;
}

// The open button: a right-pointing triangle in a frame.
BmpPicture openPicture(std::uint8_t frame, std::uint8_t field)
{
    BmpPicture p = framed(60, 30, frame, field);
    for (std::int32_t row = 0; row < 14; ++row) {
        const std::int32_t half = row < 7 ? row : 13 - row;
        FillSampleRect(p, 26, 8 + row, half + 1, 1, kSampleNavy);
    }
    return p;
}

bool classesRegistered()
{
    for (const char* type : {"Bitmap", "Hotspot", "Collage", "GroupColl", "CollButton", "EditBox", "ParaText",
                             "StickyButton", "VideoHotspot"})
        if (!IsDisplayObjectTypeRegistered(type))
            return false;
    return true;
}

DisplayObjectRecord label(const std::string& text)
{
    ParaText para;
    para.styleId = kLabelStyle;
    para.text = text;
    return ParaTextRecord(para);
}

// A hotspot over the back picture that changes to the page.
DisplayObjectRecord backHotspot(std::uint32_t page)
{
    return HotspotRecord(3).id(20).rect(520, 300, 620, 340).on("on_click", {ChangePageAction(page, kSampleWipeRight)});
}

std::vector<std::uint8_t> indexContent(TitleFolder& title)
{
    ProductData& data = title.data;
    title.files["index_stickyup.dib"] = EncodeBmp(framed(120, 40, kSampleTeal, kSampleWhite));
    title.files["index_stickydn.dib"] = EncodeBmp(framed(120, 40, kSampleNavy, kSampleSand));
    title.files["index_back.dib"] = EncodeBmp(framed(100, 40, kSampleRust, kSampleSand));
    PanelRecord content(2);
    content.add(label("Index: type a name, then Enter or a double click.").id(10).rect(40, 4, 600, 28), data);
    content.add(ListCollageRecord("SimpleLBData", kListStyle).id(1).rect(40, 40, 300, 200), data);
    content.add(EditBoxRecord("EDITFOC", "EDITBOX", "", kListStyle).id(2).rect(40, 220, 300, 250), data);
    // The group's button opens the entry picked, as Enter does (which the
    // group offers only while it has a button).
    title.files["index_openup.dib"] = EncodeBmp(openPicture(kSampleTeal, kSampleWhite));
    title.files["index_opendn.dib"] = EncodeBmp(openPicture(kSampleNavy, kSampleSand));
    content.add(CollButtonRecord({.normal = "index_openup", .pressed = "index_opendn", .disabled = ""}).id(3).rect(316, 220, 376, 250),
                data);
    content.add(GroupCollageRecord({.collage = 1, .editBox = 2, .scrollBar = {}, .buttons = {3}, .positionControl = {}})
                    .id(9).rect(30, 30, 310, 260).z(5), data);
    content.add(ButtonRecord({"index_stickyup", "index_stickydn", ""}, "StickyButton")
                    .id(5).rect(400, 220, 520, 260)
                    .on("on_click", {ChangePageAction(kSampleVisitsPage, kSampleWipeLeft)}), data);
    content.add(label("Visits").id(11).rect(400, 190, 600, 214), data);
    content.add(BitmapRecord("index_back").id(21).at(520, 300), data);
    content.add(backHotspot(1).z(2), data);
    return TitlePanelBytes(content);
}

std::vector<std::uint8_t> visitsContent(TitleFolder& title)
{
    ProductData& data = title.data;
    title.files["index_screen.dib"] = EncodeBmp(framed(160, 120, kSampleBlack, kSampleNavy));
    title.files["index_play.dib"] = EncodeBmp(playPicture());
    PanelRecord content(2);
    std::int16_t left = 30;
    std::int16_t id = 1;
    for (const char* list : {"VisitAll", "Visited", "ToBeVisited"}) {
        const std::string caption = std::string(list) == "VisitAll" ? "All pages" : list == std::string("Visited") ? "Seen" : "Still to see";
        content.add(label(caption).id(std::int16_t(10 + id)).rect(left, 4, std::int16_t(left + 180), 28), data);
        content.add(ListCollageRecord(list, kListStyle).id(id++).rect(left, 34, std::int16_t(left + 180), 150), data);
        left = std::int16_t(left + 200);
    }
    // The screen comes before the hotspot, which takes its id: the movie
    // plays over the screen.
    content.add(BitmapRecord("index_screen").id(4).at(40, 180), data);
    content.add(BitmapRecord("index_play").id(5).at(240, 220), data);
    content.add(VideoHotspotRecord({.movie = "SAMPLE", .targetObject = 4, .targetPanel = 2, .rewind = 1})
                    .id(6).rect(240, 220, 360, 260).z(1), data);
    content.add(BitmapRecord("index_back").id(21).at(520, 300), data);
    content.add(backHotspot(kSampleIndexPage).z(2), data);
    return TitlePanelBytes(content);
}

}  // namespace

std::vector<IndexEntry> SampleIndexEntries()
{
    return {
        {"Contents", {2}},
        {"Gallery", {3}},
        {"Logbook", {5}},
        {"Tour", {1, 2, 3}},
        {"Visits", {kSampleVisitsPage}},
        {"Welcome", {1}},
    };
}

std::vector<IndexEntry> SampleVisitEntries()
{
    return {
        {"Welcome", {1}},  {"Contents", {2}}, {"Gallery", {3}},
        {"Logbook", {5}},  {"Index", {kSampleIndexPage}}, {"Visits", {kSampleVisitsPage}},
    };
}

void AddSampleIndex(TitleFolder& title)
{
    ProductData& data = title.data;
    TemplateBuilder& t = data.templateDef(kIndexTemplate, "BASE_PAGE");
    t.panel(1, "Display").at(0, 0).size(640, 60).colour(24, 40, 96);
    t.panel(2, "Display").at(0, 60).size(640, 360).colour(255, 255, 255);
    t.panel(3, "NavPanel").at(0, 420).size(640, 60).colour(32, 128, 128);
    PageBuilder& index = data.page(kSampleIndexPage, kIndexTemplate).name("Index").visit(4);
    PageBuilder& visits = data.page(kSampleVisitsPage, kIndexTemplate).name("Visits").visit(5);
    if (classesRegistered()) {
        index.storedPanel("Display", indexContent(title));
        visits.storedPanel("Display", visitsContent(title));
    }
    data.product().pages.push_back(kSampleIndexPage);
}

}  // namespace testkit
