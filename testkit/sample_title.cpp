#include "testkit/sample_title.h"

#include <cmath>

#include "runtime/JxTypeRegistry.h"
#include "testkit/display_objects.h"
#include "testkit/title_record.h"
#include "testkit/wave.h"

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
    TemplateBuilder& logbook = data.templateDef(3, "BASE_PAGE");
    logbook.panel(1, "Display").at(0, 0).size(640, 60).colour(24, 40, 96);
    logbook.panel(2, "LogbookbasePanel").at(0, 60).size(640, 360).colour(232, 216, 176);
    logbook.panel(3, "NavPanel").at(0, 420).size(640, 60).colour(32, 128, 128);
    PanelRecord panel(2);
    std::int16_t y = 40;
    for (const char* type : {"Visitedcount", "quizcount", "AnsweredCount"}) {
        panel.add(DigitsRecord(type, data, "digit", 12, 20).rect(280, y, 328, std::int16_t(y + 20)), data);
        y = std::int16_t(y + 60);
    }
    panel.add(DisplayObjectRecord("LogBookButton").rect(280, 240, 360, 270), data);
    data.page(4, 3).name("Logbook").visit(3).storedPanel("LogbookbasePanel", panel.Bytes());
    data.product().pages.push_back(4);  // /start=4
    for (int d = 0; d < 10; ++d)
        title.files["digit" + std::to_string(d) + ".dib"] = EncodeBmp(DigitPicture(d, kSampleBlack, kSampleSand, SamplePalette()));
}

namespace {

// The title's record: an index of the four pages, the idle list (a page
// left alone for two minutes opens page 2 or 3) and the menu list.
void addTitleRecord(TitleFolder& title)
{
    TitleRecord record;
    record.index = NumberedIndex(4);
    record.visits = NumberedIndex(4);
    record.idlePages = {1, 2, 3};
    record.menuPages = {1, 2, 3, 4};
    record.fields.navigationTargets = {1, 2, 3, 4, 1};
    title.data.titleRecord(record.Bytes(title.data));
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
    // Each page marks its visit; the welcome page chimes now and then.
    data.page(1, 1).name("Welcome").visit(0).randomSounds({"chime"});
    data.page(2, 1).name("Contents").visit(1);
    data.page(3, 2).name("Gallery").visit(2);
    addTitleRecord(title);
    title.files["chime.wav"] = chime();

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

void WriteSampleTitle(const std::string& folder, bool withLogbook)
{
    RegisterTypeIds();
    try {
        TitleFolder title = SampleTitle();
        if (withLogbook)
            AddSampleLogbook(title);
        title.Write(folder);
    } catch (...) {
        ReleaseTypeRegistries();
        throw;
    }
    ReleaseTypeRegistries();
}

}  // namespace testkit
