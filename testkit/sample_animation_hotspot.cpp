#include "testkit/sample_animation_hotspot.h"

#include "testkit/display_objects.h"
#include "testkit/pics.h"
#include "testkit/sample_links.h"
#include "testkit/sample_title.h"
#include "testkit/small_records.h"
#include "testkit/title_panels.h"

namespace testkit {

namespace {

// Frame n (0 up): a sand field framed in navy with a rust block that has
// moved n steps to the right; the last frame's block is moss.
PicsBytes animFrame(int n)
{
    const std::int16_t w = kSampleAnimWidth, h = kSampleAnimHeight;
    PicsBytes pixels(std::size_t(w * h), kSampleNavy);
    for (int y = 4; y < h - 4; ++y)
        for (int x = 4; x < w - 4; ++x)
            pixels[std::size_t(y * w + x)] = kSampleSand;
    const int left = 10 + n * 10;
    const std::uint8_t block = n == kSampleAnimFrames - 1 ? kSampleMoss : kSampleRust;
    for (int y = 30; y < 70; ++y)
        for (int x = left; x < left + 24; ++x)
            pixels[std::size_t(y * w + x)] = block;
    return pixels;
}

PicsBytes animation()
{
    PicsFile ani;
    for (int n = 0; n < kSampleAnimFrames; ++n)
        ani.frame(PicsFrame::Of(0, 0, kSampleAnimWidth, kSampleAnimHeight, animFrame(n)));
    return ani.Bytes();
}

// The frame around the animation's place.
BmpPicture framePicture()
{
    const std::int32_t w = kSampleAnimWidth + 40, h = kSampleAnimHeight + 40;
    BmpPicture p{w, h, std::vector<std::uint8_t>(std::size_t(w * h), kSampleTeal), SamplePalette()};
    for (std::int32_t y = 8; y < h - 8; ++y)
        for (std::int32_t x = 8; x < w - 8; ++x)
            p.pixels[std::size_t(y * w + x)] = kSampleWhite;
    return p;
}

}  // namespace

void AddSampleAnimationHotspot(TitleFolder& title)
{
    ProductData& data = title.data;
    TemplateBuilder& t = data.templateDef(30, "BASE_PAGE");
    t.panel(1, "Display").at(0, 0).size(640, 60).colour(24, 40, 96);
    t.panel(2, "Display").at(0, 60).size(640, 360).colour(232, 216, 176);
    t.panel(3, "NavPanel").at(0, 420).size(640, 60).colour(32, 128, 128);

    title.files["animframe.dib"] = EncodeBmp(framePicture());
    title.files["animspin.ani"] = animation();
    AnimHotspot anim;
    anim.file = "animspin.ani";
    anim.x = kSampleAnimX;
    anim.y = kSampleAnimY;
    anim.repeat = 1;
    PanelRecord content(2);
    content.add(BitmapRecord("animframe").at(kSampleAnimX - 20, kSampleAnimY - 20), data);
    content.add(AnimHotspotRecord(anim)
                    .rect(kSampleAnimX, kSampleAnimY, kSampleAnimX + kSampleAnimWidth, kSampleAnimY + kSampleAnimHeight)
                    .options(std::uint16_t(0x20))  // "AutoPlay"
                    .cursor("hand")
                    .z(1),
                data);
    AddSampleHomeLink(title, content);
    data.page(30, 30).name("Animation").storedPanel("Display", TitlePanelBytes(content));
    data.product().pages.push_back(30);
}

}  // namespace testkit
