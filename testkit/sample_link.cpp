#include "testkit/sample_link.h"

#include "testkit/big_endian.h"
#include "testkit/display_objects.h"
#include "testkit/sample_links.h"
#include "testkit/sample_title.h"
#include "testkit/title_panels.h"

namespace testkit {

namespace {

constexpr std::uint16_t kLinkTemplate = 8;

// "GO_URL": the address and the online service's address, each an s16
// length and its bytes.
ActionRecord goUrlAction(const std::string& address, const std::string& serviceAddress = "")
{
    ActionRecord a{"GO_URL", {}};
    for (const std::string& text : {address, serviceAddress}) {
        PutBigEndian16(a.record, std::uint16_t(text.size()));
        a.record.insert(a.record.end(), text.begin(), text.end());
    }
    return a;
}

// A button-like picture: a navy frame round a teal field with a white bar
// across it, the way a link is underlined.
BmpPicture linkPicture()
{
    BmpPicture p{kSampleLinkWidth, kSampleLinkHeight,
                 std::vector<std::uint8_t>(std::size_t(kSampleLinkWidth * kSampleLinkHeight), kSampleNavy),
                 SamplePalette()};
    const auto fill = [&p](std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint8_t index) {
        for (std::int32_t row = y; row < y + h; ++row)
            for (std::int32_t col = x; col < x + w; ++col)
                p.pixels[std::size_t(row * p.width + col)] = index;
    };
    fill(4, 4, p.width - 8, p.height - 8, kSampleTeal);
    fill(24, p.height - 36, p.width - 48, 8, kSampleWhite);
    return p;
}

std::vector<std::uint8_t> linkContent(TitleFolder& title)
{
    title.files["link_picture.dib"] = EncodeBmp(linkPicture());
    ProductData& data = title.data;
    ParaText para;
    para.styleId = 2;
    para.text = std::string("A click on the picture below opens ") + kSampleLinkAddress +
                " in your web browser. The first time, the title asks which browser to use.";
    para.autoHeight = 1;
    PanelRecord content(2);
    content.add(ParaTextRecord(para).id(1).rect(40, 30, 600, 90), data);
    content.add(BitmapRecord("link_picture").at(kSampleLinkLeft, kSampleLinkTop), data);
    content.add(HotspotRecord(3)
                    .rect(kSampleLinkLeft, kSampleLinkTop, kSampleLinkLeft + kSampleLinkWidth,
                          kSampleLinkTop + kSampleLinkHeight)
                    .on("on_click", {goUrlAction(kSampleLinkAddress)}),
                data);
    AddSampleHomeLink(title, content);
    return TitlePanelBytes(content);
}

}  // namespace

void AddSampleLink(TitleFolder& title)
{
    ProductData& data = title.data;
    TemplateBuilder& page = data.templateDef(kLinkTemplate, "BASE_PAGE");
    page.panel(1, "Display").at(0, 0).size(640, 60).colour(24, 40, 96);
    page.panel(2, "Display").at(0, 60).size(640, 420).colour(232, 216, 176);
    data.page(kSampleLinkPage, kLinkTemplate).name("Link").storedPanel("Display", linkContent(title));
    data.product().pages.push_back(kSampleLinkPage);
}

}  // namespace testkit
