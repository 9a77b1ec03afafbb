#include "testkit/sample_navigation.h"

#include "testkit/display_objects.h"
#include "testkit/sample_links.h"
#include "testkit/sample_title.h"
#include "testkit/title_panels.h"

namespace testkit {

namespace {

constexpr std::uint16_t kBarTemplate = 80;
constexpr std::uint16_t kOptionsTemplate = 81;
constexpr std::uint16_t kDialogTemplate = 82;
constexpr std::int16_t kBarHeight = 60;
constexpr std::int16_t kContentHeight = 420;
constexpr std::int16_t kButton = 40;  // the bar's buttons are square

BmpPicture canvas(std::int32_t width, std::int32_t height, std::uint8_t background)
{
    return BmpPicture{width, height, std::vector<std::uint8_t>(std::size_t(width * height), background),
                      SamplePalette()};
}

void fill(BmpPicture& p, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint8_t index)
{
    for (std::int32_t row = y; row < y + h; ++row)
        for (std::int32_t col = x; col < x + w; ++col)
            p.pixels[std::size_t(row * p.width + col)] = index;
}

// The bar's icons, drawn in navy on sand (pressed: sand on navy).
enum class Icon { Home, Second, Back, Options, Saver, Dialog, Zero, One, Two, Print, Copy };

BmpPicture icon(Icon kind, bool pressed)
{
    const std::uint8_t ground = pressed ? kSampleNavy : kSampleSand;
    const std::uint8_t ink = pressed ? kSampleSand : kSampleNavy;
    BmpPicture p = canvas(kButton, kButton, ground);
    switch (kind) {
    case Icon::Home:  // a roof over a wall
        for (int row = 0; row < 10; ++row)
            fill(p, 20 - 2 * row, 8 + row, 4 * row + 1, 1, ink);
        fill(p, 10, 18, 21, 14, ink);
        fill(p, 17, 24, 7, 8, ground);
        break;
    case Icon::Second:  // two pages
        fill(p, 8, 8, 14, 22, ink);
        fill(p, 18, 12, 14, 22, ink);
        fill(p, 20, 14, 10, 18, ground);
        break;
    case Icon::Back:  // an arrow to the left
        for (int col = 0; col < 10; ++col)
            fill(p, 8 + col, 20 - col, 1, 2 * col + 1, ink);
        fill(p, 18, 17, 14, 7, ink);
        break;
    case Icon::Options:  // three lines
        for (int line = 0; line < 3; ++line)
            fill(p, 8, 10 + 8 * line, 24, 4, ink);
        break;
    case Icon::Saver:  // a screen on its foot
        fill(p, 6, 6, 28, 20, ink);
        fill(p, 9, 9, 22, 14, kSampleTeal);
        fill(p, 17, 26, 6, 4, ink);
        fill(p, 11, 30, 18, 3, ink);
        break;
    case Icon::Dialog:  // a box with three buttons
        fill(p, 5, 8, 30, 24, ink);
        fill(p, 7, 10, 26, 20, ground);
        for (int b = 0; b < 3; ++b)
            fill(p, 9 + 8 * b, 22, 6, 5, kSampleRust);
        break;
    case Icon::Print:  // a printer with its sheet
        fill(p, 12, 6, 16, 10, ink);
        fill(p, 14, 8, 12, 8, ground);
        fill(p, 6, 16, 28, 12, ink);
        fill(p, 12, 28, 16, 8, ink);
        fill(p, 14, 28, 12, 6, ground);
        break;
    case Icon::Copy:  // two sheets, one over the other
        fill(p, 8, 6, 16, 20, ink);
        fill(p, 10, 8, 12, 16, ground);
        fill(p, 16, 14, 16, 20, ink);
        fill(p, 18, 16, 12, 16, ground);
        break;
    case Icon::Zero:
    case Icon::One:
    case Icon::Two:  // one, two or three dots: the answers 0, 1 and 2
        for (int d = 0; d <= int(kind) - int(Icon::Zero); ++d)
            fill(p, 8 + 10 * d, 17, 6, 6, ink);
        break;
    }
    return p;
}

const char* iconName(Icon kind)
{
    static const char* const names[] = {"navhome", "navsecond", "navback", "navoptions", "navsaver", "navdialog",
                                        "navzero", "navone", "navtwo", "navprint", "navcopy"};
    return names[int(kind)];
}

void addIcon(TitleFolder& title, Icon kind)
{
    const std::string name = iconName(kind);
    title.files[name + "up.dib"] = EncodeBmp(icon(kind, false));
    title.files[name + "dn.dib"] = EncodeBmp(icon(kind, true));
}

DisplayObjectRecord iconButton(Icon kind, std::int16_t x, std::int16_t y, std::vector<ActionRecord> actions)
{
    const std::string name = iconName(kind);
    return ButtonRecord({name + "up", name + "dn", ""})
        .rect(x, y, std::int16_t(x + kButton), std::int16_t(y + kButton))
        .on("on_click", std::move(actions));
}

// The bar: home, second page, back and options, each with its mark.
std::vector<std::uint8_t> barRecord(TitleFolder& title)
{
    ProductData& data = title.data;
    title.files["navmark.dib"] = EncodeBmp(canvas(kButton, 4, kSampleWhite));
    title.files["navgrey.dib"] = EncodeBmp(canvas(kButton, kButton, 248));
    PanelRecord bar(2);
    NavBarIds ids;
    const struct {
        Icon kind;
        std::int16_t x;
        std::uint16_t code;
        int bitmap;  // the bar's bitmap that marks it (1 to 9)
    } buttons[] = {{Icon::Home, 20, 22, 1}, {Icon::Second, 80, 21, 2}, {Icon::Back, 140, 8, 8}, {Icon::Options, 580, 10, 9}};
    std::int16_t id = 1;
    for (const auto& b : buttons) {
        bar.add(iconButton(b.kind, b.x, 6, {NavAction(b.code)}), data);
        // The back button greys over while there is nowhere to go back to;
        // the others are underlined. A mark lies beneath the buttons until
        // the bar shows it: a hidden picture over a button would take its
        // clicks.
        const bool grey = b.bitmap == 8;
        DisplayObjectRecord mark = BitmapRecord(grey ? "navgrey" : "navmark").id(id).visible(0).z(-100);
        bar.add(mark.at(b.x, grey ? 6 : 50), data);
        ids.bitmaps[std::size_t(b.bitmap - 1)] = id++;
    }
    return NavPanelBytes(bar, ids);
}

// The content of a page of the bar: a picture, a frame with a band of
// colour, and the way to the title's welcome page. As it opens it asks for
// its own page, which is open already, so nothing opens; but the bar hears
// the open-page action stop and marks the page, also when it is the first
// page the title shows (the bar marks only what an action opened or
// changed to).
std::vector<std::uint8_t> contentRecord(TitleFolder& title, std::uint32_t page, const std::string& name,
                                        std::uint8_t band)
{
    BmpPicture p = canvas(400, 240, kSampleNavy);
    fill(p, 6, 6, 388, 228, kSampleWhite);
    fill(p, 30, 90, 340, 60, band);
    title.files[name + ".dib"] = EncodeBmp(p);
    PanelRecord content(1);
    content.add(BitmapRecord(name).at(120, 80), title.data);
    AddSampleHomeLink(title, content);
    content.on("on_open", {OpenPageAction(page)});
    return TitlePanelBytes(content);
}

void addBarPages(TitleFolder& title)
{
    ProductData& data = title.data;
    TemplateBuilder& t = data.templateDef(kBarTemplate, "BASE_PAGE");
    t.panel(1, "Display").at(0, 0).size(640, kContentHeight).colour(232, 216, 176);
    t.panel(2, "NavPanel").at(0, kContentHeight).size(640, kBarHeight).colour(24, 40, 96);
    data.page(kSampleNavigationHome, kBarTemplate)
        .name("Navigation")
        .storedPanel("Display", contentRecord(title, kSampleNavigationHome, "navfirst", kSampleTeal))
        .storedPanel("NavPanel", barRecord(title));
    data.page(kSampleNavigationSecond, kBarTemplate)
        .name("Navigation two")
        .storedPanel("Display", contentRecord(title, kSampleNavigationSecond, "navsecondpage", kSampleRust))
        .storedPanel("NavPanel", barRecord(title));
}

// The options pop-up, over the bar's right end: the screen saver, the
// dialog page, and the page under the pop-up printed or copied to the
// clipboard.
void addOptions(TitleFolder& title)
{
    ProductData& data = title.data;
    constexpr std::int16_t kWidth = 232;
    TemplateBuilder& t = data.templateDef(kOptionsTemplate, "POPUP_PAGE").size(kWidth, 60);
    t.panel(1, "Display").at(0, 0).size(kWidth, 60).colour(32, 128, 128);
    PanelRecord panel(1);
    panel.add(iconButton(Icon::Saver, kSampleOptionsSaverX, 10, {NavAction(15)}), data);
    panel.add(iconButton(Icon::Dialog, kSampleOptionsDialogX, 10, {AppendPageAction(kSampleDialogPage)}), data);
    panel.add(iconButton(Icon::Print, kSampleOptionsPrintX, 10, {OptionsAction(2)}), data);
    panel.add(iconButton(Icon::Copy, kSampleOptionsCopyX, 10, {OptionsAction(1)}), data);
    data.page(kSampleOptionsPage, kOptionsTemplate)
        .name("Options")
        .at(kSampleOptionsLeft, kSampleOptionsTop)
        .storedPanel("Display", TitlePanelBytes(panel));
}

// The dialog page: a caption with its close box and three answers; Enter
// presses the third.
void addDialog(TitleFolder& title)
{
    ProductData& data = title.data;
    TemplateBuilder& t = data.templateDef(kDialogTemplate, "POPUP_PAGE").size(180, 80);
    t.captionHeight = 20;
    t.panel(1, "DialogPanel").at(0, 0).size(180, 60).colour(232, 216, 176);
    PanelRecord panel(1);
    DialogIds ids;
    const Icon answers[] = {Icon::Zero, Icon::One, Icon::Two};
    for (std::int16_t i = 0; i < 3; ++i) {
        const std::int16_t id = std::int16_t(21 + i);
        panel.add(iconButton(answers[i], std::int16_t(16 + 56 * i), 10, {}).id(id), data);
        ids.buttons[std::size_t(i)] = id;
    }
    ids.defaultButton = 23;
    data.page(kSampleDialogPage, kDialogTemplate)
        .name("Question")
        .at(230, 180)
        .storedPanel("DialogPanel", DialogPanelBytes(panel, ids));
}

// The screen saver: a file of ours that only has to be copied.
std::vector<std::uint8_t> screenSaver()
{
    std::vector<std::uint8_t> bytes;
    const std::string line = "Kelbo sample screen saver: copied into the Windows folder, never run.\r\n";
    while (bytes.size() < 1500)
        bytes.insert(bytes.end(), line.begin(), line.end());
    return bytes;
}

}  // namespace

void SetSampleNavigationTargets(TitleFields& fields)
{
    fields.code22Target = kSampleNavigationHome;
    fields.secondHomeTarget = kSampleNavigationHome;
    fields.code21Target = kSampleNavigationSecond;
    fields.secondOptionsPage = kSampleOptionsPage;
}

void AddSampleNavigation(TitleFolder& title)
{
    for (Icon kind : {Icon::Home, Icon::Second, Icon::Back, Icon::Options, Icon::Saver, Icon::Dialog, Icon::Zero,
                      Icon::One, Icon::Two, Icon::Print, Icon::Copy})
        addIcon(title, kind);
    addBarPages(title);
    addOptions(title);
    addDialog(title);
    title.files["tundrel.scr"] = screenSaver();
    title.data.product().pages.push_back(kSampleNavigationHome);
}

}  // namespace testkit
