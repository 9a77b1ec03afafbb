#include "testkit/sample_title.h"

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
    data.page(1, 1).name("Welcome");
    data.page(2, 1).name("Contents");
    data.page(3, 2).name("Gallery");

    Bitmap8 splash(320, 200, title.palette);
    splash.fill(kSampleNavy).rect(20, 20, 280, 160, kSampleSand).rect(40, 150, 240, 12, kSampleRust);
    title.splash = splash;

    Bitmap8 picture(64, 64, title.palette);
    picture.fill(kSampleRust).rect(16, 16, 32, 32, kSampleWhite);
    title.store.item("PICTURE.BMP", picture.Bytes());
    title.withStore = true;
    return title;
}

}  // namespace testkit
