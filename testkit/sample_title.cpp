#include "testkit/sample_title.h"

#include "runtime/JxTypeRegistry.h"
#include "testkit/display_objects.h"
#include "testkit/type_ids.h"

namespace testkit {

namespace {

const Rgb kColours[] = {
    {0, 0, 0}, {255, 255, 255}, {24, 40, 96}, {32, 128, 128}, {232, 216, 176}, {176, 72, 40}, {80, 120, 48},
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

void addFile(TitleFolder& title, const std::string& name, const BmpPicture& picture)
{
    title.files[name] = EncodeBmp(picture);
}

// The welcome page's content: a picture whose moss block is a hotspot that
// opens the notes page, whose rust block changes to the contents page with
// a wipe to the left, and a button that closes the notes page.
std::vector<std::uint8_t> welcomeContent(TitleFolder& title)
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
    return content.Bytes();
}

// The contents page's content: a picture whose teal block changes back to
// the welcome page with a wipe to the right.
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
    return content.Bytes();
}

}  // namespace

std::vector<Rgb> SamplePalette()
{
    std::vector<Rgb> palette(std::begin(kColours), std::end(kColours));
    while (palette.size() < 256) {
        const auto grey = std::uint8_t(palette.size());
        palette.push_back({grey, grey, grey});
    }
    return palette;
}

TitleFolder SampleTitle()
{
    TitleFolder title;
    title.palette = SamplePalette();
    ProductData& data = title.data;
    data.product().name("Kelbo Sample").size(646, 506).colour(255, 255, 255).startPages({1, 2, 3});
    addPanels(data.templateDef(1, "BASE_PAGE"), kColours[kSampleSand]);
    addPanels(data.templateDef(2, "BASE_PAGE"), kColours[kSampleMoss]);
    data.templateDef(3, "CHILD_PAGE").anchor(1, 2).offset(360, 30).panel(1, "Display").size(200, 120).colour(32, 128, 128);
    data.page(1, 1).name("Welcome").storedPanel("Display", welcomeContent(title));
    data.page(2, 1).name("Contents").storedPanel("Display", contentsContent(title));
    data.page(3, 2).name("Gallery");
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

void WriteSampleTitle(const std::string& folder)
{
    StandInObjectTypes types;
    RegisterTypeIds();
    try {
        SampleTitle().Write(folder);
    } catch (...) {
        ReleaseTypeRegistries();
        throw;
    }
    ReleaseTypeRegistries();
}

}  // namespace testkit
