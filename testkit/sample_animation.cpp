#include "testkit/sample_animation.h"

#include <algorithm>
#include <cmath>

#include "testkit/display_objects.h"
#include "testkit/pics.h"
#include "testkit/pics_records.h"
#include "testkit/sample_links.h"
#include "testkit/sample_title.h"
#include "testkit/title_panels.h"

namespace testkit {

namespace {

constexpr std::uint32_t kRate = 11025;
constexpr std::size_t kSlice = 1103;  // a tenth of a second of sound
constexpr std::uint16_t kTemplate = 10;
constexpr std::uint16_t kEncoreTemplate = 11;

// Palette indexes, row after row.
struct Canvas {
    std::int32_t width, height;
    std::vector<std::uint8_t> pixels;

    Canvas(std::int32_t w, std::int32_t h, std::uint8_t background)
        : width(w), height(h), pixels(std::size_t(w * h), background)
    {
    }
    void fill(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint8_t index)
    {
        for (std::int32_t row = std::max(y, 0); row < std::min(y + h, height); ++row)
            for (std::int32_t col = std::max(x, 0); col < std::min(x + w, width); ++col)
                pixels[std::size_t(row * width + col)] = index;
    }
    void disc(std::int32_t cx, std::int32_t cy, std::int32_t r, std::uint8_t index)
    {
        for (std::int32_t y = cy - r; y <= cy + r; ++y)
            for (std::int32_t x = cx - r; x <= cx + r; ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
                    fill(x, y, 1, 1, index);
    }
    BmpPicture Picture() const { return BmpPicture{width, height, pixels, SamplePalette()}; }
};

// The ball rolls from left to right along the ground, bouncing twice; a
// white spot on it turns as it rolls.
Canvas rollFrame(int n)
{
    Canvas c(kSampleRollWidth, kSampleRollHeight, kSampleWhite);
    const std::int32_t ground = kSampleRollHeight - 20, radius = 14;
    c.fill(0, ground, kSampleRollWidth, 5, kSampleMoss);
    const double t = double(n) / (kSampleRollFrames - 1);
    const auto x = std::int32_t(radius + 4 + t * (kSampleRollWidth - 2 * radius - 8));
    const auto y = std::int32_t(ground - radius - 40 * std::abs(std::sin(t * 2 * M_PI)));
    c.disc(x, y, radius, kSampleRust);
    const double turn = t * 4 * M_PI;
    c.disc(x + std::int32_t(8 * std::cos(turn)), y + std::int32_t(8 * std::sin(turn)), 3, kSampleWhite);
    return c;
}

// The rolling ball with a tone whose pitch follows the ball's height.
PicsFile rollAnimation()
{
    PicsFile ani;
    ani.format(PcmFormat(kRate));
    ani.leadIn(1, 2, Tone(262, kSlice, kRate));
    for (int n = 0; n < kSampleRollFrames; ++n) {
        const double height = std::abs(std::sin(double(n) / (kSampleRollFrames - 1) * 2 * M_PI));
        const Canvas frame = rollFrame(n);
        ani.frame(PicsFrame::Of(kSampleRollX, kSampleRollY, kSampleRollWidth, kSampleRollHeight, frame.pixels,
                                Tone(262 + 200 * height, kSlice, kRate, std::size_t(n + 2) * kSlice)));
    }
    return ani;
}

// The twinkle's panel lies beside the content panel, at (kContentWidth, 60)
// of the page, in the same sand.
constexpr std::int16_t kContentWidth = 400, kPanelsHeight = 360;

// A silent twinkle beside the stage: a cross that grows and shrinks on the
// sand of its panel.
constexpr std::int16_t kTwinkleX = 20, kTwinkleY = 60, kTwinkleSize = 48;

PicsFile twinkleAnimation()
{
    PicsFile ani;
    ani.format(PcmFormat(kRate));
    // It ends on the sand alone: nothing of it stays behind.
    const int arms[] = {4, 9, 14, 20, 14, 9, 4, 1, 0};
    for (int arm : arms) {
        Canvas c(kTwinkleSize, kTwinkleSize, kSampleSand);
        const std::int32_t mid = kTwinkleSize / 2;
        if (arm > 0) {
            c.fill(mid - arm, mid - 1, 2 * arm, 3, kSampleWhite);
            c.fill(mid - 1, mid - arm, 3, 2 * arm, kSampleWhite);
            c.disc(mid, mid, std::max(arm / 4, 1), kSampleRust);
        }
        ani.frame(PicsFrame::Of(kTwinkleX, kTwinkleY, kTwinkleSize, kTwinkleSize, c.pixels));
    }
    return ani;
}

void addPictures(TitleFolder& title)
{
    // The page's picture: the stage, a white field in a navy frame, and
    // under it, on the panel's sand, the "go on" arrow (white on rust). The
    // bar is drawn over its lower left part. A hotspot's highlight shows
    // this picture, so the arrow is part of it.
    Canvas back(240, 200, kSampleSand);
    back.fill(0, 0, 240, 160, kSampleNavy);
    back.fill(8, 8, 224, 144, kSampleWhite);
    const std::int32_t gx = kSampleGoX - kSampleStageX, gy = kSampleGoY - kSampleStageY;
    back.fill(gx, gy, 100, 30, kSampleRust);
    back.fill(gx + 2, gy + 2, 96, 26, kSampleWhite);
    back.fill(gx + 4, gy + 4, 92, 22, kSampleRust);
    back.fill(gx + 30, gy + 12, 26, 6, kSampleWhite);
    for (std::int32_t i = 0; i < 10; ++i)
        back.fill(gx + 56 + i, gy + 5 + i, 1, 20 - 2 * i, kSampleWhite);
    title.files["animstage.dib"] = EncodeBmp(back.Picture());
    // The small page: a moss tick on white in a teal frame.
    Canvas done(200, 120, kSampleTeal);
    done.fill(6, 6, 188, 108, kSampleWhite);
    for (std::int32_t i = 0; i < 20; ++i)
        done.fill(70 + i, 50 + i, 6, 6, kSampleMoss);
    for (std::int32_t i = 0; i < 40; ++i)
        done.fill(90 + i, 70 - i, 6, 6, kSampleMoss);
    title.files["animdone.dib"] = EncodeBmp(done.Picture());
    title.files[kSampleRollAnimation] = rollAnimation().Bytes();
    title.files[kSampleTwinkleAnimation] = twinkleAnimation().Bytes();
}

// The idle tick's animation plays for the first object of its panel, and
// the panel is drawn again once the animation has played.
std::vector<std::uint8_t> twinklePanel(ProductData& data)
{
    PanelRecord panel(kSampleIdleAnimationPanel);
    panel.add(HotspotRecord(0).id(1).rect(kTwinkleX, kTwinkleY, kTwinkleX + kTwinkleSize, kTwinkleY + kTwinkleSize).z(-1),
              data);
    return TitlePanelBytes(panel);
}

std::vector<std::uint8_t> contentPanel(TitleFolder& title)
{
    ProductData& data = title.data;
    PanelRecord panel(kSampleAnimationContentPanel);
    // The stage is the first picture: a hotspot's highlight shows it.
    panel.add(BitmapRecord("animstage").id(1).at(kSampleStageX, kSampleStageY), data);
    ControllerFields bar;
    bar.cursor = "Hand";
    bar.animation = kSampleRollAnimation;
    panel.add(AnimControlRecord(data, bar).id(2).at(kSampleBarX, kSampleBarY), data);
    PlayPicsRecord play{kSampleRollAnimation};
    play.queued = true;
    panel.add(HotspotRecord(3)
                  .id(3)
                  .rect(kSampleGoX, kSampleGoY, kSampleGoX + 100, kSampleGoY + 30)
                  .on("on_click", {play.Action(), OpenPageAction(kSampleAnimationEncorePage)}),
              data);
    AddSampleHomeLink(title, panel);
    return TitlePanelBytes(panel);
}

std::vector<std::uint8_t> encorePanel(ProductData& data)
{
    PanelRecord panel(1);
    panel.add(BitmapRecord("animdone").id(1).at(0, 0), data);
    panel.add(HotspotRecord(0).id(2).rect(0, 0, 200, 120).on("on_click", {ClosePageAction(kSampleAnimationEncorePage)}),
              data);
    return TitlePanelBytes(panel);
}

}  // namespace

void AddSampleAnimation(TitleFolder& title)
{
    ProductData& data = title.data;
    TemplateBuilder& t = data.templateDef(kTemplate, "BASE_PAGE");
    t.panel(1, "Display").at(0, 0).size(640, 60).colour(24, 40, 96);
    t.panel(kSampleAnimationContentPanel, "Display").at(0, 60).size(kContentWidth, kPanelsHeight).colour(232, 216, 176);
    t.panel(3, "NavPanel").at(0, 420).size(640, 60).colour(32, 128, 128);
    t.panel(kSampleIdleAnimationPanel, "Display")
        .at(kContentWidth, 60)
        .size(640 - kContentWidth, kPanelsHeight)
        .colour(232, 216, 176);
    data.templateDef(kEncoreTemplate, "CHILD_PAGE")
        .size(200, 120)
        .anchor(kTemplate, kSampleAnimationContentPanel)
        .offset(360, 150)
        .panel(1, "Display")
        .size(200, 120)
        .colour(32, 128, 128);
    data.page(kSampleAnimationPage, kTemplate)
        .name("Animation")
        .randomAnimations({kSampleTwinkleAnimation})
        .storedPanel("Display", contentPanel(title))
        .storedPanel("Display", twinklePanel(data));
    data.page(kSampleAnimationEncorePage, kEncoreTemplate).name("Encore").storedPanel("Display", encorePanel(data));
    data.product().pages.push_back(kSampleAnimationPage);
    addPictures(title);
}

}  // namespace testkit
