#include "testkit/sample_rollover.h"

#include <cmath>

#include "testkit/display_objects.h"
#include "testkit/rollover_records.h"
#include "testkit/sample_title.h"
#include "testkit/type_ids.h"
#include "testkit/wave.h"
#include "testkit/title_panels.h"

namespace testkit {

namespace {

BmpPicture filled(std::int32_t width, std::int32_t height, std::uint8_t colour)
{
    return BmpPicture{width, height, std::vector<std::uint8_t>(std::size_t(width * height), colour), SamplePalette()};
}

void fill(BmpPicture& p, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint8_t colour)
{
    for (std::int32_t row = y; row < y + h; ++row)
        for (std::int32_t col = x; col < x + w; ++col)
            p.pixels[std::size_t(row * p.width + col)] = colour;
}

std::int16_t width(const std::int16_t (&r)[4])
{
    return std::int16_t(r[2] - r[0]);
}

std::int16_t height(const std::int16_t (&r)[4])
{
    return std::int16_t(r[3] - r[1]);
}

// A spinner frame: a moss disc-ish square with a black bar turned by a
// quarter of the way each frame.
BmpPicture spinner(int step)
{
    const std::int32_t side = width(kRolloverMicon);
    BmpPicture p = filled(side, side, kSampleMoss);
    const std::int32_t c = side / 2;
    for (std::int32_t t = -c + 6; t < c - 6; ++t)
        for (std::int32_t w = -3; w <= 3; ++w) {
            const std::int32_t x = step == 0 ? c + t : step == 1 ? c + t + w : c + w;
            const std::int32_t y = step == 0 ? c + w : step == 1 ? c + t : c + t;
            p.pixels[std::size_t(y * side + x)] = kSampleBlack;
        }
    return p;
}

// A short rising tone that fades.
std::vector<std::uint8_t> tone()
{
    constexpr std::uint32_t kRate = 22050;
    std::vector<std::int16_t> samples(kRate * kRolloverToneMs / 1000);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = double(i) / kRate;
        const double f = 520.0 + 400.0 * t;
        samples[i] = std::int16_t(8000 * std::exp(-2.5 * t) * std::sin(2 * M_PI * f * t));
    }
    return EncodeWave(Pcm16Sound(samples, kRate));
}

void addPictures(TitleFolder& title)
{
    // The whole panel, so that the mouse leaving an object always comes
    // onto another: a white card in a navy frame on sand, the lamp on the
    // card in rust.
    BmpPicture back = filled(640, 360, kSampleSand);
    fill(back, 40, 30, 440, 260, kSampleNavy);
    fill(back, 44, 34, 432, 252, kSampleWhite);
    fill(back, kRolloverLamp[0], kRolloverLamp[1], width(kRolloverLamp), height(kRolloverLamp), kSampleRust);
    title.files["rollover_back.dib"] = EncodeBmp(back);
    BmpPicture glow = filled(width(kRolloverLamp), kRolloverGlowRise, kSampleSand);
    fill(glow, 8, 8, width(kRolloverLamp) - 16, kRolloverGlowRise - 16, kSampleTeal);
    title.files["rollover_glow.dib"] = EncodeBmp(glow);
    for (int step = 0; step < 3; ++step)
        title.files["rollover_spin" + std::to_string(step) + ".dib"] = EncodeBmp(spinner(step));
    const std::int16_t w = width(kRolloverHome), h = height(kRolloverHome);
    BmpPicture up = filled(w, h, kSampleTeal);
    fill(up, 4, 4, w - 8, h - 8, kSampleWhite);
    title.files["rollover_homeup.dib"] = EncodeBmp(up);
    BmpPicture down = filled(w, h, kSampleNavy);
    fill(down, 4, 4, w - 8, h - 8, kSampleSand);
    title.files["rollover_homedn.dib"] = EncodeBmp(down);
    BmpPicture lit = filled(w, h, kSampleTeal);
    fill(lit, 4, 4, w - 8, h - 8, kSampleMoss);
    title.files["rollover_homelit.dib"] = EncodeBmp(lit);
    title.files[std::string(kRolloverTone) + ".wav"] = tone();
}

std::vector<std::uint8_t> content(ProductData& data)
{
    PanelRecord panel(2);
    panel.add(BitmapRecord("rollover_back").at(0, 0), data);
    panel.add(RollOverHotspotRecord(data, 0, "rollover_glow", 0, std::int16_t(-kRolloverGlowRise))
                  .rect(kRolloverLamp[0], kRolloverLamp[1], kRolloverLamp[2], kRolloverLamp[3]),
              data);
    PlaySound click{kRolloverTone};
    panel.add(MiconRecord(data, 5, {{"rollover_spin0"}, {"rollover_spin1"}, {"rollover_spin2"}})
                  .rect(kRolloverMicon[0], kRolloverMicon[1], kRolloverMicon[2], kRolloverMicon[3])
                  .on("on_click", {click.Action()}),
              data);
    panel.add(RollOverButtonRecord(data, {"rollover_homeup", "rollover_homedn", ""}, "rollover_homelit")
                  .rect(kRolloverHome[0], kRolloverHome[1], kRolloverHome[2], kRolloverHome[3])
                  .on("on_click", {ChangePageAction(1, kSampleWipeRight)}),
              data);
    return TitlePanelBytes(panel);
}

}  // namespace

void AddSampleRollover(TitleFolder& title)
{
    for (const char* type : {"Bitmap", "RollHotSpot", "Micon", "RollOverButton"})
        if (!IsDisplayObjectTypeRegistered(type))
            return;
    ProductData& data = title.data;
    TemplateBuilder& t = data.templateDef(20, "BASE_PAGE");
    t.panel(1, "Display").at(0, 0).size(640, 60).colour(24, 40, 96);
    t.panel(2, "Display").at(0, 60).size(640, 360).colour(232, 216, 176);
    t.panel(3, "NavPanel").at(0, 420).size(640, 60).colour(32, 128, 128);
    data.page(kRolloverPage, 20).name("Rollovers").storedPanel("Display", content(data));
    data.product().pages.push_back(kRolloverPage);
    addPictures(title);
}

}  // namespace testkit
