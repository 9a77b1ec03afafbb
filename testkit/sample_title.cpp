#include "testkit/sample_title.h"

#include <cmath>
#include <utility>

#include "runtime/JxTypeRegistry.h"
#include "testkit/display_objects.h"
#include "testkit/media_actions.h"
#include "testkit/sample_animation.h"
#include "testkit/sample_animation_hotspot.h"
#include "testkit/sample_index.h"
#include "testkit/sample_link.h"
#include "testkit/sample_links.h"
#include "testkit/sample_login.h"
#include "testkit/sample_navigation.h"
#include "testkit/sample_quiz.h"
#include "testkit/sample_rollover.h"
#include "testkit/scroll_records.h"
#include "testkit/text_styles.h"
#include "testkit/title_panels.h"
#include "testkit/title_record.h"
#include "testkit/type_ids.h"
#include "testkit/wave.h"

namespace testkit {

namespace {

// The sample's colours at their palette places.
const std::pair<SampleColour, Rgb> kColours[] = {
    {kSampleBlack, {0, 0, 0}},       {kSampleWhite, {255, 255, 255}}, {kSampleNavy, {24, 40, 96}},
    {kSampleTeal, {32, 128, 128}},   {kSampleSand, {232, 216, 176}},  {kSampleRust, {176, 72, 40}},
    {kSampleMoss, {80, 120, 48}},
};

void addPanels(TemplateBuilder& t, const Rgb& content)
{
    t.panel(1, "Display").at(0, 0).size(640, 60).colour(24, 40, 96);
    t.panel(2, "Display").at(0, 60).size(640, 360).colour(content[0], content[1], content[2]);
    t.panel(3, "NavPanel").at(0, 420).size(640, 60).colour(32, 128, 128);
}

BmpPicture picture(std::int32_t width, std::int32_t height, std::uint8_t background)
{
    return BmpPicture{width, height, std::vector<std::uint8_t>(std::size_t(width * height), background),
                      SamplePalette()};
}

void fillRect(BmpPicture& p, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint8_t index)
{
    for (std::int32_t row = y; row < y + h; ++row)
        for (std::int32_t col = x; col < x + w; ++col)
            p.pixels[std::size_t(row * p.width + col)] = index;
}

// Character style 1 (the edit box's) and paragraph style 2 on character
// style 3, the title record's first part.
StyleDefs sampleStyles()
{
    StyleDefs defs;
    CharStyleRecord box;
    box.id = 1;
    box.size = 240;
    box.text = {0, 0, 0};
    box.highlightBackground = {24, 40, 96};
    box.highlightText = {255, 255, 255};
    CharStyleRecord body;
    body.id = 3;
    body.size = 280;
    body.faceName = "Times New Roman";
    body.text = {24, 40, 96};
    defs.characters = {box, body};
    ParaStyleRecord para;
    para.id = 2;
    para.charStyleId = 3;
    para.firstIndent = 24;
    para.spaceBefore = 4;
    para.spaceAfter = 4;
    defs.paragraphs = {para};
    return defs;
}

// Page 3's content panel: a paragraph above an edit box for a name, the
// way home, and the title's movie, with its sound, which the panel plays as
// it opens. The panel's own "on_open" is heard once; the page's definition
// would hear the banner's too.
std::vector<std::uint8_t> galleryContent(TitleFolder& title)
{
    ProductData& data = title.data;
    ParaText para;
    para.styleId = 2;
    para.text = "Type your name in the box below. A click gives it the caret; Shift with the arrow keys "
                "selects, and the text stops where the box ends.";
    para.autoHeight = 1;
    PanelRecord panel(2);
    panel.add(ParaTextRecord(para).id(1).rect(40, 30, 600, 90), data);
    panel.add(EditBoxRecord("EDITFOC", "EDITBOX", "", 1).id(2).rect(40, 110, 300, 140), data);
    AddSampleHomeLink(title, panel);
    PlayVideo video;
    video.movie = "SAMPLE";
    video.x = 380;
    video.y = 200;
    video.stopOnDestroy = 1;
    panel.on("on_open", {PlayVideoAction(video, data.Intern(video.movie))});
    return TitlePanelBytes(panel);
}

// A tall picture of coloured stripes with a square every 150 rows, so that
// scrolling shows plainly where it is.
BmpPicture tallPicture()
{
    BmpPicture p = picture(kTallPictureWidth, kTallPictureHeight, kSampleSand);
    const std::uint8_t stripes[] = {kSampleNavy, kSampleTeal, kSampleRust, kSampleMoss};
    for (std::int32_t band = 0; band * 50 < p.height; ++band)
        fillRect(p, 0, band * 50, p.width, 10, stripes[band % 4]);
    for (std::int32_t y = 40; y + 60 < p.height; y += 150)
        fillRect(p, 40 + (y / 150 % 3) * 70, y, 60, 60, kSampleBlack);
    return p;
}

// The tall picture in a window beside the contents page's picture, with a
// scroll bar beside it that moves it (while the scrolling objects are
// registered).
void addScrollingPicture(TitleFolder& title, PanelRecord& content)
{
    if (!IsDisplayObjectTypeRegistered("ScrollBitmap") || !IsDisplayObjectTypeRegistered("ScrollBaa"))
        return;
    ProductData& data = title.data;
    title.files["TALLPIC.dib"] = EncodeBmp(tallPicture());
    const std::int16_t left = 316, top = 30, bottom = std::int16_t(top + kTallPictureWindow);
    content.add(ScrollBitmapRecord("TALLPIC").id(11).rect(left, top, left + kTallPictureWidth, bottom).Bytes(data));
    const std::int16_t barLeft = left + kTallPictureWidth;
    content.add(ScrollBarRecord().id(12).rect(barLeft, top, barLeft + 16, bottom).linkTo(11).metrics(1, 1, 1, 2).Bytes(data));
}

void addFile(TitleFolder& title, const std::string& name, const BmpPicture& picture)
{
    title.files[name] = EncodeBmp(picture);
}

// The welcome page's content: a picture whose moss block is a hotspot that
// opens the notes page, whose rust block changes to the contents page with
// a wipe to the left, a button that closes the notes page, and the row of
// links to the quiz and (withLogbook) the logbook.
std::vector<std::uint8_t> welcomeContent(TitleFolder& title, bool withLogbook)
{
    BmpPicture welcome = picture(240, 160, kSampleNavy);
    fillRect(welcome, 8, 8, 224, 144, kSampleWhite);
    fillRect(welcome, 24, 24, 88, 112, kSampleRust);
    fillRect(welcome, 128, 24, 88, 112, kSampleMoss);
    addFile(title, "greeting.dib", welcome);
    BmpPicture up = picture(120, 40, kSampleTeal);
    fillRect(up, 4, 4, 112, 32, kSampleWhite);
    addFile(title, "closeup.dib", up);
    BmpPicture down = picture(120, 40, kSampleNavy);
    fillRect(down, 6, 6, 112, 32, kSampleSand);
    addFile(title, "closedn.dib", down);

    ProductData& data = title.data;
    PanelRecord content(2);
    content.add(BitmapRecord("greeting").at(40, 30), data);
    content.add(HotspotRecord(3).rect(168, 54, 256, 166).on("on_click", {OpenPageAction(4)}), data);
    content.add(HotspotRecord(3).rect(64, 54, 152, 166).on("on_click", {ChangePageAction(2, kSampleWipeLeft)}), data);
    content.add(ButtonRecord({"closeup", "closedn", ""}).rect(360, 240, 480, 280).on("on_click", {ClosePageAction(4)}), data);
    AddSampleWelcomeLinks(title, content, withLogbook);
    return TitlePanelBytes(content);
}

// The contents page's content: a picture whose teal block changes back to
// the welcome page with a wipe to the right, and the tall picture.
std::vector<std::uint8_t> contentsContent(TitleFolder& title)
{
    BmpPicture contents = picture(240, 160, kSampleRust);
    fillRect(contents, 8, 8, 224, 144, kSampleSand);
    fillRect(contents, 24, 24, 192, 112, kSampleTeal);
    addFile(title, "contents.dib", contents);
    ProductData& data = title.data;
    PanelRecord content(2);
    content.add(BitmapRecord("contents").at(40, 30), data);
    content.add(HotspotRecord(3).rect(64, 54, 256, 166).on("on_click", {ChangePageAction(1, kSampleWipeRight)}), data);
    addScrollingPicture(title, content);
    return TitlePanelBytes(content);
}

// A soft two-note chime, half a second long.
std::vector<std::uint8_t> chime()
{
    constexpr std::uint32_t kRate = 22050;
    std::vector<std::int16_t> samples(kRate / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = double(i) / kRate;
        const double note = i < samples.size() / 2 ? 880.0 : 660.0;
        samples[i] = std::int16_t(9000 * std::exp(-4 * t) * std::sin(2 * M_PI * note * t));
    }
    return EncodeWave(Pcm16Sound(samples, kRate));
}

}  // namespace

void AddSampleLogbook(TitleFolder& title)
{
    ProductData& data = title.data;
    TemplateBuilder& logbook = data.templateDef(4, "BASE_PAGE");
    logbook.panel(1, "Display").at(0, 0).size(640, 60).colour(24, 40, 96);
    logbook.panel(2, "LogbookbasePanel").at(0, 60).size(640, 360).colour(232, 216, 176);
    logbook.panel(3, "NavPanel").at(0, 420).size(640, 60).colour(32, 128, 128);
    PanelRecord panel(2);
    std::int16_t y = 40;
    for (const char* type : {"Visitedcount", "quizcount", "AnsweredCount"}) {
        panel.add(DigitsRecord(type, data, "digit", 12, 20).rect(280, y, 328, std::int16_t(y + 20)), data);
        y = std::int16_t(y + 60);
    }
    panel.add(ButtonRecord({}, "LogBookButton").rect(280, 240, 360, 270), data);
    AddSampleHomeLink(title, panel);
    // The welcome page's links now reach the logbook too.
    for (auto& [type, record] : data.existingPage(kSampleWelcomePage).panels)
        if (type == "Display")
            record = welcomeContent(title, true);
    data.page(5, 4).name("Logbook").visit(3).storedPanel("LogbookbasePanel", panel.Bytes());
    data.product().pages.push_back(5);  // the last start page
    for (int d = 0; d < 10; ++d)
        title.files["digit" + std::to_string(d) + ".dib"] = EncodeBmp(DigitPicture(d, kSampleBlack, kSampleSand, SamplePalette()));
}

namespace {

// The title's record: the styles, the index and the visit data (those of
// testkit/sample_index.h), the idle list (a page left alone for two minutes
// asks whether anyone is still there: a small page over any other, never a
// page of the main window, which would stand in front of a pop-up such as
// the login) and the menu list.
void addTitleRecord(TitleFolder& title)
{
    TitleRecord record;
    record.styles = sampleStyles();
    record.index = SampleIndexEntries();
    record.visits = SampleVisitEntries();
    record.idlePages = {1, kSampleStillTherePage};
    record.menuPages = {1, 2, 3, 5};
    record.fields.navigationTargets = {1, 2, 3, 5, 1};
    record.idleAnimationPanel = kSampleIdleAnimationPanel;
    AddSampleQuiz(title, record);
    SetSampleNavigationTargets(record.fields);
    title.data.titleRecord(record.Bytes(title.data));
}

}  // namespace

BmpPicture SampleEditBoxPicture(std::int32_t width, std::int32_t height, std::uint8_t line)
{
    BmpPicture p = picture(width, height, kSampleWhite);
    fillRect(p, 0, 0, width, 1, line);
    fillRect(p, 0, height - 2, width, 2, line);
    return p;
}

BmpPicture SamplePicture(std::int32_t width, std::int32_t height, std::uint8_t background)
{
    return picture(width, height, background);
}

void FillSampleRect(BmpPicture& p, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint8_t index)
{
    fillRect(p, x, y, w, h, index);
}

std::vector<Rgb> SamplePalette()
{
    std::vector<Rgb> palette;
    while (palette.size() < 256) {
        const auto grey = std::uint8_t(palette.size());
        palette.push_back({grey, grey, grey});
    }
    // The system's colours where 256-colour palettes keep them, for those
    // the program's own pictures (the scroll bar's and the animation bar's)
    // are drawn in: dark blue, light grey, dark grey and blue.
    palette[4] = {0, 0, 128};
    palette[7] = {192, 192, 192};
    palette[248] = {128, 128, 128};
    palette[252] = {0, 0, 255};
    for (const auto& [index, colour] : kColours)
        palette[index] = colour;
    return palette;
}

TitleFolder SampleTitle()
{
    TitleFolder title;
    title.palette = SamplePalette();
    ProductData& data = title.data;
    data.product().name("Kelbo Sample").size(646, 506).colour(255, 255, 255).startPages({1, 2, 3});
    addPanels(data.templateDef(1, "BASE_PAGE"), SamplePalette()[kSampleSand]);
    addPanels(data.templateDef(2, "BASE_PAGE"), SamplePalette()[kSampleMoss]);
    data.templateDef(3, "CHILD_PAGE").size(200, 120).anchor(1, 2).offset(360, 30).panel(1, "Display").size(200, 120).colour(32, 128, 128);
    // Each page marks its visit; the welcome page chimes now and then.
    PageBuilder& welcome = data.page(1, 1).name("Welcome").visit(0).randomSounds({"chime"});
    // Stored objects are named by the program's registered classes; a
    // writer without them (a test below the title) leaves the pages their
    // templates'.
    PageBuilder& contents = data.page(2, 1).name("Contents").visit(1);
    if (IsDisplayObjectTypeRegistered("Bitmap") && IsDisplayObjectTypeRegistered("Hotspot") &&
        IsDisplayObjectTypeRegistered("Button")) {
        welcome.storedPanel("Display", welcomeContent(title, false));
        contents.storedPanel("Display", contentsContent(title));
    }
    PageBuilder& gallery = data.page(3, 2).name("Gallery").visit(2);
    if (IsDisplayObjectTypeRegistered("EditBox") && IsDisplayObjectTypeRegistered("ParaText") &&
        IsDisplayObjectTypeRegistered("Bitmap") && IsDisplayObjectTypeRegistered("Hotspot"))
        gallery.storedPanel("Display", galleryContent(title));
    // The later parts' pages, each a start page in this order.
    if (IsDisplayObjectTypeRegistered("AnimationControl") && IsDisplayObjectTypeRegistered("Hotspot"))
        AddSampleAnimation(title);
    AddSampleRollover(title);
    if (IsDisplayObjectTypeRegistered("Bitmap") && IsDisplayObjectTypeRegistered("AnimHotspot"))
        AddSampleAnimationHotspot(title);
    if (IsDisplayObjectTypeRegistered("Bitmap") && IsDisplayObjectTypeRegistered("Hotspot") &&
        IsDisplayObjectTypeRegistered("ParaText"))
        AddSampleLink(title);
    AddSampleIndex(title);
    if (IsDisplayObjectTypeRegistered("LoginField") && IsDisplayObjectTypeRegistered("LoginCollage"))
        AddSampleLogin(title);
    addTitleRecord(title);
    if (IsDisplayObjectTypeRegistered("Button") && IsDisplayObjectTypeRegistered("Bitmap"))
        AddSampleNavigation(title);
    title.files["chime.wav"] = chime();
    title.files["EDITFOC.dib"] = EncodeBmp(SampleEditBoxPicture(260, 30, kSampleNavy));
    title.files["EDITBOX.dib"] = EncodeBmp(SampleEditBoxPicture(260, 30, kSampleTeal));
    data.page(4, 3).name("Notes");

    BmpPicture splash = picture(320, 200, kSampleNavy);
    fillRect(splash, 20, 20, 280, 160, kSampleSand);
    fillRect(splash, 40, 150, 240, 12, kSampleRust);
    title.splash = splash;

    BmpPicture stored = picture(64, 64, kSampleRust);
    fillRect(stored, 16, 16, 32, 32, kSampleWhite);
    title.store.item("PICTURE.BMP", EncodeBmp(stored));
    title.withStore = true;
    return title;
}

void WriteSampleTitle(const std::string& folder, bool withLogbook, bool opensOnLogin, const std::string& countryCode)
{
    RegisterTypeIds();
    try {
        TitleFolder title = SampleTitle();
        title.data.version().countryCode = countryCode;
        if (withLogbook)
            AddSampleLogbook(title);
        if (opensOnLogin)
            OpenSampleOnLogin(title);
        title.Write(folder);
    } catch (...) {
        ReleaseTypeRegistries();
        throw;
    }
    ReleaseTypeRegistries();
}

}  // namespace testkit
